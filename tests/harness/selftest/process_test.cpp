// The process runner: argv, environment, stdin, output capture, statuses and
// deadlines.
#include "Process.h"
#include "TempRoot.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

namespace {

TEST(Process, CapturesOutputsAndExitCode) {
    tk::Spawn s;
    s.argv = {"/bin/sh", "-c", "printf 'out\\n'; printf 'err' >&2; exit 3"};
    auto r = tk::run(s);
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.out, "out\n");
    EXPECT_EQ(r.err, "err");
}

TEST(Process, FeedsStdinAndClosesIt) {
    tk::Spawn s;
    s.argv = {"/bin/cat"};
    s.stdinData = std::string("a\0b\n", 4);
    auto r = tk::run(s);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, std::string("a\0b\n", 4));
}

TEST(Process, StdinIsEmptyByDefault) {
    auto r = tk::run({{"/bin/sh", "-c", "wc -c"}});
    EXPECT_EQ(r.out.find_first_not_of(" "), r.out.find('0'));
}

TEST(Process, EnvironmentOverridesAndUnsets) {
    setenv("TK_INHERITED", "yes", 1);
    setenv("TK_GONE", "still", 1);
    tk::Spawn s;
    s.argv = {"/bin/sh", "-c", "printf '%s|%s|%s' \"$TK_INHERITED\" \"${TK_GONE-unset}\" \"$TK_NEW\""};
    s.env["TK_NEW"] = "new value";
    s.unset = {"TK_GONE"};
    auto r = tk::run(s);
    EXPECT_EQ(r.out, "yes|unset|new value");
}

TEST(Process, ReportsSignalsAndDeadlines) {
    auto killed = tk::run({{"/bin/sh", "-c", "kill -TERM $$"}});
    EXPECT_TRUE(killed.signaled);
    EXPECT_EQ(killed.signal, SIGTERM);

    auto slow = tk::run({{"/bin/sleep", "30"}}, std::chrono::milliseconds(200));
    EXPECT_TRUE(slow.timedOut);
    EXPECT_FALSE(slow.exited);
}

TEST(Process, DoesNotHangOnABackgroundGrandchild) {
    // The child exits at once but leaves a sleeper holding stdout.
    auto start = std::chrono::steady_clock::now();
    auto r = tk::run({{"/bin/sh", "-c", "sleep 60 & echo done"}});
    EXPECT_EQ(r.out, "done\n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST(Process, WorkingDirectory) {
    tk::TempRoot root;
    tk::Spawn s;
    s.argv = {"/bin/pwd"};
    s.cwd = root.path();
    EXPECT_EQ(tk::run(s).out, root.path() + "\n");
}

TEST(TempRoot, HasInstallTmpAndCleansUp) {
    std::string path;
    {
        tk::TempRoot root;
        path = root.path();
        EXPECT_TRUE(tk::fileExists(root.file("install/tmp")));
        root.write("install/pdts/a.ok", "x\n");
        EXPECT_EQ(root.read("install/pdts/a.ok"), "x\n");
    }
    EXPECT_FALSE(tk::fileExists(path));
}

}  // namespace
