// The catalogue's readers and writer: lines and numbers, product lines, the
// product description, hold-product, bundle and package information files,
// the markers, and the shared package list with its sizes and references.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "TempRoot.h"
#include "core/catalogue.h"

namespace {

using trev::ReadEnd;
using Names = std::vector<std::string>;

// A temporary stream holding `text`, positioned at its start.  As a
// diagnostic stream, take() returns what was written and empties it.
struct Stream {
    std::FILE* f = std::tmpfile();
    explicit Stream(const std::string& text = "") {
        std::fwrite(text.data(), 1, text.size(), f);
        std::rewind(f);
    }
    ~Stream() { std::fclose(f); }
    operator std::FILE*() const { return f; }
    std::string take() {
        std::string text;
        std::rewind(f);
        for (int c; (c = std::fgetc(f)) != EOF;) text += static_cast<char>(c);
        EXPECT_EQ(ftruncate(fileno(f), 0), 0);
        std::rewind(f);
        return text;
    }
};

// A catalogue root for platform "sun4v" and the diagnostic stream of its
// catalogues; read() takes `products` as the product description.
struct Root {
    tk::TempRoot root;
    Stream diag;
    trev::CatalogueFiles files() const {
        return {root.path(), root.file("install/tmp/bundles.sun4v"), root.file("install/tmp/pkginfo.sun4v")};
    }
    void put(const std::string& rel, const std::string& text) { root.write("install/" + rel, text); }
    ReadEnd read(trev::Catalogue& c, const std::string& products) {
        Stream s(products);
        return c.readProdDesc(s, "prods");
    }
};

Names packageNames(const trev::ProductRecord& p) {
    Names names;
    for (const trev::PackageRef& r : p.packages) names.push_back(r.package->name);
    return names;
}

TEST(ReadLine, ReadsAtMost511CharactersAndStopsAtANul) {
    Stream s(std::string(600, 'x') + "\n" + std::string("ab\0cd\n", 6) + "tail");
    std::string line;
    for (const std::string& want : {std::string(511, 'x'), std::string(89, 'x') + "\n", std::string("ab"), std::string("tail")})
        EXPECT_TRUE(trev::readCatalogueLine(s, line) && line == want) << want.substr(0, 5);
    EXPECT_FALSE(trev::readCatalogueLine(s, line));
}

TEST(ProductLine, FieldsTildesBlanksWidthsAndTheStatus) {
    // "title|aux|name|size|tag1|tag2|status" of each line; nothing when one
    // of the first five fields ends the line.
    const std::pair<std::string, std::string> cases[] = {
        {"Orvanta~Graph~Kit aux1 graphkit 1200 v2 sun4v_x available\n", "Orvanta Graph Kit|aux1|graphkit|1200|v2|sun4v_x|available"},
        {"T a n 5 t1 t2   \n", "T|a|n|5|t1|t2|"},
        // Runs of blanks split once; the status is the rest, cut to nine; a tab is no blank.
        {"T    a  n     77 t1  t2\tx    installedAndMore\n", "T|a|n|77|t1|t2\tx|installed"},
        {"T a n 1 t1 t2 a b\n", "T|a|n|1|t1|t2|a b"},
        {std::string(100, 'T') + " " + std::string(90, 'A') + " " + std::string(40, 'N') + " 12345678901 " +
             std::string(10, '1') + " " + std::string(60, '2') + " failed",
         std::string(79, 'T') + "|" + std::string(79, 'A') + "|" + std::string(31, 'N') + "|123456789|1111111|" +
             std::string(55, '2') + "|failed"},
        {"t a n x5 tag1 tag2", "t|a|n|0|tag1|tag2|"},
        {"t a n 5 tag1   \n", ""}};
    for (const auto& [line, fields] : cases) {
        const auto p = trev::parseProductLine(line);
        EXPECT_EQ(p ? p->title + "|" + p->auxField + "|" + p->name + "|" + std::to_string(p->size) + "|" + p->tag1 +
                          "|" + p->tag2 + "|" + p->status
                    : "",
                  fields);
    }
    // Written back an empty status survives (the title's "~" is seen in the
    // selection files the product forms write).
    EXPECT_EQ(trev::formatProductLine(*trev::parseProductLine(cases[1].first)), "T a n 5 t1 t2 \n");
}

TEST(ProductFiles, AWrongDescriptionLineStopsTheReadAHoldLineIsSkipped) {
    Root r;
    trev::Catalogue c(r.files(), r.diag);
    EXPECT_EQ(r.read(c, "A a p1 1 t t available\nB b p2 2 t t failed\nbroken line\nC c p3 3 t t installed\n"),
              ReadEnd::WrongFormat);
    r.diag.take();
    ASSERT_EQ(c.products.size(), 2u);
    EXPECT_EQ(c.products[1].name + std::to_string(c.products[1].index), "p21");
    Stream hold("Orvanta~Graph~Kit rest of line\nnoblank\nDraw~It x\n");
    EXPECT_EQ(trev::readHoldProducts(hold, r.diag), "Orvanta Graph Kit\nDraw It\n");
    EXPECT_EQ(r.diag.take(), "argv[0]: Wrong format in the hold product file.\n");
}

// A package information line: a leading field, the name, blanks, the size
// and a blank after it; the last of equal entries wins (seen in the sizes).
TEST(PkginfoFile, TheSizeNeedsABlankAfterIt) {
    Stream diag;
    for (const char* bad : {"noblank\n", "x PKG 100\n", "x PKG 99999999999 y\n"}) {
        trev::PkgSizeIndex part;
        Stream b(std::string("x A 1 y\n") + bad);
        EXPECT_EQ(trev::readPkginfoStream(b, "/r/p", part, diag), ReadEnd::WrongFormat) << bad;
        EXPECT_EQ(diag.take(), "Wrong format in package info file: /r/p.\n");
        EXPECT_EQ(part.sizeOf("A"), 1);
    }
}

TEST(Markers, PackagesOfAProductOfAtMost79Characters) {
    Stream diag, s("header\nPKGA\npkg with blanks\n\n" + std::string(79, 'a') + "\nPKGZ"),
        t("h\nA\n" + std::string(80, 'b') + "\nC\n");
    Names pkgs, cut;
    EXPECT_EQ(trev::readProductMarkerStream(s, "m", pkgs, diag), ReadEnd::Ok);
    EXPECT_EQ(pkgs, (Names{"PKGA", "pkg with blanks", "", std::string(79, 'a'), "PKGZ"}));
    EXPECT_EQ(trev::readProductMarkerStream(t, "/r/x.ok", cut, diag), ReadEnd::Fatal);
    EXPECT_EQ(cut, (Names{"A"}));
    EXPECT_EQ(diag.take(), "Package name longer than 79 characters in file /r/x.ok: " + std::string(80, 'b') + "\n");
}

// Bundle file lines: a leading field, one blank, the package cut to 79,
// blanks, the product.  A bad line stops the read; what came before stays.
TEST(ProductPackages, EachStatusTakesItsSource) {
    Root r;
    const std::string longName(90, 'P');
    r.put("tmp/bundles.sun4v", "x P3 avail more text\nx P1 other\nx  avail\nx P2    avail\nx " + longName +
                                   " avail\nx P3 avail\nx PKG\nx P9 avail\n");
    r.put("pdts/inst_t1_t2.ok", "header\nQ2\nQ1\n");
    r.put("pdts/fail_t1_t2.nok", "header\nR1\n");
    r.put("pdts/fail_t1_t2.ok", "header\nWRONG\n");
    trev::Catalogue c(r.files(), r.diag);
    ASSERT_EQ(r.read(c, "A a avail 1 t1 t2 available\nB b inst 2 t1 t2 installed\nC c fail 3 t1 t2 failed\n"
                        "D d none 3 t1 t2 available\n"),
              ReadEnd::Ok);
    const Names want[] = {{"P3", "", "P2", longName.substr(0, 79), "P3"}, {"Q2", "Q1"}, {"R1"}, {}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(c.GetPkgsInProd(c.products[i]), ReadEnd::Ok);
        EXPECT_EQ(packageNames(c.products[i]), want[i]);
    }
    EXPECT_EQ(c.packageList().size(), 7u);   // P1 belongs to no product read
    EXPECT_EQ(r.diag.take(), "Wrong format in bundle file: " + r.files().bundleFile + ".\n");
    // A bundle read that gave entries is not done again.
    r.put("tmp/bundles.sun4v", "x OTHER avail\n");
    c.products[0].packages.clear();
    EXPECT_EQ(c.GetPkgsInProd(c.products[0]), ReadEnd::Ok);
    EXPECT_EQ(packageNames(c.products[0]), want[0]);
}

TEST(PackageSizes, MarkersFirstThenThePackageInformationFileWhenNeeded) {
    Root r;
    r.put("tmp/bundles.sun4v", "x INST p1\nx FAIL p1\nx NEW p1\nx NONE p1\nx bad p1\nx sub/DEEP p1\n");
    r.put("tmp/pkginfo.sun4v", "x NEW 10 y\nx INST 999 y\nx NEW  30 y\nx FAIL 999 y\nx sub/DEEP 1 y\n");
    r.put("pkgs/INST.ok", "INST a 700 b\ninstalledProd1\ninstalledProd2\n");
    r.put("pkgs/INST.nok", "INST a 1 b\n");
    r.put("pkgs/FAIL.nok", "FAIL a 40 b\nignored\n");
    r.put("pkgs/bad.ok", "bad 1.0 512\nx\n");   // no blank after the size
    r.put("pkgs/sub/DEEP.ok", "DEEP  64 b\nprod\n");   // blanks count one by one
    const auto sizes = [&](int kind) {
        trev::Catalogue c(r.files(), r.diag);
        EXPECT_EQ(r.read(c, "A a p1 1 t t available\n"), ReadEnd::Ok);
        EXPECT_EQ(c.buildProdSizeInfo(kind), ReadEnd::Ok);
        std::string s;
        for (const trev::PackageRecord* p : c.packageList())
            s += p->name + " " + std::to_string(p->size) + "/" + std::to_string(p->refCount) + " ";
        return s;
    };
    // A package marker: the size between the second and third blank, then
    // one reference a line for an installed package.  Names in strcmp order.
    const std::string bad = "Wrong format in package file: " + r.root.file("install/pkgs/bad.ok") + ".\n";
    EXPECT_EQ(sizes(2), "FAIL 40/0 INST 700/2 NEW 30/0 NONE 0/0 bad 0/0 sub/DEEP 64/1 ");
    EXPECT_EQ(r.diag.take(), bad);
    // The remove form: what is not installed frees nothing; the package
    // information file is not needed.
    tk::removeTree(r.files().pkginfoFile);
    EXPECT_EQ(sizes(9), "FAIL 0/0 INST 700/2 NEW 0/0 NONE 0/0 bad 0/0 sub/DEEP 64/1 ");
    EXPECT_EQ(r.diag.take(), bad);
}

}  // namespace
