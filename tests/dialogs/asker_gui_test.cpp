// asker under Xvfb and mwm, answered with genuine pointer events and the
// window manager's own protocol messages.
#include <algorithm>
#include "Gui.h"
#include "TempRoot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Runs asker with the arguments and a fresh installation root, and waits
// until its window is shown at no less than its least size, 197 x 105.  mwm
// enlarges a smaller window as it maps it; a click aimed before the program
// has laid itself out again at the new size would miss its button.
struct Asker {
    explicit Asker(std::vector<std::string> args, tk::XServer& server = tk::XServer::shared())
        : app(argv(std::move(args)), {{"Proot", root.path()}}, server) {
        app.waitFor(
            [&] {
                for (const auto& shell : app.shells()) {
                    const tk::Rect g = app.geometry(shell);
                    if (app.mapped(shell) && g.width >= 197 && g.height >= 105) return true;
                }
                return false;
            },
            "the window at 197 x 105 or more");
        app.settle();
    }
    static std::vector<std::string> argv(std::vector<std::string> args) {
        args.insert(args.begin(), ASKER_BIN);
        return args;
    }
    tk::TempRoot root;
    tk::GuiApp app;
};

// The answer, with nothing said on standard error: a missing font or a
// resource the toolkit cannot convert would show there.
void expectAnswer(tk::GuiApp& app, int code) {
    const tk::RunResult r = app.waitExit();
    EXPECT_TRUE(r.exited) << r.describe();
    EXPECT_EQ(r.code, code) << r.describe();
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "");
}

TEST(AskerNote, OkAnswersZeroAndTheMessageBreaksAtTildes) {
    Asker a({"Disk full.~Free some space."});
    EXPECT_EQ(a.app.title("asker"), "Note");
    EXPECT_EQ(a.app.label("msgLabel"), "Disk full.\nFree some space.\n");
    EXPECT_EQ(a.app.label("widget2"), "!");
    EXPECT_EQ(a.app.label("askerOk"), "OK");
    EXPECT_FALSE(a.app.exists("DecisionBox"));
    // The look comes from the built-in resources.
    const tk::Colors c = a.app.colors("msgLabel");
    EXPECT_EQ(c.fg, "#800000");
    EXPECT_EQ(c.bg, "#e0e0e0");
    a.app.click("askerOk");
    expectAnswer(a.app, 0);
}

TEST(AskerNote, OneOrThreeArgumentsShowTheFirstAsANote) {
    const std::vector<std::vector<std::string>> commands = {{"QUES"}, {"QUES", "Remove it?", "extra"}};
    for (const auto& args : commands) {
        Asker a(args);
        EXPECT_FALSE(a.app.exists("DecisionBox")) << args.size();
        EXPECT_EQ(a.app.label("msgLabel"), "QUES\n") << args.size();
        a.app.click("askerOk");
        expectAnswer(a.app, 0);
    }
}

TEST(AskerNote, TwoThousandCharactersAreShownWhole) {
    // 25 lines of 79 characters, each line numbered so that a lost or
    // repeated piece shows.
    std::string message, expected;
    for (int line = 0; line < 25; ++line) {
        std::string text = "line " + std::to_string(line + 10) + ":";
        while (text.size() < 79) text += static_cast<char>('a' + (text.size() + line) % 26);
        message += text + (line < 24 ? "~" : "");
        expected += text + "\n";
    }
    ASSERT_EQ(message.size(), 1999u);
    message += "!";
    expected.insert(expected.size() - 1, "!");
    ASSERT_EQ(message.size(), 2000u);
    Asker a({message});
    // Long lines are wrapped at blanks: every other character is there, in
    // order.
    auto words = [](std::string t) {
        t.erase(std::remove_if(t.begin(), t.end(), [](char c) { return c == '\n' || c == ' '; }),
                t.end());
        return t;
    };
    EXPECT_EQ(words(a.app.label("msgLabel")), words(expected));
    a.app.click("askerOk");
    expectAnswer(a.app, 0);
}

TEST(AskerNote, ALongMessageWithoutLineBreaksIsWrappedToAReadableWidth) {
    std::string message;
    while (message.size() < 600) message += "word" + std::to_string(message.size()) + " ";
    Asker a({message});
    EXPECT_LT(a.app.geometry("asker").width, 700);
    a.app.click("askerOk");
    expectAnswer(a.app, 0);
}

TEST(AskerQuestion, YesAnswers15NoAnswers16AndThereIsNoHelp) {
    for (const auto& [button, code] : {std::pair<std::string, int>{"OK", 15}, {"Cancel", 16}}) {
        Asker a({"QUES", "Remove the product?~It cannot be undone."});
        EXPECT_EQ(a.app.title("DecisionDialog"), "Trevalon: Query");
        EXPECT_FALSE(a.app.exists("askerOk"));
        EXPECT_EQ(a.app.label("DecisionBox/Message"), "Remove the product?\nIt cannot be undone.\n");
        EXPECT_EQ(a.app.label("DecisionBox/OK"), "Yes");
        EXPECT_EQ(a.app.label("DecisionBox/Cancel"), "No");
        ASSERT_TRUE(a.app.exists("DecisionBox/Help"));
        EXPECT_FALSE(a.app.managed("DecisionBox/Help"));
        EXPECT_FALSE(a.app.mapped("DecisionBox/Help"));
        a.app.click("DecisionBox/" + button);
        expectAnswer(a.app, code);
    }
}

TEST(AskerWindowManager, CloseOrSaveYourselfAnswersZero) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> dialogs = {
        {{"Disk full."}, "asker"}, {{"QUES", "Remove it?"}, "DecisionDialog"}};
    for (const auto& [args, shell] : dialogs) {
        {
            Asker a(args);
            a.app.wmClose(shell);
            expectAnswer(a.app, 0);
        }
        {
            Asker a(args);
            a.app.wmSaveYourself(shell);
            expectAnswer(a.app, 0);
        }
    }
}

// Centred by x = (screen width - width) / 2, y = (screen height - height) / 2
// in whole pixels; mwm places the frame's corner there.  The window's size is
// measured first, then a screen is made whose differences to it are odd, so
// that rounding up instead of down shows.
TEST(AskerCentring, BothDialogsByTheIntegerFormulaOnAnOddRemainder) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> dialogs = {
        {{"Not enough space for the products chosen.~Free some space, or choose fewer products."}, "asker"},
        {{"QUES", "Not enough space for the products chosen.~Remove the products on hold first?"},
         "DecisionDialog"}};
    std::vector<tk::Rect> sizes;
    for (const auto& [args, shell] : dialogs) {
        Asker a(args);
        const tk::Rect g = a.app.geometry(shell);
        // Larger than the least size, so the window manager keeps it as made.
        ASSERT_GT(g.width, 197) << shell;
        ASSERT_GT(g.height, 105) << shell;
        sizes.push_back(g);
        a.app.wmClose(shell);
        expectAnswer(a.app, 0);
    }
    const int screenWidth = sizes[0].width + 401, screenHeight = sizes[0].height + 301;
    tk::XServer server(screenWidth, screenHeight);
    for (std::size_t i = 0; i < dialogs.size(); ++i) {
        const auto& [args, shell] = dialogs[i];
        Asker a(args, server);
        const tk::Rect g = a.app.geometry(shell);
        ASSERT_EQ(g.width, sizes[i].width) << shell;
        ASSERT_EQ(g.height, sizes[i].height) << shell;
        const tk::Rect f = a.app.frameGeometry(shell);
        EXPECT_EQ(f.x, (screenWidth - g.width) / 2) << shell;
        EXPECT_EQ(f.y, (screenHeight - g.height) / 2) << shell;
        if (i == 0) {
            EXPECT_EQ(f.x, 200);
            EXPECT_EQ(f.y, 150);
        }
        a.app.wmClose(shell);
        expectAnswer(a.app, 0);
    }
}

// Both programs, with a display that answers: the installation root is
// checked once the display is open.
TEST(DialogsStart, InstallationRootNotSet) {
    const std::vector<std::vector<std::string>> commands = {
        {ASKER_BIN, "Disk full."}, {ASKER_BIN, "QUES", "Remove it?"}, {HOURGLASS_BIN}};
    for (const auto& argv : commands) {
        tk::Spawn s(argv);
        s.env["DISPLAY"] = tk::XServer::shared().display();
        s.unset = {"Proot"};
        const tk::RunResult r = tk::run(s, std::chrono::seconds(20));
        EXPECT_TRUE(r.exited && r.code == 1) << argv.back() << " " << r.describe();
        EXPECT_EQ(r.err, "Installation root is not set.\n");
        EXPECT_EQ(r.out, "");
    }
}

// Text in the locale's encoding: a UTF-8 question takes the room of the
// same text in Latin-1 under a Latin-1 locale, not that of its bytes read
// one by one (as under the C locale).
TEST(AskerQuestion, TextIsShownInTheLocalesEncoding) {
    tk::TempRoot root;
    const std::string locales = root.mkdir("locales"), latin1 = "de_DE.ISO-8859-1";
    ASSERT_EQ(std::system(("localedef -f ISO-8859-1 -i de_DE " + locales + "/" + latin1).c_str()),
              0);
    const std::string u = "Gr\xc3\xbc\xc3\x9f\x65 aus Z\xc3\xbcrich, sch\xc3\xb6ne Gr\xc3\xbc\xc3\x9f\x65";
    const std::string l = "Gr\xfc\xdf\x65 aus Z\xfcrich, sch\xf6ne Gr\xfc\xdf\x65";
    auto width = [&](const std::string& locale, const std::string& text) {
        tk::GuiApp app(Asker::argv({"QUES", text}),
                       {{"Proot", root.path()}, {"LOCPATH", locales}, {"LC_ALL", locale}});
        app.waitMapped("DecisionDialog");
        app.settle();
        return app.geometry("DecisionDialog").width;
    };
    const int utf8 = width("C.UTF-8", u);
    EXPECT_EQ(utf8, width(latin1, l));
    EXPECT_LT(utf8, width("C", u));
}

}  // namespace
