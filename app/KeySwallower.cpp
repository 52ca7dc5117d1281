#include "KeySwallower.h"

#include <QKeyEvent>
#include <QWidget>

namespace {
const char* const kKeepDefaultKeys = "keepDefaultKeys";

bool IsSwallowedKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
           key == Qt::Key_Space;
}
} // namespace

void KeySwallower::KeepDefaultKeys(QWidget* window)
{
    window->setProperty(kKeepDefaultKeys, true);
}

bool KeySwallower::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    if (!IsSwallowedKey(static_cast<QKeyEvent*>(event)->key()))
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    if (widget->window()->property(kKeepDefaultKeys).toBool())
        return false;
    return true;
}
