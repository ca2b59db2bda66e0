// The catalogue readers over input of any content.  The input is cut at its
// first three NUL bytes into a product description file, a bundle file, a
// package information file and a marker; each goes to its reader.  The
// products then take their packages from the bundle entries and their sizes
// from the package information, are ordered, and are all selected and
// released again.  Checked: every field within its width, a product line
// written back reads the same, every product in every order once, and the
// disk figures back where they started.
#include <cstdint>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/catalogue.h"
#include "core/diskUsage.h"
#include "core/prodList.h"
#include "fuzzCheck.h"

namespace {

// A list that holds what the selection operations set.
class Positions : public trev::ListView {
public:
    std::vector<int> selected;
    void showProducts(int, const std::vector<trev::ProductRecord*>&, bool fresh) override {
        if (!fresh) selected.clear();
    }
    std::vector<int> selectedPositions() override { return selected; }
    void setSelectedPositions(const std::vector<int>& p) override { selected = p; }
    void deselectAll() override { selected.clear(); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::string parts[4];
    for (int i = 0; i < 3; ++i) std::getline(in, parts[i], '\0');
    parts[3].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const fuzz::File diagFile(std::fopen("/dev/null", "w"), &std::fclose);
    if (!diagFile) return 0;
    std::FILE* diag = diagFile.get();

    trev::Catalogue cat(trev::CatalogueFiles{}, diag);
    trev::BundleIndex bundle;
    trev::PkgSizeIndex sizes;
    cat.readProdDesc(fuzz::streamOf(parts[0]).get(), "prods");
    trev::readBundleStream(fuzz::streamOf(parts[1]).get(), "bundles", bundle, diag);
    trev::readPkginfoStream(fuzz::streamOf(parts[2]).get(), "pkginfo", sizes, diag);

    std::vector<std::string> markerPackages;
    const trev::ReadEnd markerEnd =
        trev::readProductMarkerStream(fuzz::streamOf(parts[3]).get(), "marker", markerPackages, diag);
    for (const std::string& name : markerPackages) check(name.size() < trev::kPackageNameWidth);
    check(markerEnd != trev::ReadEnd::WrongFormat);
    for (bool installed : {true, false}) {
        trev::PackageRecord pkg;
        const trev::ReadEnd end =
            trev::readPackageMarkerStream(fuzz::streamOf(parts[3]).get(), "pkg", installed, pkg, diag);
        check(pkg.refCount >= 0 && (installed || pkg.refCount == 0));
        if (end != trev::ReadEnd::Ok) check(pkg.size == 0 && pkg.refCount == 0);
    }
    const std::string held = trev::readHoldProducts(fuzz::streamOf(parts[3]).get(), diag);
    check(held.empty() || held.back() == '\n');

    for (const trev::ProductRecord& p : cat.products) {
        check(p.title.size() < trev::kTitleWidth && p.auxField.size() < trev::kAuxFieldWidth &&
              p.name.size() < trev::kProductNameWidth && p.tag1.size() < trev::kTag1Width &&
              p.tag2.size() < trev::kTag2Width && p.status.size() < trev::kStatusWidth);
        const std::string line = trev::formatProductLine(p);
        check(line.size() <= trev::kCatalogueLineMax && line.back() == '\n');
        const std::optional<trev::ProductRecord> again = trev::parseProductLine(line);
        check(again.has_value());
        // The status comes back without its trailing blanks.
        check(again->title == p.title && again->auxField == p.auxField && again->name == p.name &&
              again->size == p.size && again->tag1 == p.tag1 && again->tag2 == p.tag2 &&
              again->status == p.status.substr(0, p.status.find_last_not_of(' ') + 1));
    }
    for (std::size_t i = 0; i < bundle.distinctPackages(); ++i)
        check(bundle.packageName(static_cast<std::uint32_t>(i)).size() < trev::kPackageNameWidth);

    // Packages from the bundle entries, sizes from the package information;
    // the odd products count as installed on their packages.
    for (trev::ProductRecord& p : cat.products)
        for (const std::uint32_t id : bundle.packagesOf(p.name))
            cat.addPkgInProd(p, bundle.packageName(id));
    const std::vector<trev::PackageRecord*>& list = cat.packageList();
    for (std::size_t i = 0; i < list.size(); ++i) {
        trev::PackageRecord* pkg = list[i];
        check(cat.findPackage(pkg->name) == pkg);
        check(i == 0 || list[i - 1]->name < pkg->name);
        if (const std::optional<std::int32_t> s = sizes.sizeOf(pkg->name)) pkg->size = *s;
        pkg->refCount = pkg->name.size() % 2;
    }
    trev::getInstalledDiskUsage(cat);
    const std::int64_t installed = cat.installedDiskUsage;
    // The clamps hold the estimate in its range for sizes of 0 and more.
    bool sizesValid = true;
    for (const trev::PackageRecord* p : list) sizesValid = sizesValid && p->size >= 0;

    trev::ProductSelection sel(cat, false);
    for (int order = trev::kOrderByName; order <= trev::kOrderByStatus; ++order) {
        std::vector<int> seen(cat.products.size());
        for (const trev::ProductRecord* p : sel.productsIn(order)) ++seen[p->index];
        for (int n : seen) check(n == 1);
    }
    for (std::size_t i = 1; i < sel.prodBySize.size(); ++i)
        check(sel.prodBySize[i - 1]->size <= sel.prodBySize[i]->size);
    for (int kind : {trev::kInstallKind, trev::kRemoveKind}) {
        Positions list;
        sel.dispProdList(list, static_cast<int>(size % 3), true);
        sel.selectAllProd(list, nullptr, kind);
        check(list.selected.size() == cat.products.size());
        if (sizesValid && kind == trev::kInstallKind) check(cat.estimatedDiskUsage >= installed);
        if (sizesValid && kind == trev::kRemoveKind)
            check(cat.estimatedDiskUsage >= 0 && cat.estimatedDiskUsage <= installed);
        sel.deselectAllProd(list, nullptr, kind);
        check(cat.estimatedDiskUsage == installed && sel.selectedNames().empty());
        for (const auto& p : cat.products) (void)trev::productListLine(p);
    }
    return 0;
}
