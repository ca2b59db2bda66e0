#include "dialogStart.h"

#include <X11/Shell.h>

#include <cstdio>
#include <cstdlib>

#include "kit/look.h"
#include "kit/wm.h"

namespace dialogs {

std::string programName(int argc, char** argv, const char* fallbackName) {
    if (argc > 0 && argv && argv[0] && argv[0][0]) return argv[0];
    return fallbackName;
}

Session openDisplay(const std::string& progName, int& argc, char** argv, const char* lookClass,
                    String* builtIn, int failStatus) {
    Session s;
    s.app = kit::startToolkit();
    s.display = kit::openDisplay(s.app, nullptr, argc, argv);
    if (!s.display) {
        std::fprintf(stderr, "%s: can't open display, exiting...\n", progName.c_str());
        std::exit(failStatus);
    }
    kit::loadLook(s.display, lookClass, builtIn);
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

Widget createShell(const char* name, const char* className, Display* display, int argc,
                   char** argv, XtCallbackProc closed) {
    Widget shell = XtVaAppCreateShell(name, className, applicationShellWidgetClass, display,
                                      XmNargc, argc, XmNargv, argv, XmNdeleteResponse,
                                      XmDO_NOTHING, nullptr);
    // The close protocols are in place before the window manager first sees
    // the window.
    kit::onClose(shell, closed);
    return shell;
}

void showAt(Widget shell, void (*place)(Dimension width, Dimension height, int& x, int& y)) {
    XtSetMappedWhenManaged(shell, False);
    XtRealizeWidget(shell);
    Dimension width = 0, height = 0;
    XtVaGetValues(shell, XmNwidth, &width, XmNheight, &height, nullptr);
    int x = 0, y = 0;
    place(width, height, x, y);
    XtVaSetValues(shell, XmNx, static_cast<Position>(x), XmNy, static_cast<Position>(y), nullptr);
    // A top-level shell has no parent to manage it: map it by hand.
    XtMapWidget(shell);
}

}  // namespace dialogs
