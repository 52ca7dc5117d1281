#pragma once

#include "MatrixState.h"

#include <cstdint>
#include <optional>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// One write to the controller, due delayMs after the previous one.
struct TimedWrite {
    int delayMs;
    Bytes bytes;
};

// Turns replies into writes as the fault plan says: delayed, split into
// pieces, or merged with the reply after them.
class ReplyShaper {
public:
    static constexpr int kSplitPieceGapMs = 20;

    std::vector<TimedWrite> Shape(std::vector<Bytes> replies, FaultPlan& plan);

private:
    std::optional<Bytes> held_;
};
