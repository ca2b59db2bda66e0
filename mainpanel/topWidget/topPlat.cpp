// Widgets of the platform form.
#include "topWidget/topPlat.h"

#include <Xm/ToggleBG.h>

#include <string>

#include "topStub/topStub.h"
#include "topWidget/formFrame.h"
#include "topWidget/mainpanel.h"
#include "topWidget/topWidget.h"
#include "xraii.h"

Widget topPlatLogo, topPlatOrvanta, topPlatTitle, topPlatHead;
Widget topPlatAction, topPlatActionRow, topPlatOK, topPlatPrev, topPlatMainMenu, topPlatHelp;
Widget topPlatHelpTextWin;

Widget create_topPlatHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "topPlat", 2, nullptr, &topPlatHelpTextWin);
}

Widget create_topPlat(const trev::PlatformList& list, int defaultIndex) {
    mainpanel = createFormShell();
    const FormFrame f =
        createFormFrame(mainpanel, {"topPlat", "widget129", "widget141_P", "topPlatAction"});
    topPlatLogo = f.logo;
    topPlatOrvanta = f.orvanta;
    topPlatTitle = f.title;
    topPlatHead = f.head;
    topPlatAction = f.action;

    Widget box = createChoiceBox(f, "widget132_P");
    for (std::size_t i = 0; i < list.descs.size() && !list.descs[i].empty(); ++i) {
        const XmStr label(list.descs[i].c_str());
        Widget t = XtVaCreateManagedWidget(
            std::to_string(i).c_str(), xmToggleButtonGadgetClass, box,
            XmNlabelString, static_cast<XmString>(label),
            XmNset, static_cast<int>(i) == defaultIndex ? True : False, nullptr);
        XtAddCallback(t, XmNvalueChangedCallback, topPlatCB, nullptr);
    }

    const ActionRow row = createActionRow(topPlatAction, "topPlat");
    topPlatActionRow = row.row;
    topPlatOK = row.ok;
    topPlatPrev = row.prev;
    topPlatMainMenu = row.mainMenu;
    topPlatHelp = row.help;
    XtAddCallback(topPlatOK, XmNactivateCallback, topPlatOkCB, &platforms);
    XtAddCallback(topPlatPrev, XmNactivateCallback, topPlatPrevCB, &platDefaultIndex);
    XtAddCallback(topPlatMainMenu, XmNactivateCallback, topPlatMainMenuCB, &platDefaultIndex);
    XtAddCallback(topPlatHelp, XmNactivateCallback, XDpopup_link, &topPlatHelpTextWin);
    manageFrame(f, topPlatOK);

    create_topPlatHelpTextWin(mainpanel);
    return mainpanel;
}
