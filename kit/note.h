// A note: a small dialog window with a "!" sign, a text, a separator and
// its buttons (OK, and Cancel where the note asks).  Pressing a button
// closes the note, then calls the button's callback.
#pragma once

#include <Xm/Xm.h>

namespace kit {

// Widget names; `cancel` and `buttons` are nullptr for a note with OK only
// (OK then sits alone under the separator).
struct NoteNames {
    const char* shell;
    const char* form;
    const char* mark;        // the "!" label
    const char* text;
    const char* separator;
    const char* ok;
    const char* cancel = nullptr;
    const char* buttons = nullptr;   // the form holding OK and Cancel
};

struct Note {
    Widget shell = nullptr;
    Widget form = nullptr;      // managing it shows the note
    Widget text = nullptr;
    Widget ok = nullptr;
    Widget cancel = nullptr;
    Widget buttons = nullptr;
};

// Builds the note (hidden) in a dialog shell, a child of `parent`.
// `deleteResponse` is what the window manager's close does to it
// (XmDESTROY or XmUNMAP).
Note buildNote(Widget parent, const NoteNames& names, unsigned char deleteResponse);

// Builds the note's form (unmanaged) in a shell of the caller's; the
// names' shell is not used.
Note buildNoteIn(Widget shell, const NoteNames& names);

// Shows the note, with `text` when given.
void showNote(const Note& note, const char* text = nullptr);

}  // namespace kit
