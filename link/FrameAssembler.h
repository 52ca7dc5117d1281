#pragma once

#include "CommandFrame.h"

#include <cstdint>
#include <functional>
#include <span>

// Turns a byte stream into frames: a frame starts at A5 followed by 5B and is
// 13 bytes long. After a bad second byte the search resumes at that byte, so
// a stray A5 never swallows the start of the real frame behind it. Every
// complete frame is delivered in order; a partial frame waits for more bytes.
class FrameAssembler {
public:
    using FrameHandler = std::function<void(const CommandFrame&)>;

    explicit FrameAssembler(FrameHandler handler);

    void Push(std::uint8_t byte);
    void Push(std::span<const std::uint8_t> bytes);

    // Drops a partial frame.
    void Reset();

    // Bytes held of the frame being collected (0..12).
    std::size_t Pending() const { return count_; }

private:
    FrameHandler handler_;
    CommandFrame buffer_{};
    std::size_t count_ = 0;
};
