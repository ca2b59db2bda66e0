// Form type 8 (List Products): the products of a product description file
// as read-only text lines, by name, size or status.  Nothing is chosen; the
// order shown last is kept in listInstSort.
#pragma once

#include <Xm/Xm.h>

// Widget handles.
extern Widget listInstall;
extern Widget listOrvanta, listLogo, listTitle, listInstSizeL, listProdListV;
extern Widget listSortL, listSortChoice, listByProductV, listBySizeV, listByStatusV;
extern Widget listInstAction, listInstMainMenu, listInstHelp;
extern Widget listInstallHelpTextWin;

Widget create_listInstall();
Widget create_listInstallHelpTextWin(Widget parent);

// Start of form type 8 (see formStarts.h).
void startListInstall(int argc, char** argv);

// Callbacks.
void listInstMainMenuCB(Widget, XtPointer, XtPointer);
void listInstSortByNameCB(Widget, XtPointer, XtPointer);
void listInstSortBySizeCB(Widget, XtPointer, XtPointer);
void listInstSortByStatusCB(Widget, XtPointer, XtPointer);
