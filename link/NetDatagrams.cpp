#include "NetDatagrams.h"

#include "ByteSum.h"

#include <algorithm>

namespace {
constexpr std::size_t kMarkerOffset = 18;
constexpr std::uint8_t kMarkerHigh = 0x77;
constexpr std::uint8_t kMarkerLow = 0x88;
constexpr std::uint8_t kAutomaticMode = 0x16;
constexpr std::uint8_t kStaticMode = 0x17;

template <std::size_t N>
void Put(std::vector<std::uint8_t>& bytes, std::size_t offset, const std::array<std::uint8_t, N>& value)
{
    std::copy(value.begin(), value.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

template <std::size_t N>
std::array<std::uint8_t, N> Take(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    std::array<std::uint8_t, N> value{};
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), N, value.begin());
    return value;
}
} // namespace

std::vector<std::uint8_t> EncodeSearchAnswer(const SearchAnswer& answer)
{
    std::vector<std::uint8_t> bytes(kSearchAnswerSize, 0);
    Put(bytes, 0, answer.mac);
    Put(bytes, 6, answer.ip);
    Put(bytes, 10, Ipv4Address{255, 255, 255, 0});
    Put(bytes, 14, Ipv4Address{answer.ip[0], answer.ip[1], answer.ip[2], 1});
    bytes[kMarkerOffset] = kMarkerHigh;
    bytes[kMarkerOffset + 1] = kMarkerLow;
    return bytes;
}

std::optional<SearchAnswer> DecodeSearchAnswer(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kMarkerOffset + 2 || bytes[kMarkerOffset] != kMarkerHigh ||
        bytes[kMarkerOffset + 1] != kMarkerLow)
        return std::nullopt;
    return SearchAnswer{Take<6>(bytes, 0), Take<4>(bytes, 6)};
}

std::vector<std::uint8_t> EncodeNetConfig(const NetConfigRequest& request)
{
    std::vector<std::uint8_t> bytes(kNetConfigSize, 0);
    Put(bytes, 0, request.target);
    Put(bytes, 6, request.ip);
    Put(bytes, 10, request.gateway);
    Put(bytes, 14, request.mask);
    bytes[18] = request.automatic ? 1 : 0;
    Put(bytes, 19, request.newMac);
    bytes[25] = request.automatic ? kAutomaticMode : kStaticMode;
    bytes[74] = request.status;
    SealNetConfig(bytes);
    return bytes;
}

std::optional<NetConfigRequest> DecodeNetConfig(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != kNetConfigSize || ByteSum(bytes.first(75)) != bytes[75])
        return std::nullopt;
    NetConfigRequest request;
    request.target = Take<6>(bytes, 0);
    request.ip = Take<4>(bytes, 6);
    request.gateway = Take<4>(bytes, 10);
    request.mask = Take<4>(bytes, 14);
    request.automatic = bytes[18] == 1;
    request.newMac = Take<6>(bytes, 19);
    request.status = bytes[74];
    return request;
}

void SealNetConfig(std::span<std::uint8_t> bytes)
{
    bytes[75] = ByteSum(bytes.first(75));
}
