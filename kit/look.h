// The programs' look: the resources of their app-defaults file.  A program
// carries its app-defaults file built in; a file of the same name installed
// where the toolkit looks for app-defaults files takes its place, so that a
// site can change colours, fonts and texts without a new build.
#pragma once

#include <X11/Intrinsic.h>

namespace kit {

// Where `make install` puts the app-defaults files; searched after the
// toolkit's own places.
#ifndef TREV_APPDEFAULTS_DIR
#define TREV_APPDEFAULTS_DIR "/etc/X11/app-defaults"
#endif

// Starts the toolkit in the user's locale (texts in its encoding) and
// returns its application context.  Standard input, output and error that
// the caller closed are first opened on /dev/null for reading, so that no
// X connection takes their descriptors and a write there fails instead of
// reaching the display.
XtAppContext startToolkit();

// Opens the display (DISPLAY, or a toolkit option in argv, which is taken
// out) with the application class "XApplication"; nullptr when it cannot be
// opened.
Display* openDisplay(XtAppContext app, const char* appName, int& argc, char** argv);

// Puts the look of class `className` under the user's own resources in the
// display's resource database: the app-defaults file `className` found on
// $XFILESEARCHPATH (when set; else the toolkit's default places and then
// TREV_APPDEFAULTS_DIR), or else `builtIn`, a null-terminated list of
// resource lines.
void loadLook(Display* display, const char* className, const char* const* builtIn);

}  // namespace kit
