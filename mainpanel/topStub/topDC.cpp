// Callbacks of the installation-type form.
#include "globals.h"
#include "mainpanelExit.h"
#include "topStub/topStub.h"
#include "topWidget/topDC.h"

using namespace trev::exitcode;

void topDCDefCB(Widget, XtPointer, XtPointer) { formStatusRec.installType = kDefaultInstall; }
void topDCCusCB(Widget, XtPointer, XtPointer) { formStatusRec.installType = kCustomInstall; }
void topDCOkCB(Widget, XtPointer, XtPointer) { cleanExit(formStatusRec.installType); }
void topDCPrevCB(Widget, XtPointer, XtPointer) { cleanExit(kPrevious); }
void topDCMainMenuCB(Widget, XtPointer, XtPointer) { cleanExit(kMainMenu); }
