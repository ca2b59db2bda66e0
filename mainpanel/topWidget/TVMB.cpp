// Widgets of the message form.
#include "topWidget/TVMB.h"

#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/LabelG.h>
#include <Xm/PushB.h>
#include <Xm/Text.h>

#include "globals.h"
#include "topWidget/topWidget.h"

Widget TVMB;
Widget TVMBLogo, TVMBOrvanta, TVMBHead, TVMBText, TVMBLabel, TVMBOKButton, TVMBMMButton;

Widget create_TVMB() {
    TVMB = XtVaAppCreateShell(appName, "Trevalon", applicationShellWidgetClass, display,
                              XmNallowShellResize, True, nullptr);
    Widget outer = XtVaCreateWidget("widget1", xmFormWidgetClass, TVMB,
                                    XmNautoUnmanage, False, nullptr);

    Widget strip = XtVaCreateManagedWidget(
        "widget12", xmFormWidgetClass, outer,
        XmNtopAttachment, XmATTACH_FORM, XmNleftAttachment, XmATTACH_FORM,
        XmNrightAttachment, XmATTACH_FORM, nullptr);
    Pixel fg = 0, bg = 0;
    XtVaGetValues(strip, XmNforeground, &fg, XmNbackground, &bg, nullptr);
    Pixmap logo = XmGetPixmap(XtScreen(strip), const_cast<char*>(kLogoImageName), fg, bg);
    TVMBLogo = XtVaCreateManagedWidget(
        "TVMBLogo", xmLabelGadgetClass, strip,
        XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment, XmATTACH_FORM,
        XmNleftAttachment, XmATTACH_FORM, nullptr);
    if (logo != XmUNSPECIFIED_PIXMAP)
        XtVaSetValues(TVMBLogo, XmNlabelType, XmPIXMAP, XmNlabelPixmap, logo, nullptr);
    TVMBOrvanta = XtVaCreateManagedWidget(
        "TVMBOrvanta", xmLabelWidgetClass, strip,
        XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment, XmATTACH_FORM,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, TVMBLogo,
        XmNrightAttachment, XmATTACH_OPPOSITE_FORM, XmNrightOffset, -209, nullptr);
    TVMBHead = XtVaCreateManagedWidget(
        "TVMBHead", xmLabelWidgetClass, strip,
        XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment, XmATTACH_FORM,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, TVMBOrvanta,
        XmNrightAttachment, XmATTACH_FORM, nullptr);

    Widget buttons = XtVaCreateManagedWidget(
        "widget6", xmFormWidgetClass, outer,
        XmNbottomAttachment, XmATTACH_FORM, XmNleftAttachment, XmATTACH_FORM,
        XmNrightAttachment, XmATTACH_FORM, nullptr);
    TVMBLabel = XtVaCreateManagedWidget(
        "TVMBLabel", xmLabelWidgetClass, buttons,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    TVMBOKButton = XtVaCreateManagedWidget(
        "TVMBOKButton", xmPushButtonWidgetClass, buttons,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, TVMBLabel, XmNtopOffset, 10,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 10,
        XmNleftAttachment, XmATTACH_POSITION, XmNleftPosition, 10,
        XmNrightAttachment, XmATTACH_POSITION, XmNrightPosition, 30, nullptr);
    TVMBMMButton = XtVaCreateManagedWidget(
        "TVMBMMButton", xmPushButtonWidgetClass, buttons,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, TVMBLabel, XmNtopOffset, 10,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 10,
        XmNleftAttachment, XmATTACH_POSITION, XmNleftPosition, 70,
        XmNrightAttachment, XmATTACH_POSITION, XmNrightPosition, 90, nullptr);
    XtAddCallback(TVMBOKButton, XmNactivateCallback, TVMBOKButtonCB, nullptr);
    XtAddCallback(TVMBMMButton, XmNactivateCallback, TVMBMMButtonCB, nullptr);

    Arg args[3];
    XtSetArg(args[0], XmNeditMode, XmMULTI_LINE_EDIT);
    XtSetArg(args[1], XmNcolumns, 99);
    XtSetArg(args[2], XmNrows, 7);
    TVMBText = XmCreateScrolledText(outer, const_cast<char*>("TVMBText"), args, 3);
    XtVaSetValues(XtParent(TVMBText),
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, strip,
                  XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, buttons,
                  XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    XtManageChild(TVMBText);
    XtManageChild(outer);
    return TVMB;
}
