// Window placement from the record and the capture of the user's moves and
// resizes from configure events.
#include <gtest/gtest.h>

#include <climits>

#include "core/geometry.h"

using namespace trev;

namespace {

// A record whose frame was measured under a window manager: the window sits
// at (5, 23) in a frame 10 wider and 28 higher.
FormStatusRec measured(int winX, int winY) {
    FormStatusRec r;
    initStatus(r);
    r.winX = winX;
    r.winY = winY;
    r.clientOffX = 5;
    r.clientOffY = 23;
    r.frameExtraW = 10;
    r.frameExtraH = 28;
    r.positionSet = 1;
    return r;
}

// Client window inside a frame at (fx, fy) directly below the root.
std::vector<WinAttrs> framed(int fx, int fy, int w, int h) {
    return {{5, 23, w, h}, {fx, fy, w + 10, h + 28}};
}

}  // namespace

TEST(PlaceWindow, FirstFormAfterAResetGoesTo500By400AtItsNaturalSize) {
    FormStatusRec r;
    initStatus(r);
    WinSize& slot = *r.slotAt(80);
    const Placement p = placeWindow(r, slot, 420, 310, 1280, 1024);
    EXPECT_FALSE(p.setSize);
    EXPECT_EQ(p.x, 500);
    EXPECT_EQ(p.y, 400);
    EXPECT_EQ(r.positionSet, 1);
    // The natural size is remembered, but not as a size to force next time.
    EXPECT_EQ(slot.width, 420);
    EXPECT_EQ(slot.height, 310);
    EXPECT_EQ(slot.sizeSet, 0);
}

TEST(PlaceWindow, UnmeasuredFrameAlsoGivesTheDefaultPlace) {
    FormStatusRec r;
    initStatus(r);
    r.positionSet = 1;
    r.winX = 40;
    r.winY = 50;
    const Placement p = placeWindow(r, *r.slotAt(88), 300, 200, 1280, 1024);
    EXPECT_EQ(p.x, 500);
    EXPECT_EQ(p.y, 400);
    EXPECT_EQ(r.positionSet, 1);
}

TEST(PlaceWindow, ReusesTheSavedPlaceAndSize) {
    FormStatusRec r = measured(120, 80);
    WinSize& slot = *r.slotAt(80);
    slot = {600, 450, 1};
    const Placement p = placeWindow(r, slot, 420, 310, 1280, 1024);
    EXPECT_TRUE(p.setSize);
    EXPECT_EQ(p.width, 600);
    EXPECT_EQ(p.height, 450);
    EXPECT_EQ(p.x, 120);
    EXPECT_EQ(p.y, 80);
    EXPECT_EQ(r.placedX, 120);
    EXPECT_EQ(r.placedY, 80);
}

TEST(PlaceWindow, PullsAWindowPastTheEdgesBackOntoTheScreen) {
    FormStatusRec r = measured(1200, 900);
    WinSize& slot = *r.slotAt(96);
    const Placement p = placeWindow(r, slot, 300, 200, 1280, 1024);
    EXPECT_EQ(p.x, 1280 - 10 - 300);
    EXPECT_EQ(p.y, 1024 - 28 - 200);
    EXPECT_EQ(r.placedX, p.x);
    // A window wider than the screen keeps its saved x.
    FormStatusRec wide = measured(30, 20);
    const Placement q = placeWindow(wide, *wide.slotAt(96), 1500, 200, 1280, 1024);
    EXPECT_EQ(q.x, 30);
    EXPECT_EQ(q.y, 20);
}

TEST(PlaceWindow, ASavedSizeBelowTheNaturalSizeIsRaisedToIt) {
    FormStatusRec r = measured(10, 10);
    WinSize& slot = *r.slotAt(80);
    slot = {200, 450, 1};
    const Placement p = placeWindow(r, slot, 420, 310, 1280, 1024);
    EXPECT_EQ(p.width, 420);
    EXPECT_EQ(p.height, 450);
    EXPECT_EQ(slot.width, 420);
}

TEST(PlaceWindow, ASizeFlagWithoutASizeIsDropped) {
    FormStatusRec r = measured(10, 10);
    WinSize& slot = *r.slotAt(104);
    slot = {500, 0, 1};
    const Placement p = placeWindow(r, slot, 300, 200, 1280, 1024);
    EXPECT_FALSE(p.setSize);
    EXPECT_EQ(slot.sizeSet, 0);
}

TEST(CaptureGeometry, FirstFrameIsMeasuredAndTakenAsPlaced) {
    FormStatusRec r;
    initStatus(r);
    WinSize& slot = *r.slotAt(80);
    slot = {400, 300, 0};
    captureGeometry(r, slot, framed(500, 400, 400, 300), 400, 300);
    EXPECT_EQ(r.winX, 500);
    EXPECT_EQ(r.winY, 400);
    EXPECT_EQ(r.placedX, 500);
    EXPECT_EQ(r.placedY, 400);
    EXPECT_EQ(r.clientOffX, 5);
    EXPECT_EQ(r.clientOffY, 23);
    EXPECT_EQ(r.frameExtraW, 10);
    EXPECT_EQ(r.frameExtraH, 28);
}

TEST(CaptureGeometry, AMoveAwayFromThePlacedPositionIsStored) {
    FormStatusRec r = measured(500, 400);
    r.placedX = 500;
    r.placedY = 400;
    r.positionSet = 0;
    WinSize& slot = *r.slotAt(80);
    slot = {400, 300, 0};
    captureGeometry(r, slot, framed(500, 400, 400, 300), 400, 300);
    EXPECT_EQ(r.positionSet, 0);   // still where the program put it
    captureGeometry(r, slot, framed(140, 60, 400, 300), 400, 300);
    EXPECT_EQ(r.winX, 140);
    EXPECT_EQ(r.winY, 60);
    EXPECT_EQ(r.positionSet, 1);
    EXPECT_EQ(r.placedX, 500);
    // A frame at or beyond the top left corner is stored as 1.
    captureGeometry(r, slot, framed(-20, 0, 400, 300), 400, 300);
    EXPECT_EQ(r.winX, 1);
    EXPECT_EQ(r.winY, 1);
}

TEST(CaptureGeometry, OnlyAChangeOfBothDimensionsIsAResize) {
    FormStatusRec r = measured(500, 400);
    r.placedX = 500;
    r.placedY = 400;
    WinSize& slot = *r.slotAt(88);
    slot = {400, 300, 0};
    captureGeometry(r, slot, framed(500, 400, 450, 300), 450, 300);
    EXPECT_EQ(slot.width, 400);
    EXPECT_EQ(slot.sizeSet, 0);
    captureGeometry(r, slot, framed(500, 400, 450, 330), 450, 330);
    EXPECT_EQ(slot.width, 450);
    EXPECT_EQ(slot.height, 330);
    EXPECT_EQ(slot.sizeSet, 1);
    // A resize is not looked at as a move, wherever the frame is.
    r.positionSet = 0;
    captureGeometry(r, slot, framed(10, 10, 500, 380), 500, 380);
    EXPECT_EQ(r.positionSet, 0);
    EXPECT_EQ(r.winX, 500);
}

TEST(CaptureGeometry, TheOutermostDecoratingAncestorGivesThePosition) {
    FormStatusRec r = measured(500, 400);
    r.placedX = 500;
    r.placedY = 400;
    WinSize& slot = *r.slotAt(80);
    slot = {400, 300, 0};
    // client -> inner parent of the same height -> frame -> outer frame.
    const std::vector<WinAttrs> chain = {
        {0, 0, 400, 300}, {5, 23, 400, 300}, {2, 2, 410, 328}, {220, 180, 414, 332}};
    captureGeometry(r, slot, chain, 400, 300);
    EXPECT_EQ(r.winX, 220);
    EXPECT_EQ(r.winY, 180);
    EXPECT_EQ(r.positionSet, 1);
}

TEST(CaptureGeometry, WithoutAFrameNothingIsTakenAsAMove) {
    FormStatusRec r;
    initStatus(r);
    WinSize& slot = *r.slotAt(80);
    slot = {400, 300, 0};
    // No window manager: the shell's window is a child of the root.
    captureGeometry(r, slot, {{500, 400, 400, 300}}, 400, 300);
    // A parent that does not decorate (same height).
    captureGeometry(r, slot, {{0, 0, 400, 300}, {37, 52, 400, 300}}, 400, 300);
    EXPECT_EQ(r.frameExtraW, 0);
    EXPECT_EQ(r.winX, 0);
    EXPECT_EQ(r.positionSet, 0);
    // Also once a frame was measured in an earlier run.
    FormStatusRec m = measured(500, 400);
    m.placedX = 500;
    m.placedY = 400;
    m.positionSet = 0;
    captureGeometry(m, *m.slotAt(80), {{77, 88, 0, 300}}, 0, 300);
    EXPECT_EQ(m.winX, 500);
    EXPECT_EQ(m.positionSet, 0);
}

TEST(PlaceWindow, ADamagedRecordGivesAPositionTheToolkitCanHold) {
    FormStatusRec r = measured(INT32_MAX, INT32_MIN);
    r.frameExtraW = INT32_MAX;
    const Placement p = placeWindow(r, *r.slotAt(80), 400, 300, 1280, 1024);
    EXPECT_GE(p.x, 0);
    EXPECT_LE(p.x, 32767);
    EXPECT_EQ(p.y, 0);   // on the screen, not at -32768
    // A negative saved position, which no move stores, keeps the form on
    // the screen.
    r = measured(-30000, -5);
    const Placement q = placeWindow(r, *r.slotAt(80), 400, 300, 1280, 1024);
    EXPECT_EQ(q.x, 0);
    EXPECT_EQ(q.y, 0);
}
