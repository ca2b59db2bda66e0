// The local/remote device entry group: "Device:" and the Device field on
// one line, below them Local over Remote host with the Host field beside
// Remote host.  The group knows whether its device is on a remote host
// through a flag the form gives it, and keeps the Host field editable only
// while Remote host is chosen: a grey field shows nothing and, clicked
// into, switches the group to Remote host.
#pragma once

#include <Xm/Xm.h>

namespace kit {

struct EntryNames {
    const char* deviceLabel;
    const char* device;
    const char* host;
    const char* radio;
    const char* local;
    const char* remote;
};

// How the group answers the user.
enum class EntryMode {
    Plain,          // Local / Remote host set the flag; the Host field follows
    Guarded,        // as Plain, but a toggle that repeats the flag does nothing
    GuardedToggles, // as Guarded, and the toggles are set again from the flag
    Custom,         // the form's own handlers (EntryHandlers)
};

// A form's own handlers for EntryMode::Custom.
struct EntryHandlers {
    XtCallbackProc local = nullptr, remote = nullptr, hostFocus = nullptr;
};

struct EntryGroup {
    Widget deviceLabel = nullptr, device = nullptr, host = nullptr;
    Widget radio = nullptr, local = nullptr, remote = nullptr;
    bool* remoteFlag = nullptr;  // whether the device is on a remote host
    EntryMode mode = EntryMode::Plain;
    EntryHandlers handlers;

    // The Host field's focus handler (the group's own, or the form's).
    XtCallbackProc hostHandler() const;
};

// Builds the group's widgets into `g` inside the form `parent`, below `above`
// (nullptr: the top of the parent) and `leftOffset` from its left edge,
// reaching the parent's bottom.  The radio box lets the user clear its set
// toggle when `alwaysOne` is false.  `g` must outlive the widgets (the
// handlers reach it as their client data).
void buildEntryGroup(EntryGroup& g, Widget parent, const EntryNames& names, Widget above,
                     int leftOffset, bool alwaysOne);

// An entry group inside a frame of its own, with the frame's title label
// over its border: the frame `frame` (left unmanaged, for the caller to
// attach and manage), the form `form` in it holding the group, and the
// title `title`, made after the frame so that it is drawn over its border.
struct EntryFrameNames {
    const char* frame;
    const char* title;
    const char* form;
};
struct EntryFrame {
    Widget frame = nullptr, title = nullptr;
};
EntryFrame buildEntryFrame(EntryGroup& g, Widget parent, const EntryFrameNames& frameNames,
                           const EntryNames& names, bool alwaysOne);

// Attaches an entry frame (or any frame with its title) below `above`
// with the gap `gap`, across its parent and, with `toBottom`, down to the
// parent's bottom; puts the title over the border and manages the frame.
void placeFrame(const EntryFrame& f, Widget above, int gap, bool toBottom);

// Keeps the group's Host-field handler on its focus whatever the field's
// state, for forms that leave the field editable from the start: a click
// into it then chooses Remote host.
void hostFocusChoosesRemote(EntryGroup& g);

// Sets Remote host and unsets Local (remote true), or the reverse, without
// running the toggles' handlers; the Host field becomes editable or grey to
// match.
void showRemote(const EntryGroup& g, bool remote);

// Sets the toggles only (Remote host when `remote`), without their
// handlers; the Host field is left as it is.
void showToggles(const EntryGroup& g, bool remote);

// Editable: light background, dark text, editing on, `handler` off the
// field's focus callbacks.  Not editable: grey on grey (the text stays but
// cannot be seen), editing off, `handler` on the focus callbacks once, so
// that clicking into the grey field calls it with `data`.  The colours are
// the resources fieldBackground, fieldForeground and fieldGrey.
void setEditable(Widget field, bool editable, XtCallbackProc handler, XtPointer data);

// Clears the group's widget handles (after its widgets were destroyed).
void forgetWidgets(EntryGroup& g);

}  // namespace kit
