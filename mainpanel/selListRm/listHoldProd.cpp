// Form type 17, On Hold Products: the products the scripts hold back, read
// from the hold-product file; OK answers 0.
#include "app/form.h"
#include "core/catalogue.h"
#include "selListRm/forms.h"
#include "selListRm/products.h"

// mainpanel 17 holdFile
void startListHoldProd(int, char** argv) {
    const trev::FilePtr holdFile = openCatalogueFile(argv[2]);
    Widget shell = createFormShell();
    kit::Frame f = kit::buildFrame(shell, {"widget245", "widget246", "listHoldProdLogo", "widget247",
                                           "listHoldProdTitle", "listHoldProdInfo", "widget255",
                                           "listHoldProdAction"});
    Widget text = kit::readOnlyText(f.upper, "listHoldProdListV", 60, 4);
    XtVaSetValues(XtParent(text),
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.top(), XmNtopOffset, 8,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                  XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                  XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5, nullptr);
    const std::vector<Widget> b =
        kit::buildActions(f, kit::Layout::Spread, {{"listHoldProdOK", exitCB, kit::number(kOk)}});
    kit::manageFrame(f, b[0]);
    makeCurrentForm(shell, f);
    kit::setText(text, trev::readHoldProducts(holdFile.get(), stderr));
}
