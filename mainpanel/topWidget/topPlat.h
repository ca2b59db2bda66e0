// Form type 19, the platform form: choose the platform of the products from
// a platform file; OK prints the platform's name for the script.
#pragma once

#include <Xm/Xm.h>

#include "core/platformFile.h"

// Widget handles (the shell is `mainpanel`, as for the main menu).
extern Widget topPlatLogo, topPlatOrvanta, topPlatTitle, topPlatHead;
extern Widget topPlatAction, topPlatActionRow, topPlatOK, topPlatPrev, topPlatMainMenu,
    topPlatHelp;
extern Widget topPlatHelpTextWin;

// The platforms read from the file (names and descriptions) and the index
// preselected at start, to which Previous and Main Menu return.
extern trev::PlatformList platforms;
extern int platDefaultIndex;

// Builds the form with one toggle per description, named by its index; the
// toggle of `defaultIndex` is set.
Widget create_topPlat(const trev::PlatformList& list, int defaultIndex);
Widget create_topPlatHelpTextWin(Widget parent);

void startTopPlat(int argc, char** argv);

void topPlatCB(Widget, XtPointer, XtPointer);
void topPlatOkCB(Widget, XtPointer, XtPointer);
void topPlatPrevCB(Widget, XtPointer, XtPointer);
void topPlatMainMenuCB(Widget, XtPointer, XtPointer);
