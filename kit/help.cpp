#include "help.h"

#include <X11/Shell.h>
#include <Xm/Form.h>
#include <Xm/PushB.h>
#include <Xm/SeparatoG.h>
#include <Xm/Text.h>

#include <algorithm>
#include <string>

#include "widgets.h"

namespace kit {

Widget buildHelpWindow(Widget parent, const HelpSpec& spec, XtCallbackProc close,
                       XtPointer closeData) {
    const std::string p = spec.prefix;
    Widget shell = XtVaCreatePopupShell((p + "HelpTextWin").c_str(), topLevelShellWidgetClass,
                                        parent, XmNiconName, "Trevalon Help", nullptr);
    const std::string layoutName = spec.layout ? spec.layout : p + "HelpTextWinDialog";
    Widget layout = XtVaCreateWidget(layoutName.c_str(), xmFormWidgetClass, shell, nullptr);
    Widget closeButton = XtVaCreateManagedWidget(
        (p + "HelpTextWinClose").c_str(), xmPushButtonWidgetClass, layout,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_POSITION, XmNleftPosition, 40, nullptr);
    // The separator has the same name in every help window, each inside its
    // own uniquely named layout form.
    Widget separator = XtVaCreateManagedWidget(
        "widget300", xmSeparatorGadgetClass, layout,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, closeButton, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    Widget text = XmCreateScrolledText(layout, const_cast<char*>((p + "HelpText").c_str()),
                                       nullptr, 0);
    XtVaSetValues(XtParent(text),
                  XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 10,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                  XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                  XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, separator,
                  XmNbottomOffset, 13, nullptr);
    XtManageChild(text);
    onActivate(closeButton, close, closeData);
    if (spec.closeIsDefault) XtVaSetValues(layout, XmNdefaultButton, closeButton, nullptr);
    // Escape closes the window.
    XtVaSetValues(layout, XmNcancelButton, closeButton, nullptr);
    XtManageChild(layout);
    return shell;
}

namespace {

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
};

// The window manager's frame around a realized shell (the shell itself
// when it has none): the outermost window below the root that holds it.
Box frameOf(Widget shell) {
    Display* d = XtDisplay(shell);
    Window w = XtWindow(shell), root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    for (;;) {
        if (!XQueryTree(d, w, &root, &parent, &children, &count)) break;
        if (children) XFree(children);
        if (parent == root || parent == 0) break;
        w = parent;
    }
    XWindowAttributes a{};
    XGetWindowAttributes(d, w, &a);
    return {a.x, a.y, a.width + 2 * a.border_width, a.height + 2 * a.border_width};
}

}  // namespace

void popupBeside(Widget help) {
    constexpr int kGap = 10;
    Widget owner = XtParent(help);
    while (owner && !XtIsShell(owner)) owner = XtParent(owner);
    XWindowAttributes shown{};
    const bool up = XtIsRealized(help) &&
                    XGetWindowAttributes(XtDisplay(help), XtWindow(help), &shown) &&
                    shown.map_state != IsUnmapped;
    // A window already up stays where the user has it.
    if (!up && owner && XtIsRealized(owner) && XtIsRealized(help)) {
        // The owner's frame; the help window's frame is taken to add as
        // much around it.  Positions are the frames' (as mwm places).
        const Box o = frameOf(owner);
        Dimension ow = 0, oh = 0, hw = 0, hh = 0;
        XtVaGetValues(owner, XmNwidth, &ow, XmNheight, &oh, nullptr);
        XtVaGetValues(help, XmNwidth, &hw, XmNheight, &hh, nullptr);
        const int fw = hw + (o.width - ow), fh = hh + (o.height - oh);
        const int sw = WidthOfScreen(XtScreen(help)), sh = HeightOfScreen(XtScreen(help));
        // Right of the owner, left of it, below it, above it (frames), each
        // moved onto the screen: the first that covers least of the owner.
        const int places[][2] = {{o.x + o.width + kGap, o.y}, {o.x - kGap - fw, o.y},
                                 {o.x, o.y + o.height + kGap}, {o.x, o.y - kGap - fh}};
        long best = -1;
        int x = 0, y = 0;
        for (const auto& p : places) {
            const int px = std::clamp(p[0], 0, std::max(0, sw - fw));
            const int py = std::clamp(p[1], 0, std::max(0, sh - fh));
            const long cover =
                static_cast<long>(std::max(0, std::min(px + fw, o.x + o.width) - std::max(px, o.x))) *
                std::max(0, std::min(py + fh, o.y + o.height) - std::max(py, o.y));
            if (best < 0 || cover < best) {
                best = cover;
                x = px;
                y = py;
            }
        }
        XtVaSetValues(help, XmNx, static_cast<Position>(x), XmNy, static_cast<Position>(y), nullptr);
        // The window manager keeps it with its owner.
        XSetTransientForHint(XtDisplay(help), XtWindow(help), XtWindow(owner));
    }
    XtPopup(help, XtGrabNone);
}

void fixHelpWidth(Widget help) {
    constexpr Dimension kHelpWidth = 540;
    // Realized first, the shell takes the height its contents want; a shell
    // given only a width before that would come up one pixel high.
    XtRealizeWidget(help);
    XtVaSetValues(help, XmNwidth, kHelpWidth, XmNmaxWidth, kHelpWidth, nullptr);
}

}  // namespace kit
