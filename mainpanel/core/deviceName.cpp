#include "deviceName.h"

#include "shellQuote.h"

namespace trev {

DevSpec splitDevSpec(const std::string& spec) {
    DevSpec d;
    const std::string::size_type colon = spec.find(':');
    if (colon == std::string::npos) {
        d.device = spec;
        return d;
    }
    d.remote = true;
    d.host = spec.substr(0, colon);
    d.device = spec.substr(colon + 1);
    return d;
}

std::string requiredMediaLines(int kind, int count, const std::string& labels) {
    std::string out = std::to_string(count) + " " + (kind == kDevCdrom ? "CD-ROM" : "   tape");
    if (count != 1) out += "s";
    out += ": ";
    // The first label shares the heading's line; each further one is
    // indented under it.
    std::string::size_type start = 0;
    for (bool first = true;; first = false) {
        const std::string::size_type tilde = labels.find('~', start);
        if (!first) out += "           ";
        out += labels.substr(start, tilde == std::string::npos ? std::string::npos : tilde - start);
        out += "\n";
        if (tilde == std::string::npos) break;
        start = tilde + 1;
    }
    return out;
}

std::string assignmentLine(const char* name, const std::string& value) {
    return std::string(name) + "='" + shellEscapeSingleQuoted(value) + "'\n";
}

namespace {

// What a check has found wrong so far: names missing, names holding a
// control character.
struct Problems {
    std::string missing, control;
};

// A name of the check: missing or holding a control character, it is listed
// under the item text "    <what> <name>\n".
bool nameOk(const std::string& value, const char* what, const char* name, Problems& p) {
    const std::string item = std::string("    ") + what + " " + name + "\n";
    if (value.empty()) p.missing += item;
    else if (hasControl(value)) p.control += item;
    else return true;
    return false;
}

// One device of the check: a missing device name and, when remote, a
// missing host name are both reported; otherwise its line is added.
void checkOne(const DevEntry& e, const char* variable, const char* what, bool cutHostAtColon,
              DevCheck& c, Problems& p) {
    nameOk(e.device, what, "device name", p);
    if (!e.remote) {
        c.result += assignmentLine(variable, e.device);
        return;
    }
    if (!nameOk(e.host, what, "remote host name", p)) return;
    std::string host = e.host;
    if (cutHostAtColon) {
        const std::string::size_type colon = host.rfind(':');
        if (colon != std::string::npos) host.erase(colon);
    }
    c.result += assignmentLine(variable, host + ":" + e.device);
}

}  // namespace

DevCheck checkDevEntries(int kinds, const DevEntry& cd, const DevEntry& tape) {
    DevCheck c;
    Problems p;
    if (kinds & kDevCdrom) checkOne(cd, "DeviceCD", "CD-ROM", true, c, p);
    if (kinds & (kDevTape | kDevTapeFile))
        checkOne(tape, (kinds & kDevTape) ? "DeviceTAPE" : "TFILE", "Tape", false, c, p);
    if (!p.missing.empty()) c.warning = "You need to specify\n" + p.missing;
    if (!p.control.empty()) c.warning += std::string(kControlWarning) + p.control;
    return c;
}

}  // namespace trev
