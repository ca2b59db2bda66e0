// The catalogue readers and the writer: product description lines, the
// bundle and package information files, product and package markers, the
// hold-product file, and the shared package list.
#include <string>
#include <vector>

#include "catalogueTest.h"

namespace {

using trev::ReadEnd;

std::vector<std::string> packageNames(const trev::ProductRecord& p) {
    std::vector<std::string> names;
    for (const trev::PackageRef& r : p.packages) names.push_back(r.package->name);
    return names;
}

std::vector<std::string> packageListOrder(const trev::Catalogue& c) {
    std::vector<std::string> names;
    for (const trev::PackageRecord* p : c.packageList()) names.push_back(p->name);
    return names;
}

// ---- Field splitter ------------------------------------------------------------------

TEST(GetField, SplitsAtTheFirstBlankAndSkipsTheRunAfterIt) {
    std::string dest;
    auto rest = trev::getField("abc   def ghi", dest, 80);
    ASSERT_TRUE(rest);
    EXPECT_EQ(dest, "abc");
    EXPECT_EQ(*rest, "def ghi");
    // A field without a blank after it ends the text.
    EXPECT_FALSE(trev::getField("last", dest, 80));
    EXPECT_EQ(dest, "last");
    // An empty field: the text starts with a blank.
    rest = trev::getField("  x", dest, 80);
    ASSERT_TRUE(rest);
    EXPECT_EQ(dest, "");
    EXPECT_EQ(*rest, "x");
    // Blanks at the end leave an empty rest, not the end of the text.
    rest = trev::getField("x  ", dest, 80);
    ASSERT_TRUE(rest);
    EXPECT_EQ(*rest, "");
}

TEST(GetField, CutsToWidthLessOneAndTreatsTabsAsText) {
    std::string dest;
    auto rest = trev::getField("abcdefghij next", dest, 5);
    ASSERT_TRUE(rest);
    EXPECT_EQ(dest, "abcd");
    EXPECT_EQ(*rest, "next");
    EXPECT_FALSE(trev::getField("a\tb", dest, 80));
    EXPECT_EQ(dest, "a\tb");
}

TEST(ReadLine, ReadsAtMost511CharactersAndStopsAtANul) {
    cat::Stream s(std::string(600, 'x') + "\n" + std::string("ab\0cd\n", 6) + "tail");
    std::string line;
    ASSERT_TRUE(trev::readCatalogueLine(s, line));
    EXPECT_EQ(line, std::string(511, 'x'));
    ASSERT_TRUE(trev::readCatalogueLine(s, line));
    EXPECT_EQ(line, std::string(89, 'x') + "\n");
    ASSERT_TRUE(trev::readCatalogueLine(s, line));
    EXPECT_EQ(line, "ab");
    ASSERT_TRUE(trev::readCatalogueLine(s, line));
    EXPECT_EQ(line, "tail");
    EXPECT_FALSE(trev::readCatalogueLine(s, line));
}

TEST(ScanDecimal, ReadsAsPercentDDoesAndRefusesWhatDoesNotFit) {
    std::int32_t v = 7;
    EXPECT_EQ(trev::scanDecimal(" \t-42abc", v), trev::DecimalScan::Ok);
    EXPECT_EQ(v, -42);
    EXPECT_EQ(trev::scanDecimal("+2147483647", v), trev::DecimalScan::Ok);
    EXPECT_EQ(v, 2147483647);
    EXPECT_EQ(trev::scanDecimal("-2147483648", v), trev::DecimalScan::Ok);
    EXPECT_EQ(v, -2147483647 - 1);
    v = 7;
    EXPECT_EQ(trev::scanDecimal("2147483648", v), trev::DecimalScan::OutOfRange);
    EXPECT_EQ(trev::scanDecimal("x12", v), trev::DecimalScan::NoDigits);
    EXPECT_EQ(trev::scanDecimal("-", v), trev::DecimalScan::NoDigits);
    EXPECT_EQ(v, 7);
    std::int64_t w = 0;
    EXPECT_EQ(trev::scanDecimal("-9223372036854775808", w), trev::DecimalScan::Ok);
    EXPECT_EQ(w, INT64_MIN);
    EXPECT_EQ(trev::scanDecimal("9223372036854775808", w), trev::DecimalScan::OutOfRange);
    EXPECT_EQ(trev::scanDecimal("99999999999999999999999", w), trev::DecimalScan::OutOfRange);
}

// ---- Product description and selection files -------------------------------------------

TEST(ProductLine, FieldsTildesBlanksWidthsAndTheStatus) {
    const std::string title(100, 'T'), aux(90, 'A'), name(40, 'N'), tag1(10, '1'), tag2(60, '2');
    const struct {
        std::string line, title, aux, name;
        std::int32_t size;
        std::string tag1, tag2, status;
    } cases[] = {
        {"Orvanta~Graph~Kit aux1 graphkit 1200 v2 sun4v_x available\n", "Orvanta Graph Kit",
         "aux1", "graphkit", 1200, "v2", "sun4v_x", "available"},
        // Six fields give an empty status.
        {"T a n 5 t1 t2   \n", "T", "a", "n", 5, "t1", "t2", ""},
        // Several blanks; the status is the rest of the line, blanks
        // included, cut to nine.
        {"T    a  n     77 t1  t2    installedAndMore words\n", "T", "a", "n", 77, "t1", "t2",
         "installed"},
        {"T a n 1 t1 t2 a b\n", "T", "a", "n", 1, "t1", "t2", "a b"},
        // Fields cut to their widths; the size field to nine characters.
        {title + " " + aux + " " + name + " 12345678901 " + tag1 + " " + tag2 + " failed",
         std::string(79, 'T'), std::string(79, 'A'), std::string(31, 'N'), 123456789,
         std::string(7, '1'), std::string(55, '2'), "failed"},
        // Five fields and a blank: the sixth is empty, so is the status; a
        // size that is no number counts 0.
        {"t a n x5 tag1 tag2", "t", "a", "n", 0, "tag1", "tag2", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto p = trev::parseProductLine(c.line);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->title, c.title);
        EXPECT_EQ(p->auxField, c.aux);
        EXPECT_EQ(p->name, c.name);
        EXPECT_EQ(p->size, c.size);
        EXPECT_EQ(p->tag1, c.tag1);
        EXPECT_EQ(p->tag2, c.tag2);
        EXPECT_EQ(p->status, c.status);
        EXPECT_EQ(p->selected, 0);
    }
    // Written back, the title carries "~" again and the line is the input.
    auto p = trev::parseProductLine(cases[0].line);
    EXPECT_EQ(trev::formatProductLine(*p), cases[0].line);
    // An empty status survives a write and a read.
    p = trev::parseProductLine(cases[1].line);
    EXPECT_EQ(trev::formatProductLine(*p), "T a n 5 t1 t2 \n");
    auto again = trev::parseProductLine(trev::formatProductLine(*p));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->status, "");
    EXPECT_EQ(again->tag2, "t2");
    // Any of the first five fields ending the line is refused.
    for (const char* bad : {"title\n", "t a n 5\n", "t a n 5 tag1   \n", "\n"})
        EXPECT_FALSE(trev::parseProductLine(bad)) << bad;
}

TEST(ProductDescFile, AWrongLineStopsTheReadWithItsMessage) {
    cat::Root r;
    trev::Catalogue c(r.files(), r.diag);
    EXPECT_EQ(cat::readProducts(c, "A a p1 1 t t available\n"
                                   "B b p2 2 t t failed\n"
                                   "broken line\n"
                                   "C c p3 3 t t installed\n"),
              ReadEnd::WrongFormat);
    EXPECT_EQ(r.diag.take(), "Wrong format in product description file: prods.\n");
    ASSERT_EQ(c.products.size(), 2u);
    EXPECT_EQ(c.products[0].name, "p1");
    EXPECT_EQ(c.products[1].name, "p2");
    EXPECT_EQ(c.products[1].index, 1u);
}

TEST(HoldProductFile, NamesUpToTheFirstBlankAndBadLinesSkipped) {
    cat::Diag diag;
    cat::Stream s("Orvanta~Graph~Kit rest of line\nnoblank\nDraw~It x\n");
    EXPECT_EQ(trev::readHoldProducts(s, diag), "Orvanta Graph Kit\nDraw It\n");
    EXPECT_EQ(diag.take(), "argv[0]: Wrong format in the hold product file.\n");
    cat::Stream empty("");
    EXPECT_EQ(trev::readHoldProducts(empty, diag), "");
}

// ---- Bundle and package information files ---------------------------------------------

TEST(BundleFile, OneBlankAfterTheLeadingFieldThenPackageAndProduct) {
    cat::Diag diag;
    trev::BundleIndex idx;
    cat::Stream s("x PKGA prod1 more text\n"
                  "x  prod2\n"              // a second blank: the package name is empty
                  "x PKGB    prod1\n"       // several blanks after the package are one
                  "x " + std::string(90, 'P') + " " + std::string(40, 'q') + "\n"
                  "x PKGC prod1");          // the last line may lack its line feed
    EXPECT_EQ(trev::readBundleStream(s, "bf", idx, diag), ReadEnd::Ok);
    EXPECT_EQ(diag.take(), "");
    EXPECT_EQ(idx.entries(), 5u);
    const trev::IdSpan p1 = idx.packagesOf("prod1");
    ASSERT_EQ(p1.size(), 3u);
    EXPECT_EQ(idx.packageName(p1[0]), "PKGA");
    EXPECT_EQ(idx.packageName(p1[1]), "PKGB");
    EXPECT_EQ(idx.packageName(p1[2]), "PKGC");
    const trev::IdSpan p2 = idx.packagesOf("prod2");
    ASSERT_EQ(p2.size(), 1u);
    EXPECT_EQ(idx.packageName(p2[0]), "");
    const trev::IdSpan cutName = idx.packagesOf(std::string(31, 'q'));
    ASSERT_EQ(cutName.size(), 1u);
    EXPECT_EQ(idx.packageName(cutName[0]), std::string(79, 'P'));
    EXPECT_TRUE(idx.packagesOf("nobody").empty());
}

TEST(BundleFile, KeepsOnlyTheProductsAskedForButCountsEveryEntry) {
    cat::Diag diag;
    trev::BundleIndex idx;
    idx.keepOnly({"want", "also"});
    cat::Stream s("x P1 other\nx P2 want\nx P3 other\nx P1 want\nx P4 also\nx P2 want\n");
    EXPECT_EQ(trev::readBundleStream(s, "bf", idx, diag), ReadEnd::Ok);
    EXPECT_EQ(idx.entries(), 6u);
    const trev::IdSpan want = idx.packagesOf("want");
    ASSERT_EQ(want.size(), 3u);
    EXPECT_EQ(idx.packageName(want[0]), "P2");
    EXPECT_EQ(idx.packageName(want[1]), "P1");
    EXPECT_EQ(idx.packageName(want[2]), "P2");
    EXPECT_EQ(want[0], want[2]);   // one name, one id
    EXPECT_EQ(idx.packagesOf("also").size(), 1u);
    EXPECT_TRUE(idx.packagesOf("other").empty());
    EXPECT_EQ(idx.distinctPackages(), 3u);   // P3 was never kept
    // Entries added after a look-up are grouped in on the next one.
    idx.add("P9", "also");
    const trev::IdSpan also = idx.packagesOf("also");
    ASSERT_EQ(also.size(), 2u);
    EXPECT_EQ(idx.packageName(also[1]), "P9");
}

TEST(NameIndex, FindsEveryNameThroughGrowthAndNothingElse) {
    std::vector<std::string> names;
    trev::NameIndex index;
    const auto nameOf = [&](std::uint32_t id) -> std::string_view { return names[id]; };
    for (std::uint32_t i = 0; i < 20000; ++i) {
        // Names that differ in one character only, and the empty name.
        names.push_back(i == 0 ? std::string() : "PKG" + std::to_string(i * 7919u));
        ASSERT_EQ(index.find(names.back(), nameOf), trev::NameIndex::kNone);
        index.insert(names.back(), i);
    }
    EXPECT_EQ(index.size(), names.size());
    for (std::uint32_t i = 0; i < names.size(); ++i) ASSERT_EQ(index.find(names[i], nameOf), i);
    EXPECT_EQ(index.find("PKG1", nameOf), trev::NameIndex::kNone);
    EXPECT_EQ(index.find("PKG7919 ", nameOf), trev::NameIndex::kNone);
}

TEST(BundleFile, AnEmptyLineOrAPackageEndingTheLineStopsTheRead) {
    for (const char* bad : {"\n", "nolead\n", "x PKG\n"}) {
        cat::Diag diag;
        trev::BundleIndex idx;
        cat::Stream s(std::string("x A p\n") + bad + "x B p\n");
        EXPECT_EQ(trev::readBundleStream(s, "/r/bundles.sun4v", idx, diag), ReadEnd::WrongFormat)
            << bad;
        EXPECT_EQ(diag.take(), "Wrong format in bundle file: /r/bundles.sun4v.\n");
        EXPECT_EQ(idx.entries(), 1u) << "the entries before the bad line stay";
    }
}

TEST(PkginfoFile, LastEqualEntryWinsAndTheSizeNeedsABlankAfterIt) {
    cat::Diag diag;
    trev::PkgSizeIndex idx;
    cat::Stream s("x A 100 y\nx B  200 y z\nx A 300 y\nx C abc y\n");
    EXPECT_EQ(trev::readPkginfoStream(s, "pf", idx, diag), ReadEnd::Ok);
    EXPECT_EQ(idx.entries(), 4u);
    EXPECT_EQ(idx.sizeOf("A"), 300);
    EXPECT_EQ(idx.sizeOf("B"), 200);
    EXPECT_EQ(idx.sizeOf("C"), 0);
    EXPECT_FALSE(idx.sizeOf("D"));
    EXPECT_EQ(diag.take(), "");
    for (const char* bad : {"noblank\n", "x PKG\n", "x PKG 100\n", "x PKG 99999999999 y\n"}) {
        trev::PkgSizeIndex idx2;
        cat::Stream s2(std::string("x A 1 y\n") + bad);
        EXPECT_EQ(trev::readPkginfoStream(s2, "/r/pkginfo.sun4v", idx2, diag), ReadEnd::WrongFormat)
            << bad;
        EXPECT_EQ(diag.take(), "Wrong format in package info file: /r/pkginfo.sun4v.\n");
        EXPECT_EQ(idx2.sizeOf("A"), 1);
    }
    // In the package information file, too, only one blank may follow the
    // leading field: a second makes the package name empty.
    trev::PkgSizeIndex idx3;
    cat::Stream s3("x  PKG 5 y\n");
    EXPECT_EQ(trev::readPkginfoStream(s3, "pf", idx3, diag), ReadEnd::Ok);
    EXPECT_EQ(idx3.sizeOf(""), 0);   // the size field held "PKG"
    EXPECT_FALSE(idx3.sizeOf("PKG"));
}

// ---- Markers -------------------------------------------------------------------------------

TEST(ProductMarker, TheHeaderIsSkippedAndEachLineIsAPackageWhole) {
    cat::Diag diag;
    std::vector<std::string> pkgs;
    cat::Stream s("header line of the marker\nPKGA\npkg with blanks\n\nPKGZ");
    EXPECT_EQ(trev::readProductMarkerStream(s, "m", pkgs, diag), ReadEnd::Ok);
    EXPECT_EQ(pkgs, (std::vector<std::string>{"PKGA", "pkg with blanks", "", "PKGZ"}));
    EXPECT_EQ(diag.take(), "");
}

TEST(ProductMarker, APackageNameBeyond79CharactersIsAnError) {
    cat::Diag diag;
    std::vector<std::string> pkgs;
    cat::Stream s("h\n" + std::string(79, 'a') + "\n" + std::string(80, 'b') + "\nC\n");
    EXPECT_EQ(trev::readProductMarkerStream(s, "/r/pdts/x.ok", pkgs, diag), ReadEnd::Fatal);
    EXPECT_EQ(pkgs.size(), 1u);
    EXPECT_EQ(diag.take(), "Package name longer than 79 characters in file /r/pdts/x.ok: " +
                               std::string(80, 'b') + "\n");
}

TEST(PackageMarker, SizeBetweenSecondAndThirdBlankAndOneReferencePerLine) {
    cat::Diag diag;
    trev::PackageRecord ok, nok;
    cat::Stream s1("PKG 1.0 512 rest\nprodA\nprodB\nprodC");
    EXPECT_EQ(trev::readPackageMarkerStream(s1, "m", true, ok, diag), ReadEnd::Ok);
    EXPECT_EQ(ok.size, 512);
    EXPECT_EQ(ok.refCount, 3);
    // A failed package: only the first line counts.
    cat::Stream s2("PKG 1.0 64 rest\nprodA\n");
    EXPECT_EQ(trev::readPackageMarkerStream(s2, "m", false, nok, diag), ReadEnd::Ok);
    EXPECT_EQ(nok.size, 64);
    EXPECT_EQ(nok.refCount, 0);
    // Blanks are counted one by one: two in a row make an empty field.
    trev::PackageRecord dbl;
    cat::Stream s3("PKG  77 x\nprod\n");
    EXPECT_EQ(trev::readPackageMarkerStream(s3, "m", true, dbl, diag), ReadEnd::Ok);
    EXPECT_EQ(dbl.size, 77);
    EXPECT_EQ(diag.take(), "");
}

TEST(PackageMarker, FewerThanThreeBlanksLeaveSizeZeroAndNoReferences) {
    for (const char* first : {"PKG 1.0 512\n", "PKG 512\n", "", "PKG 1 99999999999 x\n"}) {
        cat::Diag diag;
        trev::PackageRecord p;
        cat::Stream s(std::string(first) + "prodA\nprodB\n");
        EXPECT_EQ(trev::readPackageMarkerStream(s, "/r/pkgs/PKG.ok", true, p, diag),
                  ReadEnd::WrongFormat)
            << first;
        EXPECT_EQ(diag.take(), "Wrong format in package file: /r/pkgs/PKG.ok.\n");
        EXPECT_EQ(p.size, 0);
        EXPECT_EQ(p.refCount, 0);
    }
}

// ---- The catalogue: package list, products' packages, sizes ----------------------------

TEST(PackageList, SharedOnceInByteOrderWithOneReferencePerMention) {
    cat::Root r;
    trev::Catalogue c(r.files(), r.diag);
    ASSERT_EQ(cat::readProducts(c, "A a p1 1 t t available\nB b p2 2 t t available\n"), ReadEnd::Ok);
    c.addPkgInProd(c.products[0], "beta");
    c.addPkgInProd(c.products[0], "Zeta");
    c.addPkgInProd(c.products[0], "alpha");
    c.addPkgInProd(c.products[1], "beta");
    c.addPkgInProd(c.products[1], "beta");
    c.addPkgInProd(c.products[1], "\xc3\xa9t\xc3\xa9");   // bytes above 127 sort after ASCII
    EXPECT_EQ(packageListOrder(c), (std::vector<std::string>{"Zeta", "alpha", "beta", "\xc3\xa9t\xc3\xa9"}));
    EXPECT_EQ(c.packageList().size(), 4u);
    EXPECT_EQ(c.products[0].packages.size(), 3u);
    EXPECT_EQ(c.products[1].packages.size(), 3u);
    EXPECT_EQ(c.products[0].packages[0].package, c.products[1].packages[0].package);
    EXPECT_EQ(c.products[1].packages[0].package, c.products[1].packages[1].package);
}

TEST(ProductPackages, EachStatusTakesItsSourceInFileOrder) {
    cat::Root r;
    r.bundles("x P3 avail\nx P1 other\nx P2 avail\nx P3 avail\n");
    r.productMarker("inst_t1_t2.ok", "header\nQ2\nQ1\n");
    r.productMarker("fail_t1_t2.nok", "header\nR1\n");
    r.productMarker("fail_t1_t2.ok", "header\nWRONG\n");
    trev::Catalogue c(r.files(), r.diag);
    ASSERT_EQ(cat::readProducts(c, "A a avail 1 t1 t2 available\n"
                                   "B b inst 2 t1 t2 installed\n"
                                   "C c fail 3 t1 t2 failed\n"
                                   "D d none 3 t1 t2 available\n"),
              ReadEnd::Ok);
    for (auto& p : c.products) ASSERT_EQ(c.GetPkgsInProd(p), ReadEnd::Ok) << p.name;
    EXPECT_EQ(packageNames(c.products[0]), (std::vector<std::string>{"P3", "P2", "P3"}));
    EXPECT_EQ(packageNames(c.products[1]), (std::vector<std::string>{"Q2", "Q1"}));
    EXPECT_EQ(packageNames(c.products[2]), (std::vector<std::string>{"R1"}));
    EXPECT_TRUE(c.products[3].packages.empty());
    // P1 belongs to no product read: it is not in the package list.
    EXPECT_EQ(packageListOrder(c), (std::vector<std::string>{"P2", "P3", "Q1", "Q2", "R1"}));
    EXPECT_EQ(r.diag.take(), "");
}

TEST(ProductPackages, UnknownStatusAndMissingMarkerAreFatal) {
    cat::Root r;
    trev::Catalogue c(r.files(), r.diag);
    ASSERT_EQ(cat::readProducts(c, "A a p1 1 t1 t2 pending\nB b p2 2 t1 t2\nC c p3 3 t1 t2 installed\n"),
              ReadEnd::Ok);
    EXPECT_EQ(c.GetPkgsInProd(c.products[0]), ReadEnd::Fatal);
    EXPECT_EQ(r.diag.take(), "Unknown product status pending for product p1.\n");
    EXPECT_EQ(c.GetPkgsInProd(c.products[1]), ReadEnd::Fatal);
    EXPECT_EQ(r.diag.take(), "Unknown product status  for product p2.\n");
    EXPECT_EQ(c.GetPkgsInProd(c.products[2]), ReadEnd::Fatal);
    EXPECT_EQ(r.diag.take(), "Cannot open file " + r.root.file("install/pdts/p3_t1_t2.ok") +
                                 "(No such file or directory)\n");
}

TEST(ProductPackages, ABundleReadWithoutEntriesIsDoneAgainOnNextNeed) {
    cat::Root r;
    r.bundles("");
    trev::Catalogue c(r.files(), r.diag);
    ASSERT_EQ(cat::readProducts(c, "A a p1 1 t t available\nB b p2 2 t t available\n"
                                   "C c p3 3 t t available\n"),
              ReadEnd::Ok);
    EXPECT_EQ(c.GetPkgsInProd(c.products[0]), ReadEnd::Ok);
    EXPECT_TRUE(c.products[0].packages.empty());
    // A first line in the wrong format also leaves nothing read.
    r.bundles("bad\n");
    EXPECT_EQ(c.GetPkgsInProd(c.products[1]), ReadEnd::Ok);
    EXPECT_EQ(r.diag.take(), "Wrong format in bundle file: " + r.files().bundleFile + ".\n");
    r.bundles("x PK p3\n");
    EXPECT_EQ(c.GetPkgsInProd(c.products[2]), ReadEnd::Ok);
    EXPECT_EQ(packageNames(c.products[2]), (std::vector<std::string>{"PK"}));
    // Once it has entries it is not read again.
    r.bundles("x OTHER p3\n");
    c.products[2].packages.clear();
    EXPECT_EQ(c.GetPkgsInProd(c.products[2]), ReadEnd::Ok);
    EXPECT_EQ(packageNames(c.products[2]), (std::vector<std::string>{"PK"}));
}

TEST(ProductPackages, AnUnreadableBundleFileIsFatal) {
    cat::Root r;
    trev::Catalogue c(r.files(), r.diag);
    ASSERT_EQ(cat::readProducts(c, "A a p1 1 t t available\n"), ReadEnd::Ok);
    EXPECT_EQ(c.buildProdSizeInfo(2), ReadEnd::Fatal);
    EXPECT_EQ(r.diag.take(), "Cannot open bundle file " + r.files().bundleFile +
                                 "(No such file or directory)\n");
}

TEST(PackageSizes, MarkersFirstThenThePackageInformationFile) {
    cat::Root r;
    r.bundles("x INST p1\nx FAIL p1\nx NEW p1\nx NONE p1\nx BAD p1\n");
    r.pkginfo("x NEW 10 y\nx INST 999 y\nx NEW 30 y\nx FAIL 999 y\n");
    r.packageMarker("INST.ok", "INST a 700 b\ninstalledProd1\ninstalledProd2\n");
    r.packageMarker("INST.nok", "INST a 1 b\n");
    r.packageMarker("FAIL.nok", "FAIL a 40 b\nignored\n");
    r.packageMarker("BAD.ok", "BAD 5\nx\n");
    for (int kind : {2, 18}) {
        trev::Catalogue c(r.files(), r.diag);
        ASSERT_EQ(cat::readProducts(c, "A a p1 1 t t available\n"), ReadEnd::Ok);
        ASSERT_EQ(c.buildProdSizeInfo(kind), ReadEnd::Ok);
        EXPECT_EQ(c.findPackage("INST")->size, 700);
        EXPECT_EQ(c.findPackage("INST")->refCount, 2);
        EXPECT_EQ(c.findPackage("FAIL")->size, 40);
        EXPECT_EQ(c.findPackage("FAIL")->refCount, 0);
        EXPECT_EQ(c.findPackage("NEW")->size, 30);
        EXPECT_EQ(c.findPackage("NONE")->size, 0);
        EXPECT_EQ(c.findPackage("BAD")->size, 0);
        EXPECT_EQ(c.findPackage("BAD")->refCount, 0);
        EXPECT_EQ(r.diag.take(),
                  "Wrong format in package file: " + r.root.file("install/pkgs/BAD.ok") + ".\n");
    }
    // The remove form: a package that is not installed frees nothing, and
    // the package information file is not even needed.
    r.root.write("install/tmp/pkginfo.sun4v", "");
    trev::Catalogue c(r.files(), r.diag);
    ASSERT_EQ(cat::readProducts(c, "A a p1 1 t t available\n"), ReadEnd::Ok);
    ASSERT_EQ(c.buildProdSizeInfo(9), ReadEnd::Ok);
    EXPECT_EQ(c.findPackage("INST")->size, 700);
    EXPECT_EQ(c.findPackage("FAIL")->size, 0);
    EXPECT_EQ(c.findPackage("NEW")->size, 0);
}

TEST(PackageSizes, MarkersBelowTheFolderAndWithoutAFolder) {
    cat::Root r;
    r.bundles("x sub/DEEP p1\nx FLAT p1\n");
    r.pkginfo("x sub/DEEP 1 y\nx FLAT 2 y\n");
    r.packageMarker("sub/DEEP.ok", "DEEP a 64 b\nprod\n");
    {
        trev::Catalogue c(r.files(), r.diag);
        ASSERT_EQ(cat::readProducts(c, "A a p1 1 t t available\n"), ReadEnd::Ok);
        ASSERT_EQ(c.buildProdSizeInfo(2), ReadEnd::Ok);
        EXPECT_EQ(c.findPackage("sub/DEEP")->size, 64);
        EXPECT_EQ(c.findPackage("sub/DEEP")->refCount, 1);
        EXPECT_EQ(c.findPackage("FLAT")->size, 2);
    }
    // No marker folder at all: every size from the package information.
    tk::removeTree(r.root.file("install/pkgs"));
    trev::Catalogue c(r.files(), r.diag);
    ASSERT_EQ(cat::readProducts(c, "A a p1 1 t t available\n"), ReadEnd::Ok);
    ASSERT_EQ(c.buildProdSizeInfo(2), ReadEnd::Ok);
    EXPECT_EQ(c.findPackage("sub/DEEP")->size, 1);
    EXPECT_EQ(c.findPackage("sub/DEEP")->refCount, 0);
    EXPECT_EQ(r.diag.take(), "");
}

TEST(PackageSizes, AMissingPackageInformationFileIsFatalOnlyWhenNeeded) {
    cat::Root r;
    r.bundles("x INST p1\n");
    r.packageMarker("INST.ok", "INST a 700 b\n");
    {
        trev::Catalogue c(r.files(), r.diag);
        ASSERT_EQ(cat::readProducts(c, "A a p1 1 t t available\n"), ReadEnd::Ok);
        EXPECT_EQ(c.buildProdSizeInfo(2), ReadEnd::Ok);
    }
    r.bundles("x INST p1\nx OTHER p1\n");
    trev::Catalogue c(r.files(), r.diag);
    ASSERT_EQ(cat::readProducts(c, "A a p1 1 t t available\n"), ReadEnd::Ok);
    EXPECT_EQ(c.buildProdSizeInfo(2), ReadEnd::Fatal);
    EXPECT_EQ(r.diag.take(), "Cannot open pkginfo file " + r.files().pkginfoFile +
                                 "(No such file or directory)\n");
}

}  // namespace
