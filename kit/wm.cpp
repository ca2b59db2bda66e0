#include "wm.h"

#include <Xm/Protocols.h>

#include <initializer_list>

namespace kit {

namespace {

Atom atom(Display* d, const char* name) { return XmInternAtom(d, const_cast<char*>(name), False); }

}  // namespace

void onClose(Widget shell, XtCallbackProc cb, XtPointer data) {
    Display* d = XtDisplay(shell);
    const Atom protocols = atom(d, "WM_PROTOCOLS");
    for (const char* name : {"WM_DELETE_WINDOW", "WM_SAVE_YOURSELF"})
        XmAddProtocolCallback(shell, protocols, atom(d, name), cb, data);
}

bool isDeleteWindow(XtPointer callData) {
    const auto* cbs = static_cast<const XmAnyCallbackStruct*>(callData);
    return cbs && cbs->event && cbs->event->type == ClientMessage &&
           static_cast<Atom>(cbs->event->xclient.data.l[0]) ==
               atom(cbs->event->xclient.display, "WM_DELETE_WINDOW");
}

}  // namespace kit
