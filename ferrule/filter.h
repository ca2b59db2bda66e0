// The filter chain of ferrule: what a filter returns, the
// chain it passes its buffer on to, the message sink the filters write their
// diagnostics to, the chain's last element (FilterEnd) and its driver
// (FilterBeg with the read-ahead ReadHeader).
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace ferrule {

// One buffer, reused for every read; the read-ahead stays in it.
constexpr std::size_t kBufferSize = 10240;

// The longest scrambled-stream header: 2 magic bytes, a key file path of at
// most 99 characters and its NUL.  The read-ahead gathers at least this much.
constexpr std::size_t kHeaderMax = 102;

// What a filter call comes to.  A failure is returned up the chain unchanged
// and reported by the program as "Failure detected", followed by its reason
// in parentheses when it has one (the system's message for a failed write,
// the trouble with a key file); an exit request is a failure that ends the
// process at once with the given status (the checksum file that cannot be
// opened, no memory for the zero fill).
class Result {
public:
    static Result ok() { return Result(Kind::Ok, 0); }
    static Result fail(std::string reason = std::string()) {
        Result r(Kind::Fail, 0);
        r.reason_ = std::move(reason);
        return r;
    }
    static Result exitWith(int status) { return Result(Kind::Exit, status); }

    bool isOk() const { return kind_ == Kind::Ok; }
    bool isExit() const { return kind_ == Kind::Exit; }
    int exitStatus() const { return status_; }
    const std::string& reason() const { return reason_; }

private:
    enum class Kind { Ok, Fail, Exit };
    Result(Kind kind, int status) : kind_(kind), status_(status) {}
    Kind kind_;
    int status_;
    std::string reason_;
};

// The message for a failed run: "Failure detected\n", or with the reason
// "Failure detected (reason)\n".
std::string failureMessage(const Result& r);

class Filter;

// The rest of a chain: the filters still to run, in order.  Passing a buffer
// calls the first of them with the rest after it; an empty rest accepts
// everything.
class Chain {
public:
    Chain(Filter* const* first, std::size_t n) : first_(first), n_(n) {}
    Result pass(unsigned char* buf, std::size_t count) const;
    std::size_t size() const { return n_; }

private:
    Filter* const* first_;
    std::size_t n_;
};

// A filter gets a buffer and a byte count (0 = end of stream, delivered once,
// after all data) and the rest of the chain; it may change the bytes in place
// and ends by passing them on.
class Filter {
public:
    virtual ~Filter() = default;
    virtual Result run(unsigned char* buf, std::size_t count, Chain rest) = 0;
};

// Where diagnostics and progress dots go: standard error in the program, a
// string in the tests.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void put(std::string_view text) = 0;
    // As perror(prefix) would print for error number err: "prefix: reason\n".
    void perror(std::string_view prefix, int err);
};

// Unbuffered writes to descriptor 2.
class StderrMessages final : public Messages {
public:
    void put(std::string_view text) override;
};

// Collects everything, for the tests.
class StringMessages final : public Messages {
public:
    void put(std::string_view text) override { text_.append(text); }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// Last element of every chain: writes the bytes to a descriptor; anything
// but a complete write fails, with the system's reason.  A device (a tape, say) gets one write per
// buffer: there a short write is the end of the medium, and a second write
// would split the block.  A pipe, socket or file takes the rest of a short
// write too (a stop and continue of the process cuts a write to a pipe
// short).  A paced descriptor (see makePacedPipe) is a non-blocking pipe:
// when it is full, the rest of the buffer waits out short sleeps instead of
// blocking in write(2).
class FilterEnd final : public Filter {
public:
    explicit FilterEnd(int fd, bool paced = false);
    Result run(unsigned char* buf, std::size_t count, Chain rest) override;

private:
    int fd_;
    bool paced_;
    bool stream_;   // pipe, socket or regular file
};

// Prepares the pipe to the command for paced writing: a 1 MiB pipe buffer,
// non-blocking writes.  A writer that blocks on a full pipe has to be woken
// by the reader after each of its reads (compress reads 8 KiB at a time),
// which costs the reader more than the read itself; a writer that sleeps on
// a timer costs the reader nothing.  The buffer holds several milliseconds
// of the compressor's input, so 1 ms sleeps keep it fed.  Returns false, and
// changes nothing, when the pipe cannot be made that large.
bool makePacedPipe(int fd);

// read(2) that retries when a signal interrupts it.
ssize_t readRetry(int fd, unsigned char* buf, std::size_t n);

// ReadHeader: reads descriptor fd into buf (kBufferSize bytes, `have` of
// them already in) until at least `want` bytes are in or a read returns 0 or
// less.  Returns the count, or -1 with errno set on a read error.
ssize_t readHeader(int fd, unsigned char* buf, std::size_t have = 0, std::size_t want = kHeaderMax);

// FilterBeg: passes the `ahead` bytes already in buf down the chain (when
// there are any), then every read of up to kBufferSize bytes from fd,
// including the final read of 0 bytes.  A read error prints "read: reason"
// and fails.
Result filterBeg(int fd, unsigned char* buf, std::size_t ahead, Chain chain, Messages& messages);

}  // namespace ferrule
