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

int64_t number(const std::string& fieldBytes, std::size_t width, bool allowNegative = false) {
    const std::string r = recordWith(0, fieldBytes);
    return tart::parseNumber(bytes(r), Field{0, width}, allowNegative);
}

TEST(TartHeaderNumbers, OctalTextAsTarWritesIt) {
    EXPECT_EQ(number(std::string("0000755\0", 8), 8), 0755);
    EXPECT_EQ(number(std::string("00000001750\0", 12), 12), 01750);
    EXPECT_EQ(number("   644 \0", 8), 0644);             // old tars pad with blanks
    EXPECT_EQ(number("\t12\n", 8), 012);
    EXPECT_EQ(number(std::string("011626\0 ", 8), 8), 011626);  // a checksum field
}

TEST(TartHeaderNumbers, GarbageAndEmptyFieldsReadAsZero) {
    EXPECT_EQ(number(std::string(8, '\0'), 8), 0);
    EXPECT_EQ(number("        ", 8), 0);
    EXPECT_EQ(number("zzzzzzzz", 8), 0);
    EXPECT_EQ(number("-0000001", 8), 0);
    EXPECT_EQ(number("0000089x", 8), 0);  // digits stop at the first non-octal byte
    EXPECT_EQ(number("12x34", 8), 012);
}

TEST(TartHeaderNumbers, NeverReadPastTheField) {
    // A size field of twelve digits followed at once by more digits (the
    // mtime field): only the size's own twelve count.
    EXPECT_EQ(number("77777777777712345670", 12), 0777777777777);
    EXPECT_EQ(number("123456781234", 4), 01234);
    // The same inside a real record layout.
    std::string r(tart::kRecordSize, '7');
    EXPECT_EQ(tart::parseNumber(bytes(r), tart::kSizeField), 0777777777777);
    EXPECT_EQ(tart::parseNumber(bytes(r), tart::kModeField), 077777777);
}

TEST(TartHeaderNumbers, Base256) {
    std::string big(12, '\0');
    big[0] = static_cast<char>(0x80);
    big[9] = 0x01;
    big[10] = 0x23;
    big[11] = 0x45;
    EXPECT_EQ(number(big, 12), 0x012345);
    std::string minusOne(12, static_cast<char>(0xFF));
    EXPECT_EQ(number(minusOne, 12, true), -1);
    EXPECT_EQ(number(minusOne, 12, false), 0);  // a negative size or id reads as 0
    std::string minus300(12, static_cast<char>(0xFF));
    minus300[10] = static_cast<char>(0xFE);
    minus300[11] = static_cast<char>(0xD4);
    EXPECT_EQ(number(minus300, 12, true), -300);
    // More than 64 bits: clamped, never wrapped.
    std::string huge(12, static_cast<char>(0xFF));
    huge[0] = static_cast<char>(0xBF);
    EXPECT_EQ(number(huge, 12), INT64_MAX);
    std::string hugeNeg(12, '\0');
    hugeNeg[0] = static_cast<char>(0xC0);
    EXPECT_EQ(number(hugeNeg, 12, true), INT64_MIN);
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
}

TEST(TartHeaderParse, FieldsAndDataRecords) {
    tarbuild::Entry e;
    e.name = "usr/lib/x";
    e.mode = 04755;
    e.uid = 1234;
    e.gid = 567;
    e.size = 513;
    e.mtime = 991750020;
    e.typeflag = '2';
    e.linkname = "target";
    const std::string h = tarbuild::header(e);
    const tart::TarHeader th = tart::parseHeader(bytes(h));
    EXPECT_EQ(th.name, "usr/lib/x");
    EXPECT_EQ(th.mode, 04755);
    EXPECT_EQ(th.uid, 1234);
    EXPECT_EQ(th.gid, 567);
    EXPECT_EQ(th.size, 513);
    EXPECT_EQ(th.mtime, 991750020);
    EXPECT_EQ(th.typeflag, '2');
    EXPECT_EQ(th.linkname, "target");
    EXPECT_EQ(th.storedChecksum, tarbuild::headerSum(h, true));
    EXPECT_EQ(th.dataRecords(), 2u);
    tart::TarHeader x = th;
    for (int64_t size : {0, 1, 511, 512}) {
        x.size = size;
        EXPECT_EQ(x.dataRecords(), size == 0 ? 0u : 1u) << size;
    }
    x.typeflag = '1';  // a hard link has no data records whatever its size
    EXPECT_EQ(x.dataRecords(), 0u);
    x.typeflag = '0';
    x.size = INT64_MAX;  // no overflow in the rounding
    EXPECT_EQ(x.dataRecords(), static_cast<uint64_t>(INT64_MAX) / 512 + 1);
}

TEST(TartModeString, SpecialBitsWinOverExecute) {
    EXPECT_EQ(tart::GetModeStr(04755), "rwsr-xr-x");
    EXPECT_EQ(tart::GetModeStr(01777), "rwxrwxrwt");
    EXPECT_EQ(tart::GetModeStr(04644), "rwsr--r--");  // s whatever the execute bit
    EXPECT_EQ(tart::GetModeStr(02710), "rwx--s---");
    EXPECT_EQ(tart::GetModeStr(01000), "--------t");
    EXPECT_EQ(tart::GetModeStr(0644), "rw-r--r--");
    EXPECT_EQ(tart::GetModeStr(0), "---------");
    EXPECT_EQ(tart::GetModeStr(0100751), "rwxr-x--x");  // file type bits ignored
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
