#include "RoundedMask.h"

#include <QGuiApplication>
#include <QPainterPath>
#include <QRegion>
#include <QWidget>

void ApplyRoundedMask(QWidget& window, const QRectF& outline, qreal cornerRadius)
{
    // The headless platform has no window shapes; the outline is cosmetic.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    QPainterPath path;
    path.addRoundedRect(outline, cornerRadius, cornerRadius);
    window.setMask(QRegion(path.toFillPolygon().toPolygon()));
}
