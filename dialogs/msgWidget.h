// The widgets of asker: the note with OK and the yes/no question.
#pragma once

#include <Xm/Xm.h>

// The fallback resources, generated from Asker.ad.
extern String askerFallback[];

// The note: shell, its form, the "!" sign, the message, the separator, OK.
extern Widget asker;
extern Widget askerForm;
extern Widget widget2;
extern Widget msgLabel;
extern Widget widget4;
extern Widget askerOk;

// The question: shell, its message box and the box's message label.
extern Widget DecisionDialog;
extern Widget DecisionBox;
extern Widget DecisionDialogMessageLabel;

// Builders: each returns its shell, built but not realized.  The argument
// count and vector are handed to the shell (they become WM_COMMAND).
Widget create_asker(Display* display, int argc, char** argv);
Widget create_DecisionDialog(Display* display, int argc, char** argv);

// Answers, in asker.cpp.
void askerOkCB(Widget w, XtPointer clientData, XtPointer callData);
void DecisionDialogOKCB(Widget w, XtPointer clientData, XtPointer callData);
void DecisionDialogCancelCB(Widget w, XtPointer clientData, XtPointer callData);
