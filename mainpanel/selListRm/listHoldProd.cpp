// The On Hold Products form: widgets, start and callback.
#include "selListRm/listHoldProd.h"

#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/PushB.h>

#include "globals.h"
#include "mainpanelExit.h"
#include "selListRm/formParts.h"
#include "selListRm/prodList.h"
#include "topStub/topStub.h"
#include "topWidget/formFrame.h"

Widget listHoldProd;
Widget listHoldProdLogo, listHoldProdTitle, listHoldProdInfo, listHoldProdListV;
Widget listHoldProdAction, listHoldProdOK;

Widget create_listHoldProd() {
    listHoldProd = createFormShell();
    const FormAreas a =
        createFormAreas(listHoldProd, {"widget245", "widget246", "widget255", "listHoldProdAction"});
    listHoldProdAction = a.action;
    createActionButtons(listHoldProdAction, {{"listHoldProdOK", xmPushButtonWidgetClass,
                                              &listHoldProdOK, listHoldProdOkCB}});

    const FormHeading h =
        createFormHeading(a.upper, "listHoldProdLogo", "widget247", "listHoldProdTitle");
    listHoldProdLogo = h.logo;
    listHoldProdTitle = h.title;
    listHoldProdInfo = XtVaCreateManagedWidget(
        "listHoldProdInfo", xmLabelWidgetClass, a.upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, listHoldProdLogo, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    listHoldProdListV = createReadOnlyText(a.upper, "listHoldProdListV", 60, 4);
    XtVaSetValues(XtParent(listHoldProdListV),
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, listHoldProdInfo,
                  XmNtopOffset, 8,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                  XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                  XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5, nullptr);

    XtVaSetValues(listHoldProdAction, XmNdefaultButton, listHoldProdOK, nullptr);
    XtVaSetValues(a.outer, XmNdefaultButton, listHoldProdOK, nullptr);
    XtManageChild(a.outer);
    return listHoldProd;
}

void startListHoldProd(int, char** argv) {
    const trev::FilePtr holdFile = openCatalogueFile(argv[2]);
    parentWidget = create_listHoldProd();
    helpWidget = nullptr;
    actionWidget = listHoldProdAction;
    logoWidget = listHoldProdLogo;
    readHoldProdFile(holdFile.get(), listHoldProdListV);
}

void listHoldProdOkCB(Widget, XtPointer, XtPointer) { cleanExit(trev::exitcode::kOk); }
