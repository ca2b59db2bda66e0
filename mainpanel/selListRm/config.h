// Form type 10 (Configure Products): configure the system environment or
// the user environment.  The answer is the exit status (40 system, 41
// user), also kept in configChoice.  "noSystem" or "noUser" on the command
// line greys out the choice that cannot be made.
#pragma once

#include <Xm/Xm.h>

// Widget handles.
extern Widget config;
extern Widget configOrvanta, configLogo, configTitle, configHead;
extern Widget configSystemV, configUserV;
extern Widget configAction, configOk, configMainMenu, configHelp;
extern Widget configHelpTextWin;

Widget create_config();
Widget create_configHelpTextWin(Widget parent);

// Start of form type 10 (see formStarts.h).
void startConfig(int argc, char** argv);

// Callbacks.
void configEnvSysCB(Widget, XtPointer, XtPointer);
void configEnvUserCB(Widget, XtPointer, XtPointer);
void configOkCB(Widget, XtPointer, XtPointer);
void configMainMenuCB(Widget, XtPointer, XtPointer);
