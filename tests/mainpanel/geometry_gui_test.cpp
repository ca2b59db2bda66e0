// Window geometry carried from one run to the next under mwm: the first form
// after a reset at (500, 400), a form moved and resized by the user shown at
// that place and size next time, and a saved place past the screen's edge
// pulled back.
#include "mpTest.h"

namespace {

const std::vector<std::string> kMenu = {"0", "20", "1", "1", "1", "1", "1"};

// A record as after a form that mwm framed (so the frame is measured) and
// that the user then left at (x, y).
void leftAt(const tk::TempRoot& root, int x, int y) {
    {
        tk::GuiApp app(mp::argv(kMenu), mp::env(root));
        app.waitMapped("topLevOK");
        EXPECT_EQ(app.clickAndExit("topLevOK").code, 20);
    }
    tk::StatusFile st = mp::status(root);
    st.set("winX", x).set("winY", y).set("positionSet", 1);
    st.save(root.file(mp::kStatus));
}

TEST(Geometry, FirstFormAfterAResetIsShownAt500By400) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv(kMenu), mp::env(root));
    app.waitMapped("topLevOK");
    const tk::Rect frame = app.frameGeometry(mp::kShell);
    EXPECT_EQ(frame.x, 500);
    EXPECT_EQ(frame.y, 400);
    const tk::Rect shell = app.geometry(mp::kShell);
    EXPECT_EQ(app.clickAndExit("topLevOK").code, 20);
    tk::StatusFile st = mp::status(root);
    EXPECT_EQ(st.named("positionSet"), 1);
    EXPECT_EQ(st.named("placedX"), 500);
    EXPECT_EQ(st.named("placedY"), 400);
    EXPECT_EQ(st.named("clientOffX"), shell.x - frame.x);
    EXPECT_EQ(st.named("clientOffY"), shell.y - frame.y);
    EXPECT_EQ(st.named("frameExtraW"), frame.width - shell.width);
    EXPECT_EQ(st.named("frameExtraH"), frame.height - shell.height);
    // The natural size is remembered but not forced.
    EXPECT_EQ(st.slot(80).width, static_cast<unsigned>(shell.width));
    EXPECT_EQ(st.slot(80).sizeSet, 0);
}

TEST(Geometry, MovedAndResizedFormComesBackThereAtThatSize) {
    tk::TempRoot root;
    tk::Rect natural;
    {
        tk::GuiApp app(mp::argv(kMenu), mp::env(root));
        app.waitMapped("topLevOK");
        natural = app.geometry(mp::kShell);
        app.moveFrame(mp::kShell, 160, 120);
        app.resizeFrame(mp::kShell, natural.width + 90, natural.height + 70);
        app.waitFor([&] { return app.geometry(mp::kShell).width == natural.width + 90; }, "resized");
        EXPECT_EQ(app.frameGeometry(mp::kShell).x, 160);
        EXPECT_EQ(app.clickAndExit("topLevOK").code, 20);
    }
    tk::StatusFile st = mp::status(root);
    EXPECT_EQ(st.named("winX"), 160);
    EXPECT_EQ(st.named("winY"), 120);
    EXPECT_EQ(st.slot(80).sizeSet, 1);

    tk::GuiApp app(mp::argv(kMenu), mp::env(root));
    app.waitMapped("topLevOK");
    const tk::Rect frame = app.frameGeometry(mp::kShell);
    EXPECT_EQ(frame.x, 160);
    EXPECT_EQ(frame.y, 120);
    const tk::Rect shell = app.geometry(mp::kShell);
    EXPECT_EQ(shell.width, natural.width + 90);
    EXPECT_EQ(shell.height, natural.height + 70);
    EXPECT_EQ(app.clickAndExit("topLevOK").code, 20);

    // Another form type comes at the same place, at its own size.
    tk::GuiApp other(mp::argv({"23"}), mp::env(root));
    other.waitMapped("topDCOK");
    EXPECT_EQ(other.frameGeometry(mp::kShell).x, 160);
    EXPECT_EQ(other.frameGeometry(mp::kShell).y, 120);
    other.click("topDCOK");
    EXPECT_EQ(other.waitExit().code, 231);
}

TEST(Geometry, PlacePastTheRightEdgeIsPulledBack) {
    tk::TempRoot root;
    // The user left a window near the right edge; this form is wider than
    // the room left there.
    const int screenW = tk::XServer::shared().width();
    leftAt(root, screenW - 40, 200);

    tk::GuiApp app(mp::argv(kMenu), mp::env(root));
    app.waitMapped("topLevOK");
    const tk::Rect frame = app.frameGeometry(mp::kShell);
    EXPECT_EQ(frame.x + frame.width, screenW);
    EXPECT_EQ(frame.y, 200);
    EXPECT_EQ(app.clickAndExit("topLevOK").code, 20);
    // Where the program put it is not a move by the user.
    tk::StatusFile after = mp::status(root);
    EXPECT_EQ(after.named("winX"), screenW - 40);
    EXPECT_EQ(after.named("placedX"), frame.x);
}

TEST(Geometry, AFormNarrowerThanItsMinimumIsPlacedAndRecordedAtTheMinimum) {
    // The work-order list's natural width is below its minimum of 550: the
    // window manager shows it 550 wide, so the right-edge pull must count
    // with 550, or the window manager's own correction passes for a move.
    tk::TempRoot root;
    const std::string wo = root.write("wo", "WO1 a\nWO2 b\nWO3 c\n");
    const int screenW = tk::XServer::shared().width();
    leftAt(root, screenW - 460, 100);

    tk::GuiApp app(mp::argv({"22", wo}), mp::env(root));
    app.waitMapped("listWOOk");
    const tk::Rect frame = app.frameGeometry(mp::kShell);
    EXPECT_EQ(app.geometry(mp::kShell).width, 550);
    EXPECT_EQ(frame.x + frame.width, screenW);
    EXPECT_EQ(app.clickAndExit("listWOMainMenu").code, 250);
    tk::StatusFile after = mp::status(root);
    EXPECT_EQ(after.named("winX"), screenW - 460);   // still the user's place
    EXPECT_EQ(after.named("placedX"), frame.x);
    EXPECT_EQ(after.slot(256).width, 550u);
}

}  // namespace

namespace {

// Without a window manager there is no frame: nothing is measured and
// nothing is stored as a move of the user, so every run comes at (500, 400).
TEST(Geometry, WithoutAWindowManagerNothingIsTakenAsAMove) {
    tk::XServer bare(1024, 768, false);
    tk::TempRoot root;
    for (int run = 0; run < 2; ++run) {
        tk::GuiApp app(mp::argv(kMenu), mp::env(root), bare);
        app.waitMapped("topLevOK");
        const tk::Rect shell = app.geometry(mp::kShell);
        EXPECT_EQ(shell.x, 500) << "run " << run;
        EXPECT_EQ(shell.y, 400) << "run " << run;
        EXPECT_EQ(app.clickAndExit("topLevOK").code, 20);
        tk::StatusFile st = mp::status(root);
        EXPECT_EQ(st.named("frameExtraW"), 0);
        EXPECT_EQ(st.named("frameExtraH"), 0);
        EXPECT_EQ(st.named("clientOffX"), 0);
        EXPECT_EQ(st.named("winX"), 0);
        EXPECT_EQ(st.named("winY"), 0);
    }
}

}  // namespace
