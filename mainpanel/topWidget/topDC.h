// Form type 23, the installation-type form: default or custom installation;
// the answer is the exit status.
#pragma once

#include <Xm/Xm.h>

// Widget handles (the shell is `mainpanel`, as for the main menu).
extern Widget topDCLogo, topDCOrvanta, topDCTitle, topDCHead;
extern Widget topDCDef, topDCCus;
extern Widget topDCAction, topDCActionRow, topDCOK, topDCPrev, topDCMainMenu, topDCHelp;
extern Widget topDCHelpTextWin;

Widget create_topDC();
Widget create_topDCHelpTextWin(Widget parent);

void startTopDC(int argc, char** argv);

void topDCDefCB(Widget, XtPointer, XtPointer);
void topDCCusCB(Widget, XtPointer, XtPointer);
void topDCOkCB(Widget, XtPointer, XtPointer);
void topDCPrevCB(Widget, XtPointer, XtPointer);
void topDCMainMenuCB(Widget, XtPointer, XtPointer);
