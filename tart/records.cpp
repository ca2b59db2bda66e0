#include "records.h"

#include <algorithm>
#include <cstring>

#include "checksum.h"

namespace tart {

RecordReader::RecordReader(ByteSource& src, std::size_t chunkSize)
    : src_(src), buf_(std::max(chunkSize, kRecordSize)), nextRead_(buf_.size()) {}

ReadStatus RecordReader::firstRead(int& count) {
    count = 0;
    std::size_t got = 0;
    do {
        const long n = src_.read(buf_.data() + got, kRecordSize - got);
        if (n < 0) return ReadStatus::Error;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    } while (src_.shortReads() && got < kRecordSize);
    len_ = got;
    if (got % kRecordSize != 0) {
        // A pipe that ended inside the first record holds a cut archive;
        // anything else broke the block-size rule.
        eof_ = src_.shortReads();
        return eof_ ? ReadStatus::Eof : ReadStatus::BlocksizeError;
    }
    count = static_cast<int>(got / kRecordSize);
    return ReadStatus::Ok;
}

ReadStatus RecordReader::fill(std::size_t need) {
    if (available() >= need) return ReadStatus::Ok;
    if (eof_) return ReadStatus::Eof;
    // Keep the start of a partial record, then read behind it.
    std::memmove(buf_.data(), buf_.data() + pos_, available());
    len_ = available();
    pos_ = 0;
    while (len_ < need) {
        const std::size_t want = std::max(nextRead_, kRecordSize) - len_;
        const long n = src_.read(buf_.data() + len_, want);
        if (n < 0) return ReadStatus::Error;
        if (n == 0) {
            eof_ = true;
            return ReadStatus::Eof;
        }
        len_ += static_cast<std::size_t>(n);
    }
    nextRead_ = buf_.size();
    return ReadStatus::Ok;
}

ReadStatus RecordReader::readtape(const unsigned char*& record) {
    const ReadStatus s = fill();
    if (s != ReadStatus::Ok) return s;
    record = buf_.data() + pos_;
    pos_ += kRecordSize;
    return ReadStatus::Ok;
}

ReadStatus RecordReader::skipBytes(uint64_t n) {
    const uint64_t inBuffer = std::min<uint64_t>(n, available());
    pos_ += static_cast<std::size_t>(inBuffer);
    n -= inBuffer;
    if (n == 0) return ReadStatus::Ok;
    if (!eof_ && n >= kSeekThreshold) {
        switch (src_.skip(n)) {
        case ByteSource::Skip::Done:
            pos_ = len_ = 0;
            nextRead_ = std::min(kReadAfterSeek, buf_.size());
            return ReadStatus::Ok;
        case ByteSource::Skip::PastEnd:
            pos_ = len_ = 0;
            eof_ = true;
            return ReadStatus::Eof;
        case ByteSource::Skip::Unsupported:
            break;
        }
    }
    while (n > 0) {
        const ReadStatus s = fill(1);
        if (s != ReadStatus::Ok) return s;
        const uint64_t take = std::min<uint64_t>(n, available());
        pos_ += static_cast<std::size_t>(take);
        n -= take;
    }
    return ReadStatus::Ok;
}

ReadStatus RecordReader::sumBytes(uint64_t n, uint16_t& sum) {
    while (n > 0) {
        const ReadStatus s = fill(1);
        if (s != ReadStatus::Ok) return s;
        const std::size_t take = static_cast<std::size_t>(std::min<uint64_t>(n, available()));
        sum = trev::checksumBlock(sum, buf_.data() + pos_, take);
        pos_ += take;
        n -= take;
    }
    return ReadStatus::Ok;
}

ReadStatus RecordReader::ChecksumFl(uint64_t size, uint16_t& sum) {
    sum = 0;
    const ReadStatus s = sumBytes(size, sum);
    if (s != ReadStatus::Ok) return s;
    return skipBytes((kRecordSize - size % kRecordSize) % kRecordSize);
}

long MemorySource::read(unsigned char* buf, std::size_t n) {
    std::size_t k = std::min(n, data_.size() - pos_);
    if (piece_ != 0) k = std::min(k, piece_);
    if (k == 0) return 0;
    std::memcpy(buf, data_.data() + pos_, k);
    pos_ += k;
    return static_cast<long>(k);
}

ByteSource::Skip MemorySource::skip(uint64_t n) {
    if (!seekable_) return Skip::Unsupported;
    if (n > data_.size() - pos_) {
        pos_ = data_.size();
        return Skip::PastEnd;
    }
    pos_ += static_cast<std::size_t>(n);
    return Skip::Done;
}

}  // namespace tart
