// The platform file of the platform form: one platform a line, its name the
// first word (at most 19 characters), its description everything after the
// line's first blank less the line's last character (the line feed).  Only
// the first ten lines count.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace trev {

constexpr int kMaxPlatforms = 10;
constexpr std::size_t kPlatformNameMax = 19;
constexpr int kNoPlatform = 99;

struct PlatformList {
    std::vector<std::string> names;   // platArr1
    std::vector<std::string> descs;   // platArr2
};

enum class PlatformError {
    Ok,
    NoWord,        // a line without a word
    NoBlank,       // a line without a blank
    NameTooLong,   // a first word of more than 19 characters
    LineTooLong,   // a line of more than kPlatformLineMax characters
    NameControl,   // a first word with a control character (the name is
                   // printed for the script)
    Empty,         // no line at all
};

// Longest line of a platform file (a 512-byte line buffer).
constexpr std::size_t kPlatformLineMax = 511;

// Reads up to ten lines.  On error `out` holds the lines read before the bad
// one and `badLine` the 0-based number of the bad line.
PlatformError readPlatformFile(std::FILE* f, PlatformList& out, int& badLine);

// The platform preselected on the form: the stored index when it names a
// line read, else the last line named "sun4v", else the first line.
int platformDefaultIndex(const PlatformList& list, std::int32_t storedIndex);

}  // namespace trev
