// The progress bar of hourglass without the display: its ten texts and the
// state that one timer tick moves on.
#pragma once

#include <string>

namespace hourglass {

// Number of bar texts; the bar wraps after the last.
constexpr int kBarTexts = 10;
// The state before the first tick: the label still shows its resource text.
constexpr int kBarBeforeFirstTick = -1;
// Time between two ticks.
constexpr unsigned long kTickMillis = 1000;

// Text number index (0 to 9): index + 1 ">" followed by 9 - index blanks,
// always ten characters.
std::string barText(int index);

// The state after one tick: the first tick starts at 0 and moves on at once
// to 1; every later tick adds one, from 9 back to 0.
int nextBarState(int state);

}  // namespace hourglass
