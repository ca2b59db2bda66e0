// Link callbacks: each acts on the widget held, when the callback runs, by
// the handle variable whose address is its client data, so that a widget
// built again under the same variable is found.
#include <X11/Shell.h>

#include "globals.h"
#include "topStub/topStub.h"

namespace {

Widget target(XtPointer clientData) {
    return *static_cast<Widget*>(clientData);
}

}  // namespace

void XDmanage_link(Widget, XtPointer clientData, XtPointer) {
    if (Widget w = target(clientData)) XtManageChild(w);
}

void XDunmanage_link(Widget, XtPointer clientData, XtPointer) {
    if (Widget w = target(clientData)) XtUnmanageChild(w);
}

void XDpopup_link(Widget, XtPointer clientData, XtPointer) {
    helped = 1;
    if (Widget w = target(clientData)) XtPopup(w, XtGrabNone);
}

void XDpopdown_link(Widget, XtPointer clientData, XtPointer) {
    helped = 0;
    if (Widget w = target(clientData)) XtPopdown(w);
}

void XDmap_link(Widget, XtPointer clientData, XtPointer) {
    if (Widget w = target(clientData)) XtMapWidget(w);
}

void XDunmap_link(Widget, XtPointer clientData, XtPointer) {
    if (Widget w = target(clientData)) XtUnmapWidget(w);
}

void XDenable_link(Widget, XtPointer clientData, XtPointer) {
    if (Widget w = target(clientData)) XtSetSensitive(w, True);
}

void XDdisable_link(Widget, XtPointer clientData, XtPointer) {
    if (Widget w = target(clientData)) XtSetSensitive(w, False);
}
