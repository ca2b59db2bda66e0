// The Configure Products form: widgets, start and callbacks.
#include "selListRm/config.h"

#include <Xm/Form.h>
#include <Xm/LabelG.h>
#include <Xm/PushBG.h>
#include <Xm/RowColumn.h>
#include <Xm/ToggleBG.h>

#include <cstring>

#include "globals.h"
#include "mainpanelExit.h"
#include "selListRm/formParts.h"
#include "topStub/topStub.h"
#include "topWidget/formFrame.h"
#include "topWidget/topWidget.h"

Widget config;
Widget configOrvanta, configLogo, configTitle, configHead;
Widget configSystemV, configUserV;
Widget configAction, configOk, configMainMenu, configHelp;
Widget configHelpTextWin;

using namespace trev::exitcode;

Widget create_configHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "config", 2, nullptr, &configHelpTextWin);
}

Widget create_config() {
    config = createFormShell();
    const FormAreas a = createFormAreas(config, {"widget486", "widget487", "widget495", "configAction"});
    configAction = a.action;
    createActionButtons(configAction,
                        {{"configOk", xmPushButtonGadgetClass, &configOk, configOkCB},
                         {"configMainMenu", xmPushButtonGadgetClass, &configMainMenu,
                          configMainMenuCB},
                         {"configHelp", xmPushButtonGadgetClass, &configHelp, XDpopup_link,
                          &configHelpTextWin}});

    const FormHeading h = createFormHeading(a.upper, "configLogo", "configOrvanta", "configTitle");
    configLogo = h.logo;
    configOrvanta = h.orvanta;
    configTitle = h.title;
    configHead = XtVaCreateManagedWidget(
        "configHead", xmLabelGadgetClass, a.upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, configLogo, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, nullptr);
    Widget box = XmCreateRadioBox(a.upper, const_cast<char*>("widget489"), nullptr, 0);
    XtVaSetValues(box, XmNorientation, XmVERTICAL, XmNradioAlwaysOne, True,
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, configHead,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 30,
                  XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5, nullptr);
    configSystemV = XtVaCreateManagedWidget("configSystemV", xmToggleButtonGadgetClass, box,
                                            XmNset, True, nullptr);
    configUserV = XtVaCreateManagedWidget("configUserV", xmToggleButtonGadgetClass, box, nullptr);
    XtAddCallback(configSystemV, XmNvalueChangedCallback, configEnvSysCB, nullptr);
    XtAddCallback(configUserV, XmNvalueChangedCallback, configEnvUserCB, nullptr);
    XtManageChild(box);

    XtVaSetValues(configAction, XmNdefaultButton, configOk, nullptr);
    XtVaSetValues(a.outer, XmNdefaultButton, configOk, nullptr);
    XtManageChild(a.outer);
    create_configHelpTextWin(config);
    return config;
}

void startConfig(int argc, char** argv) {
    // main has checked that a third word is one of the two.
    const bool noSystem = argc == 3 && std::strcmp(argv[2], "noSystem") == 0;
    const bool noUser = argc == 3 && std::strcmp(argv[2], "noUser") == 0;
    parentWidget = create_config();
    helpWidget = configHelpTextWin;
    actionWidget = configAction;
    logoWidget = configLogo;
    formStatusRec.configChoice = kConfigSystem;
    if (noSystem) {
        XtSetSensitive(configSystemV, False);
        formStatusRec.configChoice = kConfigUser;
    }
    if (noUser) XtSetSensitive(configUserV, False);
    const bool user = formStatusRec.configChoice == kConfigUser;
    XmToggleButtonGadgetSetState(configSystemV, user ? False : True, False);
    XmToggleButtonGadgetSetState(configUserV, user ? True : False, False);
}

// ---- Callbacks -------------------------------------------------------------------------

namespace {

// A choice toggle's notification: the choice is the toggle that is set.
void storeChoice(XtPointer callData, int choice) {
    if (static_cast<XmToggleButtonCallbackStruct*>(callData)->set)
        formStatusRec.configChoice = choice;
}

}  // namespace

void configEnvSysCB(Widget, XtPointer, XtPointer callData) { storeChoice(callData, kConfigSystem); }
void configEnvUserCB(Widget, XtPointer, XtPointer callData) { storeChoice(callData, kConfigUser); }
void configOkCB(Widget, XtPointer, XtPointer) { cleanExit(formStatusRec.configChoice); }
void configMainMenuCB(Widget, XtPointer, XtPointer) { cleanExit(kMainMenu); }
