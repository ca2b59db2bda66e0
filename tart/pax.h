// pax extended headers: the records "<length> <key>=<value>\n" that POSIX
// tar formats put before a member (for that member) or anywhere (for every
// member after it), and the fields of them that a listing uses.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sparse.h"

namespace tart {

struct PaxFields {
    std::optional<std::string> path;
    std::optional<std::string> linkpath;
    std::optional<int64_t> size;
    std::optional<int64_t> uid;
    std::optional<int64_t> gid;
    std::optional<int64_t> mtime;  // whole seconds, rounded down

    // GNU tar's sparse members: the real name and size, the map (0.0: pairs
    // of GNU.sparse.offset and GNU.sparse.numbytes; 0.1: GNU.sparse.map) and
    // the version (1.0: the map is in the data).
    std::optional<std::string> sparseName;
    std::optional<int64_t> sparseSize;
    std::optional<int64_t> sparseMajor;
    SparseMap sparseMap;
    bool sparseMapGiven = false;

    bool sparse() const { return sparseSize || sparseMajor || sparseMapGiven; }

    // Sets every field that `later` sets (a member's header over the global
    // one).
    void override(const PaxFields& later);
};

// Reads the records of one extended header into fields.  Keys that a
// listing has no use for (atime, uname, comment, ...) are passed over.
// False when a record is malformed: a length that does not end where a
// newline does, no "=", or a number field that is not a number.
bool parsePax(std::string_view data, PaxFields& fields);

}  // namespace tart
