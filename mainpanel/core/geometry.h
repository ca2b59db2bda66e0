// Window geometry carried from one run to the next in the status record:
// placing a new form's shell, and reading the user's moves and resizes back
// from the window manager's configure events.  Pure functions on the record;
// the X layer feeds them window attributes and applies the results.
#pragma once

#include <vector>

#include "statusRecord.h"

namespace trev {

struct WinAttrs {
    int x = 0, y = 0;           // relative to the window's parent
    int width = 0, height = 0;
};

// Where a form first appears when nothing says otherwise.
constexpr int kDefaultWinX = 500;
constexpr int kDefaultWinY = 400;

struct Placement {
    bool setSize = false;   // apply width and height to the shell
    int width = 0, height = 0;
    int x = 0, y = 0;       // always applied
};

// Restores the form's saved size and places its shell.  `slot` is the form's
// winSize slot inside `rec`; shellW/shellH the shell's natural size, the
// smallest at which the whole form shows: a saved size below it is raised
// to it.
Placement placeWindow(FormStatusRec& rec, WinSize& slot, int shellW, int shellH, int screenW,
                      int screenH);

// One configure event of the form's shell.  `chain` holds the attributes of
// the shell's window and then of each ancestor up to, not including, the
// root window.  An ancestor whose height differs from its child's is a
// window-manager frame: the first one measures the frame, the outermost one
// gives the frame position.  A change of both width and height is a resize
// by the user; a frame position other than the one the program placed is a
// move by the user.  Without any frame nothing is taken as a move.
void captureGeometry(FormStatusRec& rec, WinSize& slot, const std::vector<WinAttrs>& chain,
                     int eventW, int eventH);

}  // namespace trev
