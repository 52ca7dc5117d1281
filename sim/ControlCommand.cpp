#include "ControlCommand.h"

#include <fstream>
#include <sstream>

const char* const kControlHelp =
    "drop GG CC [N]       drop the next N replies to command GG CC (hex)\n"
    "corrupt [N]          corrupt the checksum of the next N replies\n"
    "delay MS             delay every reply by MS milliseconds (0: off)\n"
    "split [N]            write each of the next N replies in three pieces\n"
    "merge [N]            write each of the next N replies together with the one after it\n"
    "route I O            route input I to output O\n"
    "standby              send the standby notice now\n"
    "refuse-part P        refuse firmware part P; accept-part P undoes it\n"
    "edid-setting HH      EDID setting reported by 03 0B (hex; 0F asks for [1111])\n"
    "input K on|off       input K has a device connected or not; output K likewise\n"
    "copy-refused on|off  refuse EDID copies to one input\n"
    "download-fails on|off  answer EDID downloads with FF\n"
    "reboot-ms MS         silence after a firmware part\n"
    "close-tcp            close the TCP connection\n"
    "close-pty            close the pseudo-terminal as an unplugged adapter\n"
    "dump-firmware PATH   write the firmware received so far to PATH\n";

namespace {

bool ReadHex(std::istringstream& in, int& value)
{
    std::string word;
    if (!(in >> word))
        return false;
    try {
        std::size_t used = 0;
        value = std::stoi(word, &used, 16);
        return used == word.size() && value >= 0 && value <= 0xFF;
    } catch (...) {
        return false;
    }
}

bool ReadCount(std::istringstream& in, int& value, int fallback, int maximum)
{
    std::string word;
    if (!(in >> word)) {
        value = fallback;
        return true;
    }
    try {
        std::size_t used = 0;
        value = std::stoi(word, &used, 10);
        return used == word.size() && value >= 0 && value <= maximum;
    } catch (...) {
        return false;
    }
}

bool ReadSwitch(std::istringstream& in, bool& value)
{
    std::string word;
    in >> word;
    if (word == "on" || word == "connected")
        value = true;
    else if (word == "off" || word == "disconnected")
        value = false;
    else
        return false;
    return true;
}

ControlResult Fail(const std::string& message)
{
    return {false, message, ServerAction::None, {}};
}

} // namespace

ControlResult ApplyControlLine(const std::string& line, MatrixModel& model)
{
    std::istringstream in(line);
    std::string verb;
    if (!(in >> verb) || verb[0] == '#')
        return {};
    FaultPlan& plan = model.Faults();
    MatrixState& state = model.State();
    constexpr int kMaxCount = 1000000;
    int a = 0;
    int b = 0;
    bool on = false;
    if (verb == "drop") {
        int count = 0;
        if (!ReadHex(in, a) || !ReadHex(in, b) || !ReadCount(in, count, 1, kMaxCount))
            return Fail("usage: drop GG CC [N]");
        plan.dropReplies[CommandKey(static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b))] += count;
    } else if (verb == "corrupt") {
        if (!ReadCount(in, a, 1, kMaxCount))
            return Fail("usage: corrupt [N]");
        plan.corruptNext += a;
    } else if (verb == "delay") {
        if (!ReadCount(in, a, -1, 600000) || a < 0)
            return Fail("usage: delay MS");
        plan.delayMs = a;
    } else if (verb == "split") {
        if (!ReadCount(in, a, 1, kMaxCount))
            return Fail("usage: split [N]");
        plan.splitNext += a;
    } else if (verb == "merge") {
        if (!ReadCount(in, a, 1, kMaxCount))
            return Fail("usage: merge [N]");
        plan.mergeNext += a;
    } else if (verb == "route") {
        if (!ReadCount(in, a, -1, kMatrixPorts) || a < 1 || !ReadCount(in, b, -1, kMatrixPorts) || b < 1)
            return Fail("usage: route I O (1..8)");
        state.routing[static_cast<std::size_t>(b - 1)] = static_cast<std::uint8_t>(a);
    } else if (verb == "refuse-part" || verb == "accept-part") {
        if (!ReadCount(in, a, -1, 4) || a < 1)
            return Fail("usage: " + verb + " P (1..4)");
        if (verb == "refuse-part")
            plan.refusedParts.insert(a);
        else
            plan.refusedParts.erase(a);
    } else if (verb == "edid-setting") {
        if (!ReadHex(in, a))
            return Fail("usage: edid-setting HH");
        state.edidSetting = static_cast<std::uint8_t>(a);
    } else if (verb == "input" || verb == "output") {
        if (!ReadCount(in, a, -1, kMatrixPorts) || a < 1 || !ReadSwitch(in, on))
            return Fail("usage: " + verb + " K on|off");
        auto& ports = verb == "input" ? state.inputConnected : state.outputConnected;
        ports[static_cast<std::size_t>(a - 1)] = on;
    } else if (verb == "copy-refused" || verb == "download-fails") {
        if (!ReadSwitch(in, on))
            return Fail("usage: " + verb + " on|off");
        (verb == "copy-refused" ? plan.copyRefused : plan.downloadFails) = on;
    } else if (verb == "reboot-ms") {
        if (!ReadCount(in, a, -1, 600000) || a < 0)
            return Fail("usage: reboot-ms MS");
        plan.rebootMs = a;
    } else if (verb == "standby") {
        return {true, {}, ServerAction::Standby, {}};
    } else if (verb == "close-tcp") {
        return {true, {}, ServerAction::CloseTcp, {}};
    } else if (verb == "close-pty") {
        return {true, {}, ServerAction::ClosePty, {}};
    } else if (verb == "dump-firmware") {
        std::string path;
        if (!(in >> path))
            return Fail("usage: dump-firmware PATH");
        return {true, {}, ServerAction::DumpFirmware, path};
    } else if (verb == "help") {
        return {true, kControlHelp, ServerAction::None, {}};
    } else {
        return Fail("unknown control command '" + verb + "' (try help)");
    }
    return {};
}

bool WriteFirmwareDump(const MatrixModel& model, const std::string& path)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const auto& [part, data] : model.Firmware())
        out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(out);
}
