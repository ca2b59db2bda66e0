// The end of every form, and what the window manager tells a form's shell:
// moves and resizes, and closes.
#pragma once

#include <Xm/Xm.h>

// Writes the status record (and after the Load Products form the selected
// product names) back to form.status, ends the form and exits with the low
// 8 bits of `code`.  When the answer lines on standard output could not be
// written, says so and exits 250 instead.
[[noreturn]] void cleanExit(int code);

// Activate callback of a button that only answers: cleanExit with the code
// given as client data (kit::number(code)).
void exitCB(Widget, XtPointer code, XtPointer);

// Structure-notify handler of a form's shell: records moves and resizes.
void windowConfHandlerCB(Widget w, XtPointer clientData, XEvent* event, Boolean* cont);

// Window-manager close of a form's shell: cleanExit(250).
void topWinDestroyCB(Widget w, XtPointer clientData, XtPointer callData);

// Window-manager close of a secondary window: clientData is the address of
// its handle variable, which is cleared so that the window is built afresh.
void generalWinDestroyCB(Widget w, XtPointer clientData, XtPointer callData);

// Link callbacks of the Help buttons and the help windows' Close buttons:
// clientData is the address of a help window's handle variable.
void XDpopup_link(Widget w, XtPointer clientData, XtPointer callData);
void XDpopdown_link(Widget w, XtPointer clientData, XtPointer callData);
