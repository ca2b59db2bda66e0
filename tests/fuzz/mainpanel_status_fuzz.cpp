// form.status of any content: decoding never reads past the record, the
// e-mail path stays a string, re-encoding gives the same bytes, and the
// names after the record are read within the bytes present.
#include <cstdint>
#include <cstring>

#include "core/geometry.h"
#include "core/statusRecord.h"
#include "fuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < trev::kStatusRecordSize) return 0;
    trev::StatusBytes bytes;
    std::memcpy(bytes.data(), data, bytes.size());
    trev::FormStatusRec rec = trev::decodeStatus(bytes);
    check(strnlen(rec.emailFile, trev::kEmailFileSize) < trev::kEmailFileSize);
    trev::StatusBytes again = trev::encodeStatus(rec);
    again[trev::kStatusRecordSize - 1] = bytes[trev::kStatusRecordSize - 1];
    check(again == bytes);
    const auto names = trev::decodeSelectedNames(data + trev::kStatusRecordSize,
                                                 size - trev::kStatusRecordSize, rec.numSelNames);
    for (const auto& n : names) check(n.size() < trev::kSelNameSize);
    // Placing a window from any record stays within the toolkit's ranges.
    for (std::size_t off = 80; off <= 256; off += 8) {
        trev::FormStatusRec r = rec;
        trev::placeWindow(r, *r.slotAt(off), 400, 300, 1280, 1024);
    }
    return 0;
}
