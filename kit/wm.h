// The window manager's close protocols: WM_DELETE_WINDOW and
// WM_SAVE_YOURSELF.
#pragma once

#include <Xm/Xm.h>

namespace kit {

// Calls `cb` with `data` when the window manager sends WM_DELETE_WINDOW or
// WM_SAVE_YOURSELF to `shell`.
void onClose(Widget shell, XtCallbackProc cb, XtPointer data = nullptr);

// Whether a protocol callback's data is WM_DELETE_WINDOW, the one message
// after which the toolkit destroys a secondary window; WM_SAVE_YOURSELF
// leaves the window as it is.
bool isDeleteWindow(XtPointer callData);

}  // namespace kit
