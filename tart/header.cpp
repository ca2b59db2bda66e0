#include "header.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>

namespace tart {

namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

bool isSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// GNU base-256: the first byte carries a marker bit (0x80), a sign bit (0x40)
// and six value bits; the value is two's complement over the whole field.
int64_t parseBase256(const unsigned char* p, std::size_t width) {
    const bool negative = (p[0] & 0x40) != 0;
    // For a negative number the complemented bytes give magnitude - 1.
    const unsigned char flip = negative ? 0xFF : 0x00;
    uint64_t m = (p[0] ^ flip) & 0x3Fu;
    for (std::size_t i = 1; i < width; ++i) {
        if (m > (std::numeric_limits<uint64_t>::max() >> 8)) {
            return negative ? kMin : kMax;
        }
        m = (m << 8) | static_cast<unsigned char>(p[i] ^ flip);
    }
    if (negative) {
        // -(m + 1), clamped at the lowest int64.
        return m >= static_cast<uint64_t>(kMax) ? kMin : -static_cast<int64_t>(m) - 1;
    }
    return m > static_cast<uint64_t>(kMax) ? kMax : static_cast<int64_t>(m);
}

}  // namespace

int64_t parseNumber(const unsigned char* record, Field f, bool allowNegative) {
    const unsigned char* p = record + f.offset;
    if (f.width > 0 && (p[0] & 0x80)) {
        const int64_t v = parseBase256(p, f.width);
        return (v < 0 && !allowNegative) ? 0 : v;
    }
    return parseOctal(record, f);
}

int64_t parseOctal(const unsigned char* record, Field f) {
    const unsigned char* p = record + f.offset;
    std::size_t i = 0;
    while (i < f.width && isSpace(p[i])) ++i;
    int64_t v = 0;
    for (; i < f.width && p[i] >= '0' && p[i] <= '7'; ++i) {
        if (v > (kMax >> 3)) return kMax;  // only wider fields than tar's
        v = v * 8 + (p[i] - '0');
    }
    return v;
}

std::string fieldText(const unsigned char* record, Field f) {
    const char* p = reinterpret_cast<const char*>(record + f.offset);
    std::size_t n = 0;
    while (n < f.width && p[n] != '\0') ++n;
    return std::string(p, n);
}

namespace {

// The unsigned sum and the number of bytes above 0x7F, checksum field blank.
// Whole-record loops first, the field taken out after: the compiler turns
// them into vector code.
std::pair<int, int> sums(const unsigned char* record) {
    int sum = 0, high = 0;
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        sum += record[i];
        high += record[i] >> 7;
    }
    for (std::size_t i = kChksumField.offset; i < kChksumField.offset + kChksumField.width; ++i) {
        sum -= record[i];
        high -= record[i] >> 7;
    }
    return {sum + static_cast<int>(kChksumField.width) * ' ', high};
}

}  // namespace

int checksum(const unsigned char* record) {
    // Each byte above 0x7F counts 256 less when taken as signed.
    const auto [sum, high] = sums(record);
    return sum - 256 * high;
}

int unsignedChecksum(const unsigned char* record) { return sums(record).first; }

bool checksumMatches(const unsigned char* record, int64_t stored) {
    const auto [sum, high] = sums(record);
    return stored == sum || stored == sum - 256 * high;
}

uint64_t TarHeader::dataRecords() const {
    if (!ownsData(typeflag) || size <= 0) return 0;
    const uint64_t s = static_cast<uint64_t>(size);
    return s / kRecordSize + (s % kRecordSize != 0);
}

TarHeader parseHeader(const unsigned char* record) {
    TarHeader h;
    h.name = fieldText(record, kNameField);
    if (std::memcmp(record + kMagicField.offset, "ustar", kMagicField.width) == 0 &&
        record[kPrefixField.offset] != 0) {
        h.name = fieldText(record, kPrefixField) + "/" + h.name;
    }
    h.linkname = fieldText(record, kLinknameField);
    h.mode = parseNumber(record, kModeField);
    h.uid = parseNumber(record, kUidField);
    h.gid = parseNumber(record, kGidField);
    h.size = parseNumber(record, kSizeField);
    h.mtime = parseNumber(record, kMtimeField, true);
    h.storedChecksum = parseOctal(record, kChksumField);
    h.typeflag = static_cast<char>(record[kTypeflagField.offset]);
    return h;
}

std::string GetModeStr(int64_t mode) {
    // Per position: the bits tested in order and their characters.
    struct Position {
        int64_t firstBit;
        char firstChar;
        int64_t secondBit;
        char secondChar;
    };
    static constexpr Position m[9] = {
        {0400, 'r', 0, 0},      {0200, 'w', 0, 0},      {04000, 's', 0100, 'x'},
        {040, 'r', 0, 0},       {020, 'w', 0, 0},       {02000, 's', 010, 'x'},
        {04, 'r', 0, 0},        {02, 'w', 0, 0},        {01000, 't', 01, 'x'},
    };
    std::string s(9, '-');
    for (int i = 0; i < 9; ++i) {
        if (mode & m[i].firstBit) {
            s[i] = m[i].firstChar;
        } else if (mode & m[i].secondBit) {
            s[i] = m[i].secondChar;
        }
    }
    return s;
}

bool localTime(int64_t mtime, std::tm& out) {
    if (mtime < std::numeric_limits<std::time_t>::min() ||
        mtime > std::numeric_limits<std::time_t>::max()) {
        return false;
    }
    const std::time_t t = static_cast<std::time_t>(mtime);
    return localtime_r(&t, &out) != nullptr;
}

std::string GetyymmddHHMM(const std::tm& t) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d%02d%02d%02d%02d", t.tm_year, t.tm_mon, t.tm_mday,
                  t.tm_hour, t.tm_min);
    return buf;
}

std::string GetDateStr(const std::tm& t) {
    static const char months[12][4] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* month = (t.tm_mon >= 0 && t.tm_mon < 12) ? months[t.tm_mon] : "???";
    // ctime writes the year with "%d"; tart shows at most its first four
    // characters.
    char year[16];
    std::snprintf(year, sizeof year, "%" PRId64, static_cast<int64_t>(t.tm_year) + 1900);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3s%3d %.2d:%.2d %-4.4s", month, t.tm_mday, t.tm_hour,
                  t.tm_min, year);
    return buf;
}

}  // namespace tart
