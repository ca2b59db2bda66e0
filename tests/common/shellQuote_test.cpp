#include "shellQuote.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// What a POSIX shell makes of a word: runs printf %s on it.
std::string shellSees(const std::string& word) {
    std::string cmd = "printf %s " + word;
    FILE* p = popen(cmd.c_str(), "r");
    std::string out;
    char buf[256];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
    return out;
}

TEST(ShellQuote, PlainTextUnchangedInside) {
    EXPECT_EQ(trev::shellEscapeSingleQuoted("/dev/rmt/0"), "/dev/rmt/0");
    EXPECT_EQ(trev::shellEscapeSingleQuoted(""), "");
    EXPECT_EQ(trev::shellQuote("a b"), "'a b'");
}

TEST(ShellQuote, EmbeddedQuoteCannotEndTheWord) {
    EXPECT_EQ(trev::shellEscapeSingleQuoted("x'y"), "x'\\''y");
    for (std::string s : {"x'; touch /tmp/pwned; '", "'", "''", "a'b'c", "$(id) `id` \"q\" \\",
                          "new\nline"}) {
        EXPECT_EQ(shellSees(trev::shellQuote(s)), s) << s;
    }
}

TEST(ShellQuote, ControlCharactersAreFoundUtf8IsNot) {
    const struct {
        std::string text;
        bool control;
    } cases[] = {
        {"", false},          {"/dev/rmt/0", false},     {"na\xc3\xafve \xe2\x82\xac", false},
        {"\x80\xff", false},  {"a\nb", true},            {"\t", true},
        {"x\r", true},        {std::string("a\0b", 3), true}, {"\x1b[2J", true},
        {"\x7f", true},
    };
    for (const auto& c : cases) EXPECT_EQ(trev::hasControl(c.text), c.control) << c.text;
}

}  // namespace
