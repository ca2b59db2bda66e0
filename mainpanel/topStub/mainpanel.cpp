// Callbacks of the main menu.  The radio box switches the previous toggle off
// before the new one notifies, so the toggles only store their code.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "globals.h"
#include "mainpanelExit.h"
#include "topStub/topStub.h"
#include "topWidget/mainpanel.h"

using namespace trev::exitcode;

void topLevLoadProdCB(Widget, XtPointer, XtPointer) { formStatusRec.mainMenuAction = kLoadProducts; }
void topLevConfigCB(Widget, XtPointer, XtPointer) { formStatusRec.mainMenuAction = kConfigure; }
void topLevTestCB(Widget, XtPointer, XtPointer) { formStatusRec.mainMenuAction = kTest; }
void topLevListProdCB(Widget, XtPointer, XtPointer) { formStatusRec.mainMenuAction = kListProducts; }
void topLevRemoveProdCB(Widget, XtPointer, XtPointer) { formStatusRec.mainMenuAction = kRemoveProducts; }
void topLevUpdtProdCB(Widget, XtPointer, XtPointer) { formStatusRec.mainMenuAction = kUpdateProducts; }

void topLevOkCB(Widget, XtPointer, XtPointer) {
    cleanExit(formStatusRec.mainMenuAction);
}

// Quit forgets everything: form.status is removed, not written, so that the
// next run starts from a reset record.
void topLevQuitCB(Widget, XtPointer, XtPointer) {
    if (unlink(statusFile.c_str()) != 0 && errno != ENOENT) {
        std::fprintf(stderr, "Cannot remove file %s", statusFile.c_str());
        trev::systemError(0);
    }
    std::exit(kMainMenu);
}
