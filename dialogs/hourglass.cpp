// hourglass: a small window whose bar grows by one ">" a second, wrapping
// after ten, while a script works.  It has no answer: the script ends it with
// a signal.  Closing it through the window manager ends it with 250.
#include "dialogStart.h"
#include "hourglassExit.h"
#include "waitBar.h"
#include "waitWidget.h"

#include <cstdlib>
#include <string>
#include <vector>

Display* display;
XtAppContext app_context;
int screenWidth;
int screenHeight;
// The shell shown: waitW.
Widget parentWidget;
// The pending tick.
XtIntervalId statusId;
// The installation root; only required to be set.
const char* instRoot;

namespace {

// The bar's label strings, made on the first tick, and the index shown.
std::vector<dialogs::XmStringPtr> barStrings;
int barState = hourglass::kBarBeforeFirstTick;

void winDestroyCB(Widget, XtPointer, XtPointer) { std::exit(hourglass::kExitWindowClosed); }

void updateStatusCB(XtPointer, XtIntervalId*) {
    if (barStrings.empty())
        for (int i = 0; i < hourglass::kBarTexts; ++i) barStrings.push_back(dialogs::makeXmString(hourglass::barText(i)));
    barState = hourglass::nextBarState(barState);
    XtVaSetValues(waitLabel, XmNlabelString, barStrings[static_cast<size_t>(barState)].get(), nullptr);
    XFlush(display);
    statusId = XtAppAddTimeOut(app_context, hourglass::kTickMillis, updateStatusCB, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string prog = dialogs::programName(argc, argv, "hourglass");
    const dialogs::Session session =
        dialogs::openDisplay(prog, argc, argv, hourglassFallback, hourglass::kExitNoDisplay);
    display = session.display;
    app_context = session.app;
    screenWidth = session.screenWidth;
    screenHeight = session.screenHeight;
    instRoot = dialogs::requireInstallRoot(hourglass::kExitNoInstallRoot);

    parentWidget = create_waitW(display, argc, argv);
    dialogs::realizeUnmapped(parentWidget);
    // The close protocols are in place before the window manager first sees
    // the window.
    dialogs::onWindowManagerClose(parentWidget, winDestroyCB);
    dialogs::placeAndMap(parentWidget, kWaitX, kWaitY);
    statusId = XtAppAddTimeOut(app_context, hourglass::kTickMillis, updateStatusCB, nullptr);
    // From now on nothing inside may change the window's size.
    XtVaSetValues(parentWidget, XmNallowShellResize, False, nullptr);
    XFlush(display);
    XtAppMainLoop(app_context);
    return EXIT_SUCCESS;
}
