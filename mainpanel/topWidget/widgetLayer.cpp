// Colours, the logo, action buttons, window placement and window-manager
// protocols: the small layer every form is presented with.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <Xm/Protocols.h>

#include <cstring>
#include <vector>

#include "core/geometry.h"
#include "globals.h"
#include "topWidget/topWidget.h"

Pixel getFgBgColor(const char* name) {
    const Pixel none = ~Pixel{0};
    if (!name) return none;
    const int screen = DefaultScreen(display);
    Colormap cmap = DefaultColormap(display, screen);
    XColor color;
    if (!XParseColor(display, cmap, name, &color)) return none;
    if (!XAllocColor(display, cmap, &color)) return none;
    return color.pixel;
}

void resizeActionButton(Widget area) {
    if (!area) return;
    WidgetList children = nullptr;
    Cardinal count = 0;
    XtVaGetValues(area, XmNchildren, &children, XmNnumChildren, &count, nullptr);
    Dimension widest = 0;
    for (Cardinal i = 0; i < count; ++i) {
        Dimension w = 0;
        XtVaGetValues(children[i], XmNwidth, &w, nullptr);
        if (w > widest) widest = w;
    }
    // Buttons keep the width given here instead of shrinking back to their
    // label when their parent lays them out again.
    for (Cardinal i = 0; i < count; ++i)
        XtVaSetValues(children[i], XmNrecomputeSize, False, XmNwidth, widest, nullptr);
}

void adjustWindowLoc() {
    Dimension w = 0, h = 0;
    int minWidth = 0;
    XtVaGetValues(parentWidget, XmNwidth, &w, XmNheight, &h, XmNminWidth, &minWidth, nullptr);
    // A form whose contents want less than its minimum width is shown at the
    // minimum (the window manager enforces it); place and record it at that
    // width, or the window manager's own pull from the screen's edge would
    // later pass for a move by the user.
    if (minWidth > 0 && w < minWidth) {
        w = static_cast<Dimension>(minWidth);
        XtVaSetValues(parentWidget, XmNwidth, w, nullptr);
    }
    const trev::Placement p =
        trev::placeWindow(formStatusRec, *currentWinS, w, h, screenWidth, screenHeight);
    if (p.setSize)
        XtVaSetValues(parentWidget, XmNwidth, static_cast<Dimension>(p.width), XmNheight,
                      static_cast<Dimension>(p.height), nullptr);
    XtVaSetValues(parentWidget, XmNx, static_cast<Position>(p.x), XmNy,
                  static_cast<Position>(p.y), nullptr);
}

void setFirstFocus(Widget w, Widget top) {
    for (; w && w != top; w = XtParent(w)) XtVaSetValues(XtParent(w), XmNinitialFocus, w, nullptr);
}

namespace {

Atom deleteWindowAtom() {
    static Atom deleteWindow =
        XmInternAtom(display, const_cast<char*>("WM_DELETE_WINDOW"), False);
    return deleteWindow;
}

}  // namespace

void addWinDestroyCallback(Widget shell, XtCallbackProc cb, XtPointer clientData) {
    static Atom protocols = XmInternAtom(display, const_cast<char*>("WM_PROTOCOLS"), False);
    static Atom saveYourself =
        XmInternAtom(display, const_cast<char*>("WM_SAVE_YOURSELF"), False);
    XmAddProtocolCallback(shell, protocols, deleteWindowAtom(), cb, clientData);
    XmAddProtocolCallback(shell, protocols, saveYourself, cb, clientData);
}

bool isDeleteWindow(XtPointer callData) {
    const auto* cbs = static_cast<const XmAnyCallbackStruct*>(callData);
    return cbs && cbs->event && cbs->event->type == ClientMessage &&
           static_cast<Atom>(cbs->event->xclient.data.l[0]) == deleteWindowAtom();
}

void installLogoImage() {
    // The image cache keeps the image and its data for the whole run.
    static unsigned char data[kLogoBytes];
    std::memcpy(data, Logo_bits, sizeof data);
    const int screen = DefaultScreen(display);
    XImage* image = XCreateImage(display, DefaultVisual(display, screen), 1, XYBitmap, 0,
                                 reinterpret_cast<char*>(data), kLogoWidth, kLogoHeight, 8,
                                 kLogoBytes / kLogoHeight);
    if (!image) return;
    image->byte_order = LSBFirst;
    image->bitmap_bit_order = LSBFirst;
    XmInstallImage(image, const_cast<char*>(kLogoImageName));
}

void setLogoPixmap(Widget label) {
    static bool allocated = false;
    const int screen = DefaultScreen(display);
    if (!allocated) {
        const Pixel none = ~Pixel{0};
        defFgColor = getFgBgColor("#808000000000");
        if (defFgColor == none) defFgColor = BlackPixel(display, screen);
        defBgColor = getFgBgColor("#e0e0e0e0e0e0");
        if (defBgColor == none) defBgColor = WhitePixel(display, screen);
        allocated = true;
    }
    Pixmap logo = XCreatePixmapFromBitmapData(
        display, rootWin, reinterpret_cast<char*>(const_cast<unsigned char*>(Logo_bits)),
        kLogoWidth, kLogoHeight, defFgColor, defBgColor,
        static_cast<unsigned>(DefaultDepth(display, screen)));
    XtVaSetValues(label, XmNlabelType, XmPIXMAP, XmNlabelPixmap, logo, nullptr);
}
