// The product catalogue: the text files below $Proot/install that say which
// products exist, which packages they hold, what is installed or failed and
// how big each package is; the records built from them; and the product
// selection file written back.
//
// Products keep the order of their file.  Packages are kept once each, in
// the byte order of their names (the order of strcmp), and every product
// that holds a package refers to that one record.  The bundle file and the
// package information file are indexed when read, so that resolving a
// product or a package is a look-up, while every order the files define is
// kept: a product's packages in bundle-file order, the last of several equal
// package-information entries wins.
#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "fileUtils.h"
#include "nameIndex.h"

namespace trev {

// Lines are read as through a 512-byte buffer: a line holds at most 511
// characters and a longer one is read as two lines.
constexpr std::size_t kCatalogueLineMax = 511;

// Widths of the record fields, terminating NUL included: a field keeps at
// most width - 1 characters.
constexpr std::size_t kTitleWidth = 80;
constexpr std::size_t kAuxFieldWidth = 80;
constexpr std::size_t kProductNameWidth = 32;
constexpr std::size_t kSizeFieldWidth = 10;
constexpr std::size_t kTag1Width = 8;
constexpr std::size_t kTag2Width = 56;
constexpr std::size_t kStatusWidth = 10;
constexpr std::size_t kPackageNameWidth = 80;

// Splits off the field at the start of `text`: the characters up to the
// first blank (the space character only), cut to width - 1, go to `dest`.
// Returns the text after the run of blanks that follows the field, or
// nothing when no blank follows it (the field ends the text).
std::optional<std::string_view> getField(std::string_view text, std::string& dest,
                                         std::size_t width);

// Reads one line as fgets does with a 512-byte buffer: at most 511
// characters, up to and including a line feed.  A NUL byte read from the
// file ends the text there.  Returns false at end of file.
bool readCatalogueLine(std::FILE* f, std::string& line);

// The same over a buffer of its own: each line is a view valid until the
// next read.
class LineReader {
public:
    explicit LineReader(std::FILE* f) : f_(f) {}
    bool next(std::string_view& line);

private:
    std::FILE* f_;
    char buf_[kCatalogueLineMax + 1];
};

// How a "%d" conversion reads the start of `text`: optional white space, an
// optional sign, decimal digits; anything after them is ignored.  `value`
// is set only on Ok; a number beyond the value's type is OutOfRange.
enum class DecimalScan { Ok, NoDigits, OutOfRange };
DecimalScan scanDecimal(std::string_view text, std::int32_t& value);
DecimalScan scanDecimal(std::string_view text, std::int64_t& value);

struct PackageRecord {
    std::string name;            // at most 79 characters; unique in the package list
    std::int32_t size = 0;       // KBytes
    std::int64_t refCount = 0;   // references held on the package
};

// One reference of a product to a shared package.
struct PackageRef {
    PackageRecord* package = nullptr;
};

struct ProductRecord {
    std::int32_t size = 0;   // KBytes
    int selected = 0;        // 1 while selected in the form
    std::string title;       // blanks where the file has "~"; at most 79 characters
    std::string auxField;    // at most 79
    std::string status;      // "available", "installed", "failed", any word or empty; at most 9
    std::string name;        // the product's key; at most 31
    std::string tag1;        // at most 7
    std::string tag2;        // at most 55
    std::vector<PackageRef> packages;   // in the order they were added (pkgCount is its size)
    std::size_t index = 0;              // position in the product list (file order)
};

// One line of a product description file (its line feed, if any, and
// trailing blanks are ignored) read into a record.  Returns nothing when one
// of the first five fields ends the line.
std::optional<ProductRecord> parseProductLine(std::string_view line);

// The line of `p` in a product selection file, line feed included:
// "%s %s %s %d %s %s %s\n" with each blank of the title written as "~".
std::string formatProductLine(const ProductRecord& p);

// The display name of one line of a hold-product file: the text up to the
// first blank with "~" read as a blank.  Nothing when the line has no blank.
std::optional<std::string> holdProductName(std::string_view line);

// Reads a hold-product file into one display name per line, each ending in
// a line feed.  Lines without a blank are reported on `diag` and skipped.
std::string readHoldProducts(std::FILE* f, std::FILE* diag);

// The ids of a product's packages in the bundle index, in file order.
struct IdSpan {
    const std::uint32_t* first = nullptr;
    std::size_t count = 0;
    const std::uint32_t* begin() const { return first; }
    const std::uint32_t* end() const { return first + count; }
    std::size_t size() const { return count; }
    bool empty() const { return count == 0; }
    std::uint32_t operator[](std::size_t i) const { return first[i]; }
};

// The bundle file, indexed by product: for each product name, the names of
// its packages in file order.  Entries are kept in file order as they are
// read and grouped by product on the first look-up after.
class BundleIndex {
public:
    // Keeps the entries of these products only; the others are counted but
    // not kept.  Without a call every entry is kept.
    void keepOnly(const std::vector<std::string>& products);
    // Number of (package, product) entries read.
    std::size_t entries() const { return entries_; }
    void add(std::string_view package, std::string_view product);
    // The packages of `product` in file order (empty when none).
    IdSpan packagesOf(std::string_view product) const;
    const std::string& packageName(std::uint32_t id) const { return names_[id]; }
    std::size_t distinctPackages() const { return names_.size(); }

private:
    std::uint32_t productSlot(std::string_view product);
    void group() const;

    std::size_t entries_ = 0;
    bool filtered_ = false;
    std::vector<std::string> products_;
    NameIndex productIndex_;
    std::vector<std::string> names_;
    NameIndex nameIndex_;
    // (product slot, package id) of every entry kept, in file order.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> kept_;
    // The same grouped by product: the ids of slot s are
    // grouped_[offsets_[s]] to grouped_[offsets_[s + 1]].
    mutable std::vector<std::uint32_t> grouped_;
    mutable std::vector<std::size_t> offsets_;
    mutable std::size_t groupedCount_ = 0;
};

// The package information file: the size of each package, the last of
// several equal entries winning.
class PkgSizeIndex {
public:
    std::size_t entries() const { return entries_; }
    void add(std::string_view package, std::int32_t size);
    std::optional<std::int32_t> sizeOf(std::string_view package) const;

private:
    std::size_t entries_ = 0;
    std::vector<std::string> names_;
    std::vector<std::int32_t> sizes_;
    NameIndex index_;
};

// How a read ended.  Every failure has been reported on the diagnostic
// stream when it is returned.
enum class ReadEnd {
    Ok,            // end of file
    WrongFormat,   // a bad line stopped the read; what came before it stays
    Fatal,         // the program cannot go on (a file that cannot be opened, ...)
};

// Stream readers; `path` names the file in messages.
ReadEnd readBundleStream(std::FILE* f, const std::string& path, BundleIndex& index,
                         std::FILE* diag);
ReadEnd readPkginfoStream(std::FILE* f, const std::string& path, PkgSizeIndex& index,
                          std::FILE* diag);
// A product marker: every line after the header is one package name.  A
// name longer than 79 characters is reported and ends the read as Fatal.
ReadEnd readProductMarkerStream(std::FILE* f, const std::string& path,
                                std::vector<std::string>& packages, std::FILE* diag);
// A package marker: the size from its first line, and for an installed
// package (`installed` true) one reference per further line.  A bad first
// line is reported and leaves size 0 and no references.
ReadEnd readPackageMarkerStream(std::FILE* f, const std::string& path, bool installed,
                                PackageRecord& package, std::FILE* diag);

// Where the catalogue lies.
struct CatalogueFiles {
    std::string root;          // $Proot
    std::string bundleFile;    // <root>/install/tmp/bundles.<plat>
    std::string pkginfoFile;   // <root>/install/tmp/pkginfo.<plat>
};

// Form types whose accounting the catalogue knows.
constexpr int kInstallKind = 2;   // select products (and documents)
constexpr int kRemoveKind = 9;    // remove products

class Catalogue {
public:
    explicit Catalogue(CatalogueFiles files, std::FILE* diag = stderr);
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    // ---- Product list (file order) and package list (byte order) ---------------
    std::deque<ProductRecord> products;
    // The package list in byte order of the names (the order of strcmp).
    const std::vector<PackageRecord*>& packageList() const;
    // The record of a package, or nullptr.
    PackageRecord* findPackage(std::string_view name) const;

    // Reads a product description file, appending its products.  A line in
    // the wrong format is reported and stops the read (WrongFormat).
    ReadEnd readProdDesc(std::FILE* f, const std::string& path);

    // The shared record of `name`, inserted in byte order when new.
    PackageRecord& putPkgsInList(const std::string& name);
    // Appends a reference to the package `packageName` to `product`.
    void addPkgInProd(ProductRecord& product, const std::string& packageName);

    // ---- Packages of products, sizes and references -----------------------------
    // Fills the product's packages according to its status: "available" from
    // the bundle file, "installed" and "failed" from the product's marker.
    // An unknown status or a marker that cannot be read is Fatal.
    ReadEnd GetPkgsInProd(ProductRecord& product);
    // Size and references of one package for form type `formType`.
    ReadEnd getPkgsSize(int formType, PackageRecord& package);
    // Every product's packages in product order, then every package's size
    // and references in package order.  Stops at the first Fatal.
    ReadEnd buildProdSizeInfo(int formType);

    // The bundle and package information files, read on first need; a read
    // that found no entry is done again on the next need.  Fatal when the
    // file cannot be opened.
    ReadEnd readBundleFile();
    ReadEnd readPkginfoFile();

    // ---- Disk figures (KBytes) -----------------------------------------------------
    std::int64_t installedDiskUsage = 0;
    std::int64_t estimatedDiskUsage = 0;
    std::int64_t freeDisk = 0;

    std::FILE* diag() const { return diag_; }
    const CatalogueFiles& files() const { return files_; }

private:
    // Opens a file the catalogue cannot do without; nullptr after "Cannot
    // open <what> <path>" and the system's reason.
    FilePtr openNeeded(const std::string& path, const char* what) const;
    // Opens the package marker <package><suffix>, setting `path`; nullptr
    // when it cannot be opened.
    FilePtr openPackageMarker(const PackageRecord& package, const char* suffix,
                              std::string& path) const;
    // Reads the names in the package marker folder once, so that markers it
    // does not hold are not looked for one by one (markerFiles_ stays empty
    // when the folder cannot be read: every marker is then tried).
    void listPackageMarkers();

    CatalogueFiles files_;
    std::FILE* diag_;
    // The package records in the order they were added, in blocks that
    // never move (products point at them); their index by name; and their
    // byte order, sorted on demand.
    static constexpr std::size_t kPackageBlock = 4096;
    PackageRecord& packageAt(std::size_t id) const {
        return blocks_[id / kPackageBlock][id % kPackageBlock];
    }
    std::vector<std::unique_ptr<PackageRecord[]>> blocks_;
    std::size_t numPackages_ = 0;
    NameIndex packageIndex_;
    mutable std::vector<PackageRecord*> byteOrder_;
    BundleIndex bundle_;
    PkgSizeIndex pkgSizes_;
    // Package records already looked up for the bundle's package ids.
    std::vector<PackageRecord*> bundleRecords_;
    // The files of the package marker folder while buildProdSizeInfo runs.
    std::optional<std::unordered_set<std::string>> markerFiles_;
};

}  // namespace trev
