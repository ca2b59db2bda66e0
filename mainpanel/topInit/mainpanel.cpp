// Filling the main menu from its command line.
#include <cstdlib>

#include <Xm/ToggleBG.h>

#include "globals.h"
#include "mainpanelExit.h"
#include "topWidget/mainpanel.h"

using namespace trev::exitcode;

namespace {

// Sets `chosen` and clears every other toggle of the menu, without
// notification.
void selectOnly(Widget chosen) {
    for (Widget t : {topLevLoadProd, topLevConfig, topLevTest, topLevListProd, topLevRemoveProd,
                     topLevUpdtProd})
        XmToggleButtonGadgetSetState(t, t == chosen, False);
}

}  // namespace

void displayMainpanel(int, char** argv, int) {
    create_mainpanel();
    parentWidget = mainpanel;
    helpWidget = mainpanelHelpTextWin;

    // Flag words: one starting with "0" greys its action out.  Update
    // Installed Products is always available.
    const Widget governed[] = {topLevLoadProd, topLevRemoveProd, topLevConfig, topLevTest,
                               topLevListProd};
    for (int i = 0; i < 5; ++i)
        if (argv[3 + i][0] == '0') XtSetSensitive(governed[i], False);

    // The preselected action is shown set and is what OK answers without a
    // click; an action other than Configure or Load Products preselects
    // List Products.
    const long actDef = std::strtol(argv[2], nullptr, 10);
    if (actDef == kConfigure) {
        selectOnly(topLevConfig);
        formStatusRec.mainMenuAction = kConfigure;
    } else if (actDef == kLoadProducts) {
        selectOnly(topLevLoadProd);
        formStatusRec.mainMenuAction = kLoadProducts;
    } else {
        selectOnly(topLevListProd);
        formStatusRec.mainMenuAction = kListProducts;
    }
}

void startMainpanel(int argc, char** argv) {
    displayMainpanel(argc, argv, statusRead);
    actionWidget = topLevAction;
    logoWidget = topLevLogo;
}
