// Widgets of the main menu.
#include "topWidget/mainpanel.h"

#include <Xm/PushB.h>
#include <Xm/PushBG.h>
#include <Xm/ToggleBG.h>

#include "topStub/topStub.h"
#include "topWidget/formFrame.h"
#include "topWidget/topWidget.h"

Widget mainpanel;
Widget topLevLogo, topLevOrvanta, topLevTitle, topLevHead;
Widget topLevLoadProd, topLevConfig, topLevTest, topLevListProd, topLevRemoveProd,
    topLevUpdtProd;
Widget topLevAction, topLevOK, topLevQuit, topLevHelp;
Widget mainpanelHelpTextWin;

Widget create_mainpanelHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "mainpanel", 1, nullptr, &mainpanelHelpTextWin);
}

Widget create_mainpanel() {
    mainpanel = createFormShell();
    const FormFrame f =
        createFormFrame(mainpanel, {"topLev", "widget129", "widget141", "topLevAction"});
    topLevLogo = f.logo;
    topLevOrvanta = f.orvanta;
    topLevTitle = f.title;
    topLevHead = f.head;
    topLevAction = f.action;

    Widget box = createChoiceBox(f, "widget132");
    struct Choice {
        Widget* handle;
        const char* name;
        XtCallbackProc cb;
    };
    const Choice choices[] = {
        {&topLevLoadProd, "topLevLoadProd", topLevLoadProdCB},
        {&topLevConfig, "topLevConfig", topLevConfigCB},
        {&topLevTest, "topLevTest", topLevTestCB},
        {&topLevListProd, "topLevListProd", topLevListProdCB},
        {&topLevRemoveProd, "topLevRemoveProd", topLevRemoveProdCB},
        {&topLevUpdtProd, "topLevUpdtProd", topLevUpdtProdCB},
    };
    for (const Choice& c : choices) {
        *c.handle = XtVaCreateManagedWidget(c.name, xmToggleButtonGadgetClass, box, nullptr);
        XtAddCallback(*c.handle, XmNvalueChangedCallback, c.cb, nullptr);
    }

    topLevOK = XtVaCreateManagedWidget(
        "topLevOK", xmPushButtonGadgetClass, topLevAction,
        XmNleftAttachment, XmATTACH_POSITION, XmNleftPosition, 0,
        XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment, XmATTACH_FORM, nullptr);
    topLevQuit = XtVaCreateManagedWidget(
        "topLevQuit", xmPushButtonWidgetClass, topLevAction,
        XmNleftAttachment, XmATTACH_POSITION, XmNleftPosition, 43,
        XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment, XmATTACH_FORM, nullptr);
    topLevHelp = XtVaCreateManagedWidget(
        "topLevHelp", xmPushButtonGadgetClass, topLevAction,
        XmNrightAttachment, XmATTACH_FORM,
        XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment, XmATTACH_FORM, nullptr);
    XtAddCallback(topLevOK, XmNactivateCallback, topLevOkCB, nullptr);
    XtAddCallback(topLevQuit, XmNactivateCallback, topLevQuitCB, nullptr);
    XtAddCallback(topLevHelp, XmNactivateCallback, XDpopup_link, &mainpanelHelpTextWin);
    manageFrame(f, topLevOK);

    create_mainpanelHelpTextWin(mainpanel);
    return mainpanel;
}
