#include "pax.h"

#include <limits>

namespace tart {

namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

// [-]digits[.digits]: the whole part, rounded down for a negative value
// with a fraction.  False on anything else.
bool parseSeconds(std::string_view v, bool allowNegative, int64_t& out) {
    bool negative = false;
    if (!v.empty() && v[0] == '-') {
        if (!allowNegative) return false;
        negative = true;
        v.remove_prefix(1);
    }
    const std::size_t dot = v.find('.');
    std::string_view whole = v.substr(0, dot);
    if (whole.empty()) return false;
    int64_t n = 0;
    for (char c : whole) {
        if (c < '0' || c > '9') return false;
        n = n > (kMax - 9) / 10 ? kMax : n * 10 + (c - '0');
    }
    bool fraction = false;
    if (dot != std::string_view::npos) {
        for (char c : v.substr(dot + 1)) {
            if (c < '0' || c > '9') return false;
            fraction = fraction || c != '0';
        }
    }
    out = negative ? -n - (fraction ? 1 : 0) : n;
    return true;
}

bool setNumber(std::string_view v, bool allowNegative, std::optional<int64_t>& field) {
    int64_t n;
    if (!parseSeconds(v, allowNegative, n)) return false;
    field = n;
    return true;
}

bool apply(std::string_view key, std::string_view value, PaxFields& f) {
    if (key == "path") {
        f.path = std::string(value);
    } else if (key == "linkpath") {
        f.linkpath = std::string(value);
    } else if (key == "size") {
        return value.find('.') == std::string_view::npos && setNumber(value, false, f.size);
    } else if (key == "uid") {
        return value.find('.') == std::string_view::npos && setNumber(value, false, f.uid);
    } else if (key == "gid") {
        return value.find('.') == std::string_view::npos && setNumber(value, false, f.gid);
    } else if (key == "mtime") {
        return setNumber(value, true, f.mtime);
    } else if (key == "GNU.sparse.name") {
        f.sparseName = std::string(value);
    } else if (key == "GNU.sparse.size" || key == "GNU.sparse.realsize") {
        return setNumber(value, false, f.sparseSize);
    } else if (key == "GNU.sparse.major") {
        return setNumber(value, false, f.sparseMajor);
    } else if (key == "GNU.sparse.map") {
        f.sparseMap.clear();
        f.sparseMapGiven = true;
        return parseSparseList(value, f.sparseMap);
    } else if (key == "GNU.sparse.offset") {
        std::optional<int64_t> offset;
        if (!setNumber(value, false, offset) || f.sparseMap.size() == kMaxSparseRegions) return false;
        f.sparseMap.push_back({static_cast<uint64_t>(*offset), 0});
        f.sparseMapGiven = true;
    } else if (key == "GNU.sparse.numbytes") {
        std::optional<int64_t> length;
        if (!setNumber(value, false, length) || f.sparseMap.empty()) return false;
        f.sparseMap.back().length = static_cast<uint64_t>(*length);
    }
    return true;
}

}  // namespace

void PaxFields::override(const PaxFields& later) {
    if (later.path) path = later.path;
    if (later.linkpath) linkpath = later.linkpath;
    if (later.size) size = later.size;
    if (later.uid) uid = later.uid;
    if (later.gid) gid = later.gid;
    if (later.mtime) mtime = later.mtime;
    if (later.sparseName) sparseName = later.sparseName;
    if (later.sparseSize) sparseSize = later.sparseSize;
    if (later.sparseMajor) sparseMajor = later.sparseMajor;
    if (later.sparseMapGiven) {
        sparseMap = later.sparseMap;
        sparseMapGiven = true;
    }
}

bool parsePax(std::string_view data, PaxFields& fields) {
    while (!data.empty()) {
        // A header padded with NULs after its last record ends there.
        if (data[0] == '\0') break;
        std::size_t i = 0;
        std::size_t length = 0;
        while (i < data.size() && data[i] >= '0' && data[i] <= '9' && i < 12) {
            length = length * 10 + static_cast<std::size_t>(data[i] - '0');
            ++i;
        }
        if (i == 0 || i >= data.size() || data[i] != ' ' || length <= i + 1 ||
            length > data.size() || data[length - 1] != '\n') {
            return false;
        }
        const std::string_view record = data.substr(i + 1, length - i - 2);
        const std::size_t eq = record.find('=');
        if (eq == std::string_view::npos || eq == 0) return false;
        if (!apply(record.substr(0, eq), record.substr(eq + 1), fields)) return false;
        data.remove_prefix(length);
    }
    return true;
}

}  // namespace tart
