// The catalogue's readers and writer: lines and numbers, product lines, the
// product description, hold-product, bundle and package information files,
// the markers, and the shared package list with its sizes and references.
#include <string>
#include <vector>

#include "catalogueTest.h"

namespace {

using trev::ReadEnd;
using Names = std::vector<std::string>;

Names packageNames(const trev::ProductRecord& p) {
    Names names;
    for (const trev::PackageRef& r : p.packages) names.push_back(r.package->name);
    return names;
}

TEST(ReadLine, ReadsAtMost511CharactersAndStopsAtANul) {
    cat::Stream s(std::string(600, 'x') + "\n" + std::string("ab\0cd\n", 6) + "tail");
    std::string line;
    for (const std::string& want : {std::string(511, 'x'), std::string(89, 'x') + "\n", std::string("ab"), std::string("tail")})
        EXPECT_TRUE(trev::readCatalogueLine(s, line) && line == want) << want.substr(0, 5);
    EXPECT_FALSE(trev::readCatalogueLine(s, line));
}

TEST(ScanDecimal, ReadsAsPercentDDoesAndRefusesWhatDoesNotFit) {
    using D = trev::DecimalScan;
    const std::tuple<const char*, D, std::int32_t> cases[] = {
        {" \t-42abc", D::Ok, -42}, {"+2147483647", D::Ok, INT32_MAX}, {"-2147483648", D::Ok, INT32_MIN},
        {"2147483648", D::OutOfRange, 7}, {"x12", D::NoDigits, 7}, {"-", D::NoDigits, 7}};
    for (auto [text, scan, value] : cases) {
        std::int32_t v = 7;
        EXPECT_EQ(trev::scanDecimal(text, v), scan) << text;
        EXPECT_EQ(v, value) << text;
    }
    std::int64_t w = 0;
    EXPECT_TRUE(trev::scanDecimal("-9223372036854775808", w) == D::Ok && w == INT64_MIN);
}

TEST(ProductLine, FieldsTildesBlanksWidthsAndTheStatus) {
    // "title|aux|name|size|tag1|tag2|status" of each line; nothing when one
    // of the first five fields ends the line.
    const std::pair<std::string, std::string> cases[] = {
        {"Orvanta~Graph~Kit aux1 graphkit 1200 v2 sun4v_x available\n", "Orvanta Graph Kit|aux1|graphkit|1200|v2|sun4v_x|available"},
        {"T a n 5 t1 t2   \n", "T|a|n|5|t1|t2|"},   // trailing blanks: an empty status
        // Runs of blanks split once; the status is the rest, cut to nine; a tab is no blank.
        {"T    a  n     77 t1  t2\tx    installedAndMore\n", "T|a|n|77|t1|t2\tx|installed"},
        {"T a n 1 t1 t2 a b\n", "T|a|n|1|t1|t2|a b"},
        {std::string(100, 'T') + " " + std::string(90, 'A') + " " + std::string(40, 'N') + " 12345678901 " +
             std::string(10, '1') + " " + std::string(60, '2') + " failed",
         std::string(79, 'T') + "|" + std::string(79, 'A') + "|" + std::string(31, 'N') + "|123456789|1111111|" +
             std::string(55, '2') + "|failed"},
        {"t a n x5 tag1 tag2", "t|a|n|0|tag1|tag2|"},
        {"title\n", ""}, {"t a n 5 tag1   \n", ""}};
    for (const auto& [line, fields] : cases) {
        const auto p = trev::parseProductLine(line);
        EXPECT_EQ(p ? p->title + "|" + p->auxField + "|" + p->name + "|" + std::to_string(p->size) + "|" + p->tag1 +
                          "|" + p->tag2 + "|" + p->status
                    : "",
                  fields);
        EXPECT_EQ(p ? p->selected : 0, 0);
    }
    // Written back the title carries "~" again; an empty status survives.
    EXPECT_EQ(trev::formatProductLine(*trev::parseProductLine(cases[0].first)), cases[0].first);
    EXPECT_EQ(trev::formatProductLine(*trev::parseProductLine(cases[1].first)), "T a n 5 t1 t2 \n");
}

TEST(ProductFiles, AWrongDescriptionLineStopsTheReadAHoldLineIsSkipped) {
    cat::Root r;
    trev::Catalogue c(r.files(), r.diag);
    EXPECT_EQ(cat::readProducts(c, "A a p1 1 t t available\nB b p2 2 t t failed\nbroken line\nC c p3 3 t t installed\n"),
              ReadEnd::WrongFormat);
    r.diag.take();
    ASSERT_EQ(c.products.size(), 2u);
    EXPECT_EQ(c.products[1].name + std::to_string(c.products[1].index), "p21");
    cat::Stream hold("Orvanta~Graph~Kit rest of line\nnoblank\nDraw~It x\n");
    EXPECT_EQ(trev::readHoldProducts(hold, r.diag), "Orvanta Graph Kit\nDraw It\n");
    EXPECT_EQ(r.diag.take(), "argv[0]: Wrong format in the hold product file.\n");
}

// Bundle file lines: a leading field, one blank, the package, blanks, the
// product; the package name is cut to 79, the product to 31.
TEST(BundleFile, PackagesOfEachProductInFileOrder) {
    cat::Stream diag, s("x PKGA prod1 more text\nx  prod2\nx PKGB    prod1\nx " + std::string(90, 'P') + " " +
                        std::string(40, 'q') + "\nx PKGA prod1");
    trev::BundleIndex idx;
    EXPECT_EQ(trev::readBundleStream(s, "bf", idx, diag), ReadEnd::Ok);
    const auto names = [&](const trev::BundleIndex& i, const std::string& product) {
        Names n;
        for (std::uint32_t id : i.packagesOf(product)) n.push_back(i.packageName(id));
        return n;
    };
    EXPECT_EQ(names(idx, "prod1"), (Names{"PKGA", "PKGB", "PKGA"}));
    EXPECT_EQ(names(idx, "prod2"), (Names{""}));   // two blanks: an empty package name
    EXPECT_EQ(names(idx, std::string(31, 'q')), (Names{std::string(79, 'P')}));
    EXPECT_EQ(std::make_pair(idx.entries(), idx.distinctPackages()), std::make_pair(std::size_t{5}, std::size_t{4}));
    EXPECT_EQ(diag.take(), "");
    // A bad line stops the read; what came before it stays.
    for (const char* bad : {"\n", "nolead\n", "x PKG\n"}) {
        trev::BundleIndex part;
        cat::Stream b(std::string("x A p\n") + bad + "x B p\n");
        EXPECT_EQ(trev::readBundleStream(b, "/r/b", part, diag), ReadEnd::WrongFormat) << bad;
        EXPECT_EQ(diag.take(), "Wrong format in bundle file: /r/b.\n");
        EXPECT_EQ(part.entries(), 1u);
    }
}

TEST(PkginfoFile, LastEqualEntryWinsAndTheSizeNeedsABlankAfterIt) {
    cat::Stream diag, s("x A 100 y\nx B  200 y z\nx A 300 y\nx C abc y\nx  D 5 y\n");
    trev::PkgSizeIndex idx;
    EXPECT_EQ(trev::readPkginfoStream(s, "pf", idx, diag), ReadEnd::Ok);
    EXPECT_EQ(idx.entries(), 5u);
    // Two blanks after the leading field: an empty name, the size field "D".
    for (auto [name, size] : {std::pair<const char*, int>{"A", 300}, {"B", 200}, {"C", 0}, {"", 0}})
        EXPECT_EQ(idx.sizeOf(name), size) << name;
    EXPECT_FALSE(idx.sizeOf("D"));
    for (const char* bad : {"noblank\n", "x PKG\n", "x PKG 100\n", "x PKG 99999999999 y\n"}) {
        trev::PkgSizeIndex part;
        cat::Stream b(std::string("x A 1 y\n") + bad);
        EXPECT_EQ(trev::readPkginfoStream(b, "/r/p", part, diag), ReadEnd::WrongFormat) << bad;
        EXPECT_EQ(diag.take(), "Wrong format in package info file: /r/p.\n");
        EXPECT_EQ(part.sizeOf("A"), 1);
    }
}

TEST(Markers, PackagesOfAProductSizeAndReferencesOfAPackage) {
    cat::Stream diag, s("header\nPKGA\npkg with blanks\n\n" + std::string(79, 'a') + "\nPKGZ"),
        t("h\nA\n" + std::string(80, 'b') + "\nC\n");
    Names pkgs, cut;
    EXPECT_EQ(trev::readProductMarkerStream(s, "m", pkgs, diag), ReadEnd::Ok);
    EXPECT_EQ(pkgs, (Names{"PKGA", "pkg with blanks", "", std::string(79, 'a'), "PKGZ"}));
    EXPECT_EQ(trev::readProductMarkerStream(t, "/r/x.ok", cut, diag), ReadEnd::Fatal);
    EXPECT_EQ(cut, (Names{"A"}));
    EXPECT_EQ(diag.take(), "Package name longer than 79 characters in file /r/x.ok: " + std::string(80, 'b') + "\n");
    // A package marker: the size between the second and third blank, then
    // one reference a line for an installed package.
    const std::tuple<const char*, bool, std::string> packages[] = {
        {"PKG 1.0 512 rest\nprodA\nprodB\nprodC", true, "512/3"}, {"PKG 1.0 64 rest\nprodA\n", false, "64/0"},
        {"PKG  77 x\nprod\n", true, "77/1"},   // blanks count one by one
        {"PKG 1.0 512\nprodA\n", true, "0/0 wrong"}, {"PKG 512\nprodA\n", true, "0/0 wrong"},
        {"", true, "0/0 wrong"}, {"PKG 1 99999999999 x\nprodA\n", true, "0/0 wrong"}};
    for (const auto& [text, installed, want] : packages) {
        cat::Stream m(text);
        trev::PackageRecord p;
        const ReadEnd end = trev::readPackageMarkerStream(m, "/r/P.ok", installed, p, diag);
        EXPECT_EQ(std::to_string(p.size) + "/" + std::to_string(p.refCount) + (end == ReadEnd::WrongFormat ? " wrong" : ""),
                  want) << text;
        EXPECT_EQ(diag.take(), end == ReadEnd::Ok ? "" : "Wrong format in package file: /r/P.ok.\n") << text;
    }
}

TEST(PackageList, SharedOnceInByteOrderWithOneReferencePerMention) {
    trev::Catalogue c{trev::CatalogueFiles{}};
    c.products.resize(2);
    for (const char* name : {"beta", "Zeta", "alpha"}) c.addPkgInProd(c.products[0], name);
    for (const char* name : {"beta", "beta", "\xc3\xa9t\xc3\xa9"}) c.addPkgInProd(c.products[1], name);
    Names order;
    for (const trev::PackageRecord* p : c.packageList()) order.push_back(p->name);
    EXPECT_EQ(order, (Names{"Zeta", "alpha", "beta", "\xc3\xa9t\xc3\xa9"}));   // strcmp order
    EXPECT_EQ(packageNames(c.products[1]), (Names{"beta", "beta", "\xc3\xa9t\xc3\xa9"}));
    EXPECT_EQ(c.products[0].packages[0].package, c.products[1].packages[1].package);
}

TEST(ProductPackages, EachStatusTakesItsSource) {
    cat::Root r;
    r.put("tmp/bundles.sun4v", "x P3 avail\nx P1 other\nx P2 avail\nx P3 avail\n");
    r.put("pdts/inst_t1_t2.ok", "header\nQ2\nQ1\n");
    r.put("pdts/fail_t1_t2.nok", "header\nR1\n");
    r.put("pdts/fail_t1_t2.ok", "header\nWRONG\n");
    trev::Catalogue c(r.files(), r.diag);
    ASSERT_EQ(cat::readProducts(c, "A a avail 1 t1 t2 available\nB b inst 2 t1 t2 installed\nC c fail 3 t1 t2 failed\n"
                                   "D d none 3 t1 t2 available\n"),
              ReadEnd::Ok);
    const Names want[] = {{"P3", "P2", "P3"}, {"Q2", "Q1"}, {"R1"}, {}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(c.GetPkgsInProd(c.products[i]), ReadEnd::Ok);
        EXPECT_EQ(packageNames(c.products[i]), want[i]);
    }
    EXPECT_EQ(c.packageList().size(), 5u);   // P1 belongs to no product read
    EXPECT_EQ(r.diag.take(), "");
}

TEST(ProductPackages, ABundleReadWithoutEntriesIsDoneAgainOnNextNeed) {
    cat::Root r;
    trev::Catalogue c(r.files(), r.diag);
    ASSERT_EQ(cat::readProducts(c, "A a p1 1 t t available\n"), ReadEnd::Ok);
    for (const char* text : {"", "bad\n", "x PK p1\n", "x OTHER p1\n"}) {
        r.put("tmp/bundles.sun4v", text);
        c.products[0].packages.clear();
        EXPECT_EQ(c.GetPkgsInProd(c.products[0]), ReadEnd::Ok);
    }
    EXPECT_EQ(packageNames(c.products[0]), (Names{"PK"}));   // not read again once it had entries
    EXPECT_EQ(r.diag.take(), "Wrong format in bundle file: " + r.files().bundleFile + ".\n");
}

TEST(PackageSizes, MarkersFirstThenThePackageInformationFileWhenNeeded) {
    cat::Root r;
    r.put("tmp/bundles.sun4v", "x INST p1\nx FAIL p1\nx NEW p1\nx NONE p1\nx BAD p1\nx sub/DEEP p1\n");
    r.put("tmp/pkginfo.sun4v", "x NEW 10 y\nx INST 999 y\nx NEW 30 y\nx FAIL 999 y\nx sub/DEEP 1 y\n");
    r.put("pkgs/INST.ok", "INST a 700 b\ninstalledProd1\ninstalledProd2\n");
    r.put("pkgs/INST.nok", "INST a 1 b\n");
    r.put("pkgs/FAIL.nok", "FAIL a 40 b\nignored\n");
    r.put("pkgs/BAD.ok", "BAD 5\nx\n");
    r.put("pkgs/sub/DEEP.ok", "DEEP a 64 b\nprod\n");
    const auto sizes = [&](int kind) {
        trev::Catalogue c(r.files(), r.diag);
        EXPECT_EQ(cat::readProducts(c, "A a p1 1 t t available\n"), ReadEnd::Ok);
        EXPECT_EQ(c.buildProdSizeInfo(kind), ReadEnd::Ok);
        std::string s;
        for (const trev::PackageRecord* p : c.packageList())
            s += p->name + " " + std::to_string(p->size) + "/" + std::to_string(p->refCount) + " ";
        return s;
    };
    const std::string bad = "Wrong format in package file: " + r.root.file("install/pkgs/BAD.ok") + ".\n";
    for (int kind : {2, 18}) {
        EXPECT_EQ(sizes(kind), "BAD 0/0 FAIL 40/0 INST 700/2 NEW 30/0 NONE 0/0 sub/DEEP 64/1 ");
        EXPECT_EQ(r.diag.take(), bad);
    }
    // The remove form: what is not installed frees nothing; the package
    // information file is not needed.
    tk::removeTree(r.files().pkginfoFile);
    EXPECT_EQ(sizes(9), "BAD 0/0 FAIL 0/0 INST 700/2 NEW 0/0 NONE 0/0 sub/DEEP 64/1 ");
    EXPECT_EQ(r.diag.take(), bad);
    // Without a marker folder every size comes from the package information.
    r.put("tmp/pkginfo.sun4v", "x sub/DEEP 1 y\n");
    tk::removeTree(r.root.file("install/pkgs"));
    EXPECT_EQ(sizes(2), "BAD 0/0 FAIL 0/0 INST 0/0 NEW 0/0 NONE 0/0 sub/DEEP 1/0 ");
    EXPECT_EQ(r.diag.take(), "");
}

}  // namespace
