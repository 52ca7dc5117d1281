#include "FrameBuilder.h"

#include <array>
#include <cstdint>

namespace {

struct LayoutTable {
    std::array<std::uint8_t, 6> positions;
    std::size_t positionCount;
    std::uint8_t constantPosition; // 0 when the layout has no constant byte
    std::uint8_t constantValue;
};

LayoutTable TableOf(FrameLayout layout)
{
    switch (layout) {
    case FrameLayout::General:
        return {{2, 3, 4}, 3, 0, 0};
    case FrameLayout::GeneralB6:
    case FrameLayout::Matrix:
        return {{2, 3, 4, 6}, 4, 0, 0};
    case FrameLayout::GeneralB5:
        return {{2, 3, 4, 5}, 4, 0, 0};
    case FrameLayout::Edid:
        return {{2, 3, 4, 5, 6}, 5, 0, 0};
    case FrameLayout::EdidHeader:
        return {{2, 3, 4, 5, 6}, 5, 7, 0x01};
    case FrameLayout::Upgrade:
        return {{2, 3, 4, 7, 8, 10}, 6, 0, 0};
    case FrameLayout::UpgradeLastHeader:
        return {{2, 3, 4, 7, 8, 10}, 6, 6, 0xFE};
    }
    return {{}, 0, 0, 0};
}

} // namespace

std::size_t FrameLayoutArity(FrameLayout layout)
{
    return TableOf(layout).positionCount;
}

CommandFrame BuildFrame(FrameLayout layout, std::initializer_list<int> values)
{
    const LayoutTable table = TableOf(layout);
    CommandFrame frame{};
    frame[0] = kFrameStart;
    frame[1] = kFrameSecond;
    std::size_t index = 0;
    for (int value : values) {
        if (index == table.positionCount)
            break;
        frame[table.positions[index++]] = static_cast<std::uint8_t>(value & 0xFF);
    }
    if (table.constantPosition != 0)
        frame[table.constantPosition] = table.constantValue;
    SealFrame(frame);
    return frame;
}
