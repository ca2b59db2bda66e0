// Hand-made tar records for the unit tests: headers with chosen field bytes
// and checksums, written the way an old tar would (octal text, NUL ends).
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

namespace tarbuild {

constexpr std::size_t kRecord = 512;

struct Entry {
    std::string name;
    unsigned mode = 0644;
    unsigned uid = 100;
    unsigned gid = 10;
    unsigned long size = 0;
    long mtime = 826034820;
    char typeflag = '0';
    std::string linkname;
    std::string data;  // written after the header, padded to whole records
};

// width - 1 octal digits and a NUL.
inline void putOctal(std::string& rec, std::size_t off, std::size_t width, unsigned long v) {
    std::string digits(width - 1, '0');
    for (std::size_t i = width - 1; i-- > 0 && v != 0; v >>= 3) {
        digits[i] = static_cast<char>('0' + (v & 7));
    }
    rec.replace(off, width - 1, digits);
    rec[off + width - 1] = '\0';
}

// The checksum over the record with its checksum field blank, bytes signed
// (old Sun tar) or unsigned (POSIX, GNU tar).
inline int headerSum(const std::string& rec, bool signedBytes) {
    int sum = 0;
    for (std::size_t i = 0; i < kRecord; ++i) {
        const unsigned char b = (i >= 148 && i < 156) ? ' ' : static_cast<unsigned char>(rec[i]);
        sum += signedBytes ? static_cast<signed char>(b) : b;
    }
    return sum;
}

inline void setChecksum(std::string& rec, int sum) {
    putOctal(rec, 148, 7, static_cast<unsigned long>(sum));
    rec[155] = ' ';
}

inline std::string header(const Entry& e, bool signedBytes = true) {
    std::string rec(kRecord, '\0');
    std::memcpy(&rec[0], e.name.data(), std::min<std::size_t>(e.name.size(), 100));
    putOctal(rec, 100, 8, e.mode);
    putOctal(rec, 108, 8, e.uid);
    putOctal(rec, 116, 8, e.gid);
    putOctal(rec, 124, 12, e.size ? e.size : e.data.size());
    putOctal(rec, 136, 12, static_cast<unsigned long>(e.mtime));
    rec[156] = e.typeflag;
    std::memcpy(&rec[157], e.linkname.data(), std::min<std::size_t>(e.linkname.size(), 100));
    setChecksum(rec, headerSum(rec, signedBytes));
    return rec;
}

inline std::string padded(const std::string& data) {
    std::string s = data;
    s.resize((data.size() + kRecord - 1) / kRecord * kRecord, '\0');
    return s;
}

inline std::string member(const Entry& e, bool signedBytes = true) {
    return header(e, signedBytes) + padded(e.data);
}

inline std::string endOfArchive() { return std::string(2 * kRecord, '\0'); }

}  // namespace tarbuild
