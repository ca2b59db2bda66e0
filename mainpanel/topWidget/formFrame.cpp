#include "topWidget/formFrame.h"

#include <Xm/Form.h>
#include <Xm/LabelG.h>
#include <Xm/PushBG.h>
#include <Xm/RowColumn.h>
#include <Xm/SeparatoG.h>

#include <string>

#include "globals.h"

Widget createFormShell() {
    return XtVaAppCreateShell(appName, "Trevalon", applicationShellWidgetClass, display,
                              nullptr);
}

FormFrame createFormFrame(Widget shell, const FrameNames& names) {
    const std::string p = names.prefix;
    FormFrame f;
    f.outer = XtVaCreateWidget(names.outer, xmFormWidgetClass, shell, nullptr);
    f.upper = XtVaCreateManagedWidget(
        "widget", xmFormWidgetClass, f.outer,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 0,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    f.logo = XtVaCreateManagedWidget(
        (p + "Logo").c_str(), xmLabelGadgetClass, f.upper,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 0,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 0, nullptr);
    f.orvanta = XtVaCreateManagedWidget(
        (p + "Orvanta").c_str(), xmLabelGadgetClass, f.upper,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 64, nullptr);
    f.title = XtVaCreateManagedWidget(
        (p + "Title").c_str(), xmLabelGadgetClass, f.upper,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, f.orvanta, XmNtopOffset, 0,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, f.orvanta, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 0, nullptr);
    f.head = XtVaCreateManagedWidget(
        (p + "Head").c_str(), xmLabelGadgetClass, f.upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.title, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 0, nullptr);
    f.separator = XtVaCreateManagedWidget(
        names.separator, xmSeparatorGadgetClass, f.outer,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.upper, XmNtopOffset, 20,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    f.action = XtVaCreateManagedWidget(
        names.action, xmFormWidgetClass, f.outer,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.separator, XmNtopOffset, 15,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 20,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    return f;
}

void manageFrame(const FormFrame& frame, Widget defaultButton) {
    XtVaSetValues(frame.action, XmNdefaultButton, defaultButton, nullptr);
    XtVaSetValues(frame.outer, XmNdefaultButton, defaultButton, nullptr);
    XtManageChild(frame.outer);
}

Widget createChoiceBox(const FormFrame& frame, const char* name) {
    Widget box = XmCreateRadioBox(frame.upper, const_cast<char*>(name), nullptr, 0);
    XtVaSetValues(box,
                  XmNorientation, XmVERTICAL, XmNnumColumns, 1, XmNpacking, XmPACK_COLUMN,
                  XmNmarginHeight, 3,
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, frame.head, XmNtopOffset, 0,
                  XmNleftAttachment, XmATTACH_OPPOSITE_WIDGET, XmNleftWidget, frame.head,
                  XmNleftOffset, 20,
                  XmNrightAttachment, XmATTACH_FORM, nullptr);
    XtManageChild(box);
    return box;
}

ActionRow createActionRow(Widget action, const char* prefix) {
    const std::string p = prefix;
    ActionRow r;
    r.row = XtVaCreateManagedWidget(
        (p + "ActionRow").c_str(), xmRowColumnWidgetClass, action,
        XmNorientation, XmHORIZONTAL,
        XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment, XmATTACH_FORM,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    r.ok = XtVaCreateManagedWidget((p + "OK").c_str(), xmPushButtonGadgetClass, r.row, nullptr);
    r.prev = XtVaCreateManagedWidget((p + "Prev").c_str(), xmPushButtonGadgetClass, r.row, nullptr);
    r.mainMenu =
        XtVaCreateManagedWidget((p + "MainMenu").c_str(), xmPushButtonGadgetClass, r.row, nullptr);
    r.help = XtVaCreateManagedWidget((p + "Help").c_str(), xmPushButtonGadgetClass, r.row, nullptr);
    return r;
}
