// Pieces the product forms are built from: the heading (logo, maker's name,
// title), the framed product list with its sort choice and Select All /
// Deselect All, and action buttons at fixed places of the action area.
// Every widget takes the name the form gives it.
#pragma once

#include <Xm/Xm.h>

struct FormHeading {
    Widget logo = nullptr, orvanta = nullptr, title = nullptr;
};

// The logo at the top left of `upper`, the maker's name beside it and the
// title after that (all label gadgets).
FormHeading createFormHeading(Widget upper, const char* logoName, const char* orvantaName,
                              const char* titleName);

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

struct ProductListArea {
    Widget frame = nullptr, form = nullptr, heading = nullptr, list = nullptr;
    Widget sortHead = nullptr, sortChoice = nullptr;
    Widget byName = nullptr, bySize = nullptr, byStatus = nullptr;
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

// Sets the toggle of `order` (0 name, 1 size, 2 status) and clears the
// others, without notification.
void setOrderToggles(const ProductListArea& area, int order);

// A button of the action area, its left edge at `position` percent of the
// area's width.
Widget createActionButton(Widget action, const char* name, WidgetClass cls, int position);
