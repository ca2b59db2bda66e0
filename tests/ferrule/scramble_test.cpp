// Keyed scrambling: the key file, SecureBuf and UnsecureBuf against a
// byte-by-byte model of the stream format, the header, and the two filters
// with their edge cases.  The key file's messages are checked byte for byte
// through the program.
#include "checksum.h"
#include "ferruleTest.h"
#include "scramble.h"

#include <map>

using namespace ferrule;
using namespace ft;

namespace {

// The scrambling algorithm as the format states it, one byte at a time,
// with the sum in 32 bits.  `wrap16` keeps the sum in 16 bits after the
// restart increment: the mistake the fast 16-bit form would make, kept here
// to show the tests can see it.
struct Model {
    Key key;
    std::size_t p = 0;
    std::uint32_t c = 0;
    bool wrap16 = false;
    int sumsOf65536 = 0;  // restarts that took the sum to exactly 2^16

    void run(Bytes& data, bool scramble) {
        for (auto& byte : data) {
            if (p == key.size()) {
                p = (c & 511u) % key.size();
                c = c + 1;
                if (c == 0x10000u) ++sumsOf65536;
                if (wrap16) c &= 0xFFFFu;
            }
            const unsigned char b = static_cast<unsigned char>(byte);
            if (scramble) c = trev::checksumStep(c, b);
            if (b != 0 && b != key[p]) byte = static_cast<char>(b ^ key[p++]);
            if (!scramble) c = trev::checksumStep(c, static_cast<unsigned char>(byte));
        }
    }
};

Key keyOf(const Bytes& b) { return Key(b.begin(), b.end()); }

// Keys by path, for the filters; records the loads.
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
    if (cuts.empty()) cuts.push_back(data.size() + 1);
    for (std::size_t off = 0, i = 0; off < data.size();) {
        std::size_t n = std::min(cuts[i++ % cuts.size()], data.size() - off);
        s.scramble(uc(data) + off, n);
        off += n;
    }
    return data;
}

Bytes unscrambleWith(const Key& key, Bytes data) {
    KeyStream s(key);
    s.unscramble(uc(data), data.size());
    return data;
}

Bytes header(const std::string& path) {
    const auto h = scrambledHeader(path);
    return Bytes(h.begin(), h.end());
}

// ---- the key file (InitSecurity) ----

TEST(FileKeySource, KeyIsTheFileUpTo4096Bytes) {
    tk::TempRoot dir;
    const Bytes big = randomBytes(5000, 3);
    for (const Bytes& content : {big, Bytes("k")}) {
        StringMessages msg;
        FileKeySource keys(msg);
        Key key;
        ASSERT_TRUE(keys.load(dir.write("key", content), key));
        EXPECT_EQ(key, keyOf(content.substr(0, 4096)));
        EXPECT_EQ(msg.text(), "");
    }
    // An empty key file fails silently (the program then says only
    // "Failure detected").
    StringMessages msg;
    FileKeySource keys(msg);
    Key key;
    EXPECT_FALSE(keys.load(dir.write("key", ""), key));
    EXPECT_EQ(msg.text(), "");
}

// ---- SecureBuf / UnsecureBuf ----

TEST(KeyStream, OneByteKeyCombinesEveryOtherByteWithIt) {
    const Key key{0x5A};
    const Bytes data{1, 2, 0, 0x5A, '\xFF', 0x5A, 0, 0x10, 0x11};
    Bytes expect;
    for (char b : data) expect.push_back(b == 0 || b == 0x5A ? b : static_cast<char>(b ^ 0x5A));
    EXPECT_EQ(scrambleWith(key, data), expect);
    EXPECT_EQ(unscrambleWith(key, expect), data);
}

TEST(KeyStream, ZerosStayAndNothingElseBecomesZero) {
    // All-zero input is left alone and never uses the key up.
    KeyStream s(keyOf(randomBytes(3, 4)));
    Bytes zeros(20000, 0);
    s.scramble(uc(zeros), zeros.size());
    EXPECT_EQ(zeros, Bytes(20000, 0));
    EXPECT_EQ(s.pos(), 0u);
    const Bytes data = randomBytes(50000, 6);
    const Bytes out = scrambleWith(keyOf(randomBytes(7, 5)), data);
    for (std::size_t i = 0; i < data.size(); ++i) ASSERT_EQ(out[i] == 0, data[i] == 0) << i;
}

TEST(KeyStream, MatchesTheModelForKeysOfEverySizeWhateverTheCuts) {
    const Bytes data = randomBytes(200000, 7);
    for (std::size_t len : {1u, 2u, 3u, 37u, 100u, 511u, 512u, 513u, 1000u, 4096u}) {
        SCOPED_TRACE(len);
        const Key key = keyOf(randomBytes(len, static_cast<std::uint32_t>(len)));
        Model m{key};
        Bytes expect = data;
        m.run(expect, true);
        EXPECT_EQ(scrambleWith(key, data), expect);
        EXPECT_EQ(scrambleWith(key, data, {1, 10240, 7, 102}), expect);
        Model u{key};
        Bytes back = expect;
        u.run(back, false);
        EXPECT_EQ(back, data);
        EXPECT_EQ(unscrambleWith(key, expect), data);
    }
}

TEST(KeyStream, SumOf65536AtARestartStepsTo0x8000InBothDirections) {
    // The key is used up and the sum is 0xFFFF: the restart makes it 2^16,
    // and the exact step turns that into 0x8000 before adding the byte (a
    // 16-bit sum would have wrapped to 0 and given just the byte).
    const Key key{0x11, 0x22, 0x44};
    for (bool scramble : {true, false}) {
        KeyStream s(key, 3, 0xFFFFu);
        unsigned char b = 0x33;
        if (scramble) s.scramble(&b, 1);
        else s.unscramble(&b, 1);
        // restart at (0xFFFF & 511) mod 3 = 1; 0x33 differs from key[1] =
        // 0x22 and is not 0: combined, the position advances to 2.
        EXPECT_EQ(b, 0x33 ^ 0x22);
        EXPECT_EQ(s.pos(), 2u);
        EXPECT_EQ(s.sum(), 0x8000u + (scramble ? 0x33 : (0x33 ^ 0x22))) << scramble;
    }
}

TEST(KeyStream, RandomStreamsThatReach65536StayExact) {
    // Long random streams with short keys restart often; the model counts the
    // restarts that reach 2^16.  The output must follow the exact model and
    // differ from the 16-bit one.  (With a one-byte key the restart position
    // is always 0, so the sum cannot show.)
    for (std::size_t len : {2u, 3u, 5u}) {
        SCOPED_TRACE(len);
        const Key key = keyOf(randomBytes(len, 100 + static_cast<std::uint32_t>(len)));
        const Bytes data = randomBytes(1 << 20, 200 + static_cast<std::uint32_t>(len));
        Model exact{key}, wrong{key};
        wrong.wrap16 = true;
        Bytes expect = data, wrongOut = data;
        exact.run(expect, true);
        wrong.run(wrongOut, true);
        ASSERT_GT(exact.sumsOf65536, 0);
        ASSERT_NE(wrongOut, expect);
        EXPECT_EQ(scrambleWith(key, data, {10240}), expect);
        EXPECT_EQ(unscrambleWith(key, expect), data);
    }
}

// ---- the header ----

TEST(ScrambledHeader, MagicPathNulWithin102Bytes) {
    EXPECT_EQ(header("/k"), Bytes("\x1F\x08/k", 5));
    std::string path;
    Bytes h = header("/tmp/key") + "data";
    ASSERT_TRUE(parseScrambledHeader(uc(h), h.size(), path));
    EXPECT_EQ(path, "/tmp/key");
    h = header(std::string(99, 'p'));  // the longest path fills 102 bytes
    ASSERT_EQ(h.size(), 102u);
    EXPECT_TRUE(parseScrambledHeader(uc(h), h.size(), path));
    EXPECT_EQ(path, std::string(99, 'p'));
    h = "\x1F\x08" + Bytes(100, 'p') + '\0';  // the NUL at byte 102 is too late
    EXPECT_FALSE(parseScrambledHeader(uc(h), h.size(), path));
    // Nor within a shorter buffer: never read past the count.
    EXPECT_FALSE(parseScrambledHeader(uc(h), 50, path));
    EXPECT_FALSE(parseScrambledHeader(uc(h), 2, path));
    h = header("k");
    h[1] = '\x9D';
    EXPECT_FALSE(parseScrambledHeader(uc(h), h.size(), path));
}

// ---- SecureFltr ----

TEST(SecureFilter, HeaderInACallOfItsOwnThenScrambledBytes) {
    const Bytes data = randomBytes(25000, 10);
    const struct {
        Bytes key, in;
    } cases[] = {{"secret", data}, {"s", ""}, {"xyz", Bytes(30000, 0)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        MapKeys keys;
        keys.keys["/k"] = keyOf(c.key);
        SecureFilter secure("/k", keys);
        Collector end;
        ASSERT_TRUE(runChain({&secure}, end, c.in, {10240}).isOk());
        EXPECT_EQ(end.data, header("/k") + scrambleWith(keyOf(c.key), c.in));
        EXPECT_EQ(end.counts.front(), header("/k").size());
        EXPECT_EQ(end.ends, 1);
        EXPECT_EQ(keys.asked, std::vector<std::string>{"/k"});
    }
}

TEST(SecureFilter, KeyOf5000BytesUsesOnlyItsFirst4096) {
    tk::TempRoot dir;
    const Bytes content = randomBytes(5000, 11);
    const std::string path = dir.write("key", content);
    StringMessages msg;
    FileKeySource keys(msg);
    SecureFilter secure(path, keys);
    Collector end;
    const Bytes data = randomBytes(40000, 12);  // uses up 4096 key bytes several times
    ASSERT_TRUE(runChain({&secure}, end, data, {10240}).isOk());
    EXPECT_EQ(end.data, header(path) + scrambleWith(keyOf(content.substr(0, 4096)), data));
    EXPECT_NE(end.data, header(path) + scrambleWith(keyOf(content), data));
}

TEST(SecureFilter, MissingKeyOrFailedHeaderStopsIt) {
    StringMessages msg;
    FileKeySource fileKeys(msg);
    SecureFilter missing("/nonexistent/key", fileKeys);
    Collector end;
    EXPECT_FALSE(runChain({&missing}, end, "data").isOk());
    EXPECT_EQ(end.data, "");
    EXPECT_EQ(end.ends, 0);
    EXPECT_EQ(msg.text(), "Could not locate security key\n");

    MapKeys keys;
    keys.keys["k"] = keyOf("k");
    SecureFilter secure("k", keys);
    Collector failing;
    failing.failCall = 1;
    EXPECT_FALSE(runChain({&secure}, failing, "data").isOk());
    EXPECT_EQ(failing.counts.size(), 1u);
}

// ---- UnSecureFltr ----

TEST(UnSecureFilter, RestoresWhatSecureWrote) {
    // Any key, and a one-byte key with zeros and the key byte in the data.
    Bytes special = randomBytes(30000, 16);
    for (std::size_t i = 0; i < special.size(); i += 3) special[i] = 0;
    for (std::size_t i = 1; i < special.size(); i += 7) special[i] = '\xA5';
    const struct {
        Key key;
        Bytes data;
    } cases[] = {{keyOf(randomBytes(333, 13)), randomBytes(70000, 14)}, {Key{0xA5}, special}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key.size());
        MapKeys keys;
        keys.keys["/path/to/key"] = c.key;
        SecureFilter secure("/path/to/key", keys);
        Collector scrambled;
        ASSERT_TRUE(runChain({&secure}, scrambled, c.data, {10240}).isOk());
        UnSecureFilter unsecure(keys);
        Collector plain;
        // The first buffer holds the header and more (as the read-ahead ensures).
        ASSERT_TRUE(runChain({&unsecure}, plain, scrambled.data, {10240, 1, 5000}).isOk());
        EXPECT_EQ(plain.data, c.data);
        EXPECT_EQ(plain.ends, 1);
        EXPECT_EQ(keys.asked.back(), "/path/to/key");
    }
}

TEST(UnSecureFilter, HeaderAloneInTheFirstBufferPassesNothingForIt) {
    MapKeys keys;
    keys.keys["key"] = keyOf("abc");
    const Bytes data = randomBytes(5000, 15);
    UnSecureFilter unsecure(keys);
    Collector plain;
    ASSERT_TRUE(runChain({&unsecure}, plain, header("key") + scrambleWith(keyOf("abc"), data),
                         {header("key").size(), 10240})
                    .isOk());
    EXPECT_EQ(plain.data, data);
    EXPECT_EQ(plain.counts.front(), data.size());  // nothing was passed for the header
    EXPECT_EQ(plain.ends, 1);
    // A stream of the header alone is empty.
    UnSecureFilter again(keys);
    Collector none;
    ASSERT_TRUE(runChain({&again}, none, header("key")).isOk());
    EXPECT_TRUE(none.counts.empty());
    EXPECT_EQ(none.ends, 1);
}

TEST(UnSecureFilter, HeaderWithoutNulOrMissingKeyFails) {
    MapKeys keys;
    UnSecureFilter unsecure(keys);
    Collector plain;
    Result r = runChain({&unsecure}, plain, "\x1F\x08" + Bytes(300, 'A'), {kBufferSize});
    EXPECT_FALSE(r.isOk());
    EXPECT_FALSE(r.isExit());
    EXPECT_TRUE(keys.asked.empty());  // refused without loading a key
    EXPECT_EQ(plain.data, "");
    EXPECT_EQ(plain.ends, 0);

    StringMessages msg;
    FileKeySource fileKeys(msg);
    UnSecureFilter missing(fileKeys);
    EXPECT_FALSE(runChain({&missing}, plain, header("/nonexistent/key") + "xxxx").isOk());
    EXPECT_EQ(msg.text(), "Could not locate security key\n");
    EXPECT_EQ(plain.data, "");
}

}  // namespace
