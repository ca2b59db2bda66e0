// Builders of asker's two dialogs.  Colours, fonts, labels and the titles
// come from the resources; the code sets the structure and the layout.
#include "msgWidget.h"

#include "dialogStart.h"

#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/MessageB.h>
#include <Xm/PushBG.h>
#include <Xm/SeparatoG.h>

Widget asker;
Widget askerForm;
Widget widget2;
Widget msgLabel;
Widget widget4;
Widget askerOk;

Widget DecisionDialog;
Widget DecisionBox;
Widget DecisionDialogMessageLabel;

Widget create_asker(Display* display, int argc, char** argv) {
    asker = dialogs::createShell("asker", "Asker", display, argc, argv);
    askerForm = XtVaCreateWidget("askerForm", xmFormWidgetClass, asker, nullptr);

    // From the bottom up: OK at the bottom, the separator above it, and the
    // message filling what is left right of the "!" sign.
    askerOk = XtVaCreateManagedWidget("askerOk", xmPushButtonGadgetClass, askerForm,
                                      XmNleftAttachment, XmATTACH_POSITION, XmNleftPosition, 45,
                                      XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5, nullptr);
    XtAddCallback(askerOk, XmNactivateCallback, askerOkCB, nullptr);
    widget4 = XtVaCreateManagedWidget("widget4", xmSeparatorGadgetClass, askerForm,
                                      XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM,
                                      XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, askerOk,
                                      XmNbottomOffset, 5, nullptr);
    widget2 = XtVaCreateManagedWidget("widget2", xmLabelWidgetClass, askerForm,
                                      XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 15,
                                      XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    msgLabel = XtVaCreateManagedWidget("msgLabel", xmLabelWidgetClass, askerForm,
                                       XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 15,
                                       XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, widget2,
                                       XmNleftOffset, 10, XmNrightAttachment, XmATTACH_FORM,
                                       XmNrightOffset, 10, XmNbottomAttachment, XmATTACH_WIDGET,
                                       XmNbottomWidget, widget4, XmNbottomOffset, 10, nullptr);
    XtVaSetValues(askerForm, XmNdefaultButton, askerOk, nullptr);
    XtManageChild(askerForm);
    return asker;
}

Widget create_DecisionDialog(Display* display, int argc, char** argv) {
    DecisionDialog = dialogs::createShell("DecisionDialog", "DecisionDialog", display, argc, argv);
    // The box's own OK and Cancel are Yes and No.  The box gives its buttons
    // their labels itself, over any resource of the buttons, so the labels
    // are set on the box.
    const dialogs::XmStringPtr yes = dialogs::makeXmString("Yes");
    const dialogs::XmStringPtr no = dialogs::makeXmString("No");
    Arg al[3];
    Cardinal ac = 0;
    XtSetArg(al[ac], XmNdialogType, XmDIALOG_QUESTION), ++ac;
    XtSetArg(al[ac], XmNokLabelString, yes.get()), ++ac;
    XtSetArg(al[ac], XmNcancelLabelString, no.get()), ++ac;
    DecisionBox = XmCreateMessageBox(DecisionDialog, const_cast<char*>("DecisionBox"), al, ac);
    // There is no help to offer.
    XtUnmanageChild(XmMessageBoxGetChild(DecisionBox, XmDIALOG_HELP_BUTTON));
    DecisionDialogMessageLabel = XmMessageBoxGetChild(DecisionBox, XmDIALOG_MESSAGE_LABEL);
    XtAddCallback(DecisionBox, XmNokCallback, DecisionDialogOKCB, nullptr);
    XtAddCallback(DecisionBox, XmNcancelCallback, DecisionDialogCancelCB, nullptr);
    XtManageChild(DecisionBox);
    return DecisionDialog;
}
