// tart's header rules, case by case: numbers, checksums, names, how many
// data records follow, and dates beyond four-digit years.
#include <gtest/gtest.h>

#include <string>

#include "header.h"
#include "tarBuilder.h"

namespace {

const unsigned char* bytes(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

// A record whose first bytes are text; everything else is NUL.
std::string recordWith(const std::string& text) {
    std::string r(tart::kRecordSize, '\0');
    return r.replace(0, text.size(), text);
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
        {"\t  644\n", 8, false, 0644},
        {std::string("011626\0 ", 8), 8, false, 011626},  // a checksum field
        // Garbage and empty fields read as 0; digits stop at the first non-octal byte.
        {std::string(8, '\0'), 8, false, 0},
        {"-0000001", 8, false, 0},
        {"12x34", 8, false, 012},
        // Never read past the field.
        {"77777777777712345670", 12, false, 0777777777777},
        {"123456781234", 4, false, 01234},
        // Base 256; a negative size or id reads as 0; beyond 64 bits is clamped.
        {std::string("\x80\0\0\0\0\0\0\0\0\x01\x23\x45", 12), 12, false, 0x012345},
        {std::string(12, '\xFF'), 12, true, -1},
        {std::string(12, '\xFF'), 12, false, 0},
        {std::string(10, '\xFF') + "\xFE\xD4", 12, true, -300},
        {"\xBF" + std::string(11, '\xFF'), 12, false, INT64_MAX},
        {"\xC0" + std::string(11, '\0'), 12, true, INT64_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tart::parseNumber(bytes(recordWith(c.bytes)), tart::Field{0, c.width}, c.allowNegative),
                  c.value)
            << "\"" << c.bytes << "\" width " << c.width;
    }
}

TEST(TartHeaderChecksum, SignedOrUnsignedBytesWithBlankChecksumField) {
    // Against the sums an independent writer records, over bytes above 127.
    const std::string h = tarbuild::header({"caf\xC3\xA9", 0644, 0, 0, 0, 0, '0', "", ""});
    EXPECT_EQ(tart::checksum(bytes(h)), tarbuild::headerSum(h, true));
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

TEST(TartHeaderParse, UstarPrefixAndDataRecords) {
    std::string r = recordWith("name");
    r.replace(345, 3, "dir");
    EXPECT_EQ(tart::parseHeader(bytes(r)).name, "name");  // V7: no prefix field
    r.replace(257, 8, std::string("ustar\0" "00", 8));
    EXPECT_EQ(tart::parseHeader(bytes(r)).name, "dir/name");
    r.replace(257, 8, "ustar  \0");  // GNU tar keeps times there
    EXPECT_EQ(tart::parseHeader(bytes(r)).name, "name");

    // Which types own data is seen in the listing; here the rounding.
    tart::TarHeader x;
    x.typeflag = '0';
    for (const auto& [size, records] : {std::pair<int64_t, uint64_t>{0, 0}, {1, 1}, {512, 1}, {513, 2}}) {
        x.size = size;
        EXPECT_EQ(x.dataRecords(), records) << size;
    }
    x.size = INT64_MAX;  // no overflow in the rounding
    EXPECT_EQ(x.dataRecords(), static_cast<uint64_t>(INT64_MAX) / 512 + 1);
}

TEST(TartDates, TheYearTakesFourCharacters) {
    const std::pair<int, const char*> dates[] = {{10000, "Jan  0 00:00 1000"}, {999, "Jan  0 00:00 999 "}};
    for (const auto& [year, text] : dates) {
        std::tm t{};
        t.tm_year = year - 1900;
        EXPECT_EQ(tart::GetDateStr(t), text);
    }
}

}  // namespace
