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
    r.winX = winX, r.winY = winY, r.positionSet = positionSet;
    if (measured) r.clientOffX = 5, r.clientOffY = 23, r.frameExtraW = 10, r.frameExtraH = 28;
    return r;
}

// A client window inside a frame at (fx, fy) directly below the root.
std::vector<WinAttrs> framed(int fx, int fy, int w, int h) { return {{5, 23, w, h}, {fx, fy, w + 10, h + 28}}; }

std::string slotText(const WinSize& s) {
    return std::to_string(s.width) + "x" + std::to_string(s.height) + (s.sizeSet ? " set" : "");
}

}  // namespace

TEST(PlaceWindow, SavedPlaceAndSizeOnTheScreenElseTheDefault) {
    // measured, saved x, y, position set, saved size; the shell's natural
    // size -> "x,y", the size forced, the slot afterwards (screen 1280 x 1024)
    const std::tuple<bool, int, int, int, WinSize, int, int, std::string> cases[] = {
        // After a reset or without a measured frame: 500, 400 at the natural
        // size, remembered but not forced next time.
        {false, 0, 0, 0, {0, 0, 0}, 420, 310, "500,400 | 420x310"},
        {true, 120, 80, 1, {600, 450, 1}, 420, 310, "120,80 600x450 | 600x450 set"},
        {true, 10, 10, 1, {200, 450, 1}, 420, 310, "10,10 420x450 | 420x450 set"},   // raised to the natural size
        {true, 10, 10, 1, {500, 0, 1}, 300, 200, "10,10 | 500x0"},                   // a flag without a size dropped
        // Past the edges: pulled back so that the frame shows whole.
        {true, 1200, 900, 1, {0, 0, 0}, 300, 200, "970,796 | 300x200"},
        {true, 970, 797, 1, {0, 0, 0}, 300, 200, "970,796 | 300x200"},
        {true, 30, 20, 1, {0, 0, 0}, 1500, 200, "30,20 | 1500x200"},   // wider than the screen: x stays
        // A damaged record: positions the toolkit can hold, on the screen.
        {true, INT32_MAX, INT32_MIN, 1, {0, 0, 0}, 400, 300, "32767,0 | 400x300"},
        {true, -30000, -5, 1, {0, 0, 0}, 400, 300, "0,0 | 400x300"}};
    for (const auto& [measured, winX, winY, positionSet, saved, shellW, shellH, want] : cases) {
        FormStatusRec r = record(measured, winX, winY, positionSet);
        if (winX == INT32_MAX) r.frameExtraW = INT32_MAX;
        WinSize& slot = *r.slotAt(96);
        slot = saved;
        const Placement p = placeWindow(r, slot, shellW, shellH, 1280, 1024);
        EXPECT_EQ(std::to_string(p.x) + "," + std::to_string(p.y) +
                      (p.setSize ? " " + std::to_string(p.width) + "x" + std::to_string(p.height) : "") + " | " + slotText(slot),
                  want);
        EXPECT_EQ(r.positionSet, 1) << want;
        EXPECT_TRUE(!measured || (r.placedX == p.x && r.placedY == p.y)) << want;
    }
}

TEST(CaptureGeometry, TheFirstFrameIsMeasuredAndTakenAsPlaced) {
    FormStatusRec r = record(false, 0, 0, 0);
    WinSize slot{400, 300, 0};
    captureGeometry(r, slot, {{0, 0, 400, 300}, {37, 52, 400, 300}}, 400, 300);   // no decoration
    captureGeometry(r, slot, {{500, 400, 400, 300}}, 400, 300);                     // no window manager
    EXPECT_EQ(r.frameExtraW, 0);
    captureGeometry(r, slot, framed(500, 400, 400, 300), 400, 300);
    EXPECT_EQ(std::vector<int>({r.winX, r.winY, r.placedX, r.placedY, r.clientOffX, r.clientOffY, r.frameExtraW,
                                r.frameExtraH, r.positionSet}),
              std::vector<int>({500, 400, 500, 400, 5, 23, 10, 28, 0}));
}

// After the program placed the form at (500, 400) with a 400 x 300 size.
TEST(CaptureGeometry, MovesAwayFromThePlacedPositionAndResizesInBothDimensions) {
    // ancestors, the event's size -> "x,y" stored (+ when a move), the slot
    const std::tuple<std::vector<WinAttrs>, int, int, std::string> cases[] = {
        {framed(500, 400, 400, 300), 400, 300, "500,400 | 400x300"},   // still as placed
        {framed(140, 400, 400, 300), 400, 300, "140,400 + | 400x300"},   // along one axis
        {framed(-20, 0, 400, 300), 400, 300, "1,1 + | 400x300"},       // at or past the corner: 1
        {framed(500, 400, 450, 300), 450, 300, "500,400 | 400x300"},   // one dimension: no resize
        {framed(10, 10, 450, 330), 450, 330, "500,400 | 450x330 set"}, // a resize is no move
        // The outermost decorating ancestor gives the position.
        {{{0, 0, 400, 300}, {5, 23, 400, 300}, {2, 2, 410, 328}, {220, 180, 414, 332}}, 400, 300, "220,180 + | 400x300"},
        {{{77, 88, 400, 300}}, 400, 300, "500,400 | 400x300"}};   // without a frame nothing is a move
    for (const auto& [chain, eventW, eventH, want] : cases) {
        FormStatusRec r = record(true, 500, 400, 0);
        r.placedX = 500, r.placedY = 400;
        WinSize slot{400, 300, 0};
        captureGeometry(r, slot, chain, eventW, eventH);
        EXPECT_EQ(std::to_string(r.winX) + "," + std::to_string(r.winY) + (r.positionSet ? " +" : "") + " | " + slotText(slot), want);
    }
}
