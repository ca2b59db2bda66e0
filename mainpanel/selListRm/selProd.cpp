// Form types 2 and 18, Load Products and Load Documents: choose products
// (or documents) to install while the disk space they need is counted,
// shared packages once.  Recheck runs the free-space estimator again.
#include <X11/cursorfont.h>

#include <cstdio>
#include <cstdlib>

#include "app/form.h"
#include "core/diskUsage.h"
#include "core/prodList.h"
#include "core/recheck.h"
#include "core/statusIo.h"
#include "selListRm/forms.h"
#include "selListRm/products.h"

namespace {

constexpr int kLoadDocumentsForm = 18;

ProductView view;

// Main Menu and Previous keep no selection.
void selProdLeaveCB(Widget, XtPointer code, XtPointer) {
    formStatusRec.numSelNames = 0;
    cleanExit(kit::numberOf(code));
}

// Runs the free-space estimator again; the form waits under a watch cursor.
// Every message goes to standard error; a failure changes nothing.
void selProdRecheckFreeDiskCB(Widget, XtPointer, XtPointer) {
    static Cursor watch = XCreateFontCursor(display, XC_watch);
    const Window win = XtWindow(parentWidget);
    auto cursor = [&](Cursor c) {
        XDefineCursor(display, win, c);
        XFlush(display);
    };
    const std::optional<std::int64_t> freeDisk = trev::recheckFreeDisk(
        std::getenv("BOURNE"), instRoot, stderr, [&] { cursor(watch); }, [&] { cursor(None); });
    if (!freeDisk) return;
    catalogue->freeDisk = *freeDisk;
    showFigure(view, view.freeDisk, trev::availableSpace(*catalogue));
}

// The hints at the bottom of the form: a caption and a framed text.
Widget buildHints(Widget upper, bool documents) {
    Widget form = XtVaCreateManagedWidget(
        "selProdScrHelpForm", xmFormWidgetClass, upper,
        XmNbottomAttachment, XmATTACH_FORM,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    Widget caption = XtVaCreateManagedWidget(
        "selProdScrHelpComments", xmLabelWidgetClass, form,
        XmNtopAttachment, XmATTACH_FORM, XmNleftAttachment, XmATTACH_FORM, nullptr);
    Widget frame = XtVaCreateManagedWidget(
        "selProdScrHelpFrame", xmFrameWidgetClass, form,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, caption, XmNtopOffset, 2,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM,
        XmNbottomAttachment, XmATTACH_FORM, nullptr);
    Widget inner = XtVaCreateManagedWidget("selProdScrHelpForm2", xmFormWidgetClass, frame, nullptr);
    XtVaCreateManagedWidget(
        documents ? "selDocScrHelpTxt" : "selProdScrHelpTxt", xmLabelWidgetClass, inner,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 4,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 4,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 6,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 6, nullptr);
    return form;
}

// The two disk figures above `below`, with Recheck.  Returns the upper
// caption.
Widget buildDiskFigures(Widget upper, Widget below) {
    Widget freeHead = XtVaCreateManagedWidget(
        "selProdFreeDiskHead", xmLabelWidgetClass, upper,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, below, XmNbottomOffset, 12,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    view.freeDisk = XtVaCreateManagedWidget(
        "selProdFreeDiskV", xmLabelWidgetClass, upper,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, freeHead,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, freeHead, XmNleftOffset, 8, nullptr);
    Widget recheck = XtVaCreateManagedWidget(
        "selProdRecheckFreeDisk", xmPushButtonWidgetClass, upper,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, below, XmNbottomOffset, 6,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, view.freeDisk, XmNleftOffset, 12,
        nullptr);
    kit::onActivate(recheck, selProdRecheckFreeDiskCB);
    Widget reqHead = XtVaCreateManagedWidget(
        "selProdDiskReqHead", xmLabelWidgetClass, upper,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, freeHead, XmNbottomOffset, 8,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    view.figure = XtVaCreateManagedWidget(
        "selProdTotalSizeV", xmLabelWidgetClass, upper,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, reqHead,
        XmNleftAttachment, XmATTACH_OPPOSITE_WIDGET, XmNleftWidget, view.freeDisk, nullptr);
    return reqHead;
}

}  // namespace

// mainpanel 2 prodToSelect userSelectProd diskAvail workOrder
// mainpanel 18 prodToSelect userSelectProd diskAvail
void startSelProd(int, char** argv) {
    const bool documents = formType == kLoadDocumentsForm;
    const std::optional<std::int64_t> diskAvail = trev::parseDiskAvail(argv[4]);
    if (!diskAvail) {
        std::fprintf(stderr, "%s %d: free disk space %s is out of range.\n", progName, formType,
                     argv[4]);
        std::exit(kStartFailure);
    }
    Widget shell = createFormShell();
    kit::Frame f = kit::buildFrame(shell, {"widget259", "widget260", "selProdLogo", "selProdOrvanta",
                                           documents ? "selDocTitle" : "selProdTitle", nullptr,
                                           "widget285", "selProdAction"});
    Widget orderNum = XtVaCreateManagedWidget(
        documents ? "selDocOrderNum" : "selProdOrderNum", xmLabelWidgetClass, f.upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.title, XmNtopOffset, 2,
        XmNleftAttachment, XmATTACH_OPPOSITE_WIDGET, XmNleftWidget, f.title,
        XmNrightAttachment, XmATTACH_FORM, nullptr);
    Widget head = XtVaCreateManagedWidget(
        documents ? "selDocHead" : "selProdHead", xmLabelWidgetClass, f.upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, orderNum, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, nullptr);
    // From the bottom up, so that the list takes the height the window gains.
    view.kind = trev::kSelectKind;
    view.orderWord = &formStatusRec.selProdSort;
    view.restoreOrder = !documents;
    Widget figures = buildDiskFigures(f.upper, buildHints(f.upper, documents));
    Widget area = buildListArea(
        view, f.upper, head,
        {"widget266", "widget267", "selProdListL", "selProdListV",
         {"selProdSortHead", "selProdSortChoice", "selProdByNameV", "selProdBySizeV",
          "selProdByStatusV"},
         "selProdSelAll", "selProdDeselAll"});
    XtVaSetValues(area, XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, figures,
                  XmNbottomOffset, 12, nullptr);
    const std::vector<Widget> b = kit::buildActions(
        f, kit::Layout::Spread,
        {{"selProdOK", productsOkCB}, {"selProdMainMenu", selProdLeaveCB, kit::number(kMainMenu)},
         {"selProdPrev", selProdLeaveCB, kit::number(kPrevious)},
         {"selProdHelp", XDpopup_link, &helpWidget}});
    // The focus starts on the list: Return there selects nothing.
    kit::manageFrame(f, b[0], view.list);
    makeCurrentForm(shell, f);
    if (!documents) {
        const std::string workOrder = argv[5];
        kit::setLabel(orderNum, workOrder == "Orvanta Catalog" ? workOrder : "Order # " + workOrder);
    }

    readProducts(argv[2], false);
    catalogue->freeDisk = *diskAvail;
    readPackages(trev::kSelectKind);
    if (documents) {
        selectedNamesAtExit = SelectedNames::Forget;
    } else {
        // The selection saved by the last Load Products form, when all of
        // its names can be read.
        if (formStatusRec.numSelNames != 0) {
            const auto names = trev::readSelectedNames(statusFd.get(), formStatusRec.numSelNames);
            formStatusRec.numSelNames = names ? prodSelection->restoreSelection(*names) : 0;
        }
        selectedNamesAtExit = SelectedNames::Write;
        selectedProductNames = selectedProductNamesOfList;
    }
    showProducts(view);
}
