// The status record: its bytes on disk, the reset, and the selected
// product names written after it and read back.  The window geometry kept
// in it: placement from the record, clamped to the screen, and the capture
// of the user's moves and resizes from configure events.
#include <gtest/gtest.h>

#include <climits>

#include "core/geometry.h"
#include "core/statusIo.h"
#include "core/statusRecord.h"

using namespace trev;

namespace {

// Big-endian words made of the low bytes of their own offsets: a record
// encoded from fields holding these is the byte sequence 0, 1, 2, ... 255,
// 0, 1, ..., whatever the host's byte order.
std::uint32_t ownOffsets(std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = v << 8 | ((at + static_cast<std::size_t>(i)) & 0xff);
    return v;
}

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

TEST(StatusRecord, EveryFieldBigEndianAtItsOffsetAndBack) {
    FormStatusRec r;
    std::int32_t* words[] = {&r.mainMenuAction, &r.platformIndex, &r.installType, &r.infoSource,
                             &r.selProdSort,    &r.spare20,       &r.spare24,     &r.listInstSort,
                             &r.rmInstSort,     &r.configChoice,  &r.mediaTypeChoice, &r.winX,
                             &r.winY,           &r.placedX,       &r.placedY,     &r.clientOffX,
                             &r.clientOffY,     &r.frameExtraW,   &r.frameExtraH, &r.positionSet};
    for (std::size_t i = 0; i < 20; ++i) *words[i] = static_cast<std::int32_t>(ownOffsets(4 * i, 4));
    for (std::size_t i = 0; i < kWinSizeSlots; ++i) {
        r.winSize[i].width = static_cast<std::uint16_t>(ownOffsets(80 + 8 * i, 2));
        r.winSize[i].height = static_cast<std::uint16_t>(ownOffsets(82 + 8 * i, 2));
        r.winSize[i].sizeSet = static_cast<std::int32_t>(ownOffsets(84 + 8 * i, 4));
    }
    r.numSelNames = static_cast<std::int32_t>(ownOffsets(264, 4));
    for (std::size_t i = 0; i < kEmailFileSize; ++i) r.emailFile[i] = static_cast<char>((268 + i) & 0xff);
    const StatusBytes bytes = encodeStatus(r);
    for (std::size_t k = 0; k < kStatusRecordSize; ++k) ASSERT_EQ(bytes[k], k & 0xff) << "byte " << k;
    // Decoded and encoded again every byte comes back, but the last: it
    // always ends the e-mail file name in memory.
    StatusBytes back = encodeStatus(decodeStatus(bytes));
    EXPECT_EQ(back[kStatusRecordSize - 1], 0);
    back[kStatusRecordSize - 1] = bytes[kStatusRecordSize - 1];
    EXPECT_EQ(back, bytes);
}

// A reset clears the choices, the geometry and the sizes of most forms;
// the installation type and the media choice stay, as does the size of
// the installation type form (slot 96).
TEST(StatusRecord, ResetClearsChoicesGeometryAndMostSlots) {
    StatusBytes ones;
    ones.fill(0x11);
    FormStatusRec r = decodeStatus(ones);
    initStatus(r);
    EXPECT_EQ(std::vector<std::int32_t>({r.mainMenuAction, r.configChoice, r.installType, r.mediaTypeChoice, r.winX,
                                         r.frameExtraH, r.positionSet, r.numSelNames, r.emailFile[0]}),
              std::vector<std::int32_t>({99, 99, 0x11111111, 0x11111111, 0, 0, 0, 0, 0}));
    EXPECT_EQ(r.slotAt(80)->width + r.slotAt(136)->sizeSet, 0);
    EXPECT_EQ(r.slotAt(96)->width, 0x1111);
}

TEST(StatusRecord, SelectedNamesOf31Characters) {
    // Slots of 32 bytes in order, long names cut, the rest zero.
    const auto tail = encodeSelectedNames({"alpha", std::string(40, 'n')}, 3);
    EXPECT_EQ(std::string(tail.begin(), tail.end()),
              "alpha" + std::string(27, '\0') + std::string(31, 'n') + std::string(33, '\0'));
    EXPECT_EQ(decodeSelectedNames(tail.data(), 70, 5), (std::vector<std::string>{"alpha", std::string(31, 'n')}));
}

TEST(StatusFile, TheSelectionIsWrittenAfterTheRecordAndReadBack) {
    std::FILE* f = std::tmpfile();
    std::fwrite(std::string(100, 'Z').data(), 1, 100, f);
    FormStatusRec r;
    r.mainMenuAction = 7;
    EXPECT_FALSE(readStatusRecord(f, r));   // only a whole record is read
    EXPECT_EQ(r.mainMenuAction, 7);
    r.numSelNames = 2;
    ASSERT_TRUE(writeStatusRecord(f, r));
    ASSERT_TRUE(writeSelectedNames(f, encodeSelectedNames({"p1", "p2"}, 2)));
    FormStatusRec back;
    ASSERT_TRUE(readStatusRecord(f, back));
    EXPECT_EQ(back.mainMenuAction, 7);
    EXPECT_EQ(readSelectedNames(f, back.numSelNames), (std::vector<std::string>{"p1", "p2"}));
    EXPECT_EQ(readSelectedNames(f, 3), std::nullopt);   // the file holds two slots
    std::fclose(f);
}

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
