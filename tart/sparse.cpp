#include "sparse.h"

#include <limits>

#include "header.h"

namespace tart {

bool appendGnuPairs(const unsigned char* pairs, std::size_t count, SparseMap& map) {
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char* pair = pairs + i * 24;
        if (pair[0] == 0) break;
        if (map.size() == kMaxSparseRegions) return false;
        SparseRegion r;
        r.offset = static_cast<uint64_t>(parseNumber(pair, Field{0, 12}));
        r.length = static_cast<uint64_t>(parseNumber(pair, Field{12, 12}));
        map.push_back(r);
    }
    return true;
}

namespace {

// Decimal digits only, no sign; false on anything else or beyond 63 bits.
bool parseDecimal(std::string_view text, uint64_t& v) {
    if (text.empty()) return false;
    v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        if (v > (static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) - 9) / 10) return false;
        v = v * 10 + static_cast<uint64_t>(c - '0');
    }
    return true;
}

}  // namespace

bool parseSparseList(std::string_view text, SparseMap& map) {
    bool offset = true;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        uint64_t v;
        if (!parseDecimal(text.substr(0, comma), v)) return false;
        if (offset) {
            if (map.size() == kMaxSparseRegions) return false;
            map.push_back({v, 0});
        } else {
            map.back().length = v;
        }
        offset = !offset;
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
        if (text.empty()) return false;  // a trailing comma
    }
    return offset;  // every offset has its size
}

bool SparseDataMap::number(uint64_t v) {
    if (numbers_++ == 0) {
        if (v > kMaxSparseRegions) return false;
        regions_ = v;
        map_.reserve(static_cast<std::size_t>(v));
    } else if (numbers_ % 2 == 0) {
        map_.push_back({v, 0});
    } else {
        map_.back().length = v;
    }
    return true;
}

SparseDataMap::State SparseDataMap::feed(const unsigned char* record, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (numbers_ > 0 && numbers_ == 1 + 2 * regions_) return State::Done;
        const unsigned char c = record[i];
        if (c >= '0' && c <= '9') {
            if (current_ > (static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) - 9) / 10)
                return State::Bad;
            current_ = current_ * 10 + (c - '0');
            inNumber_ = true;
        } else if (c == '\n' && inNumber_) {
            if (!number(current_)) return State::Bad;
            current_ = 0;
            inNumber_ = false;
        } else {
            return State::Bad;
        }
    }
    return numbers_ > 0 && numbers_ == 1 + 2 * regions_ ? State::Done : State::More;
}

bool sparseMapFits(const SparseMap& map, uint64_t realSize, uint64_t storedBytes) {
    uint64_t end = 0, stored = 0;
    for (const SparseRegion& r : map) {
        if (r.offset < end || r.length > realSize || r.offset > realSize - r.length) return false;
        end = r.offset + r.length;
        if (r.length > storedBytes - stored) return false;
        stored += r.length;
    }
    return true;
}

uint16_t checksumZeros(uint16_t sum, uint64_t n) {
    const unsigned k = static_cast<unsigned>(n % 16);
    if (k == 0) return sum;
    return static_cast<uint16_t>((sum >> k) | (sum << (16 - k)));
}

}  // namespace tart
