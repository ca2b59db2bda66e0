// Keyed scrambling: the key, the scrambling state (SecureBuf,
// UnsecureBuf), the scrambled-stream header and the two filters SecureFltr
// and UnSecureFltr.
#pragma once

#include "filter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ferrule {

// First two bytes of a scrambled stream, and of a `compress` stream.
constexpr unsigned char kSMagic[2] = {0x1F, 0x08};
constexpr unsigned char kZMagic[2] = {0x1F, 0x9D};
// A key is at most this long; a longer key file gives its first bytes.
constexpr std::size_t kKeyMax = 4096;
// A key file path in the header is shorter than this.
constexpr std::size_t kKeyPathMax = 100;

using Key = std::vector<unsigned char>;

// Where the scrambling filters get their key: from the file named by a path
// in the program, from anything in the tests and the fuzzer.
class KeySource {
public:
    virtual ~KeySource() = default;
    // Fills `key` (1 to kKeyMax bytes) for the key file `path`; false when
    // there is none, after any message of its own.
    virtual bool load(const std::string& path, Key& key) = 0;
    // Why the last load failed, for "Failure detected (...)"; empty when
    // there is nothing to add.
    virtual std::string failure() const { return std::string(); }
};

// InitSecurity: the key file's first min(size, 4096) bytes.  A file that
// cannot be examined prints "Could not locate security key\n"; a read error
// prints "read: reason".  An empty file, one that cannot be opened, one that
// is not a regular file (a FIFO would hang the reader, a device never ends)
// and one that yields fewer bytes than its size fail with the cause in
// failure().  The file is opened without waiting and checked on the open
// descriptor, not by its name.
class FileKeySource final : public KeySource {
public:
    explicit FileKeySource(Messages& messages) : messages_(messages) {}
    bool load(const std::string& path, Key& key) override;
    std::string failure() const override { return failure_; }

private:
    Messages& messages_;
    std::string failure_;
};

// Loads a key file once and answers every later load of the same path from
// memory, so that the program can look at a scrambled stream before its
// chain does without a second read or a second message.
class OnceKeySource final : public KeySource {
public:
    explicit OnceKeySource(KeySource& inner) : inner_(inner) {}
    bool load(const std::string& path, Key& key) override;
    std::string failure() const override { return failure_; }

private:
    KeySource& inner_;
    bool loaded_ = false;
    bool ok_ = false;
    std::string path_;
    Key key_;
    std::string failure_;
};

// The running state of one scrambling direction: the key, the position in
// it and the scramble sum (16 bits between bytes; see scramble.cpp for the
// sum of 2^16 that the stream format's 32-bit sum reaches inside a step).
class KeyStream {
public:
    explicit KeyStream(Key key) : key_(std::move(key)) {}
    // Starts from a given state, for the tests (pos may equal the key length:
    // the key is used up).
    KeyStream(Key key, std::uint32_t pos, std::uint16_t sum)
        : key_(std::move(key)), pos_(pos), sum_(sum) {}

    void scramble(unsigned char* buf, std::size_t n);    // SecureBuf
    void unscramble(unsigned char* buf, std::size_t n);  // UnsecureBuf

    std::uint32_t pos() const { return pos_; }
    std::uint16_t sum() const { return sum_; }

private:
    template <bool kScramble>
    void apply(unsigned char* buf, std::size_t n);

    Key key_;
    std::uint32_t pos_ = 0;
    std::uint16_t sum_ = 0;
};

// The header of a scrambled stream naming key file `path`.
std::vector<unsigned char> scrambledHeader(const std::string& path);

// The key path of a header at the start of buf (count bytes): true and the
// path when buf starts with the magic and a NUL ends the path within the
// first kHeaderMax bytes (and within count); false otherwise.
bool parseScrambledHeader(const unsigned char* buf, std::size_t count, std::string& path);

// For "x" on a scrambled stream (buf: the header and, when the stream has
// them, at least two bytes after it): true when the plain stream starts
// with the compress magic and so goes to zcat.  A stream scrambled without
// compression ("s" alone) is not, and is copied once unscrambled.  A key
// that cannot be loaded answers true: the chain then reports it.
bool scrambledStreamIsCompressed(const unsigned char* buf, std::size_t count, KeySource& keys);

// SecureFltr: on its first call loads the key of sFile and passes the header
// on as a data call of its own; then scrambles every buffer in place.
class SecureFilter final : public Filter {
public:
    SecureFilter(std::string sFile, KeySource& keys) : sFile_(std::move(sFile)), keys_(keys) {}
    Result run(unsigned char* buf, std::size_t count, Chain rest) override;

private:
    std::string sFile_;
    KeySource& keys_;
    bool headerPending_ = true;
    KeyStream stream_{Key{}};
};

// UnSecureFltr: on its first call takes the header off the buffer and loads
// the key it names; a header without a NUL in its first 102 bytes is refused.
// Then unscrambles every buffer in place.
class UnSecureFilter final : public Filter {
public:
    explicit UnSecureFilter(KeySource& keys) : keys_(keys) {}
    Result run(unsigned char* buf, std::size_t count, Chain rest) override;

private:
    KeySource& keys_;
    bool headerPending_ = true;
    KeyStream stream_{Key{}};
};

}  // namespace ferrule
