#include "app/notes.h"

#include "app/exitProtocol.h"
#include "app/globals.h"
#include "kit/note.h"
#include "kit/wm.h"

namespace {

Widget WarnDialog;
kit::Note warning, noSelection;

}  // namespace

void displayWarn(const char* text) {
    if (!WarnDialog) {
        warning = kit::buildNote(parentWidget,
                                 {"WarnDialog", "WarnDialogMsg", "widget394", "WarnDialogV",
                                  "widget396", "WarnDialogOk"},
                                 XmDESTROY);
        WarnDialog = warning.shell;
        kit::onClose(WarnDialog, generalWinDestroyCB, &WarnDialog);
    }
    kit::showNote(warning, text);
}

void showNoProdSel() {
    if (!noSelection.shell)
        noSelection = kit::buildNote(parentWidget,
                                     {"WarnNoProdSel", "WarnNoProdSelMsg", "widget388",
                                      "WarnNoProdSelL", "widget390", "WarnNoProdSelOk"},
                                     XmUNMAP);
    kit::showNote(noSelection);
}
