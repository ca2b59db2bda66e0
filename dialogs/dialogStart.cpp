#include "dialogStart.h"

#include <Xm/Protocols.h>
#include <X11/Shell.h>

#include <cstdio>
#include <cstdlib>

namespace dialogs {

std::string programName(int argc, char** argv, const char* fallbackName) {
    if (argc > 0 && argv && argv[0] && argv[0][0]) return argv[0];
    return fallbackName;
}

Session openDisplay(const std::string& progName, int& argc, char** argv, String* fallback, int failStatus) {
    Session s;
    XtToolkitInitialize();
    s.app = XtCreateApplicationContext();
    XtAppSetFallbackResources(s.app, fallback);
    s.display = XtOpenDisplay(s.app, nullptr, nullptr, "XApplication", nullptr, 0, &argc, argv);
    if (!s.display) {
        std::fprintf(stderr, "%s: can't open display, exiting...\n", progName.c_str());
        std::exit(failStatus);
    }
    s.screenWidth = DisplayWidth(s.display, DefaultScreen(s.display));
    s.screenHeight = DisplayHeight(s.display, DefaultScreen(s.display));
    return s;
}

const char* requireInstallRoot(int failStatus) {
    const char* root = std::getenv("Proot");
    if (!root) {
        std::fputs("Installation root is not set.\n", stderr);
        std::exit(failStatus);
    }
    return root;
}

Widget createShell(const char* name, const char* className, Display* display, int argc, char** argv) {
    Arg al[2];
    Cardinal ac = 0;
    XtSetArg(al[ac], XmNargc, argc), ++ac;
    XtSetArg(al[ac], XmNargv, argv), ++ac;
    return XtAppCreateShell(name, className, applicationShellWidgetClass, display, al, ac);
}

void onWindowManagerClose(Widget shell, XtCallbackProc closed) {
    Display* d = XtDisplay(shell);
    Atom protocols = XInternAtom(d, "WM_PROTOCOLS", False);
    Atom which[] = {XInternAtom(d, "WM_DELETE_WINDOW", False), XInternAtom(d, "WM_SAVE_YOURSELF", False)};
    XtVaSetValues(shell, XmNdeleteResponse, XmDO_NOTHING, nullptr);
    for (Atom a : which) XmAddProtocolCallback(shell, protocols, a, closed, nullptr);
}

void realizeUnmapped(Widget shell) {
    XtSetMappedWhenManaged(shell, False);
    XtRealizeWidget(shell);
}

void placeAndMap(Widget shell, int x, int y) {
    XtVaSetValues(shell, XmNx, static_cast<Position>(x), XmNy, static_cast<Position>(y), nullptr);
    // A top-level shell has no parent to manage it: map it by hand.
    XtMapWidget(shell);
}

XmStringPtr makeXmString(const std::string& text) {
    return XmStringPtr(XmStringGenerate(const_cast<char*>(text.c_str()), nullptr, XmCHARSET_TEXT, nullptr));
}

}  // namespace dialogs
