#include "DialogUnits.h"

#include <QFontMetrics>

DialogUnits::DialogUnits(const QFont& font)
{
    // The average width of the 52 Latin letters, as dialog layouts were made
    // for; the font's own average undercounts and clips captions.
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    cx_ = (letters / 26 + 1) / 2;
    cy_ = metrics.height();
}
