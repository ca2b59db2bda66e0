// Form type 9, Remove Products: choose installed products to remove while
// the space they free is counted, shared packages only when no product
// left needs them.
#include "app/form.h"
#include "core/prodList.h"
#include "selListRm/forms.h"
#include "selListRm/products.h"

namespace {

ProductView view;

}  // namespace

// mainpanel 9 offer selection
void startRmInstall(int, char** argv) {
    Widget shell = createFormShell();
    kit::Frame f = kit::buildFrame(shell, {"widget458", "widget459", "rmInstLogo", "rmInstOrvanta",
                                           "rmInstTitle", "rmInstHead", "widget480",
                                           "rmInstAction"});
    // The space freed at the bottom; the list area takes the height above it.
    view.kind = trev::kRemoveKind;
    view.orderWord = &formStatusRec.rmInstSort;
    Widget caption = XtVaCreateManagedWidget(
        "rmInstDiskAvaL", xmLabelWidgetClass, f.upper,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 8,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    view.figure = XtVaCreateManagedWidget(
        "rmInstDiskAvaV", xmLabelWidgetClass, f.upper,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, caption,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, caption, XmNleftOffset, 8, nullptr);
    Widget area = buildListArea(
        view, f.upper, f.top(),
        {"widget464", "widget465", "rmInstProdL", "rmListProdListV",
         {"rmInstSortByL", "rmInstSortChoice", "rmInstByProdV", "rmInstBySizeV", "rmInstByStatusV"},
         "rmInstSelAllV", "rmInstDeselAllV"});
    XtVaSetValues(area, XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, caption,
                  XmNbottomOffset, 12, nullptr);
    const std::vector<Widget> b = kit::buildActions(
        f, kit::Layout::Spread,
        {{"rmInstOk", productsOkCB}, {"rmInstMainMenu", exitCB, kit::number(kMainMenu)},
         {"rmInstHelp", XDpopup_link, &helpWidget}});
    // The focus starts on the list: Return there selects nothing.
    kit::manageFrame(f, b[0], view.list);
    makeCurrentForm(shell, f);
    readProducts(argv[2], false);
    // Only packages with an installed marker get a size: nothing else can
    // be freed.
    readPackages(trev::kRemoveKind);
    showProducts(view);
}
