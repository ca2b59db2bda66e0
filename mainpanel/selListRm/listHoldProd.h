// Form type 17 (On Hold Products): the products named in a hold-product
// file, with a note that they cannot be loaded now.  OK is the only answer;
// the form has no help window.
#pragma once

#include <Xm/Xm.h>

// Widget handles.
extern Widget listHoldProd;
extern Widget listHoldProdLogo, listHoldProdTitle, listHoldProdInfo, listHoldProdListV;
extern Widget listHoldProdAction, listHoldProdOK;

Widget create_listHoldProd();

// Start of form type 17 (see formStarts.h).
void startListHoldProd(int argc, char** argv);

// Callbacks.
void listHoldProdOkCB(Widget, XtPointer, XtPointer);
