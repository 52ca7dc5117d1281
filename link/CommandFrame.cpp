#include "CommandFrame.h"

#include <numeric>

namespace {
unsigned ByteSum(const CommandFrame& frame, std::size_t count)
{
    return std::accumulate(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(count), 0u);
}
} // namespace

std::uint8_t FrameChecksum(const CommandFrame& frame)
{
    return static_cast<std::uint8_t>(256u - ByteSum(frame, kChecksumIndex) % 256u);
}

void SealFrame(CommandFrame& frame)
{
    frame[kChecksumIndex] = FrameChecksum(frame);
}

bool HasFrameHeader(const CommandFrame& frame)
{
    return frame[0] == kFrameStart && frame[1] == kFrameSecond;
}

bool IsFrameIntact(const CommandFrame& frame)
{
    return ByteSum(frame, kFrameSize) % 256u == 0;
}

bool IsStandbyFrame(const CommandFrame& frame)
{
    return frame[2] == 0x88 && frame[3] == 0x88;
}
