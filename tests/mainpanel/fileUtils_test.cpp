// openFile, expandEnv, expandTilde and systemError: expansion, the regular
// file check, and the messages in the program's one style.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "TempRoot.h"
#include "core/fileUtils.h"

using namespace trev;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
namespace fs = std::filesystem;

namespace {

using TempDir = tk::TempRoot;

// Runs `body` in a fresh process, so that the caller's home directory, which
// is looked up once per process, comes from the environment `body` sets.
#define IN_FRESH_PROCESS(body)                                              \
    do {                                                                    \
        GTEST_FLAG_SET(death_test_style, "threadsafe");                     \
        EXPECT_EXIT({ body; std::exit(testing::Test::HasFailure() ? 1 : 0); }, \
                    testing::ExitedWithCode(0), "");                        \
    } while (0)

}  // namespace

TEST(SystemError, PrintsTheReasonOnlyForAKnownErrno) {
    CaptureStderr();
    errno = ENOENT;
    systemError(false);
    errno = 0;
    systemError(false);
    errno = 99999;
    systemError(false);
    EXPECT_EQ(GetCapturedStderr(), "(No such file or directory)\n");
    EXPECT_EXIT({ errno = EACCES; systemError(true); }, testing::ExitedWithCode(1),
                "^\\(Permission denied\\)\n$");
    EXPECT_EXIT({ errno = 0; systemError(true); }, testing::ExitedWithCode(1), "^$");
}

TEST(ExpandEnv, ReplacesTheLeadingVariableAndKeepsTheRest) {
    setenv("MP_TEST_DIR", "/opt/trev", 1);
    std::string out = "untouched";
    EXPECT_EQ(expandEnv("$MP_TEST_DIR/lib/x", out), 0);
    EXPECT_EQ(out, "/opt/trev/lib/x");
    EXPECT_EQ(expandEnv("$MP_TEST_DIR", out), 0);
    EXPECT_EQ(out, "/opt/trev");
    out = "untouched";
    EXPECT_EQ(expandEnv("/plain/path", out), 0);
    EXPECT_EQ(out, "untouched");
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(expandEnv("$HOME/a/b", out), 0);
    EXPECT_EQ(out, std::string(home) + "/a/b");
}

TEST(ExpandEnv, RefusesAnUnsetVariableAndATooLongResult) {
    unsetenv("MP_TEST_UNSET");
    std::string out = "untouched";
    CaptureStderr();
    EXPECT_EQ(expandEnv("$MP_TEST_UNSET/rest/of/path", out), -1);
    EXPECT_EQ(GetCapturedStderr(), "Cannot get the $MP_TEST_UNSET enviroment variable. \n");
    EXPECT_EQ(out, "untouched");

    setenv("MP_TEST_LONG", std::string(500, 'd').c_str(), 1);
    EXPECT_EQ(expandEnv("$MP_TEST_LONG/0123456789", out), 0);   // 511 characters
    EXPECT_EQ(out.size(), 511u);
    CaptureStderr();
    EXPECT_EQ(expandEnv("$MP_TEST_LONG/01234567890", out), -1);
    EXPECT_NE(GetCapturedStderr().find("too long"), std::string::npos);
    EXPECT_EQ(out.size(), 511u);
}

TEST(ExpandTilde, UsesTheCallersHomeForAnEmptyUserPart) {
    IN_FRESH_PROCESS({
        setenv("HOME", "/home/tester", 1);
        std::string out;
        EXPECT_EQ(expandTilde("~", out), 0);
        EXPECT_EQ(out, "/home/tester");
        EXPECT_EQ(expandTilde("~/notes/wo.txt", out), 0);
        EXPECT_EQ(out, "/home/tester/notes/wo.txt");
        // Found once per process: a later change of HOME is not seen.
        setenv("HOME", "/elsewhere", 1);
        EXPECT_EQ(expandTilde("~/x", out), 0);
        EXPECT_EQ(out, "/home/tester/x");
    });
}

TEST(ExpandTilde, ARootHomeAddsNoSecondSlash) {
    IN_FRESH_PROCESS({
        setenv("HOME", "/", 1);
        std::string out;
        EXPECT_EQ(expandTilde("~/x", out), 0);
        EXPECT_EQ(out, "/x");
        EXPECT_EQ(expandTilde("~", out), 0);
        EXPECT_EQ(out, "/");
    });
}

TEST(ExpandTilde, CallersHomeFallsBackToLowerCaseHomeThenThePasswordEntry) {
    IN_FRESH_PROCESS({
        unsetenv("HOME");
        setenv("home", "/csh/home", 1);
        EXPECT_EQ(lookupCallerHome(), "/csh/home");
        unsetenv("home");
        const passwd* pw = getpwuid(geteuid());
        ASSERT_NE(pw, nullptr);
        EXPECT_EQ(lookupCallerHome(), pw->pw_dir);
        std::string out;
        EXPECT_EQ(expandTilde("~/y", out), 0);
        EXPECT_EQ(out, std::string(strcmp(pw->pw_dir, "/") == 0 ? "" : pw->pw_dir) + "/y");
    });
}

TEST(ExpandTilde, NamedUserAndUnknownUser) {
    const passwd* pw = getpwnam("root");
    ASSERT_NE(pw, nullptr);
    const std::string rootHome = pw->pw_dir;
    std::string out;
    EXPECT_EQ(expandTilde("~root/install/wo", out), 0);
    EXPECT_EQ(out, (rootHome == "/" ? "" : rootHome) + "/install/wo");
    EXPECT_EQ(expandTilde("~root", out), 0);
    EXPECT_EQ(out, rootHome);
    out = "untouched";
    CaptureStderr();
    EXPECT_EQ(expandTilde("~no_such_user_trev/x", out), -1);
    EXPECT_EQ(GetCapturedStderr(), "Cannot get home directory of user 'no_such_user_trev'\n");
    EXPECT_EQ(out, "untouched");
    EXPECT_EQ(expandTilde("/no/tilde", out), 0);
    EXPECT_EQ(out, "untouched");
}

TEST(OpenFile, ReadsOnlyRegularFiles) {
    TempDir dir;
    const std::string file = dir.write("a.txt", "abc");
    std::string expanded = "untouched";
    {
        FilePtr f = openFile(file.c_str(), "r", true, &expanded);
        ASSERT_TRUE(f);
        char buf[4] = {};
        EXPECT_EQ(std::fread(buf, 1, 3, f.get()), 3u);
        EXPECT_STREQ(buf, "abc");
    }
    EXPECT_EQ(expanded, "untouched");   // no expansion took place

    // errno says why for the callers' own messages, whatever it held before.
    CaptureStderr();
    errno = 0;
    EXPECT_FALSE(openFile(dir.path().c_str(), "r", true));
    EXPECT_EQ(errno, EISDIR);
    errno = ENOMEM;
    EXPECT_FALSE(openFile(dir.path().c_str(), "r", false));
    EXPECT_EQ(errno, EISDIR);
    errno = 0;
    EXPECT_FALSE(openFile("/dev/null", "r", false));
    EXPECT_EQ(errno, EINVAL);
    const std::string missing = dir.path() + "/missing";
    EXPECT_FALSE(openFile(missing.c_str(), "r+", true));
    EXPECT_EQ(errno, ENOENT);
    // One true message each: a missing file is no "not a regular file".
    EXPECT_EQ(GetCapturedStderr(), "File " + dir.path() + " is not a regular file.\n"
                                   "Cannot open/create file " + missing + "(No such file or directory)\n");
    EXPECT_FALSE(fs::exists(missing));
}

// The open rules of a root process in a directory that others can write
// (sticky and world-writable): links are followed for reading only, a link
// planted where a file is written is refused and its target left alone, a
// FIFO never blocks, new files are 0644 whatever the umask.
TEST(OpenFile, PlantedLinksFifosAndModes) {
    TempDir dir;
    const std::string d = dir.mkdir("drop");
    fs::permissions(d, fs::perms::all | fs::perms::sticky_bit);
    const std::string target = dir.write("target", "precious");
    fs::create_symlink(target, d + "/link");
    fs::create_symlink(d + "/nowhere", d + "/dangling");
    ASSERT_EQ(mkfifo((d + "/fifo").c_str(), 0600), 0);
    dir.write("drop/old", "old");
    fs::permissions(d + "/old", fs::perms::owner_read | fs::perms::owner_write);
    const mode_t oldMask = umask(0);
    const struct {
        const char* name;
        const char* mode;
        OpenFailure failure;
        int error;
        unsigned fileMode;   // the file's mode after a successful open; 0: not checked
    } cases[] = {
        {"link", "r", OpenFailure::Ok, 0, 0},
        {"link", "w", OpenFailure::SymbolicLink, ELOOP, 0},
        {"link", "r+", OpenFailure::SymbolicLink, ELOOP, 0},
        {"dangling", "w", OpenFailure::SymbolicLink, ELOOP, 0},
        {"dangling", "wx", OpenFailure::System, EEXIST, 0},
        {"fifo", "r", OpenFailure::NotRegular, EINVAL, 0},
        {"fifo", "r+", OpenFailure::NotRegular, EINVAL, 0},
        {"fifo", "w", OpenFailure::System, ENXIO, 0},   // no reader: no wait
        {"new", "w", OpenFailure::Ok, 0, 0644},
        {"new2", "wx", OpenFailure::Ok, 0, 0644},
        {"new2", "wx", OpenFailure::System, EEXIST, 0},
        {"old", "w", OpenFailure::Ok, 0, 0600},   // an existing file keeps its mode
    };
    for (const auto& c : cases) {
        const std::string path = d + "/" + c.name;
        const Opened o = openChecked(path.c_str(), c.mode);
        EXPECT_EQ(o.failure, c.failure) << c.name << " " << c.mode;
        EXPECT_EQ(o.error, c.error) << c.name << " " << c.mode;
        EXPECT_EQ(static_cast<bool>(o.file), c.failure == OpenFailure::Ok) << c.name;
        struct stat st;
        if (o.file && fstat(fileno(o.file.get()), &st) == 0) {
            if (c.fileMode) {
                EXPECT_EQ(st.st_mode & 07777, c.fileMode) << c.name << " " << c.mode;
            }
            EXPECT_EQ(fcntl(fileno(o.file.get()), F_GETFL) & O_NONBLOCK, 0) << c.name;
        }
    }
    umask(oldMask);
    char buf[9] = {};
    EXPECT_EQ(std::fread(buf, 1, 8, openChecked((d + "/link").c_str(), "r").file.get()), 8u);
    EXPECT_STREQ(buf, "precious");
    EXPECT_EQ(dir.read("target"), "precious");
    EXPECT_FALSE(fs::exists(d + "/nowhere"));
    EXPECT_EQ(openFailureMessage("Cannot open", "/d/link", openChecked((d + "/link").c_str(), "w")),
              "Cannot open /d/link: it is a symbolic link, which is not written through"
              "(Too many levels of symbolic links)\n");
    EXPECT_EQ(openFailureMessage("Cannot open", "/d/f", openChecked((d + "/fifo").c_str(), "r")),
              "File /d/f is not a regular file.\n");
}

TEST(OpenFile, WriteModeLeavesTheCheckToFopen) {
    TempDir dir;
    const std::string created = dir.path() + "/new.txt";
    EXPECT_TRUE(openFile(created.c_str(), "w", true));
    EXPECT_TRUE(fs::is_regular_file(created));

    CaptureStderr();
    EXPECT_FALSE(openFile(dir.path().c_str(), "w", true));
    const std::string noDir = dir.path() + "/no/such/dir";
    EXPECT_FALSE(openFile(noDir.c_str(), "w", true));
    EXPECT_FALSE(openFile(noDir.c_str(), "w", false));
    EXPECT_EQ(GetCapturedStderr(),
              "Cannot open/create file " + dir.path() + "(Is a directory)\n"
              "Cannot open/create file " + noDir + "(No such file or directory)\n");
}

TEST(OpenFile, ExpandsVariablesAndReportsTheExpandedPathOnlyThen) {
    TempDir dir;
    dir.write("wo", "x");
    setenv("MP_TEST_ROOT", dir.path().c_str(), 1);
    std::string expanded;
    EXPECT_TRUE(openFile("$MP_TEST_ROOT/wo", "r", true, &expanded));
    EXPECT_EQ(expanded, dir.path() + "/wo");

    // A failed expansion is reported even without `report`.
    unsetenv("MP_TEST_NOPE");
    expanded = "untouched";
    CaptureStderr();
    EXPECT_FALSE(openFile("$MP_TEST_NOPE/wo", "r", false, &expanded));
    EXPECT_FALSE(openFile("$MP_TEST_ROOT/none", "r", true, &expanded));
    EXPECT_EQ(GetCapturedStderr(), "Cannot get the $MP_TEST_NOPE enviroment variable. \n"
                                   "Cannot open/create file $MP_TEST_ROOT/none"
                                   "(No such file or directory)\n");
    EXPECT_EQ(expanded, "untouched");
}
