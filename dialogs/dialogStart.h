// Start-up steps shared by asker and hourglass: the toolkit and the display,
// the installation root, the window manager's close protocols, placement,
// and compound strings that free themselves.
#pragma once

#include <Xm/Xm.h>

#include <memory>
#include <string>
#include <type_traits>

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

// Starts the toolkit with the fallback resources and opens the display named
// by DISPLAY (or by a toolkit option) with the application class
// "XApplication".  Toolkit options are taken out of argc/argv.  When the
// display cannot be opened, prints "<progName>: can't open display,
// exiting..." on standard error and exits with failStatus.
Session openDisplay(const std::string& progName, int& argc, char** argv, String* fallback, int failStatus);

// The installation root, $Proot.  When it is not set, prints "Installation
// root is not set." on standard error and exits with failStatus.
const char* requireInstallRoot(int failStatus);

// An application shell of the given name and class on the display; the
// argument count and vector are handed to it (they become WM_COMMAND).
Widget createShell(const char* name, const char* className, Display* display, int argc, char** argv);

// Calls closed when the window manager sends WM_DELETE_WINDOW or
// WM_SAVE_YOURSELF to the shell; the shell itself does nothing else on them.
void onWindowManagerClose(Widget shell, XtCallbackProc closed);

// Realizes the shell without mapping it, so that its size is known before
// it appears.
void realizeUnmapped(Widget shell);

// Moves a realized, unmapped shell to (x, y) and maps it there.
void placeAndMap(Widget shell, int x, int y);

// A compound string that is freed with its owner.  Line feeds in the text
// become line breaks.
struct XmStringFreer {
    void operator()(XmString s) const { XmStringFree(s); }
};
using XmStringPtr = std::unique_ptr<std::remove_pointer_t<XmString>, XmStringFreer>;
XmStringPtr makeXmString(const std::string& text);

}  // namespace dialogs
