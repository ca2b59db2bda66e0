// Form types 2 (Load Products) and 18 (Load Documents): choose products or
// documents of the catalogue while the form shows the disk space the choice
// needs and the space that would remain.  The two forms share their widgets
// and callbacks; the documents form has its own shell, title, heading and
// hints, shows no work order, and restores neither selection nor order.
#pragma once

#include <Xm/Xm.h>

// Widget handles.  The shell is selProd for form type 2 and selDoc for 18;
// the four widgets the documents form names differently are held in their
// selDoc… handles there and the selProd… ones stay empty.
extern Widget selProd, selDoc;
extern Widget selProdOrvanta, selProdLogo, selProdTitle, selProdOrderNum, selProdHead;
extern Widget selDocTitle, selDocOrderNum, selDocHead, selDocScrHelpTxt;
extern Widget selProdListL, selProdListV, selProdSortHead, selProdSortChoice;
extern Widget selProdByNameV, selProdBySizeV, selProdByStatusV, selProdSelAll, selProdDeselAll;
extern Widget selProdDiskReqHead, selProdTotalSizeV, selProdFreeDiskHead, selProdFreeDiskV,
    selProdRecheckFreeDisk;
extern Widget selProdScrHelpForm, selProdScrHelpComments, selProdScrHelpFrame, selProdScrHelpForm2,
    selProdScrHelpTxt;
extern Widget selProdAction, selProdOK, selProdMainMenu, selProdPrev, selProdHelp;
extern Widget selProdHelpTextWin;

// Builds the form; `documents` builds the Load Documents variant.
Widget create_selProd(bool documents);
Widget create_selProdHelpTextWin(Widget parent);

// Start of form types 2 and 18 (see formStarts.h).
void startSelProd(int argc, char** argv);

// Callbacks.
void selProdOkCB(Widget, XtPointer, XtPointer);
void selProdMainMenuCB(Widget, XtPointer, XtPointer);
void selProdPrevCB(Widget, XtPointer, XtPointer);
void multSelProdCB(Widget, XtPointer, XtPointer);
void selProdSelAllCB(Widget, XtPointer, XtPointer);
void selProdDeselAllCB(Widget, XtPointer, XtPointer);
void selProdSortByNameCB(Widget, XtPointer, XtPointer);
void selProdSortBySizeCB(Widget, XtPointer, XtPointer);
void selProdSortByStatusCB(Widget, XtPointer, XtPointer);
void selProdRecheckFreeDiskCB(Widget, XtPointer, XtPointer);
