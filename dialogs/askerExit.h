// Exit statuses of asker: the user's answer, or why there was none.
#pragma once

namespace ask {

// OK of the message dialog.
constexpr int kExitOk = 0;
// Yes of the question dialog.
constexpr int kExitYes = 15;
// No of the question dialog.
constexpr int kExitNo = 16;
// The window manager closed the window (WM_DELETE_WINDOW) or asked it to
// save itself (WM_SAVE_YOURSELF); a script cannot tell this from OK.
constexpr int kExitWindowClosed = 0;
// No argument: the usage message.
constexpr int kExitUsage = 1;
// The display cannot be opened.
constexpr int kExitNoDisplay = 1;
// Proot is not set.
constexpr int kExitNoInstallRoot = 1;

}  // namespace ask
