// The widgets of hourglass: a fixed-size window with a framed bar.
#pragma once

#include <Xm/Xm.h>

// The fallback resources, generated from Hourglass.ad.
extern String hourglassFallback[];

// The window's fixed size and place.
constexpr Dimension kWaitWidth = 172;
constexpr Dimension kWaitHeight = 59;
constexpr int kWaitX = 250;
constexpr int kWaitY = 200;

extern Widget waitW;
extern Widget waitForm;
extern Widget widget2;
extern Widget widget3;
extern Widget widget4;
extern Widget waitLabel;

// Builds the window, its size fixed; returns the shell, not realized.  The
// argument count and vector are handed to the shell.
Widget create_waitW(Display* display, int argc, char** argv);
