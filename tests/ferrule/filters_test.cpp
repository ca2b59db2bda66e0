// The filters other than scrambling, FilterEnd, and the read side
// (ReadHeader, FilterBeg), one by one.  The block sizes of BlockFltr and the
// checksum file's lines are checked byte for byte through the program.
#include "checksum.h"
#include "ferruleExit.h"
#include "ferruleTest.h"
#include "filters.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <thread>

using namespace ferrule;
using namespace ft;

namespace {

// ---- SumFltr ----

TEST(SumFilter, KnownAnswersGoToTheChecksumFile) {
    tk::TempRoot dir;
    for (const char* text : {"abc", "a", ""}) {
        StringMessages msg;
        SumFilter sum(dir.file("sums"), msg);
        Collector end;
        EXPECT_TRUE(runChain({&sum}, end, text).isOk());
        EXPECT_EQ(end.data, text);
        EXPECT_EQ(end.ends, 1);
        EXPECT_EQ(msg.text(), "");
    }
    // One line per run, appended, "%05u\n".
    EXPECT_EQ(dir.read("sums"), "16556\n00097\n00000\n");
    EXPECT_EQ(checksumLine(65535), "65535\n");
}

TEST(SumFilter, EqualsSumROverTheStreamWhateverTheCalls) {
    tk::TempRoot dir;
    const Bytes data = randomBytes(100000, 5);
    StringMessages msg;
    SumFilter sum(dir.file("s"), msg);
    Collector end;
    ASSERT_TRUE(runChain({&sum}, end, data, {1, 700, 10240, 3}).isOk());
    EXPECT_EQ(end.data, data);
    EXPECT_EQ(sum.sum(), realSum(data));
    EXPECT_EQ(dir.read("s"), sumLineOf(data));
}

TEST(SumFilter, ChecksumFileThatCannotBeOpenedEndsTheProcessWith255) {
    StringMessages msg;
    SumFilter sum("/nonexistent/dir/sums", msg);
    Collector end;
    Result r = runChain({&sum}, end, "data");
    ASSERT_TRUE(r.isExit());
    EXPECT_EQ(r.exitStatus(), 255);
    EXPECT_EQ(msg.text(), "/nonexistent/dir/sums: No such file or directory\n");
    EXPECT_EQ(end.data, "data");  // the data went through before the end
    EXPECT_EQ(end.ends, 0);       // the end never reaches the output
}

// ---- DotFltr ----

TEST(DotFilter, OneDotPerIntervalCarriedAcrossCalls) {
    const struct {
        std::size_t interval, bytes, cut;
        std::string dots;
    } cases[] = {
        {5 * 1024, 5120 * 3 + 100, 1000, "..."},   // V_size 5, calls of 1000 bytes
        {1, 200, 0, std::string(200, '.')},          // many dots in one call
        {1024, 1023, 0, ""},                          // none below the interval
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.interval);
        StringMessages msg;
        DotFilter dots(c.interval, msg);
        Collector end;
        const Bytes data(c.bytes, 'x');
        ASSERT_TRUE(runChain({&dots}, end, data, c.cut ? std::vector<std::size_t>{c.cut}
                                                       : std::vector<std::size_t>{})
                        .isOk());
        EXPECT_EQ(msg.text(), c.dots);
        EXPECT_EQ(end.data, data);
        EXPECT_EQ(end.ends, 1);
    }
}

// ---- BlockFltr ----

TEST(BlockFilter, WholeBlocksOneCallEachWhateverTheCuts) {
    // Every data call that leaves is one 10240-byte block (a tape write);
    // the last block is padded with zeros before the one end.
    const struct {
        std::size_t size;
        std::vector<std::size_t> cuts;
    } cases[] = {{3, {}}, {10240, {}}, {10241, {8192}}, {50000, {8192, 7, 20480}}, {0, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        StringMessages msg;
        BlockFilter block(msg);
        Collector end;
        const Bytes data = randomBytes(c.size, 3);
        ASSERT_TRUE(runChain({&block}, end, data, c.cuts).isOk());
        const std::size_t blocks = (c.size + 10239) / 10240;
        EXPECT_EQ(end.counts, std::vector<std::size_t>(blocks, 10240));
        EXPECT_EQ(end.data, data + Bytes(blocks * 10240 - c.size, 0));
        EXPECT_EQ(end.ends, 1);
        EXPECT_FALSE(end.dataAfterEnd);
    }
}

void* failingCalloc(std::size_t, std::size_t) { return nullptr; }

TEST(BlockFilter, FailuresOnThePartialBlock) {
    // No memory for it: status 1 with its message.
    StringMessages msg;
    BlockFilter noMemory(msg, &failingCalloc);
    Collector end;
    Result r = runChain({&noMemory}, end, Bytes(3, 7));
    ASSERT_TRUE(r.isExit());
    EXPECT_EQ(r.exitStatus(), 1);
    EXPECT_EQ(msg.text(), "calloc failure\n");
    EXPECT_EQ(end.ends, 0);
    // Its data call fails: the failure is returned.
    BlockFilter block(msg);
    Collector failing;
    failing.failCall = 1;
    r = runChain({&block}, failing, Bytes(3, 7));
    EXPECT_FALSE(r.isOk());
    EXPECT_FALSE(r.isExit());
    EXPECT_EQ(failing.ends, 0);
}

// ---- FilterEnd ----

// One pass of `data` through a chain of FilterEnd alone.
bool passThroughEnd(FilterEnd& end, Bytes data) {
    std::vector<Filter*> chain{&end};
    return Chain(chain.data(), 1).pass(uc(data), data.size()).isOk();
}

TEST(FilterEnd, WritesEachBufferAndIgnoresTheEnd) {
    int p[2];
    ASSERT_EQ(::pipe(p), 0);
    FilterEnd end(p[1]);
    EXPECT_TRUE(passThroughEnd(end, "hello"));
    EXPECT_TRUE(passThroughEnd(end, ""));
    ::close(p[1]);
    char got[16];
    EXPECT_EQ(::read(p[0], got, sizeof got), 5);
    EXPECT_EQ(std::string(got, 5), "hello");
    ::close(p[0]);
}

TEST(FilterEnd, AFailedWriteFails) {
    std::signal(SIGPIPE, SIG_IGN);
    for (bool paced : {false, true}) {
        int p[2];
        ASSERT_EQ(::pipe(p), 0);
        if (paced) {
            ASSERT_TRUE(makePacedPipe(p[1]));
        }
        ::close(p[0]);
        FilterEnd end(p[1], paced);
        EXPECT_FALSE(passThroughEnd(end, Bytes(100, 1))) << paced;
        EXPECT_EQ(errno, EPIPE);
        ::close(p[1]);
    }
    int full = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    FilterEnd toFull(full);
    EXPECT_FALSE(passThroughEnd(toFull, "x"));
    EXPECT_EQ(errno, ENOSPC);
    Bytes x = "x";
    std::vector<Filter*> chain{&toFull};
    EXPECT_EQ(failureMessage(Chain(chain.data(), 1).pass(uc(x), 1)),
              "Failure detected (No space left on device)\n");
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

    tk::TempRoot dir;
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
        char buf[8192];
        ssize_t n;
        while ((n = ::read(fd, buf, sizeof buf)) > 0) {
            got.append(buf, static_cast<std::size_t>(n));
            if (got.size() % (256 * 1024) < sizeof buf) ::usleep(2000);
        }
    });
    FilterEnd end(p[1], true);
    for (std::size_t off = 0; off < data.size(); off += kBufferSize)
        ASSERT_TRUE(passThroughEnd(end, data.substr(off, kBufferSize)));
    ::close(p[1]);
    reader.join();
    ::close(p[0]);
    EXPECT_EQ(got, data);
}

// ---- ReadHeader and FilterBeg ----

TEST(ReadHeader, GathersAtLeast102BytesFromShortReadsOrAllThereIs) {
    const Bytes data = randomBytes(5000, 1);
    tk::Feeder feed(data, slowPace(7));
    unsigned char buf[kBufferSize];
    ssize_t n = readHeader(feed.readFd(), buf);
    ASSERT_GE(n, 102);
    EXPECT_EQ(Bytes(reinterpret_cast<char*>(buf), static_cast<std::size_t>(n)),
              data.substr(0, static_cast<std::size_t>(n)));
    for (std::size_t size : {0u, 1u, 101u}) {
        tk::Feeder shortFeed(Bytes(size, 9), slowPace(5));
        EXPECT_EQ(readHeader(shortFeed.readFd(), buf), static_cast<ssize_t>(size));
    }
    int dir = ::open("/", O_RDONLY);
    EXPECT_EQ(readHeader(dir, buf), -1);
    EXPECT_EQ(errno, EISDIR);
    ::close(dir);
}

TEST(FilterBeg, PassesTheReadAheadFirstThenEveryReadAndOneEnd) {
    const Bytes data = randomBytes(50000, 2);
    tk::Feeder feed(data.substr(300), slowPace(3000));
    unsigned char buf[kBufferSize];
    std::copy(data.begin(), data.begin() + 300, buf);
    Collector end;
    std::vector<Filter*> chain{&end};
    StringMessages msg;
    EXPECT_TRUE(filterBeg(feed.readFd(), buf, 300, Chain(chain.data(), 1), msg).isOk());
    EXPECT_EQ(end.data, data);
    EXPECT_EQ(end.counts.front(), 300u);
    EXPECT_EQ(end.ends, 1);
    EXPECT_FALSE(end.dataAfterEnd);
    for (std::size_t n : end.counts) EXPECT_LE(n, kBufferSize);
}

TEST(FilterBeg, ReadErrorAndFailedCallStopIt) {
    int dir = ::open("/", O_RDONLY);
    unsigned char buf[kBufferSize];
    Collector end;
    std::vector<Filter*> chain{&end};
    StringMessages msg;
    EXPECT_FALSE(filterBeg(dir, buf, 0, Chain(chain.data(), 1), msg).isOk());
    EXPECT_EQ(msg.text(), "read: Is a directory\n");
    EXPECT_EQ(end.ends, 0);
    ::close(dir);

    tk::Feeder feed(Bytes(100000, 1), tk::FeedPace{});
    Collector failing;
    failing.failCall = 1;
    chain = {&failing};
    EXPECT_FALSE(filterBeg(feed.readFd(), buf, 0, Chain(chain.data(), 1), msg).isOk());
    EXPECT_EQ(failing.counts.size(), 1u);
}

}  // namespace
