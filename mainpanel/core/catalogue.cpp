#include "catalogue.h"

#include <dirent.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "fileUtils.h"

namespace trev {

std::optional<std::string_view> splitField(std::string_view text, std::size_t width,
                                           std::string_view& field);

namespace {

constexpr char kBlank = ' ';

std::string cut(std::string_view text, std::size_t width) {
    return std::string(text.substr(0, width - 1));
}

// The line without its line feed.  Only a line feed is removed: the last
// line of a file may have none, and its last character is then data.
std::string_view withoutLineFeed(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    return line;
}

// The line without trailing blanks and line feeds.
std::string_view trimmed(std::string_view line) {
    while (!line.empty() && (line.back() == kBlank || line.back() == '\n')) line.remove_suffix(1);
    return line;
}

// Splits "<leading field> <package> <rest>" as the bundle and package
// information files write it: exactly one blank after the leading field,
// the package name up to the next blank (which must be there).  Returns the
// text after the blanks that follow the package name.
std::optional<std::string_view> splitLeadAndPackage(std::string_view line,
                                                    std::string_view& package) {
    const std::size_t blank = line.find(kBlank);
    if (blank == std::string_view::npos) return std::nullopt;
    return splitField(line.substr(blank + 1), kPackageNameWidth, package);
}

std::string markerPath(const std::string& root, const char* dir, const std::string& base,
                       const char* suffix) {
    return root + "/install/" + dir + "/" + base + suffix;
}

}  // namespace

// getField over views: `field` is the field cut to width - 1.
std::optional<std::string_view> splitField(std::string_view text, std::size_t width,
                                           std::string_view& field) {
    const std::size_t blank = text.find(kBlank);
    field = text.substr(0, std::min(blank, width - 1));
    if (blank == std::string_view::npos) return std::nullopt;
    const std::size_t next = text.find_first_not_of(kBlank, blank);
    return next == std::string_view::npos ? text.substr(text.size()) : text.substr(next);
}

std::optional<std::string_view> getField(std::string_view text, std::string& dest,
                                         std::size_t width) {
    std::string_view field;
    const std::optional<std::string_view> rest = splitField(text, width, field);
    dest.assign(field);
    return rest;
}

bool LineReader::next(std::string_view& line) {
    if (!std::fgets(buf_, sizeof buf_, f_)) return false;
    line = std::string_view(buf_, strnlen(buf_, kCatalogueLineMax));
    return true;
}

bool readCatalogueLine(std::FILE* f, std::string& line) {
    LineReader reader(f);
    std::string_view view;
    if (!reader.next(view)) return false;
    line.assign(view);
    return true;
}

DecimalScan scanDecimal(std::string_view text, std::int64_t& value) {
    const auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t first = i;
    // Accumulated negatively, so that the most negative value fits too.
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::int64_t v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (v < (kMin + digit) / 10) return DecimalScan::OutOfRange;
        v = v * 10 - digit;
    }
    if (i == first) return DecimalScan::NoDigits;
    if (!negative) {
        if (v == kMin) return DecimalScan::OutOfRange;
        v = -v;
    }
    value = v;
    return DecimalScan::Ok;
}

DecimalScan scanDecimal(std::string_view text, std::int32_t& value) {
    std::int64_t v = 0;
    const DecimalScan r = scanDecimal(text, v);
    if (r != DecimalScan::Ok) return r;
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        return DecimalScan::OutOfRange;
    value = static_cast<std::int32_t>(v);
    return DecimalScan::Ok;
}

// ---- Product description and selection files -----------------------------------

std::optional<ProductRecord> parseProductLine(std::string_view line) {
    ProductRecord p;
    std::string sizeText;
    std::string* const fields[] = {&p.title, &p.auxField, &p.name, &sizeText, &p.tag1};
    const std::size_t widths[] = {kTitleWidth, kAuxFieldWidth, kProductNameWidth,
                                  kSizeFieldWidth, kTag1Width};
    std::string_view rest = trimmed(line);
    for (std::size_t i = 0; i < 5; ++i) {
        const std::optional<std::string_view> next = getField(rest, *fields[i], widths[i]);
        if (!next) return std::nullopt;
        rest = *next;
    }
    if (const std::optional<std::string_view> status = getField(rest, p.tag2, kTag2Width))
        p.status = cut(*status, kStatusWidth);
    // Nine characters hold no number beyond the range of the field; a size
    // that is no number counts 0.
    if (scanDecimal(sizeText, p.size) != DecimalScan::Ok) p.size = 0;
    for (char& c : p.title)
        if (c == '~') c = kBlank;
    return p;
}

std::string formatProductLine(const ProductRecord& p) {
    std::string title = p.title;
    for (char& c : title)
        if (c == kBlank) c = '~';
    return title + ' ' + p.auxField + ' ' + p.name + ' ' + std::to_string(p.size) + ' ' + p.tag1 +
           ' ' + p.tag2 + ' ' + p.status + '\n';
}

std::optional<std::string> holdProductName(std::string_view line) {
    const std::size_t blank = line.find(kBlank);
    if (blank == std::string_view::npos) return std::nullopt;
    std::string name(line.substr(0, blank));
    for (char& c : name)
        if (c == '~') c = kBlank;
    return name;
}

std::string readHoldProducts(std::FILE* f, std::FILE* diag) {
    std::string text, line;
    while (readCatalogueLine(f, line)) {
        if (const std::optional<std::string> name = holdProductName(line))
            text += *name + '\n';
        else
            std::fputs("argv[0]: Wrong format in the hold product file.\n", diag);
    }
    return text;
}

// ---- Bundle and package information files --------------------------------------

std::uint32_t BundleIndex::productSlot(std::string_view product) {
    const auto nameOf = [this](std::uint32_t id) -> std::string_view { return products_[id]; };
    std::uint32_t slot = productIndex_.find(product, nameOf);
    if (slot == NameIndex::kNone && !filtered_) {
        slot = static_cast<std::uint32_t>(products_.size());
        products_.emplace_back(product);
        productIndex_.insert(product, slot);
    }
    return slot;
}

void BundleIndex::keepOnly(const std::vector<std::string>& products) {
    filtered_ = false;
    for (const std::string& p : products) productSlot(p);
    filtered_ = true;
}

void BundleIndex::add(std::string_view package, std::string_view product) {
    ++entries_;
    const std::uint32_t slot = productSlot(product);
    if (slot == NameIndex::kNone) return;
    const auto nameOf = [this](std::uint32_t id) -> std::string_view { return names_[id]; };
    std::uint32_t id = nameIndex_.find(package, nameOf);
    if (id == NameIndex::kNone) {
        id = static_cast<std::uint32_t>(names_.size());
        names_.emplace_back(package);
        nameIndex_.insert(package, id);
    }
    kept_.emplace_back(slot, id);
}

void BundleIndex::group() const {
    if (groupedCount_ == kept_.size() && offsets_.size() == products_.size() + 1) return;
    // Counting sort by product: stable, so each product keeps file order.
    offsets_.assign(products_.size() + 1, 0);
    for (const auto& e : kept_) ++offsets_[e.first + 1];
    for (std::size_t s = 1; s < offsets_.size(); ++s) offsets_[s] += offsets_[s - 1];
    grouped_.resize(kept_.size());
    std::vector<std::size_t> next(offsets_.begin(), offsets_.end() - 1);
    for (const auto& e : kept_) grouped_[next[e.first]++] = e.second;
    groupedCount_ = kept_.size();
}

IdSpan BundleIndex::packagesOf(std::string_view product) const {
    const auto nameOf = [this](std::uint32_t id) -> std::string_view { return products_[id]; };
    const std::uint32_t slot = productIndex_.find(product, nameOf);
    if (slot == NameIndex::kNone) return {};
    group();
    return {grouped_.data() + offsets_[slot], offsets_[slot + 1] - offsets_[slot]};
}

void PkgSizeIndex::add(std::string_view package, std::int32_t size) {
    ++entries_;
    const auto nameOf = [this](std::uint32_t id) -> std::string_view { return names_[id]; };
    const std::uint32_t id = index_.find(package, nameOf);
    if (id != NameIndex::kNone) {
        sizes_[id] = size;
        return;
    }
    index_.insert(package, static_cast<std::uint32_t>(names_.size()));
    names_.emplace_back(package);
    sizes_.push_back(size);
}

std::optional<std::int32_t> PkgSizeIndex::sizeOf(std::string_view package) const {
    const auto nameOf = [this](std::uint32_t id) -> std::string_view { return names_[id]; };
    const std::uint32_t id = index_.find(package, nameOf);
    if (id == NameIndex::kNone) return std::nullopt;
    return sizes_[id];
}

ReadEnd readBundleStream(std::FILE* f, const std::string& path, BundleIndex& index,
                         std::FILE* diag) {
    LineReader reader(f);
    std::string_view line, package, product;
    while (reader.next(line)) {
        const std::optional<std::string_view> rest = splitLeadAndPackage(withoutLineFeed(line), package);
        if (!rest) {
            std::fprintf(diag, "Wrong format in bundle file: %s.\n", path.c_str());
            return ReadEnd::WrongFormat;
        }
        splitField(*rest, kProductNameWidth, product);
        index.add(package, product);
    }
    return ReadEnd::Ok;
}

ReadEnd readPkginfoStream(std::FILE* f, const std::string& path, PkgSizeIndex& index,
                          std::FILE* diag) {
    LineReader reader(f);
    std::string_view line, package, sizeText;
    while (reader.next(line)) {
        std::optional<std::string_view> rest = splitLeadAndPackage(withoutLineFeed(line), package);
        if (rest) rest = splitField(*rest, std::string_view::npos, sizeText);
        std::int32_t size = 0;
        // A size beyond the 32-bit range cannot be held: the line is wrong.
        if (!rest || scanDecimal(sizeText, size) == DecimalScan::OutOfRange) {
            std::fprintf(diag, "Wrong format in package info file: %s.\n", path.c_str());
            return ReadEnd::WrongFormat;
        }
        index.add(package, size);
    }
    return ReadEnd::Ok;
}

ReadEnd readProductMarkerStream(std::FILE* f, const std::string& path,
                                std::vector<std::string>& packages, std::FILE* diag) {
    LineReader reader(f);
    std::string_view line;
    if (!reader.next(line)) return ReadEnd::Ok;   // no header, no package
    while (reader.next(line)) {
        const std::string_view name = withoutLineFeed(line);
        if (name.size() >= kPackageNameWidth) {
            std::fprintf(diag, "Package name longer than %zu characters in file %s: %.*s\n",
                         kPackageNameWidth - 1, path.c_str(), static_cast<int>(name.size()),
                         name.data());
            return ReadEnd::Fatal;
        }
        packages.emplace_back(name);
    }
    return ReadEnd::Ok;
}

ReadEnd readPackageMarkerStream(std::FILE* f, const std::string& path, bool installed,
                                PackageRecord& package, std::FILE* diag) {
    std::string line;
    std::size_t blanks[3];
    std::size_t found = 0;
    std::int32_t size = 0;
    if (readCatalogueLine(f, line)) {
        const std::string_view first = withoutLineFeed(line);
        for (std::size_t i = 0; i < first.size() && found < 3; ++i)
            if (first[i] == kBlank) blanks[found++] = i;
        if (found == 3 &&
            scanDecimal(first.substr(blanks[1] + 1, blanks[2] - blanks[1] - 1), size) ==
                DecimalScan::OutOfRange)
            found = 0;
    }
    if (found < 3) {
        std::fprintf(diag, "Wrong format in package file: %s.\n", path.c_str());
        return ReadEnd::WrongFormat;
    }
    package.size = size;
    if (installed)
        while (readCatalogueLine(f, line)) ++package.refCount;
    return ReadEnd::Ok;
}

// ---- The catalogue ---------------------------------------------------------------

Catalogue::Catalogue(CatalogueFiles files, std::FILE* diag)
    : files_(std::move(files)), diag_(diag) {}

ReadEnd Catalogue::readProdDesc(std::FILE* f, const std::string& path) {
    std::string line;
    while (readCatalogueLine(f, line)) {
        std::optional<ProductRecord> p = parseProductLine(line);
        if (!p) {
            std::fprintf(diag_, "Wrong format in product description file: %s.\n", path.c_str());
            return ReadEnd::WrongFormat;
        }
        p->index = products.size();
        products.push_back(std::move(*p));
    }
    return ReadEnd::Ok;
}

PackageRecord* Catalogue::findPackage(std::string_view name) const {
    const auto nameOf = [this](std::uint32_t id) -> std::string_view { return packageAt(id).name; };
    const std::uint32_t id = packageIndex_.find(name, nameOf);
    return id == NameIndex::kNone ? nullptr : &packageAt(id);
}

PackageRecord& Catalogue::putPkgsInList(const std::string& name) {
    if (PackageRecord* found = findPackage(name)) return *found;
    if (numPackages_ % kPackageBlock == 0)
        blocks_.push_back(std::make_unique<PackageRecord[]>(kPackageBlock));
    packageIndex_.insert(name, static_cast<std::uint32_t>(numPackages_));
    PackageRecord& record = packageAt(numPackages_++);
    record.name = name;
    return record;
}

const std::vector<PackageRecord*>& Catalogue::packageList() const {
    if (byteOrder_.size() != numPackages_) {
        byteOrder_.clear();
        for (std::size_t id = 0; id < numPackages_; ++id) byteOrder_.push_back(&packageAt(id));
        // std::string compares as unsigned bytes, as strcmp does.
        std::sort(byteOrder_.begin(), byteOrder_.end(),
                  [](const PackageRecord* a, const PackageRecord* b) { return a->name < b->name; });
    }
    return byteOrder_;
}

void Catalogue::addPkgInProd(ProductRecord& product, const std::string& packageName) {
    product.packages.push_back({&putPkgsInList(packageName)});
}

FilePtr Catalogue::openNeeded(const std::string& path, const char* what) const {
    Opened o = openChecked(path.c_str(), "r");
    if (!o.file)
        std::fputs(openFailureMessage(std::string("Cannot open ") + what, path.c_str(), o).c_str(),
                   diag_);
    return std::move(o.file);
}

ReadEnd Catalogue::readBundleFile() {
    const FilePtr f = openNeeded(files_.bundleFile, "bundle file");
    return f ? readBundleStream(f.get(), files_.bundleFile, bundle_, diag_) : ReadEnd::Fatal;
}

ReadEnd Catalogue::readPkginfoFile() {
    const FilePtr f = openNeeded(files_.pkginfoFile, "pkginfo file");
    return f ? readPkginfoStream(f.get(), files_.pkginfoFile, pkgSizes_, diag_) : ReadEnd::Fatal;
}

ReadEnd Catalogue::GetPkgsInProd(ProductRecord& product) {
    if (product.status == "available") {
        if (bundle_.entries() == 0) {
            // Only the available products take their packages from the
            // bundle file: the lines of the others need not be kept.
            std::vector<std::string> wanted;
            for (const ProductRecord& p : products)
                if (p.status == "available") wanted.push_back(p.name);
            bundle_.keepOnly(wanted);
            if (readBundleFile() == ReadEnd::Fatal) return ReadEnd::Fatal;
        }
        const IdSpan ids = bundle_.packagesOf(product.name);
        bundleRecords_.resize(bundle_.distinctPackages(), nullptr);
        for (const std::uint32_t id : ids) {
            PackageRecord*& record = bundleRecords_[id];
            if (!record) record = &putPkgsInList(bundle_.packageName(id));
            product.packages.push_back({record});
        }
        return ReadEnd::Ok;
    }
    const char* suffix = product.status == "installed" ? ".ok"
                         : product.status == "failed"  ? ".nok"
                                                       : nullptr;
    if (!suffix) {
        std::fprintf(diag_, "Unknown product status %s for product %s.\n", product.status.c_str(),
                     product.name.c_str());
        return ReadEnd::Fatal;
    }
    const std::string path = markerPath(
        files_.root, "pdts", product.name + "_" + product.tag1 + "_" + product.tag2, suffix);
    const FilePtr f = openNeeded(path, "file");
    if (!f) return ReadEnd::Fatal;
    std::vector<std::string> names;
    const ReadEnd end = readProductMarkerStream(f.get(), path, names, diag_);
    for (const std::string& name : names) addPkgInProd(product, name);
    return end;
}

FilePtr Catalogue::openPackageMarker(const PackageRecord& package, const char* suffix,
                                     std::string& path) const {
    const std::string file = package.name + suffix;
    // A marker the folder does not hold cannot be opened: no need to ask.
    if (markerFiles_ && file.find('/') == std::string::npos && !markerFiles_->count(file))
        return nullptr;
    path = markerPath(files_.root, "pkgs", package.name, suffix);
    return openFile(path.c_str(), "r", false);
}

ReadEnd Catalogue::getPkgsSize(int formType, PackageRecord& package) {
    std::string path;
    FilePtr f = openPackageMarker(package, ".ok", path);
    const bool installed = static_cast<bool>(f);
    if (!f) {
        // A package that is not installed frees nothing.
        if (formType == kRemoveKind) return ReadEnd::Ok;
        f = openPackageMarker(package, ".nok", path);
    }
    if (!f) {
        if (pkgSizes_.entries() == 0 && readPkginfoFile() == ReadEnd::Fatal) return ReadEnd::Fatal;
        if (const std::optional<std::int32_t> size = pkgSizes_.sizeOf(package.name))
            package.size = *size;
        return ReadEnd::Ok;
    }
    readPackageMarkerStream(f.get(), path, installed, package, diag_);
    return ReadEnd::Ok;
}

void Catalogue::listPackageMarkers() {
    markerFiles_.reset();
    // A root that openFile would expand is left to openFile.
    if (files_.root.empty() || files_.root[0] == '$' || files_.root[0] == '~') return;
    const std::string dir = files_.root + "/install/pkgs";
    DIR* d = ::opendir(dir.c_str());
    if (!d) {
        // No folder, no markers; any other failure: every marker is tried.
        if (errno == ENOENT || errno == ENOTDIR) markerFiles_.emplace();
        return;
    }
    markerFiles_.emplace();
    while (const dirent* e = ::readdir(d)) markerFiles_->insert(e->d_name);
    ::closedir(d);
}

ReadEnd Catalogue::buildProdSizeInfo(int formType) {
    for (ProductRecord& product : products)
        if (GetPkgsInProd(product) == ReadEnd::Fatal) return ReadEnd::Fatal;
    listPackageMarkers();
    ReadEnd end = ReadEnd::Ok;
    for (PackageRecord* p : packageList())
        if ((end = getPkgsSize(formType, *p)) == ReadEnd::Fatal) break;
    markerFiles_.reset();
    return end == ReadEnd::Fatal ? end : ReadEnd::Ok;
}

}  // namespace trev
