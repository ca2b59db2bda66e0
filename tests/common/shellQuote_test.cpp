// Shell quoting against what a real shell makes of the word, and the
// control characters a value printed for a script must not hold.
#include "shellQuote.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// What a POSIX shell makes of a word: runs printf %s on it.
std::string shellSees(const std::string& word) {
    FILE* p = popen(("printf %s " + word).c_str(), "r");
    std::string out;
    char buf[256];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
    return out;
}

TEST(ShellQuote, EmbeddedQuoteCannotEndTheWord) {
    // The last is a host name that tries to end the quoting and run a command.
    for (std::string s : {"", "'", "a'b'c", "$(id) `id` \"q\" \\ new\nline", "x'; touch /tmp/pwned; '"}) {
        EXPECT_EQ(shellSees(trev::shellQuote(s)), s) << s;
    }
}

TEST(ShellQuote, ControlCharactersAreFoundUtf8IsNot) {
    const std::pair<std::string, bool> cases[] = {
        {"/dev/rmt/0 na\xc3\xafve \xe2\x82\xac \x80\xff", false}, {"a\nb", true}, {"\x1f", true},
        {std::string("a\0b", 3), true}, {"\x7f", true},
    };
    for (const auto& [text, control] : cases) EXPECT_EQ(trev::hasControl(text), control) << text;
}

}  // namespace
