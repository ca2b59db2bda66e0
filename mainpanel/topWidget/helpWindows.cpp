// Which help window belongs to which value of helpWinDestroyCB: the form type
// for the forms, 16 for the e-mail browser.  A form with a help window adds
// its line here.
#include "globals.h"
#include "selListRm/lackSpace.h"
#include "selListRm/selProd.h"
#include "topWidget/mainpanel.h"
#include "topWidget/topDC.h"
#include "topWidget/topPlat.h"
#include "topWidget/topWidget.h"

namespace {

struct HelpWindowEntry {
    int value;
    Widget (*build)(Widget parent);   // builds it and stores it in its handle
    Widget* parentShell;              // its parent; nullptr: the form's shell
};

const HelpWindowEntry kHelpWindows[] = {
    {0, create_mainpanelHelpTextWin, nullptr},
    {19, create_topPlatHelpTextWin, nullptr},
    {23, create_topDCHelpTextWin, nullptr},
    {2, create_selProdHelpTextWin, nullptr},
    {3, create_lackSpaceHelpTextWin, nullptr},
    {18, create_selProdHelpTextWin, nullptr},
};

}  // namespace

Widget rebuildHelpWindow(int value) {
    for (const HelpWindowEntry& e : kHelpWindows)
        if (e.value == value) return e.build(e.parentShell ? *e.parentShell : parentWidget);
    return nullptr;
}
