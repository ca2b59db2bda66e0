// The command line's form type word, device words with control characters
// and the filling of usage messages.  Each form's word count and usage line
// is checked through the program.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/formArgs.h"

using namespace trev;

TEST(FormArgs, TheFormTypeIsTheDecimalPrefixOfTheFirstArgument) {
    const std::pair<const char*, int> cases[] = {{"19", 19}, {"  7x", 7}, {"+3", 3}, {"-1", -1}, {"x", 0},
                                                 {"99999999999999", INT_MAX}, {"-99999999999999", INT_MIN}};
    for (auto [text, type] : cases) EXPECT_EQ(parseFormType(text), type) << text;
    EXPECT_EQ(notSupportedMessage(-7), "Feature -7 is not supported yet.\n");
    // The program name is printed as it is, even with a percent sign.
    EXPECT_EQ(usageMessage("USAGE: %s %d prodFile.\n", "/x/%s%d", 8), "USAGE: /x/%s%d 8 prodFile.\n");
    EXPECT_EQ(usageMessage(nullptr, "mp", 20), "");
}

// Device words come back in a shell assignment: no control character in
// them; words past the command line's end are not looked at.
TEST(FormArgs, DeviceWordsWithControlCharacters) {
    const std::string refused = " holds a control character (a line feed, a tab, ...); a device name cannot.\n";
    const std::tuple<DeviceArgs, std::vector<const char*>, std::string> cases[] = {
        {{3, 0}, {"mp", "6", "label", "/dev/rmt/0\ntouch x", "1"}, "mp 6: argument 2" + refused},
        {{4, 9}, {"mp", "4", "CDROM", "1", "/dev/sr0", "0", "l"}, ""},
        {{4, 9}, {"mp", "4", "CDROM", "1", "/dev/sr0", "0", "l", "TAPE", "1", "h:\t", "0", "l"}, "mp 4: argument 8" + refused},
        {{0, 0}, {"mp", "24", "file", "caption\n"}, ""}};
    for (const auto& [args, words, message] : cases)
        EXPECT_EQ(controlWordMessage(args, static_cast<int>(words.size()), words.data(), "mp", std::atoi(words[1])), message);
}
