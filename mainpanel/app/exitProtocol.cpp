// The end of every form: cleanExit writes the status record back and exits
// with the action code; the window manager's close of a form answers 250.
// Also the capture of the user's moves and resizes from configure events,
// and the Help buttons' links to their help windows, which act on the
// window the handle holds when pressed (a help window closed by the window
// manager is built again under the same handle).
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "app/exitProtocol.h"
#include "app/globals.h"
#include "app/mainpanelExit.h"
#include "core/geometry.h"
#include "core/statusIo.h"
#include "kit/help.h"
#include "kit/widgets.h"
#include "kit/wm.h"

namespace {

// "Cannot write file <form.status>(reason)": a lost answer must not pass
// silently, but the script still gets the action code.
void reportWriteFailure() { trev::reportWithReason("Cannot write file " + statusFile); }

// After the Load Products form: the names of the selected products, in
// product-list order, into numSelNames slots right after the record.
// Returns false when the write failed.
bool writeSelectedNames(std::FILE* f) {
    if (selectedNamesAtExit != SelectedNames::Write || formStatusRec.numSelNames <= 0 ||
        !selectedProductNames)
        return true;
    const std::optional<std::vector<std::string>> names = selectedProductNames();
    if (!names) return true;   // empty product list
    std::vector<std::uint8_t> tail;
    try {
        tail = trev::encodeSelectedNames(*names, formStatusRec.numSelNames);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "Fail to allocate memory.\n");
        std::exit(trev::exitcode::kStartFailure);
    }
    formStatusRec.numSelNames = 0;
    return trev::writeSelectedNames(f, tail);
}

// Errors while the window tree is walked: a window manager may destroy a
// frame at any moment, and that must not end the form.
bool treeWalkFailed = false;
int noteTreeWalkError(Display*, XErrorEvent*) {
    treeWalkFailed = true;
    return 0;
}

// The attributes of the shell's window and of each ancestor below the root,
// innermost first; empty when a window vanished during the walk.
std::vector<trev::WinAttrs> ancestorChain(Window shellWindow) {
    std::vector<trev::WinAttrs> chain;
    XSync(display, False);
    treeWalkFailed = false;
    const XErrorHandler previous = XSetErrorHandler(noteTreeWalkError);
    Window current = shellWindow;
    XWindowAttributes attrs;
    if (XGetWindowAttributes(display, current, &attrs)) {
        chain.push_back({attrs.x, attrs.y, attrs.width, attrs.height});
        for (;;) {
            Window root = 0, parent = 0, *children = nullptr;
            unsigned int count = 0;
            if (!XQueryTree(display, current, &root, &parent, &children, &count)) break;
            if (children) XFree(children);
            if (parent == 0 || parent == root) break;
            if (!XGetWindowAttributes(display, parent, &attrs)) break;
            chain.push_back({attrs.x, attrs.y, attrs.width, attrs.height});
            current = parent;
        }
    }
    XSync(display, False);
    XSetErrorHandler(previous);
    if (treeWalkFailed) chain.clear();
    return chain;
}

}  // namespace

void cleanExit(int code) {
    // The lines a script evaluates (platform name, EmailFile, device lines)
    // are the form's answer.  When they could not be written the script
    // must not act on the code alone: say so, and end as a form left
    // without an answer does.  A form that printed nothing has nothing to
    // flush and cannot fail here.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        trev::reportWithReason("Cannot write to standard output");
        code = trev::exitcode::kMainMenu;
    }
    if (selectedNamesAtExit == SelectedNames::Forget) formStatusRec.numSelNames = 0;
    if (std::FILE* f = statusFd.get()) {
        // One report for the first step that fails.
        const bool written = trev::writeStatusRecord(f, formStatusRec) && writeSelectedNames(f);
        if (!written) reportWriteFailure();
        if (std::fclose(statusFd.release()) != 0 && written) reportWriteFailure();
    }
    if (parentWidget) XtDestroyWidget(parentWidget);
    if (display) XSync(display, False);
    std::exit(code & 0xff);
}

void exitCB(Widget, XtPointer code, XtPointer) { cleanExit(kit::numberOf(code)); }

void topWinDestroyCB(Widget, XtPointer, XtPointer) {
    cleanExit(trev::exitcode::kMainMenu);
}

// The handles of secondary and help windows are given up only when the
// window is really going: a WM_SAVE_YOURSELF destroys nothing, and a handle
// replaced then would leave a window on screen that its own buttons no
// longer reach.
void generalWinDestroyCB(Widget, XtPointer clientData, XtPointer callData) {
    if (!kit::isDeleteWindow(callData)) return;
    *static_cast<Widget*>(clientData) = nullptr;
}

void windowConfHandlerCB(Widget w, XtPointer, XEvent* event, Boolean*) {
    if (event->type != ConfigureNotify || !currentWinS || !XtIsRealized(w)) return;
    const std::vector<trev::WinAttrs> chain = ancestorChain(XtWindow(w));
    if (chain.empty()) return;
    trev::captureGeometry(formStatusRec, *currentWinS, chain, event->xconfigure.width,
                          event->xconfigure.height);
}

void XDpopup_link(Widget, XtPointer clientData, XtPointer) {
    helped = true;
    if (Widget w = *static_cast<Widget*>(clientData)) kit::popupBeside(w);
}

void XDpopdown_link(Widget, XtPointer clientData, XtPointer) {
    helped = false;
    if (Widget w = *static_cast<Widget*>(clientData)) XtPopdown(w);
}
