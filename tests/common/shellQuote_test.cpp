// Shell quoting against what a real shell makes of the word, and the
// control characters a value printed for a script must not hold.
#include "shellQuote.h"

#include <gtest/gtest.h>

#include <string>

#include "Process.h"

namespace {

TEST(ShellQuote, EmbeddedQuoteCannotEndTheWord) {
    // The last is a host name that tries to end the quoting and run a command.
    for (std::string s : {"", "'", "a'b'c", "$(id) `id` \"q\" \\ new\nline", "x'; touch /tmp/pwned; '"}) {
        // What a POSIX shell makes of the word: printf %s prints it.
        EXPECT_EQ(tk::run(tk::Spawn({"/bin/sh", "-c", "printf %s " + trev::shellQuote(s)})).out, s) << s;
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
