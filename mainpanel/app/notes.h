// The two "Note" dialogs of the forms: WarnDialog, whose text each use
// sets, and WarnNoProdSel, the fixed note that nothing is selected.  Both
// are children of the current form's shell, built on first use.
#pragma once

// Shows `text` in the "Note" dialog, building it first when it does not
// exist (or was closed by the window manager, which destroys it).
void displayWarn(const char* text);

// Shows the no-selection note; a close by the window manager only hides it.
void showNoProdSel();
