// hourglass: a small window whose bar grows by one ">" a second, wrapping
// after ten, while a script works.  It has no answer: the script ends it with
// a signal.  Closing it through the window manager ends it with 250.
// Colours, fonts and texts come from the resources (Hourglass.ad); the code
// sets the structure, the layout and the fixed size.
#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "dialogStart.h"
#include "hourglassExit.h"
#include "kit/raii.h"
#include "waitBar.h"

// The built-in look, generated from Hourglass.ad.
extern String hourglassFallback[];

namespace {

// The window's fixed size and place.
constexpr Dimension kWaitWidth = 172;
constexpr Dimension kWaitHeight = 59;
constexpr int kWaitX = 250;
constexpr int kWaitY = 200;

XtAppContext app_context;
Widget waitLabel;

// The bar's label strings, made on the first tick, and the index shown.
std::vector<std::unique_ptr<kit::XmStr>> barStrings;
int barState = hourglass::kBarBeforeFirstTick;

void winDestroyCB(Widget, XtPointer, XtPointer) { std::exit(hourglass::kExitWindowClosed); }

void updateStatusCB(XtPointer, XtIntervalId*) {
    if (barStrings.empty())
        for (int i = 0; i < hourglass::kBarTexts; ++i)
            barStrings.push_back(std::make_unique<kit::XmStr>(hourglass::barText(i)));
    barState = hourglass::nextBarState(barState);
    XtVaSetValues(waitLabel, XmNlabelString,
                  static_cast<XmString>(*barStrings[static_cast<std::size_t>(barState)]), nullptr);
    XFlush(XtDisplay(waitLabel));
    XtAppAddTimeOut(app_context, hourglass::kTickMillis, updateStatusCB, nullptr);
}

// The window, its size fixed: width and height can neither grow nor
// shrink, whatever the window manager or the label ask for.
Widget createWaitW(Display* display, int argc, char** argv) {
    Widget waitW = dialogs::createShell("waitW", "Hourglass", display, argc, argv, winDestroyCB);
    XtVaSetValues(waitW, XmNwidth, kWaitWidth, XmNminWidth, kWaitWidth, XmNmaxWidth, kWaitWidth,
                  XmNheight, kWaitHeight, XmNminHeight, kWaitHeight, XmNmaxHeight, kWaitHeight,
                  nullptr);
    Widget form = XtVaCreateWidget("waitForm", xmFormWidgetClass, waitW, nullptr);
    // "Progressing" sits on the frame's top border, 10 from its left end.
    // The toolkit realizes children last first, so this first child's
    // window lies above the frame's.
    XtVaCreateManagedWidget("widget2", xmLabelWidgetClass, form,
                            XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 0,
                            XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 20, nullptr);
    Widget frame = XtVaCreateManagedWidget(
        "widget3", xmFrameWidgetClass, form,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 10,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    Widget inner = XtVaCreateManagedWidget("widget4", xmFormWidgetClass, frame, nullptr);
    waitLabel = XtVaCreateManagedWidget(
        "waitLabel", xmLabelWidgetClass, inner,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 2,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 2,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 2,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 2, nullptr);
    XtManageChild(form);
    return waitW;
}

void fixedPlace(Dimension, Dimension, int& x, int& y) {
    x = kWaitX;
    y = kWaitY;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string prog = dialogs::programName(argc, argv, "hourglass");
    const dialogs::Session session = dialogs::openDisplay(prog, argc, argv, "Hourglass",
                                                          hourglassFallback, hourglass::kExitNoDisplay);
    app_context = session.app;
    dialogs::requireInstallRoot(hourglass::kExitNoInstallRoot);

    Widget shell = createWaitW(session.display, argc, argv);
    dialogs::showAt(shell, fixedPlace);
    XtAppAddTimeOut(app_context, hourglass::kTickMillis, updateStatusCB, nullptr);
    // From now on nothing inside may change the window's size.
    XtVaSetValues(shell, XmNallowShellResize, False, nullptr);
    XFlush(session.display);
    XtAppMainLoop(app_context);
    return EXIT_SUCCESS;
}
