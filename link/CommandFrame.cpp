#include "CommandFrame.h"

#include "ByteSum.h"

std::uint8_t FrameChecksum(const CommandFrame& frame)
{
    return static_cast<std::uint8_t>(256u - ByteSum(std::span(frame).first(kChecksumIndex)));
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
    return ByteSum(frame) == 0;
}

bool IsStandbyFrame(const CommandFrame& frame)
{
    return frame[2] == 0x88 && frame[3] == 0x88;
}
