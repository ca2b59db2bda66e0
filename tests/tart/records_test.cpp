// The record reader: the first-read rule, short reads, end of input,
// skipping by seek and by reading, and the data checksum.
#include "records.h"

#include <gtest/gtest.h>

#include <string>

#include "checksum.h"

namespace {

using tart::MemorySource;
using tart::ReadStatus;
using tart::RecordReader;

// n records, record i filled with the byte 'A' + i % 26.
std::string records(std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += std::string(512, static_cast<char>('A' + i % 26));
    return s;
}

// Reads every record and returns the first byte of each.
std::string firstBytes(RecordReader& r, ReadStatus& end) {
    std::string seen;
    const unsigned char* rec = nullptr;
    while ((end = r.readtape(rec)) == ReadStatus::Ok) {
        for (std::size_t i = 1; i < 512; ++i) {
            if (rec[i] != rec[0]) return seen + "!";
        }
        seen += static_cast<char>(rec[0]);
    }
    return seen;
}

TEST(TartFirstRead, CountsWholeRecords) {
    const std::string data = records(3);
    MemorySource src(data);
    RecordReader r(src, 1024);
    int count = -1;
    EXPECT_EQ(r.firstRead(count), ReadStatus::Ok);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(src.position(), 512u);  // one record asked for
    ReadStatus end;
    EXPECT_EQ(firstBytes(r, end), "ABC");
    EXPECT_EQ(end, ReadStatus::Eof);
}

TEST(TartFirstRead, EmptyInput) {
    for (bool pipe : {false, true}) {
        MemorySource src("", 0, pipe);
        RecordReader r(src);
        int count = -1;
        EXPECT_EQ(r.firstRead(count), ReadStatus::Ok);
        EXPECT_EQ(count, 0);
    }
}

TEST(TartFirstRead, ShortFirstReadIsABlocksizeErrorExceptOnAPipe) {
    const std::string data = records(4);
    MemorySource file(data, 100);
    RecordReader fr(file);
    int count = -1;
    EXPECT_EQ(fr.firstRead(count), ReadStatus::BlocksizeError);

    MemorySource pipe(data, 100, true);
    RecordReader pr(pipe, 1024);
    EXPECT_EQ(pr.firstRead(count), ReadStatus::Ok);
    EXPECT_EQ(count, 1);
    ReadStatus end;
    EXPECT_EQ(firstBytes(pr, end), "ABCD");
    EXPECT_EQ(end, ReadStatus::Eof);

    // A pipe that ends inside the first record holds a cut archive.
    MemorySource cut(data.substr(0, 100), 30, true);
    RecordReader cr(cut);
    EXPECT_EQ(cr.firstRead(count), ReadStatus::Eof);
}

TEST(TartLaterReads, ShortReadsAreCompleted) {
    const std::string data = records(40);
    for (std::size_t piece : {512u, 700u, 1000u, 4096u}) {
        MemorySource src(data, piece);
        RecordReader r(src, 2048);
        int count;
        ASSERT_EQ(r.firstRead(count), ReadStatus::Ok);
        ReadStatus end;
        EXPECT_EQ(firstBytes(r, end), "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMN") << piece;
        EXPECT_EQ(end, ReadStatus::Eof);
    }
}

TEST(TartLaterReads, EndInsideARecordAndAfterItStaysEnded) {
    const std::string data = records(2) + "partial";
    MemorySource src(data, 300);
    RecordReader r(src, 1024);
    int count;
    ASSERT_EQ(r.firstRead(count), ReadStatus::BlocksizeError);  // 300 bytes first

    MemorySource src2(data);
    RecordReader r2(src2, 1024);
    ASSERT_EQ(r2.firstRead(count), ReadStatus::Ok);
    ReadStatus end;
    EXPECT_EQ(firstBytes(r2, end), "AB");
    EXPECT_EQ(end, ReadStatus::Eof);
    // Never an old record again.
    const unsigned char* rec = nullptr;
    EXPECT_EQ(r2.readtape(rec), ReadStatus::Eof);
    EXPECT_EQ(r2.passtape(1), ReadStatus::Eof);
    uint16_t sum;
    EXPECT_EQ(r2.ChecksumFl(1, sum), ReadStatus::Eof);
}

TEST(TartPasstape, SkipsByReadingOrSeeking) {
    const std::size_t n = 1000;  // 500 KiB: beyond the seek threshold
    const std::string data = records(n);
    for (bool seekable : {false, true}) {
        MemorySource src(data, 0, false, seekable);
        RecordReader r(src, 8192);
        int count;
        ASSERT_EQ(r.firstRead(count), ReadStatus::Ok);  // record 0 buffered
        ASSERT_EQ(r.passtape(1), ReadStatus::Ok);       // record 0
        ASSERT_EQ(r.passtape(2), ReadStatus::Ok);       // records 1, 2 (a short skip)
        const unsigned char* rec = nullptr;
        ASSERT_EQ(r.readtape(rec), ReadStatus::Ok);
        EXPECT_EQ(rec[0], 'A' + 3);
        ASSERT_EQ(r.passtape(900), ReadStatus::Ok);  // records 4 .. 903
        ASSERT_EQ(r.readtape(rec), ReadStatus::Ok);
        EXPECT_EQ(rec[0], 'A' + 904 % 26) << seekable;
        ASSERT_EQ(r.readtape(rec), ReadStatus::Ok);
        EXPECT_EQ(rec[0], 'A' + 905 % 26) << seekable;
        // Skipping beyond the end is the end of input, sought or read.
        EXPECT_EQ(r.passtape(n), ReadStatus::Eof) << seekable;
        EXPECT_EQ(r.readtape(rec), ReadStatus::Eof);
    }
}

TEST(TartPasstape, SeekingStartsAfterAPartlyBufferedRecord) {
    // The chunk boundary falls inside the data to skip: the part already
    // read must not be skipped again.
    const std::string data = records(400);
    MemorySource src(data, 700, false, true);
    RecordReader r(src, 4096);
    int count;
    ASSERT_EQ(r.firstRead(count), ReadStatus::Ok);
    const unsigned char* rec = nullptr;
    ASSERT_EQ(r.readtape(rec), ReadStatus::Ok);  // record 0
    ASSERT_EQ(r.readtape(rec), ReadStatus::Ok);  // record 1; 188 bytes of record 2 buffered
    ASSERT_EQ(r.passtape(300), ReadStatus::Ok);
    ASSERT_EQ(r.readtape(rec), ReadStatus::Ok);
    EXPECT_EQ(rec[0], 'A' + 302 % 26);
    EXPECT_EQ(rec[511], 'A' + 302 % 26);
}

TEST(TartChecksumFl, SumsSizeBytesAndMovesPastWholeRecords) {
    std::string data;
    for (int i = 0; i < 5000; ++i) data += static_cast<char>(i * 7 + i / 300);
    std::string archive = data + std::string(5120 - data.size(), '\x55') + records(1);
    for (uint64_t size : {0u, 1u, 511u, 512u, 513u, 5000u}) {
        uint32_t expected = 0;
        for (uint64_t i = 0; i < size; ++i) {
            expected = trev::checksumStep(expected, static_cast<unsigned char>(data[i]));
        }
        MemorySource src(std::string_view(archive).substr(0), 300, true);
        RecordReader r(src, 1024);  // data spread over several chunks
        int count;
        ASSERT_EQ(r.firstRead(count), ReadStatus::Ok);
        uint16_t sum = 1;
        ASSERT_EQ(r.ChecksumFl(size, sum), ReadStatus::Ok);
        EXPECT_EQ(sum, expected) << size;
        // The next record follows the last data record.
        const uint64_t used = (size + 511) / 512;
        ASSERT_EQ(r.passtape(10 - used), ReadStatus::Ok);
        const unsigned char* rec = nullptr;
        ASSERT_EQ(r.readtape(rec), ReadStatus::Ok);
        EXPECT_EQ(rec[0], 'A') << size;
    }
}

}  // namespace
