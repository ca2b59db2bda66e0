// asker and hourglass under Xvfb and mwm: the buttons' answers, the window
// manager's close, the wrapped message, the locale's encoding, the
// hourglass's fixed window and its step.
#include "Gui.h"
#include "TempRoot.h"
#include "askerCore.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

namespace {

using namespace std::chrono_literals;

std::vector<std::string> asker(std::vector<std::string> args) {
    args.insert(args.begin(), ASKER_BIN);
    return args;
}

TEST(Asker, ButtonsAndTheWindowManagerAnswer) {
    // Texts wider than the least width, which mwm would enlarge the
    // window to after the program has centred it.
    const std::string note = "asker", query = "DecisionDialog", msg = "DecisionBox/Message",
                      m = "Not enough space for the products chosen.";
    const struct {
        std::vector<std::string> args;
        std::string shell, label, text, button;   // button empty: the window manager's close
        int code;
    } cases[] = {
        {{m + "~Free some space."}, note, "msgLabel", m + "\nFree some space.\n", "askerOk", 0},
        {{m}, note, "msgLabel", m + "\n", "", 0},
        {{"QUES", m + "~Remove?"}, query, msg, m + "\nRemove?\n", "DecisionBox/OK", 15},
        {{"QUES", m}, query, msg, m + "\n", "DecisionBox/Cancel", 16},
        {{"QUES", m}, query, msg, m + "\n", "", 0},
    };
    for (const auto& c : cases) {
        tk::TempRoot root;
        tk::GuiApp app(asker(c.args), {{"Proot", root.path()}});
        app.waitDialog(c.shell, c.label);
        EXPECT_EQ(app.title(c.shell), c.shell == note ? "Note" : "Trevalon: Query");
        EXPECT_EQ(app.label(c.label), c.text);
        // Centred on the 1280 x 1024 screen.
        const tk::Rect g = app.geometry(c.shell), f = app.frameGeometry(c.shell);
        EXPECT_EQ(f.x, ask::centred(1280, g.width)) << c.text;
        EXPECT_EQ(f.y, ask::centred(1024, g.height)) << c.text;
        if (c.button.empty())
            app.wmClose(c.shell);
        else
            app.click(c.button);
        // Nothing said: a missing font or a resource the toolkit cannot
        // convert would show on standard error.
        const tk::RunResult r = app.waitExit();
        EXPECT_TRUE(r.exited && r.code == c.code) << r.describe();
        EXPECT_EQ(r.out + r.err, "");
    }
}

// A UTF-8 question takes the room of the same text in Latin-1 under a
// Latin-1 locale, not that of its bytes read one by one (the C locale); a
// long message is wrapped to a readable width.
TEST(Asker, TextInTheLocalesEncodingAndWrapped) {
    tk::TempRoot root;
    const std::string locales = root.mkdir("locales"), latin1 = "de_DE.ISO-8859-1";
    ASSERT_EQ(std::system(("localedef -f ISO-8859-1 -i de_DE " + locales + "/" + latin1).c_str()), 0);
    auto width = [&](const std::string& locale, const std::vector<std::string>& args) {
        tk::GuiApp app(asker(args), {{"Proot", root.path()}, {"LOCPATH", locales}, {"LC_ALL", locale}});
        const std::string shell = args.size() == 2 ? "DecisionDialog" : "asker";
        app.waitDialog(shell, args.size() == 2 ? "DecisionBox/Message" : "msgLabel");
        return app.geometry(shell).width;
    };
    const std::string u = "Gr\xc3\xbc\xc3\x9f\x65 aus Z\xc3\xbcrich, sch\xc3\xb6ne Gr\xc3\xbc\xc3\x9f\x65";
    const int utf8 = width("C.UTF-8", {"QUES", u});
    EXPECT_EQ(utf8, width(latin1, {"QUES", "Gr\xfc\xdf\x65 aus Z\xfcrich, sch\xf6ne Gr\xfc\xdf\x65"}));
    EXPECT_LT(utf8, width("C", {"QUES", u}));
    std::string message;
    while (message.size() < 600) message += "word" + std::to_string(message.size()) + " ";
    EXPECT_LT(width("C", {message}), 700);
}

// 172 x 59 at (250, 200), not to be resized; the bar steps once a second;
// the window manager's close answers 250, SIGTERM ends it unhandled.
TEST(Hourglass, FixedWindowStepAndEnds) {
    for (const bool wmClose : {true, false}) {
        tk::TempRoot root;
        tk::GuiApp app({HOURGLASS_BIN}, {{"Proot", root.path()}});
        app.waitMapped("waitLabel");
        const tk::Rect f = app.frameGeometry("waitW");
        EXPECT_EQ(f.x, 250);
        EXPECT_EQ(f.y, 200);
        app.drag(f.x + f.width - 1, f.y + f.height - 1, f.x + f.width + 79, f.y + f.height + 49);
        app.moveFrame("waitW", 300, 260);
        app.settle();
        EXPECT_EQ(app.geometry("waitW").width, 172);
        EXPECT_EQ(app.geometry("waitW").height, 59);
        app.waitFor([&] { return app.label("waitLabel") == ">>        "; }, "the first tick", 5s);
        const auto start = std::chrono::steady_clock::now();
        app.waitFor([&] { return app.label("waitLabel") == ">>>       "; }, "the second tick", 5s);
        const auto step = std::chrono::steady_clock::now() - start;
        EXPECT_GE(step, 500ms);
        EXPECT_LE(step, 3s);
        if (wmClose)
            app.wmClose("waitW");
        else
            app.process().kill(SIGTERM);
        const tk::RunResult r = app.waitExit();
        EXPECT_TRUE(wmClose ? r.exited && r.code == 250 : r.signaled && r.signal == SIGTERM) << r.describe();
        EXPECT_EQ(r.err, "");
    }
}

}  // namespace
