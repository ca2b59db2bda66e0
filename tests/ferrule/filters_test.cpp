// The filters other than scrambling, FilterEnd, and the read side
// (ReadHeader, FilterBeg), one by one.
#include "checksum.h"
#include "ferruleExit.h"
#include "filter.h"
#include "filters.h"
#include "testSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <thread>

using namespace ferrule;
using namespace ferrule_test;

namespace {

// ---- SumFltr ----

TEST(SumFilter, KnownAnswersGoToTheChecksumFile) {
    TempDir dir;
    const std::string sums = dir.file("sums");
    for (const char* text : {"abc", "a", ""}) {
        StringMessages msg;
        SumFilter sum(sums, msg);
        Collector end;
        EXPECT_TRUE(runChain({&sum}, end, toBytes(text)).isOk());
        EXPECT_EQ(toString(end.data), text);
        EXPECT_EQ(end.ends, 1);
        EXPECT_EQ(msg.text(), "");
    }
    // One line per run, appended, "%05u\n".
    EXPECT_EQ(readText(sums), "16556\n00097\n00000\n");
}

TEST(SumFilter, EqualsSumROverTheStreamWhateverTheCalls) {
    TempDir dir;
    const Bytes data = randomBytes(100000, 5);
    StringMessages msg;
    SumFilter sum(dir.file("s"), msg);
    Collector end;
    ASSERT_TRUE(runChain({&sum}, end, data, {1, 700, 10240, 3}).isOk());
    EXPECT_EQ(end.data, data);
    EXPECT_EQ(sum.sum(), realSum(data));
    EXPECT_EQ(readText(dir.file("s")), checksumLine(static_cast<std::uint16_t>(realSum(data))));
}

TEST(SumFilter, ChecksumFileThatCannotBeOpenedEndsTheProcessWith255) {
    StringMessages msg;
    SumFilter sum("/nonexistent/dir/sums", msg);
    Collector end;
    Result r = runChain({&sum}, end, toBytes("data"));
    ASSERT_TRUE(r.isExit());
    EXPECT_EQ(r.exitStatus(), kExitSumFile);
    EXPECT_EQ(r.exitStatus(), 255);
    EXPECT_EQ(msg.text(), "/nonexistent/dir/sums: No such file or directory\n");
    EXPECT_EQ(toString(end.data), "data");  // the data went through before the end
    EXPECT_EQ(end.ends, 0);                 // the end never reaches the output
}

TEST(SumFilter, LineIsFiveDigitsZeroFilled) {
    EXPECT_EQ(checksumLine(0), "00000\n");
    EXPECT_EQ(checksumLine(97), "00097\n");
    EXPECT_EQ(checksumLine(65535), "65535\n");
}

// ---- DotFltr ----

TEST(DotFilter, OneDotPerIntervalCarriedAcrossCalls) {
    StringMessages msg;
    DotFilter dots(5 * 1024, msg);  // V_size 5
    Collector end;
    const Bytes data(5120 * 3 + 100, 'x');
    ASSERT_TRUE(runChain({&dots}, end, data, {1000}).isOk());
    EXPECT_EQ(msg.text(), "...");
    EXPECT_EQ(end.data, data);
    EXPECT_EQ(end.ends, 1);
}

TEST(DotFilter, ManyDotsInOneCall) {
    StringMessages msg;
    DotFilter dots(1, msg);
    Collector end;
    ASSERT_TRUE(runChain({&dots}, end, Bytes(200, 0)).isOk());
    EXPECT_EQ(msg.text(), std::string(200, '.'));
}

TEST(DotFilter, NoDotBelowTheInterval) {
    StringMessages msg;
    DotFilter dots(1024, msg);
    Collector end;
    ASSERT_TRUE(runChain({&dots}, end, Bytes(1023, 1)).isOk());
    EXPECT_EQ(msg.text(), "");
}

// ---- BlockFltr ----

TEST(BlockFilter, PadsToWholeBlocks) {
    const std::pair<std::size_t, std::size_t> cases[] = {
        {0, 0}, {1, 10240}, {10239, 10240}, {10240, 10240}, {10241, 20480}};
    for (auto [in, out] : cases) {
        StringMessages msg;
        BlockFilter block(msg);
        Collector end;
        const Bytes data = randomBytes(in, static_cast<std::uint32_t>(in));
        ASSERT_TRUE(runChain({&block}, end, data, {4000}).isOk());
        EXPECT_EQ(end.data.size(), out) << in;
        EXPECT_TRUE(std::equal(data.begin(), data.end(), end.data.begin())) << in;
        EXPECT_TRUE(std::all_of(end.data.begin() + static_cast<long>(in), end.data.end(),
                                [](unsigned char b) { return b == 0; }))
            << in;
        EXPECT_EQ(end.ends, 1);
        EXPECT_FALSE(end.dataAfterEnd);
    }
}

TEST(BlockFilter, ZeroFillIsOneDataCallBeforeTheEnd) {
    StringMessages msg;
    BlockFilter block(msg);
    Collector end;
    ASSERT_TRUE(runChain({&block}, end, Bytes(3, 7)).isOk());
    EXPECT_EQ(end.counts, (std::vector<std::size_t>{3, 10237}));
}

void* failingCalloc(std::size_t, std::size_t) { return nullptr; }

TEST(BlockFilter, NoMemoryForTheZeroFillEndsWithStatus1) {
    StringMessages msg;
    BlockFilter block(msg, &failingCalloc);
    Collector end;
    Result r = runChain({&block}, end, Bytes(3, 7));
    ASSERT_TRUE(r.isExit());
    EXPECT_EQ(r.exitStatus(), 1);
    EXPECT_EQ(msg.text(), "calloc failure\n");
    EXPECT_EQ(end.ends, 0);
}

TEST(BlockFilter, FailureOnTheZeroFillIsReturned) {
    StringMessages msg;
    BlockFilter block(msg);
    Collector end;
    end.failCall = 2;  // the zero fill
    Result r = runChain({&block}, end, Bytes(3, 7));
    EXPECT_FALSE(r.isOk());
    EXPECT_FALSE(r.isExit());
    EXPECT_EQ(end.ends, 0);
}

TEST(BlockFilter, CountsBeyond32Bits) {
    // 2^32 + 5 bytes: a 32-bit counter would pad as if 5 bytes had passed
    // (10235 bytes); the right fill is 10240 - (2^32 + 5) mod 10240.
    StringMessages msg;
    BlockFilter block(msg);
    Collector end;
    end.keep = false;
    Bytes big(1 << 20, 0);
    std::vector<Filter*> chain{&block, &end};
    Chain c(chain.data(), chain.size());
    const std::uint64_t total = (std::uint64_t{1} << 32) + 5;
    for (std::uint64_t off = 0; off < total;) {
        std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(big.size(), total - off));
        ASSERT_TRUE(c.pass(big.data(), n).isOk());
        off += n;
    }
    ASSERT_TRUE(c.pass(big.data(), 0).isOk());
    EXPECT_EQ(end.counts.back(), 10240 - total % 10240);
    EXPECT_EQ(end.total % 10240, 0u);
}

// ---- FilterEnd ----

TEST(FilterEnd, WritesEachBufferAndIgnoresTheEnd) {
    int p[2];
    ASSERT_EQ(::pipe(p), 0);
    FilterEnd end(p[1]);
    std::vector<Filter*> chain{&end};
    Chain c(chain.data(), 1);
    Bytes data = toBytes("hello");
    EXPECT_TRUE(c.pass(data.data(), data.size()).isOk());
    EXPECT_TRUE(c.pass(data.data(), 0).isOk());
    ::close(p[1]);
    char got[16];
    EXPECT_EQ(::read(p[0], got, sizeof got), 5);
    EXPECT_EQ(std::string(got, 5), "hello");
    ::close(p[0]);
}

TEST(FilterEnd, AFailedWriteFails) {
    std::signal(SIGPIPE, SIG_IGN);
    int p[2];
    ASSERT_EQ(::pipe(p), 0);
    ::close(p[0]);
    FilterEnd end(p[1]);
    std::vector<Filter*> chain{&end};
    Bytes data = toBytes("x");
    EXPECT_FALSE(Chain(chain.data(), 1).pass(data.data(), 1).isOk());
    EXPECT_EQ(errno, EPIPE);
    ::close(p[1]);

    int full = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    FilterEnd toFull(full);
    chain = {&toFull};
    EXPECT_FALSE(Chain(chain.data(), 1).pass(data.data(), 1).isOk());
    EXPECT_EQ(errno, ENOSPC);
    ::close(full);
}

TEST(PacedPipe, LargeNonBlockingPipeOrNothing) {
    int p[2];
    ASSERT_EQ(::pipe(p), 0);
    ASSERT_TRUE(makePacedPipe(p[1]));
    EXPECT_GE(::fcntl(p[1], F_GETPIPE_SZ), 1 << 20);
    EXPECT_TRUE(::fcntl(p[1], F_GETFL) & O_NONBLOCK);
    EXPECT_FALSE(::fcntl(p[0], F_GETFL) & O_NONBLOCK);  // the reader's end is left alone
    ::close(p[0]);
    ::close(p[1]);

    TempDir dir;
    int file = ::open(dir.file("f").c_str(), O_WRONLY | O_CREAT, 0600);
    EXPECT_FALSE(makePacedPipe(file));
    EXPECT_FALSE(::fcntl(file, F_GETFL) & O_NONBLOCK);
    ::close(file);
}

TEST(PacedPipe, FullPipeIsWaitedOutNotFailed) {
    // A reader much slower than the writer: the 1 MiB pipe fills, writes
    // return EAGAIN or write part of a buffer, and still every byte arrives
    // in order and every call succeeds.
    int p[2];
    ASSERT_EQ(::pipe(p), 0);
    ASSERT_TRUE(makePacedPipe(p[1]));
    const Bytes data = randomBytes(3 << 20, 30);
    Bytes got;
    std::thread reader([&got, fd = p[0]] {
        unsigned char buf[8192];
        ssize_t n;
        while ((n = ::read(fd, buf, sizeof buf)) > 0) {
            got.insert(got.end(), buf, buf + n);
            if (got.size() % (256 * 1024) < sizeof buf) ::usleep(2000);
        }
    });
    FilterEnd end(p[1], true);
    std::vector<Filter*> chain{&end};
    Bytes copy = data;
    for (std::size_t off = 0; off < copy.size(); off += kBufferSize) {
        std::size_t n = std::min(kBufferSize, copy.size() - off);
        ASSERT_TRUE(Chain(chain.data(), 1).pass(copy.data() + off, n).isOk());
    }
    ::close(p[1]);
    reader.join();
    ::close(p[0]);
    EXPECT_EQ(got, data);
}

TEST(PacedPipe, ReaderGoneFails) {
    std::signal(SIGPIPE, SIG_IGN);
    int p[2];
    ASSERT_EQ(::pipe(p), 0);
    ASSERT_TRUE(makePacedPipe(p[1]));
    ::close(p[0]);
    FilterEnd end(p[1], true);
    std::vector<Filter*> chain{&end};
    Bytes data(100, 1);
    EXPECT_FALSE(Chain(chain.data(), 1).pass(data.data(), data.size()).isOk());
    EXPECT_EQ(errno, EPIPE);
    ::close(p[1]);
}

// ---- ReadHeader and FilterBeg ----

TEST(ReadHeader, GathersAtLeast102BytesFromShortReads) {
    int p[2];
    ASSERT_EQ(::pipe(p), 0);
    const Bytes data = randomBytes(5000, 1);
    Feeder feed(p[1], data, true, 7);
    unsigned char buf[kBufferSize];
    ssize_t n = readHeader(p[0], buf);
    ASSERT_GE(n, 102);
    EXPECT_TRUE(std::equal(buf, buf + n, data.begin()));
    feed.join();
    ::close(p[0]);
}

TEST(ReadHeader, StopsAtTheEndOfInput) {
    for (std::size_t size : {0u, 1u, 101u}) {
        int p[2];
        ASSERT_EQ(::pipe(p), 0);
        Feeder feed(p[1], Bytes(size, 9), true, 5);
        unsigned char buf[kBufferSize];
        EXPECT_EQ(readHeader(p[0], buf), static_cast<ssize_t>(size));
        feed.join();
        ::close(p[0]);
    }
}

TEST(ReadHeader, ReadErrorIsMinusOne) {
    int dir = ::open("/", O_RDONLY);
    unsigned char buf[kBufferSize];
    EXPECT_EQ(readHeader(dir, buf), -1);
    EXPECT_EQ(errno, EISDIR);
    ::close(dir);
}

TEST(FilterBeg, PassesTheReadAheadFirstThenEveryReadAndOneEnd) {
    int p[2];
    ASSERT_EQ(::pipe(p), 0);
    const Bytes data = randomBytes(50000, 2);
    Feeder feed(p[1], Bytes(data.begin() + 300, data.end()), true, 3000);
    unsigned char buf[kBufferSize];
    std::copy(data.begin(), data.begin() + 300, buf);
    Collector end;
    std::vector<Filter*> chain{&end};
    StringMessages msg;
    EXPECT_TRUE(filterBeg(p[0], buf, 300, Chain(chain.data(), 1), msg).isOk());
    EXPECT_EQ(end.data, data);
    EXPECT_EQ(end.counts.front(), 300u);
    EXPECT_EQ(end.ends, 1);
    EXPECT_FALSE(end.dataAfterEnd);
    for (std::size_t n : end.counts) EXPECT_LE(n, kBufferSize);
    feed.join();
    ::close(p[0]);
}

TEST(FilterBeg, ReadErrorPrintsReadAndFails) {
    int dir = ::open("/", O_RDONLY);
    unsigned char buf[kBufferSize];
    Collector end;
    std::vector<Filter*> chain{&end};
    StringMessages msg;
    EXPECT_FALSE(filterBeg(dir, buf, 0, Chain(chain.data(), 1), msg).isOk());
    EXPECT_EQ(msg.text(), "read: Is a directory\n");
    EXPECT_EQ(end.ends, 0);
    ::close(dir);
}

TEST(FilterBeg, StopsAtTheFirstFailure) {
    int p[2];
    ASSERT_EQ(::pipe(p), 0);
    Feeder feed(p[1], Bytes(100000, 1), false);
    unsigned char buf[kBufferSize];
    Collector end;
    end.failCall = 1;
    std::vector<Filter*> chain{&end};
    StringMessages msg;
    EXPECT_FALSE(filterBeg(p[0], buf, 0, Chain(chain.data(), 1), msg).isOk());
    EXPECT_EQ(end.counts.size(), 1u);
    ::close(p[0]);
    feed.join();
}

}  // namespace
