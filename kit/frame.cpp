#include "frame.h"

#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/LabelG.h>
#include <Xm/PushB.h>
#include <Xm/RowColumn.h>
#include <Xm/SeparatoG.h>
#include <Xm/Text.h>

#include "widgets.h"

namespace kit {

Frame buildFrame(Widget shell, const FrameNames& n) {
    Frame f;
    f.outer = XtVaCreateWidget(n.outer, xmFormWidgetClass, shell, nullptr);
    // Bottom up, so that the upper area takes the height the window gains.
    f.action = f.row = XtVaCreateManagedWidget(
        n.action, xmFormWidgetClass, f.outer,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    f.separator = XtVaCreateManagedWidget(
        n.separator, xmSeparatorGadgetClass, f.outer,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, f.action, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    f.upper = XtVaCreateManagedWidget(
        n.upper, xmFormWidgetClass, f.outer,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 0,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, f.separator, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    f.logo = XtVaCreateManagedWidget(
        n.logo, xmLabelGadgetClass, f.upper,
        XmNtopAttachment, XmATTACH_FORM, XmNleftAttachment, XmATTACH_FORM, nullptr);
    f.maker = XtVaCreateManagedWidget(
        n.maker, xmLabelGadgetClass, f.upper,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 15,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, f.logo, XmNleftOffset, 14, nullptr);
    f.title = XtVaCreateManagedWidget(
        n.title, xmLabelGadgetClass, f.upper,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, f.maker,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, f.maker, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, nullptr);
    if (n.head)
        f.head = XtVaCreateManagedWidget(
            n.head, xmLabelGadgetClass, f.upper,
            XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.logo, XmNtopOffset, 10,
            XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
            XmNrightAttachment, XmATTACH_FORM, nullptr);
    return f;
}

std::vector<Widget> buildActions(Frame& frame, Layout layout, std::initializer_list<Button> buttons,
                                 const char* rowName) {
    std::vector<Widget> out;
    if (layout == Layout::Row) {
        frame.row = XtVaCreateManagedWidget(
            rowName, xmRowColumnWidgetClass, frame.action,
            XmNorientation, XmHORIZONTAL, XmNentryAlignment, XmALIGNMENT_CENTER,
            XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment, XmATTACH_FORM,
            XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
            XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
        for (const Button& b : buttons) {
            out.push_back(XtVaCreateManagedWidget(b.name, xmPushButtonWidgetClass, frame.row, nullptr));
            onActivate(out.back(), b.cb, b.data);
        }
        return out;
    }
    // Equal shares of the width, each button at the left of its share with
    // a margin of a tenth of the share.
    const int n = static_cast<int>(buttons.size());
    XtVaSetValues(frame.action, XmNfractionBase, 10 * n, nullptr);
    int i = 0;
    for (const Button& b : buttons) {
        out.push_back(XtVaCreateManagedWidget(
            b.name, xmPushButtonWidgetClass, frame.action,
            XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment, XmATTACH_FORM,
            XmNleftAttachment, XmATTACH_POSITION, XmNleftPosition, 10 * i + 1, nullptr));
        onActivate(out.back(), b.cb, b.data);
        ++i;
    }
    return out;
}

void manageFrame(const Frame& frame, Widget defaultButton, Widget firstFocus,
                 Widget cancelButton) {
    // The areas between a widget and the outer form pass Return and Escape
    // on to it.
    for (Widget w : {frame.outer, frame.upper, frame.action})
        XtVaSetValues(w, XmNdefaultButton, defaultButton, XmNcancelButton, cancelButton, nullptr);
    setFirstFocus(firstFocus ? firstFocus : defaultButton, frame.outer);
    XtManageChild(frame.outer);
}

Widget buildChoiceBox(const Frame& frame, const char* name) {
    Widget box = XmCreateRadioBox(frame.upper, const_cast<char*>(name), nullptr, 0);
    XtVaSetValues(box,
                  XmNorientation, XmVERTICAL, XmNnumColumns, 1, XmNpacking, XmPACK_COLUMN,
                  XmNmarginHeight, 3,
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, frame.top(), XmNtopOffset, 0,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 30,
                  XmNrightAttachment, XmATTACH_FORM, nullptr);
    XtManageChild(box);
    return box;
}

namespace {

// The title's window must lie over the frame's, whatever order the form
// realizes its children in.
void raiseWhenMapped(Widget w, XtPointer, XEvent* event, Boolean*) {
    if (event->type == MapNotify) XRaiseWindow(XtDisplay(w), XtWindow(w));
}

}  // namespace

void attachFrameLabel(Widget label, Widget frame) {
    if (!label || !frame) return;
    XtAddEventHandler(label, StructureNotifyMask, False, raiseWhenMapped, nullptr);
    XtVaSetValues(label,
                  XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, frame,
                  XmNtopOffset, -10,
                  XmNleftAttachment, XmATTACH_OPPOSITE_WIDGET, XmNleftWidget, frame,
                  XmNleftOffset, 20,
                  XmNbottomAttachment, XmATTACH_NONE, XmNrightAttachment, XmATTACH_NONE, nullptr);
}

std::vector<Widget> labelLine(Widget parent, Widget above, int offset,
                              std::initializer_list<const char*> names) {
    std::vector<Widget> out;
    for (const char* name : names) {
        if (out.empty())
            out.push_back(XtVaCreateManagedWidget(
                name, xmLabelWidgetClass, parent,
                XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, above, XmNtopOffset, offset,
                XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr));
        else
            out.push_back(XtVaCreateManagedWidget(
                name, xmLabelWidgetClass, parent,
                XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, out.front(),
                XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, out.back(), XmNleftOffset, 5,
                nullptr));
    }
    return out;
}

Widget label(Widget parent, const char* name) {
    return XtVaCreateManagedWidget(name, xmLabelWidgetClass, parent, nullptr);
}

Widget readOnlyText(Widget parent, const char* name, short columns, short rows) {
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

}  // namespace kit
