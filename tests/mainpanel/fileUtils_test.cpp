// The file layer: expansion of "$VAR" and "~user", the open rules that keep
// a root process safe, and the failure messages in the program's one style.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <array>
#include <filesystem>
#include <functional>

#include "TempRoot.h"
#include "core/fileUtils.h"

using namespace trev;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
namespace fs = std::filesystem;

namespace {

// Runs `body` in a child process: the caller's home directory is looked up
// once per process.
void inFreshProcess(const std::function<void()>& body) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT({ body(); std::exit(testing::Test::HasFailure() ? 1 : 0); }, testing::ExitedWithCode(0), "");
}

// A home directory as a prefix: "/" adds no second slash.
std::string prefix(const char* home) { return std::strcmp(home, "/") == 0 ? "" : home; }

}  // namespace

TEST(SystemError, PrintsTheReasonOnlyForAKnownErrno) {
    CaptureStderr();
    for (int e : {ENOENT, 0, 99999}) {
        errno = e;
        systemError(false);
    }
    EXPECT_EQ(GetCapturedStderr(), "(No such file or directory)\n");
    EXPECT_EXIT({ errno = EACCES; systemError(true); }, testing::ExitedWithCode(1), "^\\(Permission denied\\)\n$");
}

TEST(Expand, ALeadingVariableOrUserElseUntouched) {
    setenv("MP_TEST_DIR", "/opt/trev", 1);
    setenv("MP_TEST_LONG", std::string(500, 'd').c_str(), 1);
    unsetenv("MP_TEST_UNSET");
    const std::string root = prefix(getpwnam("root")->pw_dir);
    using X = int (*)(const char*, std::string&);
    const std::tuple<X, std::string, int, std::string, std::string> cases[] = {
        {expandEnv, "$MP_TEST_DIR/lib/x", 0, "/opt/trev/lib/x", ""}, {expandEnv, "$MP_TEST_DIR", 0, "/opt/trev", ""},
        {expandEnv, "/plain/path", 0, "untouched", ""},
        {expandEnv, "$MP_TEST_UNSET/rest", -1, "untouched", "Cannot get the $MP_TEST_UNSET enviroment variable. \n"},
        {expandEnv, "$MP_TEST_LONG/0123456789", 0, std::string(500, 'd') + "/0123456789", ""},   // 511
        {expandEnv, "$MP_TEST_LONG/01234567890", -1, "untouched",
         "Path $MP_TEST_LONG/01234567890 is too long after expansion (more than 511 characters).\n"},
        {expandTilde, "~root/install/wo", 0, root + "/install/wo", ""}, {expandTilde, "~root", 0, root.empty() ? "/" : root, ""},
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

TEST(Expand, TheCallersHomeFromHOMEThenHomeThenThePasswordEntryOncePerProcess) {
    // $HOME, $home, the path, its expansion
    const std::array<const char*, 4> cases[] = {
        {"/home/tester", nullptr, "~", "/home/tester"}, {"/home/tester", "/csh", "~/notes/wo.txt", "/home/tester/notes/wo.txt"},
        {"/", nullptr, "~/x", "/x"}, {"/", nullptr, "~", "/"}, {nullptr, "/csh/home", "~/y", "/csh/home/y"}};
    for (const auto& c : cases)
        inFreshProcess([&] {
            c[0] ? setenv("HOME", c[0], 1) : unsetenv("HOME");
            c[1] ? setenv("home", c[1], 1) : unsetenv("home");
            for (const char* later : {"/elsewhere", "/again"}) {   // not seen once looked up
                std::string out;
                EXPECT_EQ(expandTilde(c[2], out), 0);
                EXPECT_EQ(out, c[3]);
                setenv("HOME", later, 1);
            }
        });
    inFreshProcess([] {
        unsetenv("HOME");
        unsetenv("home");
        const char* pwHome = getpwuid(geteuid())->pw_dir;
        EXPECT_EQ(lookupCallerHome(), pwHome);
        std::string out;
        EXPECT_EQ(expandTilde("~/y", out), 0);
        EXPECT_EQ(out, prefix(pwHome) + "/y");
    });
}

// The open rules in a directory that others can write (sticky and world
// writable): links are followed for reading only, a link planted where a
// file is written is refused and its target left alone, only regular files
// are read, nothing blocks, new files are 0644 whatever the umask.
TEST(OpenFile, PlantedLinksFifosAndModes) {
    tk::TempRoot dir;
    const std::string d = dir.mkdir("drop");
    fs::permissions(d, fs::perms::all | fs::perms::sticky_bit);
    const std::string target = dir.write("target", "precious");
    fs::create_symlink(target, d + "/link");
    fs::create_symlink(d + "/nowhere", d + "/dangling");
    ASSERT_EQ(mkfifo((d + "/fifo").c_str(), 0600), 0);
    dir.write("drop/old", "old", 0600);
    const mode_t oldMask = umask(0);
    // name, mode, failure, errno, the file's mode after a successful open (0: not checked)
    using F = OpenFailure;
    const std::tuple<const char*, const char*, F, int, unsigned> cases[] = {
        {"link", "r", F::Ok, 0, 0}, {"link", "w", F::SymbolicLink, ELOOP, 0}, {"link", "r+", F::SymbolicLink, ELOOP, 0},
        {"dangling", "w", F::SymbolicLink, ELOOP, 0}, {"dangling", "wx", F::System, EEXIST, 0},
        {"fifo", "r", F::NotRegular, EINVAL, 0}, {"fifo", "r+", F::NotRegular, EINVAL, 0},
        {"fifo", "w", F::System, ENXIO, 0},   // no reader: no wait
        {".", "r", F::NotRegular, EISDIR, 0}, {".", "w", F::System, EISDIR, 0}, {"no/such", "w", F::System, ENOENT, 0},
        {"missing", "r+", F::System, ENOENT, 0}, {"new", "w", F::Ok, 0, 0644}, {"new2", "wx", F::Ok, 0, 0644},
        {"new2", "wx", F::System, EEXIST, 0}, {"old", "w", F::Ok, 0, 0600}};   // an existing file keeps its mode
    for (const auto& [name, mode, failure, error, fileMode] : cases) {
        const Opened o = openChecked((d + "/" + name).c_str(), mode);
        EXPECT_EQ(std::make_tuple(o.failure, o.error, static_cast<bool>(o.file)), std::make_tuple(failure, error, failure == F::Ok))
            << name << " " << mode;
        struct stat st {};
        const int nonblockOrError = o.file ? fstat(fileno(o.file.get()), &st) | (fcntl(fileno(o.file.get()), F_GETFL) & O_NONBLOCK) : 0;
        EXPECT_EQ(nonblockOrError, 0) << name << " " << mode;
        EXPECT_EQ(fileMode ? st.st_mode & 07777 : 0, fileMode) << name << " " << mode;
    }
    umask(oldMask);
    char buf[9] = {};
    EXPECT_EQ(std::fread(buf, 1, 8, openChecked((d + "/link").c_str(), "r").file.get()), 8u);
    EXPECT_STREQ(buf, "precious");
    EXPECT_EQ(dir.read("target"), "precious");
    EXPECT_FALSE(fs::exists(d + "/nowhere"));
    EXPECT_FALSE(fs::exists(d + "/missing"));
    EXPECT_EQ(openFailureMessage("Cannot open", "/d/link", openChecked((d + "/link").c_str(), "w")),
              "Cannot open /d/link: it is a symbolic link, which is not written through"
              "(Too many levels of symbolic links)\n");
}

TEST(OpenFile, OneMessageAFailureTheExpandedPathAndErrno) {
    tk::TempRoot dir;
    dir.write("wo", "x");
    setenv("MP_TEST_ROOT", dir.path().c_str(), 1);
    unsetenv("MP_TEST_NOPE");
    std::string expanded = "untouched";
    EXPECT_TRUE(openFile(dir.file("wo").c_str(), "r", true, &expanded));
    EXPECT_EQ(expanded, "untouched");   // no expansion took place
    EXPECT_TRUE(openFile("$MP_TEST_ROOT/wo", "r", true, &expanded));
    EXPECT_EQ(expanded, dir.file("wo"));
    CaptureStderr();
    const std::pair<const char*, int> failures[] = {
        {"$MP_TEST_ROOT", EISDIR}, {"$MP_TEST_ROOT/none", ENOENT}, {"$MP_TEST_NOPE/wo", 0}};
    for (bool report : {true, false})
        for (auto [path, error] : failures) {
            errno = ENOMEM;
            EXPECT_FALSE(openFile(path, "r", report));
            if (error) {
                EXPECT_EQ(errno, error) << path;
            }
        }
    EXPECT_EQ(GetCapturedStderr(),
              "File $MP_TEST_ROOT is not a regular file.\n"
              "Cannot open/create file $MP_TEST_ROOT/none(No such file or directory)\n"
              "Cannot get the $MP_TEST_NOPE enviroment variable. \n"
              "Cannot get the $MP_TEST_NOPE enviroment variable. \n");   // reported even so
}
