// Sparse members: the map of data regions that GNU tar keeps for a file with
// holes, in any of its four forms, and the checksum of the file's contents
// with the holes as zero bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tart {

struct SparseRegion {
    uint64_t offset = 0;
    uint64_t length = 0;
};

using SparseMap = std::vector<SparseRegion>;

// A map longer than this is refused: a real file has few regions per
// megabyte, and the map is held in memory.
constexpr std::size_t kMaxSparseRegions = 100000;

// Where a member's map is.
enum class SparseForm {
    None,
    InHeader,  // GNU's old format and pax 0.0 / 0.1: known with the header
    InData,    // pax 1.0: decimal lines at the start of the member's data
};

// The pairs of GNU's old format: offset and size fields of 12 bytes each,
// `count` of them from `pairs`; an all-zero offset field ends the list.
// Appends to map; false when the map grows beyond its limit.
bool appendGnuPairs(const unsigned char* pairs, std::size_t count, SparseMap& map);

// "offset,size,offset,size": the map of pax 0.1.  False when malformed.
bool parseSparseList(std::string_view text, SparseMap& map);

// The decimal map at the start of a pax 1.0 member's data: the number of
// regions, then an offset and a size per region, one number a line, padded
// to whole records.  Fed a record at a time.
class SparseDataMap {
public:
    enum class State { More, Done, Bad };
    State feed(const unsigned char* record, std::size_t n);
    const SparseMap& map() const { return map_; }
    SparseMap& map() { return map_; }

private:
    bool number(uint64_t v);
    SparseMap map_;
    uint64_t regions_ = 0;
    uint64_t numbers_ = 0;  // numbers read so far
    uint64_t current_ = 0;
    bool inNumber_ = false;
};

// True when the regions are in order, do not overlap, end within the real
// size and hold no more bytes than the archive stores for them.
bool sparseMapFits(const SparseMap& map, uint64_t realSize, uint64_t storedBytes);

// The checksum step over n zero bytes: each zero only rotates the sum, and
// sixteen rotations give it back.
uint16_t checksumZeros(uint16_t sum, uint64_t n);

}  // namespace tart
