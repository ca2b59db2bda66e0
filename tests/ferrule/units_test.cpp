// ferrule's pure logic: a command line without even a program name, and the
// key stream, its key read from a file, against a byte-by-byte model.  The letters, what
// runs where for each mode and the detection by the first bytes are seen
// through the program.
#include "checksum.h"
#include "filter.h"
#include "pipeline.h"
#include "scramble.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "TempRoot.h"

using namespace ferrule;

namespace {

using Bytes = std::string;

Bytes randomBytes(std::size_t n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes b(n, '\0');
    for (auto& x : b) x = static_cast<char>(rng() >> 24);
    return b;
}

unsigned char* uc(Bytes& b) { return reinterpret_cast<unsigned char*>(b.data()); }

// The letters and their values are seen through the program.
TEST(CommandLine, NoArgumentAtAllNotEvenAProgramName) {
    EXPECT_EQ(parseCommandLine(0, std::vector<const char*>{nullptr}.data()).status, ParseStatus::Usage);
}

// Scrambling as the format states it, one byte at a time, with the sum (of
// the plain bytes) in 32 bits.
struct Model {
    Key key;
    std::size_t p = 0;
    std::uint32_t c = 0;
    int sumsOf65536 = 0;  // restarts that took the sum to exactly 2^16, where a 16-bit sum wraps

    Bytes scramble(Bytes data) {
        for (auto& byte : data) {
            if (p == key.size()) {
                p = (c & 511u) % key.size();
                if (++c == 0x10000u) ++sumsOf65536;
            }
            const unsigned char b = static_cast<unsigned char>(byte);
            c = trev::checksumStep(c, b);
            if (b != 0 && b != key[p]) byte = static_cast<char>(b ^ key[p++]);
        }
        return data;
    }
};

// The stream through KeyStream in calls of the given sizes (repeated).
Bytes stream(const Key& key, Bytes data, bool scramble, std::vector<std::size_t> cuts) {
    KeyStream s(key);
    for (std::size_t off = 0, i = 0; off < data.size();) {
        const std::size_t n = std::min(cuts[i++ % cuts.size()], data.size() - off);
        if (scramble) s.scramble(uc(data) + off, n);
        else s.unscramble(uc(data) + off, n);
        off += n;
    }
    return data;
}

TEST(KeyStream, MatchesTheModelForKeysOfEverySizeWhateverTheCuts) {
    Bytes data = randomBytes(1 << 20, 7);
    for (std::size_t i = 0; i < data.size(); i += 5) data[i] = 0;  // zeros stay, never use the key
    tk::TempRoot dir;
    StringMessages msg;
    FileKeySource keys(msg);
    for (std::size_t len : {1u, 2u, 3u, 5u, 37u, 100u, 511u, 512u, 513u, 1000u, 4096u, 5000u}) {
        SCOPED_TRACE(len);
        const Bytes file = randomBytes(len, static_cast<std::uint32_t>(len));
        Key key;
        ASSERT_TRUE(keys.load(dir.write("key", file), key));
        // The key is the file up to 4096 bytes.
        Model model{Key(file.begin(), file.begin() + std::min<std::ptrdiff_t>(len, 4096))};
        const Bytes expect = model.scramble(data);
        // Short keys restart often, so the sum reaches 2^16 at a restart.
        // (With a one-byte key the restart position is always 0.)
        if (len > 1 && len <= 5) {
            ASSERT_GT(model.sumsOf65536, 0);
        }
        for (const std::vector<std::size_t>& cuts : {std::vector<std::size_t>{data.size()}, {1, 10240, 7, 102}}) {
            EXPECT_EQ(stream(key, data, true, cuts), expect);
            EXPECT_EQ(stream(key, expect, false, cuts), data);
        }
    }
}

}  // namespace
