// Disk accounting: the choose/release table of the install and remove forms
// cell by cell, the installed usage, the label text, the free-space
// estimator's result and the free space argument.
#include <string>

#include "catalogueTest.h"
#include "core/diskUsage.h"

namespace {

// One product holding one package of 500 KBytes, with the package's
// references and the figures set by each case.
struct OnePackage {
    trev::Catalogue cat{trev::CatalogueFiles{}};
    trev::ProductRecord* product;
    trev::PackageRecord* pkg;
    OnePackage(std::int64_t refs, std::int64_t installed, std::int64_t estimated) {
        cat.products.emplace_back();
        product = &cat.products.back();
        cat.addPkgInProd(*product, "PKG");
        pkg = product->packages[0].package;
        pkg->size = 500;
        pkg->refCount = refs;
        cat.installedDiskUsage = installed;
        cat.estimatedDiskUsage = estimated;
    }
};

struct Cell {
    int kind;
    bool select;
    std::int64_t refs, installed, estimated;   // before
    std::int64_t refsAfter, estimatedAfter;
};

void check(const Cell& c) {
    OnePackage o(c.refs, c.installed, c.estimated);
    trev::updateDiskUsage(o.cat, *o.product, c.kind, c.select);
    EXPECT_EQ(o.pkg->refCount, c.refsAfter)
        << "kind " << c.kind << (c.select ? " choose" : " release") << " R=" << c.refs
        << " inst=" << c.installed << " est=" << c.estimated;
    EXPECT_EQ(o.cat.estimatedDiskUsage, c.estimatedAfter)
        << "kind " << c.kind << (c.select ? " choose" : " release") << " R=" << c.refs
        << " inst=" << c.installed << " est=" << c.estimated;
    EXPECT_EQ(o.cat.installedDiskUsage, c.installed);
}

TEST(UpdateDiskUsage, EveryCellOfTheTable) {
    std::vector<Cell> cells = {
        // The install form (2): choose, then release.
        {2, true, 0, 1000, 1000, 1, 1500},   // R = 0: estimate += S, R becomes 1
        {2, true, 1, 1000, 1000, 2, 1000},   // R = 1: R becomes 2
        {2, true, 5, 1000, 1000, 6, 1000},   // R > 1: R + 1
        {2, false, 0, 1000, 1800, 0, 1800},   // R = 0: nothing
        {2, false, 1, 1000, 1800, 0, 1300},    // R = 1: estimate -= S, R becomes 0
        {2, false, 1, 1000, 1200, 1, 1000},    // ... below installed: clamp, R stays 1
        {2, false, 1, 1000, 1500, 0, 1000},    // ... exactly installed: R becomes 0
        {2, false, 3, 1000, 1800, 2, 1800},    // R > 1: R - 1
        // The remove form (9): choose, then release.
        {9, true, 0, 1000, 1000, 0, 1000},   // R = 0: nothing
        {9, true, 1, 1000, 1000, 0, 500},    // R = 1: estimate -= S, R becomes 0
        {9, true, 1, 1000, 300, 1, 0},       // ... below 0: clamp to 0, R stays 1
        {9, true, 1, 1000, 500, 0, 0},       // ... exactly 0: R becomes 0
        {9, true, 4, 1000, 1000, 3, 1000},   // R > 1: R - 1
        {9, false, 0, 1000, 400, 1, 900},    // R = 0: estimate += S, R becomes 1
        {9, false, 0, 1000, 800, 0, 1000},   // ... above installed: clamp, R stays 0
        {9, false, 0, 1000, 500, 1, 1000},   // ... exactly installed: R becomes 1
        {9, false, 1, 1000, 400, 2, 400},    // R = 1: R + 1
        {9, false, 2, 1000, 400, 3, 400},    // R > 1: R + 1
    };
    // Other kinds change nothing.
    for (int kind : {0, 11, 12, 13, 18})
        for (bool select : {true, false}) cells.push_back({kind, select, 0, 1000, 1000, 0, 1000});
    for (const Cell& c : cells) check(c);
}

TEST(UpdateDiskUsage, APackageListedTwiceTakesAndGivesBackTwoReferences) {
    OnePackage o(0, 0, 0);
    o.cat.addPkgInProd(*o.product, "PKG");
    trev::updateDiskUsage(o.cat, *o.product, 2, true);
    EXPECT_EQ(o.pkg->refCount, 2);
    EXPECT_EQ(o.cat.estimatedDiskUsage, 500);
    trev::updateDiskUsage(o.cat, *o.product, 2, false);
    EXPECT_EQ(o.pkg->refCount, 0);
    EXPECT_EQ(o.cat.estimatedDiskUsage, 0);
}

TEST(InstalledDiskUsage, SumsThePackagesWithReferences) {
    trev::Catalogue c{trev::CatalogueFiles{}};
    c.putPkgsInList("A").size = 100;
    c.putPkgsInList("A").refCount = 2;
    c.putPkgsInList("B").size = 40;
    c.putPkgsInList("C").size = 7;
    c.putPkgsInList("C").refCount = 1;
    trev::getInstalledDiskUsage(c);
    EXPECT_EQ(c.installedDiskUsage, 107);
    EXPECT_EQ(c.estimatedDiskUsage, 107);
    EXPECT_EQ(trev::requiredSpace(c), 0);
}

// ---- Label text ---------------------------------------------------------------------------

TEST(LabelText, FifteenCharactersCapAndColours) {
    using trev::LabelColours;
    const struct {
        std::int64_t kb;
        const char* text;
        LabelColours colours;
    } cases[] = {
        {0, "0 KBytes       ", LabelColours::Normal},
        {60, "60 KBytes      ", LabelColours::Normal},
        {-50, "-50 KBytes     ", LabelColours::Warning},
        {99999999, "99999999 KBytes", LabelColours::Normal},
        // Plenty of space is capped, and never shown as a warning.
        {123456789, "99999999 KBytes", LabelColours::Normal},
        // A 16-character text loses its last letter.
        {-12345678, "-12345678 KByte", LabelColours::Warning},
        // Values beyond 32 bits are texts like any other.
        {-5000000000, "-5000000000 KBy", LabelColours::Warning},
    };
    for (const auto& c : cases) {
        const auto label = trev::diskUsageLabelText(c.kb);
        EXPECT_EQ(label.text, c.text) << c.kb;
        EXPECT_EQ(label.colours, c.colours) << c.kb;
    }
}

// ---- The estimator's result ----------------------------------------------------------------

std::optional<std::int64_t> result(const std::string& text) {
    cat::Stream s(text);
    return trev::readFreeDiskResult(s);
}

TEST(FreeDiskResult, FirstLineCutAtThirteenCharactersLessTheLast) {
    const std::pair<std::string, std::optional<std::int64_t>> cases[] = {
        {"2048000\n", 2048000},
        {"2048000 KB free\nmore\n", 2048000},
        {"-5\n", -5},
        {"100000000\n", 100000000},
        {"\n", 0},
        {"none\n", 0},
        // Thirteen characters are read and the last of them dropped: the
        // thirteenth digit is lost.
        {"1234567890123\n", 123456789012},
        {"000000000123456\n", 123},
        // Without a line feed the last character is still dropped.
        {"2048000", 204800},
        {"", std::nullopt},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(result(text), value) << text;
    EXPECT_TRUE(trev::freeDiskInRange(0));
    EXPECT_TRUE(trev::freeDiskInRange(99999999));
    EXPECT_FALSE(trev::freeDiskInRange(100000000));
    EXPECT_FALSE(trev::freeDiskInRange(-1));
}

TEST(DiskAvail, LeadingNumberAndAnythingElseZero) {
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
        {"100", 100}, {"-5", -5}, {"12kb", 12}, {"lots", 0}, {"", 0},
        {"4294967296", 4294967296}, {"999999999999999999", 999999999999999999},
        {"1000000000000000000", std::nullopt}, {"-99999999999999999999", std::nullopt}};
    for (const auto& [text, value] : cases) EXPECT_EQ(trev::parseDiskAvail(text), value) << text;
}

}  // namespace
