// The disk space check form: widgets, start and callbacks.
#include "selListRm/lackSpace.h"

#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/LabelG.h>
#include <Xm/PushB.h>
#include <Xm/PushBG.h>
#include <Xm/SeparatoG.h>

#include "globals.h"
#include "mainpanelExit.h"
#include "selListRm/formParts.h"
#include "topStub/topStub.h"
#include "topWidget/formFrame.h"
#include "topWidget/topWidget.h"
#include "xraii.h"

Widget lackSpace;
Widget lackSpaceOrvanta, lackSpaceLogo, lackSpaceTitle, lackSpaceHead, lackSpaceHead1;
Widget lackSpaceDiskAvaL, lackSpaceDiskAvaV, lackSpaceDiskReqL, lackSpaceDiskReqV;
Widget lackSpaceAction, lackSpaceReselect, lackSpaceIngore, lackSpaceRecheck, lackSpaceMainMenu,
    lackSpaceHelp;
Widget lackSpaceHelpTextWin;

namespace {

using namespace trev::exitcode;

// A caption and its value on one row below `above`; the values of the rows
// line up at the left edge of `column` (nullptr: right of the caption).
Widget createFigureRow(Widget upper, Widget above, const char* captionName, const char* valueName,
                       Widget column, Widget* value) {
    Widget caption = XtVaCreateManagedWidget(
        captionName, xmLabelWidgetClass, upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, above, XmNtopOffset, 6,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 40, nullptr);
    *value = XtVaCreateManagedWidget(
        valueName, xmLabelWidgetClass, upper,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, caption,
        XmNleftAttachment, column ? XmATTACH_OPPOSITE_WIDGET : XmATTACH_WIDGET,
        XmNleftWidget, column ? column : caption, XmNleftOffset, column ? 0 : 20, nullptr);
    return caption;
}

void setLabel(Widget w, const std::string& text) {
    const XmStr s(text.c_str());
    XtVaSetValues(w, XmNlabelString, static_cast<XmString>(s), nullptr);
}

}  // namespace

std::string lackSpaceFigure(const char* text) {
    std::string s = text;
    if (s.size() < 6) s.insert(0, 6 - s.size(), ' ');
    return s;
}

Widget create_lackSpaceHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "lackSpace", 1, nullptr, &lackSpaceHelpTextWin);
}

Widget create_lackSpace() {
    lackSpace = createFormShell();
    Widget outer = XtVaCreateWidget("widget399", xmFormWidgetClass, lackSpace, nullptr);
    Widget upper = XtVaCreateManagedWidget(
        "widget400", xmFormWidgetClass, outer,
        XmNtopAttachment, XmATTACH_FORM,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    const FormHeading h =
        createFormHeading(upper, "lackSpaceLogo", "lackSpaceOrvanta", "lackSpaceTitle");
    lackSpaceLogo = h.logo;
    lackSpaceOrvanta = h.orvanta;
    lackSpaceTitle = h.title;
    lackSpaceHead = XtVaCreateManagedWidget(
        "lackSpaceHead", xmLabelGadgetClass, upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, lackSpaceLogo, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, nullptr);
    lackSpaceHead1 = XtVaCreateManagedWidget(
        "lackSpaceHead1", xmLabelWidgetClass, upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, lackSpaceHead, XmNtopOffset, 12,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 20, nullptr);
    lackSpaceDiskAvaL = createFigureRow(upper, lackSpaceHead1, "lackSpaceDiskAvaL",
                                        "lackSpaceDiskAvaV", nullptr, &lackSpaceDiskAvaV);
    lackSpaceDiskReqL = createFigureRow(upper, lackSpaceDiskAvaL, "lackSpaceDiskReqL",
                                        "lackSpaceDiskReqV", lackSpaceDiskAvaV, &lackSpaceDiskReqV);
    XtVaSetValues(lackSpaceDiskReqL, XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5,
                  nullptr);

    Widget separator = XtVaCreateManagedWidget(
        "widget410", xmSeparatorGadgetClass, outer,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, upper, XmNtopOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    lackSpaceAction = XtVaCreateManagedWidget(
        "lackSpaceAction", xmFormWidgetClass, outer,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, separator, XmNtopOffset, 15,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    lackSpaceReselect =
        createActionButton(lackSpaceAction, "lackSpaceReselect", xmPushButtonWidgetClass, 2);
    lackSpaceIngore =
        createActionButton(lackSpaceAction, "lackSpaceIngore", xmPushButtonGadgetClass, 22);
    lackSpaceRecheck =
        createActionButton(lackSpaceAction, "lackSpaceRecheck", xmPushButtonWidgetClass, 42);
    lackSpaceMainMenu =
        createActionButton(lackSpaceAction, "lackSpaceMainMenu", xmPushButtonGadgetClass, 62);
    lackSpaceHelp = createActionButton(lackSpaceAction, "lackSpaceHelp", xmPushButtonGadgetClass, 82);
    XtAddCallback(lackSpaceReselect, XmNactivateCallback, lackSpaceReselectCB, nullptr);
    XtAddCallback(lackSpaceIngore, XmNactivateCallback, lackSpaceIgnoreCB, nullptr);
    XtAddCallback(lackSpaceRecheck, XmNactivateCallback, lackSpaceRecheckCB, nullptr);
    XtAddCallback(lackSpaceMainMenu, XmNactivateCallback, lackSpaceMainMenuCB, nullptr);
    XtAddCallback(lackSpaceHelp, XmNactivateCallback, XDpopup_link, &lackSpaceHelpTextWin);

    XtManageChild(outer);
    create_lackSpaceHelpTextWin(lackSpace);
    return lackSpace;
}

void startLackSpace(int, char** argv) {
    parentWidget = create_lackSpace();
    helpWidget = lackSpaceHelpTextWin;
    actionWidget = lackSpaceAction;
    logoWidget = lackSpaceLogo;
    setLabel(lackSpaceDiskAvaV, lackSpaceFigure(argv[2]));
    setLabel(lackSpaceDiskReqV, lackSpaceFigure(argv[3]));
}

void lackSpaceReselectCB(Widget, XtPointer, XtPointer) { cleanExit(kPrevious); }
void lackSpaceIgnoreCB(Widget, XtPointer, XtPointer) { cleanExit(kIgnore); }
void lackSpaceRecheckCB(Widget, XtPointer, XtPointer) { cleanExit(kRecheck); }
void lackSpaceMainMenuCB(Widget, XtPointer, XtPointer) { cleanExit(kMainMenu); }
