// Test agent, preloaded into an unchanged Motif program (LD_PRELOAD).
//
// It interposes XtAppMainLoop: before the program's event loop starts, it
// opens a Unix socket named by TREV_AGENT_SOCKET and registers it as an Xt
// input source, so every request is served on the program's own event-loop
// thread, between events.  It also interposes XCreateFontCursor and
// XDefineCursor to keep a record of the cursors defined on each window.  Requests find widgets by name under the program's
// shells, send genuine pointer and key events through XTest, and read widget
// state.  Without TREV_AGENT_SOCKET the agent does nothing.
//
// TREV_AGENT_DIR names a directory instead: each program then listens on
// <dir>/<pid>.sock of its own, so that a script which starts several programs,
// one after another or side by side, can have each of them driven.
//
// Protocol: one request per line, fields separated by tabs, text fields
// escaped (\n \t \\).  Answer: "ok" or "err", a tab, then tab-separated
// escaped fields, one line.
#include <X11/IntrinsicP.h>
#include <X11/CompositeP.h>
#include <X11/CoreP.h>
#include <X11/ShellP.h>
#include <X11/Xatom.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <Xm/Xm.h>
#include <Xm/Display.h>
#include <Xm/List.h>
#include <Xm/Text.h>
#include <Xm/TextF.h>
#include <Xm/ToggleB.h>
#include <Xm/ToggleBG.h>
#include <Xm/Label.h>
#include <Xm/LabelG.h>
#include <Xm/ScrollBar.h>

#include "protocol.h"

#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

// The cursors the program defines on its windows, in order, so that a test
// can see a busy cursor that came and went while the event loop (and with it
// the agent) was blocked.  Font cursors are named by their shape number
// (see XCreateFontCursor and XDefineCursor below).
std::map<Cursor, unsigned>& fontCursors() {
    static std::map<Cursor, unsigned> shapes;
    return shapes;
}

std::map<Window, std::vector<std::string>>& cursorLog() {
    static std::map<Window, std::vector<std::string>> log;
    return log;
}

XtAppContext gApp = nullptr;
Display* gDpy = nullptr;  // the program's own connection: widget state
// A connection of the agent's own for XTest input, impervious to server
// grabs: while mwm drags an outline it grabs the server, and the release
// that ends the drag must still get through even when the program's own
// connection has to wait.
Display* gInput = nullptr;
int gListenFd = -1;

struct Client {
    int fd;
    XtInputId id;
    std::string buf;
};
std::map<int, Client*> gClients;

using tkproto::esc;
using tkproto::split;

struct Failure {
    std::string msg;
};

[[noreturn]] void fail(const std::string& m) { throw Failure{m}; }

// ---------------------------------------------------------------- widget tree

const char* className(Widget w) { return XtClass(w)->core_class.class_name; }

// Motif keeps one XmDisplay object per display: an application shell that is
// realized (never mapped) before the program's own shells.  Not a form.
// Besides it the toolkit may keep other realized, never-mapped shells that are
// not Motif (vendor) shells; every window of a form is a vendor shell.
bool isDisplayObject(Widget w) { return XmIsDisplay(w) || !XtIsVendorShell(w); }

void children(Widget w, std::vector<Widget>& out) {
    if (XtIsComposite(w)) {
        CompositeWidget c = reinterpret_cast<CompositeWidget>(w);
        for (Cardinal i = 0; i < c->composite.num_children; ++i) out.push_back(c->composite.children[i]);
    }
    if (XtIsWidget(w)) {
        for (Cardinal i = 0; i < w->core.num_popups; ++i) out.push_back(w->core.popup_list[i]);
    }
}

void collectRoots(Window win, int depth, std::vector<Widget>& roots) {
    Widget w = XtWindowToWidget(gDpy, win);
    if (w) {
        while (XtParent(w)) w = XtParent(w);
        if (!isDisplayObject(w)) {
            bool seen = false;
            for (Widget r : roots) seen = seen || r == w;
            if (!seen) roots.push_back(w);
        }
        return;
    }
    if (depth > 4) return;
    Window root, parent, *kids = nullptr;
    unsigned n = 0;
    if (!XQueryTree(gDpy, win, &root, &parent, &kids, &n)) return;
    std::vector<Window> list(kids, kids + n);
    if (kids) XFree(kids);
    for (Window k : list) collectRoots(k, depth + 1, roots);
}

// The program's top-level shells, in stacking order of the X window tree.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

std::vector<Widget> rootShells() {
    std::vector<Widget> roots;
    // Windows of the window manager (frames) may be destroyed while the tree
    // is walked; a BadWindow then must not end the program under test.
    XSync(gDpy, False);
    XErrorHandler previous = XSetErrorHandler(ignoreXError);
    collectRoots(DefaultRootWindow(gDpy), 0, roots);
    XSync(gDpy, False);
    XSetErrorHandler(previous);
    return roots;
}

Widget findBelow(Widget w, const std::string& name) {
    std::vector<Widget> kids;
    children(w, kids);
    for (Widget k : kids)
        if (!k->core.being_destroyed && name == XtName(k)) return k;
    for (Widget k : kids) {
        if (k->core.being_destroyed) continue;
        if (Widget f = findBelow(k, name)) return f;
    }
    return nullptr;
}

Widget findPath(const std::string& path) {
    std::vector<std::string> segs;
    std::string cur;
    for (char c : path) {
        if (c == '/') {
            segs.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    segs.push_back(cur);
    Widget at = nullptr;
    for (const std::string& s : segs) {
        Widget found = nullptr;
        if (!at) {
            for (Widget r : rootShells()) {
                if (s == XtName(r)) found = r;
                else found = findBelow(r, s);
                if (found) break;
            }
        } else {
            found = findBelow(at, s);
        }
        if (!found) return nullptr;
        at = found;
    }
    return at;
}

Widget need(const std::string& path) {
    Widget w = findPath(path);
    if (!w) fail("no widget " + path);
    return w;
}

Widget shellOf(Widget w) {
    while (w && !XtIsShell(w)) w = XtParent(w);
    return w;
}

// ---------------------------------------------------------------- values

// The text of a compound string, its separators as line feeds.
std::string xmText(XmString s) {
    if (!s) return "";
    std::string out;
    XmStringContext ctx;
    if (!XmStringInitContext(&ctx, s)) return out;
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

std::string labelOf(Widget w) {
    XmString s = nullptr;
    XtVaGetValues(w, XmNlabelString, &s, nullptr);
    std::string out = xmText(s);
    if (s) XmStringFree(s);
    return out;
}

std::string textOf(Widget w) {
    char* t = nullptr;
    if (XmIsTextField(w)) t = XmTextFieldGetString(w);
    else if (XmIsText(w)) t = XmTextGetString(w);
    else fail(std::string("not a text widget: ") + className(w));
    std::string out = t ? t : "";
    XtFree(t);
    return out;
}

bool toggleOf(Widget w) {
    if (XmIsToggleButton(w)) return XmToggleButtonGetState(w);
    if (XmIsToggleButtonGadget(w)) return XmToggleButtonGadgetGetState(w);
    fail(std::string("not a toggle: ") + className(w));
}

std::string rgb(Pixel p, Widget w) {
    Colormap cmap = DefaultColormap(gDpy, DefaultScreen(gDpy));
    Widget withWin = XtIsWidget(w) ? w : XtParent(w);
    XtVaGetValues(withWin, XmNcolormap, &cmap, nullptr);
    XColor c;
    c.pixel = p;
    XQueryColor(gDpy, cmap, &c);
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.red >> 8, c.green >> 8, c.blue >> 8);
    return buf;
}

struct Geo {
    int x, y, w, h;
};

// Root coordinates asked of the server, not of the toolkit's cache: right
// after the window manager has placed a window the program may not yet have
// seen the ConfigureNotify that tells it where it is.
Geo geometryOf(Widget w) {
    Widget withWin = XtIsWidget(w) ? w : XtParent(w);
    if (!XtIsRealized(withWin)) fail("not realized");
    int ox = 0, oy = 0;
    if (!XtIsWidget(w)) {  // a gadget draws in its parent's window
        Position gx = 0, gy = 0;
        XtVaGetValues(w, XmNx, &gx, XmNy, &gy, nullptr);
        ox = gx, oy = gy;
    }
    int rx = 0, ry = 0;
    Window child;
    XTranslateCoordinates(gDpy, XtWindow(withWin), DefaultRootWindow(gDpy), ox, oy, &rx, &ry, &child);
    Dimension width = 0, height = 0;
    XtVaGetValues(w, XmNwidth, &width, XmNheight, &height, nullptr);
    return {rx, ry, width, height};
}

bool viewable(Widget w) {
    Widget withWin = w;
    if (!XtIsWidget(w)) {
        if (!XtIsManaged(w)) return false;
        withWin = XtParent(w);
    }
    if (!XtIsRealized(withWin)) return false;
    XWindowAttributes a;
    if (!XGetWindowAttributes(gDpy, XtWindow(withWin), &a)) return false;
    return a.map_state == IsViewable;
}

Window frameOf(Window w) {
    Window root, parent, *kids = nullptr;
    unsigned n = 0;
    Window cur = w;
    for (;;) {
        if (!XQueryTree(gDpy, cur, &root, &parent, &kids, &n)) return cur;
        if (kids) XFree(kids);
        if (parent == root || parent == 0) return cur;
        cur = parent;
    }
}

std::string geoText(int x, int y, int w, int h) {
    std::ostringstream o;
    o << x << '\t' << y << '\t' << w << '\t' << h;
    return o.str();
}

std::string resourceOf(Widget w, const std::string& name) {
    XtResourceList list = nullptr;
    Cardinal n = 0;
    XtGetResourceList(XtClass(w), &list, &n);
    XtResourceList cons = nullptr;
    Cardinal nc = 0;
    if (XtParent(w) && XtIsConstraint(XtParent(w))) XtGetConstraintResourceList(XtClass(XtParent(w)), &cons, &nc);
    XtResource r{};
    bool found = false;
    for (Cardinal i = 0; i < n && !found; ++i)
        if (name == list[i].resource_name) r = list[i], found = true;
    for (Cardinal i = 0; i < nc && !found; ++i)
        if (name == cons[i].resource_name) r = cons[i], found = true;
    std::string type = found ? r.resource_type : "";
    unsigned size = found ? r.resource_size : 0;
    XtFree(reinterpret_cast<char*>(list));
    XtFree(reinterpret_cast<char*>(cons));
    if (!found) fail("no resource " + name);
    std::ostringstream o;
    if (type == XmRString) {
        char* s = nullptr;
        XtVaGetValues(w, name.c_str(), &s, nullptr);
        return s ? s : "";
    }
    if (type == XmRXmString) {
        XmString s = nullptr;
        XtVaGetValues(w, name.c_str(), &s, nullptr);
        std::string t = xmText(s);
        return t;
    }
    if (type == XmRWidget || type == XmRWindow) {
        Widget v = nullptr;
        XtVaGetValues(w, name.c_str(), &v, nullptr);
        return v ? XtName(v) : "";
    }
    if (size == 1) {
        unsigned char v = 0;
        XtVaGetValues(w, name.c_str(), &v, nullptr);
        o << static_cast<int>(v);
    } else if (size == 2) {
        short v = 0;
        XtVaGetValues(w, name.c_str(), &v, nullptr);
        if (type == XmRPosition || type == XmRHorizontalPosition || type == XmRVerticalPosition || type == XmRShort)
            o << v;
        else
            o << static_cast<unsigned short>(v);
    } else if (size == 4) {
        int v = 0;
        XtVaGetValues(w, name.c_str(), &v, nullptr);
        o << v;
    } else if (size == 8) {
        long v = 0;
        XtVaGetValues(w, name.c_str(), &v, nullptr);
        o << v;
    } else {
        fail("unsupported resource size");
    }
    return o.str();
}

// ---------------------------------------------------------------- input

void fakeMods(const std::string& mods, Bool press) {
    auto key = [&](KeySym ks) {
        KeyCode kc = XKeysymToKeycode(gInput, ks);
        if (kc) XTestFakeKeyEvent(gInput, kc, press, CurrentTime);
    };
    if (mods.find('C') != std::string::npos) key(XK_Control_L);
    if (mods.find('S') != std::string::npos) key(XK_Shift_L);
    if (mods.find('A') != std::string::npos) key(XK_Alt_L);
}

void pointerTo(int x, int y) {
    XTestFakeMotionEvent(gInput, DefaultScreen(gInput), x, y, CurrentTime);
}

// Clicks sent by a test come faster than a hand can click; a second single
// click within the multi-click time would count as a double click.  The
// server is told to hold the press back (XTest delay, no sleep here) so that
// separate clicks stay separate.
std::chrono::steady_clock::time_point gLastClick;

unsigned long pressDelay() {
    auto now = std::chrono::steady_clock::now();
    long gap = static_cast<long>(XtGetMultiClickTime(gDpy)) + 60;
    long since = std::chrono::duration_cast<std::chrono::milliseconds>(now - gLastClick).count();
    return since >= gap ? 0 : static_cast<unsigned long>(gap - since);
}

void clickAtRoot(int x, int y, const std::string& mods, unsigned button, int times) {
    unsigned long delay = pressDelay();
    pointerTo(x, y);
    fakeMods(mods, True);
    for (int i = 0; i < times; ++i) {
        XTestFakeButtonEvent(gInput, button, True, i == 0 ? delay : 0);
        XTestFakeButtonEvent(gInput, button, False, CurrentTime);
    }
    gLastClick = std::chrono::steady_clock::now() + std::chrono::milliseconds(delay);
    fakeMods(mods, False);
    XSync(gInput, False);
}

// A busy window manager can take the press of a drag only after the whole
// drag has been sent; mwm then finds the button already up and drops a
// resize.  The steps are spaced so that it sees the button held down.
void drag(int x1, int y1, int x2, int y2) {
    // Flush, never wait for a reply here: while mwm drags an outline it may
    // hold the server, and only the release that ends the drag frees it.
    auto pause = [](int ms) {
        XFlush(gInput);
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    };
    pointerTo(x1, y1);
    XTestFakeButtonEvent(gInput, 1, True, CurrentTime);
    pause(60);
    const int steps = 12;
    for (int i = 1; i <= steps; ++i) {
        pointerTo(x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps);
        pause(10);
    }
    pause(50);
    XTestFakeButtonEvent(gInput, 1, False, CurrentTime);
    XFlush(gInput);
}

void typeKeysym(KeySym ks, const std::string& mods) {
    KeyCode kc = XKeysymToKeycode(gInput, ks);
    if (!kc) fail("no keycode for keysym");
    bool shift = false;
    if (XkbKeycodeToKeysym(gInput, kc, 0, 0) != ks && XkbKeycodeToKeysym(gInput, kc, 0, 1) == ks) shift = true;
    std::string m = mods;
    if (shift) m += 'S';
    fakeMods(m, True);
    XTestFakeKeyEvent(gInput, kc, True, CurrentTime);
    XTestFakeKeyEvent(gInput, kc, False, CurrentTime);
    fakeMods(m, False);
}

void typeText(const std::string& text) {
    for (unsigned char c : text) {
        KeySym ks;
        if (c == '\n') ks = XK_Return;
        else if (c == '\t') ks = XK_Tab;
        else if (c == ' ') ks = XK_space;
        else ks = c;  // Latin-1 keysyms equal their character codes
        typeKeysym(ks, "");
    }
    XSync(gInput, False);
}

void sendProtocol(Widget shell, const char* protocol) {
    Window win = XtWindow(shell);
    if (!win) fail("shell not realized");
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = win;
    ev.xclient.message_type = XInternAtom(gDpy, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(gDpy, protocol, False));
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(gDpy, win, False, 0L, &ev);
    XSync(gDpy, False);
}

// Lets the program handle the input sent so far before the agent changes
// anything itself (scrolling a list, say): otherwise a click still on its way
// would land on the changed widget.
void settle() {
    XSync(gDpy, False);
    while (XtAppPending(gApp) & XtIMXEvent) XtAppProcessEvent(gApp, XtIMXEvent);
}

// ---------------------------------------------------------------- dump

void dumpTree(Widget w, int depth, std::ostringstream& o) {
    o << std::string(depth * 2, ' ') << XtName(w) << " (" << className(w);
    if (depth == 0)
        for (WidgetClass c = XtSuperclass(w); c; c = c->core_class.superclass) o << ":" << c->core_class.class_name;
    o << ")";
    if (XtIsRectObj(w)) {
        o << (XtIsManaged(w) ? " managed" : " unmanaged");
        o << (XtIsSensitive(w) ? "" : " insensitive");
        if (viewable(w)) o << " viewable";
    }
    o << '\n';
    std::vector<Widget> kids;
    children(w, kids);
    for (Widget k : kids) dumpTree(k, depth + 1, o);
}

// ---------------------------------------------------------------- requests

std::string handle(const std::vector<std::string>& f) {
    const std::string& cmd = f[0];
    auto arg = [&](size_t i) -> const std::string& {
        if (i >= f.size()) fail("missing argument");
        return f[i];
    };
    auto num = [&](size_t i) { return std::atoi(arg(i).c_str()); };

    if (cmd == "ping") return "";
    if (cmd == "sync") {
        settle();
        return "";
    }
    if (cmd == "screen") {
        Screen* s = DefaultScreenOfDisplay(gDpy);
        return std::to_string(WidthOfScreen(s)) + "\t" + std::to_string(HeightOfScreen(s));
    }
    if (cmd == "shells") {
        std::string out;
        for (Widget r : rootShells()) out += (out.empty() ? "" : "\t") + esc(XtName(r));
        return out;
    }
    if (cmd == "dump") {
        std::ostringstream o;
        for (Widget r : rootShells()) dumpTree(r, 0, o);
        return esc(o.str());
    }
    if (cmd == "exists") return findPath(arg(1)) ? "1" : "0";
    if (cmd == "focus") {
        // The widget that receives typed keys: the Motif focus widget of
        // the program's shell that holds the X input focus.
        Window win = None;
        int revert = 0;
        XGetInputFocus(gDpy, &win, &revert);
        Widget at = win == None || win == PointerRoot ? nullptr : XtWindowToWidget(gDpy, win);
        Widget s = shellOf(at);
        Widget focus = s ? XmGetFocusWidget(s) : nullptr;
        return focus ? esc(XtName(focus)) : "";
    }

    Widget w = need(arg(1));
    if (cmd == "class") return className(w);
    if (cmd == "label") return esc(labelOf(w));
    if (cmd == "text") return esc(textOf(w));
    if (cmd == "toggle") return toggleOf(w) ? "1" : "0";
    if (cmd == "sensitive") return XtIsSensitive(w) ? "1" : "0";
    if (cmd == "managed") return XtIsManaged(w) ? "1" : "0";
    if (cmd == "mapped") return viewable(w) ? "1" : "0";
    if (cmd == "editable") {
        Boolean e = False;
        XtVaGetValues(w, XmNeditable, &e, nullptr);
        return e ? "1" : "0";
    }
    if (cmd == "resource") return esc(resourceOf(w, arg(2)));
    if (cmd == "cursors") {
        const std::vector<std::string>& log = cursorLog()[XtWindowOfObject(w)];
        std::string out = std::to_string(log.size());
        for (const std::string& c : log) out += "\t" + c;
        return out;
    }
    if (cmd == "listitems") {
        XmStringTable items = nullptr;
        int count = 0;
        XtVaGetValues(w, XmNitems, &items, XmNitemCount, &count, nullptr);
        std::string out = std::to_string(count);
        for (int i = 0; i < count; ++i) out += "\t" + esc(xmText(items[i]));
        return out;
    }
    if (cmd == "listselected") {
        int* pos = nullptr;
        int count = 0;
        std::string out;
        if (XmListGetSelectedPos(w, &pos, &count)) {
            for (int i = 0; i < count; ++i) out += (i ? "\t" : "") + std::to_string(pos[i]);
            XtFree(reinterpret_cast<char*>(pos));
        }
        return out;
    }
    if (cmd == "colors") {
        Pixel fg = 0, bg = 0;
        XtVaGetValues(w, XmNforeground, &fg, XmNbackground, &bg, nullptr);
        return rgb(fg, w) + "\t" + rgb(bg, w);
    }
    if (cmd == "pixel") {
        Geo g = geometryOf(w);
        int x = g.x + num(2), y = g.y + num(3);
        XImage* img = XGetImage(gDpy, DefaultRootWindow(gDpy), x, y, 1, 1, AllPlanes, ZPixmap);
        if (!img) fail("cannot read the screen");
        Pixel p = XGetPixel(img, 0, 0);
        XDestroyImage(img);
        return rgb(p, w);
    }
    if (cmd == "geometry") {
        Geo g = geometryOf(w);
        return geoText(g.x, g.y, g.w, g.h);
    }
    if (cmd == "frame") {
        Widget s = shellOf(w);
        if (!s || !XtIsRealized(s)) fail("shell not realized");
        Window f = frameOf(XtWindow(s));
        XWindowAttributes a;
        XGetWindowAttributes(gDpy, f, &a);
        return geoText(a.x, a.y, a.width + 2 * a.border_width, a.height + 2 * a.border_width);
    }
    if (cmd == "title" || cmd == "iconname") {
        Widget s = shellOf(w);
        if (!s || !XtIsRealized(s)) fail("shell not realized");
        // Whatever the encoding the program's locale chose for it.
        XTextProperty prop{};
        const Atom which = cmd == "title" ? XA_WM_NAME : XA_WM_ICON_NAME;
        std::string out;
        char** list = nullptr;
        int count = 0;
        if (XGetTextProperty(gDpy, XtWindow(s), &prop, which) && prop.value &&
            Xutf8TextPropertyToTextList(gDpy, &prop, &list, &count) >= Success && count > 0)
            out = list[0];
        if (list) XFreeStringList(list);
        if (prop.value) XFree(prop.value);
        return esc(out);
    }
    if (cmd == "click" || cmd == "dblclick") {
        Geo g = geometryOf(w);
        std::string mods = f.size() > 2 ? f[2] : "";
        int dx = f.size() > 3 ? num(3) : g.w / 2;
        int dy = f.size() > 4 ? num(4) : g.h / 2;
        clickAtRoot(g.x + dx, g.y + dy, mods, 1, cmd == "click" ? 1 : 2);
        return "";
    }
    if (cmd == "clickitem") {
        int pos = num(2);
        std::string mods = f.size() > 3 ? f[3] : "";
        if (!XmListPosToBounds(w, pos, nullptr, nullptr, nullptr, nullptr)) {
            settle();
            XmListSetPos(w, pos);
            settle();
        }
        Position x = 0, y = 0;
        Dimension iw = 0, ih = 0;
        if (!XmListPosToBounds(w, pos, &x, &y, &iw, &ih)) fail("list item not visible");
        Geo g = geometryOf(w);
        clickAtRoot(g.x + x + iw / 2, g.y + y + ih / 2, mods, 1, 1);
        return "";
    }
    if (cmd == "wmproto") {
        Widget s = shellOf(w);
        sendProtocol(s, arg(2).c_str());
        return "";
    }
    fail("unknown request " + cmd);
}

std::string handleGlobal(const std::vector<std::string>& f) {
    const std::string& cmd = f[0];
    if (cmd == "type") {
        if (f.size() < 2) fail("missing text");
        typeText(f[1]);
        return "";
    }
    if (cmd == "key") {
        if (f.size() < 2) fail("missing key");
        KeySym ks = XStringToKeysym(f[1].c_str());
        if (ks == NoSymbol) fail("unknown keysym " + f[1]);
        typeKeysym(ks, f.size() > 2 ? f[2] : "");
        XSync(gInput, False);
        return "";
    }
    if (cmd == "drag") {
        if (f.size() < 5) fail("drag needs four numbers");
        drag(std::atoi(f[1].c_str()), std::atoi(f[2].c_str()), std::atoi(f[3].c_str()), std::atoi(f[4].c_str()));
        return "";
    }
    if (cmd == "clickroot") {
        if (f.size() < 3) fail("clickroot needs x y");
        clickAtRoot(std::atoi(f[1].c_str()), std::atoi(f[2].c_str()), f.size() > 3 ? f[3] : "", 1, 1);
        return "";
    }
    return handle(f);
}

void reply(Client* c, const std::string& line) {
    std::string out = line + "\n";
    size_t off = 0;
    while (off < out.size()) {
        ssize_t n = write(c->fd, out.data() + off, out.size() - off);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        off += static_cast<size_t>(n);
    }
}

void closeClient(Client* c) {
    XtRemoveInput(c->id);
    close(c->fd);
    gClients.erase(c->fd);
    delete c;
}

void clientReadable(XtPointer data, int*, XtInputId*) {
    Client* c = static_cast<Client*>(data);
    char buf[4096];
    ssize_t n = read(c->fd, buf, sizeof buf);
    if (n <= 0) {
        if (n < 0 && errno == EINTR) return;
        closeClient(c);
        return;
    }
    c->buf.append(buf, static_cast<size_t>(n));
    size_t nl;
    while ((nl = c->buf.find('\n')) != std::string::npos) {
        std::string line = c->buf.substr(0, nl);
        c->buf.erase(0, nl + 1);
        std::string answer;
        try {
            answer = "ok\t" + handleGlobal(split(line));
        } catch (const Failure& e) {
            answer = "err\t" + esc(e.msg);
        }
        reply(c, answer);
    }
}

void acceptClient(XtPointer, int*, XtInputId*) {
    int fd = accept(gListenFd, nullptr, nullptr);
    if (fd < 0) return;
    Client* c = new Client{fd, 0, {}};
    c->id = XtAppAddInput(gApp, fd, reinterpret_cast<XtPointer>(XtInputReadMask), clientReadable, c);
    gClients[fd] = c;
}

// Keeps the agent out of the program's children (terminals, estimator
// scripts): they must not take over the socket.
void scrubEnvironment() {
    unsetenv("TREV_AGENT_SOCKET");
    unsetenv("TREV_AGENT_DIR");
    const char* pre = getenv("LD_PRELOAD");
    if (!pre) return;
    std::string kept, item;
    std::istringstream in(pre);
    while (in >> item)
        if (item.find("trevagent") == std::string::npos) kept += (kept.empty() ? "" : " ") + item;
    if (kept.empty()) unsetenv("LD_PRELOAD");
    else setenv("LD_PRELOAD", kept.c_str(), 1);
}

void start(XtAppContext app) {
    if (gApp) return;
    std::string sockPath;
    if (const char* path = getenv("TREV_AGENT_SOCKET")) sockPath = path;
    else if (const char* dir = getenv("TREV_AGENT_DIR")) sockPath = std::string(dir) + "/" + std::to_string(getpid()) + ".sock";
    else return;
    scrubEnvironment();
    Display** dpys = nullptr;
    Cardinal n = 0;
    XtGetDisplays(app, &dpys, &n);
    if (n == 0) return;
    gDpy = dpys[0];
    XtFree(reinterpret_cast<char*>(dpys));
    gApp = app;
    gInput = XOpenDisplay(DisplayString(gDpy));
    if (!gInput) return;
    XTestGrabControl(gInput, True);
    XSync(gInput, False);
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (sockPath.size() >= sizeof addr.sun_path) return;
    std::strcpy(addr.sun_path, sockPath.c_str());
    std::string tmp = sockPath + ".tmp";
    unlink(tmp.c_str());
    sockaddr_un tmpAddr = addr;
    if (tmp.size() >= sizeof tmpAddr.sun_path) return;
    std::strcpy(tmpAddr.sun_path, tmp.c_str());
    // Bind under a temporary name and rename, so the socket appears only once
    // it accepts connections.
    if (bind(fd, reinterpret_cast<sockaddr*>(&tmpAddr), sizeof tmpAddr) != 0 || listen(fd, 4) != 0) {
        std::perror("trevagent");
        close(fd);
        return;
    }
    rename(tmp.c_str(), sockPath.c_str());
    gListenFd = fd;
    XtAppAddInput(app, fd, reinterpret_cast<XtPointer>(XtInputReadMask), acceptClient, nullptr);
}

}  // namespace

extern "C" Cursor XCreateFontCursor(Display* d, unsigned int shape) {
    using Fn = Cursor (*)(Display*, unsigned int);
    static Fn real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "XCreateFontCursor"));
    const Cursor c = real(d, shape);
    fontCursors()[c] = shape;
    return c;
}

extern "C" int XDefineCursor(Display* d, Window w, Cursor c) {
    using Fn = int (*)(Display*, Window, Cursor);
    static Fn real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "XDefineCursor"));
    const auto shape = fontCursors().find(c);
    cursorLog()[w].push_back(c == None                      ? "none"
                             : shape != fontCursors().end() ? std::to_string(shape->second)
                                                            : "other");
    return real(d, w, c);
}

extern "C" void XtAppMainLoop(XtAppContext app) {
    using Loop = void (*)(XtAppContext);
    static Loop real = reinterpret_cast<Loop>(dlsym(RTLD_NEXT, "XtAppMainLoop"));
    start(app);
    real(app);
}
