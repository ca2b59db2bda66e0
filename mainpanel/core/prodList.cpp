#include "prodList.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

namespace trev {

namespace {

// Failed products first, then available, then installed, by the first
// letter of the status; any other status comes last.
int statusRank(const ProductRecord& p) {
    switch (p.status.empty() ? '\0' : p.status[0]) {
    case 'f': return 0;
    case 'a': return 1;
    case 'i': return 2;
    default: return 3;
    }
}

}  // namespace

std::string productListLine(const ProductRecord& p) {
    char head[40];
    std::snprintf(head, sizeof head, "%6d  %-9s  ", static_cast<int>(p.size), p.status.c_str());
    return head + p.title;
}

std::string productTextLines(const std::vector<ProductRecord*>& order) {
    std::string text;
    for (const ProductRecord* p : order) text += productListLine(*p) + '\n';
    return text;
}

ProductSelection::ProductSelection(Catalogue& c, bool plainItems) : cat(c) {
    prodByName.reserve(cat.products.size());
    for (ProductRecord& p : cat.products) prodByName.push_back(&p);
    prodBySize = prodByName;
    prodByStatus = prodByName;
    if (!plainItems) {
        // Stable: products that compare equal keep their file order.
        std::stable_sort(prodBySize.begin(), prodBySize.end(),
                         [](const ProductRecord* a, const ProductRecord* b) { return a->size < b->size; });
        std::stable_sort(prodByStatus.begin(), prodByStatus.end(),
                         [](const ProductRecord* a, const ProductRecord* b) {
                             return statusRank(*a) < statusRank(*b);
                         });
    }
    currentProdList = &prodByName;
}

const std::vector<ProductRecord*>& ProductSelection::productsIn(int order) const {
    switch (order) {
    case kOrderBySize: return prodBySize;
    case kOrderByStatus: return prodByStatus;
    default: return prodByName;
    }
}

void ProductSelection::dispProdList(ListView& list, int order, bool fresh) {
    const int shown = validOrder(order) ? order : kOrderByName;
    currentProdList = &productsIn(shown);
    list.showProducts(shown, *currentProdList, fresh);
    std::vector<int> positions;
    for (std::size_t i = 0; i < currentProdList->size(); ++i)
        if ((*currentProdList)[i]->selected) positions.push_back(static_cast<int>(i + 1));
    if (!positions.empty()) list.setSelectedPositions(positions);
}

std::string ProductSelection::dispProdText(int order) {
    currentProdList = &productsIn(order);
    return productTextLines(*currentProdList);
}

void ProductSelection::setNumSelNames(std::size_t n) const {
    if (numSelNames) *numSelNames = static_cast<std::int32_t>(n);
}

void ProductSelection::showFigures(FigureView* label, int kind) const {
    if (kind == kInstallKind) {
        if (label) label->showFigure(requiredSpace(cat));
        if (freeDiskLabel) freeDiskLabel->showFigure(availableSpace(cat));
    } else if (kind == kRemoveKind) {
        if (label) label->showFigure(freedSpace(cat));
    }
}

void ProductSelection::getSelList(ListView& list, FigureView* label, int kind) {
    const std::vector<int> positions = list.selectedPositions();
    auto next = positions.begin();
    for (std::size_t i = 0; i < currentProdList->size(); ++i) {
        const int pos = static_cast<int>(i + 1);
        while (next != positions.end() && *next < pos) ++next;
        const bool on = next != positions.end() && *next == pos;
        ProductRecord& p = *(*currentProdList)[i];
        if (on && !p.selected) {
            p.selected = 1;
            updateDiskUsage(cat, p, kind, true);
        } else if (!on && p.selected) {
            p.selected = 0;
            updateDiskUsage(cat, p, kind, false);
        }
    }
    if (kind == kInstallKind) setNumSelNames(positions.size());
    showFigures(label, kind);
    numProdSelected = static_cast<int>(positions.size());
}

void ProductSelection::selectAllProd(ListView& list, FigureView* label, int kind) {
    const std::size_t n = currentProdList->size();
    if (static_cast<std::size_t>(numProdSelected) == n) return;
    numProdSelected = static_cast<int>(n);
    std::vector<int> all(n);
    for (std::size_t i = 0; i < n; ++i) {
        all[i] = static_cast<int>(i + 1);
        ProductRecord& p = *(*currentProdList)[i];
        if (!p.selected) {
            p.selected = 1;
            updateDiskUsage(cat, p, kind, true);
        }
    }
    list.setSelectedPositions(all);
    if (kind == kInstallKind) setNumSelNames(n);
    showFigures(label, kind);
}

void ProductSelection::deselectAllProd(ListView& list, FigureView* label, int kind) {
    if (numProdSelected == 0) return;
    list.deselectAll();
    for (ProductRecord& p : cat.products) {
        if (p.selected) updateDiskUsage(cat, p, kind, false);
        p.selected = 0;
    }
    numProdSelected = 0;
    if (kind != kInstallKind && kind != kRemoveKind) return;
    if (kind == kInstallKind) {
        setNumSelNames(0);
        if (freeDiskLabel) freeDiskLabel->showFigure(cat.freeDisk);
    }
    cat.estimatedDiskUsage = cat.installedDiskUsage;
    if (label) label->showFigure(0);
}

int ProductSelection::restoreSelection(const std::vector<std::string>& names) {
    std::unordered_map<std::string, int> unused;
    for (const std::string& n : names) ++unused[n];
    std::size_t restored = 0;
    for (ProductRecord& p : cat.products) {
        if (restored >= names.size()) break;
        if (p.status != "failed") continue;
        const auto it = unused.find(p.name);
        if (it == unused.end() || it->second == 0) continue;
        --it->second;
        p.selected = 1;
        ++numProdSelected;
        updateDiskUsage(cat, p, kInstallKind, true);
        ++restored;
    }
    return static_cast<int>(restored);
}

std::vector<std::string> ProductSelection::selectedNames() const {
    std::vector<std::string> names;
    for (const ProductRecord& p : cat.products)
        if (p.selected) names.push_back(p.name);
    return names;
}

}  // namespace trev
