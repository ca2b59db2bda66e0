// The file layer of the form server: every file it opens goes through
// openFile (or openChecked), which expands a leading "$VAR" or "~user" and
// opens with open(2) on rules that keep a root process safe in directories
// other users can write:
//   - reading follows symbolic links, but only a regular file is read: the
//     type is checked before the open and again on the open descriptor, and
//     the open never waits (O_NONBLOCK), so a FIFO or a device never blocks;
//   - writing (and updating) never follows a symbolic link as the last
//     component (O_NOFOLLOW), so a link planted in a sticky directory is
//     refused and its target left alone; a mode with "x" creates a new file
//     only (O_EXCL);
//   - a new file is created 0644, less the caller's umask; a file that
//     already exists keeps its mode and owner.
// Failures are reported in one style: the caller's message without a line
// feed, then "(reason)\n" from systemError; exactly one message a failure.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace trev {

// Longest path the form server builds or expands (a 512-byte buffer).
constexpr std::size_t kPathMax = 511;

struct FileCloser {
    void operator()(std::FILE* f) const { if (f) std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Prints "(%s)\n" with the system's text for errno on stderr when errno
// names a known error; then exits 1 if `fatal` is non-zero.
void systemError(bool fatal);

// Prints `message` (no line feed of its own) on stderr, then the system's
// reason for errno as systemError does; exits 1 when `fatal`.  errno is the
// one that stood before the message was printed.
void reportWithReason(const std::string& message, bool fatal = false);

// "$NAME/rest" -> value of NAME followed by "/rest".  Returns 0 (out left
// untouched when path does not start with "$") or -1 after a message on
// stderr: the variable is unset, or the result is longer than kPathMax.
int expandEnv(const char* path, std::string& out);

// "~/rest", "~" -> the caller's home directory followed by "/rest";
// "~user/rest" -> that user's home directory followed by "/rest".  Returns 0
// (out left untouched when path does not start with "~") or -1 after a
// message on stderr.
int expandTilde(const char* path, std::string& out);

// The caller's home directory, looked up afresh: $HOME, else $home, else the
// password entry of the effective user.  Empty when all three fail.
// expandTilde looks it up once per process and keeps the answer.
std::string lookupCallerHome();

// Mode of the files the form server creates (before the umask).
constexpr unsigned kCreateMode = 0644;

// Why an open failed.
enum class OpenFailure {
    Ok,
    Expansion,      // "$VAR" or "~user" could not be expanded (already reported)
    NotRegular,     // it exists and is no regular file (read and update modes)
    SymbolicLink,   // a symbolic link where a file is to be written
    System,         // open(2) or stat(2) failed: `error` says why
};

struct Opened {
    FilePtr file;
    OpenFailure failure = OpenFailure::Ok;
    int error = 0;           // errno of the failure; EISDIR or EINVAL for NotRegular
    std::string expanded;    // the expanded path, when an expansion took place
};

// Opens `path` with fopen-style `mode` ("r", "r+", "w", "w+", "a", with "x"
// for a file that must be new) after expansion, on the rules above.  Prints
// nothing but an expansion failure.
Opened openChecked(const char* path, const char* mode);

// The one message for a failed open, "" for an expansion failure (already
// printed): "File <path> is not a regular file.\n" for something that
// exists and is no regular file, else "<what> <path>" and the reason in
// parentheses and a line feed; a symbolic link refused for writing is named
// as such.
std::string openFailureMessage(const std::string& what, const char* path, const Opened& o);

// openChecked.  With `report` set, a failure is described on stderr by
// openFailureMessage with "Cannot open/create file".  errno says why after
// a failure.  When the path was expanded and `expandedOut` is given, the
// expanded path is stored there.
FilePtr openFile(const char* path, const char* mode, bool report,
                 std::string* expandedOut = nullptr);

// openChecked; when that fails, openFailureMessage with `what` on stderr
// and exit 1.
FilePtr openOrExit(const char* path, const char* mode, const char* what = "Cannot open");

}  // namespace trev
