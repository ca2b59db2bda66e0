// Helpers of the catalogue unit tests: temporary streams and catalogues laid
// out below a temporary root.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "TempRoot.h"
#include "core/catalogue.h"

namespace cat {

// A temporary stream holding `text`, positioned at its start.  As a
// diagnostic stream, take() returns what was written and empties it.
struct Stream {
    std::FILE* f = std::tmpfile();
    explicit Stream(const std::string& text = "") { std::fwrite(text.data(), 1, text.size(), f), std::rewind(f); }
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
// catalogues.
struct Root {
    tk::TempRoot root;
    Stream diag;
    trev::CatalogueFiles files() const {
        return {root.path(), root.file("install/tmp/bundles.sun4v"), root.file("install/tmp/pkginfo.sun4v")};
    }
    void put(const std::string& rel, const std::string& text) { root.write("install/" + rel, text); }
};

// Reads `text` as a product description file into `c`.
inline trev::ReadEnd readProducts(trev::Catalogue& c, const std::string& text) {
    Stream s(text);
    return c.readProdDesc(s, "prods");
}

}  // namespace cat
