// Header fields, the signed header checksum, mode characters and dates.
#include "header.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "tarBuilder.h"

namespace {

using tart::Field;

// A record whose bytes at offset hold text; everything else is NUL.
std::string recordWith(std::size_t offset, const std::string& text, char fill = '\0') {
    std::string r(tart::kRecordSize, fill);
    r.replace(offset, text.size(), text);
    return r;
}

const unsigned char* bytes(const std::string& s) {
    return reinterpret_cast<const unsigned char*>(s.data());
}

// A 12-byte binary (base-256) field: the flag byte, then the bytes given
// at the end, padded with `fill` in between.
std::string base256(char flag, const std::string& tail, char fill = '\0') {
    std::string f(12, fill);
    f[0] = flag;
    f.replace(12 - tail.size(), tail.size(), tail);
    return f;
}

TEST(TartHeaderNumbers, OctalTextBase256AndGarbage) {
    const struct {
        std::string bytes;
        std::size_t width;
        bool allowNegative;
        int64_t value;
    } cases[] = {
        // Octal text as tar writes it; old tars pad with blanks.
        {std::string("0000755\0", 8), 8, false, 0755},
        {std::string("00000001750\0", 12), 12, false, 01750},
        {"   644 \0", 8, false, 0644},
        {"\t12\n", 8, false, 012},
        {std::string("011626\0 ", 8), 8, false, 011626},  // a checksum field
        // Garbage and empty fields read as 0; digits stop at the first
        // non-octal byte.
        {std::string(8, '\0'), 8, false, 0},
        {"        ", 8, false, 0},
        {"zzzzzzzz", 8, false, 0},
        {"-0000001", 8, false, 0},
        {"0000089x", 8, false, 0},
        {"12x34", 8, false, 012},
        // Never read past the field: a size of twelve digits followed at
        // once by more digits (the mtime field).
        {"77777777777712345670", 12, false, 0777777777777},
        {"123456781234", 4, false, 01234},
        // Base 256; a negative size or id reads as 0; more than 64 bits is
        // clamped, never wrapped.
        {base256('\x80', "\x01\x23\x45"), 12, false, 0x012345},
        {std::string(12, '\xFF'), 12, true, -1},
        {std::string(12, '\xFF'), 12, false, 0},
        {base256('\xFF', "\xFE\xD4", '\xFF'), 12, true, -300},
        {base256('\xBF', "", '\xFF'), 12, false, INT64_MAX},
        {base256('\xC0', ""), 12, true, INT64_MIN},
    };
    for (const auto& c : cases) {
        const std::string r = recordWith(0, c.bytes);
        EXPECT_EQ(tart::parseNumber(bytes(r), Field{0, c.width}, c.allowNegative), c.value)
            << "\"" << c.bytes << "\" width " << c.width;
    }
    // The same inside a real record layout.
    std::string r(tart::kRecordSize, '7');
    EXPECT_EQ(tart::parseNumber(bytes(r), tart::kSizeField), 0777777777777);
    EXPECT_EQ(tart::parseNumber(bytes(r), tart::kModeField), 077777777);
}

TEST(TartHeaderText, StopsAtNulOrFieldEnd) {
    std::string r = recordWith(0, "usr/a");
    EXPECT_EQ(tart::fieldText(bytes(r), tart::kNameField), "usr/a");
    // A name filling all 100 bytes is followed by the mode digits: only the
    // 100 bytes belong to it.
    const std::string full(100, 'n');
    r = recordWith(0, full + "0000644");
    EXPECT_EQ(tart::fieldText(bytes(r), tart::kNameField), full);
    r = recordWith(157, std::string(100, 'l') + "ustar");
    EXPECT_EQ(tart::fieldText(bytes(r), tart::kLinknameField), std::string(100, 'l'));
}

TEST(TartHeaderChecksum, SignedBytesWithBlankChecksumField) {
    std::string r(tart::kRecordSize, '\0');
    EXPECT_EQ(tart::checksum(bytes(r)), 8 * 32);
    r[0] = 'a';
    EXPECT_EQ(tart::checksum(bytes(r)), 8 * 32 + 97);
    r[1] = static_cast<char>(0xE9);  // counts as -23
    EXPECT_EQ(tart::checksum(bytes(r)), 8 * 32 + 97 - 23);
    // Whatever the checksum field holds, it counts as eight blanks.
    r.replace(148, 8, std::string(8, static_cast<char>(0xFF)));
    EXPECT_EQ(tart::checksum(bytes(r)), 8 * 32 + 97 - 23);
    // Against the sums an independent writer records.
    tarbuild::Entry e;
    e.name = "caf\xC3\xA9";
    const std::string h = tarbuild::header(e);
    EXPECT_EQ(tart::checksum(bytes(h)), tarbuild::headerSum(h, true));
    EXPECT_EQ(tart::checksum(bytes(h)), tarbuild::headerSum(h, false) - 2 * 256);
    EXPECT_EQ(tart::unsignedChecksum(bytes(h)), tarbuild::headerSum(h, false));
    // Either sum is accepted, nothing else.
    for (int delta : {-512, -256, -1, 0, 1, 256, 512}) {
        const int stored = tarbuild::headerSum(h, false) + delta;
        EXPECT_EQ(tart::checksumMatches(bytes(h), stored), delta == 0 || delta == -512) << delta;
    }
    // The checksum field is octal text, never base 256.
    std::string b256 = h;
    b256.replace(148, 8, std::string("\x80\0\0\0\0\0\x10\0", 8));
    EXPECT_EQ(tart::parseHeader(bytes(b256)).storedChecksum, 0);
}

TEST(TartHeaderParse, UstarPrefixJoinsOnlyUnderThePosixMagic) {
    std::string r = recordWith(0, "name");
    r.replace(345, 3, "dir");
    EXPECT_EQ(tart::parseHeader(bytes(r)).name, "name");  // V7: no prefix field
    r.replace(257, 8, std::string("ustar\0" "00", 8));
    EXPECT_EQ(tart::parseHeader(bytes(r)).name, "dir/name");
    r.replace(257, 8, "ustar  \0");  // GNU tar keeps times there
    EXPECT_EQ(tart::parseHeader(bytes(r)).name, "name");
}

TEST(TartHeaderParse, FieldsAndDataRecords) {
    tarbuild::Entry e;
    e.name = "usr/lib/x";
    e.mode = 04755;
    e.uid = 1234;
    e.gid = 567;
    e.size = 513;
    e.mtime = 991750020;
    e.typeflag = '7';  // contiguous: data like a regular file
    e.linkname = "target";
    const std::string h = tarbuild::header(e);
    const tart::TarHeader th = tart::parseHeader(bytes(h));
    EXPECT_EQ(th.name, "usr/lib/x");
    EXPECT_EQ(th.mode, 04755);
    EXPECT_EQ(th.uid, 1234);
    EXPECT_EQ(th.gid, 567);
    EXPECT_EQ(th.size, 513);
    EXPECT_EQ(th.mtime, 991750020);
    EXPECT_EQ(th.typeflag, '7');
    EXPECT_EQ(th.linkname, "target");
    EXPECT_EQ(th.storedChecksum, tarbuild::headerSum(h, true));
    EXPECT_EQ(th.dataRecords(), 2u);
    tart::TarHeader x = th;
    for (int64_t size : {0, 1, 511, 512}) {
        x.size = size;
        EXPECT_EQ(x.dataRecords(), size == 0 ? 0u : 1u) << size;
    }
    // Links, devices, directories and FIFOs have no data records whatever
    // their size; regular, unknown and extension records have.
    for (char type : std::string("123456")) {
        x.typeflag = type;
        EXPECT_EQ(x.dataRecords(), 0u) << type;
    }
    for (char type : std::string("0\0" "7SxgLKDZ", 10)) {
        x.typeflag = type;
        EXPECT_EQ(x.dataRecords(), 1u) << type;
    }
    x.typeflag = '0';
    x.size = INT64_MAX;  // no overflow in the rounding
    EXPECT_EQ(x.dataRecords(), static_cast<uint64_t>(INT64_MAX) / 512 + 1);
}

TEST(TartModeString, SpecialBitsWinOverExecute) {
    const std::pair<unsigned, const char*> cases[] = {
        {04755, "rwsr-xr-x"}, {01777, "rwxrwxrwt"},
        {04644, "rwsr--r--"},  // s whatever the execute bit
        {02710, "rwx--s---"}, {01000, "--------t"}, {0644, "rw-r--r--"}, {0, "---------"},
        {0100751, "rwxr-x--x"}};  // file type bits ignored
    for (auto [mode, text] : cases) EXPECT_EQ(tart::GetModeStr(mode), text) << std::oct << mode;
}

class TartLocalDates : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("TZ");
        saved_ = old ? old : "";
        hadTz_ = old != nullptr;
    }
    void TearDown() override {
        if (hadTz_) {
            setenv("TZ", saved_.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    static std::tm at(int64_t t, const char* tz) {
        setenv("TZ", tz, 1);
        tzset();
        std::tm tm{};
        EXPECT_TRUE(tart::localTime(t, tm));
        return tm;
    }
    std::string saved_;
    bool hadTz_ = false;
};

TEST_F(TartLocalDates, MonthCountsFromZeroAndYearsFrom1900) {
    // 5 March 1996, 14:07 UTC.
    EXPECT_EQ(tart::GetyymmddHHMM(at(826034820, "UTC0")), "9602051407");
    EXPECT_EQ(tart::GetDateStr(at(826034820, "UTC0")), "Mar  5 14:07 1996");
    // The same instant five hours west.
    EXPECT_EQ(tart::GetyymmddHHMM(at(826034820, "EST5")), "9602050907");
    // 5 June 2001: three digits of years.
    EXPECT_EQ(tart::GetyymmddHHMM(at(991750020, "UTC0")), "10105051407");
    EXPECT_EQ(tart::GetDateStr(at(991750020, "EST5EDT,M3.2.0,M11.1.0")), "Jun  5 10:07 2001");
    EXPECT_EQ(tart::GetDateStr(at(0, "UTC0")), "Jan  1 00:00 1970");
}

TEST_F(TartLocalDates, YearsOutsideFourDigits) {
    std::tm t{};
    t.tm_year = 10000 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 31;
    t.tm_hour = 23;
    t.tm_min = 59;
    EXPECT_EQ(tart::GetDateStr(t), "Dec 31 23:59 1000");
    t.tm_year = 999 - 1900;
    EXPECT_EQ(tart::GetDateStr(t), "Dec 31 23:59 999 ");
    // Far beyond what a time can hold: refused rather than wrapped.
    setenv("TZ", "UTC0", 1);
    tzset();
    EXPECT_FALSE(tart::localTime(INT64_MAX, t));
}

}  // namespace
