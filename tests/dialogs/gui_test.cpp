// asker and hourglass under Xvfb and mwm: the buttons' answers, the window
// manager's close, the centred dialog, the hourglass's place and its step.
#include "Gui.h"
#include "TempRoot.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

using namespace std::chrono_literals;

TEST(Asker, ButtonsAndTheWindowManagerAnswer) {
    // Texts wider than the least width, which mwm would enlarge the
    // window to after the program has centred it.
    const std::string a = ASKER_BIN, note = "asker", query = "DecisionDialog", msg = "DecisionBox/Message",
                      m = "Not enough space for the products chosen.";
    const struct {
        std::vector<std::string> argv;
        std::string shell, label, text, button;   // button empty: the window manager's close
        int code;
    } cases[] = {
        {{a, m + "~Free some space."}, note, "msgLabel", m + "\nFree some space.\n", "askerOk", 0},
        {{a, "QUES", m + "~Remove?"}, query, msg, m + "\nRemove?\n", "DecisionBox/OK", 15},
        {{a, "QUES", m}, query, msg, m + "\n", "DecisionBox/Cancel", 16},
        {{a, "QUES", m}, query, msg, m + "\n", "", 0},
    };
    for (const auto& c : cases) {
        tk::TempRoot root;
        tk::GuiApp app(c.argv, {{"Proot", root.path()}});
        app.waitDialog(c.shell, c.label);
        EXPECT_EQ(app.title(c.shell), c.shell == note ? "Note" : "Trevalon: Query");
        EXPECT_EQ(app.label(c.label), c.text);
        // Centred on the 1280 x 1024 screen.
        const tk::Rect g = app.geometry(c.shell), f = app.frameGeometry(c.shell);
        EXPECT_EQ(f.x, (1280 - g.width) / 2) << c.text;
        EXPECT_EQ(f.y, (1024 - g.height) / 2) << c.text;
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

// At (250, 200); the bar steps once a second; the window manager's close
// answers 250, SIGTERM ends it unhandled.
TEST(Hourglass, StepAndEnds) {
    for (const bool wmClose : {true, false}) {
        tk::TempRoot root;
        tk::GuiApp app({HOURGLASS_BIN}, {{"Proot", root.path()}});
        app.waitMapped("waitLabel");
        EXPECT_EQ(app.frameGeometry("waitW").x, 250);
        EXPECT_EQ(app.frameGeometry("waitW").y, 200);
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
