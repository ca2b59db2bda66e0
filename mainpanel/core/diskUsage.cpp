#include "diskUsage.h"

#include <cstring>

namespace trev {

void getInstalledDiskUsage(Catalogue& cat) {
    for (const PackageRecord* p : cat.packageList())
        if (p->refCount != 0) cat.installedDiskUsage += p->size;
    cat.estimatedDiskUsage = cat.installedDiskUsage;
}

namespace {

// The install form: a package counts as soon as one chosen or installed
// product holds it.
void installChoice(Catalogue& cat, PackageRecord& pkg, bool select) {
    if (select) {
        if (pkg.refCount == 0) cat.estimatedDiskUsage += pkg.size;
        ++pkg.refCount;
    } else if (pkg.refCount == 1) {
        cat.estimatedDiskUsage -= pkg.size;
        if (cat.estimatedDiskUsage < cat.installedDiskUsage)
            cat.estimatedDiskUsage = cat.installedDiskUsage;
        else
            pkg.refCount = 0;
    } else if (pkg.refCount > 1) {
        --pkg.refCount;
    }
}

// The remove form: a package is freed only when the last product holding
// it is chosen for removal.
void removeChoice(Catalogue& cat, PackageRecord& pkg, bool select) {
    if (select) {
        if (pkg.refCount == 1) {
            cat.estimatedDiskUsage -= pkg.size;
            if (cat.estimatedDiskUsage < 0)
                cat.estimatedDiskUsage = 0;
            else
                pkg.refCount = 0;
        } else if (pkg.refCount > 1) {
            --pkg.refCount;
        }
    } else if (pkg.refCount == 0) {
        cat.estimatedDiskUsage += pkg.size;
        if (cat.estimatedDiskUsage > cat.installedDiskUsage)
            cat.estimatedDiskUsage = cat.installedDiskUsage;
        else
            pkg.refCount = 1;
    } else {
        ++pkg.refCount;
    }
}

}  // namespace

void updateDiskUsage(Catalogue& cat, ProductRecord& product, int kind, bool select) {
    if (kind != kInstallKind && kind != kRemoveKind) return;
    for (PackageRef& ref : product.packages) {
        if (kind == kInstallKind)
            installChoice(cat, *ref.package, select);
        else
            removeChoice(cat, *ref.package, select);
    }
}

DiskLabel diskUsageLabelText(std::int64_t value) {
    const std::int64_t shown = value > kLabelValueMax ? kLabelValueMax : value;
    std::string text = std::to_string(shown) + " KBytes";
    text.resize(kLabelTextWidth, ' ');
    return {text, value < 0 ? LabelColours::Warning : LabelColours::Normal};
}

std::optional<std::int64_t> readFreeDiskResult(std::FILE* f) {
    constexpr std::size_t kResultLineMax = 13;
    char buf[kResultLineMax + 1];
    if (!std::fgets(buf, sizeof buf, f)) return std::nullopt;
    std::size_t len = strnlen(buf, kResultLineMax);
    if (len > 0) --len;   // the line feed, or the thirteenth character of a long line
    std::int64_t value = 0;
    // Twelve characters hold no number beyond 64 bits.
    if (scanDecimal(std::string_view(buf, len), value) != DecimalScan::Ok) value = 0;
    return value;
}

std::optional<std::int64_t> parseDiskAvail(const char* text) {
    std::int64_t value = 0;
    switch (scanDecimal(text, value)) {
    case DecimalScan::Ok:
        if (value < -kDiskAvailLimit || value > kDiskAvailLimit) return std::nullopt;
        return value;
    case DecimalScan::NoDigits: return 0;
    case DecimalScan::OutOfRange: break;
    }
    return std::nullopt;
}

}  // namespace trev
