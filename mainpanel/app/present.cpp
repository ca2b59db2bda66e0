#include "app/present.h"

#include <X11/Shell.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cstring>

#include "app/exitProtocol.h"
#include "app/form.h"
#include "app/globals.h"
#include "core/geometry.h"
#include "kit/widgets.h"
#include "kit/wm.h"

namespace {

// Room a window manager's frame takes around a window, at most.
constexpr int kFrameRoom = 40;

// Restores the current form's saved size and places its shell (realized,
// not yet mapped) from the status record.  The size at which all of the
// form shows, within the screen, is its smallest.
void adjustWindowLoc(int minWidth) {
    Dimension w = 0, h = 0;
    XtVaGetValues(parentWidget, XmNwidth, &w, XmNheight, &h, nullptr);
    // A form whose contents want less than its minimum width is shown at the
    // minimum (the window manager enforces it); place and record it at that
    // width, or the window manager's own pull from the screen's edge would
    // later pass for a move by the user.
    w = static_cast<Dimension>(std::min(std::max<int>(w, minWidth), screenWidth - kFrameRoom));
    h = static_cast<Dimension>(std::min<int>(h, screenHeight - kFrameRoom));
    XtVaSetValues(parentWidget, XmNwidth, w, XmNheight, h, XmNminWidth, w, XmNminHeight, h,
                  nullptr);
    const trev::Placement p =
        trev::placeWindow(formStatusRec, *currentWinS, w, h, screenWidth, screenHeight);
    if (p.setSize)
        XtVaSetValues(parentWidget, XmNwidth, static_cast<Dimension>(p.width), XmNheight,
                      static_cast<Dimension>(p.height), nullptr);
    XtVaSetValues(parentWidget, XmNx, static_cast<Position>(p.x), XmNy,
                  static_cast<Position>(p.y), nullptr);
}

// The logo drawn in the label's own colours (the resources').
void setLogoPixmap(Widget label) {
    Pixel fg = 0, bg = 0;
    XtVaGetValues(label, XmNforeground, &fg, XmNbackground, &bg, nullptr);
    Pixmap logo = XCreatePixmapFromBitmapData(
        display, rootWin, reinterpret_cast<char*>(const_cast<unsigned char*>(Logo_bits)),
        kLogoWidth, kLogoHeight, fg, bg, static_cast<unsigned>(DefaultDepth(display, defScreen)));
    XtVaSetValues(label, XmNlabelType, XmPIXMAP, XmNlabelPixmap, logo, nullptr);
}

void helpClosedCB(Widget, XtPointer clientData, XtPointer callData) {
    if (!kit::isDeleteWindow(callData)) return;
    buildHelp(*static_cast<HelpHome*>(clientData));
}

// The form's own help window; its parent is the form's shell.
HelpHome formHelp{{}, &parentWidget, &helpWidget};

}  // namespace

void installLogoImage() {
    // The image cache keeps the image and its data for the whole run.
    static unsigned char data[kLogoBytes];
    std::memcpy(data, Logo_bits, sizeof data);
    XImage* image = XCreateImage(display, DefaultVisual(display, defScreen), 1, XYBitmap, 0,
                                 reinterpret_cast<char*>(data), kLogoWidth, kLogoHeight, 8,
                                 kLogoBytes / kLogoHeight);
    if (!image) return;
    image->byte_order = LSBFirst;
    image->bitmap_bit_order = LSBFirst;
    XmInstallImage(image, const_cast<char*>("orvantaLogo"));
}

void buildHelp(HelpHome& home) {
    Widget help = *home.handle =
        kit::buildHelpWindow(*home.parent, home.spec, XDpopdown_link, home.handle);
    kit::fixHelpWidth(help);
    kit::onClose(help, helpClosedCB, &home);
}

void presentForm(const char* title, int minWidth, const kit::HelpSpec& help) {
    XtSetMappedWhenManaged(parentWidget, False);
    XtRealizeWidget(parentWidget);
    XtVaSetValues(parentWidget, XmNtitle, title, nullptr);
    if (logoWidget) setLogoPixmap(logoWidget);
    if (help) {
        formHelp.spec = help;
        buildHelp(formHelp);
    }
    XSetIconName(display, XtWindow(parentWidget), "Trevalon Menu");
    kit::equalWidths(actionWidget);
    adjustWindowLoc(minWidth);
    XtMapWidget(parentWidget);
    XtAddEventHandler(parentWidget, StructureNotifyMask, False, windowConfHandlerCB, nullptr);
    kit::onClose(parentWidget, topWinDestroyCB);
    XSync(display, False);
}

Widget createFormShell() {
    return XtVaAppCreateShell(appName, "Trevalon", applicationShellWidgetClass, display, nullptr);
}

void makeCurrentForm(Widget shell, const kit::Frame& frame) {
    parentWidget = shell;
    actionWidget = frame.row;
    logoWidget = frame.logo;
}
