#include "scramble.h"

#include "checksum.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ferrule {

namespace {

struct Fd {
    int fd;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

bool FileKeySource::load(const std::string& path, Key& key) {
    failure_.clear();
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        messages_.put("Could not locate security key\n");
        return false;
    }
    const Fd f{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
    if (f.fd < 0) {
        failure_ = "security key " + path + ": " + std::strerror(errno);
        return false;
    }
    if (::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        failure_ = "security key " + path + " is not a regular file";
        return false;
    }
    if (st.st_size <= 0) {
        failure_ = "security key " + path + " is empty";
        return false;
    }
    const std::size_t len =
        static_cast<std::uint64_t>(st.st_size) < kKeyMax ? static_cast<std::size_t>(st.st_size) : kKeyMax;
    key.assign(len, 0);
    std::size_t have = 0;
    while (have < len) {
        ssize_t n = readRetry(f.fd, key.data() + have, len - have);
        if (n < 0) {
            messages_.perror("read", errno);
            return false;
        }
        if (n == 0) break;
        have += static_cast<std::size_t>(n);
    }
    // A file that yields fewer bytes than its size (it shrank meanwhile) is
    // outside the contract: refuse it rather than scramble with a short key.
    if (have != len) failure_ = "security key " + path + " shrank while read";
    return have == len;
}

bool OnceKeySource::load(const std::string& path, Key& key) {
    if (!loaded_ || path != path_) {
        loaded_ = true;
        path_ = path;
        ok_ = inner_.load(path, key_);
        failure_ = inner_.failure();
    }
    if (ok_) key = key_;
    return ok_;
}

namespace {

// Where the key starts again once it is used up: (sum AND 511) mod L.  The
// division is skipped when the key is longer than 511 bytes.
inline std::uint32_t restartPosition(std::uint32_t sum, std::uint32_t len) {
    std::uint32_t q = sum & 511u;
    return q < len ? q : q % len;
}

bool validKey(const Key& key) { return !key.empty() && key.size() <= kKeyMax; }

}  // namespace

// One loop for both directions, over the plain bytes' checksum.  The sum is
// kept in 16 bits with the fast step (ror + add).  The stream format keeps
// it in 32 bits, so that a restart of a sum of 0xFFFF makes it exactly 2^16, which its
// next step turns into 0x8000; here that sum becomes 1, which the 16-bit
// rotate turns into the same 0x8000.  Nothing else sees the sum between the
// restart and that step.
//
// The key position advances only for combined bytes (not 0, not equal to the
// key byte).  That test is a branch, not arithmetic: it is nearly always
// taken, and a predicted branch lets the next byte's key load start at once
// instead of waiting for this byte's comparison.
template <bool kScramble>
void KeyStream::apply(unsigned char* buf, std::size_t n) {
    const unsigned char* key = key_.data();
    const std::uint32_t len = static_cast<std::uint32_t>(key_.size());
    std::uint32_t p = pos_;
    std::uint16_t c = sum_;
    for (std::size_t i = 0; i < n; ++i) {
        if (p == len) {
            p = restartPosition(c, len);
            c = static_cast<std::uint16_t>(c + 1);
            if (c == 0) c = 1;  // 2^16, as the 16-bit step must see it
        }
        const unsigned char in = buf[i];
        const unsigned char k = key[p];
        unsigned char plain = in;
        if (in != 0 && in != k) {
            buf[i] = static_cast<unsigned char>(in ^ k);
            if (!kScramble) plain = buf[i];
            ++p;
        }
        c = trev::checksumStep16(c, plain);
    }
    pos_ = p;
    sum_ = c;
}

void KeyStream::scramble(unsigned char* buf, std::size_t n) { apply<true>(buf, n); }
void KeyStream::unscramble(unsigned char* buf, std::size_t n) { apply<false>(buf, n); }

std::vector<unsigned char> scrambledHeader(const std::string& path) {
    std::vector<unsigned char> header;
    header.reserve(2 + path.size() + 1);
    header.push_back(kSMagic[0]);
    header.push_back(kSMagic[1]);
    for (char ch : path) header.push_back(static_cast<unsigned char>(ch));
    header.push_back(0);
    return header;
}

bool parseScrambledHeader(const unsigned char* buf, std::size_t count, std::string& path) {
    if (count < 3 || buf[0] != kSMagic[0] || buf[1] != kSMagic[1]) return false;
    const std::size_t limit = count < kHeaderMax ? count : kHeaderMax;
    const void* nul = std::memchr(buf + 2, 0, limit - 2);
    if (nul == nullptr) return false;
    path.assign(reinterpret_cast<const char*>(buf + 2),
                static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - (buf + 2)));
    return true;
}

bool scrambledStreamIsCompressed(const unsigned char* buf, std::size_t count, KeySource& keys) {
    std::string path;
    Key key;
    if (!parseScrambledHeader(buf, count, path) || !keys.load(path, key) || !validKey(key)) return true;
    const std::size_t start = 2 + path.size() + 1;
    if (count < start + 2) return false;  // nothing zcat could read
    unsigned char first[2] = {buf[start], buf[start + 1]};
    KeyStream(std::move(key)).unscramble(first, 2);
    return first[0] == kZMagic[0] && first[1] == kZMagic[1];
}

Result SecureFilter::run(unsigned char* buf, std::size_t count, Chain rest) {
    if (headerPending_) {
        // The command line refuses longer paths; the header could not hold one.
        if (sFile_.size() >= kKeyPathMax) return Result::fail("key file path too long");
        Key key;
        if (!keys_.load(sFile_, key) || !validKey(key)) return Result::fail(keys_.failure());
        stream_ = KeyStream(std::move(key));
        std::vector<unsigned char> header = scrambledHeader(sFile_);
        Result r = rest.pass(header.data(), header.size());
        if (!r.isOk()) return r;
        headerPending_ = false;
    }
    if (count > 0) stream_.scramble(buf, count);
    return rest.pass(buf, count);
}

Result UnSecureFilter::run(unsigned char* buf, std::size_t count, Chain rest) {
    if (headerPending_) {
        std::string path;
        if (!parseScrambledHeader(buf, count, path)) return Result::fail("damaged scrambled header");
        Key key;
        if (!keys_.load(path, key) || !validKey(key)) return Result::fail(keys_.failure());
        stream_ = KeyStream(std::move(key));
        headerPending_ = false;
        const std::size_t skip = 2 + path.size() + 1;
        buf += skip;
        count -= skip;
        // Nothing left of the first buffer: an empty call would mean the end.
        if (count == 0) return Result::ok();
    }
    if (count > 0) stream_.unscramble(buf, count);
    return rest.pass(buf, count);
}

}  // namespace ferrule
