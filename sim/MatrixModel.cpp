#include "MatrixModel.h"

#include "ByteSum.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {
constexpr std::size_t kEdidBlockSize = 290;
constexpr std::size_t kEdidSize = 256;
constexpr std::size_t kFirmwarePacketSize = 257;
constexpr std::size_t kFirmwareDataSize = 256;
constexpr std::int64_t kBlockPatienceMs = 2000;
constexpr std::uint8_t kReady = 0xAA;
constexpr std::uint8_t kDataHeader = 0x56;
constexpr std::uint8_t kRefused = 0x44;
constexpr std::uint8_t kNotConnected = 0xFF;

std::string Hex(std::span<const std::uint8_t> bytes)
{
    std::string text;
    char part[4];
    for (std::uint8_t byte : bytes) {
        std::snprintf(part, sizeof part, "%02X ", byte);
        text += part;
    }
    if (!text.empty())
        text.pop_back();
    return text;
}

bool IsPort(int number)
{
    return number >= 1 && number <= kMatrixPorts;
}

bool IsValidEdid(std::span<const std::uint8_t> edid)
{
    static constexpr std::array<std::uint8_t, 8> header{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    if (!std::equal(header.begin(), header.end(), edid.begin()))
        return false;
    const std::uint8_t extensions = edid[126];
    if (extensions > 1 || ByteSum(edid.first(128)) != 0)
        return false;
    return extensions == 0 || ByteSum(edid.subspan(128, 128)) == 0;
}
} // namespace

MatrixModel::MatrixModel(const MacAddress& mac, const Ipv4Address& ip)
    : assembler_([this](const CommandFrame& frame) { OnFrame(frame); })
{
    state_.mac = mac;
    state_.ip = ip;
}

std::vector<Bytes> MatrixModel::Receive(std::span<const std::uint8_t> bytes, std::int64_t nowMs)
{
    now_ = nowMs;
    if (blockKind_ != BlockKind::None && now_ > blockDeadline_) {
        Note("raw block abandoned after " + std::to_string(block_.size()) + " bytes");
        blockKind_ = BlockKind::None;
    }
    if (Rebooting(nowMs)) {
        Note("rebooting: ignored " + std::to_string(bytes.size()) + " bytes");
        return {};
    }
    for (std::uint8_t byte : bytes)
        OnByte(byte);
    return std::exchange(out_, {});
}

void MatrixModel::OnByte(std::uint8_t byte)
{
    if (blockKind_ == BlockKind::None) {
        assembler_.Push(byte);
        return;
    }
    block_.push_back(byte);
    if (block_.size() == blockSize_)
        OnBlock();
}

Bytes MatrixModel::StandbyFrame()
{
    CommandFrame frame{kFrameStart, kFrameSecond, 0x88, 0x88};
    SealFrame(frame);
    return Bytes(frame.begin(), frame.end());
}

Bytes MatrixModel::SearchAnswer() const
{
    return EncodeSearchAnswer({state_.mac, state_.ip});
}

std::optional<Bytes> MatrixModel::Configure(std::span<const std::uint8_t> datagram)
{
    const auto request = DecodeNetConfig(datagram);
    if (!request || request->status != 0xFF || request->target != state_.mac)
        return std::nullopt;
    state_.automaticIp = request->automatic;
    if (!request->automatic)
        state_.ip = request->ip;
    state_.mac = request->newMac;
    Bytes answer(datagram.begin(), datagram.end());
    answer[74] = 0x00;
    SealNetConfig(answer);
    return answer;
}

std::vector<std::string> MatrixModel::TakeNotes()
{
    return std::exchange(notes_, {});
}

void MatrixModel::Note(const std::string& text)
{
    notes_.push_back(text);
}

void MatrixModel::OnFrame(const CommandFrame& frame)
{
    if (!IsFrameIntact(frame)) {
        Note("bad checksum, ignored: " + Hex(frame));
        return;
    }
    dropCurrent_ = TakeDrop(CommandKey(frame[2], frame[3]));
    switch (frame[2]) {
    case 0x01:
        HandleDevice(frame);
        break;
    case 0x02:
        HandleRouting(frame);
        break;
    case 0x03:
        HandleEdid(frame);
        break;
    case 0x06:
        HandleSettings(frame);
        break;
    case 0x20:
        HandleFirmware(frame);
        break;
    default:
        Note("unknown command, ignored: " + Hex(frame));
        break;
    }
    dropCurrent_ = false;
}

bool MatrixModel::TakeDrop(std::uint16_t command)
{
    auto drop = faults_.dropReplies.find(command);
    if (drop == faults_.dropReplies.end())
        return false;
    const bool dropped = drop->second > 0;
    if (--drop->second <= 0)
        faults_.dropReplies.erase(drop);
    return dropped;
}

void MatrixModel::Reply(const CommandFrame& request,
                        std::initializer_list<std::pair<int, int>> bytes)
{
    CommandFrame reply{kFrameStart, kFrameSecond, request[2], request[3]};
    for (const auto& [position, value] : bytes)
        reply[static_cast<std::size_t>(position)] = static_cast<std::uint8_t>(value);
    Emit(reply);
}

void MatrixModel::Emit(CommandFrame frame)
{
    SealFrame(frame);
    if (dropCurrent_) {
        Note("reply dropped: " + Hex(frame));
        return;
    }
    if (faults_.corruptNext > 0) {
        --faults_.corruptNext;
        ++frame[kChecksumIndex];
    }
    out_.emplace_back(frame.begin(), frame.end());
}

void MatrixModel::HandleDevice(const CommandFrame& f)
{
    const int port = f[4];
    switch (f[3]) {
    case 0x01:
        Reply(f, {{4, state_.deviceType}});
        return;
    case 0x02:
        Reply(f, {{4, kUsedPorts}, {6, kUsedPorts}});
        return;
    case 0x03:
        Reply(f, {{4, state_.firmwareMajor}, {6, state_.firmwareMinor}});
        return;
    case 0x04:
    case 0x05:
        if (IsPort(port)) {
            const auto& connected = f[3] == 0x04 ? state_.inputConnected : state_.outputConnected;
            Reply(f, {{4, port}, {6, connected[port - 1] ? 0x01 : kNotConnected}});
            return;
        }
        break;
    case 0x0A:
        Reply(f, {{4, 0}, {6, state_.ir ? 0x00 : 0xFF}});
        return;
    case 0x0B:
        Reply(f, {{4, 0}, {6, state_.beep ? 0x00 : 0xFF}});
        return;
    case 0x0C:
        if (IsPort(port)) {
            Reply(f, {{4, port}, {5, 0}, {6, state_.edidStatus[port - 1]}});
            return;
        }
        break;
    default:
        break;
    }
    Note("unknown device command, ignored: " + Hex(f));
}

void MatrixModel::HandleRouting(const CommandFrame& f)
{
    if (f[3] == 0x01 && IsPort(f[4])) {
        Reply(f, {{4, f[4]}, {6, state_.routing[f[4] - 1u]}});
        return;
    }
    if (f[3] == 0x03 && IsPort(f[4]) && IsPort(f[6])) {
        state_.routing[f[6] - 1u] = f[4];
        Reply(f, {{4, 0}, {6, f[6]}});
        return;
    }
    Note("unknown routing command, ignored: " + Hex(f));
}

void MatrixModel::HandleEdid(const CommandFrame& f)
{
    auto setAll = [this](std::uint8_t status) {
        std::fill(state_.edidStatus.begin(), state_.edidStatus.end(), status);
    };
    switch (f[3]) {
    case 0x01:
        if (f[4] >= 1 && f[4] <= 15) {
            setAll(static_cast<std::uint8_t>(f[4] - 1));
            Reply(f, {{4, 0}, {6, 0}});
            return;
        }
        break;
    case 0x02:
        if (f[4] >= 1 && f[4] <= 15 && IsPort(f[6])) {
            state_.edidStatus[f[6] - 1u] = static_cast<std::uint8_t>(f[4] - 1);
            Reply(f, {{4, 0}, {6, f[6]}});
            return;
        }
        break;
    case 0x03:
        if (IsPort(f[4])) {
            setAll(static_cast<std::uint8_t>(kEdidCopyOfOutputA + f[4] - 1));
            Reply(f, {{4, 0}});
            return;
        }
        break;
    case 0x04:
        if (IsPort(f[4]) && IsPort(f[6])) {
            const bool refused = faults_.copyRefused || !state_.outputConnected[f[4] - 1u];
            if (!refused)
                state_.edidStatus[f[6] - 1u] = static_cast<std::uint8_t>(kEdidCopyOfOutputA + f[4] - 1);
            Reply(f, {{4, refused ? 0x01 : 0x00}, {6, f[6]}});
            return;
        }
        break;
    case 0x06:
    case 0x07:
        if (f[4] == kDataHeader && f[7] == 0x01) {
            blockGroupCommand_ = f[3];
            ExpectBlock(BlockKind::Edid, kEdidBlockSize);
            return;
        }
        if ((f[3] == 0x06 && f[4] == 0xFE) || (f[3] == 0x07 && IsPort(f[4]))) {
            edidTarget_ = f[3] == 0x06 ? 0 : f[4];
            Reply(f, {{4, kReady}, {7, 0}});
            return;
        }
        break;
    case 0x08:
        Reply(f, {{4, 0}, {6, 0}});
        return;
    case 0x09:
        setAll(kEdidDefault);
        Reply(f, {{4, 0}});
        return;
    case 0x0A:
        if (IsPort(f[4])) {
            state_.edidStatus[f[4] - 1u] = kEdidDefault;
            Reply(f, {{4, f[4]}});
            return;
        }
        break;
    case 0x0B:
        Reply(f, {{4, state_.edidSetting}, {5, 0}});
        return;
    default:
        break;
    }
    Note("unknown EDID command, ignored: " + Hex(f));
}

void MatrixModel::HandleSettings(const CommandFrame& f)
{
    if (f[3] == 0x01 && (f[4] == 0x0F || f[4] == 0xF0)) {
        state_.beep = f[4] == 0x0F;
        Reply(f, {{4, 0}, {6, 0}});
        return;
    }
    Note("unknown settings command, ignored: " + Hex(f));
}

void MatrixModel::HandleFirmware(const CommandFrame& f)
{
    const int part = f[3];
    const std::uint8_t action = f[4];
    const bool packetHeader = action == kReady && f[7] == 0x01 && f[8] == 0x01;
    const bool lastHeader = action == kDataHeader && f[6] == 0xFE && f[8] == 0x01;
    if ((packetHeader || lastHeader) && part >= 1 && part <= 3) {
        blockGroupCommand_ = static_cast<std::uint8_t>(part);
        blockIndex_ = f[10];
        blockIsLast_ = lastHeader;
        ExpectBlock(BlockKind::FirmwarePacket, kFirmwarePacketSize);
        return;
    }
    auto start = [&](int startedPart, std::uint8_t readyCode) {
        firmware_[startedPart].clear();
        if (faults_.refusedParts.count(startedPart))
            Reply(f, {{4, kRefused}});
        else
            Reply(f, {{4, readyCode}, {7, 0}});
    };
    if (part == 1 && action == 0x01)
        return start(1, kReady);
    if (part == 2 && action == 0x01)
        return start(2, kReady);
    if (part == 2 && action == 0x03)
        return start(3, 0xFE);
    if (part == 1 && (action == 0x80 || action == 0x10))
        return Reply(f, {{4, 0}});
    if (part == 4 && action == 0x01) {
        firmware_[4].clear();
        Note("part 4 started; it has no transfer");
        return;
    }
    Note("unknown firmware command, ignored: " + Hex(f));
}

void MatrixModel::ExpectBlock(BlockKind kind, std::size_t size)
{
    blockKind_ = kind;
    blockSize_ = size;
    block_.clear();
    blockDeadline_ = now_ + kBlockPatienceMs;
}

void MatrixModel::OnBlock()
{
    const BlockKind kind = std::exchange(blockKind_, BlockKind::None);
    const std::uint8_t group = kind == BlockKind::Edid ? 0x03 : 0x20;
    dropCurrent_ = TakeDrop(CommandKey(group, blockGroupCommand_));
    if (kind == BlockKind::Edid)
        OnEdidBlock();
    else
        OnFirmwarePacket();
    dropCurrent_ = false;
}

void MatrixModel::OnEdidBlock()
{
    const auto edid = std::span<const std::uint8_t>(block_).subspan(1, kEdidSize);
    const bool accepted = IsValidEdid(edid) && !faults_.downloadFails;
    if (accepted) {
        for (int input = 1; input <= kMatrixPorts; ++input) {
            if (edidTarget_ == 0 || edidTarget_ == input)
                state_.edidStatus[static_cast<std::size_t>(input - 1)] = kEdidUserDefined;
        }
    } else {
        Note("EDID download refused");
    }
    CommandFrame result{kFrameStart, kFrameSecond, 0x03, blockGroupCommand_};
    result[4] = accepted ? 0x00 : 0xFF;
    result[7] = 0x01;
    Emit(result);
}

void MatrixModel::OnFirmwarePacket()
{
    const int part = blockGroupCommand_;
    if (ByteSum(block_) != 0) {
        Note("firmware packet " + std::to_string(blockIndex_) + " of part " +
             std::to_string(part) + " fails its checksum; not acknowledged");
        return;
    }
    Bytes& data = firmware_[part];
    const std::size_t offset = static_cast<std::size_t>(blockIndex_) * kFirmwareDataSize;
    if (data.size() < offset + kFirmwareDataSize)
        data.resize(offset + kFirmwareDataSize);
    std::copy(block_.begin() + 1, block_.end(), data.begin() + static_cast<std::ptrdiff_t>(offset));

    CommandFrame ack{kFrameStart, kFrameSecond, 0x20, static_cast<std::uint8_t>(part)};
    ack[7] = 0x01;
    ack[8] = 0x01;
    ack[10] = static_cast<std::uint8_t>(blockIndex_);
    Emit(ack);
    if (!blockIsLast_)
        return;
    CommandFrame complete{kFrameStart, kFrameSecond, 0x20, static_cast<std::uint8_t>(part)};
    complete[6] = 0xFE;
    complete[8] = 0x01;
    Emit(complete);
    rebootUntil_ = now_ + faults_.rebootMs;
}
