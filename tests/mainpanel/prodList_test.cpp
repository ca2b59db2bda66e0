// The product lists: the three orders and the selection operations of the
// product forms over an in-memory list and labels.  Disk accounting: the
// choose/release table of the install and remove forms, a package shared
// by products counted once, the installed usage, the label text, the
// free-space estimator's result and the free space argument.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/prodList.h"

namespace {

using Names = std::vector<std::string>;
using Positions = std::vector<int>;

// A list as the product forms see one: the names shown and the selection.
struct MemoryList : trev::ListView {
    Names items;
    Positions selected;
    void showProducts(int, const std::vector<trev::ProductRecord*>& products, bool fresh) override {
        if (!fresh) selected.clear();
        items.clear();
        for (const auto* p : products) items.push_back(p->name);
    }
    Positions selectedPositions() override { return selected; }
    void setSelectedPositions(const Positions& positions) override { selected = positions; }
    void deselectAll() override { selected.clear(); }
};

struct MemoryLabel : trev::FigureView {
    std::vector<std::int64_t> shown;
    void showFigure(std::int64_t v) override { shown.push_back(v); }
};

// A catalogue of the product lines given, each with its packages and sizes.
struct Products : trev::Catalogue {
    Products(const std::vector<std::pair<const char*, std::vector<std::pair<const char*, int>>>>& lines)
        : Catalogue(trev::CatalogueFiles{}) {
        for (const auto& [line, pkgs] : lines) {
            products.push_back(*trev::parseProductLine(line));
            products.back().index = products.size() - 1;
            for (const auto& [name, size] : pkgs) addPkgInProd(products.back(), name), putPkgsInList(name).size = size;
        }
    }
};

std::string letters(const std::vector<trev::ProductRecord*>& order) {
    std::string s;
    for (const auto* p : order) s += p->auxField;
    return s;
}

TEST(Orders, NameIsFileOrderSizeAscendingStatusFailedAvailableInstalled) {
    Products f({{"A a pa 300 t t installed", {}}, {"B b pb 100 t t available", {}}, {"C c pc 300 t t failed", {}},
                {"D d pd 0 t t odd", {}}, {"E e pe 0 t t available", {}}, {"F f pf 100 t t failed", {}}});
    f.products[3].size = INT32_MIN;
    f.products[4].size = INT32_MAX;
    trev::ProductSelection sel(f, false), plain(f, true);
    // Equal sizes keep file order; an unknown status comes last.
    EXPECT_EQ(letters(sel.prodByName) + " " + letters(sel.prodBySize) + " " + letters(sel.prodByStatus), "abcdef dbface cfbead");
    EXPECT_EQ(sel.currentProdList, &sel.prodByName);
    EXPECT_EQ(sel.dispProdText(trev::kOrderByStatus).substr(0, 21), "   300  failed     C\n");
    EXPECT_EQ(sel.currentProdList, &sel.prodByStatus);
    // Bare titles: every order is the file order.
    EXPECT_EQ(letters(plain.prodBySize) + letters(plain.prodByStatus), "abcdefabcdef");
}

// Two products sharing a package, a failed one and an installed one whose
// package is already on the disk for two products; 600 KBytes free.
struct SelectForm {
    Products cat{{{"One 1 p1 500 t t available", {{"SHARED", 500}}},
                  {"Two 2 p2 700 t t available", {{"SHARED", 500}, {"OWN2", 200}}},
                  {"Three 3 p3 50 t t failed", {{"OWN3", 50}}},
                  {"Four 4 p4 80 t t installed", {{"INST", 80}}}}};
    MemoryList list;
    MemoryLabel required, available;
    std::int32_t numSelNames = -1;
    trev::ProductSelection sel{cat, false};
    SelectForm() {
        cat.putPkgsInList("INST").refCount = 2;
        trev::getInstalledDiskUsage(cat);
        cat.freeDisk = 600;
        sel.freeDiskLabel = &available;
        sel.numSelNames = &numSelNames;
        sel.dispProdList(list, trev::kOrderByName, true);
    }
};

TEST(Selection, TheListsSelectionSetsTheFiguresAndTheCountEachChangeOnce) {
    SelectForm s;
    const struct {
        char op;   // 'g': the list's selection taken; 'a', 'd': select, deselect all
        Positions positions, after;
        std::vector<std::int64_t> required;   // every figure shown so far
        std::int64_t available;
    } steps[] = {
        {'g', {1}, {1}, {500}, 100},
        {'g', {1, 2}, {1, 2}, {500, 700}, -100},
        {'g', {4}, {4}, {500, 700, 0}, 600},
        {'a', {}, {1, 2, 3, 4}, {500, 700, 0, 750}, -150},
        {'a', {}, {1, 2, 3, 4}, {500, 700, 0, 750}, -150},
        {'d', {}, {}, {500, 700, 0, 750, 0}, 600},
    };
    for (const auto& step : steps) {
        if (step.op == 'g') s.list.selected = step.positions, s.sel.getSelList(s.list, &s.required, trev::kSelectKind);
        if (step.op == 'a') s.sel.selectAllProd(s.list, &s.required, trev::kSelectKind);
        if (step.op == 'd') s.sel.deselectAllProd(s.list, &s.required, trev::kSelectKind);
        EXPECT_EQ(s.list.selected, step.after);
        EXPECT_EQ(s.required.shown, step.required);
        EXPECT_EQ(s.available.shown.back(), step.available);
        EXPECT_EQ(s.numSelNames, static_cast<int>(step.after.size()));
        EXPECT_EQ(s.sel.processSelProd(), !step.after.empty());
    }
    for (const auto& p : s.cat.products) EXPECT_EQ(p.selected, 0) << p.name;
    EXPECT_EQ(s.cat.findPackage("INST")->refCount, 2);
    EXPECT_EQ(s.cat.installedDiskUsage, 80);   // the packages with references
}

TEST(Selection, ChangingTheOrderKeepsTheSelectionAndTheFigures) {
    SelectForm s;
    s.list.selected = {1, 3};
    s.sel.getSelList(s.list, &s.required, trev::kSelectKind);
    // p1 and p3 stay selected wherever they are shown.
    const std::tuple<int, Names, Positions> orders[] = {
        {trev::kOrderBySize, {"p3", "p4", "p1", "p2"}, {1, 3}},
        {99, {"p1", "p2", "p3", "p4"}, {1, 3}},   // no order: file order
        {trev::kOrderByStatus, {"p3", "p1", "p2", "p4"}, {1, 2}}};
    for (const auto& [order, items, selected] : orders) {
        s.sel.dispProdList(s.list, order, false);
        EXPECT_EQ(s.list.items, items);
        EXPECT_EQ(s.list.selected, selected);
    }
    EXPECT_EQ(s.required.shown, (std::vector<std::int64_t>{550}));
    s.list.selected = {1, 2, 3};   // p2 added at its new position
    s.sel.getSelList(s.list, &s.required, trev::kSelectKind);
    EXPECT_EQ(s.required.shown.back(), 750);
    EXPECT_EQ(s.sel.selectedNames(), (Names{"p1", "p2", "p3"}));
}

// The remove form shows the space freed instead.
TEST(Selection, RemoveShowsTheSpaceFreed) {
    SelectForm s;
    s.cat.findPackage("INST")->refCount = 1;   // held by Four alone
    s.list.selected = {4};
    s.sel.getSelList(s.list, &s.required, trev::kRemoveKind);
    EXPECT_EQ(s.required.shown, (std::vector<std::int64_t>{80}));
}

TEST(UpdateDiskUsage, EveryCellOfTheTable) {
    // kind, choose, references and estimate before (installed: 1000), after;
    // a package already chosen for another product is not counted again.
    std::vector<std::tuple<int, bool, std::int64_t, std::int64_t, std::int64_t, std::int64_t>> cells = {
        {2, true, 0, 1000, 1, 1500},  {2, true, 1, 1000, 2, 1000},  {2, false, 0, 1800, 0, 1800},
        {2, false, 1, 1800, 0, 1300}, {2, false, 3, 1800, 2, 1800},
        {2, false, 1, 1200, 1, 1000},   // below installed: clamped, the reference stays
        {2, false, 1, 1500, 0, 1000},
        {9, true, 0, 1000, 0, 1000},  {9, true, 1, 1000, 0, 500},   {9, true, 4, 1000, 3, 1000},
        {9, true, 1, 300, 1, 0},        // below 0: clamped, the reference stays
        {9, true, 1, 500, 0, 0},      {9, false, 0, 400, 1, 900},   {9, false, 1, 400, 2, 400},
        {9, false, 0, 800, 0, 1000},    // above installed: clamped, no reference
        {9, false, 0, 500, 1, 1000}};
    for (int kind : {0, 18})   // other kinds change nothing
        for (bool select : {true, false}) cells.emplace_back(kind, select, 0, 1000, 0, 1000);
    for (const auto& [kind, select, refs, estimated, refsAfter, estimatedAfter] : cells) {
        Products cat({{"P p p 1 t t available", {{"PKG", 500}}}});
        cat.findPackage("PKG")->refCount = refs;
        cat.installedDiskUsage = 1000;
        cat.estimatedDiskUsage = estimated;
        trev::updateDiskUsage(cat, cat.products[0], kind, select);
        EXPECT_EQ(std::make_tuple(cat.findPackage("PKG")->refCount, cat.estimatedDiskUsage, cat.installedDiskUsage),
                  std::make_tuple(refsAfter, estimatedAfter, std::int64_t{1000}))
            << kind << (select ? " choose R=" : " release R=") << refs << " est=" << estimated;
    }
}

// The padding is seen on the product forms; a figure below zero is shown
// in the warning colours.
TEST(LabelText, PlentyOfSpaceIsCappedSixteenCharactersLoseTheLast) {
    EXPECT_EQ(trev::diskUsageLabelText(123456789).text, "99999999 KBytes");
    EXPECT_EQ(trev::diskUsageLabelText(-12345678).text, "-12345678 KByte");
    EXPECT_EQ(trev::diskUsageLabelText(0).colours, trev::LabelColours::Normal);
    EXPECT_EQ(trev::diskUsageLabelText(-1).colours, trev::LabelColours::Warning);
}

TEST(FreeDisk, TheEstimatorsFirstLineCutAtThirteenLessTheLastAndTheArgument) {
    const std::pair<std::string, std::optional<std::int64_t>> results[] = {
        {"2048000 KB free\nmore\n", 2048000}, {"none\n", 0},
        {"1234567890123\n", 123456789012},    // the thirteenth digit is lost
        {"2048000", 204800}, {"", std::nullopt}};
    for (const auto& [text, value] : results) {
        std::FILE* f = std::tmpfile();
        std::fputs(text.c_str(), f);
        std::rewind(f);
        EXPECT_EQ(trev::readFreeDiskResult(f), value) << text;
        std::fclose(f);
    }
    for (std::int64_t v : {-1, 0, 99999999, 100000000}) EXPECT_EQ(trev::freeDiskInRange(v), v == 0 || v == 99999999) << v;
    // The free space argument: its leading number of at most 18 digits.
    const std::pair<const char*, std::optional<std::int64_t>> arguments[] = {
        {"-5", -5}, {"lots", 0}, {"999999999999999999", 999999999999999999},
        {"1000000000000000000", std::nullopt}};
    for (const auto& [text, value] : arguments) EXPECT_EQ(trev::parseDiskAvail(text), value) << text;
}

}  // namespace
