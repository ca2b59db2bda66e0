// Start-up steps shared by asker and hourglass: the toolkit, the display
// and the look, the installation root, and their one window.
#pragma once

#include <Xm/Xm.h>

#include <string>

namespace dialogs {

// The toolkit's view of the display, recorded once at start.
struct Session {
    XtAppContext app = nullptr;
    Display* display = nullptr;
    int screenWidth = 0;
    int screenHeight = 0;
};

// The program name for messages: argv[0], or the given default when the
// program was started without one.
std::string programName(int argc, char** argv, const char* fallbackName);

// Starts the toolkit and opens the display named by DISPLAY (or by a
// toolkit option, which is taken out of argc/argv) with the application
// class "XApplication", then loads the look of class `lookClass`: its
// installed app-defaults file, or `builtIn`.  When the display cannot be
// opened, prints "<progName>: can't open display, exiting..." on standard
// error and exits with failStatus.
Session openDisplay(const std::string& progName, int& argc, char** argv, const char* lookClass,
                    String* builtIn, int failStatus);

// The installation root, $Proot.  When it is not set, prints "Installation
// root is not set." on standard error and exits with failStatus.
const char* requireInstallRoot(int failStatus);

// An application shell of the given name and class; the argument count and
// vector are handed to it (they become WM_COMMAND).  The window manager's
// close calls `closed` and does nothing else.
Widget createShell(const char* name, const char* className, Display* display, int argc,
                   char** argv, XtCallbackProc closed);

// Realizes the shell unmapped, so that its size is known, then moves it to
// `place(width, height)` and maps it there.
void showAt(Widget shell, void (*place)(Dimension width, Dimension height, int& x, int& y));

}  // namespace dialogs
