#pragma once

#include "NetDatagrams.h"

#include <array>
#include <cstdint>
#include <map>
#include <set>

constexpr int kMatrixPorts = 8; // the protocol numbers ports 1..8
constexpr int kUsedPorts = 4;   // a 4x4 matrix uses 1..4

// EDID status values the device reports for an input.
constexpr std::uint8_t kEdidCopyOfOutputA = 15; // 15..18: copy of output A..D
constexpr std::uint8_t kEdidDefault = kEdidCopyOfOutputA;
constexpr std::uint8_t kEdidUserDefined = 0x20;

// What a simulated matrix is and holds.
struct MatrixState {
    std::array<std::uint8_t, kMatrixPorts> routing{1, 2, 3, 4, 1, 1, 1, 1}; // input per output
    std::array<std::uint8_t, kMatrixPorts> edidStatus{3, 3, 3, 3, 3, 3, 3, 3};
    std::uint8_t edidSetting = 0x00; // 0F asks the operator to set the EDID switch
    std::array<bool, kMatrixPorts> inputConnected{true, true, true, true};
    std::array<bool, kMatrixPorts> outputConnected{true, true, true, true};
    bool beep = true;
    bool ir = true;
    std::uint8_t deviceType = 1;
    std::uint8_t firmwareMajor = 1;
    std::uint8_t firmwareMinor = 2;
    MacAddress mac{};
    Ipv4Address ip{};
    bool automaticIp = false;
};

// Faults the next replies will show. Counters count down as they apply.
struct FaultPlan {
    std::map<std::uint16_t, int> dropReplies; // key: command bytes 2 and 3
    int corruptNext = 0;
    int delayMs = 0;
    int splitNext = 0; // each written as single bytes
    int mergeNext = 0; // each held and written with the reply after it
    std::set<int> refusedParts;
    bool copyRefused = false;
    bool downloadFails = false;
    int rebootMs = 2000;
};

inline std::uint16_t CommandKey(std::uint8_t group, std::uint8_t command)
{
    return static_cast<std::uint16_t>(group << 8 | command);
}
