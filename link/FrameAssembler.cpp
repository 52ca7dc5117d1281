#include "FrameAssembler.h"

#include <utility>

FrameAssembler::FrameAssembler(FrameHandler handler) : handler_(std::move(handler)) {}

void FrameAssembler::Push(std::uint8_t byte)
{
    if (count_ == 1 && byte != kFrameSecond)
        count_ = 0;
    if (count_ == 0 && byte != kFrameStart)
        return;
    buffer_[count_++] = byte;
    if (count_ < kFrameSize)
        return;
    count_ = 0;
    // Copy first: the handler may push further bytes into this assembler.
    const CommandFrame frame = buffer_;
    if (handler_)
        handler_(frame);
}

void FrameAssembler::Push(std::span<const std::uint8_t> bytes)
{
    for (std::uint8_t byte : bytes)
        Push(byte);
}

void FrameAssembler::Reset()
{
    count_ = 0;
}
