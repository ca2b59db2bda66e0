// A private X server (Xvfb) with the mwm window manager, for GUI tests.
#pragma once

#include <string>
#include <sys/types.h>

namespace tk {

class XServer {
public:
    // Starts Xvfb with a screen of width x height x 24 (display number chosen
    // by the server with -displayfd) and, when wm is true, mwm on it; returns
    // once the window manager manages the screen.
    XServer(int width, int height, bool wm = true);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // One 1280x1024 server with mwm per test binary, started on first use.
    static XServer& shared();

    const std::string& display() const { return display_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool hasWindowManager() const { return wmPid_ > 0; }

private:
    void start(bool wm);

    std::string display_;
    int width_, height_;
    pid_t xPid_ = -1, wmPid_ = -1;
    std::string wmHome_;
};

// True when an X server answers on the display.
bool displayAnswers(const std::string& display);

}  // namespace tk
