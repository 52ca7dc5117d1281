#pragma once

#include "MatrixModel.h"

#include <string>

// What a control line asks of the servers rather than of the model.
enum class ServerAction { None, Standby, CloseTcp, ClosePty, DumpFirmware };

struct ControlResult {
    bool ok = true;
    std::string message; // error text, or help
    ServerAction action = ServerAction::None;
    std::string path;    // for DumpFirmware
};

// Applies one line of the fault plan / control language to a matrix:
//   drop GG CC [N] | corrupt [N] | delay MS | split [N] | merge [N]
//   route I O | standby | refuse-part P | accept-part P | edid-setting HH
//   input K on|off | output K on|off | copy-refused on|off
//   download-fails on|off | reboot-ms MS | close-tcp | close-pty
//   dump-firmware PATH | help
ControlResult ApplyControlLine(const std::string& line, MatrixModel& model);

extern const char* const kControlHelp;

// Writes the received firmware, parts in order, packets in index order.
bool WriteFirmwareDump(const MatrixModel& model, const std::string& path);
