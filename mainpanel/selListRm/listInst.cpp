// The List Products form: widgets, start and callbacks.
#include "selListRm/listInst.h"

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

Widget listInstall;
Widget listOrvanta, listLogo, listTitle, listInstSizeL, listProdListV;
Widget listSortL, listSortChoice, listByProductV, listBySizeV, listByStatusV;
Widget listInstAction, listInstMainMenu, listInstHelp;
Widget listInstallHelpTextWin;

namespace {

SortChoice sortChoice;

}  // namespace

Widget create_listInstallHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "listInstall", 1, nullptr, &listInstallHelpTextWin);
}

Widget create_listInstall() {
    listInstall = createFormShell();
    const FormAreas a =
        createFormAreas(listInstall, {"widget438", "widget439", "widget453", "listInstAction"});
    listInstAction = a.action;
    createActionButtons(listInstAction,
                        {{"listInstMainMenu", xmPushButtonGadgetClass, &listInstMainMenu,
                          listInstMainMenuCB},
                         {"listInstHelp", xmPushButtonGadgetClass, &listInstHelp, XDpopup_link,
                          &listInstallHelpTextWin}});

    const FormHeading h = createFormHeading(a.upper, "listLogo", "listOrvanta", "listTitle");
    listLogo = h.logo;
    listOrvanta = h.orvanta;
    listTitle = h.title;
    listInstSizeL = XtVaCreateManagedWidget(
        "listInstSizeL", xmLabelWidgetClass, a.upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, listLogo, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);

    // The sort choice at the bottom; the text takes the height in between.
    sortChoice = createSortChoice(a.upper, {"listSortL", "listSortChoice", "listByProductV",
                                            "listBySizeV", "listByStatusV"});
    listSortL = sortChoice.sortHead;
    listSortChoice = sortChoice.sortChoice;
    listByProductV = sortChoice.byName;
    listBySizeV = sortChoice.bySize;
    listByStatusV = sortChoice.byStatus;
    XtAddCallback(listByProductV, XmNvalueChangedCallback, listInstSortByNameCB, nullptr);
    XtAddCallback(listBySizeV, XmNvalueChangedCallback, listInstSortBySizeCB, nullptr);
    XtAddCallback(listByStatusV, XmNvalueChangedCallback, listInstSortByStatusCB, nullptr);

    listProdListV = createReadOnlyText(a.upper, "listProdListV", 62, 4);
    XtVaSetValues(XtParent(listProdListV),
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, listInstSizeL, XmNtopOffset, 2,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                  XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                  XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, listSortChoice,
                  XmNbottomOffset, 6, nullptr);

    XtManageChild(a.outer);
    create_listInstallHelpTextWin(listInstall);
    return listInstall;
}

void startListInstall(int, char** argv) {
    parentWidget = create_listInstall();
    helpWidget = listInstallHelpTextWin;
    actionWidget = listInstAction;
    logoWidget = listLogo;
    // Any status word is shown as it is: no package is read.
    readProdDescFile(argv[2], 0);
    const int order = savedProdOrder(formStatusRec.listInstSort);
    formStatusRec.listInstSort = order;
    setOrderToggles(sortChoice, order);
    dispProdText(listProdListV, order);
}

// ---- Callbacks -------------------------------------------------------------------------

void listInstMainMenuCB(Widget, XtPointer, XtPointer) { cleanExit(trev::exitcode::kMainMenu); }

void listInstSortByNameCB(Widget, XtPointer, XtPointer) {
    changeProdOrder(formStatusRec.listInstSort, trev::kOrderByName, listProdListV);
}

void listInstSortBySizeCB(Widget, XtPointer, XtPointer) {
    changeProdOrder(formStatusRec.listInstSort, trev::kOrderBySize, listProdListV);
}

void listInstSortByStatusCB(Widget, XtPointer, XtPointer) {
    changeProdOrder(formStatusRec.listInstSort, trev::kOrderByStatus, listProdListV);
}
