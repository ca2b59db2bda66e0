// The command line's form type word, the word-count rules, device words with
// control characters and the filling of usage messages.  Each form's own
// count and usage line is checked through the program.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/formArgs.h"

using namespace trev;

TEST(FormType, IsTheDecimalPrefixOfTheFirstArgument) {
    const std::pair<const char*, int> cases[] = {
        {"19", 19}, {"  7x", 7}, {"+3", 3}, {"-1", -1}, {"x", 0}, {"", 0},
        {"99999999999999", INT_MAX}, {"-99999999999999", INT_MIN}};
    for (auto [text, type] : cases) EXPECT_EQ(parseFormType(text), type) << text;
    EXPECT_EQ(notSupportedMessage(-7), "Feature -7 is not supported yet.\n");
}

TEST(FormArgs, WordCountRules) {
    using R = WordRule;
    const struct {
        WordCount rule;
        int argc;
        const char* third;
        bool fits;
    } cases[] = {
        {{R::Exactly, 4}, 4, "x", true},       {{R::Exactly, 4}, 3, "x", false},
        {{R::Exactly, 4}, 5, "x", false},      {{R::AtLeast, 3}, 2, "x", false},
        {{R::AtLeast, 3}, 3, "x", true},       {{R::AtLeast, 3}, 9, "x", true},
        {{R::EitherOf, 7, 12}, 7, "x", true},  {{R::EitherOf, 7, 12}, 12, "x", true},
        {{R::EitherOf, 7, 12}, 8, "x", false}, {{R::Any}, 2, "x", true},
        {{R::ConfigChoice, 2, 3}, 2, "x", true}, {{R::ConfigChoice, 2, 3}, 3, "noSystem", true},
        {{R::ConfigChoice, 2, 3}, 3, "noUser", true}, {{R::ConfigChoice, 2, 3}, 3, "noSys", false},
        {{R::ConfigChoice, 2, 3}, 4, "noUser", false},
    };
    for (const auto& c : cases) {
        std::vector<const char*> words(static_cast<std::size_t>(c.argc), "w");
        if (c.argc > 2) words[2] = c.third;
        EXPECT_EQ(wordCountOk(c.rule, c.argc, words.data()), c.fits)
            << static_cast<int>(c.rule.rule) << " " << c.argc << " " << c.third;
    }
}

// Device words come back in a shell assignment: no control character in
// them; words past the command line's end are not looked at.
TEST(FormArgs, DeviceWordsWithControlCharacters) {
    const std::string refused = " holds a control character (a line feed, a tab, ...); a device name cannot.\n";
    const struct {
        DeviceArgs args;
        std::vector<const char*> words;
        std::string message;
    } cases[] = {
        {{3, 0}, {"mp", "6", "label", "/dev/rmt/0\ntouch x", "1"}, "mp 6: argument 2" + refused},
        {{4, 9}, {"mp", "4", "CDROM", "1", "/dev/sr0", "0", "l"}, ""},
        {{4, 9}, {"mp", "4", "CDROM", "1", "/dev/sr0", "0", "l", "TAPE", "1", "h:\t", "0", "l"},
         "mp 4: argument 8" + refused},
        {{0, 0}, {"mp", "24", "file", "caption\n"}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(controlWordMessage(c.args, static_cast<int>(c.words.size()), c.words.data(),
                                     "mp", std::atoi(c.words[1])),
                  c.message);
}

TEST(FormArgs, UsageFillsInProgramNameAndTypeOnce) {
    EXPECT_EQ(usageMessage("USAGE: %s %d avaSpace.\n", "mp", 3), "USAGE: mp 3 avaSpace.\n");
    EXPECT_EQ(usageMessage(nullptr, "mp", 20), "");
    EXPECT_EQ(usageMessage("USAGE: %s %d prodFile.\n", "/x/%s%d", 8), "USAGE: /x/%s%d 8 prodFile.\n");
}
