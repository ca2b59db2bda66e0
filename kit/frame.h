// The frame every form window shares: an outer layout form holding, from
// the top, the logo, the maker's name and the title side by side, an
// optional one-line heading, the form's body, a separator and the action
// area at the bottom.  The upper area takes whatever height the window
// gains, so lists and texts in the body grow and the buttons keep theirs.
#pragma once

#include <Xm/Xm.h>

#include <initializer_list>
#include <vector>

namespace kit {

// Widget names of one frame; `head` may be nullptr (no heading).
struct FrameNames {
    const char* outer;
    const char* upper;
    const char* logo;
    const char* maker;
    const char* title;
    const char* head;
    const char* separator;
    const char* action;
};

struct Frame {
    Widget outer = nullptr;
    Widget upper = nullptr;      // holds the header and the body
    Widget logo = nullptr;
    Widget maker = nullptr;
    Widget title = nullptr;
    Widget head = nullptr;       // nullptr when the frame has none
    Widget separator = nullptr;
    Widget action = nullptr;     // the action area
    Widget row = nullptr;        // the action buttons' parent (action area or a row in it)

    // The lowest widget of the header, for the body to attach below.
    Widget top() const { return head ? head : logo; }
};

// Builds the frame in `shell`.  The outer form stays unmanaged so that the
// body can be added first; manageFrame shows it.
Frame buildFrame(Widget shell, const FrameNames& names);

// One action button: its name, and what its activation calls.
struct Button {
    const char* name;
    XtCallbackProc cb;
    XtPointer data = nullptr;
};

// How the buttons of an action area sit.
enum class Layout {
    Spread,   // spread over the width in equal shares
    Row,      // side by side from the left, in a row named by the caller
};

// The form's action buttons, in order, in the frame's action area; with
// Layout::Row they sit in a horizontal row `rowName` (which becomes
// frame.row).  All end up equally wide when the form is presented
// (equalWidths on frame.row).
std::vector<Widget> buildActions(Frame& frame, Layout layout, std::initializer_list<Button> buttons,
                                 const char* rowName = nullptr);

// Makes `defaultButton` the default button of the outer form and the action
// area (Return activates it wherever it means nothing itself) and
// `cancelButton` (optional) the one Escape activates, gives the first
// keyboard focus to `firstFocus` (nullptr: the default button) and manages
// the outer form.
void manageFrame(const Frame& frame, Widget defaultButton, Widget firstFocus = nullptr,
                 Widget cancelButton = nullptr);

// A vertical radio box below the heading, 20 pixels further right, its
// toggles in one column.
Widget buildChoiceBox(const Frame& frame, const char* name);

// Places `label` over the top border of `frame`: its top 10 pixels above
// the frame's top, 20 pixels in from the frame's left edge, and its window
// raised over the frame's.  Nothing when either is missing.
void attachFrameLabel(Widget label, Widget frame);

// Labels side by side on one line, the first `offset` below `above` and 10
// from the left edge of `parent`; returned in order.
std::vector<Widget> labelLine(Widget parent, Widget above, int offset,
                              std::initializer_list<const char*> names);

// A label (widget, not gadget) in `parent`.
Widget label(Widget parent, const char* name);

// A read-only multi-line scrolled text in `parent`; the caller attaches its
// scrolled window (XtParent of the result).
Widget readOnlyText(Widget parent, const char* name, short columns, short rows);

}  // namespace kit
