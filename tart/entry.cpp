#include "entry.h"

#include <cinttypes>
#include <cstdio>

#include "tartExit.h"

namespace tart {

bool EntryReader::failWith(std::string message, int status) {
    message_ = std::move(message);
    status_ = status;
    return false;
}

bool EntryReader::fail(ReadStatus s) {
    switch (s) {
    case ReadStatus::Eof:
        return failWith("tart: unexpected end of archive\n", kExitTruncated);
    case ReadStatus::BlocksizeError:
        return failWith("tart: blocksize error\n", kExitBlocksize);
    case ReadStatus::Error:
    case ReadStatus::Ok:
        break;
    }
    return failWith("tart: read error\n", kExitRead);
}

bool EntryReader::readExtension(const TarHeader& h, std::string& data) {
    if (h.size < 0 || static_cast<uint64_t>(h.size) > kMaxExtensionSize) {
        return failWith("tart: extended header too long (" + std::to_string(h.size) + " bytes)\n",
                        kExitChecksum);
    }
    data.clear();
    uint64_t left = static_cast<uint64_t>(h.size);
    for (uint64_t n = h.dataRecords(); n > 0; --n) {
        const unsigned char* rec = nullptr;
        const ReadStatus s = records_.readtape(rec);
        if (s != ReadStatus::Ok) return fail(s);
        const std::size_t take = static_cast<std::size_t>(std::min<uint64_t>(left, kRecordSize));
        data.append(reinterpret_cast<const char*>(rec), take);
        left -= take;
    }
    return true;
}

bool EntryReader::readGnuSparseRecords(const unsigned char* header, Entry& e) {
    bool ok = appendGnuPairs(header + kGnuSparseMapAt, kGnuSparseHeaderPairs, e.map);
    bool extended = header[kGnuSparseExtendedAt] != 0;
    while (extended) {
        const unsigned char* rec = nullptr;
        const ReadStatus s = records_.readtape(rec);
        if (s != ReadStatus::Ok) return fail(s);
        ok = ok && appendGnuPairs(rec, kGnuExtensionPairs, e.map);
        extended = rec[kGnuExtensionExtendedAt] != 0;
    }
    if (!ok) return failWith("tart: sparse map too long in " + e.header.name + "\n", kExitChecksum);
    return true;
}

EntryReader::Next EntryReader::next(Entry& e) {
    bool haveLocal = false;
    std::optional<std::string> longName, longLink;
    std::string data;
    const unsigned char* rec = nullptr;
    for (;;) {
        const ReadStatus s = records_.readtape(rec);
        if (s != ReadStatus::Ok) {
            fail(s);
            return Next::Failed;
        }
        if (rec[0] == 0) return Next::End;
        e.header = parseHeader(rec);
        if (!checksumMatches(rec, e.header.storedChecksum)) {
            char msg[96];
            std::snprintf(msg, sizeof msg, "tart: directory checksum error (%" PRId64 " != %d)\n",
                          e.header.storedChecksum, checksum(rec));
            failWith(msg, kExitChecksum);
            return Next::Failed;
        }
        const char type = e.header.typeflag;
        if (type != kTypePaxLocal && type != kTypePaxLocalOld && type != kTypePaxGlobal &&
            type != kTypeGnuLongName && type != kTypeGnuLongLink) {
            break;
        }
        if (!readExtension(e.header, data)) return Next::Failed;
        if (type == kTypeGnuLongName || type == kTypeGnuLongLink) {
            // A NUL-terminated name.
            (type == kTypeGnuLongName ? longName : longLink) = data.substr(0, data.find('\0'));
        } else {
            const bool global = type == kTypePaxGlobal;
            if (!global && !haveLocal) local_ = PaxFields();
            (global ? haveGlobal_ : haveLocal) = true;
            if (parsePax(data, global ? global_ : local_)) continue;
            failWith("tart: malformed extended header (" + e.header.name + ")\n", kExitChecksum);
            return Next::Failed;
        }
    }

    TarHeader& h = e.header;
    if (longName) h.name = *longName;
    if (longLink) h.linkname = *longLink;
    e.storedBytes = ownsData(h.typeflag) && h.size > 0 ? static_cast<uint64_t>(h.size) : 0;
    e.sparse = SparseForm::None;
    e.map.clear();
    if (h.typeflag == kTypeGnuSparse) {
        e.sparse = SparseForm::InHeader;
        h.size = parseNumber(rec, kGnuRealSizeField);
        if (!readGnuSparseRecords(rec, e)) return Next::Failed;
    }
    if (!haveGlobal_ && !haveLocal) return Next::Member;  // the common case: nothing to fold in

    PaxFields pax = haveGlobal_ ? global_ : PaxFields();
    if (haveLocal) pax.override(local_);
    if (pax.path) h.name = *pax.path;
    if (pax.linkpath) h.linkname = *pax.linkpath;
    if (pax.size) h.size = *pax.size;
    if (pax.uid) h.uid = *pax.uid;
    if (pax.gid) h.gid = *pax.gid;
    if (pax.mtime) h.mtime = *pax.mtime;
    if (pax.size && e.sparse == SparseForm::None) {
        e.storedBytes = ownsData(h.typeflag) && h.size > 0 ? static_cast<uint64_t>(h.size) : 0;
    }
    if (e.sparse == SparseForm::None && pax.sparse() && ownsData(h.typeflag)) {
        if (pax.sparseName) h.name = *pax.sparseName;
        if (pax.sparseSize) h.size = *pax.sparseSize;
        if (pax.sparseMajor && *pax.sparseMajor >= 1) {
            e.sparse = SparseForm::InData;
        } else {
            e.sparse = SparseForm::InHeader;
            e.map = std::move(pax.sparseMap);
        }
    }
    return Next::Member;
}

bool EntryReader::sumRegions(const Entry& e, const SparseMap& map, uint64_t mapBytes,
                             uint16_t& sum) {
    const uint64_t realSize = e.header.size > 0 ? static_cast<uint64_t>(e.header.size) : 0;
    const uint64_t stored = e.storedBytes - mapBytes;
    if (!sparseMapFits(map, realSize, stored)) {
        return failWith("tart: damaged sparse map in " + e.header.name + "\n", kExitChecksum);
    }
    uint64_t at = 0, read = 0;
    for (const SparseRegion& r : map) {
        sum = checksumZeros(sum, r.offset - at);
        const ReadStatus s = records_.sumBytes(r.length, sum);
        if (s != ReadStatus::Ok) return fail(s);
        at = r.offset + r.length;
        read += r.length;
    }
    sum = checksumZeros(sum, realSize - at);
    // The rest of the stored data, if any, and the padding of the last record.
    const uint64_t rest = stored - read;
    const ReadStatus s = records_.skipBytes(rest + (kRecordSize - e.storedBytes % kRecordSize) % kRecordSize);
    return s == ReadStatus::Ok || fail(s);
}

bool EntryReader::checksumData(const Entry& e, uint16_t& sum) {
    sum = 0;
    if (e.sparse == SparseForm::InHeader) return sumRegions(e, e.map, 0, sum);
    if (e.sparse == SparseForm::InData) {
        SparseDataMap map;
        uint64_t mapBytes = 0;
        SparseDataMap::State state = SparseDataMap::State::More;
        while (state == SparseDataMap::State::More && mapBytes < e.storedBytes) {
            const unsigned char* rec = nullptr;
            const ReadStatus s = records_.readtape(rec);
            if (s != ReadStatus::Ok) return fail(s);
            mapBytes += kRecordSize;
            state = map.feed(rec, kRecordSize);
        }
        if (state != SparseDataMap::State::Done || mapBytes > e.storedBytes) {
            return failWith("tart: damaged sparse map in " + e.header.name + "\n", kExitChecksum);
        }
        return sumRegions(e, map.map(), mapBytes, sum);
    }
    const ReadStatus s = records_.ChecksumFl(e.storedBytes, sum);
    return s == ReadStatus::Ok || fail(s);
}

bool EntryReader::skipData(const Entry& e) {
    const uint64_t records = e.storedBytes / kRecordSize + (e.storedBytes % kRecordSize != 0);
    const ReadStatus s = records_.passtape(records);
    return s == ReadStatus::Ok || fail(s);
}

}  // namespace tart
