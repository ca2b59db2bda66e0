// Keyed scrambling: the key file, SecureBuf and UnsecureBuf against a
// byte-by-byte model of the stream format, the header, and the two filters
// with their edge cases.
#include "checksum.h"
#include "scramble.h"
#include "testSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <map>

using namespace ferrule;
using namespace ferrule_test;

namespace {

// The scrambling algorithm as the format states it, one byte at a time,
// with the sum in 32 bits.  `wrap16` keeps
// the sum in 16 bits after the restart increment: the mistake the fast
// 16-bit form would make, kept here to show the tests can see it.
struct Model {
    Bytes key;
    std::size_t p = 0;
    std::uint32_t c = 0;
    bool wrap16 = false;
    int sumsOf65536 = 0;  // restarts that took the sum to exactly 2^16

    void restartIfUsedUp() {
        if (p != key.size()) return;
        p = (c & 511u) % key.size();
        c = c + 1;
        if (c == 0x10000u) ++sumsOf65536;
        if (wrap16) c &= 0xFFFFu;
    }
    void scramble(Bytes& data) {
        for (auto& byte : data) {
            restartIfUsedUp();
            const unsigned char b = byte;
            c = trev::checksumStep(c, b);
            if (b != 0 && b != key[p]) {
                byte = static_cast<unsigned char>(b ^ key[p]);
                ++p;
            }
        }
    }
    void unscramble(Bytes& data) {
        for (auto& byte : data) {
            restartIfUsedUp();
            const unsigned char s = byte;
            if (s != 0 && s != key[p]) {
                byte = static_cast<unsigned char>(s ^ key[p]);
                ++p;
            }
            c = trev::checksumStep(c, byte);
        }
    }
};

// Keys by path, for the filters; counts the loads.
class MapKeys final : public KeySource {
public:
    std::map<std::string, Key> keys;
    std::vector<std::string> asked;
    bool load(const std::string& path, Key& key) override {
        asked.push_back(path);
        auto it = keys.find(path);
        if (it == keys.end()) return false;
        key = it->second;
        return true;
    }
};

Bytes scrambleWith(const Key& key, Bytes data, std::vector<std::size_t> cuts = {}) {
    KeyStream s(key);
    std::size_t off = 0, i = 0;
    if (cuts.empty()) cuts.push_back(data.size() + 1);
    while (off < data.size()) {
        std::size_t n = std::min(cuts[i++ % cuts.size()], data.size() - off);
        s.scramble(data.data() + off, n);
        off += n;
    }
    return data;
}

Bytes unscrambleWith(const Key& key, Bytes data) {
    KeyStream s(key);
    s.unscramble(data.data(), data.size());
    return data;
}

Bytes header(const std::string& path) { return scrambledHeader(path); }

Bytes concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// ---- the key file (InitSecurity) ----

TEST(FileKeySource, KeyOf5000BytesGivesItsFirst4096) {
    TempDir dir;
    const Bytes content = randomBytes(5000, 3);
    writeFile(dir.file("key"), content);
    StringMessages msg;
    FileKeySource keys(msg);
    Key key;
    ASSERT_TRUE(keys.load(dir.file("key"), key));
    EXPECT_EQ(key, Bytes(content.begin(), content.begin() + 4096));
    EXPECT_EQ(msg.text(), "");
}

TEST(FileKeySource, SmallKeyWhole) {
    TempDir dir;
    writeFile(dir.file("key"), "k");
    StringMessages msg;
    FileKeySource keys(msg);
    Key key;
    ASSERT_TRUE(keys.load(dir.file("key"), key));
    EXPECT_EQ(key, toBytes("k"));
}

TEST(FileKeySource, MissingKeyFile) {
    StringMessages msg;
    FileKeySource keys(msg);
    Key key;
    EXPECT_FALSE(keys.load("/nonexistent/key", key));
    EXPECT_EQ(msg.text(), "Could not locate security key\n");
}

TEST(FileKeySource, EmptyKeyFileFailsSilently) {
    TempDir dir;
    writeFile(dir.file("key"), "");
    StringMessages msg;
    FileKeySource keys(msg);
    Key key;
    EXPECT_FALSE(keys.load(dir.file("key"), key));
    EXPECT_EQ(msg.text(), "");
}

TEST(FileKeySource, ReadErrorPrintsRead) {
    TempDir dir;
    ::mkdir(dir.file("sub").c_str(), 0700);
    StringMessages msg;
    FileKeySource keys(msg);
    Key key;
    EXPECT_FALSE(keys.load(dir.file("sub"), key));  // a folder has a size but no bytes
    EXPECT_EQ(msg.text(), "read: Is a directory\n");
}

// ---- SecureBuf / UnsecureBuf ----

TEST(KeyStream, OneByteKeyCombinesEveryOtherByteWithIt) {
    const Key key{0x5A};
    Bytes data{1, 2, 0, 0x5A, 0xFF, 0x5A, 0, 0x10, 0x11};
    Bytes expect;
    for (unsigned char b : data) expect.push_back(b == 0 || b == 0x5A ? b : b ^ 0x5A);
    EXPECT_EQ(scrambleWith(key, data), expect);
    EXPECT_EQ(unscrambleWith(key, expect), data);
}

TEST(KeyStream, AllZeroInputIsLeftAloneAndNeverUsesTheKey) {
    const Key key = randomBytes(3, 4);
    Bytes zeros(20000, 0);
    KeyStream s(key);
    Bytes out = zeros;
    s.scramble(out.data(), out.size());
    EXPECT_EQ(out, zeros);
    EXPECT_EQ(s.pos(), 0u);  // never used up, never restarted
}

TEST(KeyStream, ScrambledBytesAreNeverZeroNorTheKeyByte) {
    const Key key = randomBytes(7, 5);
    const Bytes data = randomBytes(50000, 6);
    const Bytes out = scrambleWith(key, data);
    for (std::size_t i = 0; i < data.size(); ++i)
        if (data[i] == 0) EXPECT_EQ(out[i], 0);
        else EXPECT_NE(out[i], 0) << i;
}

TEST(KeyStream, MatchesTheModelForKeysOfEverySize) {
    const Bytes data = randomBytes(200000, 7);
    for (std::size_t len : {1u, 2u, 3u, 100u, 511u, 512u, 513u, 1000u, 4096u}) {
        const Key key = randomBytes(len, static_cast<std::uint32_t>(len));
        Model m{key};
        Bytes expect = data;
        m.scramble(expect);
        EXPECT_EQ(scrambleWith(key, data), expect) << len;
        Model u{key};
        Bytes back = expect;
        u.unscramble(back);
        EXPECT_EQ(back, data) << len;
        EXPECT_EQ(unscrambleWith(key, expect), data) << len;
    }
}

TEST(KeyStream, HowTheBufferIsCutChangesNothing) {
    const Key key = randomBytes(37, 8);
    const Bytes data = randomBytes(30000, 9);
    const Bytes whole = scrambleWith(key, data);
    EXPECT_EQ(scrambleWith(key, data, {1}), whole);
    EXPECT_EQ(scrambleWith(key, data, {10240, 7, 102}), whole);
}

TEST(KeyStream, SumOf65536AtARestartStepsTo0x8000) {
    // The key is used up and the sum is 0xFFFF: the restart makes it 2^16,
    // and the exact step turns that into 0x8000 before adding the byte (a
    // 16-bit sum would have wrapped to 0 and given just the byte).
    const Key key{0x11, 0x22};
    KeyStream s(key, 2, 0xFFFFu);
    unsigned char b = 0x33;
    s.scramble(&b, 1);
    EXPECT_EQ(s.sum(), 0x8000u + 0x33u);
    // Restarted at (0xFFFF & 511) mod 2 = 1; 0x33 combined with key[1].
    EXPECT_EQ(b, 0x33 ^ 0x22);
    EXPECT_EQ(s.pos(), 2u);
}

TEST(KeyStream, SumOf65536InBothDirections) {
    const Key key{0x11, 0x22, 0x44};
    for (int dir = 0; dir < 2; ++dir) {
        KeyStream s(key, 3, 0xFFFFu);
        unsigned char b = 0x33;
        if (dir == 0) s.scramble(&b, 1);
        else s.unscramble(&b, 1);
        // restart at (0xFFFF & 511) mod 3 = 511 mod 3 = 1; 0x33 differs from
        // key[1] = 0x22 and is not 0: combined, position advances to 2.
        EXPECT_EQ(b, 0x33 ^ 0x22);
        EXPECT_EQ(s.pos(), 2u);
        const unsigned char plain = dir == 0 ? 0x33 : (0x33 ^ 0x22);
        EXPECT_EQ(s.sum(), 0x8000u + plain) << dir;
    }
}

TEST(KeyStream, RandomStreamsThatReach65536StayExact) {
    // Long random streams with short keys restart often; the model counts the
    // restarts that reach 2^16.  The output must follow the exact model and
    // differ from the 16-bit one.  (With a one-byte key the restart position
    // is always 0, so the sum cannot show.)
    for (std::size_t len : {2u, 3u, 5u}) {
        const Key key = randomBytes(len, 100 + static_cast<std::uint32_t>(len));
        const Bytes data = randomBytes(1 << 20, 200 + static_cast<std::uint32_t>(len));
        Model exact{key};
        Bytes expect = data;
        exact.scramble(expect);
        ASSERT_GT(exact.sumsOf65536, 0) << len;
        Model wrong{key};
        wrong.wrap16 = true;
        Bytes wrongOut = data;
        wrong.scramble(wrongOut);
        ASSERT_NE(wrongOut, expect) << len;
        EXPECT_EQ(scrambleWith(key, data, {10240}), expect) << len;
        EXPECT_EQ(unscrambleWith(key, expect), data) << len;
    }
}

// ---- the header ----

TEST(ScrambledHeader, MagicPathNul) {
    EXPECT_EQ(header("/k"), (Bytes{0x1F, 0x08, '/', 'k', 0}));
    std::string path;
    const Bytes h = concat(header("/tmp/key"), toBytes("data"));
    ASSERT_TRUE(parseScrambledHeader(h.data(), h.size(), path));
    EXPECT_EQ(path, "/tmp/key");
}

TEST(ScrambledHeader, PathOf99CharactersFits102Bytes) {
    const std::string path(99, 'p');
    const Bytes h = header(path);
    ASSERT_EQ(h.size(), 102u);
    std::string got;
    EXPECT_TRUE(parseScrambledHeader(h.data(), h.size(), got));
    EXPECT_EQ(got, path);
}

TEST(ScrambledHeader, NoNulWithin102BytesIsRefused) {
    Bytes h{0x1F, 0x08};
    h.insert(h.end(), 100, 'p');  // bytes 2..101, no NUL
    h.push_back(0);               // byte 102: too late
    std::string got;
    EXPECT_FALSE(parseScrambledHeader(h.data(), h.size(), got));
    // Nor within a shorter buffer: never read past the count.
    EXPECT_FALSE(parseScrambledHeader(h.data(), 50, got));
    EXPECT_FALSE(parseScrambledHeader(h.data(), 2, got));
    Bytes wrongMagic = header("k");
    wrongMagic[1] = 0x9D;
    EXPECT_FALSE(parseScrambledHeader(wrongMagic.data(), wrongMagic.size(), got));
}

// ---- SecureFltr ----

TEST(SecureFilter, HeaderThenScrambledBytes) {
    MapKeys keys;
    keys.keys["/k"] = toBytes("secret");
    SecureFilter secure("/k", keys);
    Collector end;
    const Bytes data = randomBytes(25000, 10);
    ASSERT_TRUE(runChain({&secure}, end, data, {10240}).isOk());
    EXPECT_EQ(end.data, concat(header("/k"), scrambleWith(toBytes("secret"), data)));
    EXPECT_EQ(end.counts.front(), header("/k").size());  // a data call of its own
    EXPECT_EQ(end.ends, 1);
    EXPECT_EQ(keys.asked, std::vector<std::string>{"/k"});
}

TEST(SecureFilter, EmptyInputGivesTheHeaderAlone) {
    MapKeys keys;
    keys.keys["key"] = toBytes("s");
    SecureFilter secure("key", keys);
    Collector end;
    ASSERT_TRUE(runChain({&secure}, end, {}).isOk());
    EXPECT_EQ(end.data, header("key"));
    EXPECT_EQ(end.ends, 1);
}

TEST(SecureFilter, AllZeroInputPassesUnchangedAfterTheHeader) {
    MapKeys keys;
    keys.keys["key"] = toBytes("xyz");
    SecureFilter secure("key", keys);
    Collector end;
    const Bytes zeros(30000, 0);
    ASSERT_TRUE(runChain({&secure}, end, zeros, {10240}).isOk());
    EXPECT_EQ(end.data, concat(header("key"), zeros));
}

TEST(SecureFilter, KeyOf5000BytesUsesOnlyItsFirst4096) {
    TempDir dir;
    const Bytes content = randomBytes(5000, 11);
    writeFile(dir.file("key"), content);
    StringMessages msg;
    FileKeySource keys(msg);
    SecureFilter secure(dir.file("key"), keys);
    Collector end;
    const Bytes data = randomBytes(40000, 12);  // uses up 4096 key bytes several times
    ASSERT_TRUE(runChain({&secure}, end, data, {10240}).isOk());
    const Bytes first4096(content.begin(), content.begin() + 4096);
    EXPECT_EQ(end.data, concat(header(dir.file("key")), scrambleWith(first4096, data)));
    EXPECT_NE(end.data, concat(header(dir.file("key")), scrambleWith(content, data)));
}

TEST(SecureFilter, MissingKeyFailsBeforeAnyOutput) {
    StringMessages msg;
    FileKeySource keys(msg);
    SecureFilter secure("/nonexistent/key", keys);
    Collector end;
    EXPECT_FALSE(runChain({&secure}, end, toBytes("data")).isOk());
    EXPECT_TRUE(end.data.empty());
    EXPECT_EQ(end.ends, 0);
    EXPECT_EQ(msg.text(), "Could not locate security key\n");
}

TEST(SecureFilter, FailureOnTheHeaderIsReturned) {
    MapKeys keys;
    keys.keys["k"] = toBytes("k");
    SecureFilter secure("k", keys);
    Collector end;
    end.failCall = 1;
    EXPECT_FALSE(runChain({&secure}, end, toBytes("data")).isOk());
    EXPECT_EQ(end.counts.size(), 1u);
}

// ---- UnSecureFltr ----

TEST(UnSecureFilter, RestoresWhatSecureWrote) {
    MapKeys keys;
    keys.keys["/path/to/key"] = randomBytes(333, 13);
    SecureFilter secure("/path/to/key", keys);
    Collector scrambled;
    const Bytes data = randomBytes(70000, 14);
    ASSERT_TRUE(runChain({&secure}, scrambled, data, {10240}).isOk());
    UnSecureFilter unsecure(keys);
    Collector plain;
    // The first buffer holds the header and more (as the read-ahead ensures).
    ASSERT_TRUE(runChain({&unsecure}, plain, scrambled.data, {10240, 1, 5000}).isOk());
    EXPECT_EQ(plain.data, data);
    EXPECT_EQ(plain.ends, 1);
    EXPECT_EQ(keys.asked.back(), "/path/to/key");
}

TEST(UnSecureFilter, HeaderAloneInTheFirstBufferPassesNothingForIt) {
    MapKeys keys;
    keys.keys["key"] = toBytes("abc");
    const Bytes data = randomBytes(5000, 15);
    const Bytes stream = concat(header("key"), scrambleWith(toBytes("abc"), data));
    UnSecureFilter unsecure(keys);
    Collector plain;
    ASSERT_TRUE(runChain({&unsecure}, plain, stream, {header("key").size(), 10240}).isOk());
    EXPECT_EQ(plain.data, data);
    EXPECT_EQ(plain.counts.front(), data.size());  // nothing was passed for the header
    EXPECT_EQ(plain.ends, 1);
}

TEST(UnSecureFilter, StreamOfTheHeaderAloneIsEmpty) {
    MapKeys keys;
    keys.keys["key"] = toBytes("abc");
    UnSecureFilter unsecure(keys);
    Collector plain;
    ASSERT_TRUE(runChain({&unsecure}, plain, header("key")).isOk());
    EXPECT_TRUE(plain.counts.empty());
    EXPECT_EQ(plain.ends, 1);
}

TEST(UnSecureFilter, HeaderWithoutNulIsRefusedWithoutLoadingAKey) {
    MapKeys keys;
    Bytes stream{0x1F, 0x08};
    stream.insert(stream.end(), 300, 'A');
    UnSecureFilter unsecure(keys);
    Collector plain;
    Result r = runChain({&unsecure}, plain, stream, {kBufferSize});
    EXPECT_FALSE(r.isOk());
    EXPECT_FALSE(r.isExit());
    EXPECT_TRUE(keys.asked.empty());
    EXPECT_TRUE(plain.data.empty());
    EXPECT_EQ(plain.ends, 0);
}

TEST(UnSecureFilter, MissingKeyFails) {
    StringMessages msg;
    FileKeySource keys(msg);
    UnSecureFilter unsecure(keys);
    Collector plain;
    const Bytes stream = concat(header("/nonexistent/key"), toBytes("xxxx"));
    EXPECT_FALSE(runChain({&unsecure}, plain, stream).isOk());
    EXPECT_EQ(msg.text(), "Could not locate security key\n");
    EXPECT_TRUE(plain.data.empty());
}

TEST(UnSecureFilter, OneByteKeyAndZerosRoundTrip) {
    MapKeys keys;
    keys.keys["k1"] = Key{0xA5};
    Bytes data = randomBytes(30000, 16);
    for (std::size_t i = 0; i < data.size(); i += 3) data[i] = 0;
    for (std::size_t i = 1; i < data.size(); i += 7) data[i] = 0xA5;
    SecureFilter secure("k1", keys);
    Collector scrambled;
    ASSERT_TRUE(runChain({&secure}, scrambled, data, {10240}).isOk());
    UnSecureFilter unsecure(keys);
    Collector plain;
    ASSERT_TRUE(runChain({&unsecure}, plain, scrambled.data, {10240}).isOk());
    EXPECT_EQ(plain.data, data);
}

}  // namespace
