// The Remove Products form: widgets, start and callbacks.
#include "selListRm/rmInst.h"

#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/PushBG.h>

#include "globals.h"
#include "mainpanelExit.h"
#include "selListRm/formParts.h"
#include "selListRm/prodList.h"
#include "topStub/topStub.h"
#include "topWidget/formFrame.h"
#include "topWidget/topWidget.h"

Widget rmInstall;
Widget rmInstOrvanta, rmInstLogo, rmInstTitle, rmInstHead;
Widget rmInstProdL, rmListProdListV, rmInstSortByL, rmInstSortChoice;
Widget rmInstByProdV, rmInstBySizeV, rmInstByStatusV, rmInstSelAllV, rmInstDeselAllV;
Widget rmInstDiskAvaL, rmInstDiskAvaV;
Widget rmInstAction, rmInstOk, rmInstMainMenu, rmInstHelp;
Widget rmInstallHelpTextWin;

namespace {

ProductListArea listArea;

}  // namespace

Widget create_rmInstallHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "rmInstall", 1, nullptr, &rmInstallHelpTextWin);
}

Widget create_rmInstall() {
    rmInstall = createFormShell();
    const FormAreas a =
        createFormAreas(rmInstall, {"widget458", "widget459", "widget480", "rmInstAction"});
    rmInstAction = a.action;
    createActionButtons(rmInstAction,
                        {{"rmInstOk", xmPushButtonGadgetClass, &rmInstOk, rmInstOkCB},
                         {"rmInstMainMenu", xmPushButtonGadgetClass, &rmInstMainMenu,
                          rmInstMainMenuCB},
                         {"rmInstHelp", xmPushButtonGadgetClass, &rmInstHelp, XDpopup_link,
                          &rmInstallHelpTextWin}});

    const FormHeading h = createFormHeading(a.upper, "rmInstLogo", "rmInstOrvanta", "rmInstTitle");
    rmInstLogo = h.logo;
    rmInstOrvanta = h.orvanta;
    rmInstTitle = h.title;
    rmInstHead = XtVaCreateManagedWidget(
        "rmInstHead", xmLabelWidgetClass, a.upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, rmInstLogo, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, nullptr);

    // The space freed at the bottom; the list area takes the height above it.
    rmInstDiskAvaL = XtVaCreateManagedWidget(
        "rmInstDiskAvaL", xmLabelWidgetClass, a.upper,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 8,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    rmInstDiskAvaV = XtVaCreateManagedWidget(
        "rmInstDiskAvaV", xmLabelWidgetClass, a.upper,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, rmInstDiskAvaL,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, rmInstDiskAvaL,
        XmNleftOffset, 8, nullptr);
    listArea = createProductListArea(
        a.upper, rmInstHead,
        {"widget464", "widget465", "rmInstProdL", "rmListProdListV", "rmInstSortByL",
         "rmInstSortChoice", "rmInstByProdV", "rmInstBySizeV", "rmInstByStatusV",
         "rmInstSelAllV", "rmInstDeselAllV"});
    XtVaSetValues(listArea.frame, XmNbottomAttachment, XmATTACH_WIDGET,
                  XmNbottomWidget, rmInstDiskAvaL, XmNbottomOffset, 12, nullptr);
    rmInstProdL = listArea.heading;
    rmListProdListV = listArea.list;
    rmInstSortByL = listArea.sortHead;
    rmInstSortChoice = listArea.sortChoice;
    rmInstByProdV = listArea.byName;
    rmInstBySizeV = listArea.bySize;
    rmInstByStatusV = listArea.byStatus;
    rmInstSelAllV = listArea.selAll;
    rmInstDeselAllV = listArea.deselAll;
    addListSelectionCallback(rmListProdListV, multRmInstCB);
    XtAddCallback(rmInstSelAllV, XmNactivateCallback, rmInstSelAllCB, nullptr);
    XtAddCallback(rmInstDeselAllV, XmNactivateCallback, rmInstDeselAllCB, nullptr);
    XtAddCallback(rmInstByProdV, XmNvalueChangedCallback, rmInstSortByNameCB, nullptr);
    XtAddCallback(rmInstBySizeV, XmNvalueChangedCallback, rmInstSortBySizeCB, nullptr);
    XtAddCallback(rmInstByStatusV, XmNvalueChangedCallback, rmInstSortByStatusCB, nullptr);

    XtVaSetValues(rmInstAction, XmNdefaultButton, rmInstOk, nullptr);
    XtVaSetValues(a.outer, XmNdefaultButton, rmInstOk, nullptr);
    XtManageChild(a.outer);
    create_rmInstallHelpTextWin(rmInstall);
    return rmInstall;
}

void startRmInstall(int, char** argv) {
    prodDescOutPath = argv[3];
    parentWidget = create_rmInstall();
    helpWidget = rmInstallHelpTextWin;
    actionWidget = rmInstAction;
    logoWidget = rmInstLogo;
    readProdDescFile(argv[2], 0);
    // Only packages with an installed marker get a size: nothing else can
    // be freed.
    buildProdSizeInfo(trev::kRemoveKind);
    showDiskFigures(rmInstDiskAvaV, trev::kRemoveKind);
    const int order = savedProdOrder(formStatusRec.rmInstSort);
    formStatusRec.rmInstSort = order;
    setOrderToggles(listArea, order);
    dispProdList(rmListProdListV, order, 1);
}

// ---- Callbacks -------------------------------------------------------------------------

void rmInstOkCB(Widget, XtPointer, XtPointer) { processSelProd(); }

void rmInstMainMenuCB(Widget, XtPointer, XtPointer) { cleanExit(trev::exitcode::kMainMenu); }

void multRmInstCB(Widget, XtPointer, XtPointer) {
    getSelList(rmListProdListV, rmInstDiskAvaV, trev::kRemoveKind);
}

void rmInstSelAllCB(Widget, XtPointer, XtPointer) {
    selectAllProd(rmListProdListV, rmInstDiskAvaV, trev::kRemoveKind);
}

void rmInstDeselAllCB(Widget, XtPointer, XtPointer) {
    deselectAllProd(rmListProdListV, rmInstDiskAvaV, trev::kRemoveKind);
}

void rmInstSortByNameCB(Widget, XtPointer, XtPointer) {
    changeProdOrder(formStatusRec.rmInstSort, trev::kOrderByName, rmListProdListV);
}

void rmInstSortBySizeCB(Widget, XtPointer, XtPointer) {
    changeProdOrder(formStatusRec.rmInstSort, trev::kOrderBySize, rmListProdListV);
}

void rmInstSortByStatusCB(Widget, XtPointer, XtPointer) {
    changeProdOrder(formStatusRec.rmInstSort, trev::kOrderByStatus, rmListProdListV);
}
