// Form type 0, the main menu: choose the next action of the installer.
#pragma once

#include <Xm/Xm.h>

// Widget handles.
extern Widget mainpanel;   // the shell (also of the platform and installation-type forms)
extern Widget topLevLogo, topLevOrvanta, topLevTitle, topLevHead;
extern Widget topLevLoadProd, topLevConfig, topLevTest, topLevListProd, topLevRemoveProd,
    topLevUpdtProd;
extern Widget topLevAction, topLevOK, topLevQuit, topLevHelp;
extern Widget mainpanelHelpTextWin;

Widget create_mainpanel();
Widget create_mainpanelHelpTextWin(Widget parent);

// Builds and fills the form from `mainpanel 0 actDef f1 f2 f3 f4 f5`.
void displayMainpanel(int argc, char** argv, int statusRead);

// Starts form type 0 (see formStarts.h).
void startMainpanel(int argc, char** argv);

// Callbacks.
void topLevLoadProdCB(Widget, XtPointer, XtPointer);
void topLevConfigCB(Widget, XtPointer, XtPointer);
void topLevTestCB(Widget, XtPointer, XtPointer);
void topLevListProdCB(Widget, XtPointer, XtPointer);
void topLevRemoveProdCB(Widget, XtPointer, XtPointer);
void topLevUpdtProdCB(Widget, XtPointer, XtPointer);
void topLevOkCB(Widget, XtPointer, XtPointer);
void topLevQuitCB(Widget, XtPointer, XtPointer);
