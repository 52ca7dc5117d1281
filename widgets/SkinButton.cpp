#include "SkinButton.h"

#include <QPainter>

SkinButton::SkinButton(const QIcon& normal, const QIcon& hover, QWidget* parent)
    : QAbstractButton(parent), normal_(normal), hover_(hover), normalColor_(30, 144, 225),
      hoverColor_(60, 165, 240), pressedColor_(20, 110, 190)
{
    setFocusPolicy(Qt::NoFocus);
}

void SkinButton::SetColors(const QColor& normal, const QColor& hover, const QColor& pressed)
{
    normalColor_ = normal;
    hoverColor_ = hover;
    pressedColor_ = pressed;
    update();
}

QSize SkinButton::sizeHint() const
{
    return {28, 20};
}

void SkinButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor background = isDown() ? pressedColor_ : underMouse_ ? hoverColor_ : normalColor_;
    painter.fillRect(rect(), isEnabled() ? background : background.darker(130));
    const QIcon& icon = underMouse_ ? hover_ : normal_;
    const QSize side(qMin(width(), height()) - 4, qMin(width(), height()) - 4);
    const QRect target(QPoint((width() - side.width()) / 2, (height() - side.height()) / 2), side);
    icon.paint(&painter, target, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
}

void SkinButton::enterEvent(QEnterEvent* event)
{
    underMouse_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void SkinButton::leaveEvent(QEvent* event)
{
    underMouse_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}
