// Window placement from the record, clamped to the screen, and the capture
// of the user's moves and resizes from configure events.
#include <gtest/gtest.h>

#include <climits>

#include "core/geometry.h"

using namespace trev;

namespace {

// A record whose frame was measured: the window at (5, 23) in a frame 10
// wider and 28 higher; or, with `measured` false, a record just reset.
FormStatusRec record(bool measured, int winX, int winY, int positionSet) {
    FormStatusRec r;
    initStatus(r);
    r.winX = winX;
    r.winY = winY;
    r.positionSet = positionSet;
    if (measured) {
        r.clientOffX = 5;
        r.clientOffY = 23;
        r.frameExtraW = 10;
        r.frameExtraH = 28;
    }
    return r;
}

// A client window inside a frame at (fx, fy) directly below the root.
std::vector<WinAttrs> framed(int fx, int fy, int w, int h) { return {{5, 23, w, h}, {fx, fy, w + 10, h + 28}}; }

}  // namespace

TEST(PlaceWindow, SavedPlaceAndSizeOnTheScreenElseTheDefault) {
    const struct {
        bool measured;
        int winX, winY, positionSet;
        WinSize slot;
        int shellW, shellH;
        bool setSize;
        int w, h, x, y;
        WinSize slotAfter;
    } cases[] = {
        // After a reset or without a measured frame: 500, 400 at the natural
        // size, remembered but not forced next time.
        {false, 0, 0, 0, {0, 0, 0}, 420, 310, false, 0, 0, 500, 400, {420, 310, 0}},
        {false, 40, 50, 1, {0, 0, 0}, 300, 200, false, 0, 0, 500, 400, {300, 200, 0}},
        {true, 120, 80, 1, {600, 450, 1}, 420, 310, true, 600, 450, 120, 80, {600, 450, 1}},
        // A saved size below the natural size is raised to it.
        {true, 10, 10, 1, {200, 450, 1}, 420, 310, true, 420, 450, 10, 10, {420, 450, 1}},
        // A size flag without a size is dropped.
        {true, 10, 10, 1, {500, 0, 1}, 300, 200, false, 0, 0, 10, 10, {500, 0, 0}},
        // Past the edges: pulled back so that the frame shows whole.
        {true, 1200, 900, 1, {0, 0, 0}, 300, 200, false, 0, 0, 970, 796, {300, 200, 0}},
        {true, 1270, 796, 1, {0, 0, 0}, 300, 200, false, 0, 0, 970, 796, {300, 200, 0}},
        {true, 970, 797, 1, {0, 0, 0}, 300, 200, false, 0, 0, 970, 796, {300, 200, 0}},
        // Wider than the screen: the saved x stays.
        {true, 30, 20, 1, {0, 0, 0}, 1500, 200, false, 0, 0, 30, 20, {1500, 200, 0}},
        // A damaged record: positions the toolkit can hold, on the screen.
        {true, INT32_MAX, INT32_MIN, 1, {0, 0, 0}, 400, 300, false, 0, 0, 32767, 0, {400, 300, 0}},
        {true, -30000, -5, 1, {0, 0, 0}, 400, 300, false, 0, 0, 0, 0, {400, 300, 0}},
    };
    for (const auto& c : cases) {
        FormStatusRec r = record(c.measured, c.winX, c.winY, c.positionSet);
        if (c.winX == INT32_MAX) r.frameExtraW = INT32_MAX;
        WinSize& slot = *r.slotAt(96);
        slot = c.slot;
        const Placement p = placeWindow(r, slot, c.shellW, c.shellH, 1280, 1024);
        const std::string row = std::to_string(c.winX) + "," + std::to_string(c.winY);
        EXPECT_EQ(p.setSize, c.setSize) << row;
        if (p.setSize) {
            EXPECT_EQ(std::make_pair(p.width, p.height), std::make_pair(c.w, c.h)) << row;
        }
        EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(c.x, c.y)) << row;
        EXPECT_EQ(std::make_tuple(slot.width, slot.height, slot.sizeSet),
                  std::make_tuple(c.slotAfter.width, c.slotAfter.height, c.slotAfter.sizeSet)) << row;
        EXPECT_EQ(r.positionSet, 1) << row;
        if (c.measured) {
            EXPECT_EQ(std::make_pair(r.placedX, r.placedY), std::make_pair(c.x, c.y)) << row;
        }
    }
}

TEST(CaptureGeometry, TheFirstFrameIsMeasuredAndTakenAsPlaced) {
    FormStatusRec r = record(false, 0, 0, 0);
    WinSize slot{400, 300, 0};
    captureGeometry(r, slot, {{0, 0, 400, 300}, {37, 52, 400, 300}}, 400, 300);   // no decoration
    captureGeometry(r, slot, {{500, 400, 400, 300}}, 400, 300);                     // no window manager
    EXPECT_EQ(r.frameExtraW, 0);
    captureGeometry(r, slot, framed(500, 400, 400, 300), 400, 300);
    EXPECT_EQ(std::vector<int>({r.winX, r.winY, r.placedX, r.placedY, r.clientOffX, r.clientOffY,
                                r.frameExtraW, r.frameExtraH, r.positionSet}),
              std::vector<int>({500, 400, 500, 400, 5, 23, 10, 28, 0}));
}

// After the program placed the form at (500, 400) with a 400 x 300 size.
TEST(CaptureGeometry, MovesAwayFromThePlacedPositionAndResizesInBothDimensions) {
    const struct {
        std::vector<WinAttrs> chain;
        int eventW, eventH;
        int winX, winY, positionSet;
        WinSize slot;
    } cases[] = {
        {framed(500, 400, 400, 300), 400, 300, 500, 400, 0, {400, 300, 0}},   // still as placed
        {framed(140, 60, 400, 300), 400, 300, 140, 60, 1, {400, 300, 0}},
        {framed(-20, 0, 400, 300), 400, 300, 1, 1, 1, {400, 300, 0}},         // corner stored as 1
        {framed(500, 400, 450, 300), 450, 300, 500, 400, 0, {400, 300, 0}},   // width alone: no resize
        {framed(500, 400, 400, 330), 400, 330, 500, 400, 0, {400, 300, 0}},
        {framed(10, 10, 450, 330), 450, 330, 500, 400, 0, {450, 330, 1}},     // a resize is no move
        // The outermost decorating ancestor gives the position.
        {{{0, 0, 400, 300}, {5, 23, 400, 300}, {2, 2, 410, 328}, {220, 180, 414, 332}}, 400, 300,
         220, 180, 1, {400, 300, 0}},
        // Without a frame nothing is a move.
        {{{77, 88, 400, 300}}, 400, 300, 500, 400, 0, {400, 300, 0}},
    };
    for (const auto& c : cases) {
        FormStatusRec r = record(true, 500, 400, 0);
        r.placedX = 500;
        r.placedY = 400;
        WinSize slot{400, 300, 0};
        captureGeometry(r, slot, c.chain, c.eventW, c.eventH);
        const std::string row = std::to_string(c.chain.back().x) + "," + std::to_string(c.eventW);
        EXPECT_EQ(std::make_tuple(r.winX, r.winY, r.positionSet), std::make_tuple(c.winX, c.winY, c.positionSet)) << row;
        EXPECT_EQ(std::make_tuple(slot.width, slot.height, slot.sizeSet),
                  std::make_tuple(c.slot.width, c.slot.height, c.slot.sizeSet)) << row;
    }
}
