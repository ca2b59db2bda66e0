// Form type 1, Installation Information: where the work order comes from.
// Five sources in two radio boxes (one exclusive choice), the e-mail file
// row with its browser, the tape drive entry group and one description per
// source.  OK answers the source as the exit status.
#pragma once

#include <Xm/Xm.h>

#include "core/infoSource.h"

// Widget handles, named like their widgets.
extern Widget instInfo;
extern Widget instInfoLogo;
extern Widget prodInfo, prodInfoHead;
extern Widget prodInfoOrder, prodInfoEmail, prodInfoTape;
extern Widget prodInfoOrderNumber, prodInfoEmailText, prodInfoEmailBrowser;
extern Widget prodInfoTapeFrameLabel, prodInfoTapeLocal, prodInfoTapeRemote;
extern Widget prodInfoTapeDevName, prodInfoTapeHostName, prodInfoTapeDevLabel;
extern Widget prodInfoOrvantaCatalog, prodInfoDocCatalog;
extern Widget prodInfoDescpFrameLabel;
extern Widget emailInfo, workOrderInfo, tapeInfo, orvantaCatalogInfo, docCatalogInfo;
extern Widget instInfoAction, instInfoOk, instInfoMainMenu, instInfoHelp;
extern Widget instInfoHelpTextWin;

// The description label shown, nullptr until the form is filled.
extern Widget shownInfoLabel;

// The script's tape device name (the fourth word), kept for the tape
// fields.
extern const char* instInfoTapeSpec;

// Builds the form (hidden) with its help window.
Widget create_instInfo();
Widget create_instInfoHelpTextWin(Widget parent);

// Builds and fills the form from `mainpanel 1 prodInfoMedia workOrderNum
// tapeDev 1/0 1/0`; a source outside 1 to 5 ends the run with status 1.
void startInstInfo(int argc, char** argv);

// Carries out on the widgets one action of the source machine.
void runInfoAction(const trev::info::Action& a);

// Shows the description of `source` (1 to 5) in place of the one shown.
void displayInfo(int source);

// The e-mail row on (field editable, E-mail File set) or off (field grey
// with `handler` on its focus, E-mail File unset); the text stays.
void toggleEmailFile(int enable, Widget textField, XtCallbackProc handler);

// The tape group on: Tape set, its labels and Local/Remote host sensitive,
// Local or Remote host as tapeHost says, the device field editable, the
// tape bit of loadDevice set.  disableTapeDev is its reverse.
void enableTapeDev();

// 0 when `path` names a usable e-mail file; otherwise shows why in the
// warning dialog and returns 1.
int checkEmailFile(const char* path);

// Callbacks.
void prodInfoWorkOrderCB(Widget, XtPointer, XtPointer);
void prodInfoEmailCB(Widget, XtPointer, XtPointer);
void prodInfoTapeCB(Widget, XtPointer, XtPointer);
void prodInfoOrvantaCatalogCB(Widget, XtPointer, XtPointer);
void prodInfoDocCatalogCB(Widget, XtPointer, XtPointer);
void prodInfoTapeDevNameCB(Widget, XtPointer, XtPointer);
void prodInfoTapeHostNameCB(Widget, XtPointer, XtPointer);
void prodInfoTapeLocalCB(Widget, XtPointer, XtPointer);
void prodInfoTapeRemoteCB(Widget, XtPointer, XtPointer);
void prodInfoEmailBrowserCB(Widget, XtPointer, XtPointer);
void instInfoOkCB(Widget, XtPointer, XtPointer);
void instInfoMainMenuCB(Widget, XtPointer, XtPointer);
