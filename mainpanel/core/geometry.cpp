#include "geometry.h"

#include <algorithm>
#include <cstdint>

namespace trev {

namespace {

// A window position the toolkit can hold (a 16-bit coordinate), whatever a
// damaged record says.  Saved positions are at least 1, so a negative one
// is damage too: it would put the form out of reach where no window
// manager brings it back, and is taken as 0.
int toPosition(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, 0, INT16_MAX));
}

// The coordinate at which a window of `extent` plus `frameExtra` still fits
// on a screen of `screen`; a window larger than the screen keeps `saved`.
int fitOnScreen(std::int32_t saved, std::int32_t frameExtra, int extent, int screen) {
    const std::int64_t room = std::int64_t{screen} - frameExtra - extent;
    if (saved <= room) return toPosition(saved);
    return toPosition(room < 0 ? saved : room);
}

std::uint16_t toU16(int v) {
    return static_cast<std::uint16_t>(std::clamp(v, 0, 0xffff));
}

}  // namespace

Placement placeWindow(FormStatusRec& rec, WinSize& slot, int shellW, int shellH, int screenW,
                      int screenH) {
    Placement p;
    if (slot.width == 0 && slot.height == 0) {
        slot.width = toU16(shellW);
        slot.height = toU16(shellH);
    }
    if (slot.sizeSet == 1) {
        if (slot.width != 0 && slot.height != 0) {
            // Never below the size at which the whole form shows.
            slot.width = std::max(slot.width, toU16(shellW));
            slot.height = std::max(slot.height, toU16(shellH));
            p.setSize = true;
            p.width = slot.width;
            p.height = slot.height;
        } else {
            slot.sizeSet = 0;
        }
    }
    if (rec.positionSet == 1 || slot.sizeSet == 1) {
        if (rec.clientOffX != 0 || rec.clientOffY != 0) {
            p.x = fitOnScreen(rec.winX, rec.frameExtraW, slot.width, screenW);
            p.y = fitOnScreen(rec.winY, rec.frameExtraH, slot.height, screenH);
            rec.placedX = p.x;
            rec.placedY = p.y;
        } else {
            rec.positionSet = 0;
        }
    }
    if (rec.positionSet == 0) {
        p.x = kDefaultWinX;
        p.y = kDefaultWinY;
        rec.positionSet = 1;
    }
    return p;
}

void captureGeometry(FormStatusRec& rec, WinSize& slot, const std::vector<WinAttrs>& chain,
                     int eventW, int eventH) {
    if (chain.empty()) return;
    bool haveFrame = false;
    int frameX = 0, frameY = 0;
    WinAttrs lower = chain.front();
    for (std::size_t i = 1; i < chain.size(); ++i) {
        const WinAttrs& upper = chain[i];
        if (lower.height != upper.height) {
            if (rec.frameExtraW == 0 && rec.frameExtraH == 0) {
                rec.winX = rec.placedX = upper.x;
                rec.winY = rec.placedY = upper.y;
                rec.clientOffX = lower.x;
                rec.clientOffY = lower.y;
                rec.frameExtraW = upper.width - lower.width;
                rec.frameExtraH = upper.height - lower.height;
                return;
            }
            haveFrame = true;
            frameX = upper.x;
            frameY = upper.y;
        }
        lower = upper;
    }
    if (eventW != slot.width && eventH != slot.height) {
        slot.width = toU16(eventW);
        slot.height = toU16(eventH);
        slot.sizeSet = 1;
        return;
    }
    // Without a decorating frame there is no frame position to compare with
    // the one the program applied: nothing is stored as a user's move.
    if (!haveFrame) return;
    if (frameX == rec.placedX && frameY == rec.placedY) return;
    rec.winX = frameX > 0 ? frameX : 1;
    rec.winY = frameY > 0 ? frameY : 1;
    rec.positionSet = 1;
}

}  // namespace trev
