#include "help.h"

#include <X11/Shell.h>
#include <Xm/Form.h>
#include <Xm/PushB.h>
#include <Xm/SeparatoG.h>
#include <Xm/Text.h>

#include <string>

#include "widgets.h"

namespace kit {

Widget buildHelpWindow(Widget parent, const HelpSpec& spec, XtCallbackProc close,
                       XtPointer closeData) {
    const std::string p = spec.prefix;
    Widget shell = XtVaCreatePopupShell((p + "HelpTextWin").c_str(), topLevelShellWidgetClass,
                                        parent, XmNiconName, "Trevalon Help", nullptr);
    const std::string layoutName = spec.layout ? spec.layout : p + "HelpTextWinDialog";
    Widget layout = XtVaCreateWidget(layoutName.c_str(), xmFormWidgetClass, shell, nullptr);
    Widget closeButton = XtVaCreateManagedWidget(
        (p + "HelpTextWinClose").c_str(), xmPushButtonWidgetClass, layout,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_POSITION, XmNleftPosition, 40, nullptr);
    // The separator has the same name in every help window, each inside its
    // own uniquely named layout form.
    Widget separator = XtVaCreateManagedWidget(
        "widget300", xmSeparatorGadgetClass, layout,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, closeButton, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    Widget text = XmCreateScrolledText(layout, const_cast<char*>((p + "HelpText").c_str()),
                                       nullptr, 0);
    XtVaSetValues(XtParent(text),
                  XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 10,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                  XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                  XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, separator,
                  XmNbottomOffset, 13, nullptr);
    XtManageChild(text);
    onActivate(closeButton, close, closeData);
    if (spec.closeIsDefault) XtVaSetValues(layout, XmNdefaultButton, closeButton, nullptr);
    XtManageChild(layout);
    return shell;
}

void fixHelpWidth(Widget help) {
    constexpr Dimension kHelpWidth = 540;
    // Realized first, the shell takes the height its contents want; a shell
    // given only a width before that would come up one pixel high.
    XtRealizeWidget(help);
    XtVaSetValues(help, XmNwidth, kHelpWidth, XmNmaxWidth, kHelpWidth, nullptr);
}

}  // namespace kit
