// A help window: a top-level shell with a read-only scrolled text and a
// Close button.  Its title, text and look come from the resources by
// widget name.
#pragma once

#include <Xm/Xm.h>

namespace kit {

// How a help window is built: the prefix of its widget names, whether Close
// is its layout's default button, and the layout form's name (nullptr:
// "<prefix>HelpTextWinDialog").
struct HelpSpec {
    const char* prefix = nullptr;
    bool closeIsDefault = true;
    const char* layout = nullptr;

    explicit operator bool() const { return prefix != nullptr; }
};

// Builds the help window (hidden) as a child of `parent`, transient for
// it: "<prefix>HelpTextWin" (shell), the layout form, the scrolled text
// "<prefix>HelpText" and "<prefix>HelpTextWinClose", which calls `close`
// with `closeData`.  Returns the shell.
Widget buildHelpWindow(Widget parent, const HelpSpec& spec, XtCallbackProc close,
                       XtPointer closeData);

// Pops the help window up beside the window it belongs to (its parent's
// shell): to its right when there is room on the screen, else to its left,
// else as far right as fits; at the owner's height.
void popupBeside(Widget help);

// Realizes a help window at its fixed width of 540 pixels (also its maximum
// width) and the height its contents want.
void fixHelpWidth(Widget help);

}  // namespace kit
