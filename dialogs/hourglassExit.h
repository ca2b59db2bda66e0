// Exit statuses of hourglass.  It never ends by itself: the script that
// started it ends it with a signal, whose default action ends the process.
#pragma once

namespace hourglass {

// The display cannot be opened.
constexpr int kExitNoDisplay = 1;
// Proot is not set.
constexpr int kExitNoInstallRoot = 1;
// The window manager closed the window (WM_DELETE_WINDOW) or asked it to
// save itself (WM_SAVE_YOURSELF); a script can tell this from its own kill.
constexpr int kExitWindowClosed = 250;

}  // namespace hourglass
