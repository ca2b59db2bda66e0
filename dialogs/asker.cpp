// asker: shows a script's message with OK, or asks it a yes/no question,
// and answers with the exit status.
//
//   asker message          note; OK answers 0
//   asker QUES message     question; Yes answers 15, No 16
//
// "~" in the message starts a new line.  Closing the window through the
// window manager answers 0.
#include "askerCore.h"
#include "askerExit.h"
#include "dialogStart.h"
#include "msgWidget.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

Display* display;
int screenWidth;
int screenHeight;
// The shell shown: asker or DecisionDialog.
Widget parentWidget;
// The installation root; only required to be set.
const char* instRoot;

namespace {

// The smallest size the window manager may give the window.
constexpr Dimension kMinWidth = 197;
constexpr Dimension kMinHeight = 105;

[[noreturn]] void answer(int status) {
    XtDestroyWidget(parentWidget);
    XFlush(display);
    std::exit(status);
}

void winDestroyCB(Widget, XtPointer, XtPointer) { std::exit(ask::kExitWindowClosed); }

}  // namespace

void askerOkCB(Widget, XtPointer, XtPointer) { answer(ask::kExitOk); }
void DecisionDialogOKCB(Widget, XtPointer, XtPointer) { answer(ask::kExitYes); }
void DecisionDialogCancelCB(Widget, XtPointer, XtPointer) { answer(ask::kExitNo); }

int main(int argc, char** argv) {
    const std::string prog = dialogs::programName(argc, argv, "asker");
    // The choice is made on the command line as given, before the toolkit
    // takes its own options out of it.
    const std::vector<std::string> args(argc > 1 ? argv + 1 : argv, argc > 1 ? argv + argc : argv);
    const ask::Request request = ask::decide(args);
    if (request.dialog == ask::Dialog::Usage) {
        std::fputs(ask::usageText(prog).c_str(), stderr);
        return ask::kExitUsage;
    }

    const dialogs::Session session = dialogs::openDisplay(prog, argc, argv, askerFallback, ask::kExitNoDisplay);
    display = session.display;
    screenWidth = session.screenWidth;
    screenHeight = session.screenHeight;
    instRoot = dialogs::requireInstallRoot(ask::kExitNoInstallRoot);

    const bool question = request.dialog == ask::Dialog::Question;
    parentWidget = question ? create_DecisionDialog(display, argc, argv) : create_asker(display, argc, argv);
    XtVaSetValues(parentWidget, XmNminWidth, kMinWidth, XmNminHeight, kMinHeight, nullptr);

    const dialogs::XmStringPtr text = dialogs::makeXmString(ask::messageText(request.message));
    if (question)
        // The box puts its message string into its message label,
        // DecisionDialogMessageLabel, and keeps its own layout in step.
        XtVaSetValues(DecisionBox, XmNmessageString, text.get(), nullptr);
    else
        XtVaSetValues(msgLabel, XmNlabelString, text.get(), nullptr);

    // Centred on the screen by the size the window takes for its message.
    dialogs::realizeUnmapped(parentWidget);
    Dimension width = 0, height = 0;
    XtVaGetValues(parentWidget, XmNwidth, &width, XmNheight, &height, nullptr);
    dialogs::onWindowManagerClose(parentWidget, winDestroyCB);
    dialogs::placeAndMap(parentWidget, ask::centred(screenWidth, width), ask::centred(screenHeight, height));
    XFlush(display);
    XtAppMainLoop(session.app);
    return ask::kExitOk;
}
