// Form type 9 (Remove Products): choose installed or failed products to
// remove while the form shows the disk space their removal frees.  A
// package is freed only when every installed product that holds it is
// chosen.  OK writes the chosen products to the selection file.
#pragma once

#include <Xm/Xm.h>

// Widget handles.
extern Widget rmInstall;
extern Widget rmInstOrvanta, rmInstLogo, rmInstTitle, rmInstHead;
extern Widget rmInstProdL, rmListProdListV, rmInstSortByL, rmInstSortChoice;
extern Widget rmInstByProdV, rmInstBySizeV, rmInstByStatusV, rmInstSelAllV, rmInstDeselAllV;
extern Widget rmInstDiskAvaL, rmInstDiskAvaV;
extern Widget rmInstAction, rmInstOk, rmInstMainMenu, rmInstHelp;
extern Widget rmInstallHelpTextWin;

Widget create_rmInstall();
Widget create_rmInstallHelpTextWin(Widget parent);

// Start of form type 9 (see formStarts.h).
void startRmInstall(int argc, char** argv);

// Callbacks.
void rmInstOkCB(Widget, XtPointer, XtPointer);
void rmInstMainMenuCB(Widget, XtPointer, XtPointer);
void multRmInstCB(Widget, XtPointer, XtPointer);
void rmInstSelAllCB(Widget, XtPointer, XtPointer);
void rmInstDeselAllCB(Widget, XtPointer, XtPointer);
void rmInstSortByNameCB(Widget, XtPointer, XtPointer);
void rmInstSortBySizeCB(Widget, XtPointer, XtPointer);
void rmInstSortByStatusCB(Widget, XtPointer, XtPointer);
