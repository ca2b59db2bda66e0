// Exit statuses of tart.  The installer's scripts test these numbers, so each
// has a name here and nowhere else.
#pragma once

namespace tart {

// The listing reached the end-of-archive record.  Also: empty input.
constexpr int kExitOk = 0;

// Usage text shown, a format that is refused (nothing is read then), an
// include or exclude file that cannot be read, or no memory left.
constexpr int kExitUsage = 1;
constexpr int kExitBadFormat = 1;
constexpr int kExitListFile = 1;
constexpr int kExitNoMemory = 1;

// A header whose stored checksum differs from both sums of its bytes, or a
// damaged extension record (pax header, sparse map).
constexpr int kExitChecksum = 2;

// Input or output trouble: a read error, a first read that is not a whole
// number of records, input ending before the end-of-archive record, or a
// failed write of the listing.
constexpr int kExitRead = 3;
constexpr int kExitBlocksize = 3;
constexpr int kExitTruncated = 3;
constexpr int kExitWrite = 3;

}  // namespace tart
