#include "TabLabel.h"

#include "SkinColors.h"

#include <QMouseEvent>
#include <QPainter>

TabLabel::TabLabel(const QString& text, bool separator, QWidget* parent)
    : QLabel(text, parent), separator_(separator)
{
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
}

void TabLabel::SetSelected(bool selected)
{
    selected_ = selected;
    update();
}

void TabLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), selected_ ? SkinColors::kSelectedTab : SkinColors::kStrip);
    painter.setPen(selected_ ? Qt::black : Qt::white);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, text());
    if (!separator_)
        return;
    const int x = width() - 1;
    painter.setPen(SkinColors::kStrip);
    painter.drawLine(x, 0, x, height() - 1);
    painter.setPen(SkinColors::kTabSeparator);
    painter.drawLine(x, 5, x, height() - 1 - 4);
}

void TabLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit pressed();
    else
        QLabel::mousePressEvent(event);
}
