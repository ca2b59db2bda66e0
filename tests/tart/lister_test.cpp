// The listing over archives made in memory: members without data, extension
// records, full-width names, times beyond any year, reads of every size and
// cut archives.
#include "lister.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "checksum.h"
#include "tarBuilder.h"
#include "tartExit.h"

namespace {

using tarbuild::Entry;

// The data checksum of a member's content, "%05u", by the exact step.
std::string sumOf(const std::string& data) {
    uint32_t c = 0;
    for (unsigned char b : data) c = trev::checksumStep(c, b);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%05u", c);
    return buf;
}

class StringConsole : public tart::Console {
public:
    bool out(std::string_view t) override {
        out_ += t;
        return true;
    }
    void err(std::string_view t) override { err_ += t; }
    std::string out_, err_;
};

struct Result {
    std::string out, err;
    int status;
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
    StringConsole c;
    tart::Lister lister(f.format, {}, src, c, 4096);
    const int status = lister.run();
    return {c.out_, c.err_, status};
}

TEST(TartListing, OnlyRegularMembersOwnData) {
    // A link, device, directory or FIFO header claiming a size (as CPython's
    // dirtype-with-size) is followed directly by the next header; the type,
    // not a trailing "/", makes a directory.
    const std::string next = tarbuild::member({"n", 0644, 0, 0, 0, 0, '0', "", "xyz"}) + tarbuild::endOfArchive();
    const std::pair<char, std::string> kinds[] = {{'1', "- o -> f"}, {'2', "l o -> f"}, {'3', "- o"},
                                                  {'4', "- o"},      {'5', "d o"},      {'6', "- o"}};
    for (const auto& [type, line] : kinds) {
        const std::string odd = tarbuild::header({"o", 0644, 0, 0, 700, 0, type, "f", ""});
        EXPECT_EQ(list(odd + next, "%t %f%l").out, line + "\n- n\n") << type;
    }
}

TEST(TartListing, ExtensionRecordsAreFoldedIntoTheNextMember) {
    // pax and GNU long-name records: never members themselves; a global
    // header holds for every member after it, a member's own header wins.
    // Records are "<length> key=value\n", the length counting itself.
    const auto pax = [](const std::string& recs, char type) {
        return tarbuild::member(Entry{"PaxHeader", 0644, 0, 0, 0, 0, type, "", recs});
    };
    Entry a{"a", 0644, 1, 2, 0, 0, '0', "", "abc"};
    Entry s{"s", 0777, 1, 2, 0, 0, '2', "short", ""};
    Entry longName{"././@LongLink", 0644, 0, 0, 0, 0, 'L', "", std::string(150, 'n') + '\0'};
    Entry longLink{"././@LongLink", 0644, 0, 0, 0, 0, 'K', "", std::string(120, 'k') + '\0'};
    const std::string archive = pax("11 uid=700\n", 'g') + tarbuild::member(a) +
                                pax("15 path=p/long\n8 gid=9\n15 mtime=-60.5\n", 'x') +
                                tarbuild::member(a) + tarbuild::member(longName) +
                                tarbuild::member(longLink) + tarbuild::member(s) + tarbuild::endOfArchive();
    EXPECT_EQ(list(archive, "%u %g %d %f%l").out,
              "700 2 7000010000 a\n700 9 6911312358 p/long\n700 2 7000010000 " +
                  std::string(150, 'n') + " -> " + std::string(120, 'k') + "\n");
    // A size that only the pax header gives (GNU tar writes 0 in the header
    // for 8 GiB and more) is the member's.
    const std::string sized = pax("9 size=3\n", 'x') + tarbuild::header({"z", 0644, 0, 0, 0, 0, '0', "", ""}) +
                              tarbuild::padded("abc") +
                              tarbuild::member(a) + tarbuild::endOfArchive();
    EXPECT_EQ(list(sized, "%s %c %f").out, "     3 " + sumOf("abc") + " z\n     3 " + sumOf("abc") + " a\n");
    // Damaged records end the listing with a message.
    for (const char* recs : {"13 path=x\n", "7 path\n", "11 size=1x\n", "5 =x\n"}) {
        const Result r = list(pax(recs, 'x') + tarbuild::member(a) + tarbuild::endOfArchive(), "%f");
        EXPECT_EQ(r.out + r.err, "tart: malformed extended header (PaxHeader)\n") << recs;
        EXPECT_EQ(r.status, tart::kExitChecksum) << recs;
    }
    const std::string huge = tarbuild::header({"PaxHeader", 0644, 0, 0, 2u << 20, 0, 'x', "", ""});
    const Result r = list(huge + tarbuild::endOfArchive(), "%f");
    EXPECT_EQ(r.err, "tart: extended header too long (2097152 bytes)\n");
    EXPECT_EQ(r.status, tart::kExitChecksum);
}

TEST(TartListing, FullWidthNamesAndATimeBeyondAnyYear) {
    std::string h = tarbuild::header({std::string(100, 'n'), 0644, 0, 0, 0, 0, '2', std::string(100, 'l'), ""});
    // A binary time far beyond any year a date can show.
    h.replace(136, 12, std::string("\x80\x7F\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 12));
    tarbuild::setChecksum(h, tarbuild::headerSum(h, true));
    const Result r = list(h + tarbuild::endOfArchive(), "%f%l|%d|%D");
    EXPECT_EQ(r.out, std::string(100, 'n') + " -> " + std::string(100, 'l') +
                         "|??????????|??? ?? ??:?? ????\n");
    EXPECT_EQ(r.status, tart::kExitOk);
}

TEST(TartListing, EveryWayOfReadingWholeOrCut) {
    // A member whose data looks like a header, one beyond the seek
    // threshold, one after it; read whole, in pieces that leave part of a
    // record buffered before a seek, and through a pipe.
    Entry decoy{"fake", 0644, 0, 0, 0, 0, '0', "", ""};
    Entry a{"a", 0644, 0, 0, 0, 0, '0', "", tarbuild::header(decoy) + "first"};
    Entry big{"big", 0644, 0, 0, 0, 0, '0', "", std::string(200000, 'b') + "end"};
    Entry last{"last", 0644, 0, 0, 0, 0, '0', "", "z"};
    const std::string full =
        tarbuild::member(a) + tarbuild::member(big) + tarbuild::member(last) + tarbuild::endOfArchive();
    const std::string lines[] = {sumOf(a.data) + " a\n", sumOf(big.data) + " big\n", sumOf("z") + " last\n"};
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
            EXPECT_EQ(r.out, cut.out);
            const bool whole = cut.size == full.size();
            EXPECT_EQ(r.err, whole ? "" : "tart: unexpected end of archive\n");
            EXPECT_EQ(r.status, whole ? tart::kExitOk : tart::kExitTruncated);
        }
    }
}

}  // namespace
