// The stream filters other than the scrambling pair: the
// checksum (SumFltr), the progress dots (DotFltr) and the blocking to whole
// 10240-byte blocks (BlockFltr).
#pragma once

#include "filter.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

namespace ferrule {

// The block size of a blocked stream.
constexpr std::uint64_t kBlockSize = 10240;

// SumFltr: the checksum step over every byte that passes; at end of stream
// appends the sum as "%05u\n" to the checksum file.  A checksum file that
// cannot be opened prints "<name>: reason" and ends the process with 255.
// The file is created 0644 whatever the umask, and a symbolic link in its
// place is refused (a planted link would have root append to its target).
class SumFilter final : public Filter {
public:
    SumFilter(std::string vFile, Messages& messages)
        : vFile_(std::move(vFile)), messages_(messages) {}
    Result run(unsigned char* buf, std::size_t count, Chain rest) override;
    std::uint16_t sum() const { return sum_; }

private:
    std::string vFile_;
    Messages& messages_;
    std::uint16_t sum_ = 0;
};

// The checksum line as written to the checksum file.
std::string checksumLine(std::uint16_t sum);

// DotFltr: one "." to the messages per `interval` bytes passed (interval > 0).
class DotFilter final : public Filter {
public:
    DotFilter(std::uint64_t interval, Messages& messages) : interval_(interval), messages_(messages) {}
    Result run(unsigned char* buf, std::size_t count, Chain rest) override;

private:
    std::uint64_t interval_;
    std::uint64_t counter_ = 0;  // bytes since the last dot
    Messages& messages_;
};

// BlockFltr: passes the stream on in whole 10240-byte blocks, one data call
// per block (so that every write to a tape is exactly one block), and at end
// of stream pads the last block with zero bytes.  A partial block waits in a
// buffer from `allocate` (calloc-like); when that fails it prints
// "calloc failure\n" and ends the process with status 1.
class BlockFilter final : public Filter {
public:
    using Allocate = void* (*)(std::size_t count, std::size_t size);
    explicit BlockFilter(Messages& messages, Allocate allocate = &std::calloc)
        : messages_(messages), allocate_(allocate) {}
    Result run(unsigned char* buf, std::size_t count, Chain rest) override;

private:
    struct Free {
        void operator()(unsigned char* p) const { std::free(p); }
    };
    Messages& messages_;
    Allocate allocate_;
    std::unique_ptr<unsigned char, Free> block_;
    std::size_t pending_ = 0;  // bytes of the block gathered so far
};

}  // namespace ferrule
