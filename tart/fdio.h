// The listing's input and output on file descriptors: standard input as a
// byte source, standard output and standard error as the console.
#pragma once

#include <string>
#include <string_view>

#include "lister.h"
#include "records.h"

namespace tart {

class FdSource : public ByteSource {
public:
    explicit FdSource(int fd);
    ~FdSource() override;
    FdSource(const FdSource&) = delete;
    FdSource& operator=(const FdSource&) = delete;

    long read(unsigned char* buf, std::size_t n) override;
    bool shortReads() const override { return kind_ == Kind::Pipe; }
    // Seeks on a regular file, checking first that the file reaches that
    // far.  From a pipe the bytes are spliced to /dev/null: they never have
    // to be copied to this process.
    Skip skip(uint64_t n) override;

private:
    enum class Kind { Regular, Pipe, Other };
    Skip splice(uint64_t n);
    int fd_;
    Kind kind_ = Kind::Other;
    int devNull_ = -1;  // opened at the first splice; -2 when splicing failed
};

// Buffers standard output; a message on standard error first writes out what
// the buffer holds, so the two streams keep their order when they are joined.
class FdConsole : public Console {
public:
    FdConsole(int outFd, int errFd) : outFd_(outFd), errFd_(errFd) {}
    ~FdConsole() override { flush(); }
    FdConsole(const FdConsole&) = delete;
    FdConsole& operator=(const FdConsole&) = delete;

    bool out(std::string_view text) override;
    void err(std::string_view text) override;
    // Writes out the buffer; false when the writing failed.
    bool flush();

private:
    static constexpr std::size_t kBufferSize = 64 * 1024;
    int outFd_;
    int errFd_;
    std::string pending_;
    bool failed_ = false;
};

// Writes all of text to fd, going on after short writes and interruptions.
bool writeAll(int fd, std::string_view text);

}  // namespace tart
