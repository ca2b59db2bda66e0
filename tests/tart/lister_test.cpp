// The listing over archives in memory: lines, selection, header checks,
// cut archives and failed output.
#include "lister.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "checksum.h"
#include "tarBuilder.h"
#include "tartExit.h"

namespace {

// The data checksum of a member's content, "%05u", by the exact step.
std::string sumOf(const std::string& data) {
    uint32_t c = 0;
    for (unsigned char b : data) c = trev::checksumStep(c, b);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%05u", c);
    return buf;
}

using tarbuild::Entry;

class StringConsole : public tart::Console {
public:
    bool out(std::string_view t) override {
        if (failAfter_ >= 0 && static_cast<int>(out_.size() + t.size()) > failAfter_) return false;
        out_ += t;
        both_ += t;
        return true;
    }
    void err(std::string_view t) override {
        err_ += t;
        both_ += t;
    }
    std::string out_, err_, both_;
    int failAfter_ = -1;
};

struct Result {
    std::string out, err;
    int status;
};

Result list(const std::string& archive, const std::string& format = tart::kDefaultFormat,
            const tart::NameLists& lists = {}, std::size_t piece = 0, bool pipe = false,
            bool seekable = false) {
    const tart::FormatResult f = tart::CompileFormat(format);
    EXPECT_TRUE(f.ok);
    tart::MemorySource src(archive, piece, pipe, seekable);
    StringConsole c;
    tart::Lister lister(f.format, lists, src, c, 4096);
    const int status = lister.run();
    return {c.out_, c.err_, status};
}

class TartListing : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC0", 1);
        tzset();
    }
};

TEST_F(TartListing, DefaultFormatAndLinks) {
    Entry dir{"usr/", 0755, 0, 3, 0, 826034820, '5', "", ""};
    Entry file{"usr/a", 04755, 1234, 567, 0, 991750020, '0', "", "abc"};
    Entry sym{"usr/s", 0777, 0, 0, 0, 0, '2', "a", ""};
    Entry hard{"usr/h", 0644, 0, 0, 0, 0, '1', "usr/a", ""};
    const std::string archive = tarbuild::member(dir) + tarbuild::member(file) +
                                tarbuild::member(sym) + tarbuild::member(hard) +
                                tarbuild::endOfArchive();
    const Result r = list(archive);
    EXPECT_EQ(r.out,
              "drwxr-xr-x 0/3      0 Mar  5 14:07 1996 usr/\n"
              "-rwsr-xr-x 1234/567      3 Jun  5 14:07 2001 usr/a\n"
              "lrwxrwxrwx 0/0      0 Jan  1 00:00 1970 usr/s -> a\n"
              "-rw-r--r-- 0/0      0 Jan  1 00:00 1970 usr/h -> usr/a\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, tart::kExitOk);
    EXPECT_EQ(list(archive, "%c %d %f").out,
              "00000 9602051407 usr/\n16556 10105051407 usr/a\n"
              "00000 7000010000 usr/s\n00000 7000010000 usr/h\n");
}

TEST_F(TartListing, OnlyRegularMembersOwnData) {
    // A link, device, directory or FIFO header claiming a size (as CPython's
    // dirtype-with-size) is followed directly by the next header.
    for (char type : std::string("123456")) {
        Entry odd{"o", 0644, 0, 0, 700, 0, type, "f", ""};
        Entry next{"n", 0644, 0, 0, 0, 0, '0', "", "xyz"};
        const std::string archive =
            tarbuild::header(odd) + tarbuild::member(next) + tarbuild::endOfArchive();
        const std::string link = type == '1' || type == '2' ? " -> f" : "";
        const std::string t = type == '2' ? "l" : type == '5' ? "d" : "-";
        EXPECT_EQ(list(archive, "%t %c %s %f%l").out,
                  t + " 00000    700 o" + link + "\n- " + sumOf("xyz") + "      3 n\n")
            << type;
        EXPECT_EQ(list(archive, "%f").out, "o\nn\n") << type;
    }
}

TEST_F(TartListing, ExtensionRecordsAreFoldedIntoTheNextMember) {
    // pax and GNU long-name records: never members themselves; a global
    // header holds for every member after it, a member's own header wins.
    // "<length> key=value\n", the length counting itself.
    const auto rec = [](const std::string& kv) {
        std::size_t n = kv.size() + 3;
        while (n != kv.size() + 2 + std::to_string(n).size()) ++n;
        return std::to_string(n) + " " + kv + "\n";
    };
    const auto pax = [](const std::string& recs, char type) {
        Entry x{"PaxHeader", 0644, 0, 0, 0, 0, type, "", recs};
        return tarbuild::member(x);
    };
    Entry a{"a", 0644, 1, 2, 0, 0, '0', "", "abc"};
    Entry s{"s", 0777, 1, 2, 0, 0, '2', "short", ""};
    Entry longName{"././@LongLink", 0644, 0, 0, 0, 0, 'L', "", std::string(150, 'n') + '\0'};
    Entry longLink{"././@LongLink", 0644, 0, 0, 0, 0, 'K', "", std::string(120, 'k') + '\0'};
    const std::string archive = pax(rec("uid=700"), 'g') + tarbuild::member(a) +
                                pax(rec("path=p/long") + rec("gid=9") + rec("mtime=-60.5"), 'x') +
                                tarbuild::member(a) + tarbuild::member(longName) +
                                tarbuild::member(longLink) + tarbuild::member(s) +
                                tarbuild::endOfArchive();
    EXPECT_EQ(list(archive, "%u %g %d %f%l").out,
              "700 2 7000010000 a\n700 9 6911312358 p/long\n700 2 7000010000 " +
                  std::string(150, 'n') + " -> " + std::string(120, 'k') + "\n");
    // A size that only the pax header gives (GNU tar writes 0 in the header
    // for 8 GiB and more) is the member's.
    Entry zero{"z", 0644, 0, 0, 0, 0, '0', "", ""};
    const std::string sized = pax(rec("size=3"), 'x') + tarbuild::header(zero) +
                              tarbuild::padded("abc") + tarbuild::member(a) + tarbuild::endOfArchive();
    EXPECT_EQ(list(sized, "%s %c %f").out, "     3 " + sumOf("abc") + " z\n     3 " + sumOf("abc") + " a\n");
    // Damaged records end the listing with a message.
    for (const std::string& recs : std::vector<std::string>{"13 path=x\n", "7 path\n", rec("size=1x"), rec("=x"), "x"}) {
        const Result r = list(pax(recs, 'x') + tarbuild::member(a) + tarbuild::endOfArchive());
        EXPECT_EQ(r.out, "") << recs;
        EXPECT_EQ(r.err, "tart: malformed extended header (PaxHeader)\n") << recs;
        EXPECT_EQ(r.status, tart::kExitChecksum) << recs;
    }
    Entry huge{"PaxHeader", 0644, 0, 0, 2u << 20, 0, 'x', "", ""};
    const Result r = list(tarbuild::header(huge) + tarbuild::endOfArchive());
    EXPECT_EQ(r.err, "tart: extended header too long (2097152 bytes)\n");
    EXPECT_EQ(r.status, tart::kExitChecksum);
}

TEST_F(TartListing, FullWidthNamesAndOddNumbers) {
    Entry e{std::string(100, 'n'), 0644, 0, 0, 0, 0, '2', std::string(100, 'l'), ""};
    std::string h = tarbuild::header(e);
    // Garbage in the uid and size fields, a base-256 gid.
    h.replace(108, 8, "zz12\0\0\0\0", 8);
    h.replace(124, 12, "-0000000001\0", 12);
    h.replace(116, 8, std::string("\x80\0\0\0\0\x2D\xC6\xC0", 8));
    // A binary time far beyond any year a date can show.
    h.replace(136, 12, std::string("\x80\x7F\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 12));
    tarbuild::setChecksum(h, tarbuild::headerSum(h, true));
    const Result r = list(h + tarbuild::endOfArchive(), "%u %g %s %f%l|%d|%D");
    EXPECT_EQ(r.out, "0 3000000      0 " + std::string(100, 'n') + " -> " + std::string(100, 'l') +
                         "|??????????|??? ?? ??:?? ????\n");
    EXPECT_EQ(r.status, tart::kExitOk);
}

TEST_F(TartListing, SelectionSkipsTheDataOfOthers) {
    // Data that would look like a header if it were not skipped.
    Entry decoy{"usr/lib/fake", 0644, 0, 0, 0, 0, '0', "", ""};
    Entry lib{"usr/lib/x", 0644, 0, 0, 0, 0, '0', "", tarbuild::header(decoy) + "tail"};
    Entry libx{"usr/libx", 0644, 0, 0, 0, 0, '0', "", tarbuild::header(decoy)};
    Entry old{"usr/lib/old/y", 0644, 0, 0, 0, 0, '0', "", "old"};
    const std::string archive = tarbuild::member(lib) + tarbuild::member(libx) +
                                tarbuild::member(old) + tarbuild::endOfArchive();
    tart::NameLists lists;
    lists.include.emplace(std::vector<std::string>{"usr/lib"});
    EXPECT_EQ(list(archive, "%f", lists).out, "usr/lib/x\nusr/lib/old/y\n");
    lists.exclude.emplace(std::vector<std::string>{"usr/lib/old"});
    EXPECT_EQ(list(archive, "%f", lists).out, "usr/lib/x\n");
    lists.include.emplace();
    const Result none = list(archive, "%f", lists);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.status, tart::kExitOk);
}

TEST_F(TartListing, CutArchivesEndWithAMessage) {
    Entry a{"a", 0644, 0, 0, 0, 0, '0', "", "first"};
    Entry big{"big", 0644, 0, 0, 0, 0, '0', "", std::string(200000, 'b')};
    const std::string full = tarbuild::member(a) + tarbuild::member(big) + tarbuild::endOfArchive();
    const std::size_t bigHeader = 1024;
    const std::size_t bigEnd = bigHeader + 512 + 200192;
    // Cut at the end of big's header, inside its data (on and off a record
    // boundary), and just before the end-of-archive record.
    for (std::size_t cut : {bigHeader + 512, bigHeader + 1024, bigHeader + 5000, bigEnd}) {
        const std::string archive = full.substr(0, cut);
        for (const std::string format : {"%f", "%c %f"}) {
            const std::string sumA = format == "%f" ? "" : sumOf("first") + " ";
            const std::string sumBig = format == "%f" ? "" : sumOf(big.data) + " ";
            // big is listed only when all its data is there.
            const std::string shown = sumA + "a\n" + (cut == bigEnd ? sumBig + "big\n" : "");
            for (int way = 0; way < 3; ++way) {  // seekable file, plain read, pipe
                const Result r = list(archive, format, {}, way == 2 ? 1000 : 0, way == 2, way == 0);
                EXPECT_EQ(r.out, shown) << cut << format << way;
                EXPECT_EQ(r.err, "tart: unexpected end of archive\n") << cut << format << way;
                EXPECT_EQ(r.status, tart::kExitTruncated);
            }
        }
    }
}

TEST_F(TartListing, FailedOutputIsAnError) {
    Entry a{"a", 0644, 0, 0, 0, 0, '0', "", ""};
    const std::string archive = tarbuild::member(a) + tarbuild::member(a) + tarbuild::endOfArchive();
    const tart::FormatResult f = tart::CompileFormat("%f");
    tart::MemorySource src(archive);
    StringConsole c;
    c.failAfter_ = 2;
    tart::Lister lister(f.format, {}, src, c);
    EXPECT_EQ(lister.run(), tart::kExitWrite);
    EXPECT_EQ(c.both_, "a\ntart: write error\n");
}

}  // namespace
