// Building blocks of the device and media forms: their frame (logo, maker's
// name, title, content area, separator, action area), the local/remote
// entry group, the title label over a device frame's border, and action
// buttons placed side by side in an action form.
#pragma once

#include <Xm/Xm.h>

#include <initializer_list>
#include <string>
#include <vector>

struct MediaFrameNames {
    const char* outer;       // form, child of the shell
    const char* content;     // form holding the form's body
    const char* logo;        // label gadget with the logo
    const char* orvanta;     // label gadget "ORVANTA"
    const char* title;       // label gadget, the heading
    const char* separator;   // separator gadget above the action area
    const char* action;      // form at the bottom
};

struct MediaFrame {
    Widget outer = nullptr;
    Widget content = nullptr;
    Widget logo = nullptr;
    Widget orvanta = nullptr;
    Widget title = nullptr;
    Widget separator = nullptr;
    Widget action = nullptr;
};

// The frame in `shell`; the outer form stays unmanaged until
// manageMediaFrame, so that the body can be added first.  The body goes
// below `title` inside `content`.
MediaFrame createMediaFrame(Widget shell, const MediaFrameNames& names);

// Makes `defaultButton` the outer form's default button (nullptr: none),
// gives the first keyboard focus to `firstFocus` (nullptr: the default
// button) and manages the outer form.
void manageMediaFrame(const MediaFrame& frame, Widget defaultButton, Widget firstFocus = nullptr);

struct EntryGroupNames {
    const char* deviceLabel;      // the "Device:" label
    bool deviceLabelGadget;       // label gadget or label widget
    const char* device;           // Device text field
    const char* host;             // Host text field
    const char* radio;            // radio box of the two toggles
    const char* local;            // toggle gadget "Local"
    const char* remote;           // toggle gadget "Remote host"
};

struct EntryGroupWidgets {
    Widget deviceLabel = nullptr;
    Widget device = nullptr;
    Widget host = nullptr;
    Widget radio = nullptr;
    Widget local = nullptr;
    Widget remote = nullptr;
};

// An entry group in the form `parent`, below `above` (nullptr: the top of
// the parent) and `leftOffset` from its left edge: "Device:" and the Device
// field on one line, below them Local over Remote host with the Host field
// beside Remote host.  The group reaches the parent's bottom.  The radio
// box lets the user clear its set toggle when `alwaysOne` is false.
// `onLocal` and `onRemote` become the toggles' value-changed handlers.
EntryGroupWidgets createEntryGroup(Widget parent, const EntryGroupNames& names, Widget above,
                                   int leftOffset, bool alwaysOne, XtCallbackProc onLocal,
                                   XtCallbackProc onRemote);

// The form holding a device frame's contents (the frame's work area).
Widget createFrameForm(Widget frame, const char* name);

// A device frame holding an entry group, with its title label: the frame
// (unmanaged, for the caller to attach and manage), the form inside it and
// the title label, made after the frame so that it is drawn over its
// border.
struct EntryFrameNames {
    const char* frame;
    const char* title;
    const char* form;
    EntryGroupNames group;
};
struct EntryFrame {
    Widget frame = nullptr;
    Widget title = nullptr;
    Widget form = nullptr;
    EntryGroupWidgets group;
};
EntryFrame createEntryFrame(Widget parent, const EntryFrameNames& names, bool alwaysOne,
                            XtCallbackProc onLocal, XtCallbackProc onRemote);

// Stores an entry frame's widgets in a form's handles.
struct EntryHandles {
    Widget *frame, *title, *device, *host, *local, *remote;
};
void storeEntryFrame(const EntryFrame& f, const EntryHandles& h);

// An entry frame below `above` (offset 25) that fills the rest of `parent`,
// managed, with its title over its border.
EntryFrame createBottomEntryFrame(Widget parent, const EntryFrameNames& names, Widget above,
                                  XtCallbackProc onLocal, XtCallbackProc onRemote);

// Labels side by side on one line, the first `offset` below `above` and 10
// from the left edge of `parent`; returned in order.
struct LabelSpec {
    const char* name;
    bool gadget;
};
std::vector<Widget> createLabelLine(Widget parent, Widget above, int offset,
                                    std::initializer_list<LabelSpec> labels);

// Places `label` over the top border of `frame`: its top 10 pixels above
// the frame's top, 20 pixels in from the frame's left edge.  Nothing when
// either is missing.
void attachFrameLabel(Widget label, Widget frame);

// A push button (`gadget`: push button gadget) named `name` in `parent`
// with `cb` as its activate callback and `data` as client data.
Widget createButton(Widget parent, const char* name, bool gadget, XtCallbackProc cb,
                    XtPointer data = nullptr);

// Spreads `buttons` (children of the action form `action`) over its width,
// evenly, each attached to the top and bottom of the form.
void placeActionButtons(Widget action, std::initializer_list<Widget> buttons);

// A horizontal row column filling the action form, for forms whose buttons
// sit in a row.
Widget createActionRowColumn(Widget action, const char* name);

// Makes the form the current one for its presentation and the callbacks:
// parentWidget, helpWidget, actionWidget (the parent of the action
// buttons) and logoWidget.
void makeCurrentForm(Widget shell, Widget help, Widget action, Widget logo);

// Activate callback of the buttons that only answer: exits through the exit
// protocol with the code given by exitCode(code) as client data.
void mediaExitCB(Widget, XtPointer clientData, XtPointer);
XtPointer exitCode(int code);

// Sets Remote host and unsets Local (remote non-zero), or the reverse,
// without running their handlers; the Host field is left as it is.
void setRemoteToggles(int remote, Widget local, Widget remoteToggle);

// Destroys the widget held in `handle`, if any, and clears the handle.
void destroyHandle(Widget& handle);

// The lines of the text file `path` (see trev::readTextLines); when it
// cannot be opened or read: "Cannot open <path>" or "Cannot read <path>"
// and the system's reason, exit 1.
std::vector<std::string> readLinesOrExit(const char* path);
