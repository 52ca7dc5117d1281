#pragma once

#include "CommandFrame.h"
#include "FrameAssembler.h"
#include "MatrixState.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A simulated 4x4 matrix: bytes in, replies out. Time is passed in so that
// the reboot after a firmware part and stale raw blocks need no clock here.
class MatrixModel {
public:
    explicit MatrixModel(const MacAddress& mac, const Ipv4Address& ip);

    // Consumes bytes from the controller; returns the replies, one entry per
    // reply frame, in order.
    std::vector<Bytes> Receive(std::span<const std::uint8_t> bytes, std::int64_t nowMs);

    // The notice the matrix sends of its own accord when it goes to standby.
    static Bytes StandbyFrame();

    Bytes SearchAnswer() const;
    // The answer to a configuration datagram addressed to this matrix (by
    // its MAC), after applying it; nullopt for anything else.
    std::optional<Bytes> Configure(std::span<const std::uint8_t> datagram);

    MatrixState& State() { return state_; }
    FaultPlan& Faults() { return faults_; }

    // Firmware data received per part (1..4), packets in index order.
    const std::map<int, Bytes>& Firmware() const { return firmware_; }
    bool Rebooting(std::int64_t nowMs) const { return nowMs < rebootUntil_; }

    // Notes on what was ignored (unknown commands, bad packets), for the log.
    std::vector<std::string> TakeNotes();

private:
    enum class BlockKind { None, Edid, FirmwarePacket };

    void OnByte(std::uint8_t byte);
    void OnFrame(const CommandFrame& frame);
    void OnBlock();
    void HandleDevice(const CommandFrame& frame);
    void HandleRouting(const CommandFrame& frame);
    void HandleEdid(const CommandFrame& frame);
    void HandleSettings(const CommandFrame& frame);
    void HandleFirmware(const CommandFrame& frame);
    void OnEdidBlock();
    void OnFirmwarePacket();
    void ExpectBlock(BlockKind kind, std::size_t size);
    // Whether the replies to this command are to be dropped (counts down).
    bool TakeDrop(std::uint16_t command);
    void Reply(const CommandFrame& request, std::initializer_list<std::pair<int, int>> bytes);
    void Emit(CommandFrame frame);
    void Note(const std::string& text);

    MatrixState state_;
    FaultPlan faults_;
    FrameAssembler assembler_;
    std::vector<Bytes> out_;
    std::vector<std::string> notes_;
    std::int64_t now_ = 0;
    std::int64_t rebootUntil_ = 0;
    bool dropCurrent_ = false;

    BlockKind blockKind_ = BlockKind::None;
    std::size_t blockSize_ = 0;
    Bytes block_;
    std::int64_t blockDeadline_ = 0;
    std::uint8_t blockGroupCommand_ = 0; // 03 06 / 03 07 for EDID, part for firmware
    int blockIndex_ = 0;
    bool blockIsLast_ = false;
    int edidTarget_ = 0; // 0 = all inputs
    std::map<int, Bytes> firmware_;
};
