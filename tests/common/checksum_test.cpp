// The shared checksum step: known answers, the sum of 2^16, the 16-bit and
// block forms against the exact step, and the real `sum -r` of coreutils.
#include "checksum.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

uint32_t stepwise(const Bytes& v, uint32_t c = 0) {
    for (unsigned char b : v) c = trev::checksumStep(c, b);
    return c;
}

// The checksum field of coreutils' `sum -r` over the data.
long realSum(const Bytes& data) {
    char path[] = "/tmp/trev_sumXXXXXX";
    const int fd = mkstemp(path);
    EXPECT_EQ(write(fd, data.data(), data.size()), static_cast<ssize_t>(data.size()));
    close(fd);
    FILE* p = popen(("sum -r " + std::string(path)).c_str(), "r");
    long sum = -1;
    EXPECT_EQ(fscanf(p, "%ld", &sum), 1);
    pclose(p);
    unlink(path);
    return sum;
}

TEST(Checksum, KnownAnswers) {
    const std::pair<Bytes, uint32_t> cases[] = {
        {{}, 0}, {{'a'}, 97}, {{'a', 'b', 'c'}, 16556},
        {{0xFF, 0x80}, 0x80FF},  // bytes add unsigned: 255 rotated to 0x807F, plus 0x80
    };
    for (const auto& [bytes, sum] : cases) {
        EXPECT_EQ(stepwise(bytes), sum);
        EXPECT_EQ(trev::checksumBlock(0, bytes.data(), bytes.size()), sum);
    }
    // The scrambler can hand the step a sum of exactly 2^16: the 32-bit shift
    // turns it into 0x8000 (a 16-bit rotate would give 0).
    EXPECT_EQ(trev::checksumStep(0x10000u, 7), 0x8007u);
}

TEST(Checksum, Step16EqualsStepForEverySumAndByte) {
    // A sum of 2^16 is handed to the 16-bit step as 1.
    for (uint32_t c = 0; c <= 0x10000u; ++c)
        for (unsigned b = 0; b < 256; ++b)
            if (trev::checksumStep16(static_cast<uint16_t>(c == 0x10000u ? 1 : c), static_cast<unsigned char>(b)) !=
                trev::checksumStep(c, static_cast<unsigned char>(b)))
                FAIL() << "sum " << c << " byte " << b;
}

TEST(Checksum, BlockEqualsStepwiseForEveryStartAndSplit) {
    std::mt19937 rng(7);
    Bytes v(10000);
    for (auto& b : v) b = static_cast<unsigned char>(rng());
    for (uint32_t start : {0u, 1u, 0x7FFFu, 0x8000u, 0xFFFFu, 12345u}) {
        const uint16_t part = trev::checksumBlock(static_cast<uint16_t>(start), v.data(), 3333);
        EXPECT_EQ(trev::checksumBlock(part, v.data() + 3333, v.size() - 3333), stepwise(v, start)) << start;
    }
}

TEST(Checksum, MatchesCoreutilsSumR) {
    std::mt19937 rng(2026);
    for (size_t size : {1u, 511u, 513u, 10240u, 65537u, 1048576u + 3u}) {
        Bytes v(size);
        for (auto& b : v) b = static_cast<unsigned char>(rng());
        EXPECT_EQ(static_cast<long>(trev::checksumBlock(0, v.data(), v.size())), realSum(v)) << size;
    }
}

}  // namespace
