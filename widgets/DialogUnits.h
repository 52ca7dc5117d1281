#pragma once

#include <QFont>
#include <QRect>

// Converts layout positions given in dialog units to pixels from the font's
// average character size (x * cx / 4, y * cy / 8), so layouts keep their
// proportions at any DPI and font.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int X(int units) const { return units * cx_ / 4; }
    int Y(int units) const { return units * cy_ / 8; }
    QRect Rect(int x, int y, int w, int h) const { return {X(x), Y(y), X(w), Y(h)}; }
    QSize Size(int w, int h) const { return {X(w), Y(h)}; }

private:
    int cx_;
    int cy_;
};
