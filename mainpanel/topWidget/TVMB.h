// Form type 24, the message form: shows a text file under a caption; OK and
// Cancel answer 51 and 52.
#pragma once

#include <Xm/Xm.h>

// Widget handles.
extern Widget TVMB;   // the shell
extern Widget TVMBLogo, TVMBOrvanta, TVMBHead, TVMBText, TVMBLabel, TVMBOKButton, TVMBMMButton;

Widget create_TVMB();

void startTVMB(int argc, char** argv);

void TVMBOKButtonCB(Widget, XtPointer, XtPointer);
void TVMBMMButtonCB(Widget, XtPointer, XtPointer);
