#include "selListRm/prodList.h"

#include <Xm/List.h>
#include <Xm/Text.h>

#include <cerrno>
#include <cstdlib>
#include <new>

#include "core/diskUsage.h"
#include "globals.h"
#include "mainpanelExit.h"
#include "selListRm/selProd.h"
#include "topStub/topStub.h"
#include "topWidget/topWidget.h"
#include "xraii.h"

std::unique_ptr<trev::Catalogue> catalogue;
std::unique_ptr<trev::ProductSelection> prodSelection;
std::string prodDescOutPath;

namespace {

using trev::exitcode::kStartFailure;

// Each product's list item, by product index; and the items of each order
// (xStringByName, xStringBySize, xStringByStatus).  Built once, kept for
// the whole run.
std::vector<XmString> listItems;
std::vector<XmString> itemsByOrder[3];

// A Motif list of products.
class MotifList final : public trev::ListView {
public:
    explicit MotifList(Widget w) : w_(w) {}

    void showProducts(int order, const std::vector<trev::ProductRecord*>& products,
                      bool fresh) override {
        std::vector<XmString>& items = itemsByOrder[order];
        const int n = static_cast<int>(products.size());
        if (fresh) {
            XmListDeleteAllItems(w_);
            if (n > 0) XmListAddItemsUnselected(w_, items.data(), n, 1);
            return;
        }
        XmListDeselectAllItems(w_);
        // A window the user sized keeps its size while the items change.
        const bool keepSize = currentWinS && currentWinS->sizeSet == 1;
        if (keepSize) XtVaSetValues(parentWidget, XmNallowShellResize, False, nullptr);
        if (n > 0) XmListReplaceItemsPos(w_, items.data(), n, 1);
        if (keepSize) XtVaSetValues(parentWidget, XmNallowShellResize, True, nullptr);
    }

    std::vector<int> selectedPositions() override {
        int* pos = nullptr;
        int count = 0;
        std::vector<int> out;
        if (XmListGetSelectedPos(w_, &pos, &count)) {
            out.assign(pos, pos + count);
            XtFree(reinterpret_cast<char*>(pos));
        }
        return out;
    }

    // The whole selection at once: selecting item by item costs the list
    // a pass over its selection per item.  The list forgets its old
    // selection first: Motif's list crashes when selected positions are set
    // while items are still selected (Select All after a partial choice).
    void setSelectedPositions(const std::vector<int>& positions) override {
        std::vector<int> copy = positions;
        XmListDeselectAllItems(w_);
        XtVaSetValues(w_, XmNselectionPolicy, XmMULTIPLE_SELECT, nullptr);
        XtVaSetValues(w_, XmNselectedPositions, copy.data(), XmNselectedPositionCount,
                      static_cast<int>(copy.size()), nullptr);
        XtVaSetValues(w_, XmNselectionPolicy, XmEXTENDED_SELECT, nullptr);
    }

    void deselectAll() override { XmListDeselectAllItems(w_); }

private:
    Widget w_;
};

class MotifFigure final : public trev::FigureView {
public:
    explicit MotifFigure(Widget w) : w_(w) {}
    void showFigure(std::int64_t value) override { updateDiskUsageLabel(w_, value); }

private:
    Widget w_;
};

// The warning colours of the available space label.
struct WarningColours {
    bool tried = false;   // allocation attempted
    bool usable = false;  // both colours allocated
    bool on = false;      // the label shows them now
    Pixel red = 0, black = 0, normalFg = 0;
    Pixel savedBg = 0, savedFg = 0;
} warning;

void setWarning(Widget target, bool on) {
    if (on) {
        if (!warning.tried) {
            warning.tried = true;
            const Pixel none = ~Pixel{0};
            warning.red = getFgBgColor("#ffff00000000");
            warning.black = getFgBgColor("black");
            warning.usable = warning.red != none && warning.black != none;
            XtVaGetValues(target, XmNbackground, &warning.savedBg, XmNforeground,
                          &warning.savedFg, nullptr);
            warning.normalFg = getFgBgColor("#808000000000");
            if (warning.normalFg == none) warning.normalFg = warning.savedFg;
        }
        if (!warning.usable || warning.on) return;
        XtVaSetValues(target, XmNbackground, warning.red, XmNforeground, warning.black, nullptr);
        warning.on = true;
    } else if (warning.on) {
        XtVaSetValues(target, XmNbackground, warning.savedBg, XmNforeground, warning.normalFg,
                      nullptr);
        warning.on = false;
    }
}

[[noreturn]] void outOfMemory() {
    std::fputs("Fail to allocate memory.\n", stderr);
    std::exit(kStartFailure);
}

void requireCatalogue() {
    if (!prodSelection) {
        std::fputs("No product catalogue has been read.\n", stderr);
        std::exit(kStartFailure);
    }
}

// The selection's figure labels while one operation runs: the form's own
// label and, where the form has one, the available space label.
class FigureScope {
public:
    explicit FigureScope(Widget label) : figure_(label), free_(selProdFreeDiskV), label_(label) {
        requireCatalogue();
        prodSelection->freeDiskLabel = selProdFreeDiskV ? &free_ : nullptr;
        prodSelection->numSelNames = &formStatusRec.numSelNames;
    }
    ~FigureScope() { prodSelection->freeDiskLabel = nullptr; }
    FigureScope(const FigureScope&) = delete;
    FigureScope& operator=(const FigureScope&) = delete;
    trev::FigureView* label() { return label_ ? &figure_ : nullptr; }

private:
    MotifFigure figure_, free_;
    Widget label_;
};

}  // namespace

trev::FilePtr openCatalogueFile(const char* path) {
    trev::FilePtr f = trev::openFile(path, "r", 1);
    if (!f) {
        const int err = errno;
        std::fprintf(stderr, "Cannot open file %s", path);
        errno = err;
        trev::systemError(1);
    }
    return f;
}

void readProdDescFile(const char* path, int plainItems) {
    trev::FilePtr f = openCatalogueFile(path);
    try {
        catalogue = std::make_unique<trev::Catalogue>(
            trev::CatalogueFiles{instRoot, bundleFile, pkginfoFile});
        catalogue->readProdDesc(f.get(), path);
        prodSelection = std::make_unique<trev::ProductSelection>(*catalogue, plainItems != 0);
        listItems.clear();
        for (const trev::ProductRecord& p : catalogue->products) {
            const std::string line = plainItems ? p.title : trev::productListLine(p);
            listItems.push_back(XmStringCreate(const_cast<char*>(line.c_str()),
                                               const_cast<char*>(XmFONTLIST_DEFAULT_TAG)));
        }
        for (int order = trev::kOrderByName; order <= trev::kOrderByStatus; ++order) {
            itemsByOrder[order].clear();
            for (const trev::ProductRecord* p : prodSelection->productsIn(order))
                itemsByOrder[order].push_back(listItems[p->index]);
        }
    } catch (const std::bad_alloc&) {
        outOfMemory();
    }
    f.reset();
    create_WarnNoProdSel(parentWidget);
}

void buildProdSizeInfo(int formType) {
    requireCatalogue();
    try {
        if (catalogue->buildProdSizeInfo(formType) == trev::ReadEnd::Fatal)
            std::exit(kStartFailure);
        trev::getInstalledDiskUsage(*catalogue);
    } catch (const std::bad_alloc&) {
        outOfMemory();
    }
}

void dispProdList(Widget list, int order, int fresh) {
    requireCatalogue();
    MotifList view(list);
    prodSelection->dispProdList(view, order, fresh != 0);
}

void dispProdText(Widget text, int order) {
    requireCatalogue();
    const std::string lines = prodSelection->dispProdText(order);
    XmTextSetString(text, const_cast<char*>(lines.c_str()));
}

void getSelList(Widget list, Widget label, int kind) {
    FigureScope figures(label);
    MotifList view(list);
    prodSelection->getSelList(view, figures.label(), kind);
}

void selectAllProd(Widget list, Widget label, int kind) {
    FigureScope figures(label);
    MotifList view(list);
    prodSelection->selectAllProd(view, figures.label(), kind);
}

void deselectAllProd(Widget list, Widget label, int kind) {
    FigureScope figures(label);
    MotifList view(list);
    prodSelection->deselectAllProd(view, figures.label(), kind);
}

void showDiskFigures(Widget label, int kind) {
    FigureScope figures(label);
    prodSelection->showFigures(figures.label(), kind);
}

void processSelProd() {
    requireCatalogue();
    if (!prodSelection->processSelProd()) {
        showNoProdSel();
        return;
    }
    // A selection that did not reach its file must not pass for an answer.
    if (!writeProdDescFile()) cleanExit(kStartFailure);
    cleanExit(trev::exitcode::kOk);
}

int savedProdOrder(std::int32_t orderWord) {
    return statusRead && trev::validOrder(orderWord) ? orderWord : trev::kOrderByName;
}

void changeProdOrder(std::int32_t& orderWord, int order, Widget view) {
    if (orderWord == order) return;
    orderWord = order;
    if (XmIsText(view))
        dispProdText(view, order);
    else
        dispProdList(view, order, 0);
}

void updateDiskUsageLabel(Widget label, std::int64_t value) {
    if (!label) return;
    const trev::DiskLabel text = trev::diskUsageLabelText(value);
    setWarning(selProdFreeDiskV ? selProdFreeDiskV : label,
               text.colours == trev::LabelColours::Warning);
    const XmStr s(text.text.c_str());
    XtVaSetValues(label, XmNlabelString, static_cast<XmString>(s), nullptr);
}

bool writeProdDescFile() {
    std::FILE* out = prodDescOutFile.get();
    if (!out) return false;
    // After the Load Products form the lines also follow the record (and the
    // names read back) in form.status; that part of the file is not read.
    std::FILE* status = formType == kLoadProductsForm ? statusFd.get() : nullptr;
    if (status) std::fseek(status, 0, SEEK_CUR);
    bool ok = true;
    for (const trev::ProductRecord& p : catalogue->products) {
        if (!p.selected) continue;
        const std::string line = trev::formatProductLine(p);
        if (std::fputs(line.c_str(), out) == EOF) ok = false;
        if (status) std::fputs(line.c_str(), status);
    }
    if (status) std::fflush(status);
    if (std::fclose(prodDescOutFile.release()) != 0) ok = false;
    if (!ok) {
        const int err = errno;
        std::fprintf(stderr, "Cannot write file %s", prodDescOutPath.c_str());
        errno = err;
        trev::systemError(0);
    }
    return ok;
}

void readHoldProdFile(std::FILE* stream, Widget text) {
    const std::string names = trev::readHoldProducts(stream, stderr);
    XmTextSetString(text, const_cast<char*>(names.c_str()));
}

std::optional<std::vector<std::string>> selectedProductNamesOfList() {
    if (!prodSelection || catalogue->products.empty()) return std::nullopt;
    return prodSelection->selectedNames();
}
