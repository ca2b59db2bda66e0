// Test agent, preloaded into an unchanged Motif program (LD_PRELOAD).
//
// It interposes XtAppMainLoop: before the program's event loop starts, it
// listens on a Unix socket named by TREV_AGENT_SOCKET (or
// <TREV_AGENT_DIR>/<pid>.sock, so that a script can start several programs
// and each is driven in turn), registered as an Xt input source: every
// request is served on the program's own event-loop thread, between events.
// Requests find widgets by name under the program's shells, send genuine
// pointer and key events through XTest, and read widget state.  It also
// interposes XCreateFontCursor and XDefineCursor to keep a record of the
// cursors defined on each window.  Without either variable it does nothing.
//
// Protocol: protocol.h.
#include <X11/IntrinsicP.h>
#include <X11/CompositeP.h>
#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <Xm/Display.h>
#include <Xm/List.h>
#include <Xm/Text.h>
#include <Xm/TextF.h>

#include "protocol.h"

#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace {

using Fields = std::vector<std::string>;

std::map<Cursor, unsigned> gFontCursors;  // cursor -> font shape
std::map<Window, Fields> gCursorLog;      // every cursor defined on a window, in order
XtAppContext gApp = nullptr;
Display* gDpy = nullptr;  // the program's own connection: widget state
// A connection of the agent's own for XTest input, impervious to server
// grabs: while mwm drags an outline it grabs the server, and the release
// that ends the drag must still get through.
Display* gInput = nullptr;

[[noreturn]] void fail(const std::string& m) { throw std::runtime_error(m); }

// ---------------------------------------------------------------- widget tree

std::vector<Widget> children(Widget w) {
    std::vector<Widget> out;
    if (XtIsComposite(w)) {
        CompositeWidget c = reinterpret_cast<CompositeWidget>(w);
        out.assign(c->composite.children, c->composite.children + c->composite.num_children);
    }
    if (XtIsWidget(w)) out.insert(out.end(), w->core.popup_list, w->core.popup_list + w->core.num_popups);
    out.erase(std::remove_if(out.begin(), out.end(), [](Widget k) { return k->core.being_destroyed; }), out.end());
    return out;
}

// A window's parent (0 for the root's children) and children; false for a
// window that is gone.
bool query(Window w, Window& parent, std::vector<Window>* kids = nullptr) {
    Window root, *list = nullptr;
    unsigned n = 0;
    if (!XQueryTree(gDpy, w, &root, &parent, &list, &n)) return false;
    if (kids) kids->assign(list, list + n);
    if (list) XFree(list);
    if (parent == root) parent = 0;
    return true;
}

// Motif's XmDisplay object is a realized, never-mapped application shell,
// and the toolkit may keep other non-vendor shells: none of them is a form.
void collectRoots(Window win, int depth, std::vector<Widget>& roots) {
    if (Widget w = XtWindowToWidget(gDpy, win)) {
        while (XtParent(w)) w = XtParent(w);
        if (!XmIsDisplay(w) && XtIsVendorShell(w) && std::find(roots.begin(), roots.end(), w) == roots.end())
            roots.push_back(w);
        return;
    }
    Window parent;
    std::vector<Window> kids;
    if (depth <= 4 && query(win, parent, &kids))
        for (Window k : kids) collectRoots(k, depth + 1, roots);
}

int ignoreXError(Display*, XErrorEvent*) { return 0; }

// The program's top-level shells, in stacking order.  Window manager frames
// may be destroyed during the walk; a BadWindow must not end the program.
std::vector<Widget> rootShells() {
    std::vector<Widget> roots;
    XSync(gDpy, False);
    XErrorHandler previous = XSetErrorHandler(ignoreXError);
    collectRoots(DefaultRootWindow(gDpy), 0, roots);
    XSync(gDpy, False);
    XSetErrorHandler(previous);
    return roots;
}

// Breadth first at each level: a direct child wins over a deeper namesake.
Widget findBelow(Widget w, const std::string& name) {
    const std::vector<Widget> kids = children(w);
    for (Widget k : kids)
        if (name == XtName(k)) return k;
    for (Widget k : kids)
        if (Widget f = findBelow(k, name)) return f;
    return nullptr;
}

// "a/b/c": each segment searched below the previous match, the first one
// among (and below) every shell of the program.
Widget findPath(const std::string& path) {
    std::istringstream segs(path);
    std::string s;
    Widget at = nullptr;
    for (bool first = true; std::getline(segs, s, '/'); first = false) {
        Widget found = nullptr;
        for (Widget r : first ? rootShells() : std::vector<Widget>{at})
            if ((found = first && s == XtName(r) ? r : findBelow(r, s))) break;
        if (!(at = found)) return nullptr;
    }
    return at;
}

Widget shellOf(Widget w) {
    while (w && !XtIsShell(w)) w = XtParent(w);
    if (!w || !XtIsRealized(w)) fail("shell not realized");
    return w;
}

Widget withWindow(Widget w) { return XtIsWidget(w) ? w : XtParent(w); }  // a gadget draws in its parent

// ---------------------------------------------------------------- values

// The text of a compound string, its separators as line feeds.
std::string xmText(XmString s) {
    std::string out;
    XmStringContext ctx;
    if (!s || !XmStringInitContext(&ctx, s)) return out;
    for (;;) {
        unsigned int len = 0;
        XtPointer val = nullptr;
        XmStringComponentType t = XmStringGetNextTriple(ctx, &len, &val);
        if (t == XmSTRING_COMPONENT_END) break;
        if ((t == XmSTRING_COMPONENT_TEXT || t == XmSTRING_COMPONENT_LOCALE_TEXT) && val)
            out.append(static_cast<char*>(val), len);
        else if (t == XmSTRING_COMPONENT_SEPARATOR)
            out += '\n';
        XtFree(static_cast<char*>(val));
    }
    XmStringFreeContext(ctx);
    return out;
}

struct Geo {
    int x, y, w, h;
};

// Root coordinates asked of the server, not of the toolkit's cache: right
// after the window manager has placed a window the program may not yet have
// seen the ConfigureNotify that tells it where it is.
Geo geometryOf(Widget w) {
    if (!XtIsRealized(withWindow(w))) fail("not realized");
    Position gx = 0, gy = 0;
    if (!XtIsWidget(w)) XtVaGetValues(w, XmNx, &gx, XmNy, &gy, nullptr);
    int rx = 0, ry = 0;
    Window child;
    XTranslateCoordinates(gDpy, XtWindow(withWindow(w)), DefaultRootWindow(gDpy), gx, gy, &rx, &ry, &child);
    Dimension width = 0, height = 0;
    XtVaGetValues(w, XmNwidth, &width, XmNheight, &height, nullptr);
    return {rx, ry, width, height};
}

bool viewable(Widget w) {
    XWindowAttributes a;
    return (XtIsWidget(w) || XtIsManaged(w)) && XtIsRealized(withWindow(w)) &&
           XGetWindowAttributes(gDpy, XtWindow(withWindow(w)), &a) && a.map_state == IsViewable;
}

Fields numbers(std::initializer_list<long> v) {
    Fields out;
    for (long n : v) out.push_back(std::to_string(n));
    return out;
}

// The window manager's frame: the shell's ancestor just below the root.
Fields frameOf(Widget shell) {
    Window win = XtWindow(shell), parent;
    while (query(win, parent) && parent) win = parent;
    XWindowAttributes a;
    XGetWindowAttributes(gDpy, win, &a);
    return numbers({a.x, a.y, a.width + 2 * a.border_width, a.height + 2 * a.border_width});
}

// A numeric or boolean resource, read by its size.
std::string resourceOf(Widget w, const std::string& name) {
    XtResourceList list = nullptr;
    Cardinal n = 0, size = 0;
    XtGetResourceList(XtClass(w), &list, &n);
    for (Cardinal i = 0; i < n; ++i)
        if (name == list[i].resource_name) size = list[i].resource_size;
    XtFree(reinterpret_cast<char*>(list));
    if (size != 1 && size != 2 && size != 4 && size != 8) fail("no numeric resource " + name);
    long v = 0;  // little-endian: a narrower value fills the low bytes
    XtVaGetValues(w, name.c_str(), &v, nullptr);
    return std::to_string(size == 4 ? static_cast<int>(v) : v);
}

void dumpTree(Widget w, int depth, std::ostringstream& o) {
    o << std::string(depth * 2, ' ') << XtName(w) << " (" << XtClass(w)->core_class.class_name << ")"
      << (XtIsManaged(w) ? "" : " unmanaged") << (XtIsSensitive(w) ? "" : " insensitive")
      << (viewable(w) ? " viewable" : "") << '\n';
    for (Widget k : children(w)) dumpTree(k, depth + 1, o);
}

// ---------------------------------------------------------------- input
// Each returns the (empty) answer of its request.

void fakeKey(KeySym ks, bool press) {
    if (KeyCode kc = XKeysymToKeycode(gInput, ks)) XTestFakeKeyEvent(gInput, kc, press, CurrentTime);
}
void ctrl(const std::string& mods, bool press) {
    if (mods == "C") fakeKey(XK_Control_L, press);
}

// Clicks sent by a test come faster than a hand can click; a second single
// click within the multi-click time would count as a double click.  The
// server is told to hold the press back (XTest delay, no sleep here).
Fields clickAt(int x, int y, const std::string& mods) {
    using namespace std::chrono;
    static steady_clock::time_point last;
    const long gap = static_cast<long>(XtGetMultiClickTime(gDpy)) + 60;
    const long since = duration_cast<milliseconds>(steady_clock::now() - last).count();
    const unsigned long delay = since >= gap ? 0 : static_cast<unsigned long>(gap - since);
    XTestFakeMotionEvent(gInput, DefaultScreen(gInput), x, y, CurrentTime);
    ctrl(mods, true);
    XTestFakeButtonEvent(gInput, 1, True, delay);
    XTestFakeButtonEvent(gInput, 1, False, CurrentTime);
    ctrl(mods, false);
    // The server holds the press back; on a loaded machine it may handle it
    // later still.  The reply comes once it has, so the next gap is measured
    // from the click's real time, not from the time it was asked for.
    XSync(gInput, False);
    last = steady_clock::now();
    return {};
}

// A busy window manager can take the press of a drag only after the whole
// drag has been sent, and then drops a resize: the steps are spaced.  Only
// flushes, never a reply: mwm may hold the server until the release.
Fields drag(int x1, int y1, int x2, int y2) {
    auto moveAndPause = [](int x, int y, int ms) {
        XTestFakeMotionEvent(gInput, DefaultScreen(gInput), x, y, CurrentTime);
        XFlush(gInput);
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    };
    moveAndPause(x1, y1, 0);
    XTestFakeButtonEvent(gInput, 1, True, CurrentTime);
    for (int i = 0; i <= 12; ++i) moveAndPause(x1 + (x2 - x1) * i / 12, y1 + (y2 - y1) * i / 12, i ? 10 : 60);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    XTestFakeButtonEvent(gInput, 1, False, CurrentTime);
    XFlush(gInput);
    return {};
}

// A key, with Shift when the keysym is on the key's shifted level.
Fields typeKeysym(KeySym ks, const std::string& mods) {
    const KeyCode kc = XKeysymToKeycode(gInput, ks);
    if (!kc) fail("no keycode for keysym");
    const bool shift = XkbKeycodeToKeysym(gInput, kc, 0, 0) != ks && XkbKeycodeToKeysym(gInput, kc, 0, 1) == ks;
    ctrl(mods, true);
    if (shift) fakeKey(XK_Shift_L, true);
    XTestFakeKeyEvent(gInput, kc, True, CurrentTime);
    XTestFakeKeyEvent(gInput, kc, False, CurrentTime);
    if (shift) fakeKey(XK_Shift_L, false);
    ctrl(mods, false);
    XSync(gInput, False);
    return {};
}

// Lets the program handle the input sent so far before the agent changes
// anything itself (scrolling a list, say).
Fields settle() {
    XSync(gDpy, False);
    while (XtAppPending(gApp) & XtIMXEvent) XtAppProcessEvent(gApp, XtIMXEvent);
    return {};
}

// ---------------------------------------------------------------- requests

Widget arg(const Fields& f) {  // the widget the request names
    Widget w = findPath(f.at(1));
    if (!w) fail("no widget " + f.at(1));
    return w;
}
Fields flag(bool b) { return {b ? "1" : "0"}; }

using Handler = Fields (*)(const Fields&);
const std::map<std::string, Handler> kHandlers = {
    {"sync", [](const Fields&) { return settle(); }},
    {"shells", [](const Fields&) {
         Fields out;
         for (Widget r : rootShells()) out.push_back(XtName(r));
         return out;
     }},
    {"dump", [](const Fields&) {
         std::ostringstream o;
         for (Widget r : rootShells()) dumpTree(r, 0, o);
         return Fields{o.str()};
     }},
    // The widget that typed keys go to: the Motif focus widget of the shell
    // that holds the X input focus.
    {"focus", [](const Fields&) {
         Window win = None;
         int revert = 0;
         XGetInputFocus(gDpy, &win, &revert);
         Widget s = win == None || win == PointerRoot ? nullptr : XtWindowToWidget(gDpy, win);
         while (s && !XtIsShell(s)) s = XtParent(s);
         Widget focus = s ? XmGetFocusWidget(s) : nullptr;
         return Fields{focus ? XtName(focus) : ""};
     }},
    {"label", [](const Fields& f) {
         XmString s = nullptr;
         XtVaGetValues(arg(f), XmNlabelString, &s, nullptr);
         const Fields out{xmText(s)};
         if (s) XmStringFree(s);
         return out;
     }},
    {"text", [](const Fields& f) {
         Widget w = arg(f);
         char* t = XmIsTextField(w) ? XmTextFieldGetString(w) : XmIsText(w) ? XmTextGetString(w) : nullptr;
         if (!t) fail("not a text widget");
         const Fields out{t};
         XtFree(t);
         return out;
     }},
    {"mapped", [](const Fields& f) {
         Widget w = findPath(f.at(1));
         return flag(w && viewable(w));
     }},
    {"resource", [](const Fields& f) { return Fields{resourceOf(arg(f), f.at(2))}; }},
    {"cursors", [](const Fields& f) { return gCursorLog[XtWindowOfObject(arg(f))]; }},
    {"listitems", [](const Fields& f) {
         XmStringTable items = nullptr;
         int count = 0;
         XtVaGetValues(arg(f), XmNitems, &items, XmNitemCount, &count, nullptr);
         Fields out;
         for (int i = 0; i < count; ++i) out.push_back(xmText(items[i]));
         return out;
     }},
    {"listselected", [](const Fields& f) {
         int* pos = nullptr;
         int count = 0;
         Fields out;
         if (XmListGetSelectedPos(arg(f), &pos, &count))
             for (int i = 0; i < count; ++i) out.push_back(std::to_string(pos[i]));
         XtFree(reinterpret_cast<char*>(pos));
         return out;
     }},
    {"geometry", [](const Fields& f) {
         const Geo g = geometryOf(arg(f));
         return numbers({g.x, g.y, g.w, g.h});
     }},
    {"frame", [](const Fields& f) { return frameOf(shellOf(arg(f))); }},
    {"title", [](const Fields& f) {
         char* title = nullptr;
         XtVaGetValues(shellOf(arg(f)), XmNtitle, &title, nullptr);
         return Fields{title ? title : ""};
     }},
    // At the centre of the widget, or of the list item at position f[3],
    // scrolled into view first.
    {"click", [](const Fields& f) {
         Widget w = arg(f);
         Position x = 0, y = 0;
         Dimension iw = 0, ih = 0;
         if (f.size() > 3) {
             const int pos = std::stoi(f[3]);
             if (!XmListPosToBounds(w, pos, nullptr, nullptr, nullptr, nullptr)) {
                 settle();
                 XmListSetPos(w, pos);
                 settle();
             }
             if (!XmListPosToBounds(w, pos, &x, &y, &iw, &ih)) fail("list item not visible");
         }
         const Geo g = geometryOf(w);
         if (f.size() <= 3) iw = static_cast<Dimension>(g.w), ih = static_cast<Dimension>(g.h);
         return clickAt(g.x + x + iw / 2, g.y + y + ih / 2, f.at(2));
     }},
    {"wmproto", [](const Fields& f) {  // the WM_PROTOCOLS message as the window manager sends it
         XEvent ev{};
         ev.xclient = {ClientMessage, 0, False, gDpy, XtWindow(shellOf(arg(f))),
                       XInternAtom(gDpy, "WM_PROTOCOLS", False), 32, {}};
         ev.xclient.data.l[0] = static_cast<long>(XInternAtom(gDpy, f.at(2).c_str(), False));
         ev.xclient.data.l[1] = CurrentTime;
         XSendEvent(gDpy, ev.xclient.window, False, 0L, &ev);
         XSync(gDpy, False);
         return Fields{};
     }},
    {"type", [](const Fields& f) {  // Latin-1 keysyms equal their character codes
         for (unsigned char c : f.at(1)) typeKeysym(c, "");
         return Fields{};
     }},
    {"key", [](const Fields& f) {
         const KeySym ks = XStringToKeysym(f.at(1).c_str());
         if (ks == NoSymbol) fail("unknown keysym " + f[1]);
         return typeKeysym(ks, f.at(2));
     }},
    {"drag", [](const Fields& f) { return drag(std::stoi(f.at(1)), std::stoi(f.at(2)), std::stoi(f.at(3)), std::stoi(f.at(4))); }},
};

// Reads one request, answers it; closes the connection at its end.
void clientReadable(XtPointer, int* fd, XtInputId* id) {
    std::string request;
    char c = 0;
    for (ssize_t r; (r = read(*fd, &c, 1)) != 0 && c != tkproto::kEnd;) {
        if (r == 1) request += c;
        else if (errno != EINTR) break;
    }
    if (c != tkproto::kEnd) {
        XtRemoveInput(*id);
        close(*fd);
        return;
    }
    Fields answer;
    try {
        const Fields f = tkproto::split(request);
        const auto h = kHandlers.find(f[0]);
        if (h == kHandlers.end()) fail("unknown request " + f[0]);
        answer = h->second(f);
        answer.insert(answer.begin(), "ok");
    } catch (const std::exception& e) {
        answer = {"err", e.what()};
    }
    const std::string out = tkproto::message(answer);
    send(*fd, out.data(), out.size(), MSG_NOSIGNAL);  // a blocking socket takes it all
}

void acceptClient(XtPointer, int* listenFd, XtInputId*) {
    const int fd = accept4(*listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd >= 0) XtAppAddInput(gApp, fd, reinterpret_cast<XtPointer>(XtInputReadMask), clientReadable, nullptr);
}

// Keeps the agent out of the program's children (terminals, estimator
// scripts): they must not take over the socket.
void scrubEnvironment() {
    unsetenv("TREV_AGENT_SOCKET");
    unsetenv("TREV_AGENT_DIR");
    std::istringstream in(getenv("LD_PRELOAD") ? getenv("LD_PRELOAD") : "");
    std::string kept, item;
    while (in >> item)
        if (item.find("trevagent") == std::string::npos) kept += (kept.empty() ? "" : " ") + item;
    setenv("LD_PRELOAD", kept.c_str(), 1);
    if (kept.empty()) unsetenv("LD_PRELOAD");
}

void start(XtAppContext app) {
    std::string path;
    if (const char* p = getenv("TREV_AGENT_SOCKET")) path = p;
    else if (const char* dir = getenv("TREV_AGENT_DIR")) path = std::string(dir) + "/" + std::to_string(getpid()) + ".sock";
    sockaddr_un addr{AF_UNIX, {}};
    if (gApp || path.empty() || path.size() >= sizeof addr.sun_path) return;
    scrubEnvironment();
    Display** dpys = nullptr;
    Cardinal n = 0;
    XtGetDisplays(app, &dpys, &n);
    gDpy = n ? dpys[0] : nullptr;
    XtFree(reinterpret_cast<char*>(dpys));
    if (!gDpy || !(gInput = XOpenDisplay(DisplayString(gDpy)))) return;
    gApp = app;
    XTestGrabControl(gInput, True);
    XSync(gInput, False);
    // The test side retries until the socket accepts connections.
    path.copy(addr.sun_path, path.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 4) != 0) std::perror("trevagent");
    else XtAppAddInput(app, fd, reinterpret_cast<XtPointer>(XtInputReadMask), acceptClient, nullptr);
}

}  // namespace

extern "C" Cursor XCreateFontCursor(Display* d, unsigned int shape) {
    static auto real = reinterpret_cast<decltype(&XCreateFontCursor)>(dlsym(RTLD_NEXT, "XCreateFontCursor"));
    const Cursor c = real(d, shape);
    gFontCursors[c] = shape;
    return c;
}

// A font cursor by its shape number (XC_watch is "150"), "none" for the
// parent's cursor, "other" for any other.
extern "C" int XDefineCursor(Display* d, Window w, Cursor c) {
    static auto real = reinterpret_cast<decltype(&XDefineCursor)>(dlsym(RTLD_NEXT, "XDefineCursor"));
    const auto shape = gFontCursors.find(c);
    gCursorLog[w].push_back(c == None ? "none" : shape != gFontCursors.end() ? std::to_string(shape->second) : "other");
    return real(d, w, c);
}

extern "C" void XtAppMainLoop(XtAppContext app) {
    static auto real = reinterpret_cast<decltype(&XtAppMainLoop)>(dlsym(RTLD_NEXT, "XtAppMainLoop"));
    start(app);
    real(app);
}
