// Callbacks shared by every form: the exit protocol, geometry capture,
// window-manager closes and the link callbacks of buttons.
#pragma once

#include <Xm/Xm.h>

// Writes the status record (and after the Load Products form the selected
// product names) back to form.status, ends the form and exits with the low
// 8 bits of `code`.
[[noreturn]] void cleanExit(int code);

// Structure-notify handler of a form's shell: records moves and resizes.
void windowConfHandlerCB(Widget w, XtPointer clientData, XEvent* event, Boolean* cont);

// Window-manager close of a form's shell: cleanExit(250).
void topWinDestroyCB(Widget w, XtPointer clientData, XtPointer callData);

// Window-manager close of a secondary window: clientData is the address of
// its handle variable, which is cleared so that the window is built afresh.
void generalWinDestroyCB(Widget w, XtPointer clientData, XtPointer callData);

// Window-manager close of a help window: clientData is the form type (16 for
// the e-mail browser); the help window is built again.
void helpWinDestroyCB(Widget w, XtPointer clientData, XtPointer callData);

// Link callbacks: clientData is the address of a widget handle variable.
void XDmanage_link(Widget w, XtPointer clientData, XtPointer callData);
void XDunmanage_link(Widget w, XtPointer clientData, XtPointer callData);
void XDpopup_link(Widget w, XtPointer clientData, XtPointer callData);
void XDpopdown_link(Widget w, XtPointer clientData, XtPointer callData);
void XDmap_link(Widget w, XtPointer clientData, XtPointer callData);
void XDunmap_link(Widget w, XtPointer clientData, XtPointer callData);
void XDenable_link(Widget w, XtPointer clientData, XtPointer callData);
void XDdisable_link(Widget w, XtPointer clientData, XtPointer callData);
