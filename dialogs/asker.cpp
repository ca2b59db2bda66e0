// asker: shows a script's message with OK, or asks it a yes/no question,
// and answers with the exit status.
//
//   asker message          note; OK answers 0
//   asker QUES message     question; Yes answers 15, No 16
//
// "~" in the message starts a new line.  Closing the window through the
// window manager answers 0.  Colours, fonts, labels and the titles come
// from the resources (Asker.ad); the code sets the structure and layout.
#include <Xm/MessageB.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "askerCore.h"
#include "askerExit.h"
#include "dialogStart.h"
#include "kit/note.h"
#include "kit/raii.h"
#include "kit/widgets.h"

// The built-in look, generated from Asker.ad.
extern String askerFallback[];

namespace {

Display* display;
int screenWidth, screenHeight;
// The shell shown: asker or DecisionDialog.
Widget parentWidget;

// The smallest size the window manager may give the window.
constexpr Dimension kMinWidth = 197;
constexpr Dimension kMinHeight = 105;

[[noreturn]] void answer(int status) {
    XtDestroyWidget(parentWidget);
    XFlush(display);
    std::exit(status);
}

void answerCB(Widget, XtPointer status, XtPointer) { answer(kit::numberOf(status)); }
void winDestroyCB(Widget, XtPointer, XtPointer) { std::exit(ask::kExitWindowClosed); }

// The note: "!", the message, a separator and OK in the shell "asker".
Widget createAsker(int argc, char** argv, const std::string& message) {
    Widget asker = dialogs::createShell("asker", "Asker", display, argc, argv, winDestroyCB);
    const kit::Note note =
        kit::buildNoteIn(asker, {"asker", "askerForm", "widget2", "msgLabel", "widget4", "askerOk"});
    kit::onActivate(note.ok, answerCB, kit::number(ask::kExitOk));
    kit::setLabel(note.text, message);
    XtManageChild(note.form);
    return asker;
}

// The question: a message box whose OK and Cancel are Yes and No.  The box
// gives its buttons their labels itself, over any resource of the buttons,
// so the labels are set on the box.
Widget createDecisionDialog(int argc, char** argv, const std::string& message) {
    Widget shell =
        dialogs::createShell("DecisionDialog", "DecisionDialog", display, argc, argv, winDestroyCB);
    const kit::XmStr yes("Yes"), no("No"), text(message);
    Arg al[4];
    Cardinal ac = 0;
    XtSetArg(al[ac], XmNdialogType, XmDIALOG_QUESTION), ++ac;
    XtSetArg(al[ac], XmNokLabelString, static_cast<XmString>(yes)), ++ac;
    XtSetArg(al[ac], XmNcancelLabelString, static_cast<XmString>(no)), ++ac;
    XtSetArg(al[ac], XmNmessageString, static_cast<XmString>(text)), ++ac;
    Widget box = XmCreateMessageBox(shell, const_cast<char*>("DecisionBox"), al, ac);
    // There is no help to offer.
    XtUnmanageChild(XmMessageBoxGetChild(box, XmDIALOG_HELP_BUTTON));
    XtAddCallback(box, XmNokCallback, answerCB, kit::number(ask::kExitYes));
    XtAddCallback(box, XmNcancelCallback, answerCB, kit::number(ask::kExitNo));
    XtManageChild(box);
    return shell;
}

// Centred on the screen by the size the window takes for its message.
void centre(Dimension width, Dimension height, int& x, int& y) {
    x = ask::centred(screenWidth, width);
    y = ask::centred(screenHeight, height);
}

}  // namespace

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

    const dialogs::Session session =
        dialogs::openDisplay(prog, argc, argv, "Asker", askerFallback, ask::kExitNoDisplay);
    display = session.display;
    screenWidth = session.screenWidth;
    screenHeight = session.screenHeight;
    dialogs::requireInstallRoot(ask::kExitNoInstallRoot);

    const std::string message = ask::messageText(request.message);
    parentWidget = request.dialog == ask::Dialog::Question
                       ? createDecisionDialog(argc, argv, message)
                       : createAsker(argc, argv, message);
    XtVaSetValues(parentWidget, XmNminWidth, kMinWidth, XmNminHeight, kMinHeight, nullptr);
    dialogs::showAt(parentWidget, centre);
    XFlush(display);
    XtAppMainLoop(session.app);
    return ask::kExitOk;
}
