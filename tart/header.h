// The tar header record: its fields, the header checksum, and the texts
// derived from the mode and the modification time.  Pure code over a 512-byte
// record; nothing here reads past the field it is asked about.  The
// extension records that other tars write around a header (pax, GNU long
// names, sparse maps) are folded in by the entry reader (entry.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

namespace tart {

constexpr std::size_t kRecordSize = 512;

// Offset and width of a header field.
struct Field {
    std::size_t offset;
    std::size_t width;
};

// The V7 fields that tart uses.
constexpr Field kNameField{0, 100};
constexpr Field kModeField{100, 8};
constexpr Field kUidField{108, 8};
constexpr Field kGidField{116, 8};
constexpr Field kSizeField{124, 12};
constexpr Field kMtimeField{136, 12};
constexpr Field kChksumField{148, 8};
constexpr Field kTypeflagField{156, 1};
constexpr Field kLinknameField{157, 100};

constexpr char kTypeHardLink = '1';
constexpr char kTypeSymLink = '2';
constexpr char kTypeDirectory = '5';

// Only regular, contiguous and unknown members own data records: links,
// devices, directories and FIFOs have none, whatever their size field says
// (as GNU tar and Python's tarfile read them).
inline bool ownsData(char typeflag) { return typeflag < '1' || typeflag > '6'; }

// The POSIX ustar magic; only such a header has the name prefix field.
// (GNU tar's own "ustar  " header keeps other fields there.)
constexpr Field kMagicField{257, 6};
constexpr Field kPrefixField{345, 155};

// GNU tar's sparse member: when its header's "isextended" byte is set, the
// header is followed by extension records (each with its own flag at 504)
// that the size field does not count.  They are stepped over, so that the
// member's data and the next header are read where they are.
constexpr char kTypeGnuSparse = 'S';
constexpr std::size_t kGnuSparseMapAt = 386;  // four (offset, size) pairs
constexpr std::size_t kGnuSparseHeaderPairs = 4;
constexpr std::size_t kGnuSparseExtendedAt = 482;
constexpr Field kGnuRealSizeField{483, 12};
constexpr std::size_t kGnuExtensionPairs = 21;  // pairs in an extension record
constexpr std::size_t kGnuExtensionExtendedAt = 504;

// Extension records: a pax header for the next member, a pax header for all
// members after it, GNU tar's long name and long link name for the next
// member.  'X' is the pax header as Solaris tar wrote it before POSIX.
constexpr char kTypePaxLocal = 'x';
constexpr char kTypePaxLocalOld = 'X';
constexpr char kTypePaxGlobal = 'g';
constexpr char kTypeGnuLongName = 'L';
constexpr char kTypeGnuLongLink = 'K';

// A numeric field.  Octal text: leading white space is skipped, then octal
// digits are taken up to the end of the field or the first byte that is not
// one (a NUL, a blank, or garbage); a field without digits reads as 0.  A
// field whose first byte has its high bit set holds a big-endian binary
// number (the base-256 form GNU tar uses for values that do not fit the
// digits).  Values beyond 64 bits are clamped; negative values read as 0
// unless allowNegative (a modification time before 1970 is negative).
int64_t parseNumber(const unsigned char* record, Field f, bool allowNegative = false);

// Octal text only, as above: the header checksum field, which no tar writes
// in base 256.
int64_t parseOctal(const unsigned char* record, Field f);

// A text field: its bytes up to the first NUL, all of them when the field has
// none.
std::string fieldText(const unsigned char* record, Field f);

// The header checksum as tart computes it: the sum of the 512 bytes taken as
// signed values (-128..127), with the 8 bytes of the checksum field counted
// as blanks.  This is the figure a mismatch reports.
int checksum(const unsigned char* record);

// The same sum with the bytes taken unsigned (0..255), as POSIX, GNU tar and
// bsdtar write it.
int unsignedChecksum(const unsigned char* record);

// A header is sound when its stored sum is either sum: old tars summed
// signed bytes, every tar of today sums unsigned ones.  The two differ only
// where a byte is above 0x7F.
bool checksumMatches(const unsigned char* record, int64_t stored);

// The fields of one header.
struct TarHeader {
    std::string name;
    std::string linkname;
    int64_t mode = 0;
    int64_t uid = 0;
    int64_t gid = 0;
    int64_t size = 0;
    int64_t mtime = 0;
    int64_t storedChecksum = 0;
    char typeflag = 0;

    // Records of data after the header: none for a member that owns none.
    uint64_t dataRecords() const;
};

// The fields of the record; a ustar header's name is its prefix, "/" and the
// name field.
TarHeader parseHeader(const unsigned char* record);

// The nine mode characters: rwx per class, s for set-user-id and
// set-group-id whatever the execute bit, t for the sticky bit.
std::string GetModeStr(int64_t mode);

// The modification time in local time, false when it cannot be represented.
bool localTime(int64_t mtime, std::tm& out);

// "%02d%02d%02d%02d%02d" of years since 1900, month from 0, day, hour, minute.
std::string GetyymmddHHMM(const std::tm& t);

// Month, day, hour:minute and year as the local-time text of ctime shows
// them, laid out "%-12.12s %-4.4s": "Mar 17 09:54 1992".
std::string GetDateStr(const std::tm& t);

}  // namespace tart
