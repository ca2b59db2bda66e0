// The two "Note" dialogs: WarnDialog, whose text each use sets, and
// WarnNoProdSel, the fixed note that nothing is selected.  Both are children
// of the current form's shell and close with their OK button.
#include <Xm/DialogS.h>
#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/PushBG.h>
#include <Xm/SeparatoG.h>

#include "globals.h"
#include "topStub/topStub.h"
#include "topWidget/topWidget.h"
#include "xraii.h"

Widget WarnDialog, WarnDialogMsg, WarnDialogV, WarnDialogOk;
Widget WarnNoProdSel, WarnNoProdSelMsg, WarnNoProdSelL, WarnNoProdSelOk;

namespace {

struct NoteNames {
    const char* shell;
    const char* form;
    const char* mark;        // the "!" label
    const char* text;
    const char* separator;
    const char* ok;
};

struct Note {
    Widget shell, form, text, ok;
};

// A dialog shell holding a form with "!", the text, a separator and OK.  The
// form unmanages itself when OK is pressed, which closes the dialog.
Note buildNote(Widget parent, const NoteNames& n, unsigned char deleteResponse) {
    Note note;
    note.shell = XtVaCreatePopupShell(n.shell, xmDialogShellWidgetClass, parent,
                                      XmNallowShellResize, True,
                                      XmNdeleteResponse, deleteResponse, nullptr);
    note.form = XtVaCreateWidget(n.form, xmFormWidgetClass, note.shell,
                                 XmNautoUnmanage, True, nullptr);
    Widget mark = XtVaCreateManagedWidget(
        n.mark, xmLabelWidgetClass, note.form,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    note.ok = XtVaCreateManagedWidget(
        n.ok, xmPushButtonGadgetClass, note.form,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5,
        XmNleftAttachment, XmATTACH_POSITION, XmNleftPosition, 45, nullptr);
    Widget separator = XtVaCreateManagedWidget(
        n.separator, xmSeparatorGadgetClass, note.form,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, note.ok, XmNbottomOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    note.text = XtVaCreateManagedWidget(
        n.text, xmLabelWidgetClass, note.form,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 10,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, separator, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, mark, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    XtVaSetValues(note.form, XmNdefaultButton, note.ok, nullptr);
    return note;
}

}  // namespace

Widget create_WarnDialog(Widget parent) {
    // Closed by the window manager, the dialog is destroyed and its handle
    // cleared (generalWinDestroyCB), so the next warning builds a new one.
    const Note n = buildNote(parent,
                             {"WarnDialog", "WarnDialogMsg", "widget394", "WarnDialogV",
                              "widget396", "WarnDialogOk"},
                             XmDESTROY);
    WarnDialog = n.shell;
    WarnDialogMsg = n.form;
    WarnDialogV = n.text;
    WarnDialogOk = n.ok;
    XtVaSetValues(WarnDialogOk, XmNdefaultButtonShadowThickness, 1, nullptr);
    return WarnDialog;
}

Widget create_WarnNoProdSel(Widget parent) {
    // Not registered for window-manager protocols: a close only hides it.
    const Note n = buildNote(parent,
                             {"WarnNoProdSel", "WarnNoProdSelMsg", "widget388", "WarnNoProdSelL",
                              "widget390", "WarnNoProdSelOk"},
                             XmUNMAP);
    WarnNoProdSel = n.shell;
    WarnNoProdSelMsg = n.form;
    WarnNoProdSelL = n.text;
    WarnNoProdSelOk = n.ok;
    return WarnNoProdSel;
}

void displayWarn(const char* text) {
    if (!WarnDialog) {
        create_WarnDialog(parentWidget);
        addWinDestroyCallback(WarnDialog, generalWinDestroyCB, &WarnDialog);
    }
    const XmStr label(text);
    XtVaSetValues(WarnDialogV, XmNlabelString, static_cast<XmString>(label), nullptr);
    XtManageChild(WarnDialogMsg);
}

void showNoProdSel() {
    if (!WarnNoProdSel) create_WarnNoProdSel(parentWidget);
    XtManageChild(WarnNoProdSelMsg);
}
