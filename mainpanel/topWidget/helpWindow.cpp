// The help window of a form: a top-level shell with a read-only scrolled
// text and a Close button.  Its title, text and look come from the fallback
// resources by widget name.
#include <X11/Shell.h>
#include <Xm/Form.h>
#include <Xm/PushB.h>
#include <Xm/SeparatoG.h>
#include <Xm/Text.h>

#include <string>

#include "topStub/topStub.h"
#include "topWidget/topWidget.h"

// The separator above the Close button; the same name in every help window,
// each inside its own uniquely named layout form.
static const char kHelpSeparator[] = "widget300";

void setHelpWindowWidth(Widget help) {
    constexpr Dimension kHelpWidth = 540;
    // Realized first, the shell takes the height its contents want; a shell
    // given only a width before that would come up one pixel high.
    XtRealizeWidget(help);
    XtVaSetValues(help, XmNwidth, kHelpWidth, XmNmaxWidth, kHelpWidth, nullptr);
}

Widget create_helpTextWin(Widget parent, const char* form, int variant, const char* layoutName,
                          Widget* handle) {
    const std::string p = form;
    Widget shell = XtVaCreatePopupShell((p + "HelpTextWin").c_str(), topLevelShellWidgetClass,
                                        parent, XmNiconName, "Trevalon Help", nullptr);
    const std::string layoutDefault = p + "HelpTextWinDialog";
    Widget layout = XtVaCreateWidget(layoutName ? layoutName : layoutDefault.c_str(),
                                     xmFormWidgetClass, shell, nullptr);
    Widget close = XtVaCreateManagedWidget(
        (p + "HelpTextWinClose").c_str(), xmPushButtonWidgetClass, layout,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_POSITION, XmNleftPosition, 40, nullptr);
    Widget separator = XtVaCreateManagedWidget(
        kHelpSeparator, xmSeparatorGadgetClass, layout,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, close, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 0,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 0, nullptr);
    Widget text = XmCreateScrolledText(layout, const_cast<char*>((p + "HelpText").c_str()),
                                       nullptr, 0);
    XtVaSetValues(XtParent(text),
                  XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 10,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                  XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                  XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, separator,
                  XmNbottomOffset, 13, nullptr);
    XtManageChild(text);
    XtAddCallback(close, XmNactivateCallback, XDpopdown_link, handle);
    if (variant == 1) XtVaSetValues(layout, XmNdefaultButton, close, nullptr);
    XtManageChild(layout);
    *handle = shell;
    return shell;
}
