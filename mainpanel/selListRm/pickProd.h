// Form types 11 (Configure System Env), 12 (Configure User Env) and 13
// (Test Installed Products): pick products of a product description file,
// shown by their bare titles in file order, and write them to a product
// selection file on OK.  The three forms are one design under three sets of
// names; the test form has no Previous button.
#pragma once

#include <Xm/Xm.h>

// Widget handles of the three forms.
extern Widget configSysEnv, configSysOrvanta, configSysLogo, configSysTitle, configSysHead,
    configSysListV, configSysSelAllV, configSysDeselAllV, configSysAction, configSysOk,
    configSysMainMenu, configSysPrev, configSysHelp, configSysEnvHelpTextWin;
extern Widget configUserEnv, configUserOrvanta, configUserLogo, configUserTitle, configUserHead,
    configUserListV, configUserSelAllV, configUserDeselAllV, configUserAction, configUserOk,
    configUserMainMenu, configUserPrev, configUserHelp, configUserEnvHelpTextWin;
extern Widget testInst, testInstOrvanta, testInstLogo, testInstTitle, testInstHead,
    testInstListV, testInstSelAll, testInstDeselAll, testInstAction, testInstOk,
    testInstMainMenu, testInstHelp, testInstHelpTextWin;

Widget create_configSysEnv();
Widget create_configUserEnv();
Widget create_testInst();
Widget create_configSysEnvHelpTextWin(Widget parent);
Widget create_configUserEnvHelpTextWin(Widget parent);
Widget create_testInstHelpTextWin(Widget parent);

// Start of form types 11, 12 and 13 (see formStarts.h).
void startPickProd(int argc, char** argv);

// Callbacks.
void configSysOkCB(Widget, XtPointer, XtPointer);
void configSysMainMenuCB(Widget, XtPointer, XtPointer);
void configSysPrevCB(Widget, XtPointer, XtPointer);
void multConfigSysEnvCB(Widget, XtPointer, XtPointer);
void configSysSelAllCB(Widget, XtPointer, XtPointer);
void configSysDeselAllCB(Widget, XtPointer, XtPointer);
void configUserOkCB(Widget, XtPointer, XtPointer);
void configUserMainMenuCB(Widget, XtPointer, XtPointer);
void configUserPrevCB(Widget, XtPointer, XtPointer);
void multConfigUserEnvCB(Widget, XtPointer, XtPointer);
void configUserSelAllCB(Widget, XtPointer, XtPointer);
void configUserDeselAllCB(Widget, XtPointer, XtPointer);
void testInstOkCB(Widget, XtPointer, XtPointer);
void testInstMainMenuCB(Widget, XtPointer, XtPointer);
void multTestInstCB(Widget, XtPointer, XtPointer);
void testInstSelAllCB(Widget, XtPointer, XtPointer);
void testInstDeselAllCB(Widget, XtPointer, XtPointer);
