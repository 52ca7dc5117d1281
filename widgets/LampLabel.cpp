#include "LampLabel.h"

#include "PaintedIcons.h"

LampLabel::LampLabel(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    Repaint();
}

void LampLabel::SetLit(bool lit)
{
    lit_ = lit;
    Repaint();
}

void LampLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    Repaint();
}

void LampLabel::Repaint()
{
    const int side = qMax(8, qMin(width(), height()) - 2);
    setPixmap(PaintedIcons::Lamp(lit_).pixmap(side, side));
}
