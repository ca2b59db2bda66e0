// The shared checksum step against known answers and against the real
// `sum -r` of coreutils.
#include "checksum.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

uint32_t stepwise(const std::string& s, uint32_t c = 0) {
    for (unsigned char b : s) c = trev::checksumStep(c, b);
    return c;
}

uint16_t block(const std::vector<unsigned char>& v, uint16_t c = 0) {
    return trev::checksumBlock(c, v.data(), v.size());
}

// Runs the coreutils `sum -r` on a file and returns its checksum field.
long realSum(const std::vector<unsigned char>& data) {
    char path[] = "/tmp/trev_sumXXXXXX";
    int fd = mkstemp(path);
    EXPECT_GE(fd, 0);
    size_t off = 0;
    while (off < data.size()) {
        ssize_t n = write(fd, data.data() + off, data.size() - off);
        EXPECT_GT(n, 0);
        off += static_cast<size_t>(n);
    }
    close(fd);
    std::string cmd = std::string("sum -r ") + path;
    FILE* p = popen(cmd.c_str(), "r");
    EXPECT_NE(p, nullptr);
    long sum = -1, blocks = -1;
    EXPECT_EQ(fscanf(p, "%ld %ld", &sum, &blocks), 2);
    pclose(p);
    unlink(path);
    return sum;
}

TEST(Checksum, KnownAnswers) {
    EXPECT_EQ(stepwise(""), 0u);
    EXPECT_EQ(stepwise("a"), 97u);
    EXPECT_EQ(stepwise("abc"), 16556u);
    const std::string abc = "abc";
    EXPECT_EQ(trev::checksumBlock(0, reinterpret_cast<const unsigned char*>(abc.data()), 3),
              16556u);
}

TEST(Checksum, BytesAreUnsigned) {
    // 0xFF must add 255, not -1.
    EXPECT_EQ(trev::checksumStep(0, 0xFF), 255u);
    std::vector<unsigned char> v{0xFF, 0x80};
    EXPECT_EQ(block(v), 0x80FFu);  // 255 is odd: 0x807F, plus 0x80
}

TEST(Checksum, StepOnSumOf65536) {
    // The scrambler can hand the step a sum of exactly 2^16: the 32-bit shift
    // turns it into 0x8000 (a 16-bit rotate would give 0).
    EXPECT_EQ(trev::checksumStep(0x10000u, 0), 0x8000u);
    EXPECT_EQ(trev::checksumStep(0x10000u, 7), 0x8007u);
    EXPECT_EQ(trev::checksumStep(0xFFFFu, 0), 0xFFFFu);
}

TEST(Checksum, Step16EqualsStepForEverySumAndByte) {
    for (uint32_t c = 0; c < 0x10000u; ++c)
        for (unsigned b = 0; b < 256; ++b)
            if (trev::checksumStep16(static_cast<uint16_t>(c), static_cast<unsigned char>(b)) !=
                trev::checksumStep(c, static_cast<unsigned char>(b)))
                FAIL() << "sum " << c << " byte " << b;
}

TEST(Checksum, SumOf65536HandedToStep16AsOne) {
    // The 32-bit step turns 2^16 into 0x8000; the 16-bit rotate does the same
    // for 1 (and would give 0 for 2^16 cut to 16 bits).
    for (unsigned b = 0; b < 256; ++b)
        EXPECT_EQ(trev::checksumStep16(1, static_cast<unsigned char>(b)),
                  trev::checksumStep(0x10000u, static_cast<unsigned char>(b)));
    EXPECT_EQ(trev::checksumStep16(0, 7), 7u);
}

TEST(Checksum, BlockEqualsStepwiseForEveryStartingSum) {
    std::mt19937 rng(7);
    std::vector<unsigned char> v(257);
    for (auto& b : v) b = static_cast<unsigned char>(rng());
    for (uint32_t start : {0u, 1u, 0x7FFFu, 0x8000u, 0xFFFEu, 0xFFFFu, 12345u}) {
        uint32_t c = start;
        for (unsigned char b : v) c = trev::checksumStep(c, b);
        EXPECT_EQ(block(v, static_cast<uint16_t>(start)), c) << "start " << start;
    }
}

TEST(Checksum, BlocksChainLikeOneBuffer) {
    std::mt19937 rng(11);
    std::vector<unsigned char> v(10000);
    for (auto& b : v) b = static_cast<unsigned char>(rng());
    uint16_t whole = block(v);
    uint16_t parts = trev::checksumBlock(0, v.data(), 3333);
    parts = trev::checksumBlock(parts, v.data() + 3333, v.size() - 3333);
    EXPECT_EQ(whole, parts);
}

TEST(Checksum, MatchesCoreutilsSumR) {
    std::mt19937 rng(2026);
    for (size_t size : {1u, 2u, 511u, 512u, 513u, 10240u, 65537u, 1048576u + 3u}) {
        std::vector<unsigned char> v(size);
        for (auto& b : v) b = static_cast<unsigned char>(rng());
        EXPECT_EQ(static_cast<long>(block(v)), realSum(v)) << "size " << size;
    }
}

}  // namespace
