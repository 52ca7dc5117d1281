#pragma once

#include <array>
#include <cstdint>

// Outputs and inputs the protocol numbers; the panel shows the first four.
constexpr int kRoutingPorts = 8;
constexpr int kShownPorts = 4;

// The Matrix page's routing transaction state; lives for the whole run.
struct RoutingState {
    // Input last confirmed for each output (index = output - 1).
    std::array<std::uint8_t, kRoutingPorts> currentInput{1, 1, 1, 1, 1, 1, 1, 1};
    // Input of the last switch requested (or taken from a query reply).
    std::uint8_t requestedInput = 1;
    // A switch or a routing refresh is outstanding; presses and tab changes
    // are refused.
    bool busy = false;
    // The pending switch was resent once after a reply with a bad checksum.
    bool checksumRetried = false;
};
