// Form type 8, List Products: the products of a product description file
// in one of three orders, read only.  Any status word is shown as it is: no
// package is read.
#include "app/form.h"
#include "core/prodList.h"
#include "selListRm/forms.h"
#include "selListRm/products.h"

namespace {

ProductView view;

}  // namespace

// mainpanel 8 prodFile
void startListInstall(int, char** argv) {
    Widget shell = createFormShell();
    kit::Frame f = kit::buildFrame(shell, {"widget438", "widget439", "listLogo", "listOrvanta",
                                           "listTitle", "listInstSizeL", "widget453",
                                           "listInstAction"});
    // The sort choice at the bottom; the text takes the height in between.
    view.kind = trev::kSelectKind;
    view.orderWord = &formStatusRec.listInstSort;
    Widget sort = buildSortChoice(view, f.upper, {"listSortL", "listSortChoice", "listByProductV",
                                                  "listBySizeV", "listByStatusV"});
    view.list = kit::readOnlyText(f.upper, "listProdListV", 62, 4);
    XtVaSetValues(XtParent(view.list),
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.top(), XmNtopOffset, 2,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                  XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                  XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, sort,
                  XmNbottomOffset, 6, nullptr);
    const std::vector<Widget> b = kit::buildActions(
        f, kit::Layout::Spread,
        {{"listInstMainMenu", exitCB, kit::number(kMainMenu)},
         {"listInstHelp", XDpopup_link, &helpWidget}});
    kit::manageFrame(f, b[0]);
    makeCurrentForm(shell, f);
    readProducts(argv[2], false);
    showProducts(view);
}
