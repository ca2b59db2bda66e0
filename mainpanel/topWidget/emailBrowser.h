// The e-mail file browser of the Installation Information form: a second
// window with Motif's file selection box, whose directory and file lists
// show bare names and whose directories typed or picked by name lie below
// the directory it shows.
#pragma once

#include <Xm/Xm.h>

// Shows the browser, building it first (in the directory of the e-mail file
// chosen before, or else in $TrevStartDir, beside the form) when it does
// not exist or the window manager closed it.  Its OK puts the chosen
// file's path into `field`; it never ends the process.
void showEmailBrowser(Widget field);
