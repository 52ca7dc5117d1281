#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The UDP datagrams of matrix discovery (port 30600) and network
// configuration (port 30601).

constexpr std::uint16_t kSearchPort = 30600;
constexpr std::uint16_t kNetConfigPort = 30601;
constexpr std::uint8_t kSearchRequestByte = 0x61;
constexpr std::size_t kSearchAnswerSize = 55;
constexpr std::size_t kNetConfigSize = 76;

using MacAddress = std::array<std::uint8_t, 6>;
using Ipv4Address = std::array<std::uint8_t, 4>;

struct SearchAnswer {
    MacAddress mac{};
    Ipv4Address ip{};
};

// 55 bytes: MAC at 0, IP at 6, mask at 10, gateway at 14, 77 88 at 18.
std::vector<std::uint8_t> EncodeSearchAnswer(const SearchAnswer& answer);
// nullopt unless the bytes hold the 77 88 marker at 18.
std::optional<SearchAnswer> DecodeSearchAnswer(std::span<const std::uint8_t> bytes);

struct NetConfigRequest {
    MacAddress target{};     // the matrix to configure
    Ipv4Address ip{};        // static addressing only
    Ipv4Address gateway{};
    Ipv4Address mask{};
    bool automatic = true;   // byte 18: 1 automatic, 0 static
    MacAddress newMac{};
    std::uint8_t status = 0xFF; // byte 74: FF request, 00 accepted
};

// 76 bytes with the sum of bytes 0..74 in byte 75.
std::vector<std::uint8_t> EncodeNetConfig(const NetConfigRequest& request);
// Puts the sum of bytes 0..74 into byte 75 of a 76-byte datagram.
void SealNetConfig(std::span<std::uint8_t> bytes);
// nullopt when the size or the trailing sum is wrong.
std::optional<NetConfigRequest> DecodeNetConfig(std::span<const std::uint8_t> bytes);
