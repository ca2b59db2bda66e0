// The file layer: expansion of "$VAR" and "~user", and the open rules that
// keep a root process safe.  The failure messages are the program test's.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "TempRoot.h"
#include "core/fileUtils.h"

using namespace trev;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
namespace fs = std::filesystem;

TEST(Expand, ALeadingVariableOrUserElseUntouched) {
    setenv("MP_TEST_LONG", std::string(500, 'd').c_str(), 1);
    unsetenv("MP_TEST_UNSET");
    const std::string root = getpwnam("root")->pw_dir;
    using X = int (*)(const char*, std::string&);
    const std::tuple<X, std::string, int, std::string, std::string> cases[] = {
        {expandEnv, "$MP_TEST_UNSET/rest", -1, "untouched", "Cannot get the $MP_TEST_UNSET enviroment variable. \n"},
        {expandEnv, "$MP_TEST_LONG/0123456789", 0, std::string(500, 'd') + "/0123456789", ""},   // 511
        {expandEnv, "$MP_TEST_LONG/01234567890", -1, "untouched",
         "Path $MP_TEST_LONG/01234567890 is too long after expansion (more than 511 characters).\n"},
        {expandTilde, "~root/install/wo", 0, root + "/install/wo", ""},
        {expandTilde, "~no_such_user_trev/x", -1, "untouched", "Cannot get home directory of user 'no_such_user_trev'\n"},
        {expandTilde, "/no/~tilde", 0, "untouched", ""}};
    for (const auto& [expand, path, rc, want, err] : cases) {
        std::string out = "untouched";
        CaptureStderr();
        EXPECT_EQ(expand(path.c_str(), out), rc) << path;
        EXPECT_EQ(GetCapturedStderr(), err) << path;
        EXPECT_EQ(out, want) << path;
    }
}

// The caller's home: $HOME (seen in the search path tests), else csh's
// $home, else the password entry; looked up once per process, so in a
// child process of its own.
TEST(Expand, TheCallersHomeIsLookedUpOncePerProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            unsetenv("HOME");
            setenv("home", "/csh/home", 1);
            std::string first;
            std::string second;
            expandTilde("~/y", first);
            setenv("HOME", "/elsewhere", 1);
            expandTilde("~", second);
            std::exit(first == "/csh/home/y" && second == "/csh/home" ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

// Links are followed for reading only, only regular files are read, and
// nothing blocks.
TEST(OpenFile, LinksFifosAndDirectories) {
    tk::TempRoot dir;
    const std::string d = dir.mkdir("drop");
    fs::create_symlink(dir.write("target", "precious"), d + "/link");
    fs::create_symlink(d + "/nowhere", d + "/dangling");
    ASSERT_EQ(mkfifo((d + "/fifo").c_str(), 0600), 0);
    dir.write("drop/old", "old", 0600);
    using F = OpenFailure;
    const std::tuple<const char*, const char*, F, int> cases[] = {
        {"link", "r", F::Ok, 0}, {"link", "r+", F::SymbolicLink, ELOOP}, {"dangling", "w", F::SymbolicLink, ELOOP},
        {"dangling", "wx", F::System, EEXIST}, {"fifo", "r+", F::NotRegular, EINVAL},
        {"fifo", "w", F::System, ENXIO},   // no reader: no wait
        {".", "r", F::NotRegular, EISDIR}, {"missing", "r+", F::System, ENOENT}, {"new", "wx", F::Ok, 0},
        {"new", "wx", F::System, EEXIST}, {"old", "w", F::Ok, 0}};
    for (const auto& [name, mode, failure, error] : cases) {
        const Opened o = openChecked((d + "/" + name).c_str(), mode);
        EXPECT_EQ(std::make_tuple(o.failure, o.error, static_cast<bool>(o.file)), std::make_tuple(failure, error, failure == F::Ok))
            << name << " " << mode;
        EXPECT_EQ(o.file ? fcntl(fileno(o.file.get()), F_GETFL) & O_NONBLOCK : 0, 0) << name << " " << mode;
    }
    EXPECT_EQ(fs::status(d + "/old").permissions(), fs::perms(0600));   // an existing file keeps its mode
    EXPECT_FALSE(fs::exists(d + "/nowhere") || fs::exists(d + "/missing"));
}
