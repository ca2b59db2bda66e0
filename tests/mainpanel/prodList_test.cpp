// The product lists: list lines, the three orders, and the selection
// operations of the product forms over an in-memory list and labels.
#include <algorithm>
#include <string>
#include <vector>

#include "catalogueTest.h"
#include "core/prodList.h"

namespace {

// A list as the product forms see one: items shown in order, a selection of
// positions, and a record of what was asked of it.
class MemoryList : public trev::ListView {
public:
    std::vector<std::string> items;
    std::vector<int> selected;
    int shows = 0;

    void showProducts(int, const std::vector<trev::ProductRecord*>& products, bool fresh) override {
        if (!fresh) selected.clear();
        items.clear();
        for (const auto* p : products) items.push_back(p->name);
        ++shows;
    }
    std::vector<int> selectedPositions() override { return selected; }
    void setSelectedPositions(const std::vector<int>& positions) override { selected = positions; }
    void deselectAll() override { selected.clear(); }

    // What a click (or ctrl-click with `add`) on position `pos` leaves
    // selected.
    void click(int pos, bool add = false) {
        if (!add) {
            selected = {pos};
            return;
        }
        auto it = std::find(selected.begin(), selected.end(), pos);
        if (it != selected.end())
            selected.erase(it);
        else
            selected.push_back(pos);
        std::sort(selected.begin(), selected.end());
    }
    std::vector<std::string> selectedNames() const {
        std::vector<std::string> names;
        for (int pos : selected) names.push_back(items[static_cast<std::size_t>(pos - 1)]);
        return names;
    }
};

class MemoryLabel : public trev::FigureView {
public:
    std::vector<std::int64_t> shown;
    void showFigure(std::int64_t v) override { shown.push_back(v); }
    std::int64_t last() const { return shown.empty() ? -999 : shown.back(); }
};

// A catalogue of products whose packages are given by name, all sizes set.
struct Fixture {
    trev::Catalogue cat{trev::CatalogueFiles{}};
    void product(const std::string& line, const std::vector<std::pair<std::string, int>>& pkgs) {
        auto p = trev::parseProductLine(line);
        ASSERT_TRUE(p) << line;
        p->index = cat.products.size();
        cat.products.push_back(*p);
        for (const auto& [name, size] : pkgs) {
            cat.addPkgInProd(cat.products.back(), name);
            cat.putPkgsInList(name).size = size;
        }
    }
};

TEST(ListLine, SizeStatusAndTitleInColumns) {
    auto p = trev::parseProductLine("Graph~Kit a g 1200 t t available");
    ASSERT_TRUE(p);
    EXPECT_EQ(trev::productListLine(*p), "  1200  available  Graph Kit");
    p->size = 12345678;
    p->status = "failed";
    EXPECT_EQ(trev::productListLine(*p), "12345678  failed     Graph Kit");
    p->size = -3;
    p->status = "";
    EXPECT_EQ(trev::productListLine(*p), "    -3             Graph Kit");
    std::vector<trev::ProductRecord*> two{&*p, &*p};
    EXPECT_EQ(trev::productTextLines(two),
              "    -3             Graph Kit\n    -3             Graph Kit\n");
}

TEST(Orders, NameIsFileOrderSizeAscendingStatusFailedAvailableInstalled) {
    Fixture f;
    f.product("A a pa 300 t t installed", {});
    f.product("B b pb 100 t t available", {});
    f.product("C c pc 300 t t failed", {});
    f.product("D d pd 0 t t odd", {});
    f.product("E e pe 0 t t available", {});
    f.product("F f pf 100 t t failed", {});
    f.cat.products[3].size = INT32_MIN;
    f.cat.products[4].size = INT32_MAX;
    trev::ProductSelection sel(f.cat, false);
    auto names = [](const std::vector<trev::ProductRecord*>& v) {
        std::string s;
        for (const auto* p : v) s += p->name.substr(1);
        return s;
    };
    EXPECT_EQ(names(sel.prodByName), "abcdef");
    // Sizes at both ends of the range compare right; equal sizes keep file order.
    EXPECT_EQ(names(sel.prodBySize), "dbface");
    // An unknown status comes last, exactly once.
    EXPECT_EQ(names(sel.prodByStatus), "cfbead");
    EXPECT_EQ(sel.currentProdList, &sel.prodByName);
    // Bare titles: every order is the file order.
    trev::ProductSelection plain(f.cat, true);
    EXPECT_EQ(names(plain.prodBySize), "abcdef");
    EXPECT_EQ(names(plain.prodByStatus), "abcdef");
    EXPECT_EQ(sel.dispProdText(2).substr(0, 30), "   300  failed     C\n   100  f");
    EXPECT_EQ(sel.currentProdList, &sel.prodByStatus);
}

// Two products sharing a package of 500 KBytes, a third with its own, and
// an installed one whose package is already on the disk.
struct SelectForm : Fixture {
    MemoryList list;
    MemoryLabel required, available;
    std::int32_t numSelNames = -1;
    std::unique_ptr<trev::ProductSelection> sel;
    SelectForm() {
        product("One a p1 500 t t available", {{"SHARED", 500}});
        product("Two a p2 700 t t available", {{"SHARED", 500}, {"OWN2", 200}});
        product("Three a p3 50 t t failed", {{"OWN3", 50}});
        product("Four a p4 80 t t installed", {{"INST", 80}});
        cat.putPkgsInList("INST").refCount = 1;
        trev::getInstalledDiskUsage(cat);
        cat.freeDisk = 1000;
        sel = std::make_unique<trev::ProductSelection>(cat, false);
        sel->freeDiskLabel = &available;
        sel->numSelNames = &numSelNames;
        sel->dispProdList(list, trev::kOrderByName, true);
    }
    void take() { sel->getSelList(list, &required, trev::kSelectKind); }
};

TEST(Selection, SharedPackageCountedOnceThenReleased) {
    SelectForm s;
    EXPECT_EQ(s.list.items, (std::vector<std::string>{"p1", "p2", "p3", "p4"}));
    s.list.click(1);
    s.take();
    EXPECT_EQ(s.required.last(), 500);
    EXPECT_EQ(s.available.last(), 500);
    s.list.click(2, true);
    s.take();
    EXPECT_EQ(s.required.last(), 700);   // 500 shared + 200 own
    EXPECT_EQ(s.numSelNames, 2);
    EXPECT_EQ(s.sel->numProdSelected, 2);
    s.list.click(1, true);   // release One: Two still holds the shared package
    s.take();
    EXPECT_EQ(s.required.last(), 700);
    s.list.click(2, true);
    s.take();
    EXPECT_EQ(s.required.last(), 0);
    EXPECT_EQ(s.available.last(), 1000);
    EXPECT_EQ(s.numSelNames, 0);
    // An installed product needs nothing.
    s.list.click(4);
    s.take();
    EXPECT_EQ(s.required.last(), 0);
    EXPECT_EQ(s.cat.findPackage("INST")->refCount, 2);
}

TEST(Selection, AvailableSpaceGoesNegative) {
    SelectForm s;
    s.cat.freeDisk = 600;
    s.list.click(2);
    s.take();
    EXPECT_EQ(s.available.last(), -100);
    s.list.click(1);
    s.take();
    EXPECT_EQ(s.available.last(), 100);
}

TEST(Selection, SelectAllThenDeselectAll) {
    SelectForm s;
    s.list.click(3);
    s.take();
    s.sel->selectAllProd(s.list, &s.required, 2);
    EXPECT_EQ(s.list.selected, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(s.required.last(), 750);
    EXPECT_EQ(s.available.last(), 250);
    EXPECT_EQ(s.numSelNames, 4);
    EXPECT_EQ(s.sel->numProdSelected, 4);
    EXPECT_EQ(s.cat.findPackage("SHARED")->refCount, 2);
    // A second time changes nothing.
    const std::size_t shownBefore = s.required.shown.size();
    s.sel->selectAllProd(s.list, &s.required, 2);
    EXPECT_EQ(s.required.shown.size(), shownBefore);
    EXPECT_EQ(s.cat.findPackage("SHARED")->refCount, 2);

    s.sel->deselectAllProd(s.list, &s.required, 2);
    EXPECT_TRUE(s.list.selected.empty());
    EXPECT_EQ(s.required.last(), 0);
    EXPECT_EQ(s.available.last(), 1000);
    EXPECT_EQ(s.numSelNames, 0);
    EXPECT_EQ(s.cat.estimatedDiskUsage, s.cat.installedDiskUsage);
    for (const auto& p : s.cat.products) EXPECT_EQ(p.selected, 0);
    EXPECT_EQ(s.cat.findPackage("SHARED")->refCount, 0);
    EXPECT_EQ(s.cat.findPackage("INST")->refCount, 1);
    // Nothing selected: deselect all again changes nothing.
    const std::size_t shown = s.required.shown.size();
    s.sel->deselectAllProd(s.list, &s.required, 2);
    EXPECT_EQ(s.required.shown.size(), shown);
    EXPECT_FALSE(s.sel->processSelProd());
}

TEST(Selection, ChangingTheOrderKeepsTheSelectionAndTheFigures) {
    SelectForm s;
    s.list.click(1);
    s.list.click(3, true);
    s.take();
    const std::int64_t before = s.required.last();
    const std::size_t shown = s.required.shown.size();
    s.sel->dispProdList(s.list, trev::kOrderBySize, false);
    EXPECT_EQ(s.list.items, (std::vector<std::string>{"p3", "p4", "p1", "p2"}));
    EXPECT_EQ(s.list.selectedNames(), (std::vector<std::string>{"p3", "p1"}));
    s.sel->dispProdList(s.list, trev::kOrderByStatus, false);
    EXPECT_EQ(s.list.items, (std::vector<std::string>{"p3", "p1", "p2", "p4"}));
    EXPECT_EQ(s.list.selectedNames(), (std::vector<std::string>{"p3", "p1"}));
    EXPECT_EQ(s.required.shown.size(), shown);
    // A code that is no order shows the file order.
    s.sel->dispProdList(s.list, 99, false);
    EXPECT_EQ(s.list.items, (std::vector<std::string>{"p1", "p2", "p3", "p4"}));
    EXPECT_EQ(s.list.selectedNames(), (std::vector<std::string>{"p1", "p3"}));
    s.sel->dispProdList(s.list, trev::kOrderByStatus, false);
    // Selecting in the new order acts on the products at the new positions.
    s.list.click(3, true);   // p2
    s.take();
    EXPECT_EQ(s.required.last(), before + 200);
    EXPECT_EQ(s.sel->selectedNames(), (std::vector<std::string>{"p1", "p2", "p3"}));
    EXPECT_TRUE(s.sel->processSelProd());
}

TEST(Selection, RemoveKindShowsTheSpaceFreed) {
    Fixture f;
    f.product("A a pa 1 t t installed", {{"SH", 300}, {"OA", 10}});
    f.product("B b pb 1 t t installed", {{"SH", 300}});
    f.cat.putPkgsInList("SH").refCount = 2;
    f.cat.putPkgsInList("OA").refCount = 1;
    trev::getInstalledDiskUsage(f.cat);
    trev::ProductSelection sel(f.cat, false);
    MemoryList list;
    MemoryLabel freed;
    sel.dispProdList(list, 0, true);
    list.click(1);
    sel.getSelList(list, &freed, trev::kRemoveKind);
    EXPECT_EQ(freed.last(), 10);   // the shared package stays for B
    list.click(2, true);
    sel.getSelList(list, &freed, trev::kRemoveKind);
    EXPECT_EQ(freed.last(), 310);
    sel.deselectAllProd(list, &freed, trev::kRemoveKind);
    EXPECT_EQ(freed.last(), 0);
    sel.selectAllProd(list, &freed, trev::kRemoveKind);
    EXPECT_EQ(freed.last(), 310);
}

TEST(Selection, PickingKindsKeepNoFigures) {
    Fixture f;
    f.product("A a pa 1 t t whatever", {{"X", 300}});
    f.product("B b pb 1 t t", {});
    trev::ProductSelection sel(f.cat, true);
    MemoryList list;
    sel.dispProdList(list, 0, true);
    sel.selectAllProd(list, nullptr, trev::kTestKind);
    EXPECT_EQ(sel.numProdSelected, 2);
    EXPECT_EQ(f.cat.findPackage("X")->refCount, 0);
    EXPECT_EQ(f.cat.estimatedDiskUsage, 0);
    EXPECT_EQ(sel.selectedNames(), (std::vector<std::string>{"pa", "pb"}));
    list.click(2, true);
    sel.getSelList(list, nullptr, trev::kConfigSysKind);
    EXPECT_EQ(sel.selectedNames(), (std::vector<std::string>{"pa"}));
    sel.deselectAllProd(list, nullptr, trev::kConfigUserKind);
    EXPECT_FALSE(sel.processSelProd());
}

TEST(Restore, OnlyFailedProductsEachNameOnce) {
    Fixture f;
    f.product("A a dup 1 t t failed", {{"PA", 100}});
    f.product("B b dup 1 t t failed", {{"PB", 10}});
    f.product("C c inst 1 t t installed", {});
    f.product("D d avail 1 t t available", {});
    f.product("E e fail2 1 t t failed", {{"PE", 1}});
    f.product("G g fail3 1 t t failed", {{"PG", 5}});
    trev::ProductSelection sel(f.cat, false);
    EXPECT_EQ(sel.restoreSelection({"inst", "dup", "avail", "fail2", "nothere"}), 2);
    EXPECT_EQ(sel.selectedNames(), (std::vector<std::string>{"dup", "fail2"}));
    EXPECT_EQ(f.cat.products[0].selected, 1);
    EXPECT_EQ(f.cat.products[1].selected, 0);
    EXPECT_EQ(sel.numProdSelected, 2);
    EXPECT_EQ(trev::requiredSpace(f.cat), 101);
    // A name given twice takes two products of that name.
    Fixture g;
    g.product("A a dup 1 t t failed", {});
    g.product("B b dup 1 t t failed", {});
    g.product("C c x 1 t t failed", {});
    trev::ProductSelection sel2(g.cat, false);
    EXPECT_EQ(sel2.restoreSelection({"dup", "dup"}), 2);
    // The walk stops once as many products as names are selected.
    Fixture h;
    h.product("A a x 1 t t failed", {});
    h.product("B b x 1 t t failed", {});
    trev::ProductSelection sel3(h.cat, false);
    EXPECT_EQ(sel3.restoreSelection({"x"}), 1);
    EXPECT_EQ(sel3.selectedNames(), (std::vector<std::string>{"x"}));
    EXPECT_EQ(h.cat.products[1].selected, 0);
}

}  // namespace
