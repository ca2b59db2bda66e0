#include "filter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ferrule {

Result Chain::pass(unsigned char* buf, std::size_t count) const {
    if (n_ == 0) return Result::ok();
    return first_[0]->run(buf, count, Chain(first_ + 1, n_ - 1));
}

std::string failureMessage(const Result& r) {
    if (r.reason().empty()) return "Failure detected\n";
    return "Failure detected (" + r.reason() + ")\n";
}

void Messages::perror(std::string_view prefix, int err) {
    std::string line(prefix);
    line += ": ";
    line += std::strerror(err);
    line += '\n';
    put(line);
}

void StderrMessages::put(std::string_view text) {
    const char* p = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        ssize_t n = ::write(2, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // nowhere left to complain
        p += n;
        left -= static_cast<std::size_t>(n);
    }
}

namespace {

constexpr int kPacedPipeSize = 1 << 20;

void pauseForReader() {
    struct timespec pause = {0, 1000000};  // 1 ms
    ::nanosleep(&pause, nullptr);
}

}  // namespace

FilterEnd::FilterEnd(int fd, bool paced) : fd_(fd), paced_(paced), stream_(false) {
    struct stat st;
    stream_ = ::fstat(fd, &st) == 0 &&
              (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode) || S_ISREG(st.st_mode));
}

Result FilterEnd::run(unsigned char* buf, std::size_t count, Chain) {
    if (count == 0) return Result::ok();
    if (!paced_ && !stream_) {
        ssize_t n = ::write(fd_, buf, count);
        if (n < 0) return Result::fail(std::strerror(errno));
        if (static_cast<std::size_t>(n) != count) return Result::fail("short write: end of medium");
        return Result::ok();
    }
    while (count > 0) {
        ssize_t n = ::write(fd_, buf, count);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (errno == EAGAIN) pauseForReader();
            continue;
        }
        if (n < 0) return Result::fail(std::strerror(errno));
        if (n == 0) return Result::fail("nothing written");
        buf += n;
        count -= static_cast<std::size_t>(n);
    }
    return Result::ok();
}

bool makePacedPipe(int fd) {
    if (::fcntl(fd, F_SETPIPE_SZ, kPacedPipeSize) < kPacedPipeSize) return false;
    int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

ssize_t readRetry(int fd, unsigned char* buf, std::size_t n) {
    for (;;) {
        ssize_t got = ::read(fd, buf, n);
        if (got >= 0 || errno != EINTR) return got;
    }
}

ssize_t readHeader(int fd, unsigned char* buf, std::size_t have, std::size_t want) {
    while (have < want && have < kBufferSize) {
        ssize_t n = readRetry(fd, buf + have, kBufferSize - have);
        if (n < 0) return -1;
        if (n == 0) break;
        have += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(have);
}

Result filterBeg(int fd, unsigned char* buf, std::size_t ahead, Chain chain, Messages& messages) {
    if (ahead > 0) {
        Result r = chain.pass(buf, ahead);
        if (!r.isOk()) return r;
    }
    for (;;) {
        ssize_t n = readRetry(fd, buf, kBufferSize);
        if (n < 0) {
            messages.perror("read", errno);
            return Result::fail();
        }
        Result r = chain.pass(buf, static_cast<std::size_t>(n));
        if (!r.isOk() || n == 0) return r;
    }
}

}  // namespace ferrule
