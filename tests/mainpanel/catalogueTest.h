// Helpers of the unit tests of the catalogue core: in-memory streams, a
// captured diagnostic stream and catalogues laid out in a temporary root.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "TempRoot.h"
#include "core/catalogue.h"

namespace cat {

// A read-only stream over `text`, closed at the end of the scope.
class Stream {
public:
    explicit Stream(const std::string& text) : f_(std::tmpfile()) {
        std::fwrite(text.data(), 1, text.size(), f_);
        std::rewind(f_);
    }
    ~Stream() { std::fclose(f_); }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    operator std::FILE*() const { return f_; }

private:
    std::FILE* f_;
};

// A diagnostic stream whose text the test reads back.
class Diag {
public:
    Diag() : f_(std::tmpfile()) {}
    ~Diag() { std::fclose(f_); }
    Diag(const Diag&) = delete;
    Diag& operator=(const Diag&) = delete;
    operator std::FILE*() const { return f_; }
    // Everything written so far; the stream is emptied.
    std::string take() {
        std::fflush(f_);
        std::string text;
        std::rewind(f_);
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f_)) > 0) text.append(buf, n);
        std::fclose(f_);
        f_ = std::tmpfile();
        return text;
    }

private:
    std::FILE* f_;
};

// A catalogue below a temporary root with platform "sun4v".
struct Root {
    tk::TempRoot root;
    Diag diag;
    trev::CatalogueFiles files() const {
        return {root.path(), root.file("install/tmp/bundles.sun4v"),
                root.file("install/tmp/pkginfo.sun4v")};
    }
    void bundles(const std::string& text) { root.write("install/tmp/bundles.sun4v", text); }
    void pkginfo(const std::string& text) { root.write("install/tmp/pkginfo.sun4v", text); }
    void productMarker(const std::string& base, const std::string& text) {
        root.mkdir("install/pdts");
        root.write("install/pdts/" + base, text);
    }
    void packageMarker(const std::string& file, const std::string& text) {
        root.mkdir("install/pkgs");
        root.write("install/pkgs/" + file, text);
    }
};

// Reads `text` as a product description file into `c`.
inline trev::ReadEnd readProducts(trev::Catalogue& c, const std::string& text) {
    Stream s(text);
    return c.readProdDesc(s, "prods");
}

}  // namespace cat
