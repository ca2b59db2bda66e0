#include "filters.h"

#include "checksum.h"
#include "ferruleExit.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstdio>
#include <cstring>

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
    int fd = ::open(vFile_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0644);
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
        return Result::fail(std::strerror(err));
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
    constexpr std::size_t kBlock = static_cast<std::size_t>(kBlockSize);
    if (count == 0) {
        if (pending_ > 0) {
            // The last block, padded with zeros, before the end.
            std::memset(block_.get() + pending_, 0, kBlock - pending_);
            pending_ = 0;
            Result r = rest.pass(block_.get(), kBlock);
            if (!r.isOk()) return r;
        }
        return rest.pass(buf, 0);
    }
    while (count > 0) {
        if (pending_ == 0 && count >= kBlock) {
            // Whole blocks go on straight from the caller's buffer.
            Result r = rest.pass(buf, kBlock);
            if (!r.isOk()) return r;
            buf += kBlock;
            count -= kBlock;
            continue;
        }
        if (!block_) {
            block_.reset(static_cast<unsigned char*>(allocate_(kBlock, 1)));
            if (!block_) {
                messages_.put("calloc failure\n");
                return Result::exitWith(kExitNoMemory);
            }
        }
        const std::size_t take = std::min(count, kBlock - pending_);
        std::memcpy(block_.get() + pending_, buf, take);
        pending_ += take;
        buf += take;
        count -= take;
        if (pending_ == kBlock) {
            pending_ = 0;
            Result r = rest.pass(block_.get(), kBlock);
            if (!r.isOk()) return r;
        }
    }
    return Result::ok();
}

}  // namespace ferrule
