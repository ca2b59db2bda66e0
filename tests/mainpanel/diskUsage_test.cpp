// Disk accounting: the choose/release table of the install and remove forms,
// a package shared by products counted once, the installed usage, the label
// text, the free-space estimator's result and the free space argument.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/diskUsage.h"

namespace {

// Products each holding the packages named, every package of 500 KBytes.
struct Products : trev::Catalogue {
    explicit Products(const std::vector<std::vector<const char*>>& products) : Catalogue(trev::CatalogueFiles{}) {
        for (const auto& pkgs : products) {
            this->products.emplace_back();
            for (const char* p : pkgs) addPkgInProd(this->products.back(), p), putPkgsInList(p).size = 500;
        }
    }
};

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
        Products cat({{"PKG"}});
        cat.findPackage("PKG")->refCount = refs;
        cat.installedDiskUsage = 1000;
        cat.estimatedDiskUsage = estimated;
        trev::updateDiskUsage(cat, cat.products[0], kind, select);
        EXPECT_EQ(std::make_tuple(cat.findPackage("PKG")->refCount, cat.estimatedDiskUsage, cat.installedDiskUsage),
                  std::make_tuple(refsAfter, estimatedAfter, std::int64_t{1000}))
            << kind << (select ? " choose R=" : " release R=") << refs << " est=" << estimated;
    }
}

TEST(InstalledDiskUsage, SumsThePackagesWithReferencesAndFiguresFollow) {
    Products c({{"A", "B", "C"}});
    c.findPackage("A")->refCount = 2;
    c.findPackage("C")->refCount = 1;
    c.findPackage("C")->size = 7;
    trev::getInstalledDiskUsage(c);
    EXPECT_EQ(std::make_pair(c.installedDiskUsage, c.estimatedDiskUsage), std::make_pair(std::int64_t{507}, std::int64_t{507}));
    c.freeDisk = 1000;
    c.estimatedDiskUsage = 600;
    EXPECT_EQ(std::make_tuple(trev::requiredSpace(c), trev::availableSpace(c), trev::freedSpace(c)), std::make_tuple(93, 907, -93));
}

TEST(LabelText, FifteenCharactersCapAndColours) {
    using C = trev::LabelColours;
    const std::tuple<std::int64_t, const char*, C> cases[] = {
        {0, "0 KBytes       ", C::Normal}, {-50, "-50 KBytes     ", C::Warning}, {99999999, "99999999 KBytes", C::Normal},
        {123456789, "99999999 KBytes", C::Normal},    // plenty of space is capped
        {-12345678, "-12345678 KByte", C::Warning}};   // 16 characters lose the last
    for (auto [kb, text, colours] : cases) {
        EXPECT_EQ(trev::diskUsageLabelText(kb).text, text) << kb;
        EXPECT_EQ(trev::diskUsageLabelText(kb).colours, colours) << kb;
    }
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
