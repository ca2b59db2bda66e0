// The agent inside a real Motif program under Xvfb and mwm.
#include "Gui.h"

#include "TempRoot.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(Agent, ClickEndsTheProgramWithTheButtonsCode) {
    tk::GuiApp app({SAMPLEAPP_BIN});
    app.waitMapped("okButton");
    EXPECT_EQ(app.label("okButton"), "OK");
    EXPECT_EQ(app.widgetClass("okButton"), "XmPushButtonGadget");
    app.click("okButton");
    auto r = app.waitExit();
    EXPECT_EQ(r.code, 7) << r.describe();
}

TEST(Agent, ReadsStateOfEveryKind) {
    tk::GuiApp app({SAMPLEAPP_BIN, "greytwo"});
    EXPECT_EQ(app.title("form"), "Sample Window");
    EXPECT_EQ(app.iconName("form"), "Sample Icon");
    EXPECT_TRUE(app.toggle("one"));
    EXPECT_FALSE(app.toggle("two"));
    EXPECT_FALSE(app.sensitive("two"));
    EXPECT_TRUE(app.sensitive("one"));
    EXPECT_EQ(app.label("warn"), "first\nsecond");
    EXPECT_EQ(app.listItems("items"), (std::vector<std::string>{"alpha", "beta", "gamma", "delta", "epsilon", "zeta"}));
    EXPECT_TRUE(app.listSelected("items").empty());
    auto c = app.colors("warn");
    EXPECT_EQ(c.fg, "#000000");
    EXPECT_EQ(c.bg, "#ff0000");
    EXPECT_EQ(app.pixel("warn", 1, 1), "#ff0000");
    EXPECT_EQ(app.resource("items", "visibleItemCount"), "3");
    EXPECT_FALSE(app.exists("nothing"));
    EXPECT_TRUE(app.exists("form/radio/two"));
    EXPECT_EQ(app.screen().width, 1280);
    EXPECT_THROW(app.label("nothing"), std::runtime_error);
}

TEST(Agent, PointerAndKeyboardInput) {
    tk::GuiApp app({SAMPLEAPP_BIN});
    app.click("two");
    app.waitFor([&] { return app.toggle("two") && !app.toggle("one"); }, "radio box switched to two");

    app.clickListItem("items", 2);
    app.clickListItem("items", 5, tk::Ctrl);  // scrolls to it, then extends
    app.waitFor([&] { return app.listSelected("items") == std::vector<int>{2, 5}; }, "items 2 and 5 selected");
    EXPECT_EQ(app.label("status"), "selected 2");

    app.click("entry");
    app.waitFor([&] { return app.focus() == "entry"; }, "keyboard focus in the entry");
    app.typeText("Hello, World ~/x_y");
    app.waitFor([&] { return app.text("entry") == "Hello, World ~/x_y"; }, "text typed");
    app.click("otherButton");
    auto r = app.waitExit();
    EXPECT_EQ(r.code, 9);
    EXPECT_EQ(r.out, "text=Hello, World ~/x_y\n");
}

TEST(Agent, WindowManagerMovesResizesAndCloses) {
    tk::GuiApp app({SAMPLEAPP_BIN});
    tk::Rect f = app.frameGeometry("form");
    tk::Rect s = app.geometry("form");
    EXPECT_GT(s.y, f.y) << "mwm reparents the window into a decorated frame";
    app.moveFrame("form", 300, 250);
    EXPECT_EQ(app.frameGeometry("form").x, 300);
    app.resizeFrame("form", s.width + 40, s.height + 30);
    EXPECT_EQ(app.geometry("form").width, s.width + 40);
    app.wmClose("form");
    auto r = app.waitExit();
    EXPECT_EQ(r.code, 250);
}

TEST(Agent, PrivateServerOfAnotherSize) {
    tk::XServer small(801, 600);
    tk::GuiApp app({SAMPLEAPP_BIN}, {}, small);
    EXPECT_EQ(app.screen().width, 801);
    EXPECT_EQ(app.screen().height, 600);
}

// A script runs the program twice, one after the other; each run listens on
// a socket of its own in TREV_AGENT_DIR and is driven there.
TEST(Agent, DrivesEachProgramAScriptStarts) {
    tk::TempRoot dir;
    tk::Spawn s({"/bin/sh", "-c", "for i in 1 2; do \"$0\"; echo \"run $i: $?\"; done", SAMPLEAPP_BIN});
    s.env = {{"DISPLAY", tk::XServer::shared().display()},
             {"TREV_AGENT_DIR", dir.path()},
             {"LD_PRELOAD", tk::agentLibrary()}};
    tk::Process script(s);
    std::set<pid_t> seen;
    for (const char* button : {"okButton", "otherButton"}) {
        tk::GuiApp app(tk::nextAgent(dir.path(), seen, 20s));
        EXPECT_NE(app.pid(), script.pid());
        app.click(button);
        app.waitExit();
        EXPECT_FALSE(app.running());
    }
    auto r = script.wait(20s);
    EXPECT_EQ(r->out, "text=\nrun 1: 7\ntext=\nrun 2: 9\n") << r->describe();
    EXPECT_EQ(seen.size(), 2u);
}

}  // namespace
