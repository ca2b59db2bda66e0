// asker without a display: the dialog chosen from the command line, the
// label text, the usage message and the centring.
#include "askerCore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ask::Dialog;

TEST(AskerCommandLine, ChoosesTheDialogAndTheMessage) {
    struct Case {
        std::vector<std::string> args;
        Dialog dialog;
        std::string message;
    };
    const Case cases[] = {
        {{}, Dialog::Usage, ""},
        {{"Disk full."}, Dialog::Message, "Disk full."},
        {{""}, Dialog::Message, ""},
        {{"QUES", "Remove it?"}, Dialog::Question, "Remove it?"},
        {{"QUES", ""}, Dialog::Question, ""},
        // The question needs exactly "QUES" and exactly two arguments.
        {{"QUES"}, Dialog::Message, "QUES"},
        {{"QUES", "Remove it?", "extra"}, Dialog::Message, "QUES"},
        {{"ques", "Remove it?"}, Dialog::Message, "ques"},
        {{"QUESTION", "Remove it?"}, Dialog::Message, "QUESTION"},
        {{"QUES ", "Remove it?"}, Dialog::Message, "QUES "},
        {{"Note", "QUES"}, Dialog::Message, "Note"},
    };
    for (const Case& c : cases) {
        const ask::Request r = ask::decide(c.args);
        std::string shown;
        for (const auto& a : c.args) shown += "[" + a + "]";
        EXPECT_EQ(r.dialog, c.dialog) << shown;
        EXPECT_EQ(r.message, c.message) << shown;
    }
}

TEST(AskerMessageText, TildesBreakLinesAndOneLineFeedEnds) {
    EXPECT_EQ(ask::messageText("Disk full.~Free some space."), "Disk full.\nFree some space.\n");
    EXPECT_EQ(ask::messageText(""), "\n");
    EXPECT_EQ(ask::messageText("~"), "\n\n");
    EXPECT_EQ(ask::messageText("~a~~b~"), "\na\n\nb\n\n");
    // Line feeds already in the argument stay as they are.
    EXPECT_EQ(ask::messageText("one\ntwo"), "one\ntwo\n");
}

TEST(AskerMessageText, LongLinesAreWrappedAtTheLastBlank) {
    const std::string w10 = "abcdefghi ";   // ten characters, a blank last
    const std::string x64(64, 'x');
    const struct {
        std::string message, text;
    } cases[] = {
        {x64, x64 + "\n"},
        {x64 + "y", x64 + "\ny\n"},
        {w10 + w10 + w10 + w10 + w10 + w10 + "abcd", w10 + w10 + w10 + w10 + w10 + w10 + "abcd\n"},
        {w10 + w10 + w10 + w10 + w10 + w10 + "abcde",
         w10 + w10 + w10 + w10 + w10 + "abcdefghi\nabcde\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(ask::messageText(c.message), c.text) << c.message;
    // Characters, not bytes: 64 two-byte characters fit on one line.
    std::string e64;
    for (int i = 0; i < 64; ++i) e64 += "\xc3\xa9";
    EXPECT_EQ(ask::messageText(e64), e64 + "\n");
}

TEST(AskerMessageText, MessagesOfAnyLengthAreKeptWhole) {
    // Around the old 512-byte buffer and well beyond it: every character
    // is there, in order, on lines of at most 64.
    for (std::size_t n : {510u, 511u, 512u, 513u, 2000u, 100000u}) {
        std::string message;
        for (std::size_t i = 0; i < n; ++i) message += i % 97 == 96 ? '~' : static_cast<char>('a' + i % 26);
        std::string text = ask::messageText(message), kept;
        ASSERT_EQ(text.back(), '\n') << n;
        std::size_t line = 0;
        for (char c : text) {
            line = c == '\n' ? 0 : line + 1;
            ASSERT_LE(line, ask::kWrapColumns) << n;
            if (c != '\n') kept += c;
        }
        std::string expected;
        for (char c : message)
            if (c != '~') expected += c;
        EXPECT_EQ(kept, expected) << n;
    }
}

TEST(AskerUsage, NamesTheProgramInBothForms) {
    EXPECT_EQ(ask::usageText("/opt/inst/bin/asker"),
              "Usage: /opt/inst/bin/asker message.\n"
              "      OR\n"
              "/opt/inst/bin/asker QUES message.\n");
}

TEST(AskerCentring, IntegerDivisionOfWhatIsLeft) {
    EXPECT_EQ(ask::centred(1280, 300), 490);
    // An odd remainder loses its half pixel.
    EXPECT_EQ(ask::centred(1001, 300), 350);
    EXPECT_EQ(ask::centred(1024, 197), 413);
    EXPECT_EQ(ask::centred(197, 197), 0);
    // A window larger than the screen starts left of it, rounded toward zero.
    EXPECT_EQ(ask::centred(800, 1001), -100);
    EXPECT_EQ(ask::centred(800, 1000), -100);
}

}  // namespace
