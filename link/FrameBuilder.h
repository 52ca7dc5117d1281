#pragma once

#include "CommandFrame.h"

#include <initializer_list>

// Each page builds its frames with one of these layouts: which byte positions
// the caller's values go to, and which bytes carry a fixed value.
enum class FrameLayout {
    General,           // 2, 3, 4
    GeneralB6,         // 2, 3, 4, 6
    GeneralB5,         // 2, 3, 4, 5
    Matrix,            // 2, 3, 4, 6
    Edid,              // 2, 3, 4, 5, 6
    EdidHeader,        // 2, 3, 4, 5, 6; byte 7 = 01
    Upgrade,           // 2, 3, 4, 7, 8, 10
    UpgradeLastHeader, // 2, 3, 4, 7, 8, 10; byte 6 = FE
};

// Number of caller values the layout takes.
std::size_t FrameLayoutArity(FrameLayout layout);

// Builds and seals a frame. Values are taken in the layout's position order and
// only their low 8 bits are kept (-16 becomes F0). Missing values count as 0,
// surplus values are ignored.
CommandFrame BuildFrame(FrameLayout layout, std::initializer_list<int> values);
