// hourglass under Xvfb and mwm: its fixed size and place, the bar's ticks,
// and the ways it ends.
#include "Gui.h"
#include "TempRoot.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct Hourglass {
    Hourglass() : app({HOURGLASS_BIN}, {{"Proot", root.path()}}) {}
    tk::TempRoot root;
    tk::GuiApp app;
};

// Drags the bottom-right corner of the shell's window-manager frame by
// (dx, dy), the way a user resizes a window, then moves the frame: once mwm
// has moved it, it has finished with the drag before.
void dragCornerThenMove(tk::GuiApp& app, const std::string& shell, int dx, int dy, int x, int y) {
    const tk::Rect f = app.frameGeometry(shell);
    const int px = f.x + f.width - 1, py = f.y + f.height - 1;
    app.drag(px, py, px + dx, py + dy);
    app.moveFrame(shell, x, y);
    app.settle();
}

TEST(HourglassWindow, FixedAt172By59PlacedAt250And200EndedBySigterm) {
    Hourglass h;
    h.app.waitMapped("waitLabel");
    EXPECT_EQ(h.app.title("waitW"), "Trevalon");
    EXPECT_EQ(h.app.label("widget2"), "Progressing");
    EXPECT_EQ(h.app.colors("waitLabel").fg, "#32cd32");  // LimeGreen
    EXPECT_EQ(h.app.colors("widget2").fg, "#800000");
    tk::Rect g = h.app.geometry("waitW");
    EXPECT_EQ(g.width, 172);
    EXPECT_EQ(g.height, 59);
    // mwm puts the frame's corner where the program placed the window.
    const tk::Rect f = h.app.frameGeometry("waitW");
    EXPECT_EQ(f.x, 250);
    EXPECT_EQ(f.y, 200);

    // Neither a larger nor a smaller size can be dragged.
    dragCornerThenMove(h.app, "waitW", 80, 50, 300, 260);
    g = h.app.geometry("waitW");
    EXPECT_EQ(g.width, 172);
    EXPECT_EQ(g.height, 59);
    dragCornerThenMove(h.app, "waitW", -60, -25, 200, 150);
    g = h.app.geometry("waitW");
    EXPECT_EQ(g.width, 172);
    EXPECT_EQ(g.height, 59);
    EXPECT_EQ(h.app.frameGeometry("waitW").width, f.width);
    EXPECT_EQ(h.app.frameGeometry("waitW").height, f.height);

    // The script's kill: the signal's default action, no exit status.
    h.app.process().kill(SIGTERM);
    const tk::RunResult r = h.app.waitExit();
    EXPECT_TRUE(r.signaled) << r.describe();
    EXPECT_FALSE(r.exited) << r.describe();
    EXPECT_EQ(r.signal, SIGTERM);
    EXPECT_EQ(r.err, "");
}

// The same drag does resize a window that may change size: the checks above
// would see a resize if there were one.
TEST(HourglassWindow, TheCornerDragResizesAnOrdinaryWindow) {
    tk::TempRoot root;
    tk::GuiApp app({ASKER_BIN, "Disk full.~Free some space."}, {{"Proot", root.path()}});
    // mwm enlarges the note to its least width as it maps it; drag only the
    // final frame.
    app.waitFor([&] { return app.geometry("asker").width >= 197; }, "the note at its least width");
    const tk::Rect before = app.geometry("asker");
    dragCornerThenMove(app, "asker", 80, 50, 300, 260);
    const tk::Rect after = app.geometry("asker");
    EXPECT_EQ(after.width, before.width + 80);
    EXPECT_EQ(after.height, before.height + 50);
    app.wmClose("asker");
    EXPECT_EQ(app.waitExit().code, 0);
}

TEST(HourglassBar, StartsAtOneMarkAndGrowsOnePerSecondWrappingAfterTen) {
    // Every text the label shows, as it changes, for one whole cycle and one
    // more tick: ">" from the resources, then ">>" ... ">>>>>>>>>>", then
    // ">" and ">>" again.
    const std::vector<std::string> expected = {
        ">         ", ">>        ", ">>>       ", ">>>>      ", ">>>>>     ", ">>>>>>    ",
        ">>>>>>>   ", ">>>>>>>>  ", ">>>>>>>>> ", ">>>>>>>>>>", ">         ", ">>        ",
    };

    Hourglass h;
    struct Seen {
        std::string text;
        Clock::time_point at;
    };
    std::vector<Seen> seen;
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (seen.size() < expected.size() && Clock::now() < deadline) {
        std::string text = h.app.label("waitLabel");
        if (seen.empty() || text != seen.back().text) seen.push_back({std::move(text), Clock::now()});
        std::this_thread::sleep_for(milliseconds(10));
    }
    std::vector<std::string> texts;
    for (const auto& s : seen) texts.push_back(s.text);
    ASSERT_EQ(texts, expected);
    // One tick a second, with room for a loaded machine: ten ticks take no
    // less than ten seconds (less the polling) and not much more, and no
    // single tick comes at twice the pace or far too late.
    const auto ms = [&](std::size_t from, std::size_t to) {
        return std::chrono::duration_cast<milliseconds>(seen[to].at - seen[from].at).count();
    };
    EXPECT_GE(ms(1, 11), 9800);
    EXPECT_LE(ms(1, 11), 14000);
    for (std::size_t i = 2; i < seen.size(); ++i) {
        EXPECT_GE(ms(i - 1, i), 500) << "tick " << i;
        EXPECT_LE(ms(i - 1, i), 3000) << "tick " << i;
    }
    // The label's changes never change the window.
    const tk::Rect g = h.app.geometry("waitW");
    EXPECT_EQ(g.width, 172);
    EXPECT_EQ(g.height, 59);

    h.app.wmClose("waitW");
    const tk::RunResult r = h.app.waitExit();
    EXPECT_TRUE(r.exited && r.code == 250) << r.describe();
    EXPECT_EQ(r.err, "");
}

TEST(HourglassWindowManager, SaveYourselfAlsoEndsWith250) {
    Hourglass h;
    h.app.wmSaveYourself("waitW");
    const tk::RunResult r = h.app.waitExit();
    EXPECT_TRUE(r.exited && r.code == 250) << r.describe();
}

}  // namespace
