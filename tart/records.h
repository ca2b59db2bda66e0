// Reading the archive as 512-byte records.  The first read asks for one
// record and keeps the block-size rule; later reads fetch large chunks and the
// records are served from memory.  Member data that is not needed is skipped,
// by seeking when the input allows it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "header.h"

namespace tart {

// Where the bytes come from: standard input in the program, memory in the
// tests and the fuzzer.
class ByteSource {
public:
    enum class Skip { Done, PastEnd, Unsupported };

    virtual ~ByteSource() = default;
    // Up to n bytes into buf: the count, 0 at the end of input, -1 on error.
    virtual long read(unsigned char* buf, std::size_t n) = 0;
    // True when reads may come back short before the end of input (a pipe):
    // the first read is then completed to a whole record as well.
    virtual bool shortReads() const = 0;
    // Moves n bytes forward without reading them.  PastEnd when the input
    // ends before that point; Unsupported when the caller must read instead.
    virtual Skip skip(uint64_t n) = 0;
};

enum class ReadStatus {
    Ok,
    Eof,             // the input ended before a whole record
    Error,           // a read failed
    BlocksizeError,  // first read: a byte count that is not whole records
};

class RecordReader {
public:
    explicit RecordReader(ByteSource& src, std::size_t chunkSize = kDefaultChunk);

    // The first read: one record asked for.  count is the number of whole
    // records it brought (0 for an empty input).
    ReadStatus firstRead(int& count);

    // The next record; valid until the next call on the reader.
    ReadStatus readtape(const unsigned char*& record);

    // Moves past n records.
    ReadStatus passtape(uint64_t n) { return skipBytes(n * kRecordSize); }

    // Reads a member's data records and sums its size bytes with the
    // checksum step.
    ReadStatus ChecksumFl(uint64_t size, uint16_t& sum);

    // Byte-wise access inside a member's data (a sparse member's regions
    // follow each other without padding): the next n bytes summed on top of
    // sum, or skipped.  The caller keeps to record boundaries between
    // members.
    ReadStatus sumBytes(uint64_t n, uint16_t& sum);
    ReadStatus skipBytes(uint64_t n);

    static constexpr std::size_t kDefaultChunk = 256 * 1024;
    // Skips shorter than this are read through rather than sought over.
    static constexpr std::size_t kSeekThreshold = 64 * 1024;
    // The read after a seek asks for this much: headers after a large member
    // need little, and reading a whole chunk there only to skip it is waste.
    static constexpr std::size_t kReadAfterSeek = 16 * 1024;

private:
    std::size_t available() const { return len_ - pos_; }
    ReadStatus fill(std::size_t need = kRecordSize);  // at least need bytes buffered

    ByteSource& src_;
    std::vector<unsigned char> buf_;
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    std::size_t nextRead_;
    bool eof_ = false;  // sticky: once the input ended nothing more is served
};

// Bytes held in memory, read back in pieces of a given size (0: whole) so
// that pipes and short reads can be imitated.
class MemorySource : public ByteSource {
public:
    MemorySource(std::string_view data, std::size_t piece = 0, bool pipe = false,
                 bool seekable = false)
        : data_(data), piece_(piece), pipe_(pipe), seekable_(seekable) {}

    long read(unsigned char* buf, std::size_t n) override;
    bool shortReads() const override { return pipe_; }
    Skip skip(uint64_t n) override;

    std::size_t position() const { return pos_; }

private:
    std::string_view data_;
    std::size_t pos_ = 0;
    std::size_t piece_;
    bool pipe_;
    bool seekable_;
};

}  // namespace tart
