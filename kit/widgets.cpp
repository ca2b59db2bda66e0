#include "widgets.h"

#include <Xm/Text.h>
#include <Xm/ToggleB.h>
#include <Xm/ToggleBG.h>

#include "raii.h"

namespace kit {

void setLabel(Widget w, const std::string& text) {
    if (!w) return;
    const XmStr s(text);
    XtVaSetValues(w, XmNlabelString, static_cast<XmString>(s), nullptr);
}

void setText(Widget w, const std::string& text) {
    if (w) XmTextSetString(w, const_cast<char*>(text.c_str()));
}

void setTextShowEnd(Widget w, const std::string& text) {
    if (!w) return;
    setText(w, text);
    const XmTextPosition end = XmTextGetLastPosition(w);
    XmTextSetInsertionPosition(w, end);
    XmTextShowPosition(w, end);
}

std::string fieldText(Widget w) {
    if (!w) return {};
    const XtPtr<char> s(XmTextGetString(w));
    return s ? std::string(s.get()) : std::string();
}

void setToggle(Widget toggle, bool on) {
    if (!toggle) return;
    if (XmIsToggleButtonGadget(toggle))
        XmToggleButtonGadgetSetState(toggle, on ? True : False, False);
    else
        XmToggleButtonSetState(toggle, on ? True : False, False);
}

std::vector<Widget> childrenOf(Widget w) {
    WidgetList children = nullptr;
    Cardinal count = 0;
    XtVaGetValues(w, XmNchildren, &children, XmNnumChildren, &count, nullptr);
    return std::vector<Widget>(children, children + count);
}

Dimension preferredHeight(Widget w) {
    XtWidgetGeometry pref{};
    XtQueryGeometry(w, nullptr, &pref);
    return (pref.request_mode & CWHeight) ? pref.height : 0;
}

void equalWidths(Widget area) {
    if (!area) return;
    const std::vector<Widget> children = childrenOf(area);
    Dimension widest = 0;
    for (Widget c : children) {
        Dimension w = 0;
        XtVaGetValues(c, XmNwidth, &w, nullptr);
        if (w > widest) widest = w;
    }
    for (Widget c : children) XtVaSetValues(c, XmNrecomputeSize, False, XmNwidth, widest, nullptr);
}

void setFirstFocus(Widget w, Widget top) {
    for (; w && w != top; w = XtParent(w)) XtVaSetValues(XtParent(w), XmNinitialFocus, w, nullptr);
}

void onActivate(Widget button, XtCallbackProc cb, XtPointer data) {
    if (button && cb) XtAddCallback(button, XmNactivateCallback, cb, data);
}

void onChange(Widget toggle, XtCallbackProc cb, XtPointer data) {
    if (toggle && cb) XtAddCallback(toggle, XmNvalueChangedCallback, cb, data);
}

}  // namespace kit
