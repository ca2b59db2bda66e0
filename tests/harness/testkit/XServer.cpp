#include "XServer.h"

#include <X11/Xlib.h>
#include <signal.h>
#include <cstdlib>

#include <stdexcept>

namespace tk {

namespace {

using std::chrono::steady_clock;

// Maps a small window and waits until the window manager has reparented it
// into a frame: mwm is only ready to handle input once it manages windows.  A
// window mapped before mwm has started is framed when it starts.  (Asking for
// SubstructureRedirect on the root to see whether a window manager runs would
// hold it for a moment, and an mwm starting in that moment gives up: "Another
// window manager is running".)
bool wmManagesWindows(Display* d, steady_clock::time_point deadline) {
    Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 10, 10, 50, 50, 0, 0, 0);
    XMapWindow(d, w);
    XSync(d, False);
    bool framed = false;
    while (!framed && steady_clock::now() < deadline) {
        Window root, parent, *kids = nullptr;
        unsigned n = 0;
        framed = XQueryTree(d, w, &root, &parent, &kids, &n) && parent != root;
        if (kids) XFree(kids);
        if (!framed) std::this_thread::sleep_for(20ms);
    }
    XDestroyWindow(d, w);
    XSync(d, False);
    return framed;
}

}  // namespace

bool displayAnswers(const std::string& display) {
    Display* d = XOpenDisplay(display.c_str());
    if (d) XCloseDisplay(d);
    return d != nullptr;
}

XServer::XServer(int width, int height) {
    // The programs under test show their built-in look, not app-defaults
    // files installed on this machine; a test that wants one sets its own.
    setenv("XFILESEARCHPATH", "/nonexistent/%T/%N", 0);
    // On a loaded machine a start can miss its deadline; try again before
    // failing the tests that need the server.
    for (int attempt = 1;; ++attempt) {
        try {
            start(std::to_string(width) + "x" + std::to_string(height));
            return;
        } catch (const std::exception& e) {
            stop();
            if (attempt == 3) throw std::runtime_error(e.what() + std::string(" (three attempts)"));
        }
    }
}

void XServer::start(const std::string& size) {
    // Xvfb writes the display number it chose to its stdout, a line.
    xvfb_.start(Spawn({"/bin/sh", "-c", "exec Xvfb -displayfd 1 -nolisten tcp -noreset -screen 0 " + size + "x24"}));
    const auto numbered = steady_clock::now() + 20s;
    std::string out;
    while ((out = xvfb_.outSoFar()).find('\n') == std::string::npos && xvfb_.running() && steady_clock::now() < numbered)
        std::this_thread::sleep_for(10ms);
    if (out.find('\n') == std::string::npos) throw std::runtime_error("tk::XServer: Xvfb did not report a display number");
    display_ = ":" + out.substr(0, out.find('\n'));

    // passButtons: the click that focuses a window also reaches it, as a
    // user expects.
    Spawn m({"/bin/sh", "-c",
             "exec mwm -xrm 'Mwm*passButtons: True' -xrm 'Mwm*startupKeyFocus: True' "
             "-xrm 'Mwm*enforceKeyFocus: False' -xrm 'Mwm*moveOpaque: True'"});
    m.env = {{"DISPLAY", display_}, {"HOME", wmHome_.path()}};
    wm_.start(m);
    Display* d = nullptr;
    const auto deadline = steady_clock::now() + 20s;
    while (!(d = XOpenDisplay(display_.c_str())) && steady_clock::now() < deadline)
        std::this_thread::sleep_for(20ms);
    const bool ok = d && wmManagesWindows(d, deadline);
    if (d) XCloseDisplay(d);
    if (!ok) throw std::runtime_error("tk::XServer: mwm did not start");
}

void XServer::stop() {
    for (Process* p : {&wm_, &xvfb_}) {
        p->kill(SIGTERM);
        p->wait(2s);
    }
}

XServer& XServer::shared() {
    static XServer server(1280, 1024);
    return server;
}

}  // namespace tk
