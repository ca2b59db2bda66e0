// Small operations on widgets that every window of the programs uses:
// labels, texts, toggles, children, focus and sizes.
#pragma once

#include <Xm/Xm.h>

#include <cstdint>

#include <string>
#include <vector>

namespace kit {

// A label's (or button's) text; nothing happens for a null widget.
void setLabel(Widget w, const std::string& text);

// A text field's contents; nothing happens for a null widget.
void setText(Widget w, const std::string& text);

// A text field's contents with its end in view and the insertion cursor
// there: of a long path, the file name shows.
void setTextShowEnd(Widget w, const std::string& text);

// A text field's contents; empty for a null widget.
std::string fieldText(Widget w);

// Sets or clears a toggle without running its value-changed callbacks.
void setToggle(Widget toggle, bool on);

// A composite's children.
std::vector<Widget> childrenOf(Widget w);

// The height the widget asks for; 0 when it asks for none.
Dimension preferredHeight(Widget w);

// Makes every child of `area` as wide as the widest; nullptr is ignored.
// The children keep that width when their parent lays them out again.
void equalWidths(Widget area);

// Gives the first keyboard focus inside `top` to `w`, a descendant of it.
void setFirstFocus(Widget w, Widget top);

// Calls `cb` with `data` on every activation of `button`.
void onActivate(Widget button, XtCallbackProc cb, XtPointer data = nullptr);

// Calls `cb` with `data` whenever `toggle` changes.
void onChange(Widget toggle, XtCallbackProc cb, XtPointer data = nullptr);

// Client data that carries a small number (an exit code, an index).
inline XtPointer number(int n) { return reinterpret_cast<XtPointer>(static_cast<std::intptr_t>(n)); }
inline int numberOf(XtPointer p) { return static_cast<int>(reinterpret_cast<std::intptr_t>(p)); }

}  // namespace kit
