// Widgets of the installation-type form.
#include "topWidget/topDC.h"

#include <Xm/ToggleBG.h>

#include "topStub/topStub.h"
#include "topWidget/formFrame.h"
#include "topWidget/mainpanel.h"
#include "topWidget/topWidget.h"

Widget topDCLogo, topDCOrvanta, topDCTitle, topDCHead;
Widget topDCDef, topDCCus;
Widget topDCAction, topDCActionRow, topDCOK, topDCPrev, topDCMainMenu, topDCHelp;
Widget topDCHelpTextWin;

Widget create_topDCHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "topDC", 2, nullptr, &topDCHelpTextWin);
}

Widget create_topDC() {
    mainpanel = createFormShell();
    const FormFrame f =
        createFormFrame(mainpanel, {"topDC", "widget129_P", "widget141_P", "topDCAction"});
    topDCLogo = f.logo;
    topDCOrvanta = f.orvanta;
    topDCTitle = f.title;
    topDCHead = f.head;
    topDCAction = f.action;

    Widget box = createChoiceBox(f, "widget132_P");
    topDCDef = XtVaCreateManagedWidget("topDCDef", xmToggleButtonGadgetClass, box,
                                       XmNset, True, nullptr);
    topDCCus = XtVaCreateManagedWidget("topDCCus", xmToggleButtonGadgetClass, box, nullptr);
    XtAddCallback(topDCDef, XmNvalueChangedCallback, topDCDefCB, nullptr);
    XtAddCallback(topDCCus, XmNvalueChangedCallback, topDCCusCB, nullptr);

    const ActionRow row = createActionRow(topDCAction, "topDC");
    topDCActionRow = row.row;
    topDCOK = row.ok;
    topDCPrev = row.prev;
    topDCMainMenu = row.mainMenu;
    topDCHelp = row.help;
    XtAddCallback(topDCOK, XmNactivateCallback, topDCOkCB, nullptr);
    XtAddCallback(topDCPrev, XmNactivateCallback, topDCPrevCB, nullptr);
    XtAddCallback(topDCMainMenu, XmNactivateCallback, topDCMainMenuCB, nullptr);
    XtAddCallback(topDCHelp, XmNactivateCallback, XDpopup_link, &topDCHelpTextWin);
    manageFrame(f, topDCOK);

    create_topDCHelpTextWin(mainpanel);
    return mainpanel;
}
