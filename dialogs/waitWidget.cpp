// Builder of the hourglass window.  Colours, fonts and texts come from the
// resources; the code sets the structure, the layout and the fixed size.
#include "waitWidget.h"

#include "dialogStart.h"

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>

Widget waitW;
Widget waitForm;
Widget widget2;
Widget widget3;
Widget widget4;
Widget waitLabel;

Widget create_waitW(Display* display, int argc, char** argv) {
    waitW = dialogs::createShell("waitW", "Hourglass", display, argc, argv);
    // Width and height can neither grow nor shrink, whatever the window
    // manager or the label ask for.
    XtVaSetValues(waitW, XmNwidth, kWaitWidth, XmNminWidth, kWaitWidth, XmNmaxWidth, kWaitWidth,
                  XmNheight, kWaitHeight, XmNminHeight, kWaitHeight, XmNmaxHeight, kWaitHeight, nullptr);
    waitForm = XtVaCreateWidget("waitForm", xmFormWidgetClass, waitW, nullptr);
    // "Progressing" sits on the frame's top border, 10 from its left end.
    // The toolkit realizes children last first, so this first child's
    // window lies above the frame's.
    widget2 = XtVaCreateManagedWidget("widget2", xmLabelWidgetClass, waitForm,
                                      XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 0,
                                      XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 20, nullptr);
    widget3 = XtVaCreateManagedWidget("widget3", xmFrameWidgetClass, waitForm,
                                      XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 10,
                                      XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 10,
                                      XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                                      XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    widget4 = XtVaCreateManagedWidget("widget4", xmFormWidgetClass, widget3, nullptr);
    waitLabel = XtVaCreateManagedWidget("waitLabel", xmLabelWidgetClass, widget4,
                                        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 2,
                                        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 2,
                                        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 2,
                                        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 2, nullptr);
    XtManageChild(waitForm);
    return waitW;
}
