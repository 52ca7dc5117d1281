#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The 13-byte unit of every exchange with the matrix: A5 5B, group, command,
// eight parameter bytes and a checksum that makes the 8-bit sum of all bytes 0.
constexpr std::size_t kFrameSize = 13;
constexpr std::uint8_t kFrameStart = 0xA5;
constexpr std::uint8_t kFrameSecond = 0x5B;
constexpr std::size_t kChecksumIndex = 12;

using CommandFrame = std::array<std::uint8_t, kFrameSize>;

// The byte that completes bytes 0..11 to an 8-bit sum of 0.
std::uint8_t FrameChecksum(const CommandFrame& frame);

void SealFrame(CommandFrame& frame);

bool HasFrameHeader(const CommandFrame& frame);

// Intact when all 13 bytes add up to 0 modulo 256.
bool IsFrameIntact(const CommandFrame& frame);

// Standby notice the matrix sends of its own accord.
bool IsStandbyFrame(const CommandFrame& frame);
