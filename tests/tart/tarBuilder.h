// Hand-made tar records for the unit tests: headers with chosen field bytes
// and checksums, written the way an old tar would (octal text, NUL ends).
#pragma once

#include <cstdio>
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
    char digits[24];
    std::snprintf(digits, sizeof digits, "%0*lo", static_cast<int>(width - 1), v);
    rec.replace(off, width, digits, width);
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

// Names and link names of at most 100 bytes.
inline std::string header(const Entry& e) {
    std::string rec(kRecord, '\0');
    rec.replace(0, e.name.size(), e.name);
    putOctal(rec, 100, 8, e.mode);
    putOctal(rec, 108, 8, e.uid);
    putOctal(rec, 116, 8, e.gid);
    putOctal(rec, 124, 12, e.size ? e.size : e.data.size());
    putOctal(rec, 136, 12, static_cast<unsigned long>(e.mtime));
    rec[156] = e.typeflag;
    rec.replace(157, e.linkname.size(), e.linkname);
    setChecksum(rec, headerSum(rec, true));
    return rec;
}

inline std::string padded(const std::string& data) {
    return data + std::string((kRecord - data.size() % kRecord) % kRecord, '\0');
}

inline std::string member(const Entry& e) { return header(e) + padded(e.data); }

inline std::string endOfArchive() { return std::string(2 * kRecord, '\0'); }

}  // namespace tarbuild
