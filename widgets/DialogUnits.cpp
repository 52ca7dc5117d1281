#include "DialogUnits.h"

#include <QFontMetrics>

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    cx_ = metrics.averageCharWidth();
    cy_ = metrics.height();
}
