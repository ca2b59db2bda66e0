#include "fdio.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tart {

FdSource::FdSource(int fd) : fd_(fd) {
    struct stat st;
    if (fstat(fd, &st) == 0) {
        if (S_ISREG(st.st_mode)) {
            kind_ = Kind::Regular;
        } else if (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode)) {
            kind_ = Kind::Pipe;
        }
    }
}

FdSource::~FdSource() {
    if (devNull_ >= 0) close(devNull_);
}

ByteSource::Skip FdSource::splice(uint64_t n) {
    if (devNull_ == -1) devNull_ = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (devNull_ < 0) {
        devNull_ = -2;
        return Skip::Unsupported;
    }
    bool moved = false;
    while (n > 0) {
        const std::size_t want = n < (1u << 30) ? static_cast<std::size_t>(n) : (1u << 30);
        const ssize_t got = ::splice(fd_, nullptr, devNull_, nullptr, want, SPLICE_F_MOVE);
        if (got < 0) {
            if (errno == EINTR) continue;
            if (moved) return Skip::PastEnd;  // cannot go back to reading now
            devNull_ = -2;  // this pipe does not splice: read instead
            return Skip::Unsupported;
        }
        if (got == 0) return Skip::PastEnd;
        moved = true;
        n -= static_cast<uint64_t>(got);
    }
    return Skip::Done;
}

long FdSource::read(unsigned char* buf, std::size_t n) {
    for (;;) {
        const ssize_t r = ::read(fd_, buf, n);
        if (r >= 0 || errno != EINTR) return static_cast<long>(r);
    }
}

ByteSource::Skip FdSource::skip(uint64_t n) {
    if (kind_ == Kind::Pipe && devNull_ != -2) return splice(n);
    if (kind_ != Kind::Regular) return Skip::Unsupported;
    struct stat st;
    const off_t here = lseek(fd_, 0, SEEK_CUR);
    if (here < 0 || fstat(fd_, &st) != 0) return Skip::Unsupported;
    const uint64_t left = st.st_size > here ? static_cast<uint64_t>(st.st_size - here) : 0;
    if (n > left) {
        // Reading would run into the end of the file inside the skipped data.
        lseek(fd_, 0, SEEK_END);
        return Skip::PastEnd;
    }
    if (lseek(fd_, static_cast<off_t>(n), SEEK_CUR) < 0) return Skip::Unsupported;
    return Skip::Done;
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t w = ::write(fd, text.data(), text.size());
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(w));
    }
    return true;
}

bool FdConsole::flush() {
    if (!pending_.empty() && !failed_) failed_ = !writeAll(outFd_, pending_);
    pending_.clear();
    return !failed_;
}

bool FdConsole::out(std::string_view text) {
    pending_ += text;
    if (pending_.size() >= kBufferSize) return flush();
    return !failed_;
}

void FdConsole::err(std::string_view text) {
    flush();
    writeAll(errFd_, text);
}

}  // namespace tart
