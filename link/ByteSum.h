#pragma once

#include <cstdint>
#include <numeric>
#include <span>

// The 8-bit sum the protocol's checksums are built on.
inline std::uint8_t ByteSum(std::span<const std::uint8_t> bytes)
{
    return static_cast<std::uint8_t>(std::accumulate(bytes.begin(), bytes.end(), 0u));
}
