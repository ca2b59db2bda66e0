// The product catalogue as the product forms show it: one catalogue per
// process, read from the form's product description file, its products in
// a Motif list (or a text) in one of three orders, the selection taken over
// from the list, the disk figure labels, and the selection file written on
// OK.  Every product form (select, remove, list, configure, test) builds on
// these; the form passes its own list and label widgets and its selection
// kind (2 select, 9 remove, 11/12/13 configure system, configure user, test).
#pragma once

#include <Xm/Xm.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/catalogue.h"
#include "core/prodList.h"

// The catalogue of this process and its products in order; set by
// readProdDescFile.
extern std::unique_ptr<trev::Catalogue> catalogue;
extern std::unique_ptr<trev::ProductSelection> prodSelection;

// Reads the product description file `path` (opened with report; "Cannot
// open file <path>" and exit 1 when it cannot be), builds the three orders
// and each product's list item ("%6d  %-9s  %s", or the bare title with
// `plainItems`), and builds the form's no-selection note as a child of
// parentWidget.  A line in the wrong format is reported and ends the read;
// the products before it are shown.
void readProdDescFile(const char* path, int plainItems);

// Resolves every product's packages and every package's size and
// references for form type `formType`, then the installed usage.  Ends the
// program with status 1 when the catalogue cannot be read.
void buildProdSizeInfo(int formType);

// Shows the products in `list` in `order` and marks the selected ones;
// `fresh` 1 on the form's first display, 0 on a change of order.
void dispProdList(Widget list, int order, int fresh);
// Shows the products as lines of the read-only text widget `text`.
void dispProdText(Widget text, int order);

// The selection operations of the list callbacks.  `label` is the form's
// figure label (the required space for kind 2, the space freed for kind 9,
// nullptr for the picking forms); kind 2 also updates selProdFreeDiskV and
// numSelNames.
void getSelList(Widget list, Widget label, int kind);
void selectAllProd(Widget list, Widget label, int kind);
void deselectAllProd(Widget list, Widget label, int kind);

// Shows the disk figures of `kind` as getSelList does (the form's start).
void showDiskFigures(Widget label, int kind);

// OK of a selecting form: the no-selection note when nothing is selected;
// otherwise the selection file is written and the form ends with 0.
void processSelProd();

// The order a sorting form starts with: its saved order word when the
// status record was read and the word is an order, else by name.
int savedProdOrder(std::int32_t orderWord);

// A sort toggle's notification: when `order` differs from the form's order
// word, stores it and shows the products in `view` in that order; `view` is
// the form's product list, or the read-only text of the list form.
void changeProdOrder(std::int32_t& orderWord, int order, Widget view);

// Shows a disk figure in `label`: "%d KBytes" in 15 characters, at most
// 99999999; a value below 0 turns the available space label to the warning
// colours, a value of 0 or more turns them back.
void updateDiskUsageLabel(Widget label, std::int64_t value);

// Writes the selected products to the product selection file
// (prodDescOutFile) in catalogue order and closes it.  After the Load
// Products form the lines also go to form.status after the record.
// Returns false after a message when the file could not be written.
bool writeProdDescFile();

// Opens a catalogue file named on the command line for reading: "Cannot
// open file <path>" with the system's reason and exit 1 when it cannot be.
trev::FilePtr openCatalogueFile(const char* path);

// Fills the text widget with the display names of a hold-product file.
void readHoldProdFile(std::FILE* stream, Widget text);

// The names of the selected products, for cleanExit; nothing when the
// product list is empty.
std::optional<std::vector<std::string>> selectedProductNamesOfList();

// The path of the product selection file, for messages; set by the form's
// start.
extern std::string prodDescOutPath;
