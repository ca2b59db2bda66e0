// The frame most forms share: an outer layout form holding an upper area
// with the logo, the maker's name, the title and a one-line heading, a
// separator below it and an action area at the bottom.
#pragma once

#include <Xm/Xm.h>

// Widget names of one form's frame.  The labels take the form's prefix:
// "<prefix>Logo", "<prefix>Orvanta", "<prefix>Title", "<prefix>Head";
// the upper area is named "widget".
struct FrameNames {
    const char* prefix;      // "topLev", "topPlat", ...
    const char* outer;       // "widget129", ...
    const char* separator;   // "widget141", ...
    const char* action;      // "topLevAction", ...
};

struct FormFrame {
    Widget outer = nullptr;
    Widget upper = nullptr;
    Widget logo = nullptr;
    Widget orvanta = nullptr;
    Widget title = nullptr;
    Widget head = nullptr;
    Widget separator = nullptr;
    Widget action = nullptr;
};

// The application shell of a form: named after the program, class
// "Trevalon".
Widget createFormShell();

// Builds the frame in `shell`.  The outer form is left unmanaged so that the
// caller can add the body (below `head`, inside `upper`) and set the default
// button before managing it with manageFrame.
FormFrame createFormFrame(Widget shell, const FrameNames& names);

// Sets the default button of the outer form and the action area, and
// manages the outer form.
void manageFrame(const FormFrame& frame, Widget defaultButton);

// A radio box below the heading, its left edge 20 pixels right of the
// heading's, reaching the right edge of the upper area.
Widget createChoiceBox(const FormFrame& frame, const char* name);

// The usual action row: a horizontal row column "<prefix>ActionRow" in the
// action area, attached to its four sides, holding the push buttons
// "<prefix>OK", "<prefix>Prev", "<prefix>MainMenu" and "<prefix>Help".
struct ActionRow {
    Widget row = nullptr;
    Widget ok = nullptr;
    Widget prev = nullptr;
    Widget mainMenu = nullptr;
    Widget help = nullptr;
};
ActionRow createActionRow(Widget action, const char* prefix);
