// The built ferrule as a process with the real /usr/bin/compress, zcat and
// `sum -r`: one table of rows {arguments, input, expected output, messages,
// status, checksum file}, then what a table cannot hold: a stop and continue
// while writing, signals, a ferrule of someone else's in PATH.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <thread>

#include "Process.h"
#include "TempRoot.h"

namespace {

using Bytes = std::string;
using V = std::vector<std::string>;

Bytes randomBytes(std::size_t n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes b(n, '\0');
    for (auto& x : b) x = static_cast<char>(rng() >> 24);
    return b;
}

// Text that compresses, with some binary in it.
Bytes sampleData(std::size_t n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes out;
    while (out.size() < n) out += "line " + std::to_string(rng() % 977) + " of the stream\n" + static_cast<char>(rng());
    out.resize(n);
    return out;
}

// What a shell command prints for the given input.
Bytes shellFilter(const std::string& command, const Bytes& input) {
    tk::Spawn s({"/bin/sh", "-c", command});
    s.stdinData = input;
    return tk::run(s).out;
}

Bytes compressReal(const Bytes& data) { return shellFilter("/usr/bin/compress -f", data); }
// The "%05u\n" line of `sum -r`.
std::string sumLine(const Bytes& data) { return shellFilter("sum -r | cut -c1-5", data); }
Bytes padded(const Bytes& b) { return b + Bytes((10240 - b.size() % 10240) % 10240, '\0'); }

tk::Spawn ferrule(V args, const std::string& cwd = "") {
    tk::Spawn s;
    s.argv = {FERRULE_BIN};
    s.argv.insert(s.argv.end(), args.begin(), args.end());
    s.env["LC_ALL"] = "C";
    s.cwd = cwd;
    return s;
}

// How the input arrives and where the output goes: plainly; through a pipe
// in small random pieces (reads return less than asked); from a directory,
// which cannot be read; to /dev/full; to a pipe nobody reads; to a packet
// socket, where each write must be one tape block.
enum class Way { Plain, Slow, DirIn, FullOut, ClosedOut, Packets };

tk::RunResult run(const V& args, const Bytes& in, Way way = Way::Plain, const std::string& cwd = "") {
    tk::Spawn s = ferrule(args, cwd);
    // Behind compress or zcat the second ferrule reads 8 KiB pieces.
    tk::Feeder feed(in, way == Way::Slow ? tk::FeedPace{97, true, {}, std::chrono::microseconds(100)} : tk::FeedPace{});
    s.stdinFd = way == Way::DirIn ? ::open("/", O_RDONLY | O_CLOEXEC) : feed.readFd();
    if (way == Way::Packets) {
        // A packet socket keeps each write as one packet: each must be a block of 10240 bytes.
        int sv[2];
        EXPECT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, sv), 0);
        s.stdoutFd = sv[1];
        tk::Process proc(s);
        ::close(sv[1]);
        Bytes out;
        char buf[65536];
        ssize_t n;
        while ((n = ::recv(sv[0], buf, sizeof buf, 0)) > 0) {
            EXPECT_EQ(n, 10240);
            out.append(buf, static_cast<std::size_t>(n));
        }
        ::close(sv[0]);
        tk::RunResult r = proc.wait().value_or(tk::RunResult{});
        r.out = out;
        return r;
    }
    int p[2];
    if (way == Way::FullOut) s.stdoutFd = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    if (way == Way::ClosedOut && ::pipe2(p, O_CLOEXEC) == 0) {
        ::close(p[0]);
        s.stdoutFd = p[1];
    }
    tk::RunResult r = tk::run(s);
    if (way == Way::DirIn) ::close(s.stdinFd);
    if (s.stdoutFd >= 0) ::close(s.stdoutFd);
    return r;
}

struct Row {
    V args;
    Bytes in;
    std::optional<Bytes> out;  // none: not compared
    std::string err;
    int status;                // negative: ended by that signal
    Way way = Way::Plain;
    std::string sumFile = "";  // gains the `sum -r` line of the output
    V back = {};               // ferrule with these over the output gives the input back
};

const std::string kUsage = "Usage: ferrule [x|c][b][V][v][s] [V_size] [v_fname] [s_fname]\n";
const std::string kNoKey = "Could not locate security key\nFailure detected\n";

TEST(Program, Rows) {
    // Checksum files are made 0644 whatever the umask.
    ::umask(0);
    tk::TempRoot dir;
    const std::string cwd = dir.path();
    // A link planted in a sticky, world-writable folder in place of the
    // checksum file is refused; its target is left as it was.
    ASSERT_EQ(::chmod(dir.mkdir("tmp").c_str(), 01777), 0);
    ASSERT_EQ(::symlink(dir.write("target", "precious\n").c_str(), dir.file("tmp/sums").c_str()), 0);
    const std::string looped = "tmp/sums: Too many levels of symbolic links\n";
    dir.write("key", randomBytes(50, 13));
    dir.write("empty", "");
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    // Names that would run commands, were they taken as shell syntax.
    const std::string oddSums = "it's a sum; touch pwned $(touch pwned) `touch pwned`";
    const std::string oddKey = "k'ey;touch pwned";
    dir.write(oddKey, "quoted key");
    // A checksum file name far beyond the 247 characters of the original command buffer.
    const std::string deep = std::string(200, 'a') + "/" + std::string(200, 'b');
    tk::makeDirs(dir.file(deep));

    const Bytes data = sampleData(300000, 2), random = randomBytes(123457, 1), z = compressReal(data);
    const Bytes small = sampleData(60000, 14);
    const Bytes compressedScrambled = run({"cs", "key"}, data, Way::Plain, cwd).out;
    Bytes damaged = compressReal(randomBytes(300000, 24));
    for (std::size_t k = 1000; k < damaged.size(); k += 7) damaged[k] = static_cast<char>(~damaged[k]);
    // zcat's words for a damaged stream and for an empty one.
    const std::string corrupt = "\ngzip: stdin: corrupt input.\n";
    const std::string zcatEmpty = "\ngzip: stdin: unexpected end of file\n";

    std::vector<Row> rows = {
        // Copy, compress and decompress, chosen by the first bytes.
        {{""}, random, random, "", 0},
        {{"c"}, data, z, "", 0, Way::Plain, "", {"x"}},
        {{"c"}, "", compressReal(""), "", 0},  // compress runs even on empty input
        {{"x"}, data, data, "", 0},            // plain data is copied
        {{"c"}, z, z, "", 0},                  // compressed input is copied
        {{"c"}, Bytes("\x1F\x08" "ab", 5), Bytes("\x1F\x08" "ab", 5), "", 0},  // a short scrambled stream
        {{"c"}, "\x1F\x08" + Bytes(100, 'x'), "\x1F\x08" + Bytes(100, 'x'), "", 0},  // never ends: scrambled
        {{"c"}, "\x1F\x08" + Bytes(99, 'x'), compressReal("\x1F\x08" + Bytes(99, 'x')), "", 0},  // shorter: plain
        // Scrambled, compressed or not, and back; a relative key path is
        // read back from the header in the same folder.
        {{"cs", "key"}, data, std::nullopt, "", 0, Way::Plain, "", {"x"}},
        {{"cs", "key"}, "hi\n", std::nullopt, "", 0, Way::Plain, "", {"x"}},  // shorter than a header
        {{"xc"}, compressedScrambled, z, "", 0},  // unscramble only
        {{"cs", "key"}, compressedScrambled, compressedScrambled, "", 0},  // neither
        {{"s", "key"}, small, std::nullopt, "", 0, Way::Plain, "", {"x"}},  // copied, not fed to zcat
        {{"s", "key"}, "", std::nullopt, "", 0, Way::Plain, "", {"x"}},
        {{"s", "key"}, compressedScrambled, std::nullopt, "", 0, Way::Plain, "", {"x"}},  // always a new header
        {{"cs", oddKey}, small, std::nullopt, "", 0, Way::Plain, "", {"x"}},
        // Blocks of 10240 bytes, dots per V_size KBytes, one checksum line per run.
        {{"bv", "sums"}, "", "", "", 0, Way::Plain, "sums"},
        {{"bv", "sums"}, random.substr(0, 10240), random.substr(0, 10240), "", 0, Way::Plain, "sums"},
        {{"bv", "sums"}, random.substr(0, 10241), padded(random.substr(0, 10241)), "", 0, Way::Plain, "sums"},
        {{"cbv", "sums"}, data, padded(z), "", 0, Way::Packets, "sums"},
        {{"b"}, data, padded(data), "", 0, Way::Packets},
        {{"xb"}, z, padded(data), "", 0, Way::Packets},
        {{"cbvs", oddSums, oddKey}, data, std::nullopt, "", 0, Way::Plain, oddSums},
        {{"cbv", deep + "/sums"}, small, padded(compressReal(small)), "", 0, Way::Plain, deep + "/sums"},
        {{"xv", "sums"}, z, data, "", 0, Way::Plain, "sums"},
        // Values are taken in the order of the letters; later letters override.
        {{"vv", "first", "sums"}, "one", "one", "", 0, Way::Plain, "sums"},
        {{"sx", "nonexistent"}, compressedScrambled, data, "", 0},  // unscramble, no key file
        {{"V", " +20abc"}, Bytes(20480 * 2, 'd'), Bytes(20480 * 2, 'd'), "..", 0},  // as atoi reads it
        {{"V", "2147483647"}, "d", "d", "", 0},
        {{"xV", "20"}, compressReal(data.substr(0, 20480 * 7 + 500)), data.substr(0, 20480 * 7 + 500), ".......", 0},
        // The zero fill is counted by the dots and the checksum, and both see the scrambled bytes.
        {{"bVvs", "10", "sums", "key"}, "some data", std::nullopt, ".", 0, Way::Plain, "sums"},
        // Reads that return fewer bytes than asked change nothing.
        {{"V", "1"}, small, small, std::string(small.size() / 1024, '.'), 0, Way::Slow},
        {{"cs", "key"}, small, std::nullopt, "", 0, Way::Slow, "", {"x"}},
        {{"cbv", "sums"}, small, padded(compressReal(small)), "", 0, Way::Slow, "sums"},
        // The command line.
        {{}, "", "", kUsage, 1},
        {{"Vv", "3"}, "", "", kUsage, 1},  // the second value missing
        {{"b", "extra"}, "", "", kUsage, 1},
        {{"V", "0"}, "", "", kUsage, 1},
        {{"V", "99999999999"}, "", "", kUsage, 1},  // beyond an int
        // Letters are read in order: a bad letter before the key wins, after it not.
        {{"qs", Bytes(100, 'k')}, "", "", kUsage, 1},
        {{"sq", Bytes(100, 'k')}, "", "", "s_fname too long\n", 1},
        // Keys.
        {{"s", Bytes(99, 'k')}, "input", "", kNoKey, 1},  // 99 characters is a key path
        {{"cs", "/nonexistent/key"}, "input", "", kNoKey, 1},  // the second ferrule's failure
        {{"s", "empty"}, "input", "", "Failure detected (security key empty is empty)\n", 1},
        {{"s", "fifo"}, "input", "", "Failure detected (security key fifo is not a regular file)\n", 1},  // no hang
        {{"x"}, Bytes("\x1F\x08" "gone\0data", 10), "", kNoKey + zcatEmpty, 1},  // the key gone
        {{"x"}, "\x1F\x08" + Bytes(5000, 'A'), "", "Failure detected (damaged scrambled header)\n" + zcatEmpty, 1},
        // The checksum file cannot be made: 255, in the first or second ferrule.
        {{"v", "tmp/sums"}, small, std::nullopt, looped, 255},
        {{"cbv", "tmp/sums"}, small, std::nullopt, looped, 255},
        // zcat refuses a damaged archive part way: its status wins over a
        // second ferrule that just meets the end of its input.
        {{"x"}, damaged, std::nullopt, corrupt, 1},
        {{"xbv", "sums"}, damaged, std::nullopt, corrupt, 1},
        // Read and write errors; a reader gone.
        {{"c"}, "", "", "read: Is a directory\n", 255, Way::DirIn},  // while reading ahead
        {{"b"}, "", "", "read: Is a directory\nFailure detected\n", 1, Way::DirIn},
        {{""}, "data", "", "Failure detected (No space left on device)\n", 1, Way::FullOut},
        {{"c"}, randomBytes(8 << 20, 17), "", "Broken pipe\n", 1, Way::ClosedOut},  // writing to compress
        {{"c"}, small.substr(0, 2000), "", "", 128 + SIGPIPE, Way::ClosedOut},  // compress dies of it
        {{""}, randomBytes(1 << 20, 19), "", "", -SIGPIPE, Way::ClosedOut},  // as any filter
    };
    std::map<std::string, std::string> sums;  // each checksum file as it should be
    for (const Row& row : rows) {
        SCOPED_TRACE((row.args.empty() ? "no argument" : row.args[0] + (row.args.size() > 1 ? " " + row.args[1] : "")) +
                     " on " + std::to_string(row.in.size()) + " bytes, way " + std::to_string(static_cast<int>(row.way)));
        const tk::RunResult r = run(row.args, row.in, row.way, cwd);
        EXPECT_TRUE(row.status < 0 ? r.signaled && r.signal == -row.status : r.exited && r.code == row.status)
            << r.describe();
        EXPECT_EQ(r.err, row.err);
        if (row.out) {
            EXPECT_TRUE(r.out == *row.out) << r.out.size() << " bytes, not " << row.out->size();
        }
        if (!row.sumFile.empty()) {
            sums[row.sumFile] += sumLine(r.out);
            EXPECT_EQ(dir.read(row.sumFile), sums[row.sumFile]);
        }
        if (!row.back.empty()) {
            const tk::RunResult b = run(row.back, r.out, row.way, cwd);
            EXPECT_EQ(b.code, 0) << b.describe();
            EXPECT_TRUE(b.out == row.in) << b.out.size() << " bytes back, not " << row.in.size();
        }
    }
    EXPECT_FALSE(dir.exists("pwned"));
    EXPECT_EQ(dir.read("target"), "precious\n");
    struct stat st;
    ASSERT_EQ(::stat(dir.file("sums").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

// The system call a process is in ("1 ..." is write on x86-64), read until
// `done` says so or the deadline passes.
bool waitForProc(pid_t pid, const std::string& file, const std::function<bool(const std::string&)>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (done(tk::readFile("/proc/" + std::to_string(pid) + "/" + file))) return true;
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
    tk::Spawn s = ferrule({""});
    s.stdinFd = feed.readFd();
    s.stdoutFd = p[1];
    tk::Process proc(s);
    ::close(p[1]);
    Bytes out;
    const auto readUpTo = [&](std::size_t n) {
        char buf[65536];
        ssize_t got;
        while (n > 0 && (got = ::read(p[0], buf, std::min(n, sizeof buf))) > 0) {
            out.append(buf, static_cast<std::size_t>(got));
            n -= static_cast<std::size_t>(got);
        }
    };
    const std::string inWrite = std::to_string(SYS_write) + " ";
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(waitForProc(proc.pid(), "syscall", [&](const std::string& t) { return t.rfind(inWrite, 0) == 0; }));
        ::kill(proc.pid(), SIGSTOP);
        const auto stopped = [](const std::string& stat) { return stat.find(") T ") != std::string::npos; };
        ASSERT_TRUE(waitForProc(proc.pid(), "stat", stopped));
        ::kill(proc.pid(), SIGCONT);
        readUpTo(200000);
    }
    readUpTo(data.size());
    ::close(p[0]);
    const std::optional<tk::RunResult> r = proc.wait();
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->exited && r->code == 0 && r->err.empty()) << r->describe();
    EXPECT_TRUE(out == data) << out.size() << " bytes out";
}

TEST(Program, ASignalEndsTheWholePipelineAndNoChecksumLineIsWritten) {
    const Bytes noise = randomBytes(1 << 16, 42);
    for (int sig : {SIGHUP, SIGINT, SIGTERM}) {
        SCOPED_TRACE(sig);
        tk::TempRoot dir;
        tk::Spawn s = ferrule({"cbv", dir.file("sums")});
        int in[2];
        ASSERT_EQ(::pipe2(in, O_CLOEXEC), 0);
        s.stdinFd = in[0];
        tk::Process proc(s);
        ::close(in[0]);
        ::fcntl(in[1], F_SETFL, O_NONBLOCK);
        // Input the compressor cannot shrink, until blocks come out; the
        // input stays open: the stream is cut, not ended.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (proc.outSoFar().size() < 10240 && std::chrono::steady_clock::now() < deadline)
            if (::write(in[1], noise.data(), noise.size()) < 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        proc.kill(sig);
        const std::optional<tk::RunResult> r = proc.wait();
        ASSERT_TRUE(r);
        EXPECT_TRUE(r->exited && r->code == 128 + sig) << r->describe();
        ::close(in[1]);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_FALSE(dir.exists("sums"));
    }
}

TEST(Hardening, TheSecondStageIsThisProgram) {
    // Started as a bare name, with a ferrule of someone else's earlier in
    // PATH: the second stage is still this program.
    tk::TempRoot dir;
    const std::string fake = dir.mkdir("fake");
    dir.write("fake/ferrule", "#!/bin/sh\ntouch " + dir.file("fake-ran") + "\ncat\n", 0755);
    tk::Spawn h({"/bin/bash", "-c", "exec -a ferrule \"$0\" cbv \"$1\"", FERRULE_BIN, dir.file("h.sum")});
    h.env["PATH"] = fake + ":/usr/bin:/bin";
    h.stdinData = sampleData(30000, 44);
    const tk::RunResult r = tk::run(h);
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(dir.read("h.sum"), sumLine(r.out));
    EXPECT_FALSE(dir.exists("fake-ran"));
}

}  // namespace
