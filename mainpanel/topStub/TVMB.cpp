// Callbacks of the message form.
#include "mainpanelExit.h"
#include "topStub/topStub.h"
#include "topWidget/TVMB.h"

void TVMBOKButtonCB(Widget, XtPointer, XtPointer) { cleanExit(trev::exitcode::kMessageOk); }
void TVMBMMButtonCB(Widget, XtPointer, XtPointer) { cleanExit(trev::exitcode::kMessageCancel); }
