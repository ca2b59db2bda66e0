#include "filters.h"

#include "checksum.h"
#include "ferruleExit.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace ferrule {

std::string checksumLine(std::uint16_t sum) {
    char line[16];
    std::snprintf(line, sizeof line, "%05u\n", static_cast<unsigned>(sum));
    return line;
}

Result SumFilter::run(unsigned char* buf, std::size_t count, Chain rest) {
    if (count > 0) {
        sum_ = trev::checksumBlock(sum_, buf, count);
        return rest.pass(buf, count);
    }
    int fd = ::open(vFile_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) {
        messages_.perror(vFile_, errno);
        return Result::exitWith(kExitSumFile);
    }
    const std::string line = checksumLine(sum_);
    ssize_t n = ::write(fd, line.data(), line.size());
    int err = 0;
    if (n < 0)
        err = errno;
    else if (static_cast<std::size_t>(n) != line.size())
        err = ENOSPC;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err != 0) {
        // A lost checksum line is reported rather than passed over.
        messages_.perror(vFile_, err);
        return Result::fail();
    }
    return rest.pass(buf, 0);
}

Result DotFilter::run(unsigned char* buf, std::size_t count, Chain rest) {
    counter_ += count;
    if (counter_ >= interval_) {
        std::uint64_t dots = counter_ / interval_;
        counter_ -= dots * interval_;
        static const char kDots[] =
            "................................................................";
        constexpr std::uint64_t kChunk = sizeof kDots - 1;
        while (dots > 0) {
            std::uint64_t n = dots < kChunk ? dots : kChunk;
            messages_.put(std::string_view(kDots, static_cast<std::size_t>(n)));
            dots -= n;
        }
    }
    return rest.pass(buf, count);
}

Result BlockFilter::run(unsigned char* buf, std::size_t count, Chain rest) {
    if (count > 0) {
        counter_ += count;
        return rest.pass(buf, count);
    }
    std::uint64_t partial = counter_ % kBlockSize;
    if (partial != 0) {
        std::size_t fill = static_cast<std::size_t>(kBlockSize - partial);
        auto* zeros = static_cast<unsigned char*>(allocate_(fill, 1));
        if (zeros == nullptr) {
            messages_.put("calloc failure\n");
            return Result::exitWith(kExitNoMemory);
        }
        Result r = rest.pass(zeros, fill);
        std::free(zeros);
        if (!r.isOk()) return r;
        counter_ += fill;
    }
    return rest.pass(buf, 0);
}

}  // namespace ferrule
