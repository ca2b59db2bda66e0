// The built ferrule with argv, standard input and environment, against the
// real /usr/bin/compress, /usr/bin/zcat, uncompress and sum -r: round trips,
// the pipelines of each mode, blocking, short reads, and every message and
// exit status of the failure tables, byte for byte.
#include "ferruleTest.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

using namespace ft;

namespace {

const std::string kUsage = "Usage: ferrule [x|c][b][V][v][s] [V_size] [v_fname] [s_fname]\n";
const std::string kNoKey = "Could not locate security key\nFailure detected\n";

// Text that compresses, with some binary in it.
Bytes sampleData(std::size_t n, std::uint32_t seed) {
    Bytes out;
    const Bytes noise = randomBytes(n / 8 + 1, seed);
    for (std::size_t k = 0; out.size() < n; k += 8)
        out += "line " + std::to_string(out.size() % 977) + " of the archive stream\n" +
               noise.substr(std::min(k, noise.size()), 8);
    out.resize(n);
    return out;
}

Bytes compressReal(const Bytes& data) { return shellFilter("/usr/bin/compress -f", data); }

void expectClean(const tk::RunResult& r, const std::string& what = "") {
    EXPECT_TRUE(r.exited) << what << r.describe();
    EXPECT_EQ(r.code, 0) << what << r.describe();
    EXPECT_EQ(r.err, "") << what;
}

bool zeros(const Bytes& b, std::size_t from) {
    return std::all_of(b.begin() + static_cast<long>(from), b.end(), [](char c) { return c == 0; });
}

// ---- round trips ----

TEST(Program, CopyCompressAndDecompressByTheFirstBytes) {
    const Bytes data = sampleData(300000, 2), random = randomBytes(123457, 1);
    const Bytes z = compressReal(data), shortS{'\x1F', '\x08', 'a', 'b', '\0'};
    const struct {
        std::vector<std::string> args;
        Bytes in, out;
    } cases[] = {
        {{""}, random, random},
        {{""}, "", ""},
        {{"c"}, data, z},
        {{"c"}, "", compressReal("")},  // compress runs even on empty input
        {{"x"}, z, data},
        {{"x"}, data, data},            // plain data is copied
        {{"c"}, z, z},                  // compressed input is copied
        {{"c"}, shortS, shortS},        // a short scrambled stream, its header whole
        {{"c"}, shortS.substr(0, 4), compressReal(shortS.substr(0, 4))},  // no NUL: plain
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " on " + std::to_string(c.in.size()) + " bytes");
        tk::RunResult r = runFerrule(c.args, c.in);
        expectClean(r);
        EXPECT_EQ(r.out, c.out);
    }
    EXPECT_EQ(compressReal("").size(), 3u);  // the compress header alone
    const Bytes out = runFerrule({"c"}, data).out;
    EXPECT_EQ(shellFilter("/usr/bin/zcat", out), data);
    EXPECT_EQ(shellFilter("/usr/bin/uncompress", out), data);
}

TEST(Program, CompressScrambleThenDecompressRestores) {
    tk::TempRoot dir;
    const std::string key = dir.write("key", randomBytes(700, 4));
    const Bytes data = sampleData(200000, 5);
    tk::RunResult c = runFerrule({"cs", key}, data);
    expectClean(c);
    // The header names the key file; the scrambled compressed bytes follow.
    const Bytes head = "\x1F\x08" + key + '\0';
    ASSERT_GT(c.out.size(), head.size());
    EXPECT_EQ(c.out.substr(0, head.size()), head);
    tk::RunResult x = runFerrule({"x"}, c.out);
    expectClean(x);
    EXPECT_EQ(x.out, data);
    // A stream shorter than the longest header is still recognised.
    tk::RunResult shortC = runFerrule({"cs", key}, "hi\n");
    expectClean(shortC);
    ASSERT_LT(shortC.out.size(), 102u);
    EXPECT_EQ(runFerrule({"x"}, shortC.out).out, "hi\n");
    // "xc": unscramble only, which gives back what compress wrote.
    tk::RunResult xc = runFerrule({"xc"}, c.out);
    expectClean(xc);
    EXPECT_EQ(xc.out, compressReal(data));

    // A relative key path is read back from the header, from the same folder.
    dir.write("rel", "relative key");
    tk::Spawn s = ferruleSpawn({"cs", "rel"}, data.substr(0, 50000));
    s.cwd = dir.path();
    c = tk::run(s);
    expectClean(c);
    s = ferruleSpawn({"x"}, c.out);
    s.cwd = dir.path();
    x = tk::run(s);
    expectClean(x);
    EXPECT_EQ(x.out, data.substr(0, 50000));
}

TEST(Program, ScrambleAloneIsReversible) {
    tk::TempRoot dir;
    const std::string key = dir.write("key", "k3y");
    // Unscrambled, the stream is not compressed: it is copied, not fed to zcat.
    for (const Bytes& data : {sampleData(40000, 7), Bytes("hi\n"), Bytes("\x1F"), Bytes()}) {
        SCOPED_TRACE(data.size());
        tk::RunResult s = runFerrule({"s", key}, data);
        expectClean(s);
        tk::RunResult x = runFerrule({"x"}, s.out);
        expectClean(x);
        EXPECT_EQ(x.out, data);
    }

    // s always scrambles, even a scrambled input: a second header.
    const std::string k = dir.write("K", "K");
    tk::RunResult once = runFerrule({"s", k}, "plain");
    expectClean(once);
    tk::RunResult twice = runFerrule({"s", k}, once.out);
    expectClean(twice);
    EXPECT_EQ(twice.out.size(), once.out.size() + 2 + k.size() + 1);
}

// The system call a process is in ("1 ..." is write on x86-64), read until
// `done` says so or the deadline passes.
bool waitForProc(pid_t pid, const std::string& file, const std::function<bool(const std::string&)>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (done(text)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

TEST(Program, AStopAndContinueWhileWritingCutsNothing) {
    // A job-control stop while ferrule waits to write into a full pipe cuts
    // that write short; the rest of the buffer must still go out.
    const Bytes data = randomBytes(8 << 20, 31);
    int p[2];
    ASSERT_EQ(::pipe2(p, O_CLOEXEC), 0);
    tk::Feeder feed(data, tk::FeedPace{});
    tk::Spawn s = ferruleSpawn({""});
    s.stdinFd = feed.readFd();
    s.stdoutFd = p[1];
    tk::Process proc(s);
    ::close(p[1]);
    Bytes out;
    const auto readUpTo = [&](std::size_t n) {
        char buf[65536];
        while (n > 0) {
            const ssize_t got = ::read(p[0], buf, std::min(n, sizeof buf));
            if (got <= 0) return;
            out.append(buf, static_cast<std::size_t>(got));
            n -= static_cast<std::size_t>(got);
        }
    };
    const std::string inWrite = std::to_string(SYS_write) + " ";
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(waitForProc(proc.pid(), "syscall",
                                [&](const std::string& t) { return t.rfind(inWrite, 0) == 0; }));
        ::kill(proc.pid(), SIGSTOP);
        ASSERT_TRUE(waitForProc(proc.pid(), "stat", [](const std::string& t) {
            const std::size_t paren = t.rfind(')');
            return paren != std::string::npos && t.compare(paren + 2, 1, "T") == 0;
        }));
        ::kill(proc.pid(), SIGCONT);
        readUpTo(200000);
    }
    readUpTo(data.size());
    ::close(p[0]);
    const std::optional<tk::RunResult> r = proc.wait();
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->exited) << r->describe();
    EXPECT_EQ(r->code, 0);
    EXPECT_EQ(r->err, "");
    EXPECT_EQ(out.size(), data.size());
    EXPECT_TRUE(out == data);
}

// ---- pipelines with a second ferrule ----

TEST(Program, CompressBlockChecksum) {
    tk::TempRoot dir;
    const Bytes data = sampleData(100000, 10);
    tk::RunResult r = runFerrule({"cbv", dir.file("sumfile")}, data);
    expectClean(r);
    const Bytes z = compressReal(data);
    ASSERT_EQ(r.out.size() % 10240, 0u);
    ASSERT_GE(r.out.size(), z.size());
    EXPECT_LT(r.out.size() - z.size(), 10240u);
    EXPECT_EQ(r.out.substr(0, z.size()), z);
    EXPECT_TRUE(zeros(r.out, z.size()));
    EXPECT_EQ(dir.read("sumfile"), sumLineOf(r.out));
}

TEST(Program, DotsPerVSizeKilobytes) {
    const Bytes data = sampleData(20480 * 7 + 500, 11);
    tk::RunResult r = runFerrule({"xV", "20"}, compressReal(data));
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, data);
    EXPECT_EQ(r.err, ".......");
    r = runFerrule({"V", "5"}, Bytes(5120 * 3 + 5119, 'd'));
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "...");
    EXPECT_EQ(r.out.size(), 5120u * 3 + 5119);
}

TEST(Program, ChecksumOverCompressedOrDecompressedBytes) {
    tk::TempRoot dir;
    const Bytes data = sampleData(60000, 12);
    tk::RunResult cv = runFerrule({"cv", dir.file("c.sum")}, data);
    expectClean(cv);
    EXPECT_EQ(dir.read("c.sum"), sumLineOf(cv.out));
    tk::RunResult xv = runFerrule({"xv", dir.file("x.sum")}, cv.out);
    expectClean(xv);
    EXPECT_EQ(xv.out, data);
    EXPECT_EQ(dir.read("x.sum"), sumLineOf(data));
}

// ---- blocking ----

// The sizes of ferrule's writes to its standard output: a packet socket
// keeps each write as one packet.
std::vector<std::size_t> writeSizes(const std::vector<std::string>& args, const Bytes& in) {
    int sv[2];
    EXPECT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, sv), 0);
    tk::Feeder feed(in, tk::FeedPace{});
    tk::Spawn s = ferruleSpawn(args);
    s.stdinFd = feed.readFd();
    s.stdoutFd = sv[1];
    tk::Process proc(s);
    ::close(sv[1]);
    std::vector<std::size_t> sizes;
    char buf[65536];
    ssize_t n;
    while ((n = ::recv(sv[0], buf, sizeof buf, 0)) > 0) sizes.push_back(static_cast<std::size_t>(n));
    ::close(sv[0]);
    const std::optional<tk::RunResult> r = proc.wait();
    EXPECT_TRUE(r && r->exited && r->code == 0) << (r ? r->describe() : "no end");
    return sizes;
}

TEST(Program, EveryBlockedWriteIsOneTapeBlock) {
    // Behind compress or zcat the second ferrule reads 8 KiB pieces; its
    // writes are still whole blocks of 10240 bytes, as a tape needs.
    tk::TempRoot dir;
    const Bytes data = sampleData(400000, 41);
    const std::pair<std::vector<std::string>, Bytes> runs[] = {
        {{"b"}, data}, {{"cb"}, data}, {{"cbv", dir.file("sums")}, data}, {{"xb"}, compressReal(data)}};
    for (const auto& [args, in] : runs) {
        SCOPED_TRACE(args[0]);
        const std::vector<std::size_t> sizes = writeSizes(args, in);
        EXPECT_GT(sizes.size(), 5u);
        EXPECT_EQ(sizes, std::vector<std::size_t>(sizes.size(), 10240));
    }
}

TEST(Program, ASignalEndsTheWholePipelineAndNoChecksumLineIsWritten) {
    for (int sig : {SIGHUP, SIGINT, SIGTERM}) {
        SCOPED_TRACE(sig);
        tk::TempRoot dir;
        int in[2], out[2];
        ASSERT_EQ(::pipe2(in, O_CLOEXEC), 0);
        ASSERT_EQ(::pipe2(out, O_CLOEXEC), 0);
        tk::Spawn s = ferruleSpawn({"cbv", dir.file("sums")});
        s.stdinFd = in[0];
        s.stdoutFd = out[1];
        tk::Process proc(s);
        ::close(in[0]);
        ::close(out[1]);
        std::atomic<std::size_t> got{0};
        std::thread reader([&] {
            char buf[65536];
            ssize_t n;
            while ((n = ::read(out[0], buf, sizeof buf)) > 0) got += static_cast<std::size_t>(n);
        });
        // Input the compressor cannot shrink, until blocks come out; the
        // input stays open: the stream is cut, not ended.
        const Bytes noise = randomBytes(1 << 16, 42);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (got < 10240 && std::chrono::steady_clock::now() < deadline)
            ASSERT_EQ(::write(in[1], noise.data(), noise.size()), static_cast<ssize_t>(noise.size()));
        ::kill(proc.pid(), sig);
        const std::optional<tk::RunResult> r = proc.wait();
        reader.join();  // every writer of the output is gone
        ::close(in[1]);
        ::close(out[0]);
        ASSERT_TRUE(r);
        EXPECT_TRUE(r->exited) << r->describe();
        EXPECT_EQ(r->code, 128 + sig);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_FALSE(dir.exists("sums"));
    }
}


TEST(Program, BlockingSizesAndOneChecksumLinePerRun) {
    tk::TempRoot dir;
    std::string expectLines;
    const std::pair<std::size_t, std::size_t> cases[] = {
        {0, 0}, {1, 10240}, {10239, 10240}, {10240, 10240}, {10241, 20480}};
    for (auto [in, out] : cases) {
        SCOPED_TRACE(in);
        const Bytes data = randomBytes(in, static_cast<std::uint32_t>(in) + 1);
        tk::RunResult r = runFerrule({"bv", dir.file("sums")}, data);
        expectClean(r);
        ASSERT_EQ(r.out.size(), out);
        EXPECT_EQ(r.out.substr(0, in), data);
        EXPECT_TRUE(zeros(r.out, in));
        expectLines += sumLineOf(r.out);
        EXPECT_EQ(dir.read("sums"), expectLines);
    }
}

// ---- reads that return fewer bytes than asked ----

TEST(Program, ShortReadsChangeNothing) {
    tk::TempRoot dir;
    const std::string key = dir.write("key", randomBytes(50, 13));
    const Bytes data = sampleData(60000, 14);
    const std::vector<std::vector<std::string>> modes = {
        {""}, {"bv", dir.file("sums")}, {"V", "1"}, {"s", key},
        {"c"}, {"cs", key}, {"cbv", dir.file("sums")}};
    for (const auto& args : modes) {
        SCOPED_TRACE(args[0]);
        tk::RunResult fast = runFerrule(args, data);
        tk::RunResult slow = runFerruleSlow(args, data);
        EXPECT_EQ(fast.code, 0);
        EXPECT_EQ(slow.code, 0);
        EXPECT_EQ(slow.out, fast.out);
        EXPECT_EQ(slow.err, fast.err);
        if (args[0] == "c" || args[0] == "cs") {
            // The way back, with the read-ahead fed in small pieces.
            tk::RunResult back = runFerruleSlow({"x"}, fast.out);
            expectClean(back);
            EXPECT_EQ(back.out, data);
        }
    }
    EXPECT_EQ(runFerruleSlow({"V", "1"}, data).err, std::string(data.size() / 1024, '.'));
}

// ---- failure tables ----

TEST(Failures, MessagesAndStatuses) {
    tk::TempRoot dir;
    const std::string empty = dir.write("empty", "");
    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string k100(100, 'k');
    const std::string noOut = "\x01";  // the output is not looked at
    const struct {
        std::vector<std::string> args;
        std::string err;
        int status;
        Bytes in = "input", out = "";
    } cases[] = {
        {{}, kUsage, 1},
        {{"q"}, kUsage, 1},
        {{"cq"}, kUsage, 1},
        {{"-c"}, kUsage, 1},
        {{"v"}, kUsage, 1},             // a value missing
        {{"Vv", "3"}, kUsage, 1},       // the second value missing
        {{"s"}, kUsage, 1},
        {{"b", "extra"}, kUsage, 1},    // an argument left over
        {{"", "extra"}, kUsage, 1},
        {{"V", "0"}, kUsage, 1},
        {{"V", "abc"}, kUsage, 1},
        {{"V", ""}, kUsage, 1},
        {{"V", "-5"}, kUsage, 1},
        {{"V", "99999999999"}, kUsage, 1},  // beyond an int
        {{"s", k100}, "s_fname too long\n", 1},
        {{"cs", std::string(500, 'k')}, "s_fname too long\n", 1},
        // Letters are read in order: a bad letter before the key wins, after it not.
        {{"qs", k100}, kUsage, 1},
        {{"sq", k100}, "s_fname too long\n", 1},
        // 99 characters is a key path: it gets as far as looking for the file.
        {{"s", std::string(99, 'k')}, kNoKey, 1},
        {{"s", "/nonexistent/key"}, kNoKey, 1},
        {{"cs", "/nonexistent/key"}, kNoKey, 1},  // the second ferrule's failure
        {{"s", empty}, "Failure detected (security key " + empty + " is empty)\n", 1},
        // Only a regular file is a key: a FIFO must not hang the run.
        {{"s", dir.path()}, "Failure detected (security key " + dir.path() + " is not a regular file)\n", 1},
        {{"s", "/dev/zero"}, "Failure detected (security key /dev/zero is not a regular file)\n", 1},
        {{"s", fifo}, "Failure detected (security key " + fifo + " is not a regular file)\n", 1},
        {{"xc"}, "Failure detected (security key " + fifo + " is not a regular file)\n", 1,
         "\x1F\x08" + fifo + '\0' + "data", ""},
        {{"v", "/nonexistent/dir/sums"}, "/nonexistent/dir/sums: No such file or directory\n", 255,
         "some input", "some input"},
        {{"cbv", "/nonexistent/dir/sums"}, "/nonexistent/dir/sums: No such file or directory\n",
         255, sampleData(20000, 16), noOut},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "no argument" : c.args[0] + " " + (c.args.size() > 1 ? c.args[1] : ""));
        tk::RunResult r = runFerrule(c.args, c.in);
        EXPECT_TRUE(r.exited);
        EXPECT_EQ(r.code, c.status);
        EXPECT_EQ(r.err, c.err);
        if (c.out != noOut) {
            EXPECT_EQ(r.out, c.out);
        }
    }
}

TEST(Failures, MissingKeyFileWhenUnscrambling) {
    tk::TempRoot dir;
    const std::string key = dir.write("key", "k");
    tk::RunResult c = runFerrule({"cs", key}, sampleData(5000, 15));
    ASSERT_EQ(c.code, 0);
    std::filesystem::remove(key);
    tk::RunResult x = runFerrule({"x"}, c.out);
    // ferrule's lines first; zcat then complains of its empty input.
    EXPECT_EQ(x.err.rfind(kNoKey, 0), 0u) << x.err;
    EXPECT_NE(x.code, 0);
    EXPECT_EQ(x.out, "");
}

TEST(Failures, DamagedArchiveBehindSecondFerrule) {
    // zcat refuses a damaged archive part way; the second ferrule behind it
    // just meets the end of its input and succeeds.  zcat's failure must
    // still be ferrule's status, with or without a second ferrule.
    tk::TempRoot dir;
    Bytes z = compressReal(randomBytes(300000, 24));
    for (std::size_t k = 1000; k < z.size(); k += 7) z[k] = static_cast<char>(~z[k]);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"x"}, {"xb"}, {"xbv", dir.file("sums")}, {"xV", "100"}}) {
        SCOPED_TRACE(args[0]);
        tk::RunResult r = runFerrule(args, z);
        EXPECT_TRUE(r.exited) << r.describe();
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find("corrupt input"), std::string::npos) << r.err;
    }
}

TEST(Failures, HeaderWithoutNulIsRefused) {
    const Bytes stream = "\x1F\x08" + Bytes(5000, 'A');
    tk::RunResult r = runFerrule({"x"}, stream);
    // ferrule's line first; zcat then complains of its empty input.
    EXPECT_EQ(r.err.rfind("Failure detected (damaged scrambled header)\n", 0), 0u) << r.err;
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    // Without x it is just data.
    tk::RunResult copy = runFerrule({""}, stream);
    expectClean(copy);
    EXPECT_EQ(copy.out, stream);
}

TEST(Failures, ReadAndWriteErrors) {
    const struct {
        std::string letters, in, outFile, err;
        int status;
    } cases[] = {
        {"c", "/", "", "read: Is a directory\n", 255},  // while reading ahead
        {"b", "/", "", "read: Is a directory\nFailure detected\n", 1},
        {"", "", "/dev/full", "Failure detected (No space left on device)\n", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.letters);
        tk::Spawn s = ferruleSpawn({c.letters}, "data");
        const int in = c.in.empty() ? -1 : ::open(c.in.c_str(), O_RDONLY | O_CLOEXEC);
        const int out = c.outFile.empty() ? -1 : ::open(c.outFile.c_str(), O_WRONLY | O_CLOEXEC);
        s.stdinFd = in;
        s.stdoutFd = out;
        tk::RunResult r = tk::run(s);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.code, c.status);
        EXPECT_EQ(r.out, "");
        if (in >= 0) ::close(in);
        if (out >= 0) ::close(out);
    }
}

// ferrule with its standard output a pipe that nobody reads.
tk::RunResult intoClosedPipe(const std::vector<std::string>& args, const Bytes& input) {
    int p[2];
    EXPECT_EQ(::pipe2(p, O_CLOEXEC), 0);
    ::close(p[0]);
    tk::Spawn s = ferruleSpawn(args, input);
    s.stdoutFd = p[1];
    tk::RunResult r = tk::run(s);
    ::close(p[1]);
    return r;
}

TEST(Failures, BrokenPipes) {
    // compress dies writing to the unread pipe; ferrule's next write to
    // compress meets the broken pipe: the system message and status 1.
    tk::RunResult r = intoClosedPipe({"c"}, randomBytes(8 << 20, 17));
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Broken pipe\n");
    // All input fits the pipe; then compress, or the second ferrule, dies of
    // SIGPIPE on the unread output: the status says so (128 + 13).
    for (const char* letters : {"c", "cb"}) {
        r = intoClosedPipe({letters}, sampleData(2000, 18));
        EXPECT_TRUE(r.exited) << letters;
        EXPECT_EQ(r.code, 128 + SIGPIPE) << letters;
        EXPECT_EQ(r.err, "") << letters;
    }
    // No command: the default action of SIGPIPE, as for any filter.
    r = intoClosedPipe({""}, randomBytes(1 << 20, 19));
    EXPECT_TRUE(r.signaled);
    EXPECT_EQ(r.signal, SIGPIPE);
    EXPECT_EQ(r.err, "");
}

// ---- planted links, file modes, the program's own path ----

TEST(Hardening, ChecksumFileAndTheSecondFerrule) {
    tk::TempRoot dir;
    // A link planted in a sticky, world-writable folder in place of the
    // checksum file is refused; its target is left as it was.
    const std::string sticky = dir.mkdir("tmp");
    ASSERT_EQ(::chmod(sticky.c_str(), 01777), 0);
    const std::string target = dir.write("target", "precious\n");
    ASSERT_EQ(::symlink(target.c_str(), (sticky + "/sums").c_str()), 0);
    for (const char* letters : {"v", "cbv"}) {
        tk::RunResult r = runFerrule({letters, sticky + "/sums"}, sampleData(5000, 43));
        EXPECT_EQ(r.code, 255) << letters;
        EXPECT_EQ(r.err, sticky + "/sums: Too many levels of symbolic links\n");
        EXPECT_EQ(tk::readFile(target), "precious\n");
    }
    // Created 0644 whatever the umask.
    tk::Spawn u({"/bin/sh", "-c", "umask 000; exec \"$0\" v \"$1\"", FERRULE_BIN, dir.file("new.sum")});
    u.stdinData = "x";
    expectClean(tk::run(u));
    struct stat st;
    ASSERT_EQ(::stat(dir.file("new.sum").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
    // Started as a bare name, with a ferrule of someone else's earlier in
    // PATH: the second stage is still this program.
    const std::string fake = dir.mkdir("fake");
    dir.write("fake/ferrule", "#!/bin/sh\ntouch " + dir.file("fake-ran") + "\ncat\n", 0755);
    tk::Spawn h({"/bin/bash", "-c", "exec -a ferrule \"$0\" cbv \"$1\"", FERRULE_BIN, dir.file("h.sum")});
    h.env["PATH"] = fake + ":/usr/bin:/bin";
    h.stdinData = sampleData(30000, 44);
    tk::RunResult r = tk::run(h);
    expectClean(r);
    EXPECT_EQ(r.out.size() % 10240, 0u);
    EXPECT_EQ(dir.read("h.sum"), sumLineOf(r.out));
    EXPECT_FALSE(dir.exists("fake-ran"));
}

// ---- names that must not act as shell syntax ----

TEST(Quoting, FileNamesWithShellSyntax) {
    // Relative names, run from the folder: were they shell syntax, "pwned"
    // would appear there.
    tk::TempRoot dir;
    const std::string sums = "it's a sum; touch pwned $(touch pwned) `touch pwned`";
    const std::string key = "k'ey;touch pwned";
    dir.write(key, "quoted key");
    const Bytes data = sampleData(30000, 20);
    const auto inDir = [&](std::vector<std::string> args, const Bytes& in) {
        tk::Spawn s = ferruleSpawn(std::move(args), in);
        s.cwd = dir.path();
        tk::RunResult r = tk::run(s);
        expectClean(r);
        return r.out;
    };
    const Bytes out = inDir({"cbvs", sums, key}, data);
    EXPECT_FALSE(dir.exists("pwned"));
    EXPECT_EQ(dir.read(sums), sumLineOf(out));
    // The key path with its quote goes into the header and back.
    EXPECT_EQ(inDir({"x"}, inDir({"cs", key}, data)), data);
    EXPECT_FALSE(dir.exists("pwned"));
}

TEST(Quoting, ProgramPathAndCommandLength) {
    // ferrule re-invokes itself by argv[0] behind the compressor: a path with
    // a blank, a quote and a $ still names the program; so does a bare name
    // found through PATH.  Names run well beyond the 247 characters of the
    // original command buffer.
    tk::TempRoot dir;
    const std::string odd = dir.mkdir("bin dir's $HOME");
    std::filesystem::create_symlink(FERRULE_BIN, odd + "/ferrule");
    std::string deep = dir.path();
    for (int i = 0; i < 6; ++i) deep += "/" + std::string(60, static_cast<char>('a' + i));
    tk::makeDirs(deep);
    const std::string bin = std::filesystem::path(FERRULE_BIN).parent_path().string();
    tk::Spawn viaOdd = ferruleSpawn({"cbv", dir.file("s1")}, sampleData(15000, 21));
    viaOdd.argv[0] = odd + "/ferrule";
    tk::Spawn viaPath({"/bin/sh", "-c", "exec ferrule cbv \"$0\"", dir.file("s2")});
    viaPath.stdinData = sampleData(15000, 22);
    viaPath.env["PATH"] = bin + ":/usr/bin:/bin";
    tk::Spawn longName = ferruleSpawn({"cbv", deep + "/sums"}, sampleData(5000, 23));
    ASSERT_GT(deep.size() + 5, 300u);
    const std::pair<tk::Spawn*, std::string> runs[] = {
        {&viaOdd, dir.file("s1")}, {&viaPath, dir.file("s2")}, {&longName, deep + "/sums"}};
    for (const auto& [spawn, sums] : runs) {
        SCOPED_TRACE(sums);
        tk::RunResult r = tk::run(*spawn);
        expectClean(r);
        EXPECT_EQ(r.out.size() % 10240, 0u);
        EXPECT_EQ(tk::readFile(sums), sumLineOf(r.out));
    }
}

}  // namespace
