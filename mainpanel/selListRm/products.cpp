#include "selListRm/products.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include "app/form.h"
#include "core/diskUsage.h"
#include "core/prodList.h"
#include "core/statusIo.h"
#include "kit/colour.h"

namespace {

// Each order's list items (xStringByName, xStringBySize, xStringByStatus),
// built once and kept for the whole run.
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
    MotifFigure(const ProductView& view, Widget w) : view_(view), w_(w) {}
    void showFigure(std::int64_t value) override { ::showFigure(view_, w_, value); }

private:
    const ProductView& view_;
    Widget w_;
};

// The warning colours of the available space label (the resources
// warningBackground and warningForeground) and its own colours, kept to
// turn back to.
struct Warning {
    bool on = false;
    Pixel savedBg = 0, savedFg = 0;
} warning;

void setWarning(Widget target, bool on) {
    if (on == warning.on) return;
    if (on) {
        const Pixel bg = kit::resourceColour(target, "warningBackground");
        const Pixel fg = kit::resourceColour(target, "warningForeground");
        if (bg == kit::kNoColour || fg == kit::kNoColour) return;
        XtVaGetValues(target, XmNbackground, &warning.savedBg, XmNforeground, &warning.savedFg,
                      nullptr);
        XtVaSetValues(target, XmNbackground, bg, XmNforeground, fg, nullptr);
    } else {
        XtVaSetValues(target, XmNbackground, warning.savedBg, XmNforeground, warning.savedFg,
                      nullptr);
    }
    warning.on = on;
}

[[noreturn]] void outOfMemory() {
    std::fputs("Fail to allocate memory.\n", stderr);
    std::exit(kStartFailure);
}

// The selection's figure labels while one operation runs: the form's own
// label and, where the form has one, the available space label.
class FigureScope {
public:
    explicit FigureScope(const ProductView& v)
        : figure_(v, v.figure), free_(v, v.freeDisk), hasFigure_(v.figure != nullptr) {
        prodSelection->freeDiskLabel = v.freeDisk ? &free_ : nullptr;
        prodSelection->numSelNames = &formStatusRec.numSelNames;
    }
    ~FigureScope() { prodSelection->freeDiskLabel = nullptr; }
    FigureScope(const FigureScope&) = delete;
    FigureScope& operator=(const FigureScope&) = delete;
    trev::FigureView* label() { return hasFigure_ ? &figure_ : nullptr; }

private:
    MotifFigure figure_, free_;
    bool hasFigure_;
};

ProductView& viewOf(XtPointer data) { return *static_cast<ProductView*>(data); }

void showList(ProductView& v, int order, bool fresh) {
    if (XmIsText(v.list)) {
        kit::setText(v.list, prodSelection->dispProdText(order));
        return;
    }
    MotifList list(v.list);
    prodSelection->dispProdList(list, order, fresh);
}

void selectionCB(Widget, XtPointer data, XtPointer) {
    ProductView& v = viewOf(data);
    FigureScope figures(v);
    MotifList list(v.list);
    prodSelection->getSelList(list, figures.label(), v.kind);
}

void selectAllCB(Widget, XtPointer data, XtPointer) {
    ProductView& v = viewOf(data);
    FigureScope figures(v);
    MotifList list(v.list);
    prodSelection->selectAllProd(list, figures.label(), v.kind);
}

void deselectAllCB(Widget, XtPointer data, XtPointer) {
    ProductView& v = viewOf(data);
    FigureScope figures(v);
    MotifList list(v.list);
    prodSelection->deselectAllProd(list, figures.label(), v.kind);
}

// A sort toggle's notification: a new order is stored and shown.
void sortCB(Widget w, XtPointer data, XtPointer) {
    ProductView& v = viewOf(data);
    for (int order = trev::kOrderByName; order <= trev::kOrderByStatus; ++order) {
        if (v.toggles[order] != w || *v.orderWord == order) continue;
        *v.orderWord = order;
        showList(v, order, false);
    }
}

// Writes the selected products to the product selection file in catalogue
// order and closes it.  After the Load Products form the lines also go to
// form.status after the record.  Returns false after a message when the
// file could not be written.
bool writeProdDescFile() {
    std::FILE* out = prodDescOutFile.get();
    if (!out) return false;
    std::string lines;
    bool ok = true;
    for (const trev::ProductRecord& p : catalogue->products) {
        if (!p.selected) continue;
        const std::string line = trev::formatProductLine(p);
        if (std::fputs(line.c_str(), out) == EOF) ok = false;
        lines += line;
    }
    if (selectedNamesAtExit == SelectedNames::Write && statusFd)
        trev::writeAtCurrent(statusFd.get(), lines);
    if (std::fclose(prodDescOutFile.release()) != 0) ok = false;
    if (!ok) trev::reportWithReason("Cannot write file " + prodDescOutPath);
    return ok;
}

}  // namespace

Widget buildSortChoice(ProductView& view, Widget parent, const SortNames& n) {
    Widget box = XmCreateRadioBox(parent, const_cast<char*>(n.choice), nullptr, 0);
    XtVaSetValues(box, XmNorientation, XmHORIZONTAL, XmNpacking, XmPACK_TIGHT,
                  XmNradioAlwaysOne, True,
                  XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5, nullptr);
    const char* names[] = {n.byName, n.bySize, n.byStatus};
    for (int order = trev::kOrderByName; order <= trev::kOrderByStatus; ++order) {
        view.toggles[order] = XtVaCreateManagedWidget(names[order], xmToggleButtonWidgetClass, box,
                                                      XmNset, order == 0 ? True : False, nullptr);
        kit::onChange(view.toggles[order], sortCB, &view);
    }
    Widget head = XtVaCreateManagedWidget(
        n.head, xmLabelWidgetClass, parent,
        XmNbottomAttachment, XmATTACH_OPPOSITE_WIDGET, XmNbottomWidget, box, XmNbottomOffset, 9,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    XtVaSetValues(box, XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, head, XmNleftOffset, 2,
                  nullptr);
    XtManageChild(box);
    return box;
}

Widget buildProductList(ProductView& view, Widget parent, const char* name) {
    view.list = XmCreateScrolledList(parent, const_cast<char*>(name), nullptr, 0);
    XtVaSetValues(view.list, XmNselectionPolicy, XmEXTENDED_SELECT, nullptr);
    for (const char* reason : {XmNextendedSelectionCallback, XmNmultipleSelectionCallback})
        XtAddCallback(view.list, reason, selectionCB, &view);
    // Return answers the form's default button with the selection as it is;
    // the list's own Return would first select the item under its cursor.
    static XtTranslations passReturn =
        XtParseTranslationTable(":<Key>osfActivate: PrimitiveParentActivate()\n"
                                "~s ~m ~a <Key>Return: PrimitiveParentActivate()");
    XtOverrideTranslations(view.list, passReturn);
    XtManageChild(view.list);
    return view.list;
}

Widget buildSelectButtons(ProductView& view, Widget parent, Widget left, const char* selAll,
                          const char* deselAll) {
    Widget all = XtVaCreateManagedWidget(
        selAll, xmPushButtonWidgetClass, parent,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 8,
        XmNleftAttachment, left ? XmATTACH_WIDGET : XmATTACH_FORM, XmNleftWidget, left,
        XmNleftOffset, left ? 16 : 10, nullptr);
    Widget none = XtVaCreateManagedWidget(
        deselAll, xmPushButtonWidgetClass, parent,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 8,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, all, XmNleftOffset, 8, nullptr);
    kit::onActivate(all, selectAllCB, &view);
    kit::onActivate(none, deselectAllCB, &view);
    return all;
}

Widget buildListArea(ProductView& view, Widget parent, Widget above, const ListAreaNames& n) {
    Widget frame = XtVaCreateManagedWidget(
        n.frame, xmFrameWidgetClass, parent,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, above, XmNtopOffset, 8,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    Widget form = XtVaCreateManagedWidget(n.form, xmFormWidgetClass, frame, nullptr);
    Widget heading = XtVaCreateManagedWidget(
        n.heading, xmLabelWidgetClass, form,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 5,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    // From the bottom up, so that the list takes the height the area gains.
    Widget sort = buildSortChoice(view, form, n.sort);
    buildSelectButtons(view, form, sort, n.selAll, n.deselAll);
    XtVaSetValues(XtParent(buildProductList(view, form, n.list)),
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, heading, XmNtopOffset, 2,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                  XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                  XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, sort,
                  XmNbottomOffset, 4, nullptr);
    return frame;
}

trev::FilePtr openCatalogueFile(const char* path) {
    return trev::openOrExit(path, "r", "Cannot open file");
}

void readProducts(const char* path, bool plainItems) {
    trev::FilePtr f = openCatalogueFile(path);
    try {
        catalogue = std::make_unique<trev::Catalogue>(
            trev::CatalogueFiles{instRoot, bundleFile, pkginfoFile});
        // A bad line is also said in the window: the list shows only the
        // products before it.
        if (catalogue->readProdDesc(f.get(), path) == trev::ReadEnd::WrongFormat) {
            static std::string note;
            note = std::string("Wrong format in product description file: ") + path +
                   ".\nOnly the products before the wrong line are shown.";
            XtAppAddTimeOut(app_context, 0, [](XtPointer, XtIntervalId*) { displayWarn(note.c_str()); },
                            nullptr);
        }
        prodSelection = std::make_unique<trev::ProductSelection>(*catalogue, plainItems);
        std::vector<XmString> listItems;
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
}

void readPackages(int kind) {
    try {
        if (catalogue->buildProdSizeInfo(kind) == trev::ReadEnd::Fatal) std::exit(kStartFailure);
        trev::getInstalledDiskUsage(*catalogue);
    } catch (const std::bad_alloc&) {
        outOfMemory();
    }
}

void showProducts(ProductView& view) {
    int order = trev::kOrderByName;
    if (view.orderWord) {
        if (view.restoreOrder && statusRead && trev::validOrder(*view.orderWord))
            order = *view.orderWord;
        *view.orderWord = order;
        for (int o = trev::kOrderByName; o <= trev::kOrderByStatus; ++o)
            kit::setToggle(view.toggles[o], o == order);
    }
    if (view.figure) {
        FigureScope figures(view);
        prodSelection->showFigures(figures.label(), view.kind);
    }
    showList(view, order, true);
}

void showFigure(const ProductView& view, Widget label, std::int64_t value) {
    if (!label) return;
    const trev::DiskLabel text = trev::diskUsageLabelText(value);
    setWarning(view.freeDisk ? view.freeDisk : label, text.colours == trev::LabelColours::Warning);
    kit::setLabel(label, text.text);
}

void productsOkCB(Widget, XtPointer, XtPointer) {
    if (!prodSelection->processSelProd()) {
        showNoProdSel();
        return;
    }
    // A selection that did not reach its file must not pass for an answer.
    if (!writeProdDescFile()) cleanExit(kStartFailure);
    cleanExit(kOk);
}

std::optional<std::vector<std::string>> selectedProductNamesOfList() {
    if (!prodSelection || catalogue->products.empty()) return std::nullopt;
    return prodSelection->selectedNames();
}
