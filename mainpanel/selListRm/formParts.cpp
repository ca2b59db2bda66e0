#include "selListRm/formParts.h"

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/LabelG.h>
#include <Xm/List.h>
#include <Xm/PushB.h>
#include <Xm/RowColumn.h>
#include <Xm/SeparatoG.h>
#include <Xm/Text.h>
#include <Xm/ToggleBG.h>

FormAreas createFormAreas(Widget shell, const FormAreasNames& n) {
    FormAreas a;
    a.outer = XtVaCreateWidget(n.outer, xmFormWidgetClass, shell, nullptr);
    a.action = XtVaCreateManagedWidget(n.action, xmFormWidgetClass, a.outer,
                                       XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 15,
                                       XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                                       XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                                       nullptr);
    a.separator = XtVaCreateManagedWidget(n.separator, xmSeparatorGadgetClass, a.outer,
                                          XmNbottomAttachment, XmATTACH_WIDGET,
                                          XmNbottomWidget, a.action, XmNbottomOffset, 15,
                                          XmNleftAttachment, XmATTACH_FORM,
                                          XmNrightAttachment, XmATTACH_FORM, nullptr);
    a.upper = XtVaCreateManagedWidget(n.upper, xmFormWidgetClass, a.outer,
                                      XmNtopAttachment, XmATTACH_FORM,
                                      XmNbottomAttachment, XmATTACH_WIDGET,
                                      XmNbottomWidget, a.separator, XmNbottomOffset, 10,
                                      XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                                      XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                                      nullptr);
    return a;
}

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

SortChoice createSortChoice(Widget parent, const SortChoiceNames& n) {
    SortChoice c;
    c.sortChoice = XmCreateRadioBox(parent, const_cast<char*>(n.sortChoice), nullptr, 0);
    XtVaSetValues(c.sortChoice, XmNorientation, XmHORIZONTAL, XmNpacking, XmPACK_TIGHT,
                  XmNradioAlwaysOne, True,
                  XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5, nullptr);
    c.byName = XtVaCreateManagedWidget(n.byName, xmToggleButtonGadgetClass, c.sortChoice,
                                       XmNset, True, nullptr);
    c.bySize = XtVaCreateManagedWidget(n.bySize, xmToggleButtonGadgetClass, c.sortChoice, nullptr);
    c.byStatus =
        XtVaCreateManagedWidget(n.byStatus, xmToggleButtonGadgetClass, c.sortChoice, nullptr);
    c.sortHead = XtVaCreateManagedWidget(n.sortHead, xmLabelWidgetClass, parent,
                                         XmNbottomAttachment, XmATTACH_OPPOSITE_WIDGET,
                                         XmNbottomWidget, c.sortChoice, XmNbottomOffset, 9,
                                         XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                                         nullptr);
    XtVaSetValues(c.sortChoice, XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, c.sortHead,
                  XmNleftOffset, 2, nullptr);
    XtManageChild(c.sortChoice);
    return c;
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
    static_cast<SortChoice&>(a) =
        createSortChoice(a.form, {n.sortHead, n.sortChoice, n.byName, n.bySize, n.byStatus});

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

void setOrderToggles(const SortChoice& choice, int order) {
    const Widget toggles[] = {choice.byName, choice.bySize, choice.byStatus};
    for (int i = 0; i < 3; ++i)
        XmToggleButtonGadgetSetState(toggles[i], i == order ? True : False, False);
}

void addListSelectionCallback(Widget list, XtCallbackProc cb) {
    XtAddCallback(list, XmNextendedSelectionCallback, cb, nullptr);
    XtAddCallback(list, XmNmultipleSelectionCallback, cb, nullptr);
}

Widget createReadOnlyText(Widget parent, const char* name, short columns, short rows) {
    Arg args[5];
    Cardinal n = 0;
    XtSetArg(args[n], XmNeditMode, XmMULTI_LINE_EDIT), ++n;
    XtSetArg(args[n], XmNeditable, False), ++n;
    XtSetArg(args[n], XmNcursorPositionVisible, False), ++n;
    XtSetArg(args[n], XmNcolumns, columns), ++n;
    XtSetArg(args[n], XmNrows, rows), ++n;
    Widget text = XmCreateScrolledText(parent, const_cast<char*>(name), args, n);
    XtManageChild(text);
    return text;
}

Widget createActionButton(Widget action, const char* name, WidgetClass cls, int position) {
    return XtVaCreateManagedWidget(name, cls, action,
                                   XmNtopAttachment, XmATTACH_FORM,
                                   XmNbottomAttachment, XmATTACH_FORM,
                                   XmNleftAttachment, XmATTACH_POSITION,
                                   XmNleftPosition, position, nullptr);
}

void createActionButtons(Widget action, std::initializer_list<ActionButton> buttons) {
    // Equal shares of the width; a button about a fifth of the width wide
    // sits in the middle of its share.
    const int share = 100 / static_cast<int>(buttons.size());
    int position = share / 2 > 12 ? share / 2 - 10 : 2;
    for (const ActionButton& b : buttons) {
        *b.handle = createActionButton(action, b.name, b.cls, position);
        XtAddCallback(*b.handle, XmNactivateCallback, b.cb, b.data);
        position += share;
    }
}
