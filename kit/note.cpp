#include "note.h"

#include <Xm/DialogS.h>
#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/PushB.h>
#include <Xm/SeparatoG.h>

#include "widgets.h"

namespace kit {

namespace {

void closeCB(Widget, XtPointer form, XtPointer) { XtUnmanageChild(static_cast<Widget>(form)); }

}  // namespace

Note buildNote(Widget parent, const NoteNames& n, unsigned char deleteResponse) {
    return buildNoteIn(XtVaCreatePopupShell(n.shell, xmDialogShellWidgetClass, parent,
                                            XmNallowShellResize, True,
                                            XmNdeleteResponse, deleteResponse, nullptr),
                       n);
}

Note buildNoteIn(Widget shell, const NoteNames& n) {
    Note note;
    note.shell = shell;
    // The form unmanages itself when a button is pressed, which closes the
    // note.
    note.form = XtVaCreateWidget(n.form, xmFormWidgetClass, note.shell,
                                 XmNautoUnmanage, True, nullptr);
    Widget mark = XtVaCreateManagedWidget(
        n.mark, xmLabelWidgetClass, note.form,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    Widget bottom;
    if (n.cancel) {
        note.buttons = bottom = XtVaCreateManagedWidget(
            n.buttons, xmFormWidgetClass, note.form, XmNfractionBase, 20,
            XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 10,
            XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
            XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
        note.ok = XtVaCreateManagedWidget(
            n.ok, xmPushButtonWidgetClass, note.buttons,
            XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment, XmATTACH_FORM,
            XmNleftAttachment, XmATTACH_POSITION, XmNleftPosition, 1, nullptr);
        note.cancel = XtVaCreateManagedWidget(
            n.cancel, xmPushButtonWidgetClass, note.buttons,
            XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment, XmATTACH_FORM,
            XmNleftAttachment, XmATTACH_POSITION, XmNleftPosition, 11, nullptr);
    } else {
        note.ok = bottom = XtVaCreateManagedWidget(
            n.ok, xmPushButtonWidgetClass, note.form,
            XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5,
            XmNleftAttachment, XmATTACH_POSITION, XmNleftPosition, 45, nullptr);
    }
    Widget separator = XtVaCreateManagedWidget(
        n.separator, xmSeparatorGadgetClass, note.form,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, bottom, XmNbottomOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    note.text = XtVaCreateManagedWidget(
        n.text, xmLabelWidgetClass, note.form,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 10,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, separator, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, mark, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    // The form closes itself only for its own buttons, not for those of
    // the row that holds OK and Cancel.
    if (note.buttons)
        for (Widget b : {note.ok, note.cancel}) onActivate(b, closeCB, note.form);
    XtVaSetValues(note.form, XmNdefaultButton, note.ok, XmNcancelButton,
                  note.cancel ? note.cancel : note.ok, nullptr);
    return note;
}

void showNote(const Note& note, const char* text) {
    if (text) setLabel(note.text, text);
    if (note.buttons) equalWidths(note.buttons);
    XtManageChild(note.form);
}

}  // namespace kit
