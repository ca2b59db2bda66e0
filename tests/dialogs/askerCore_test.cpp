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

TEST(AskerMessageText, MessagesOfAnyLengthAreKeptWhole) {
    // Around the old 512-byte buffer and well beyond it.
    for (std::size_t n : {510u, 511u, 512u, 513u, 2000u, 100000u}) {
        std::string message;
        for (std::size_t i = 0; i < n; ++i) message += i % 97 == 96 ? '~' : static_cast<char>('a' + i % 26);
        const std::string text = ask::messageText(message);
        ASSERT_EQ(text.size(), n + 1) << n;
        EXPECT_EQ(text.back(), '\n') << n;
        for (std::size_t i = 0; i < n; ++i)
            ASSERT_EQ(text[i], message[i] == '~' ? '\n' : message[i]) << "length " << n << " at " << i;
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
