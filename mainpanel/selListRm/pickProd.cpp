// The picking forms (Configure System Env, Configure User Env, Test
// Installed Products): one builder and one start over a table of each
// form's names, handles and callbacks.
#include "selListRm/pickProd.h"

#include <Xm/Form.h>
#include <Xm/LabelG.h>
#include <Xm/List.h>
#include <Xm/PushB.h>
#include <Xm/PushBG.h>

#include "globals.h"
#include "mainpanelExit.h"
#include "selListRm/formParts.h"
#include "selListRm/prodList.h"
#include "topStub/topStub.h"
#include "topWidget/formFrame.h"
#include "topWidget/topWidget.h"

Widget configSysEnv, configSysOrvanta, configSysLogo, configSysTitle, configSysHead,
    configSysListV, configSysSelAllV, configSysDeselAllV, configSysAction, configSysOk,
    configSysMainMenu, configSysPrev, configSysHelp, configSysEnvHelpTextWin;
Widget configUserEnv, configUserOrvanta, configUserLogo, configUserTitle, configUserHead,
    configUserListV, configUserSelAllV, configUserDeselAllV, configUserAction, configUserOk,
    configUserMainMenu, configUserPrev, configUserHelp, configUserEnvHelpTextWin;
Widget testInst, testInstOrvanta, testInstLogo, testInstTitle, testInstHead, testInstListV,
    testInstSelAll, testInstDeselAll, testInstAction, testInstOk, testInstMainMenu, testInstHelp,
    testInstHelpTextWin;

using namespace trev::exitcode;

namespace {

// A widget's name and the handle that keeps it.
struct Named {
    const char* name;
    Widget* handle;
};

struct PickingForm {
    int formType;
    int kind;                          // selection kind of the list operations
    Widget* shell;
    const char* outer;
    const char* upper;
    const char* separator;
    Named orvanta, logo, title, head, list, selAll, deselAll, action, ok, mainMenu;
    Named prev;                        // name nullptr: the form has no Previous
    Named help;
    Widget* helpWin;
    Widget (*createHelpWin)(Widget parent);
    XtCallbackProc okCB, mainMenuCB, prevCB, multCB, selAllCB, deselAllCB;
};

const PickingForm kPickingForms[] = {
    {11, trev::kConfigSysKind, &configSysEnv, "widget501", "widget502", "widget513",
     {"configSysOrvanta", &configSysOrvanta}, {"configSysLogo", &configSysLogo},
     {"configSysTitle", &configSysTitle}, {"configSysHead", &configSysHead},
     {"configSysListV", &configSysListV}, {"configSysSelAllV", &configSysSelAllV},
     {"configSysDeselAllV", &configSysDeselAllV}, {"configSysAction", &configSysAction},
     {"configSysOk", &configSysOk}, {"configSysMainMenu", &configSysMainMenu},
     {"configSysPrev", &configSysPrev}, {"configSysHelp", &configSysHelp},
     &configSysEnvHelpTextWin, create_configSysEnvHelpTextWin,
     configSysOkCB, configSysMainMenuCB, configSysPrevCB,
     multConfigSysEnvCB, configSysSelAllCB, configSysDeselAllCB},
    {12, trev::kConfigUserKind, &configUserEnv, "widget520", "widget521", "widget532",
     {"configUserOrvanta", &configUserOrvanta}, {"configUserLogo", &configUserLogo},
     {"configUserTitle", &configUserTitle}, {"configUserHead", &configUserHead},
     {"configUserListV", &configUserListV}, {"configUserSelAllV", &configUserSelAllV},
     {"configUserDeselAllV", &configUserDeselAllV}, {"configUserAction", &configUserAction},
     {"configUserOk", &configUserOk}, {"configUserMainMenu", &configUserMainMenu},
     {"configUserPrev", &configUserPrev}, {"configUserHelp", &configUserHelp},
     &configUserEnvHelpTextWin, create_configUserEnvHelpTextWin,
     configUserOkCB, configUserMainMenuCB, configUserPrevCB,
     multConfigUserEnvCB, configUserSelAllCB, configUserDeselAllCB},
    {13, trev::kTestKind, &testInst, "widget539", "widget540", "widget551",
     {"testInstOrvanta", &testInstOrvanta}, {"testInstLogo", &testInstLogo},
     {"testInstTitle", &testInstTitle}, {"testInstHead", &testInstHead},
     {"testInstListV", &testInstListV}, {"testInstSelAll", &testInstSelAll},
     {"testInstDeselAll", &testInstDeselAll}, {"testInstAction", &testInstAction},
     {"testInstOk", &testInstOk}, {"testInstMainMenu", &testInstMainMenu},
     {nullptr, nullptr}, {"testInstHelp", &testInstHelp},
     &testInstHelpTextWin, create_testInstHelpTextWin,
     testInstOkCB, testInstMainMenuCB, nullptr,
     multTestInstCB, testInstSelAllCB, testInstDeselAllCB},
};

const PickingForm& pickingForm(int type) {
    for (const PickingForm& f : kPickingForms)
        if (f.formType == type) return f;
    return kPickingForms[0];   // not reached: formStarts names only these types
}

Widget createPickingForm(const PickingForm& f) {
    const Widget shell = *f.shell = createFormShell();
    const FormAreas a = createFormAreas(shell, {f.outer, f.upper, f.separator, f.action.name});
    *f.action.handle = a.action;
    const ActionButton ok{f.ok.name, xmPushButtonGadgetClass, f.ok.handle, f.okCB};
    const ActionButton mainMenu{f.mainMenu.name, xmPushButtonGadgetClass, f.mainMenu.handle,
                                f.mainMenuCB};
    const ActionButton help{f.help.name, xmPushButtonGadgetClass, f.help.handle, XDpopup_link,
                            f.helpWin};
    if (f.prev.name)
        createActionButtons(a.action, {ok, mainMenu,
                                       {f.prev.name, xmPushButtonWidgetClass, f.prev.handle,
                                        f.prevCB},
                                       help});
    else
        createActionButtons(a.action, {ok, mainMenu, help});

    const FormHeading h = createFormHeading(a.upper, f.logo.name, f.orvanta.name, f.title.name);
    *f.logo.handle = h.logo;
    *f.orvanta.handle = h.orvanta;
    *f.title.handle = h.title;
    const Widget head = *f.head.handle = XtVaCreateManagedWidget(
        f.head.name, xmLabelGadgetClass, a.upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, h.logo, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, nullptr);

    // Select All and Deselect All at the bottom; the list takes the height
    // in between.
    const Widget selAll = *f.selAll.handle = XtVaCreateManagedWidget(
        f.selAll.name, xmPushButtonWidgetClass, a.upper,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    *f.deselAll.handle = XtVaCreateManagedWidget(
        f.deselAll.name, xmPushButtonWidgetClass, a.upper,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, selAll, XmNleftOffset, 8, nullptr);
    const Widget list = *f.list.handle =
        XmCreateScrolledList(a.upper, const_cast<char*>(f.list.name), nullptr, 0);
    XtVaSetValues(list, XmNselectionPolicy, XmEXTENDED_SELECT, nullptr);
    XtVaSetValues(XtParent(list),
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, head, XmNtopOffset, 8,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                  XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                  XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, selAll,
                  XmNbottomOffset, 8, nullptr);
    XtManageChild(list);
    addListSelectionCallback(list, f.multCB);
    XtAddCallback(selAll, XmNactivateCallback, f.selAllCB, nullptr);
    XtAddCallback(*f.deselAll.handle, XmNactivateCallback, f.deselAllCB, nullptr);

    XtVaSetValues(a.action, XmNdefaultButton, *f.ok.handle, nullptr);
    XtVaSetValues(a.outer, XmNdefaultButton, *f.ok.handle, nullptr);
    XtManageChild(a.outer);
    f.createHelpWin(shell);
    return shell;
}

}  // namespace

Widget create_configSysEnv() { return createPickingForm(pickingForm(11)); }
Widget create_configUserEnv() { return createPickingForm(pickingForm(12)); }
Widget create_testInst() { return createPickingForm(pickingForm(13)); }

Widget create_configSysEnvHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "configSysEnv", 1, nullptr, &configSysEnvHelpTextWin);
}
Widget create_configUserEnvHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "configUserEnv", 1, nullptr, &configUserEnvHelpTextWin);
}
Widget create_testInstHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "testInst", 1, nullptr, &testInstHelpTextWin);
}

void startPickProd(int, char** argv) {
    const PickingForm& f = pickingForm(formType);
    prodDescOutPath = argv[3];
    parentWidget = createPickingForm(f);
    helpWidget = *f.helpWin;
    actionWidget = *f.action.handle;
    logoWidget = *f.logo.handle;
    // Bare titles in file order: no status is checked, no package read.
    readProdDescFile(argv[2], 1);
    dispProdList(*f.list.handle, trev::kOrderByName, 1);
}

// ---- Callbacks -------------------------------------------------------------------------

void configSysOkCB(Widget, XtPointer, XtPointer) { processSelProd(); }
void configSysMainMenuCB(Widget, XtPointer, XtPointer) { cleanExit(kMainMenu); }
void configSysPrevCB(Widget, XtPointer, XtPointer) { cleanExit(kPrevious); }
void multConfigSysEnvCB(Widget, XtPointer, XtPointer) {
    getSelList(configSysListV, nullptr, trev::kConfigSysKind);
}
void configSysSelAllCB(Widget, XtPointer, XtPointer) {
    selectAllProd(configSysListV, nullptr, trev::kConfigSysKind);
}
void configSysDeselAllCB(Widget, XtPointer, XtPointer) {
    deselectAllProd(configSysListV, nullptr, trev::kConfigSysKind);
}

void configUserOkCB(Widget, XtPointer, XtPointer) { processSelProd(); }
void configUserMainMenuCB(Widget, XtPointer, XtPointer) { cleanExit(kMainMenu); }
void configUserPrevCB(Widget, XtPointer, XtPointer) { cleanExit(kPrevious); }
void multConfigUserEnvCB(Widget, XtPointer, XtPointer) {
    getSelList(configUserListV, nullptr, trev::kConfigUserKind);
}
void configUserSelAllCB(Widget, XtPointer, XtPointer) {
    selectAllProd(configUserListV, nullptr, trev::kConfigUserKind);
}
void configUserDeselAllCB(Widget, XtPointer, XtPointer) {
    deselectAllProd(configUserListV, nullptr, trev::kConfigUserKind);
}

void testInstOkCB(Widget, XtPointer, XtPointer) { processSelProd(); }
void testInstMainMenuCB(Widget, XtPointer, XtPointer) { cleanExit(kMainMenu); }
void multTestInstCB(Widget, XtPointer, XtPointer) {
    getSelList(testInstListV, nullptr, trev::kTestKind);
}
void testInstSelAllCB(Widget, XtPointer, XtPointer) {
    selectAllProd(testInstListV, nullptr, trev::kTestKind);
}
void testInstDeselAllCB(Widget, XtPointer, XtPointer) {
    deselectAllProd(testInstListV, nullptr, trev::kTestKind);
}
