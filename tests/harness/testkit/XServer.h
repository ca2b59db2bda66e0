// A private X server (Xvfb) with the mwm window manager, for GUI tests.
#pragma once

#include "Process.h"
#include "TempRoot.h"

#include <string>

namespace tk {

class XServer {
public:
    // Starts Xvfb with a screen of width x height x 24 (display number chosen
    // by the server with -displayfd) and mwm on it; returns once the window
    // manager manages the screen.
    XServer(int width, int height);
    ~XServer() { stop(); }

    // One 1280x1024 server per test binary, started on first use.
    static XServer& shared();

    const std::string& display() const { return display_; }

private:
    void start(const std::string& size);
    void stop();

    std::string display_;
    TempRoot wmHome_;  // an empty $HOME for mwm, so that the machine's .mwmrc does not matter
    Process xvfb_, wm_;
};

// True when an X server answers on the display.
bool displayAnswers(const std::string& display);

}  // namespace tk
