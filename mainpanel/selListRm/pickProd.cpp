// Form types 11 (Configure System Env), 12 (Configure User Env) and 13
// (Test Installed Products): pick products of a product description file,
// shown by their bare titles in file order, and write them to a product
// selection file on OK.  The three forms are one design under three sets
// of names; the test form has no Previous button.
#include "app/form.h"
#include "core/prodList.h"
#include "selListRm/forms.h"
#include "selListRm/products.h"

namespace {

struct PickingForm {
    int formType;
    int kind;   // selection kind of the list operations
    kit::FrameNames frame;
    const char *list, *selAll, *deselAll, *ok, *mainMenu;
    const char* prev;   // nullptr: the form has no Previous
    const char* help;
};

const PickingForm kPickingForms[] = {
    {11, trev::kConfigSysKind,
     {"widget501", "widget502", "configSysLogo", "configSysOrvanta", "configSysTitle",
      "configSysHead", "widget513", "configSysAction"},
     "configSysListV", "configSysSelAllV", "configSysDeselAllV", "configSysOk",
     "configSysMainMenu", "configSysPrev", "configSysHelp"},
    {12, trev::kConfigUserKind,
     {"widget520", "widget521", "configUserLogo", "configUserOrvanta", "configUserTitle",
      "configUserHead", "widget532", "configUserAction"},
     "configUserListV", "configUserSelAllV", "configUserDeselAllV", "configUserOk",
     "configUserMainMenu", "configUserPrev", "configUserHelp"},
    {13, trev::kTestKind,
     {"widget539", "widget540", "testInstLogo", "testInstOrvanta", "testInstTitle",
      "testInstHead", "widget551", "testInstAction"},
     "testInstListV", "testInstSelAll", "testInstDeselAll", "testInstOk", "testInstMainMenu",
     nullptr, "testInstHelp"},
};

ProductView view;

}  // namespace

// mainpanel 11|12|13 offer selection
void startPickProd(int, char** argv) {
    const PickingForm* p = kPickingForms;
    while (p->formType != formType) ++p;   // the registry starts only these types
    Widget shell = createFormShell();
    kit::Frame f = kit::buildFrame(shell, p->frame);
    // Select All and Deselect All at the bottom; the list takes the height
    // in between.
    view.kind = p->kind;
    Widget selAll = buildSelectButtons(view, f.upper, nullptr, p->selAll, p->deselAll);
    XtVaSetValues(XtParent(buildProductList(view, f.upper, p->list)),
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.top(), XmNtopOffset, 8,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                  XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                  XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, selAll,
                  XmNbottomOffset, 8, nullptr);
    const kit::Button ok{p->ok, productsOkCB}, mainMenu{p->mainMenu, exitCB, kit::number(kMainMenu)},
        help{p->help, XDpopup_link, &helpWidget};
    const std::vector<Widget> b =
        p->prev ? kit::buildActions(f, kit::Layout::Spread,
                                    {ok, mainMenu, {p->prev, exitCB, kit::number(kPrevious)}, help})
                : kit::buildActions(f, kit::Layout::Spread, {ok, mainMenu, help});
    // The focus starts on the list: Return there selects nothing.
    kit::manageFrame(f, b[0], view.list);
    makeCurrentForm(shell, f);
    // Bare titles in file order: no status is checked, no package read.
    readProducts(argv[2], true);
    showProducts(view);
}
