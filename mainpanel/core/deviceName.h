// Device names of the device and media forms, without X: how a
// "host:device" or "device" string splits, the required-media text of the
// Load Device Options form, and the check of an entry group's fields with
// its warning text and the shell assignment lines printed for the scripts.
#pragma once

#include <string>

namespace trev {

// Device kinds, used as bits of a form's set of kinds (loadDevice).
constexpr int kDevCdrom = 1;
constexpr int kDevTape = 16;
constexpr int kDevTapeFile = 256;

// Host text shown for a device of this workstation.
constexpr const char* kLocalHostLabel = "(local)";

struct DevSpec {
    bool remote = false;   // the device name holds a colon
    std::string host;      // text before the first colon; empty when local
    std::string device;    // everything after the first colon, or the whole text
};

// Splits at the first colon; no other syntax (no escaping, no trimming).
// ":dev" is remote with an empty host.  Any length is held whole.
DevSpec splitDevSpec(const std::string& spec);

// The lines that say how many media of one kind are needed and which:
// "%d %s: " ("%d %ss: " unless count is 1) with "CD-ROM" for kind 1 and
// "   tape" for any other kind, then the "~"-separated labels, the first on
// the heading line, each further one on its own line after eleven blanks.
// Every line ends in a line feed.
std::string requiredMediaLines(int kind, int count, const std::string& labels);

// What an entry group holds when its form's button is pressed.
struct DevEntry {
    std::string device;   // text of the Device field
    std::string host;     // text of the Host field (read only when remote)
    bool remote = false;  // the group's remote flag (CDHost / tapeHost) is 1
};

// Heads the names that hold a control character in a device check's warning.
constexpr const char* kControlWarning =
    "Remove the control characters (line feeds, tabs, ...) from\n";

struct DevCheck {
    // "You need to specify\n" and one indented line per missing name, then
    // kControlWarning and one indented line per name that holds a control
    // character; empty when every name is there and plain.
    std::string warning;
    // The assignment lines for the script, CD-ROM first; meant to be printed
    // only when nothing is missing.
    std::string result;
    bool complete() const { return warning.empty(); }
};

// Checks the CD-ROM entry when `kinds` has bit 1 and the tape entry when it
// has bit 16 (variable DeviceTAPE) or else bit 256 (variable TFILE).  A
// remote CD-ROM host is cut at its last colon; a tape host is taken whole.
// Values are written inside single quotes with each embedded ' as '\'';
// a value with a control character is refused (hasControl), so that each
// answer stays one line.
DevCheck checkDevEntries(int kinds, const DevEntry& cd, const DevEntry& tape);

// "<name>='<value>'\n" with the value escaped for the single quotes.
std::string assignmentLine(const char* name, const std::string& value);

}  // namespace trev
