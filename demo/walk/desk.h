// The screen of the unattended demo, seen from a connection of the walk's
// own: screenshots, and windows that no agent answers for (the terminal in
// which the mount script runs).
#pragma once

#include "Gui.h"

#include <optional>
#include <string>

struct _XDisplay;

namespace walk {

class Desk {
public:
    explicit Desk(const std::string& display);
    ~Desk();
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    // The window manager's frame of the viewable window named `title`.
    std::optional<tk::Rect> frameOf(const std::string& title);
    // A click at a point of the screen, and a key, through XTest.
    void click(int x, int y);
    void key(const std::string& keysym);
    // Saves the part `area` of the screen as a PNG file; false on failure.
    bool shot(const tk::Rect& area, const std::string& path) const;

private:
    std::string display_;
    ::_XDisplay* dpy_;
};

}  // namespace walk
