// The tar header record: its fields, the header checksum, and the texts
// derived from the mode and the modification time.  Pure code over a 512-byte
// record; nothing here reads past the field it is asked about.
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

// GNU tar's sparse member: when its header's "isextended" byte is set, the
// header is followed by extension records (each with its own flag at 504)
// that the size field does not count.  They are stepped over, so that the
// member's data and the next header are read where they are.
constexpr char kTypeGnuSparse = 'S';
constexpr std::size_t kGnuSparseExtendedAt = 482;
constexpr std::size_t kGnuExtensionExtendedAt = 504;

// A numeric field.  Octal text: leading white space is skipped, then octal
// digits are taken up to the end of the field or the first byte that is not
// one (a NUL, a blank, or garbage); a field without digits reads as 0.  A
// field whose first byte has its high bit set holds a big-endian binary
// number (the base-256 form GNU tar uses for values that do not fit the
// digits).  Values beyond 64 bits are clamped; negative values read as 0
// unless allowNegative (a modification time before 1970 is negative).
int64_t parseNumber(const unsigned char* record, Field f, bool allowNegative = false);

// A text field: its bytes up to the first NUL, all of them when the field has
// none.
std::string fieldText(const unsigned char* record, Field f);

// The header checksum as tart computes it: the sum of the 512 bytes taken as
// signed values (-128..127), with the 8 bytes of the checksum field counted
// as blanks.
int checksum(const unsigned char* record);

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

    // Records of data after the header: none for a hard link.
    uint64_t dataRecords() const;
};

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
