// Pieces the product forms are built from: the outer areas, the heading
// (logo, maker's name, title), the sort choice, the framed product list with
// its sort choice and Select All / Deselect All, read-only texts, and action
// buttons at fixed places of the action area.  Every widget takes the name
// the form gives it.
#pragma once

#include <Xm/Xm.h>

#include <initializer_list>

struct FormAreasNames {
    const char* outer;       // the outer layout form
    const char* upper;       // the area above the separator
    const char* separator;
    const char* action;      // the action area
};

struct FormAreas {
    Widget outer = nullptr, upper = nullptr, separator = nullptr, action = nullptr;
};

// The outer form of `shell` (left unmanaged: the caller manages it once the
// body is built) with the action area at the bottom, the separator above it
// and the upper area from the top down to the separator, so that the upper
// area takes any height the window gains.
FormAreas createFormAreas(Widget shell, const FormAreasNames& names);

struct FormHeading {
    Widget logo = nullptr, orvanta = nullptr, title = nullptr;
};

// The logo at the top left of `upper`, the maker's name beside it and the
// title after that (all label gadgets).
FormHeading createFormHeading(Widget upper, const char* logoName, const char* orvantaName,
                              const char* titleName);

struct SortChoiceNames {
    const char* sortHead;     // "Sort By"
    const char* sortChoice;   // the radio box
    const char* byName;
    const char* bySize;
    const char* byStatus;
};

struct SortChoice {
    Widget sortHead = nullptr, sortChoice = nullptr;
    Widget byName = nullptr, bySize = nullptr, byStatus = nullptr;
};

// At the bottom left of the form `parent`: the "Sort By" label and beside it
// a horizontal radio box of the three orders that always keeps one toggle
// set ("by name" set).
SortChoice createSortChoice(Widget parent, const SortChoiceNames& names);

// Sets the toggle of `order` (0 name, 1 size, 2 status) and clears the
// others, without notification.
void setOrderToggles(const SortChoice& choice, int order);

struct ProductListAreaNames {
    const char* frame;        // the frame around the area
    const char* form;         // the area
    const char* heading;      // the column heading label
    const char* list;         // the scrolled list
    const char* sortHead;     // "Sort By"
    const char* sortChoice;   // the radio box
    const char* byName;
    const char* bySize;
    const char* byStatus;
    const char* selAll;
    const char* deselAll;
};

struct ProductListArea : SortChoice {
    Widget frame = nullptr, form = nullptr, heading = nullptr, list = nullptr;
    Widget selAll = nullptr, deselAll = nullptr;
};

// A framed area in `parent` from below `above` down to the bottom (the
// caller may attach its bottom elsewhere): the column heading, the list
// (extended selection), which takes any height the area gains, and under it
// the sort choice (a horizontal radio box that always keeps one toggle set,
// "by name" set) beside Select All and Deselect All.  The list holds the
// items of its resources until the catalogue is shown.
ProductListArea createProductListArea(Widget parent, Widget above,
                                      const ProductListAreaNames& names);

// Registers `cb` for the selection notifications of a product list in
// extended selection (extended and multiple selection).
void addListSelectionCallback(Widget list, XtCallbackProc cb);

// A read-only scrolled text of `columns` by `rows` in `parent`; the caller
// attaches its scrolled window (XtParent of the text).
Widget createReadOnlyText(Widget parent, const char* name, short columns, short rows);

// A button of the action area, its left edge at `position` percent of the
// area's width.
Widget createActionButton(Widget action, const char* name, WidgetClass cls, int position);

// The buttons of an action area spread evenly over its width, in order;
// each is stored in its handle and calls `cb` with `data` when pressed.
struct ActionButton {
    const char* name;
    WidgetClass cls;
    Widget* handle;
    XtCallbackProc cb;
    XtPointer data = nullptr;
};
void createActionButtons(Widget action, std::initializer_list<ActionButton> buttons);
