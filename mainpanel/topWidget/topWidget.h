// The widget layer shared by every form: colours, the logo, equal-width
// action buttons, window placement, window-manager protocols, help windows
// and the warning dialogs.
#pragma once

#include <Xm/Xm.h>

// ---- Logo -----------------------------------------------------------------

constexpr int kLogoWidth = 50;
constexpr int kLogoHeight = 50;
constexpr int kLogoBytes = 7 * kLogoHeight;
extern const unsigned char Logo_bits[kLogoBytes];

// The name under which the logo is also installed in Motif's image cache, so
// that labels that name it in their resources find it.
constexpr const char* kLogoImageName = "orvantaLogo";

// Installs the logo in the image cache under kLogoImageName.  Called once at
// start-up, before any form is built.
void installLogoImage();

// Gives `label` the logo in the dark red on light grey of the forms,
// allocating the two colours on first use.
void setLogoPixmap(Widget label);

// ---- Widget layer -----------------------------------------------------------

// Pixel of a colour name in the default colormap, or all ones (-1) when the
// name is none or cannot be parsed or allocated.
Pixel getFgBgColor(const char* name);

// Makes every child of `area` as wide as the widest; nullptr is ignored.
void resizeActionButton(Widget area);

// Gives the first keyboard focus inside `top` to `w` (a descendant of it).
// Forms whose first traversable widget would act on the focus (a button
// whose activation changes the state, a grey field that switches its group)
// start on their OK button instead, so that Return answers OK.
void setFirstFocus(Widget w, Widget top);

// Restores the current form's saved size and places its shell (realized,
// not yet mapped) from the status record.
void adjustWindowLoc();

// Registers `cb` for the window-manager protocols WM_DELETE_WINDOW and
// WM_SAVE_YOURSELF of `shell`.
void addWinDestroyCallback(Widget shell, XtCallbackProc cb, XtPointer clientData);

// Whether a protocol callback's data is the window manager's
// WM_DELETE_WINDOW, the one message after which the toolkit destroys a
// secondary window; WM_SAVE_YOURSELF leaves the window as it is.
bool isDeleteWindow(XtPointer callData);

// ---- Help windows -------------------------------------------------------------

// Gives a help window (not yet shown) the width 540, also as its maximum
// width, and the height its contents want at that width.
void setHelpWindowWidth(Widget help);

// Builds the help window of the form with prefix `form` as a hidden child of
// `parent`: "<form>HelpTextWin" (shell), a layout form named `layoutName`
// (nullptr: "<form>HelpTextWinDialog"), the scrolled text "<form>HelpText"
// and the "<form>HelpTextWinClose" button, which pops the window held in
// `*handle` down.  Variant 1 makes Close the layout's default button,
// variant 2 does not.  Stores the shell in `*handle` and returns it.
Widget create_helpTextWin(Widget parent, const char* form, int variant, const char* layoutName,
                          Widget* handle);

// Builds afresh the help window registered for `value` (a form type, or 16
// for the e-mail browser), stores it and returns it; nullptr when the value
// has no help window.
Widget rebuildHelpWindow(int value);

// ---- Warning dialogs ----------------------------------------------------------

extern Widget WarnDialog, WarnDialogMsg, WarnDialogV, WarnDialogOk;
extern Widget WarnNoProdSel, WarnNoProdSelMsg, WarnNoProdSelL, WarnNoProdSelOk;

Widget create_WarnDialog(Widget parent);
Widget create_WarnNoProdSel(Widget parent);

// Shows `text` in the "Note" dialog, building it first as a child of the
// current form's shell when it does not exist (or was closed by the window
// manager).
void displayWarn(const char* text);

// Shows the fixed no-selection note, building it on first use.
void showNoProdSel();
