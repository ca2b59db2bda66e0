// The X-free cores of asker and hourglass: the dialog chosen from the
// command line, the label text, the centring, and the hourglass bar.
#include "askerCore.h"
#include "waitBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ask::Dialog;

TEST(AskerCommandLine, ChoosesTheDialogAndTheMessage) {
    const struct {
        std::vector<std::string> args;
        Dialog dialog;
        std::string message;
    } cases[] = {
        {{}, Dialog::Usage, ""},
        {{"QUES", "Remove it?"}, Dialog::Question, "Remove it?"},
        // The question needs exactly "QUES" and exactly two arguments.
        {{"QUES"}, Dialog::Message, "QUES"},
        {{"QUES", "Remove it?", "extra"}, Dialog::Message, "QUES"},
        {{"ques", "Remove it?"}, Dialog::Message, "ques"},
    };
    for (const auto& c : cases) {
        const ask::Request r = ask::decide(c.args);
        EXPECT_EQ(r.dialog, c.dialog) << c.args.size() << " " << c.message;
        EXPECT_EQ(r.message, c.message) << c.args.size();
    }
}

// Tildes break lines, one line feed ends the text, lines longer than 64
// characters (not bytes) wrap at their last blank; nothing is lost.
TEST(AskerMessageText, TildesAndWrapping) {
    const std::string w10 = "abcdefghi ", x64(64, 'x');
    std::string e64;
    for (int i = 0; i < 64; ++i) e64 += "\xc3\xa9";
    const std::string w60 = w10 + w10 + w10 + w10 + w10 + w10;
    std::string tenLines;   // beyond any fixed buffer of 512
    for (int i = 0; i < 10; ++i) tenLines += x64 + "\n";
    const struct {
        std::string message, text;
    } cases[] = {
        {"~a~~b~", "\na\n\nb\n\n"},
        {"one\ntwo", "one\ntwo\n"},
        {x64 + "y", x64 + "\ny\n"},
        {w60 + "abcd", w60 + "abcd\n"},
        {w60 + "abcde", w10 + w10 + w10 + w10 + w10 + "abcdefghi\nabcde\n"},
        {e64, e64 + "\n"},
        {std::string(640, 'x'), tenLines},
    };
    for (const auto& c : cases) EXPECT_EQ(ask::messageText(c.message), c.text) << c.message;
}

// Integer division of what is left, rounded toward zero.
TEST(AskerCentring, OfTheScreen) {
    const int cases[][3] = {{1280, 300, 490}, {1001, 300, 350}, {197, 197, 0}, {800, 1001, -100}};
    for (const auto& c : cases) EXPECT_EQ(ask::centred(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}

// The first tick shows two marks, then one more per tick, wrapping after ten.
TEST(HourglassBar, TicksAndTexts) {
    int state = hourglass::kBarBeforeFirstTick;
    for (int want : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1}) EXPECT_EQ(state = hourglass::nextBarState(state), want);
    for (int i = 0; i < hourglass::kBarTexts; ++i)
        EXPECT_EQ(hourglass::barText(i), std::string(i + 1, '>') + std::string(9 - i, ' ')) << i;
}

}  // namespace
