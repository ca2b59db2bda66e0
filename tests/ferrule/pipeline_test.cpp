// ferrule's program logic: command line, detection, the composed command,
// the chain, the exit status.
#include "ferruleExit.h"
#include "filters.h"
#include "pipeline.h"
#include "testSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ferrule;
using namespace ferrule_test;

namespace {

ParseResult parse(std::vector<std::string> args) {
    std::vector<const char*> argv{"ferrule"};
    for (auto& a : args) argv.push_back(a.c_str());
    return parseCommandLine(static_cast<int>(argv.size()), argv.data());
}

bool isUsage(std::vector<std::string> args) { return parse(std::move(args)).status == ParseStatus::Usage; }

// ---- command line ----

TEST(CommandLine, UsageText) {
    EXPECT_STREQ(kUsageMessage, "Usage: ferrule [x|c][b][V][v][s] [V_size] [v_fname] [s_fname]\n");
    EXPECT_STREQ(kSFileTooLongMessage, "s_fname too long\n");
    EXPECT_STREQ(kFailureMessage, "Failure detected\n");
}

TEST(CommandLine, EmptyLettersCopy) {
    ParseResult r = parse({""});
    ASSERT_EQ(r.status, ParseStatus::Ok);
    EXPECT_EQ(r.modes.compression, Compression::None);
    EXPECT_EQ(r.modes.scrambling, Scrambling::None);
    EXPECT_FALSE(r.modes.blocking);
    EXPECT_FALSE(r.modes.checksum);
    EXPECT_EQ(r.modes.dotKb, 0);
}

TEST(CommandLine, EachLetter) {
    ParseResult x = parse({"x"});
    EXPECT_EQ(x.modes.compression, Compression::Decompress);
    EXPECT_EQ(x.modes.scrambling, Scrambling::Unscramble);
    EXPECT_EQ(parse({"c"}).modes.compression, Compression::Compress);
    EXPECT_TRUE(parse({"b"}).modes.blocking);
    EXPECT_EQ(parse({"V", "20"}).modes.dotKb, 20);
    ParseResult v = parse({"v", "sums"});
    EXPECT_TRUE(v.modes.checksum);
    EXPECT_EQ(v.modes.vFile, "sums");
    ParseResult s = parse({"s", "key"});
    EXPECT_EQ(s.modes.scrambling, Scrambling::Scramble);
    EXPECT_EQ(s.modes.sFile, "key");
}

TEST(CommandLine, ValuesTakenInTheOrderOfTheLetters) {
    ParseResult a = parse({"Vvs", "5", "sums", "key"});
    ASSERT_EQ(a.status, ParseStatus::Ok);
    EXPECT_EQ(a.modes.dotKb, 5);
    EXPECT_EQ(a.modes.vFile, "sums");
    EXPECT_EQ(a.modes.sFile, "key");
    ParseResult b = parse({"svbV", "key", "sums", "7"});
    ASSERT_EQ(b.status, ParseStatus::Ok);
    EXPECT_EQ(b.modes.sFile, "key");
    EXPECT_EQ(b.modes.vFile, "sums");
    EXPECT_EQ(b.modes.dotKb, 7);
}

TEST(CommandLine, LaterLettersOverride) {
    ParseResult r = parse({"vv", "first", "second"});
    ASSERT_EQ(r.status, ParseStatus::Ok);
    EXPECT_EQ(r.modes.vFile, "second");
    ParseResult xc = parse({"xc"});  // compress, still unscramble
    EXPECT_EQ(xc.modes.compression, Compression::Compress);
    EXPECT_EQ(xc.modes.scrambling, Scrambling::Unscramble);
    ParseResult xs = parse({"xs", "k"});
    EXPECT_EQ(xs.modes.compression, Compression::Decompress);
    EXPECT_EQ(xs.modes.scrambling, Scrambling::Scramble);
    EXPECT_EQ(parse({"sx", "k"}).modes.scrambling, Scrambling::Unscramble);
}

TEST(CommandLine, VSizeLikeAtoi) {
    EXPECT_EQ(parse({"V", "20abc"}).modes.dotKb, 20);
    EXPECT_EQ(parse({"V", " 7"}).modes.dotKb, 7);
    EXPECT_EQ(parse({"V", "+3"}).modes.dotKb, 3);
    EXPECT_EQ(parse({"V", "2147483647"}).modes.dotKb, 2147483647);
}

TEST(CommandLine, UsageErrors) {
    EXPECT_EQ(parseCommandLine(1, std::vector<const char*>{"ferrule"}.data()).status, ParseStatus::Usage);
    EXPECT_EQ(parseCommandLine(0, std::vector<const char*>{nullptr}.data()).status, ParseStatus::Usage);
    EXPECT_TRUE(isUsage({"q"}));
    EXPECT_TRUE(isUsage({"cq"}));
    EXPECT_TRUE(isUsage({"v"}));          // missing value
    EXPECT_TRUE(isUsage({"Vv", "3"}));    // missing second value
    EXPECT_TRUE(isUsage({"b", "extra"}));  // argument left over
    EXPECT_TRUE(isUsage({"", "extra"}));
    EXPECT_TRUE(isUsage({"V", "0"}));
    EXPECT_TRUE(isUsage({"V", "abc"}));
    EXPECT_TRUE(isUsage({"V", ""}));
    EXPECT_TRUE(isUsage({"V", "-5"}));           // negative: refused (mend)
    EXPECT_TRUE(isUsage({"V", "99999999999"}));  // beyond an int
    EXPECT_TRUE(isUsage({"-c"}));
}

TEST(CommandLine, KeyPathUnder100Characters) {
    EXPECT_EQ(parse({"s", std::string(99, 'k')}).status, ParseStatus::Ok);
    EXPECT_EQ(parse({"s", std::string(100, 'k')}).status, ParseStatus::SFileTooLong);
    EXPECT_EQ(parse({"cs", std::string(500, 'k')}).status, ParseStatus::SFileTooLong);
    // Letters are read in order: a bad letter before the value wins, after it not.
    EXPECT_EQ(parse({"qs", std::string(100, 'k')}).status, ParseStatus::Usage);
    EXPECT_EQ(parse({"sq", std::string(100, 'k')}).status, ParseStatus::SFileTooLong);
}

// ---- detection ----

Bytes startingWith(unsigned char a, unsigned char b, std::size_t n) {
    Bytes v(n, 'x');
    if (n > 0) v[0] = a;
    if (n > 1) v[1] = b;
    return v;
}

TEST(Identify, ByTheFirstBytes) {
    Bytes s102 = startingWith(0x1F, 0x08, 102);
    Identity id = identify(s102.data(), s102.size());
    EXPECT_TRUE(id.scrambled);
    EXPECT_TRUE(id.compressed);
    Bytes s101 = startingWith(0x1F, 0x08, 101);  // too short for a header
    id = identify(s101.data(), s101.size());
    EXPECT_FALSE(id.scrambled);
    EXPECT_FALSE(id.compressed);
    Bytes z2 = startingWith(0x1F, 0x9D, 2);
    id = identify(z2.data(), z2.size());
    EXPECT_FALSE(id.scrambled);
    EXPECT_TRUE(id.compressed);
    id = identify(z2.data(), 1);
    EXPECT_FALSE(id.compressed);
    id = identify(z2.data(), 0);
    EXPECT_FALSE(id.scrambled || id.compressed);
    Bytes plain = toBytes("plain text, long enough ...........................................................................................");
    id = identify(plain.data(), plain.size());
    EXPECT_FALSE(id.scrambled || id.compressed);
}

Modes modesOf(std::vector<std::string> args) { return parse(std::move(args)).modes; }

TEST(Detect, Adjustments) {
    const Identity plain{false, false}, compressed{false, true}, scrambled{true, true};
    // x on scrambled input: unscramble, then zcat.
    Modes m = adjustForInput(modesOf({"x"}), scrambled);
    EXPECT_EQ(m.scrambling, Scrambling::Unscramble);
    EXPECT_EQ(m.compression, Compression::Decompress);
    // x on compressed input: zcat only.
    m = adjustForInput(modesOf({"x"}), compressed);
    EXPECT_EQ(m.scrambling, Scrambling::None);
    EXPECT_EQ(m.compression, Compression::Decompress);
    // x on plain data: everything off.
    m = adjustForInput(modesOf({"x"}), plain);
    EXPECT_EQ(m.scrambling, Scrambling::None);
    EXPECT_EQ(m.compression, Compression::None);
    // c on compressed or scrambled input: copied.
    EXPECT_EQ(adjustForInput(modesOf({"c"}), compressed).compression, Compression::None);
    EXPECT_EQ(adjustForInput(modesOf({"c"}), scrambled).compression, Compression::None);
    EXPECT_EQ(adjustForInput(modesOf({"c"}), plain).compression, Compression::Compress);
    // cs on scrambled input: neither.
    m = adjustForInput(modesOf({"cs", "k"}), scrambled);
    EXPECT_EQ(m.scrambling, Scrambling::None);
    EXPECT_EQ(m.compression, Compression::None);
    // xc on scrambled input: unscramble only.
    m = adjustForInput(modesOf({"xc"}), scrambled);
    EXPECT_EQ(m.scrambling, Scrambling::Unscramble);
    EXPECT_EQ(m.compression, Compression::None);
}

// ---- the composed command, mode by mode ----

Pipeline compose(std::vector<std::string> args, Identity id, const std::string& prog = "ferrule") {
    Modes m = modesOf(std::move(args));
    if (m.compression != Compression::None) m = adjustForInput(m, id);
    return composePipeline(m, prog);
}

const Identity kPlain{false, false}, kCompressed{false, true}, kScrambled{true, true};

TEST(Compose, CommandForEachMode) {
    Pipeline p = compose({""}, kPlain);
    EXPECT_EQ(p.command, "");

    p = compose({"c"}, kPlain);
    EXPECT_EQ(p.command, "/usr/bin/compress -f");
    EXPECT_EQ(p.local.compression, Compression::None);

    p = compose({"cbv", "sumfile"}, kPlain);
    EXPECT_EQ(p.command, "/usr/bin/compress -f | 'ferrule' bv  'sumfile'");
    EXPECT_FALSE(p.local.blocking);
    EXPECT_FALSE(p.local.checksum);

    p = compose({"cs", "/keys/k"}, kPlain);
    EXPECT_EQ(p.command, "/usr/bin/compress -f | 'ferrule' s  '/keys/k'");
    EXPECT_EQ(p.local.scrambling, Scrambling::None);

    p = compose({"x"}, kScrambled);
    EXPECT_EQ(p.command, "/usr/bin/zcat");
    EXPECT_EQ(p.local.scrambling, Scrambling::Unscramble);  // never moves

    p = compose({"xV", "20"}, kCompressed);
    EXPECT_EQ(p.command, "/usr/bin/zcat | 'ferrule' V  20");
    EXPECT_EQ(p.local.dotKb, 0);

    p = compose({"s", "k"}, kPlain);
    EXPECT_EQ(p.command, "");
    EXPECT_EQ(p.local.scrambling, Scrambling::Scramble);

    p = compose({"bv", "sums"}, kPlain);
    EXPECT_EQ(p.command, "");
    EXPECT_TRUE(p.local.blocking);
    EXPECT_TRUE(p.local.checksum);
}

TEST(Compose, LettersInTheOrderBVvs) {
    Pipeline p = compose({"svVcb", "key", "sums", "0005"}, kPlain, "/opt/bin/ferrule");
    EXPECT_EQ(p.command, "/usr/bin/compress -f | '/opt/bin/ferrule' bVvs  5 'sums' 'key'");
    EXPECT_EQ(p.local.scrambling, Scrambling::None);
    EXPECT_FALSE(p.local.blocking);
    EXPECT_EQ(p.local.dotKb, 0);
}

TEST(Compose, ScrambleWithDecompressStaysHere) {
    // x then s: scramble with decompress does not move behind zcat.
    Pipeline p = compose({"xs", "k"}, kCompressed);
    EXPECT_EQ(p.command, "/usr/bin/zcat");
    EXPECT_EQ(p.local.scrambling, Scrambling::Scramble);
}

TEST(Compose, CompressedInputRunsEverythingHere) {
    Pipeline p = compose({"cbv", "s"}, kCompressed);
    EXPECT_EQ(p.command, "");
    EXPECT_TRUE(p.local.blocking);
    EXPECT_TRUE(p.local.checksum);
}

TEST(Compose, WordsFromTheCommandLineAreQuoted) {
    Pipeline p = compose({"cvs", "a b;rm -rf x", "it's"}, kPlain, "/my dir/$(id)/ferrule");
    EXPECT_EQ(p.command,
              "/usr/bin/compress -f | '/my dir/$(id)/ferrule' vs  'a b;rm -rf x' 'it'\\''s'");
}

TEST(Compose, NoLimitOnTheCommandLength) {
    const std::string longName(3000, 'n');
    Pipeline p = compose({"cv", longName}, kPlain, std::string(2000, 'p'));
    EXPECT_EQ(p.command.size(), std::string("/usr/bin/compress -f | ''").size() + 2000 +
                                    std::string(" v  ''").size() + 3000);
}

// ---- the chain ----

TEST(BuildChain, OrderScrambleBlockDotSum) {
    // The zero fill is counted by the dots and the checksum, and
    // both see the scrambled bytes with the header.
    TempDir dir;
    writeFile(dir.file("key"), "K");
    Modes m = modesOf({"bVvs", "10", dir.file("sums"), dir.file("key")});
    const std::string out = dir.file("out");
    int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    StringMessages msg;
    FileKeySource keys(msg);
    FilterChain chain = buildChain(m, fd, false, msg, keys);
    EXPECT_EQ(chain.view().size(), 5u);
    Bytes data = toBytes("some data to scramble");
    ASSERT_TRUE(chain.view().pass(data.data(), data.size()).isOk());
    ASSERT_TRUE(chain.view().pass(data.data(), 0).isOk());
    ::close(fd);
    const Bytes written = readFile(out);
    ASSERT_EQ(written.size(), 10240u);
    EXPECT_EQ(written[0], 0x1F);
    EXPECT_EQ(written[1], 0x08);
    EXPECT_EQ(msg.text(), ".");  // 10240 bytes with the fill: one dot per 10 KBytes
    EXPECT_EQ(readText(dir.file("sums")), checksumLine(static_cast<std::uint16_t>(realSum(written))));
}

TEST(BuildChain, PlainCopyIsFilterEndAlone) {
    StringMessages msg;
    FileKeySource keys(msg);
    FilterChain chain = buildChain(Modes{}, 1, false, msg, keys);
    EXPECT_EQ(chain.view().size(), 1u);
}

// ---- exit status ----

int waitStatusOf(void (*child)()) {
    pid_t pid = ::fork();
    if (pid == 0) child();
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

TEST(ExitStatus, OfThePipesClose) {
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
}

TEST(ExitStatus, AFailureIsNeverSuccess) {
    EXPECT_EQ(finalStatus(false, 0), 0);
    EXPECT_EQ(finalStatus(true, 0), 1);
    EXPECT_EQ(finalStatus(false, 2), 2);
    EXPECT_EQ(finalStatus(true, 141), 141);
    EXPECT_EQ(kExitUsage, 1);
    EXPECT_EQ(kExitReadAhead, 255);
    EXPECT_EQ(kExitSumFile, 255);
    EXPECT_EQ(kExitNoMemory, 1);
    EXPECT_EQ(kExitBrokenPipe, 1);
}

}  // namespace
