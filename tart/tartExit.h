// Exit statuses of tart.  The installer's scripts test these numbers, so each
// has a name here and nowhere else.
#pragma once

namespace tart {

// The listing reached the end-of-archive record.  Also: empty input, and a
// format that is refused (the scripts rely on a refused format ending with 0).
constexpr int kExitOk = 0;
constexpr int kExitBadFormat = 0;

// Usage text shown, an include or exclude file that cannot be read, or no
// memory left.
constexpr int kExitUsage = 1;
constexpr int kExitListFile = 1;
constexpr int kExitNoMemory = 1;

// A header whose stored checksum differs from the computed one.
constexpr int kExitChecksum = 2;

// Input or output trouble: a read error, a first read that is not a whole
// number of records, input ending before the end-of-archive record, or a
// failed write of the listing.
constexpr int kExitRead = 3;
constexpr int kExitBlocksize = 3;
constexpr int kExitTruncated = 3;
constexpr int kExitWrite = 3;

}  // namespace tart
