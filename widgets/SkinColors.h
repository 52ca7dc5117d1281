#pragma once

#include <QColor>

namespace SkinColors {
inline const QColor kStrip{30, 144, 225};
inline const QColor kSelectedTab{240, 245, 230};
inline const QColor kTabSeparator{30, 115, 225};
inline const QColor kTitleText{255, 255, 251};
} // namespace SkinColors
