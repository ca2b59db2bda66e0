// Disk accounting: the choose/release table of the install and remove forms,
// a package shared by products counted once, the installed usage, the label
// text, the free-space estimator's result and the free space argument.
#include <string>

#include "catalogueTest.h"
#include "core/diskUsage.h"

namespace {

// Products each holding the packages named, every package of 500 KBytes.
struct Products : trev::Catalogue {
    explicit Products(const std::vector<std::vector<const char*>>& products)
        : Catalogue(trev::CatalogueFiles{}) {
        for (const auto& pkgs : products) {
            this->products.emplace_back();
            for (const char* p : pkgs) {
                addPkgInProd(this->products.back(), p);
                putPkgsInList(p).size = 500;
            }
        }
    }
};

TEST(UpdateDiskUsage, EveryCellOfTheTable) {
    struct Cell {
        int kind;
        bool select;
        std::int64_t refs, estimated;       // before; installed is 1000
        std::int64_t refsAfter, estimatedAfter;
    };
    std::vector<Cell> cells = {
        // The install form (2): choose, then release.
        {2, true, 0, 1000, 1, 1500},    {2, true, 1, 1000, 2, 1000},   {2, true, 5, 1000, 6, 1000},
        {2, false, 0, 1800, 0, 1800},   {2, false, 1, 1800, 0, 1300},
        {2, false, 1, 1200, 1, 1000},   // below installed: clamped, the reference stays
        {2, false, 1, 1500, 0, 1000},   {2, false, 3, 1800, 2, 1800},
        // The remove form (9): choose, then release.
        {9, true, 0, 1000, 0, 1000},    {9, true, 1, 1000, 0, 500},
        {9, true, 1, 300, 1, 0},        // below 0: clamped, the reference stays
        {9, true, 1, 500, 0, 0},        {9, true, 4, 1000, 3, 1000},   {9, false, 0, 400, 1, 900},
        {9, false, 0, 800, 0, 1000},    // above installed: clamped, no reference
        {9, false, 0, 500, 1, 1000},    {9, false, 1, 400, 2, 400},    {9, false, 2, 400, 3, 400},
    };
    for (int kind : {0, 11, 12, 13, 18})   // other kinds change nothing
        for (bool select : {true, false}) cells.push_back({kind, select, 0, 1000, 0, 1000});
    for (const Cell& c : cells) {
        Products cat({{"PKG"}});
        cat.findPackage("PKG")->refCount = c.refs;
        cat.installedDiskUsage = 1000;
        cat.estimatedDiskUsage = c.estimated;
        trev::updateDiskUsage(cat, cat.products[0], c.kind, c.select);
        const std::string cell = std::to_string(c.kind) + (c.select ? " choose R=" : " release R=") +
                                 std::to_string(c.refs) + " est=" + std::to_string(c.estimated);
        EXPECT_EQ(cat.findPackage("PKG")->refCount, c.refsAfter) << cell;
        EXPECT_EQ(cat.estimatedDiskUsage, c.estimatedAfter) << cell;
        EXPECT_EQ(cat.installedDiskUsage, 1000) << cell;
    }
}

TEST(UpdateDiskUsage, ASharedPackageCountsOnceWhoeverHoldsIt) {
    // Products 0 and 1 share S; product 2 lists D twice.
    Products cat({{"S"}, {"S", "OWN"}, {"D", "D"}});
    const struct {
        std::size_t product;
        bool select;
        std::int64_t required;
    } steps[] = {{0, true, 500}, {1, true, 1000}, {0, false, 1000}, {1, false, 0},
                 {2, true, 500}, {2, false, 0}};
    for (const auto& s : steps) {
        trev::updateDiskUsage(cat, cat.products[s.product], trev::kInstallKind, s.select);
        EXPECT_EQ(trev::requiredSpace(cat), s.required) << s.product << " " << s.select;
    }
    EXPECT_EQ(cat.findPackage("S")->refCount, 0);
    EXPECT_EQ(cat.findPackage("D")->refCount, 0);
}

TEST(InstalledDiskUsage, SumsThePackagesWithReferencesAndFiguresFollow) {
    Products c({{"A", "B", "C"}});
    c.findPackage("A")->refCount = 2;
    c.findPackage("C")->refCount = 1;
    c.findPackage("C")->size = 7;
    trev::getInstalledDiskUsage(c);
    EXPECT_EQ(c.installedDiskUsage, 507);
    EXPECT_EQ(c.estimatedDiskUsage, 507);
    c.freeDisk = 1000;
    c.estimatedDiskUsage = 600;
    EXPECT_EQ(trev::requiredSpace(c), 93);
    EXPECT_EQ(trev::availableSpace(c), 907);
    EXPECT_EQ(trev::freedSpace(c), -93);
}

TEST(LabelText, FifteenCharactersCapAndColours) {
    using trev::LabelColours;
    const struct {
        std::int64_t kb;
        const char* text;
        LabelColours colours;
    } cases[] = {
        {0, "0 KBytes       ", LabelColours::Normal},
        {-50, "-50 KBytes     ", LabelColours::Warning},
        {99999999, "99999999 KBytes", LabelColours::Normal},
        {123456789, "99999999 KBytes", LabelColours::Normal},   // plenty of space is capped
        {-12345678, "-12345678 KByte", LabelColours::Warning},  // 16 characters lose the last
        {-5000000000, "-5000000000 KBy", LabelColours::Warning},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(trev::diskUsageLabelText(c.kb).text, c.text) << c.kb;
        EXPECT_EQ(trev::diskUsageLabelText(c.kb).colours, c.colours) << c.kb;
    }
}

TEST(FreeDiskResult, FirstLineCutAtThirteenCharactersLessTheLast) {
    const std::pair<std::string, std::optional<std::int64_t>> cases[] = {
        {"2048000 KB free\nmore\n", 2048000}, {"-5\n", -5}, {"none\n", 0}, {"\n", 0},
        {"1234567890123\n", 123456789012},   // the thirteenth digit is lost
        {"000000000123456\n", 123},
        {"2048000", 204800},                 // without a line feed the last character goes
        {"", std::nullopt},
    };
    for (const auto& [text, value] : cases) {
        cat::Stream s(text);
        EXPECT_EQ(trev::readFreeDiskResult(s), value) << text;
    }
    for (std::int64_t v : {-1, 0, 99999999, 100000000})
        EXPECT_EQ(trev::freeDiskInRange(v), v == 0 || v == 99999999) << v;
}

TEST(DiskAvail, LeadingNumberOfAtMost18Digits) {
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
        {"-5", -5}, {"12kb", 12}, {"lots", 0}, {"", 0}, {"4294967296", 4294967296},
        {"999999999999999999", 999999999999999999}, {"1000000000000000000", std::nullopt},
        {"-99999999999999999999", std::nullopt}};
    for (const auto& [text, value] : cases) EXPECT_EQ(trev::parseDiskAvail(text), value) << text;
}

}  // namespace
