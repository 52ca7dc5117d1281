#include "PaintedIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {

constexpr int kSide = 64;

QIcon Draw(const std::function<void(QPainter&)>& paint)
{
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return QIcon(pixmap);
}

QPen GlyphPen(bool hover)
{
    return QPen(hover ? QColor(255, 230, 120) : QColor(Qt::white), 7, Qt::SolidLine, Qt::RoundCap);
}

// Four inputs on the left crossing to four outputs on the right.
void DrawMatrixMark(QPainter& painter)
{
    painter.setBrush(QColor(255, 255, 255));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(2, 2, kSide - 4, kSide - 4), 10, 10);
    painter.setPen(QPen(QColor(30, 144, 225), 4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
        const qreal from = 14 + i * 12;
        const qreal to = 14 + ((i + 2) % 4) * 12;
        painter.drawLine(QPointF(12, from), QPointF(52, to));
    }
}

} // namespace

namespace PaintedIcons {

QIcon Close(bool hover)
{
    return Draw([hover](QPainter& painter) {
        painter.setPen(GlyphPen(hover));
        painter.drawLine(16, 16, 48, 48);
        painter.drawLine(48, 16, 16, 48);
    });
}

QIcon Minimize(bool hover)
{
    return Draw([hover](QPainter& painter) {
        painter.setPen(GlyphPen(hover));
        painter.drawLine(16, 44, 48, 44);
    });
}

QIcon Logo()
{
    return Draw(DrawMatrixMark);
}

QIcon Application()
{
    return Draw([](QPainter& painter) {
        painter.setBrush(QColor(30, 144, 225));
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(0, 0, kSide, kSide), 12, 12);
        painter.scale(0.8, 0.8);
        painter.translate(8, 8);
        DrawMatrixMark(painter);
    });
}

QIcon Lamp(bool lit)
{
    return Draw([lit](QPainter& painter) {
        const QColor core = lit ? QColor(40, 220, 60) : QColor(230, 40, 40);
        QRadialGradient glow(QPointF(26, 24), 34);
        glow.setColorAt(0, core.lighter(170));
        glow.setColorAt(0.6, core);
        glow.setColorAt(1, core.darker(160));
        painter.setBrush(glow);
        painter.setPen(QPen(QColor(60, 60, 60), 2));
        painter.drawEllipse(QRectF(6, 6, kSide - 12, kSide - 12));
    });
}

QIcon Step(bool next)
{
    return Draw([next](QPainter& painter) {
        painter.setBrush(Qt::white);
        painter.setPen(Qt::NoPen);
        const QPolygonF arrow = next ? QPolygonF{{18, 10}, {50, 32}, {18, 54}}
                                     : QPolygonF{{46, 10}, {14, 32}, {46, 54}};
        painter.drawPolygon(arrow);
    });
}

} // namespace PaintedIcons
