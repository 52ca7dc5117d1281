#pragma once

#include <QRectF>

class QWidget;

// Clips a window to a rounded outline where the platform supports masks.
void ApplyRoundedMask(QWidget& window, const QRectF& outline, qreal cornerRadius);
