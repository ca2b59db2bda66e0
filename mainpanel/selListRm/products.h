// The product catalogue as the product forms show it: one catalogue per
// process, read from the form's product description file, its products in
// a Motif list (or, on the list form, a text) in one of three orders, the
// selection taken over from the list, the disk figure labels, and the
// selection file written on OK.  A form describes its list in a
// ProductView; the list's callbacks, Select All, Deselect All and the sort
// toggles act on that view.
#pragma once

#include <Xm/Xm.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/fileUtils.h"

// One form's products on the screen.
struct ProductView {
    int kind = 0;                       // selection kind (trev::kSelectKind, ...)
    std::int32_t* orderWord = nullptr;  // the record's word of its order; nullptr: file order
    bool restoreOrder = true;           // starts in the order the record saved
    Widget list = nullptr;              // the product list, or the list form's text
    Widget figure = nullptr;            // required space (2) or space freed (9); or nullptr
    Widget freeDisk = nullptr;          // the available space (2); or nullptr
    Widget toggles[3] = {};             // the sort toggles, by order code
};

struct SortNames {
    const char *head, *choice, *byName, *bySize, *byStatus;
};

struct ListAreaNames {
    const char *frame, *form, *heading, *list;
    SortNames sort;
    const char *selAll, *deselAll;
};

// The "Sort By" label and beside it a horizontal radio box of the three
// orders, at the bottom left of `parent`, wired to `view`.  Returns the box.
Widget buildSortChoice(ProductView& view, Widget parent, const SortNames& names);

// A scrolled product list (extended selection) in `parent`, wired to
// `view`; the caller attaches its scrolled window (XtParent of the list).
Widget buildProductList(ProductView& view, Widget parent, const char* name);

// Select All and Deselect All of `view`, side by side, the first `offset`
// right of `left` (nullptr: the parent's left edge), at the bottom of
// `parent`.  Returns Select All.
Widget buildSelectButtons(ProductView& view, Widget parent, Widget left, const char* selAll,
                          const char* deselAll);

// A framed area in `parent` from below `above` down to its bottom (the
// caller may attach the frame's bottom elsewhere): the column heading, the
// list, which takes any height the area gains, and under it the sort
// choice beside Select All and Deselect All.  Returns the frame.
Widget buildListArea(ProductView& view, Widget parent, Widget above, const ListAreaNames& names);

// Reads the product description file `path` ("Cannot open file <path>" and
// exit 1 when it cannot be opened) and builds the three orders and each
// product's list item ("%6d  %-9s  %s", or the bare title with
// `plainItems`).  A line in the wrong format is reported and ends the
// read; the products before it are shown.
void readProducts(const char* path, bool plainItems);

// Resolves every product's packages and every package's size and
// references for the selection kind, then the installed usage.  Ends the
// program with status 1 when the catalogue cannot be read.
void readPackages(int kind);

// The form's first display: its figures, and the products in the order
// the record saved (when the view restores it, the record was read and
// holds an order; else by name),
// which becomes the record's order word and is set on the toggles.
void showProducts(ProductView& view);

// Shows a disk figure in `label` ("%d KBytes" in 15 characters, at most
// 99999999); a value below 0 turns the available space label (or `label`
// on a form without one) to the warning colours, one of 0 or more back.
void showFigure(const ProductView& view, Widget label, std::int64_t value);

// OK of a selecting form (client data: its ProductView): the no-selection
// note when nothing is selected; otherwise the selection file is written
// and the form ends with 0.
void productsOkCB(Widget, XtPointer view, XtPointer);

// The names of the selected products, for cleanExit; nothing when the
// product list is empty.
std::optional<std::vector<std::string>> selectedProductNamesOfList();

// Opens a catalogue file named on the command line for reading: "Cannot
// open file <path>" with the system's reason and exit 1 when it cannot be.
trev::FilePtr openCatalogueFile(const char* path);
