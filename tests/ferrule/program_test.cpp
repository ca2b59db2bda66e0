// The built ferrule with argv, standard input and environment, against the
// real /usr/bin/compress, /usr/bin/zcat, uncompress and sum -r: round trips,
// the pipelines of each mode, blocking, short reads, and every message and
// exit status of the failure tables, byte for byte.
#include "testSupport.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

using namespace ferrule_test;

namespace {

const std::string kUsage = "Usage: ferrule [x|c][b][V][v][s] [V_size] [v_fname] [s_fname]\n";

// Text that compresses, with some binary in it.
Bytes sampleData(std::size_t n, std::uint32_t seed) {
    Bytes out;
    out.reserve(n);
    Bytes noise = randomBytes(n / 8 + 1, seed);
    std::size_t k = 0;
    while (out.size() < n) {
        std::string line = "line " + std::to_string(out.size() % 977) + " of the archive stream\n";
        out.insert(out.end(), line.begin(), line.end());
        for (int i = 0; i < 8 && k < noise.size(); ++i) out.push_back(noise[k++]);
    }
    out.resize(n);
    return out;
}

Bytes compressReal(const Bytes& data) { return shellFilter("/usr/bin/compress -f", data); }
Bytes zcatReal(const Bytes& data) { return shellFilter("/usr/bin/zcat", data); }

std::string sumLineOf(const Bytes& data) {
    char line[16];
    std::snprintf(line, sizeof line, "%05u\n", realSum(data));
    return line;
}

void expectClean(const Outcome& o) {
    EXPECT_TRUE(o.exited());
    EXPECT_EQ(o.status(), 0);
    EXPECT_EQ(o.err, "");
}

// ---- round trips ----

TEST(Program, EmptyLettersCopy) {
    const Bytes data = randomBytes(123457, 1);
    Outcome o = runFerrule({""}, data);
    expectClean(o);
    EXPECT_EQ(o.out, data);
    o = runFerrule({""}, {});
    expectClean(o);
    EXPECT_TRUE(o.out.empty());
}

TEST(Program, CompressOutputDecompressesWithZcatAndUncompress) {
    const Bytes data = sampleData(300000, 2);
    Outcome o = runFerrule({"c"}, data);
    expectClean(o);
    EXPECT_EQ(o.out, compressReal(data));
    EXPECT_EQ(zcatReal(o.out), data);
    EXPECT_EQ(shellFilter("/usr/bin/uncompress", o.out), data);
}

TEST(Program, CompressOfEmptyInputRunsCompress) {
    Outcome o = runFerrule({"c"}, {});
    expectClean(o);
    EXPECT_EQ(o.out, compressReal({}));
    EXPECT_EQ(o.out.size(), 3u);  // the compress header alone
}

TEST(Program, DecompressRestoresWhatCompressWrote) {
    const Bytes data = sampleData(250000, 3);
    Outcome o = runFerrule({"x"}, compressReal(data));
    expectClean(o);
    EXPECT_EQ(o.out, data);
}

TEST(Program, CompressScrambleThenDecompressRestores) {
    TempDir dir;
    writeFile(dir.file("key"), randomBytes(700, 4));
    const Bytes data = sampleData(200000, 5);
    Outcome c = runFerrule({"cs", dir.file("key")}, data);
    expectClean(c);
    // The header names the key file; the scrambled compressed bytes follow.
    const std::string keyPath = dir.file("key");
    Bytes head{0x1F, 0x08};
    head.insert(head.end(), keyPath.begin(), keyPath.end());
    head.push_back(0);
    ASSERT_GT(c.out.size(), head.size());
    EXPECT_TRUE(std::equal(head.begin(), head.end(), c.out.begin()));
    Outcome x = runFerrule({"x"}, c.out);
    expectClean(x);
    EXPECT_EQ(x.out, data);
    // "xc": unscramble only, which gives back what compress wrote.
    Outcome xc = runFerrule({"xc"}, c.out);
    expectClean(xc);
    EXPECT_EQ(xc.out, compressReal(data));
}

TEST(Program, RelativeKeyPathIsReadBackFromTheHeader) {
    TempDir dir;
    writeFile(dir.file("key"), "relative key");
    const Bytes data = sampleData(50000, 6);
    RunSpec run;
    run.argv = {ferruleBin(), "cs", "key"};
    run.input = data;
    run.cwd = dir.path();
    Outcome c = runProgram(run);
    expectClean(c);
    run.argv = {ferruleBin(), "x"};
    run.input = c.out;
    Outcome x = runProgram(run);
    expectClean(x);
    EXPECT_EQ(x.out, data);
}

TEST(Program, ScrambleWithoutCompressThenDecompressFailsVisibly) {
    TempDir dir;
    writeFile(dir.file("key"), "k3y");
    const Bytes data = sampleData(40000, 7);
    Outcome s = runFerrule({"s", dir.file("key")}, data);
    expectClean(s);
    Outcome x = runFerrule({"x"}, s.out);
    // The unscrambled bytes are plain text: zcat refuses them with its own
    // message, and its failure is ferrule's.
    EXPECT_TRUE(x.exited());
    EXPECT_NE(x.status(), 0);
    EXPECT_EQ(x.status(), 1);  // zcat's own status
    EXPECT_NE(x.err.find("not in gzip format"), std::string::npos) << x.err;
    EXPECT_TRUE(x.out.empty());
}

TEST(Program, ScrambleAlwaysScramblesEvenAScrambledInput) {
    TempDir dir;
    writeFile(dir.file("key"), "K");
    Outcome once = runFerrule({"s", dir.file("key")}, toBytes("plain"));
    expectClean(once);
    Outcome twice = runFerrule({"s", dir.file("key")}, once.out);
    expectClean(twice);
    const std::size_t header = 2 + dir.file("key").size() + 1;
    EXPECT_EQ(twice.out.size(), once.out.size() + header);
}

TEST(Program, DecompressOnPlainDataCopies) {
    const Bytes data = sampleData(30000, 8);
    Outcome o = runFerrule({"x"}, data);
    expectClean(o);
    EXPECT_EQ(o.out, data);
}

TEST(Program, CompressOnCompressedOrScrambledInputCopies) {
    const Bytes z = compressReal(sampleData(30000, 9));
    Outcome o = runFerrule({"c"}, z);
    expectClean(o);
    EXPECT_EQ(o.out, z);
    // Short input starting like a scrambled stream counts as plain: compressed.
    Bytes shortS{0x1F, 0x08, 'a', 'b', 0};
    o = runFerrule({"c"}, shortS);
    expectClean(o);
    EXPECT_EQ(o.out, compressReal(shortS));
}

// ---- pipelines with a second ferrule ----

TEST(Program, CompressBlockChecksum) {
    TempDir dir;
    const Bytes data = sampleData(100000, 10);
    Outcome o = runFerrule({"cbv", dir.file("sumfile")}, data);
    expectClean(o);
    const Bytes z = compressReal(data);
    ASSERT_EQ(o.out.size() % 10240, 0u);
    ASSERT_GE(o.out.size(), z.size());
    EXPECT_LT(o.out.size() - z.size(), 10240u);
    EXPECT_TRUE(std::equal(z.begin(), z.end(), o.out.begin()));
    EXPECT_TRUE(std::all_of(o.out.begin() + static_cast<long>(z.size()), o.out.end(),
                            [](unsigned char b) { return b == 0; }));
    EXPECT_EQ(readText(dir.file("sumfile")), sumLineOf(o.out));
}

TEST(Program, DecompressWithDots) {
    const Bytes data = sampleData(20480 * 7 + 500, 11);
    Outcome o = runFerrule({"xV", "20"}, compressReal(data));
    EXPECT_TRUE(o.exited());
    EXPECT_EQ(o.status(), 0);
    EXPECT_EQ(o.out, data);
    EXPECT_EQ(o.err, ".......");
}

TEST(Program, DotEvery5120BytesForVSize5) {
    Outcome o = runFerrule({"V", "5"}, Bytes(5120 * 3 + 5119, 'd'));
    EXPECT_EQ(o.status(), 0);
    EXPECT_EQ(o.err, "...");
    EXPECT_EQ(o.out.size(), 5120u * 3 + 5119);
}

TEST(Program, ChecksumOverCompressedOrDecompressedBytes) {
    TempDir dir;
    const Bytes data = sampleData(60000, 12);
    Outcome cv = runFerrule({"cv", dir.file("c.sum")}, data);
    expectClean(cv);
    EXPECT_EQ(readText(dir.file("c.sum")), sumLineOf(cv.out));
    Outcome xv = runFerrule({"xv", dir.file("x.sum")}, cv.out);
    expectClean(xv);
    EXPECT_EQ(xv.out, data);
    EXPECT_EQ(readText(dir.file("x.sum")), sumLineOf(data));
}

// ---- blocking ----

TEST(Program, BlockingSizesAndOneChecksumLinePerRun) {
    TempDir dir;
    const std::string sums = dir.file("sums");
    std::string expectLines;
    const std::pair<std::size_t, std::size_t> cases[] = {
        {0, 0}, {1, 10240}, {10239, 10240}, {10240, 10240}, {10241, 20480}};
    for (auto [in, out] : cases) {
        const Bytes data = randomBytes(in, static_cast<std::uint32_t>(in) + 1);
        Outcome o = runFerrule({"bv", sums}, data);
        expectClean(o);
        ASSERT_EQ(o.out.size(), out) << in;
        EXPECT_TRUE(std::equal(data.begin(), data.end(), o.out.begin()));
        EXPECT_TRUE(std::all_of(o.out.begin() + static_cast<long>(in), o.out.end(),
                                [](unsigned char b) { return b == 0; }));
        expectLines += sumLineOf(o.out);
        EXPECT_EQ(readText(sums), expectLines) << in;
    }
}

// ---- reads that return fewer bytes than asked ----

TEST(Program, ShortReadsChangeNothing) {
    TempDir dir;
    writeFile(dir.file("key"), randomBytes(50, 13));
    const Bytes data = sampleData(60000, 14);
    const std::vector<std::vector<std::string>> modes = {
        {""}, {"bv", dir.file("sums")}, {"V", "1"}, {"s", dir.file("key")},
        {"c"}, {"cs", dir.file("key")}, {"cbv", dir.file("sums")}};
    for (const auto& args : modes) {
        Outcome fast = runFerrule(args, data, false);
        Outcome slow = runFerrule(args, data, true);
        EXPECT_EQ(fast.status(), 0) << args[0];
        EXPECT_EQ(slow.status(), 0) << args[0];
        EXPECT_EQ(slow.out, fast.out) << args[0];
        EXPECT_EQ(slow.err, fast.err) << args[0];
        if (args[0] == "c" || args[0] == "cs") {
            // The way back, with the read-ahead fed in small pieces.
            Outcome back = runFerrule({"x"}, fast.out, true);
            expectClean(back);
            EXPECT_EQ(back.out, data) << args[0];
        }
    }
    EXPECT_EQ(runFerrule({"V", "1"}, data, true).err, std::string(data.size() / 1024, '.'));
}

// ---- failure tables ----

TEST(Failures, UsageMessages) {
    const std::vector<std::vector<std::string>> bad = {
        {}, {"q"}, {"cq"}, {"v"}, {"Vv", "3"}, {"b", "extra"}, {"V", "0"},
        {"V", "abc"}, {"V", "-5"}, {"s"}};
    for (const auto& args : bad) {
        Outcome o = runFerrule(args, toBytes("input"));
        EXPECT_TRUE(o.exited());
        EXPECT_EQ(o.status(), 1);
        EXPECT_EQ(o.err, kUsage);
        EXPECT_TRUE(o.out.empty());
    }
}

TEST(Failures, KeyPathOf100CharactersOrMore) {
    Outcome o = runFerrule({"s", std::string(100, 'k')}, toBytes("input"));
    EXPECT_EQ(o.status(), 1);
    EXPECT_EQ(o.err, "s_fname too long\n");
    EXPECT_TRUE(o.out.empty());
    // 99 characters is a key path: it gets as far as looking for the file.
    o = runFerrule({"s", std::string(99, 'k')}, toBytes("input"));
    EXPECT_EQ(o.err, "Could not locate security key\nFailure detected\n");
}

TEST(Failures, MissingKeyFile) {
    Outcome o = runFerrule({"s", "/nonexistent/key"}, toBytes("input"));
    EXPECT_TRUE(o.exited());
    EXPECT_EQ(o.err, "Could not locate security key\nFailure detected\n");
    EXPECT_EQ(o.status(), 1);  // a failure is never reported as success
    EXPECT_TRUE(o.out.empty());
}

TEST(Failures, MissingKeyFileBehindTheCompressor) {
    // The second ferrule fails; the first reports its status.
    Outcome o = runFerrule({"cs", "/nonexistent/key"}, toBytes("input"));
    EXPECT_EQ(o.err, "Could not locate security key\nFailure detected\n");
    EXPECT_EQ(o.status(), 1);
}

TEST(Failures, MissingKeyFileWhenUnscrambling) {
    TempDir dir;
    writeFile(dir.file("key"), "k");
    Outcome c = runFerrule({"cs", dir.file("key")}, sampleData(5000, 15));
    ASSERT_EQ(c.status(), 0);
    std::filesystem::remove(dir.file("key"));
    Outcome x = runFerrule({"x"}, c.out);
    // ferrule's lines first; zcat then complains of its empty input.
    EXPECT_EQ(x.err.rfind("Could not locate security key\nFailure detected\n", 0), 0u) << x.err;
    EXPECT_NE(x.status(), 0);
    EXPECT_TRUE(x.out.empty());
}

TEST(Failures, EmptyKeyFile) {
    TempDir dir;
    writeFile(dir.file("key"), "");
    Outcome o = runFerrule({"s", dir.file("key")}, toBytes("input"));
    EXPECT_EQ(o.err, "Failure detected\n");
    EXPECT_EQ(o.status(), 1);
}

TEST(Failures, KeyFileReadError) {
    TempDir dir;
    Outcome o = runFerrule({"s", dir.path()}, toBytes("input"));  // a folder
    EXPECT_EQ(o.err, "read: Is a directory\nFailure detected\n");
    EXPECT_EQ(o.status(), 1);
}

TEST(Failures, HeaderWithoutNulIsRefused) {
    Bytes stream{0x1F, 0x08};
    stream.insert(stream.end(), 5000, 'A');
    Outcome o = runFerrule({"x"}, stream);
    EXPECT_EQ(o.err.rfind("Failure detected\n", 0), 0u) << o.err;
    EXPECT_NE(o.status(), 0);
    EXPECT_TRUE(o.out.empty());
    // Copying it is another matter: without x it is just data.
    Outcome copy = runFerrule({""}, stream);
    expectClean(copy);
    EXPECT_EQ(copy.out, stream);
}

TEST(Failures, ChecksumFileCannotBeOpened) {
    Outcome o = runFerrule({"v", "/nonexistent/dir/sums"}, toBytes("some input"));
    EXPECT_TRUE(o.exited());
    EXPECT_EQ(o.status(), 255);
    EXPECT_EQ(o.err, "/nonexistent/dir/sums: No such file or directory\n");
    EXPECT_EQ(toString(o.out), "some input");
}

TEST(Failures, ChecksumFileCannotBeOpenedBehindTheCompressor) {
    Outcome o = runFerrule({"cbv", "/nonexistent/dir/sums"}, sampleData(20000, 16));
    EXPECT_EQ(o.status(), 255);  // the second ferrule's status
    EXPECT_EQ(o.err, "/nonexistent/dir/sums: No such file or directory\n");
}

TEST(Failures, ReadErrorWhileReadingAhead) {
    RunSpec run;
    run.argv = {ferruleBin(), "c"};
    run.inputFile = "/";  // reading a folder fails
    Outcome o = runProgram(run);
    EXPECT_EQ(o.status(), 255);
    EXPECT_EQ(o.err, "read: Is a directory\n");
    EXPECT_TRUE(o.out.empty());
}

TEST(Failures, ReadErrorLater) {
    RunSpec run;
    run.argv = {ferruleBin(), "b"};
    run.inputFile = "/";
    Outcome o = runProgram(run);
    EXPECT_EQ(o.err, "read: Is a directory\nFailure detected\n");
    EXPECT_EQ(o.status(), 1);
}

TEST(Failures, WriteError) {
    RunSpec run;
    run.argv = {ferruleBin(), ""};
    run.input = toBytes("data");
    run.stdoutFile = "/dev/full";
    Outcome o = runProgram(run);
    EXPECT_EQ(o.err, "Failure detected\n");
    EXPECT_EQ(o.status(), 1);
}

TEST(Failures, BrokenPipeToTheCommand) {
    // compress dies writing to a pipe nobody reads; ferrule's next write to
    // compress meets the broken pipe: the system message and status 1.
    RunSpec run;
    run.argv = {ferruleBin(), "c"};
    run.input = randomBytes(8 << 20, 17);
    run.closedStdout = true;
    run.env = {"LC_ALL=C"};
    Outcome o = runProgram(run);
    EXPECT_TRUE(o.exited());
    EXPECT_EQ(o.status(), 1);
    EXPECT_EQ(o.err, "Broken pipe\n");
}

TEST(Failures, CommandKilledByASignalIsNotSuccess) {
    // All input fits the pipe; then compress, or the second ferrule, dies of
    // SIGPIPE on the unread output: the status says so (128 + 13).
    for (std::vector<std::string> args : {std::vector<std::string>{"c"}, {"cb"}}) {
        RunSpec run;
        run.argv = {ferruleBin()};
        run.argv.insert(run.argv.end(), args.begin(), args.end());
        run.input = sampleData(2000, 18);
        run.closedStdout = true;
        Outcome o = runProgram(run);
        EXPECT_TRUE(o.exited()) << args[0];
        EXPECT_EQ(o.status(), 128 + SIGPIPE) << args[0];
        EXPECT_EQ(o.err, "") << args[0];
    }
}

TEST(Failures, BrokenPipeOnStandardOutputWithoutCommand) {
    // No command: the default action of SIGPIPE, as for any filter.
    RunSpec run;
    run.argv = {ferruleBin(), ""};
    run.input = randomBytes(1 << 20, 19);
    run.closedStdout = true;
    Outcome o = runProgram(run);
    EXPECT_EQ(o.signal(), SIGPIPE);
    EXPECT_EQ(o.err, "");
}

// ---- names that must not act as shell syntax ----

TEST(Quoting, FileNamesWithShellSyntax) {
    // Relative names, run from the folder: were they shell syntax, "pwned"
    // would appear there.
    TempDir dir;
    const std::string sums = "it's a sum; touch pwned $(touch pwned) `touch pwned`";
    const std::string key = "k'ey;touch pwned";
    writeFile(dir.file(key), "quoted key");
    const Bytes data = sampleData(30000, 20);
    RunSpec run;
    run.argv = {ferruleBin(), "cbvs", sums, key};
    run.input = data;
    run.cwd = dir.path();
    Outcome c = runProgram(run);
    expectClean(c);
    EXPECT_FALSE(exists(dir.file("pwned")));
    EXPECT_EQ(readText(dir.file(sums)), sumLineOf(c.out));
    // The key path with its quote goes into the header and back.
    run.argv = {ferruleBin(), "cs", key};
    Outcome cs = runProgram(run);
    expectClean(cs);
    run.argv = {ferruleBin(), "x"};
    run.input = cs.out;
    Outcome x = runProgram(run);
    expectClean(x);
    EXPECT_EQ(x.out, data);
    EXPECT_FALSE(exists(dir.file("pwned")));
}

TEST(Quoting, ProgramPathWithShellSyntax) {
    // ferrule re-invokes itself by argv[0] behind the compressor: a path with
    // a blank, a quote and a $ still names the program.
    TempDir dir;
    const std::string odd = dir.file("bin dir's $HOME");
    std::filesystem::create_directory(odd);
    const std::string prog = odd + "/ferrule";
    std::filesystem::create_symlink(ferruleBin(), prog);
    RunSpec run;
    run.argv = {prog, "cbv", dir.file("sums")};
    run.input = sampleData(15000, 21);
    Outcome o = runProgram(run);
    expectClean(o);
    EXPECT_EQ(o.out.size() % 10240, 0u);
    EXPECT_EQ(readText(dir.file("sums")), sumLineOf(o.out));
}

TEST(Quoting, ProgramFoundThroughPath) {
    TempDir dir;
    const std::string bin = std::filesystem::path(ferruleBin()).parent_path().string();
    RunSpec run;
    run.argv = {"ferrule", "cbv", dir.file("sums")};
    run.exe = ferruleBin();
    run.input = sampleData(15000, 22);
    run.env = {"PATH=" + bin + ":/usr/bin:/bin"};
    Outcome o = runProgram(run);
    expectClean(o);
    EXPECT_EQ(readText(dir.file("sums")), sumLineOf(o.out));
}

TEST(Quoting, NoLimitOnTheComposedCommand) {
    // Names well beyond the 247 characters of the original command buffer.
    TempDir dir;
    std::string deep = dir.path();
    for (int i = 0; i < 6; ++i) {
        deep += "/" + std::string(60, static_cast<char>('a' + i));
        std::filesystem::create_directory(deep);
    }
    const std::string sums = deep + "/sums";
    ASSERT_GT(sums.size(), 300u);
    Outcome o = runFerrule({"cbv", sums}, sampleData(5000, 23));
    expectClean(o);
    EXPECT_EQ(readText(sums), sumLineOf(o.out));
}

}  // namespace
