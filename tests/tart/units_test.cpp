// tart's pure core over records made here: the header rules case by case
// (numbers, checksums, names, data records, dates), and the listing over
// archives in memory: members without data, extension records, full-width
// names, times beyond any year, reads of every size and cut archives.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "checksum.h"
#include "header.h"
#include "lister.h"
#include "tartExit.h"

namespace {

// width - 1 octal digits and a NUL.
void putOctal(std::string& rec, std::size_t off, std::size_t width, unsigned long v) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%0*lo", static_cast<int>(width - 1), v);
    rec.replace(off, width, digits, width);
}

// The checksum over the record with its checksum field blank, bytes signed
// (old Sun tar) or unsigned (POSIX, GNU tar).
int headerSum(const std::string& rec, bool signedBytes) {
    int sum = 0;
    for (std::size_t i = 0; i < tart::kRecordSize; ++i) {
        const unsigned char b = (i >= 148 && i < 156) ? ' ' : static_cast<unsigned char>(rec[i]);
        sum += signedBytes ? static_cast<signed char>(b) : b;
    }
    return sum;
}

std::string withChecksum(std::string rec) {
    putOctal(rec, 148, 7, static_cast<unsigned long>(headerSum(rec, true)));
    rec[155] = ' ';
    return rec;
}

// A header as an old tar writes it: group 2, owner, mode and time 0,
// octal numbers ended by NUL; names of at most 100 bytes.
std::string header(const std::string& name, char type, unsigned long size, const std::string& link = "") {
    std::string rec(tart::kRecordSize, '\0');
    rec.replace(0, name.size(), name);
    putOctal(rec, 116, 8, 2);
    putOctal(rec, 124, 12, size);
    rec[156] = type;
    rec.replace(157, link.size(), link);
    return withChecksum(rec);
}

std::string padded(const std::string& data) { return data + std::string((512 - data.size() % 512) % 512, '\0'); }

std::string member(const std::string& name, char type, const std::string& data, const std::string& link = "") {
    return header(name, type, data.size(), link) + padded(data);
}

const std::string kEnd(1024, '\0');

const unsigned char* bytes(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

TEST(TartHeaderNumbers, OctalTextBase256AndGarbage) {
    const struct {
        std::string bytes;
        std::size_t width;
        bool allowNegative;
        int64_t value;
    } cases[] = {
        // Octal text as old tars write it, padded with blanks.
        {"\t  644\n", 8, false, 0644},
        // Garbage and empty fields read as 0; digits stop at the first non-octal byte.
        {std::string(8, '\0'), 8, false, 0},
        {"12x34", 8, false, 012},
        // Never read past the field.
        {"77777777777712345670", 12, false, 0777777777777},
        // Base 256 (ids of GNU tar are seen in the program test); a negative
        // size or id reads as 0; beyond 64 bits is clamped.
        {std::string(12, '\xFF'), 12, false, 0},
        {std::string(10, '\xFF') + "\xFE\xD4", 12, true, -300},
        {"\xBF" + std::string(11, '\xFF'), 12, false, INT64_MAX},
        {"\xC0" + std::string(11, '\0'), 12, true, INT64_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tart::parseNumber(bytes(c.bytes + kEnd), tart::Field{0, c.width}, c.allowNegative),
                  c.value)
            << "\"" << c.bytes << "\" width " << c.width;
    }
}

TEST(TartHeaderChecksum, SignedOrUnsignedBytesWithBlankChecksumField) {
    // Against the sums an independent writer records, over bytes above 127.
    const std::string h = header("caf\xC3\xA9", '0', 0);
    EXPECT_EQ(tart::checksum(bytes(h)), headerSum(h, true));
    EXPECT_EQ(tart::unsignedChecksum(bytes(h)), headerSum(h, false));
    // Either sum is accepted, nothing else.
    for (int delta : {-512, -256, -1, 0, 1, 256, 512}) {
        const int stored = headerSum(h, false) + delta;
        EXPECT_EQ(tart::checksumMatches(bytes(h), stored), delta == 0 || delta == -512) << delta;
    }
    // The checksum field is octal text, never base 256.
    std::string b256 = h;
    b256.replace(148, 8, std::string("\x80\0\0\0\0\0\x10\0", 8));
    EXPECT_EQ(tart::parseHeader(bytes(b256)).storedChecksum, 0);
}

TEST(TartHeaderParse, UstarPrefixAndDataRecords) {
    std::string r = "name" + std::string(508, '\0');
    r.replace(345, 3, "dir");
    EXPECT_EQ(tart::parseHeader(bytes(r)).name, "name");  // V7: no prefix field
    r.replace(257, 8, std::string("ustar\0" "00", 8));
    EXPECT_EQ(tart::parseHeader(bytes(r)).name, "dir/name");
    r.replace(257, 8, "ustar  \0");  // GNU tar keeps times there
    EXPECT_EQ(tart::parseHeader(bytes(r)).name, "name");

    // Which types own data and the rounding up to records are seen in the
    // listings; here a size of whole records and the largest size, rounded
    // without overflow.
    tart::TarHeader x;
    x.size = 512;
    EXPECT_EQ(x.dataRecords(), 1u);
    x.size = INT64_MAX;
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

// The data checksum of a member's content, "%05u", by the exact step.
std::string sumOf(const std::string& data) {
    uint32_t c = 0;
    for (unsigned char b : data) c = trev::checksumStep(c, b);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%05u", c);
    return buf;
}

// What the listing printed, and its status.
struct Result : tart::Console {
    bool out(std::string_view t) override {
        text += t;
        return true;
    }
    void err(std::string_view t) override { errors += t; }
    std::string text, errors;
    int status = 0;
};

// How the archive is read: in pieces of `piece` bytes (0: all asked for),
// as a pipe (short reads allowed) and whether skipping may seek.
struct Reads {
    std::size_t piece;
    bool pipe, seekable;
};

Result list(const std::string& archive, const std::string& format, Reads reads = {0, false, false}) {
    setenv("TZ", "UTC0", 1);
    tzset();
    const tart::FormatResult f = tart::CompileFormat(format);
    EXPECT_TRUE(f.ok);
    tart::MemorySource src(archive, reads.piece, reads.pipe, reads.seekable);
    Result r;
    tart::Lister lister(f.format, {}, src, r, 4096);
    r.status = lister.run();
    return r;
}

TEST(TartListing, OnlyRegularMembersOwnData) {
    // A link, device, directory or FIFO header claiming a size (as CPython's
    // dirtype-with-size) is followed directly by the next header; the type,
    // not a trailing "/", makes a directory.
    const std::pair<char, std::string> kinds[] = {{'1', "- o -> f"}, {'2', "l o -> f"}, {'3', "- o"},
                                                  {'4', "- o"},      {'5', "d o"},      {'6', "- o"}};
    for (const auto& [type, line] : kinds) {
        const std::string archive = header("o", type, 700, "f") + member("n", '0', "xyz") + kEnd;
        EXPECT_EQ(list(archive, "%t %f%l").text, line + "\n- n\n") << type;
    }
}

TEST(TartListing, ExtensionRecordsAreFoldedIntoTheNextMember) {
    // pax records (GNU long names are read from real archives in the
    // program test): never members themselves; a global header holds for
    // every member after it, a member's own header wins.  Records are
    // "<length> key=value\n", the length counting itself.
    const auto pax = [](const std::string& recs, char type) { return member("PaxHeader", type, recs); };
    const std::string a = member("a", '0', "abc");
    const std::string archive =
        pax("11 uid=700\n", 'g') + a + pax("15 path=p/long\n8 gid=9\n15 mtime=-60.5\n", 'x') + a + a + kEnd;
    EXPECT_EQ(list(archive, "%u %g %d %f").text, "700 2 7000010000 a\n700 9 6911312358 p/long\n700 2 7000010000 a\n");
    // A size that only the pax header gives (GNU tar writes 0 in the header
    // for 8 GiB and more) is the member's.
    const std::string sized = pax("9 size=3\n", 'x') + header("z", '0', 0) + padded("abc") + a + kEnd;
    EXPECT_EQ(list(sized, "%s %c %f").text, "     3 " + sumOf("abc") + " z\n     3 " + sumOf("abc") + " a\n");
    // Damaged records end the listing with a message.
    for (const char* recs : {"13 path=x\n", "7 path\n", "11 size=1x\n", "5 =x\n"}) {
        const Result r = list(pax(recs, 'x') + a + kEnd, "%f");
        EXPECT_EQ(r.text + r.errors, "tart: malformed extended header (PaxHeader)\n") << recs;
        EXPECT_EQ(r.status, tart::kExitChecksum) << recs;
    }
    const Result r = list(header("PaxHeader", 'x', 2u << 20) + kEnd, "%f");
    EXPECT_EQ(r.errors, "tart: extended header too long (2097152 bytes)\n");
    EXPECT_EQ(r.status, tart::kExitChecksum);
}

TEST(TartListing, FullWidthNamesAndATimeBeyondAnyYear) {
    std::string h = header(std::string(100, 'n'), '2', 0, std::string(100, 'l'));
    // A binary time far beyond any year a date can show.
    h.replace(136, 12, std::string("\x80\x7F\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 12));
    const Result r = list(withChecksum(h) + kEnd, "%f%l|%d|%D");
    EXPECT_EQ(r.text, std::string(100, 'n') + " -> " + std::string(100, 'l') + "|??????????|??? ?? ??:?? ????\n");
    EXPECT_EQ(r.status, tart::kExitOk);
}

TEST(TartListing, EveryWayOfReadingWholeOrCut) {
    // A member whose data looks like a header, one beyond the seek
    // threshold, one after it; read whole, in pieces that leave part of a
    // record buffered before a seek, and through a pipe.
    const std::string a = header("fake", '0', 0) + "first", big = std::string(200000, 'b') + "end";
    const std::string full = member("a", '0', a) + member("big", '0', big) + member("last", '0', "z") + kEnd;
    const std::string lines[] = {sumOf(a) + " a\n", sumOf(big) + " big\n", sumOf("z") + " last\n"};
    const std::size_t bigHeader = 1536, lastHeader = bigHeader + 512 + 200192;
    const struct {
        std::size_t size;
        std::string out;
    } cuts[] = {
        {full.size(), lines[0] + lines[1] + lines[2]},
        {bigHeader + 512, lines[0]},  // at the end of big's header
        {bigHeader + 5000, lines[0]},  // inside its data, off a record boundary
        {lastHeader, lines[0] + lines[1]},
        {full.size() - 1024, lines[0] + lines[1] + lines[2]},  // the end-of-archive records missing
    };
    const Reads ways[] = {{0, false, false}, {0, false, true}, {700, false, true}, {1000, true, false}, {100, true, true}};
    for (const auto& cut : cuts) {
        for (const Reads& way : ways) {
            SCOPED_TRACE(std::to_string(cut.size) + " piece " + std::to_string(way.piece));
            const Result r = list(full.substr(0, cut.size), "%c %f", way);
            EXPECT_EQ(r.text, cut.out);
            const bool whole = cut.size == full.size();
            EXPECT_EQ(r.errors, whole ? "" : "tart: unexpected end of archive\n");
            EXPECT_EQ(r.status, whole ? tart::kExitOk : tart::kExitTruncated);
        }
    }
}

}  // namespace
