// The file layer of the form server: every file it opens goes through
// openFile, which expands a leading "$VAR" or "~user", refuses anything but a
// regular file for reading, and reports failures in one style: the caller's
// message without a line feed, then "(reason)\n" from systemError.
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

// Opens `path` with fopen `mode` after expansion.  Unless mode starts with
// "w" the path must name an existing regular file.  With `report` set,
// failures are described on stderr.  When the path was expanded and
// `expandedOut` is given, the expanded path is stored there.
FilePtr openFile(const char* path, const char* mode, bool report,
                 std::string* expandedOut = nullptr);

// openFile; when that fails, "<what> <path>" and the system's reason, exit 1.
FilePtr openOrExit(const char* path, const char* mode, bool report,
                   const char* what = "Cannot open");

}  // namespace trev
