// The Load Products and Load Documents forms: widgets, start and callbacks.
#include "selListRm/selProd.h"

#include <X11/cursorfont.h>
#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/List.h>
#include <Xm/PushB.h>
#include <Xm/PushBG.h>
#include <Xm/SeparatoG.h>
#include <Xm/ToggleBG.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/diskUsage.h"
#include "core/recheck.h"
#include "core/statusRecord.h"
#include "globals.h"
#include "mainpanelExit.h"
#include "selListRm/formParts.h"
#include "selListRm/prodList.h"
#include "topStub/topStub.h"
#include "topWidget/formFrame.h"
#include "topWidget/topWidget.h"
#include "xraii.h"

Widget selProd, selDoc;
Widget selProdOrvanta, selProdLogo, selProdTitle, selProdOrderNum, selProdHead;
Widget selDocTitle, selDocOrderNum, selDocHead, selDocScrHelpTxt;
Widget selProdListL, selProdListV, selProdSortHead, selProdSortChoice;
Widget selProdByNameV, selProdBySizeV, selProdByStatusV, selProdSelAll, selProdDeselAll;
Widget selProdDiskReqHead, selProdTotalSizeV, selProdFreeDiskHead, selProdFreeDiskV,
    selProdRecheckFreeDisk;
Widget selProdScrHelpForm, selProdScrHelpComments, selProdScrHelpFrame, selProdScrHelpForm2,
    selProdScrHelpTxt;
Widget selProdAction, selProdOK, selProdMainMenu, selProdPrev, selProdHelp;
Widget selProdHelpTextWin;

namespace {

using namespace trev::exitcode;

ProductListArea listArea;

// The hints below the separator: a caption and a framed text.
void createHints(Widget outer, bool documents) {
    selProdScrHelpForm = XtVaCreateManagedWidget(
        "selProdScrHelpForm", xmFormWidgetClass, outer,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, selProdAction, XmNbottomOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    selProdScrHelpComments = XtVaCreateManagedWidget(
        "selProdScrHelpComments", xmLabelWidgetClass, selProdScrHelpForm,
        XmNtopAttachment, XmATTACH_FORM, XmNleftAttachment, XmATTACH_FORM, nullptr);
    selProdScrHelpFrame = XtVaCreateManagedWidget(
        "selProdScrHelpFrame", xmFrameWidgetClass, selProdScrHelpForm,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, selProdScrHelpComments, XmNtopOffset, 2,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM,
        XmNbottomAttachment, XmATTACH_FORM, nullptr);
    selProdScrHelpForm2 = XtVaCreateManagedWidget("selProdScrHelpForm2", xmFormWidgetClass,
                                                  selProdScrHelpFrame, nullptr);
    Widget text = XtVaCreateManagedWidget(
        documents ? "selDocScrHelpTxt" : "selProdScrHelpTxt", xmLabelWidgetClass,
        selProdScrHelpForm2,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 4,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 4,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 6,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 6, nullptr);
    (documents ? selDocScrHelpTxt : selProdScrHelpTxt) = text;
}

// The two disk figures at the bottom of the upper area, with Recheck.
void createDiskFigures(Widget upper) {
    selProdFreeDiskHead = XtVaCreateManagedWidget(
        "selProdFreeDiskHead", xmLabelWidgetClass, upper,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 8,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    selProdFreeDiskV = XtVaCreateManagedWidget(
        "selProdFreeDiskV", xmLabelWidgetClass, upper,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, selProdFreeDiskHead,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, selProdFreeDiskHead,
        XmNleftOffset, 8, nullptr);
    selProdRecheckFreeDisk = XtVaCreateManagedWidget(
        "selProdRecheckFreeDisk", xmPushButtonWidgetClass, upper,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 2,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, selProdFreeDiskV,
        XmNleftOffset, 12, nullptr);
    selProdDiskReqHead = XtVaCreateManagedWidget(
        "selProdDiskReqHead", xmLabelWidgetClass, upper,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, selProdFreeDiskHead,
        XmNbottomOffset, 8,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    selProdTotalSizeV = XtVaCreateManagedWidget(
        "selProdTotalSizeV", xmLabelWidgetClass, upper,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, selProdDiskReqHead,
        XmNleftAttachment, XmATTACH_OPPOSITE_WIDGET, XmNleftWidget, selProdFreeDiskV, nullptr);
    XtAddCallback(selProdRecheckFreeDisk, XmNactivateCallback, selProdRecheckFreeDiskCB, nullptr);
}

void createActions(Widget outer) {
    selProdAction = XtVaCreateManagedWidget(
        "selProdAction", xmFormWidgetClass, outer,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    selProdOK = createActionButton(selProdAction, "selProdOK", xmPushButtonGadgetClass, 4);
    selProdMainMenu =
        createActionButton(selProdAction, "selProdMainMenu", xmPushButtonGadgetClass, 28);
    selProdPrev = createActionButton(selProdAction, "selProdPrev", xmPushButtonWidgetClass, 52);
    selProdHelp = createActionButton(selProdAction, "selProdHelp", xmPushButtonGadgetClass, 76);
    XtAddCallback(selProdOK, XmNactivateCallback, selProdOkCB, nullptr);
    XtAddCallback(selProdMainMenu, XmNactivateCallback, selProdMainMenuCB, nullptr);
    XtAddCallback(selProdPrev, XmNactivateCallback, selProdPrevCB, nullptr);
    XtAddCallback(selProdHelp, XmNactivateCallback, XDpopup_link, &selProdHelpTextWin);
}

void wireList() {
    for (const char* reason : {XmNbrowseSelectionCallback, XmNdefaultActionCallback,
                               XmNextendedSelectionCallback, XmNmultipleSelectionCallback,
                               XmNsingleSelectionCallback})
        XtAddCallback(selProdListV, reason, multSelProdCB, nullptr);
    XtAddCallback(selProdSelAll, XmNactivateCallback, selProdSelAllCB, nullptr);
    XtAddCallback(selProdDeselAll, XmNactivateCallback, selProdDeselAllCB, nullptr);
    XtAddCallback(selProdByNameV, XmNvalueChangedCallback, selProdSortByNameCB, nullptr);
    XtAddCallback(selProdBySizeV, XmNvalueChangedCallback, selProdSortBySizeCB, nullptr);
    XtAddCallback(selProdByStatusV, XmNvalueChangedCallback, selProdSortByStatusCB, nullptr);
}

// The selection saved by the last Load Products form: numSelNames names of
// 32 bytes right after the record.  When fewer can be read the selection
// starts empty.
void updateSelProds() {
    const std::int32_t count = formStatusRec.numSelNames;
    std::FILE* f = statusFd.get();
    std::vector<std::string> names;
    bool whole = count > 0 && f &&
                 std::fseek(f, static_cast<long>(trev::kStatusRecordSize), SEEK_SET) == 0;
    for (std::int32_t i = 0; whole && i < count; ++i) {
        std::uint8_t slot[trev::kSelNameSize];
        if (std::fread(slot, 1, sizeof slot, f) != sizeof slot)
            whole = false;
        else
            names.push_back(trev::decodeSelectedNames(slot, sizeof slot, 1).front());
    }
    formStatusRec.numSelNames = whole ? prodSelection->restoreSelection(names) : 0;
}

}  // namespace

Widget create_selProdHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "selProd", 1, nullptr, &selProdHelpTextWin);
}

Widget create_selProd(bool documents) {
    Widget shell = createFormShell();
    (documents ? selDoc : selProd) = shell;
    Widget outer = XtVaCreateWidget("widget259", xmFormWidgetClass, shell, nullptr);

    // From the bottom up, so that the list takes the height the window gains.
    createActions(outer);
    createHints(outer, documents);
    Widget separator = XtVaCreateManagedWidget(
        "widget285", xmSeparatorGadgetClass, outer,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, selProdScrHelpForm,
        XmNbottomOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    Widget upper = XtVaCreateManagedWidget(
        "widget260", xmFormWidgetClass, outer,
        XmNtopAttachment, XmATTACH_FORM,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, separator, XmNbottomOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);

    const FormHeading h = createFormHeading(upper, "selProdLogo", "selProdOrvanta",
                                            documents ? "selDocTitle" : "selProdTitle");
    selProdLogo = h.logo;
    selProdOrvanta = h.orvanta;
    (documents ? selDocTitle : selProdTitle) = h.title;
    Widget orderNum = XtVaCreateManagedWidget(
        documents ? "selDocOrderNum" : "selProdOrderNum", xmLabelWidgetClass, upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, h.title, XmNtopOffset, 2,
        XmNleftAttachment, XmATTACH_OPPOSITE_WIDGET, XmNleftWidget, h.title,
        XmNrightAttachment, XmATTACH_FORM, nullptr);
    (documents ? selDocOrderNum : selProdOrderNum) = orderNum;
    Widget head = XtVaCreateManagedWidget(
        documents ? "selDocHead" : "selProdHead", xmLabelWidgetClass, upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, orderNum, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, nullptr);
    (documents ? selDocHead : selProdHead) = head;

    createDiskFigures(upper);
    listArea = createProductListArea(
        upper, head,
        {"widget266", "widget267", "selProdListL", "selProdListV", "selProdSortHead",
         "selProdSortChoice", "selProdByNameV", "selProdBySizeV", "selProdByStatusV",
         "selProdSelAll", "selProdDeselAll"});
    XtVaSetValues(listArea.frame, XmNbottomAttachment, XmATTACH_WIDGET,
                  XmNbottomWidget, selProdDiskReqHead, XmNbottomOffset, 12, nullptr);
    selProdListL = listArea.heading;
    selProdListV = listArea.list;
    selProdSortHead = listArea.sortHead;
    selProdSortChoice = listArea.sortChoice;
    selProdByNameV = listArea.byName;
    selProdBySizeV = listArea.bySize;
    selProdByStatusV = listArea.byStatus;
    selProdSelAll = listArea.selAll;
    selProdDeselAll = listArea.deselAll;
    wireList();

    XtVaSetValues(selProdAction, XmNdefaultButton, selProdOK, nullptr);
    XtVaSetValues(outer, XmNdefaultButton, selProdOK, nullptr);
    XtManageChild(outer);
    create_selProdHelpTextWin(shell);
    return shell;
}

void startSelProd(int, char** argv) {
    const bool documents = formType != kLoadProductsForm;
    prodDescOutPath = argv[3];
    const std::optional<std::int64_t> diskAvail = trev::parseDiskAvail(argv[4]);
    if (!diskAvail) {
        std::fprintf(stderr, "%s %d: free disk space %s is out of range.\n", progName, formType,
                     argv[4]);
        std::exit(kStartFailure);
    }
    parentWidget = create_selProd(documents);
    helpWidget = selProdHelpTextWin;
    actionWidget = selProdAction;
    logoWidget = selProdLogo;
    if (!documents) {
        const std::string workOrder = argv[5];
        const std::string heading =
            workOrder == "Orvanta Catalog" ? workOrder : "Order # " + workOrder;
        const XmStr s(heading.c_str());
        XtVaSetValues(selProdOrderNum, XmNlabelString, static_cast<XmString>(s), nullptr);
    }

    readProdDescFile(argv[2], 0);
    catalogue->freeDisk = *diskAvail;
    buildProdSizeInfo(formType);

    int order = trev::kOrderByName;
    if (!documents) {
        if (formStatusRec.numSelNames != 0) updateSelProds();
        order = savedProdOrder(formStatusRec.selProdSort);
        selectedProductNames = selectedProductNamesOfList;
    }
    formStatusRec.selProdSort = order;
    showDiskFigures(selProdTotalSizeV, trev::kSelectKind);
    setOrderToggles(listArea, order);
    dispProdList(selProdListV, order, 1);
}

// ---- Callbacks -------------------------------------------------------------------------

void selProdOkCB(Widget, XtPointer, XtPointer) { processSelProd(); }

void selProdMainMenuCB(Widget, XtPointer, XtPointer) {
    formStatusRec.numSelNames = 0;
    cleanExit(kMainMenu);
}

void selProdPrevCB(Widget, XtPointer, XtPointer) {
    formStatusRec.numSelNames = 0;
    cleanExit(kPrevious);
}

void multSelProdCB(Widget, XtPointer, XtPointer) {
    getSelList(selProdListV, selProdTotalSizeV, trev::kSelectKind);
}

void selProdSelAllCB(Widget, XtPointer, XtPointer) {
    selectAllProd(selProdListV, selProdTotalSizeV, trev::kSelectKind);
}

void selProdDeselAllCB(Widget, XtPointer, XtPointer) {
    deselectAllProd(selProdListV, selProdTotalSizeV, trev::kSelectKind);
}

void selProdSortByNameCB(Widget, XtPointer, XtPointer) {
    changeProdOrder(formStatusRec.selProdSort, trev::kOrderByName, selProdListV);
}

void selProdSortBySizeCB(Widget, XtPointer, XtPointer) {
    changeProdOrder(formStatusRec.selProdSort, trev::kOrderBySize, selProdListV);
}

void selProdSortByStatusCB(Widget, XtPointer, XtPointer) {
    changeProdOrder(formStatusRec.selProdSort, trev::kOrderByStatus, selProdListV);
}

// Runs the free-space estimator again; the form waits under a watch cursor.
// Every message goes to standard error; a failure changes nothing.
void selProdRecheckFreeDiskCB(Widget, XtPointer, XtPointer) {
    static Cursor watch = XCreateFontCursor(display, XC_watch);
    const Window win = XtWindow(parentWidget);
    const std::optional<std::int64_t> freeDisk = trev::recheckFreeDisk(
        std::getenv("BOURNE"), instRoot, stderr,
        [&] {
            XDefineCursor(display, win, watch);
            XFlush(display);
        },
        [&] {
            XDefineCursor(display, win, None);
            XFlush(display);
        });
    if (!freeDisk) return;
    catalogue->freeDisk = *freeDisk;
    updateDiskUsageLabel(selProdFreeDiskV, trev::availableSpace(*catalogue));
}
