#include "DigitDisplay.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Segments a..g, lit per character.
std::uint8_t SegmentsOf(QChar c)
{
    static constexpr std::uint8_t digits[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    if (c.isDigit())
        return digits[c.digitValue()];
    if (c == QLatin1Char('-'))
        return 0x40;
    return 0;
}

void DrawDigit(QPainter& painter, const QRectF& cell, std::uint8_t lit, const QColor& on,
               const QColor& off)
{
    const qreal t = cell.width() * 0.18; // segment thickness
    const qreal l = cell.left(), r = cell.right(), top = cell.top(), b = cell.bottom();
    const qreal mid = (top + b) / 2;
    auto horizontal = [&](qreal y) {
        QPainterPath p;
        p.moveTo(l + t * 0.6, y);
        p.lineTo(l + t, y - t / 2);
        p.lineTo(r - t, y - t / 2);
        p.lineTo(r - t * 0.6, y);
        p.lineTo(r - t, y + t / 2);
        p.lineTo(l + t, y + t / 2);
        p.closeSubpath();
        return p;
    };
    auto vertical = [&](qreal x, qreal y0, qreal y1) {
        QPainterPath p;
        p.moveTo(x, y0 + t * 0.6);
        p.lineTo(x + t / 2, y0 + t);
        p.lineTo(x + t / 2, y1 - t);
        p.lineTo(x, y1 - t * 0.6);
        p.lineTo(x - t / 2, y1 - t);
        p.lineTo(x - t / 2, y0 + t);
        p.closeSubpath();
        return p;
    };
    const QPainterPath segments[7] = {
        horizontal(top + t / 2),             // a
        vertical(r - t / 2, top, mid),       // b
        vertical(r - t / 2, mid, b),         // c
        horizontal(b - t / 2),               // d
        vertical(l + t / 2, mid, b),         // e
        vertical(l + t / 2, top, mid),       // f
        horizontal(mid),                     // g
    };
    for (int i = 0; i < 7; ++i)
        painter.fillPath(segments[i], (lit >> i) & 1 ? on : off);
}

} // namespace

DigitDisplay::DigitDisplay(QWidget* parent) : QWidget(parent) {}

void DigitDisplay::SetText(const QString& text)
{
    text_ = text;
    update();
}

void DigitDisplay::SetColors(const QColor& background, const QColor& unlit, const QColor& lit)
{
    background_ = background;
    unlit_ = unlit;
    lit_ = lit;
    update();
}

void DigitDisplay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), background_);
    if (text_.isEmpty())
        return;
    const qreal margin = height() * 0.15;
    const qreal cellHeight = height() - 2 * margin;
    const qreal cellWidth = std::min(cellHeight * 0.55, (width() - 2 * margin) / text_.size());
    const qreal total = cellWidth * text_.size() + cellWidth * 0.25 * (text_.size() - 1);
    qreal x = (width() - total) / 2;
    for (QChar c : text_) {
        DrawDigit(painter, QRectF(x, margin, cellWidth, cellHeight), SegmentsOf(c), lit_, unlit_);
        x += cellWidth * 1.25;
    }
}
