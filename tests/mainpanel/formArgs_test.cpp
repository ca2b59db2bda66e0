// The command line's form type word and the filling of usage messages.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "core/formArgs.h"

using namespace trev;

TEST(FormArgs, TheFormTypeIsTheDecimalPrefixOfTheFirstArgument) {
    const std::pair<const char*, int> cases[] = {{"19", 19}, {"  7x", 7}, {"+3", 3}, {"-1", -1}, {"x", 0},
                                                 {"99999999999999", INT_MAX}, {"-99999999999999", INT_MIN}};
    for (auto [text, type] : cases) EXPECT_EQ(parseFormType(text), type) << text;
    // The program name is printed as it is, even with a percent sign.
    EXPECT_EQ(usageMessage("USAGE: %s %d prodFile.\n", "/x/%s%d", 8), "USAGE: /x/%s%d 8 prodFile.\n");
    EXPECT_EQ(usageMessage(nullptr, "mp", 20), "");
}
