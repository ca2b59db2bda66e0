// ferrule's program logic: command line, detection, the composed command,
// the chain, the exit status.  The usage and failure messages themselves are
// checked byte for byte through the program.
#include "ferruleTest.h"
#include "filters.h"
#include "pipeline.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ferrule;
using namespace ft;

namespace {

ParseResult parse(std::vector<std::string> args) {
    std::vector<const char*> argv{"ferrule"};
    for (auto& a : args) argv.push_back(a.c_str());
    return parseCommandLine(static_cast<int>(argv.size()), argv.data());
}

Modes modesOf(std::vector<std::string> args) { return parse(std::move(args)).modes; }

// ---- command line ----

constexpr auto kNoC = Compression::None, kC = Compression::Compress, kX = Compression::Decompress;
constexpr auto kNoS = Scrambling::None, kS = Scrambling::Scramble, kU = Scrambling::Unscramble;

TEST(CommandLine, LettersAndTheirValues) {
    const struct {
        std::vector<std::string> args;
        Compression compression;
        Scrambling scrambling;
        bool blocking, checksum;
        int dotKb;
        std::string vFile, sFile;
    } cases[] = {
        {{""}, kNoC, kNoS, false, false, 0, "", ""},
        {{"x"}, kX, kU, false, false, 0, "", ""},
        {{"c"}, kC, kNoS, false, false, 0, "", ""},
        {{"b"}, kNoC, kNoS, true, false, 0, "", ""},
        {{"V", "20"}, kNoC, kNoS, false, false, 20, "", ""},
        {{"v", "sums"}, kNoC, kNoS, false, true, 0, "sums", ""},
        {{"s", "key"}, kNoC, kS, false, false, 0, "", "key"},
        // Values are taken in the order of the letters.
        {{"Vvs", "5", "sums", "key"}, kNoC, kS, false, true, 5, "sums", "key"},
        {{"svbV", "key", "sums", "7"}, kNoC, kS, true, true, 7, "sums", "key"},
        // Later letters override.
        {{"vv", "first", "second"}, kNoC, kNoS, false, true, 0, "second", ""},
        {{"xc"}, kC, kU, false, false, 0, "", ""},  // compress, still unscramble
        {{"xs", "k"}, kX, kS, false, false, 0, "", "k"},
        {{"sx", "k"}, kX, kU, false, false, 0, "", "k"},
        // V_size read like atoi.
        {{"V", "20abc"}, kNoC, kNoS, false, false, 20, "", ""},
        {{"V", " 7"}, kNoC, kNoS, false, false, 7, "", ""},
        {{"V", "+3"}, kNoC, kNoS, false, false, 3, "", ""},
        {{"V", "2147483647"}, kNoC, kNoS, false, false, 2147483647, "", ""},
        {{"s", std::string(99, 'k')}, kNoC, kS, false, false, 0, "", std::string(99, 'k')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : ""));
        const ParseResult r = parse(c.args);
        ASSERT_EQ(r.status, ParseStatus::Ok);
        EXPECT_EQ(r.modes.compression, c.compression);
        EXPECT_EQ(r.modes.scrambling, c.scrambling);
        EXPECT_EQ(r.modes.blocking, c.blocking);
        EXPECT_EQ(r.modes.checksum, c.checksum);
        EXPECT_EQ(r.modes.dotKb, c.dotKb);
        if (c.checksum) {
            EXPECT_EQ(r.modes.vFile, c.vFile);
        }
        if (c.scrambling == kS) {
            EXPECT_EQ(r.modes.sFile, c.sFile);
        }
    }
    // No argument at all, not even a program name: usage.
    EXPECT_EQ(parseCommandLine(0, std::vector<const char*>{nullptr}.data()).status, ParseStatus::Usage);
}

// ---- detection ----

TEST(Identify, ByTheFirstBytes) {
    const struct {
        Bytes first;
        std::size_t count;
        bool scrambled, compressed;
    } cases[] = {
        {"\x1F\x08" + Bytes(100, 'x'), 102, true, true},
        {"\x1F\x08" + Bytes(99, 'x'), 101, false, false},  // too short for a header
        {Bytes("\x1F\x08k\0zz", 6), 6, true, true},        // a short stream, its header whole
        {Bytes("\x1F\x08k\0", 4), 3, false, false},        // the NUL not yet there
        {"\x1F\x9D", 2, false, true},
        {"\x1F\x9D", 1, false, false},
        {"\x1F\x9D", 0, false, false},
        {Bytes(120, 'p'), 120, false, false},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.count);
        const Identity id = identify(uc(c.first), c.count);
        EXPECT_EQ(id.scrambled, c.scrambled);
        EXPECT_EQ(id.compressed, c.compressed);
    }
}

const Identity kPlain{false, false}, kCompressed{false, true}, kScrambled{true, true};

TEST(Detect, Adjustments) {
    const struct {
        std::vector<std::string> args;
        Identity input;
        Scrambling scrambling;
        Compression compression;
    } cases[] = {
        {{"x"}, kScrambled, kU, kX},    // unscramble, then zcat
        {{"x"}, kCompressed, kNoS, kX},  // zcat only
        {{"x"}, kPlain, kNoS, kNoC},     // everything off
        {{"c"}, kCompressed, kNoS, kNoC},  // copied
        {{"c"}, kScrambled, kNoS, kNoC},
        {{"c"}, kPlain, kNoS, kC},
        {{"cs", "k"}, kScrambled, kNoS, kNoC},  // neither
        {{"xc"}, kScrambled, kU, kNoC},         // unscramble only
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " scrambled " + std::to_string(c.input.scrambled) + " compressed " +
                     std::to_string(c.input.compressed));
        const Modes m = adjustForInput(modesOf(c.args), c.input);
        EXPECT_EQ(m.scrambling, c.scrambling);
        EXPECT_EQ(m.compression, c.compression);
    }
}

// ---- the composed command, mode by mode ----

TEST(Compose, CommandAndWhatStaysHere) {
    const struct {
        std::vector<std::string> args;
        Identity input;
        std::string prog, first, second;
        Scrambling scrambling;
        bool blocking, checksum;
    } cases[] = {
        {{""}, kPlain, "ferrule", "", "", kNoS, false, false},
        {{"c"}, kPlain, "ferrule", "/usr/bin/compress -f", "", kNoS, false, false},
        {{"cbv", "sumfile"}, kPlain, "ferrule", "/usr/bin/compress -f", "'ferrule' bv  'sumfile'",
         kNoS, false, false},
        {{"cs", "/keys/k"}, kPlain, "ferrule", "/usr/bin/compress -f", "'ferrule' s  '/keys/k'",
         kNoS, false, false},
        {{"x"}, kScrambled, "ferrule", "/usr/bin/zcat", "", kU, false, false},  // never moves
        {{"xV", "20"}, kCompressed, "ferrule", "/usr/bin/zcat", "'ferrule' V  20", kNoS, false, false},
        {{"s", "k"}, kPlain, "ferrule", "", "", kS, false, false},
        {{"bv", "sums"}, kPlain, "ferrule", "", "", kNoS, true, true},
        // Letters in the order b V v s; the dot size as a number.
        {{"svVcb", "key", "sums", "0005"}, kPlain, "/opt/bin/ferrule",
         "/usr/bin/compress -f", "'/opt/bin/ferrule' bVvs  5 'sums' 'key'", kNoS, false, false},
        // Scramble with decompress does not move behind zcat.
        {{"xs", "k"}, kCompressed, "ferrule", "/usr/bin/zcat", "", kS, false, false},
        // Compressed input: everything runs here.
        {{"cbv", "s"}, kCompressed, "ferrule", "", "", kNoS, true, true},
        // Words from the command line are quoted.
        {{"cvs", "a b;rm -rf x", "it's"}, kPlain, "/my dir/$(id)/ferrule",
         "/usr/bin/compress -f", "'/my dir/$(id)/ferrule' vs  'a b;rm -rf x' 'it'\\''s'", kNoS,
         false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0]);
        Modes m = modesOf(c.args);
        if (m.compression != Compression::None) m = adjustForInput(m, c.input);
        const Pipeline p = composePipeline(m, c.prog);
        EXPECT_EQ(p.first, c.first);
        EXPECT_EQ(p.second, c.second);
        EXPECT_EQ(p.local.compression, Compression::None);
        EXPECT_EQ(p.local.scrambling, c.scrambling);
        EXPECT_EQ(p.local.blocking, c.blocking);
        EXPECT_EQ(p.local.checksum, c.checksum);
        if (!c.first.empty()) {
            EXPECT_EQ(p.local.dotKb, 0);
        }
    }
    // No limit on the length of the command.
    const Pipeline p = composePipeline(modesOf({"cv", std::string(3000, 'n')}), std::string(2000, 'p'));
    EXPECT_EQ(p.second.size(), std::string("'' v  ''").size() + 5000);
}

TEST(Compose, ShellStatusOfBothStages) {
    // The shell text run with stand-in stages under /bin/sh: the second
    // stage's output reaches standard output, its failure wins, and
    // otherwise the first stage's status (a signal as 128 + its number).
    const struct {
        std::string first, second;
        int status;
    } cases[] = {
        {"printf ab", "tr ab xy", 0},
        {"printf ab; exit 3", "tr ab xy", 3},
        {"printf ab; kill -TERM $$", "tr ab xy", 128 + SIGTERM},
        {"printf ab; exit 3", "tr ab xy; exit 5", 5},
        {"printf ab", "tr ab xy; exit 5", 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first + " | " + c.second);
        const Pipeline p{"sh -c '" + c.first + "'", "sh -c '" + c.second + "'", Modes{}};
        tk::RunResult r = tk::run(tk::Spawn({"/bin/sh", "-c", shellCommand(p)}));
        ASSERT_TRUE(r.exited) << r.describe();
        EXPECT_EQ(r.code, c.status);
        EXPECT_EQ(r.out, "xy");
    }
    // A single stage runs as it is.
    EXPECT_EQ(shellCommand(Pipeline{"/usr/bin/zcat", "", Modes{}}), "/usr/bin/zcat");
    EXPECT_EQ(shellCommand(Pipeline{}), "");
}

// ---- the chain ----

TEST(BuildChain, OrderScrambleBlockDotSum) {
    // The zero fill is counted by the dots and the checksum, and both see
    // the scrambled bytes with the header.
    tk::TempRoot dir;
    Modes m = modesOf({"bVvs", "10", dir.file("sums"), dir.write("key", "K")});
    int fd = ::open(dir.file("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    StringMessages msg;
    FileKeySource keys(msg);
    FilterChain chain = buildChain(m, fd, false, msg, keys);
    EXPECT_EQ(chain.view().size(), 5u);
    Bytes data = "some data to scramble";
    ASSERT_TRUE(chain.view().pass(uc(data), data.size()).isOk());
    ASSERT_TRUE(chain.view().pass(uc(data), 0).isOk());
    ::close(fd);
    const Bytes written = dir.read("out");
    ASSERT_EQ(written.size(), 10240u);
    EXPECT_EQ(written.substr(0, 2), "\x1F\x08");
    EXPECT_EQ(msg.text(), ".");  // 10240 bytes with the fill: one dot per 10 KBytes
    EXPECT_EQ(dir.read("sums"), sumLineOf(written));
    // A plain copy is FilterEnd alone.
    EXPECT_EQ(buildChain(Modes{}, 1, false, msg, keys).view().size(), 1u);
}

// ---- exit status ----

int waitStatusOf(void (*child)()) {
    pid_t pid = ::fork();
    if (pid == 0) child();
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

TEST(ExitStatus, OfThePipesCloseAndAfterAFailure) {
    EXPECT_EQ(exitStatusOfWait(waitStatusOf([] { _exit(0); })), 0);
    EXPECT_EQ(exitStatusOfWait(waitStatusOf([] { _exit(3); })), 3);
    EXPECT_EQ(exitStatusOfWait(waitStatusOf([] { _exit(255); })), 255);
    EXPECT_EQ(exitStatusOfWait(waitStatusOf([] {
                  ::signal(SIGTERM, SIG_DFL);
                  ::kill(::getpid(), SIGTERM);
                  ::pause();
              })),
              128 + SIGTERM);
    EXPECT_EQ(exitStatusOfWait(-1), 255);
    // A failure is never success.
    EXPECT_EQ(finalStatus(false, 0), 0);
    EXPECT_EQ(finalStatus(true, 0), 1);
    EXPECT_EQ(finalStatus(false, 2), 2);
    EXPECT_EQ(finalStatus(true, 141), 141);
}

}  // namespace
