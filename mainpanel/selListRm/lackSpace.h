// Form type 3, the disk space check: the chosen products need more space
// than is free; the user reselects, goes on anyway, checks again or returns
// to the main menu.
#pragma once

#include <Xm/Xm.h>

#include <string>

// Widget handles (the shell is lackSpace).
extern Widget lackSpace;
extern Widget lackSpaceOrvanta, lackSpaceLogo, lackSpaceTitle, lackSpaceHead, lackSpaceHead1;
extern Widget lackSpaceDiskAvaL, lackSpaceDiskAvaV, lackSpaceDiskReqL, lackSpaceDiskReqV;
extern Widget lackSpaceAction, lackSpaceReselect, lackSpaceIngore, lackSpaceRecheck,
    lackSpaceMainMenu, lackSpaceHelp;
extern Widget lackSpaceHelpTextWin;

Widget create_lackSpace();
Widget create_lackSpaceHelpTextWin(Widget parent);

// A figure as the form shows it: right-aligned in six columns ("%6s"),
// longer texts whole.
std::string lackSpaceFigure(const char* text);

// Start of form type 3 (see formStarts.h): `mainpanel 3 avaSpace reqSpace`.
void startLackSpace(int argc, char** argv);

// Callbacks.
void lackSpaceReselectCB(Widget, XtPointer, XtPointer);
void lackSpaceIgnoreCB(Widget, XtPointer, XtPointer);
void lackSpaceRecheckCB(Widget, XtPointer, XtPointer);
void lackSpaceMainMenuCB(Widget, XtPointer, XtPointer);
