// The shared checksum step: the 16-bit step against the exact step for every
// sum and byte, and whole buffers against the real `sum -r` of coreutils.
// The sum carried from one buffer to the next is seen by the tart and
// ferrule program tests, which sum their data in pieces.
#include "checksum.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "Process.h"

namespace {

TEST(Checksum, Step16EqualsStepForEverySumAndByte) {
    // The scrambler can hand the step a sum of exactly 2^16, which the 32-bit
    // shift turns into 0x8000; the 16-bit step is handed it as 1.
    for (uint32_t c = 0; c <= 0x10000u; ++c)
        for (unsigned b = 0; b < 256; ++b)
            if (trev::checksumStep16(static_cast<uint16_t>(c == 0x10000u ? 1 : c), static_cast<unsigned char>(b)) !=
                trev::checksumStep(c, static_cast<unsigned char>(b)))
                FAIL() << "sum " << c << " byte " << b;
}

TEST(Checksum, MatchesCoreutilsSumR) {
    // Bytes above 127 add unsigned; sums pass 2^15 and wrap at 2^16.
    std::mt19937 rng(2026);
    for (size_t size : {0u, 1u, 511u, 1048576u + 3u}) {
        tk::Spawn sum({"/bin/sh", "-c", "sum -r"});
        std::vector<unsigned char> v(size);
        for (auto& b : v) b = static_cast<unsigned char>(rng());
        sum.stdinData = std::string(v.begin(), v.end());
        // The checksum field of what `sum -r` prints.
        EXPECT_EQ(static_cast<long>(trev::checksumBlock(0, v.data(), size)), std::stol(tk::run(sum).out)) << size;
    }
}

}  // namespace
