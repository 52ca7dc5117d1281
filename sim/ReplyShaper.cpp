#include "ReplyShaper.h"

#include <algorithm>

std::vector<TimedWrite> ReplyShaper::Shape(std::vector<Bytes> replies, FaultPlan& plan)
{
    std::vector<TimedWrite> writes;
    for (Bytes& reply : replies) {
        if (held_) {
            reply.insert(reply.begin(), held_->begin(), held_->end());
            held_.reset();
        } else if (plan.mergeNext > 0) {
            --plan.mergeNext;
            held_ = std::move(reply);
            continue;
        }
        if (plan.splitNext > 0) {
            --plan.splitNext;
            // Three pieces, far enough apart to arrive as separate reads.
            const std::size_t size = reply.size();
            const std::size_t cuts[] = {0, size / 3, 2 * size / 3, size};
            for (int piece = 0; piece < 3; ++piece) {
                const auto from = reply.begin() + static_cast<std::ptrdiff_t>(cuts[piece]);
                const auto to = reply.begin() + static_cast<std::ptrdiff_t>(cuts[piece + 1]);
                if (from != to)
                    writes.push_back({piece == 0 ? plan.delayMs : kSplitPieceGapMs, Bytes(from, to)});
            }
            continue;
        }
        writes.push_back({plan.delayMs, std::move(reply)});
    }
    return writes;
}
