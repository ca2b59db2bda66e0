// The product lists of the product forms: the three orders (by name, that
// is file order; by size; by status), the list lines, and the selection
// operations the forms' callbacks share.  The list and the figure labels
// are reached through two small interfaces, so that this logic runs the
// same over Motif widgets and in the unit tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue.h"
#include "diskUsage.h"

namespace trev {

// Order codes, as the status record stores them.
constexpr int kOrderByName = 0;
constexpr int kOrderBySize = 1;
constexpr int kOrderByStatus = 2;
inline bool validOrder(std::int32_t order) { return order >= kOrderByName && order <= kOrderByStatus; }

// Selection kinds the forms pass: 2 select products and documents, 9 remove
// products, 11, 12, 13 configure system, configure user, test.  Only 2 and 9
// keep disk figures.
constexpr int kSelectKind = kInstallKind;
constexpr int kConfigSysKind = 11;
constexpr int kConfigUserKind = 12;
constexpr int kTestKind = 13;

// "%6d  %-9s  %s": size, status, title.
std::string productListLine(const ProductRecord& p);
// The same lines, each ending in a line feed, of the products in `order`.
std::string productTextLines(const std::vector<ProductRecord*>& order);

// A list of products on the screen; positions are 1-based.
class ListView {
public:
    virtual ~ListView() = default;
    // Shows `products` (the array of order `order`, 0 to 2).  `fresh`:
    // every item is replaced (the form's first display); otherwise the
    // selection is cleared and the items are replaced in place.
    virtual void showProducts(int order, const std::vector<ProductRecord*>& products,
                              bool fresh) = 0;
    // The selected positions, ascending.
    virtual std::vector<int> selectedPositions() = 0;
    // Makes exactly these positions (ascending) the selection, without
    // notifying the form.
    virtual void setSelectedPositions(const std::vector<int>& positions) = 0;
    virtual void deselectAll() = 0;
};

// A label that shows a disk figure in KBytes.
class FigureView {
public:
    virtual ~FigureView() = default;
    virtual void showFigure(std::int64_t value) = 0;
};

// The products of a form in their three orders, which of them is shown, and
// the selection.  The selection lives in the products' `selected` flags, so
// it survives a change of order.
class ProductSelection {
public:
    // Orders the catalogue's products.  With `plainItems` (forms that show
    // bare titles) every order stays the file order.
    ProductSelection(Catalogue& cat, bool plainItems);

    Catalogue& cat;
    std::vector<ProductRecord*> prodByName, prodBySize, prodByStatus;
    const std::vector<ProductRecord*>* currentProdList;
    int numProdSelected = 0;

    // The select forms (kind 2) also keep these up to date: the available
    // space label and the record's count of selected names.
    FigureView* freeDiskLabel = nullptr;
    std::int32_t* numSelNames = nullptr;

    // The array of an order code (by name for any other code).
    const std::vector<ProductRecord*>& productsIn(int order) const;

    // Shows the products in `order` (by name for a code that is no order)
    // and marks the selected ones.
    void dispProdList(ListView& list, int order, bool fresh);
    // Makes `order` the current one and returns its text lines.
    std::string dispProdText(int order);

    // Takes over the list's current selection.
    void getSelList(ListView& list, FigureView* label, int kind);
    void selectAllProd(ListView& list, FigureView* label, int kind);
    void deselectAllProd(ListView& list, FigureView* label, int kind);
    // Whether OK may go on: something is selected.
    bool processSelProd() const { return numProdSelected != 0; }

    // Shows the disk figures of `kind` on `label` (and, for kind 2, on the
    // available space label).
    void showFigures(FigureView* label, int kind) const;

    // Selects again the products named in `names` (saved by an earlier run
    // of the select form): walking the products in file order, a "failed"
    // product whose name is one not yet used takes that name.  Returns how
    // many were selected.
    int restoreSelection(const std::vector<std::string>& names);

    // The names of the selected products in file order.
    std::vector<std::string> selectedNames() const;

private:
    void setNumSelNames(std::size_t n) const;
};

}  // namespace trev
