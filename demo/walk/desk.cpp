#include "desk.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <functional>
#include <stdexcept>

namespace walk {

namespace {

int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

// The outermost ancestor of `w` below the root: the window manager's frame.
Window frameWindow(Display* d, Window w) {
    for (;;) {
        Window root = 0, parent = 0, *kids = nullptr;
        unsigned n = 0;
        if (!XQueryTree(d, w, &root, &parent, &kids, &n)) return w;
        if (kids) XFree(kids);
        if (parent == root || parent == 0) return w;
        w = parent;
    }
}

std::string quoted(const std::string& s) { return "'" + s + "'"; }

}  // namespace

Desk::Desk(const std::string& display) : display_(display), dpy_(XOpenDisplay(display.c_str())) {
    if (!dpy_) throw std::runtime_error("cannot open the display " + display);
    XSetErrorHandler(ignoreXErrors);
}

Desk::~Desk() { XCloseDisplay(dpy_); }

std::optional<tk::Rect> Desk::frameOf(const std::string& title) {
    Window found = 0;
    std::function<void(Window)> walk = [&](Window w) {
        char* name = nullptr;
        if (!found && XFetchName(dpy_, w, &name) && name) {
            XWindowAttributes a;
            if (title == name && XGetWindowAttributes(dpy_, w, &a) && a.map_state == IsViewable) found = w;
            XFree(name);
        }
        Window root = 0, parent = 0, *kids = nullptr;
        unsigned n = 0;
        if (found || !XQueryTree(dpy_, w, &root, &parent, &kids, &n)) return;
        for (unsigned i = 0; i < n; ++i) walk(kids[i]);
        if (kids) XFree(kids);
    };
    walk(DefaultRootWindow(dpy_));
    if (!found) return std::nullopt;
    XWindowAttributes a;
    if (!XGetWindowAttributes(dpy_, frameWindow(dpy_, found), &a)) return std::nullopt;
    return tk::Rect{a.x, a.y, a.width + 2 * a.border_width, a.height + 2 * a.border_width};
}

void Desk::click(int x, int y) {
    XTestFakeMotionEvent(dpy_, DefaultScreen(dpy_), x, y, CurrentTime);
    XTestFakeButtonEvent(dpy_, 1, True, CurrentTime);
    XTestFakeButtonEvent(dpy_, 1, False, CurrentTime);
    XSync(dpy_, False);
}

void Desk::key(const std::string& keysym) {
    KeyCode code = XKeysymToKeycode(dpy_, XStringToKeysym(keysym.c_str()));
    if (!code) throw std::runtime_error("no key for " + keysym);
    XTestFakeKeyEvent(dpy_, code, True, CurrentTime);
    XTestFakeKeyEvent(dpy_, code, False, CurrentTime);
    XSync(dpy_, False);
}

bool Desk::shot(const tk::Rect& area, const std::string& path) const {
    const std::string crop = std::to_string(area.width) + "x" + std::to_string(area.height) + "+" +
                             std::to_string(area.x) + "+" + std::to_string(area.y);
    tk::Spawn s({"/bin/sh", "-c",
                 "xwd -root -silent -display " + quoted(display_) + " | convert xwd:- -crop " + crop +
                     " +repage png:" + quoted(path)});
    const tk::RunResult r = tk::run(s, std::chrono::seconds(30));
    return r.exited && r.code == 0;
}

}  // namespace walk
