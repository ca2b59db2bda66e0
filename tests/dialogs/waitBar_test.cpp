// hourglass without a display: the ten bar texts and the tick that moves
// from one to the next.
#include "waitBar.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(HourglassBar, TenTextsOfTenCharacters) {
    EXPECT_EQ(hourglass::barText(0), ">         ");
    EXPECT_EQ(hourglass::barText(1), ">>        ");
    EXPECT_EQ(hourglass::barText(5), ">>>>>>    ");
    EXPECT_EQ(hourglass::barText(9), ">>>>>>>>>>");
    for (int i = 0; i < hourglass::kBarTexts; ++i) {
        const std::string t = hourglass::barText(i);
        ASSERT_EQ(t.size(), 10u) << i;
        const auto marks = static_cast<std::size_t>(i + 1);
        EXPECT_EQ(t.find_first_not_of('>'), i == 9 ? std::string::npos : marks) << i;
        EXPECT_EQ(t.find_last_of('>'), marks - 1) << i;
    }
}

TEST(HourglassBar, FirstTickShowsTwoThenOneMorePerTickWrappingAfterTen) {
    int state = hourglass::kBarBeforeFirstTick;
    const int expected[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2};
    for (int want : expected) {
        state = hourglass::nextBarState(state);
        EXPECT_EQ(state, want);
    }
}

TEST(HourglassBar, AfterTwentyFiveTicksSixMarks) {
    int state = hourglass::kBarBeforeFirstTick;
    for (int tick = 0; tick < 25; ++tick) state = hourglass::nextBarState(state);
    EXPECT_EQ(state, 5);
    EXPECT_EQ(hourglass::barText(state), ">>>>>>    ");
}

}  // namespace
