#include "selListRm/formParts.h"

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/LabelG.h>
#include <Xm/List.h>
#include <Xm/PushB.h>
#include <Xm/RowColumn.h>
#include <Xm/ToggleBG.h>

FormHeading createFormHeading(Widget upper, const char* logoName, const char* orvantaName,
                              const char* titleName) {
    FormHeading h;
    h.logo = XtVaCreateManagedWidget(logoName, xmLabelGadgetClass, upper,
                                     XmNtopAttachment, XmATTACH_FORM,
                                     XmNleftAttachment, XmATTACH_FORM, nullptr);
    h.orvanta = XtVaCreateManagedWidget(orvantaName, xmLabelGadgetClass, upper,
                                        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 15,
                                        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, h.logo,
                                        XmNleftOffset, 14, nullptr);
    h.title = XtVaCreateManagedWidget(titleName, xmLabelGadgetClass, upper,
                                      XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET,
                                      XmNtopWidget, h.orvanta,
                                      XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, h.orvanta,
                                      XmNleftOffset, 10,
                                      XmNrightAttachment, XmATTACH_FORM, nullptr);
    return h;
}

ProductListArea createProductListArea(Widget parent, Widget above,
                                      const ProductListAreaNames& n) {
    ProductListArea a;
    a.frame = XtVaCreateManagedWidget(n.frame, xmFrameWidgetClass, parent,
                                      XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, above,
                                      XmNtopOffset, 8,
                                      XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5,
                                      XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                                      XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                                      nullptr);
    a.form = XtVaCreateManagedWidget(n.form, xmFormWidgetClass, a.frame, nullptr);
    a.heading = XtVaCreateManagedWidget(n.heading, xmLabelWidgetClass, a.form,
                                        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 5,
                                        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                                        nullptr);
    // From the bottom up, so that the list takes the height the area gains.
    a.sortChoice = XmCreateRadioBox(a.form, const_cast<char*>(n.sortChoice), nullptr, 0);
    XtVaSetValues(a.sortChoice, XmNorientation, XmHORIZONTAL, XmNpacking, XmPACK_TIGHT,
                  XmNradioAlwaysOne, True,
                  XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5, nullptr);
    a.byName = XtVaCreateManagedWidget(n.byName, xmToggleButtonGadgetClass, a.sortChoice,
                                       XmNset, True, nullptr);
    a.bySize = XtVaCreateManagedWidget(n.bySize, xmToggleButtonGadgetClass, a.sortChoice, nullptr);
    a.byStatus =
        XtVaCreateManagedWidget(n.byStatus, xmToggleButtonGadgetClass, a.sortChoice, nullptr);
    a.sortHead = XtVaCreateManagedWidget(n.sortHead, xmLabelWidgetClass, a.form,
                                         XmNbottomAttachment, XmATTACH_OPPOSITE_WIDGET,
                                         XmNbottomWidget, a.sortChoice, XmNbottomOffset, 9,
                                         XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                                         nullptr);
    XtVaSetValues(a.sortChoice, XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, a.sortHead,
                  XmNleftOffset, 2, nullptr);
    XtManageChild(a.sortChoice);

    a.list = XmCreateScrolledList(a.form, const_cast<char*>(n.list), nullptr, 0);
    XtVaSetValues(a.list, XmNselectionPolicy, XmEXTENDED_SELECT, nullptr);
    XtVaSetValues(XtParent(a.list),
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, a.heading, XmNtopOffset, 2,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                  XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                  XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, a.sortChoice,
                  XmNbottomOffset, 4, nullptr);
    XtManageChild(a.list);

    // Select All and Deselect All on the same row, after the sort choice.
    a.selAll = XtVaCreateManagedWidget(n.selAll, xmPushButtonWidgetClass, a.form,
                                       XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 8,
                                       XmNleftAttachment, XmATTACH_WIDGET,
                                       XmNleftWidget, a.sortChoice, XmNleftOffset, 16, nullptr);
    a.deselAll = XtVaCreateManagedWidget(n.deselAll, xmPushButtonWidgetClass, a.form,
                                         XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 8,
                                         XmNleftAttachment, XmATTACH_WIDGET,
                                         XmNleftWidget, a.selAll, XmNleftOffset, 8,
                                         XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                                         nullptr);
    return a;
}

void setOrderToggles(const ProductListArea& area, int order) {
    const Widget toggles[] = {area.byName, area.bySize, area.byStatus};
    for (int i = 0; i < 3; ++i)
        XmToggleButtonGadgetSetState(toggles[i], i == order ? True : False, False);
}

Widget createActionButton(Widget action, const char* name, WidgetClass cls, int position) {
    return XtVaCreateManagedWidget(name, cls, action,
                                   XmNtopAttachment, XmATTACH_FORM,
                                   XmNbottomAttachment, XmATTACH_FORM,
                                   XmNleftAttachment, XmATTACH_POSITION,
                                   XmNleftPosition, position, nullptr);
}
