// What a form's file builds on: the process state, the exit protocol and
// its codes, the notes, the presentation's pieces and the widget kit.
#pragma once

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/List.h>
#include <Xm/PushB.h>
#include <Xm/RowColumn.h>
#include <Xm/Text.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

#include <string>
#include <vector>

#include "app/exitProtocol.h"
#include "app/globals.h"
#include "app/mainpanelExit.h"
#include "app/notes.h"
#include "app/present.h"
#include "kit/frame.h"
#include "kit/raii.h"
#include "kit/widgets.h"

using namespace trev::exitcode;

// The shell of a form: named after the program, class "Trevalon".
Widget createFormShell();

// Makes the form the current one for its presentation and the callbacks:
// parentWidget (its shell), actionWidget (the parent of its action
// buttons) and logoWidget.
void makeCurrentForm(Widget shell, const kit::Frame& frame);
