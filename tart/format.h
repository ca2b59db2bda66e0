// The listing format: a printf-like text whose directives stand for fields
// of a member.  Compiled once into literal pieces and the directives between
// them.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tart {

// The directives in their fixed table order, which is also the order in
// which a member's values are computed.
enum class Directive {
    Type,       // %t
    Size,       // %s
    Checksum,   // %c
    Mode,       // %m
    ModeStr,    // %M
    Uid,        // %u
    UidStr,     // %U
    Gid,        // %g
    GidStr,     // %G
    FileName,   // %f
    LinkName,   // %l
    Date,       // %d
    DateStr,    // %D
};
constexpr std::size_t kDirectiveCount = 13;
constexpr char kDirectiveLetters[kDirectiveCount + 1] = "tscmMuUgGfldD";
constexpr std::size_t kMaxDirectives = 24;

constexpr const char* kDefaultFormat = "%t%M %u/%g %s %D %f%l";

// One text per directive, refilled for every member.
using DirectiveValues = std::array<std::string, kDirectiveCount>;

struct CompiledFormat {
    // literals[i] comes before directives[i]; the last literal ends the line
    // (before the newline).  literals.size() == directives.size() + 1.
    std::vector<std::string> literals{std::string()};
    std::vector<Directive> directives;
    unsigned mask = 0;  // bit (1 << directive) for every directive used

    bool uses(Directive d) const { return (mask >> static_cast<unsigned>(d)) & 1u; }

    // Appends the member's line, newline included, to out.
    void render(const DirectiveValues& values, std::string& out) const;
};

struct FormatResult {
    bool ok = false;
    CompiledFormat format;
    std::string message;  // the text for standard error when !ok
};

// "%%" prints one percent sign; "%" and a directive letter prints the value;
// "%" followed by anything else, or by the end of the text, refuses the
// format with "Unrecognized format: %c\n" naming that character (a NUL byte
// for the end).  More than kMaxDirectives directives are refused too.
FormatResult CompileFormat(std::string_view text);

}  // namespace tart
