// Disk accounting of the product forms: what installing the chosen products
// needs, what removing them frees, counting a package shared by several
// products once through its reference count.  Also the text of a disk
// figure label and the result file of the free-space estimator.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "catalogue.h"

namespace trev {

// installedDiskUsage := the sizes of every package that some installed
// product holds (non-zero references); estimatedDiskUsage := the same.
void getInstalledDiskUsage(Catalogue& cat);

// Adjusts estimatedDiskUsage and the references of the product's packages
// when the product is chosen (`select` true) or released, for the install
// (2) or the remove (9) form; any other kind changes nothing.  The estimate
// stays at or above installedDiskUsage in the install form and between 0
// and installedDiskUsage in the remove form.
void updateDiskUsage(Catalogue& cat, ProductRecord& product, int kind, bool select);

// The figures the forms show.
inline std::int64_t requiredSpace(const Catalogue& c) {
    return c.estimatedDiskUsage - c.installedDiskUsage;
}
inline std::int64_t availableSpace(const Catalogue& c) { return c.freeDisk - requiredSpace(c); }
inline std::int64_t freedSpace(const Catalogue& c) {
    return c.installedDiskUsage - c.estimatedDiskUsage;
}

// The text of a disk figure label and the colours it asks for.
constexpr std::int64_t kLabelValueMax = 99999999;
constexpr std::size_t kLabelTextWidth = 15;
enum class LabelColours { Normal, Warning };
struct DiskLabel {
    std::string text;       // exactly 15 characters
    LabelColours colours;   // Warning for a value below 0
};
// "%d KBytes" of the value (at most 99999999), padded with blanks or cut
// to 15 characters.
DiskLabel diskUsageLabelText(std::int64_t value);

// ---- The free-space estimator's result file --------------------------------------

constexpr std::int64_t kFreeDiskMax = 99999999;

// What the first line of the result file says: at most 13 characters are
// read, the last of them dropped, and the rest converted as atoi does
// (leading digits; none give 0).  Nothing when the file has no first line.
std::optional<std::int64_t> readFreeDiskResult(std::FILE* f);

// Whether a result can be taken as the free space.
inline bool freeDiskInRange(std::int64_t v) { return v >= 0 && v <= kFreeDiskMax; }

// The free space argument of the select forms: its leading decimal number
// (atoi's reading; none gives 0).  Nothing when it has more than 18 digits:
// the figures derived from it must stay within 64 bits.
constexpr std::int64_t kDiskAvailLimit = 999999999999999999;
std::optional<std::int64_t> parseDiskAvail(const char* text);

}  // namespace trev
