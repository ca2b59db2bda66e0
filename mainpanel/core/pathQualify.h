// Directories and search paths of the e-mail file browser, without X: where
// a search path splits into directory and file pattern, how a directory is
// made absolute, how the browser's search data are completed from the
// directory it shows, the tidy-up of a typed search path, and the directory
// the browser starts in.
//
// Every text here is a std::string: search paths and directories of any
// length are handled whole.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace trev {

// Where the file pattern of a search path starts: at the first
// "/"-separated segment that holds "*", "?" or "[" not escaped by a single
// "\" ("\\*" counts as a wildcard again), or else at the last segment.  The
// result is 0 or the index just after a "/"; spec.size() when the path ends
// in "/" (an empty pattern).
std::size_t findPatternPart(const std::string& spec);

// The working directory of the process, of any length; nullopt when it
// cannot be read (removed, or not reachable).
std::optional<std::string> currentDirectory();

// `dir` made absolute, ending in "/":
//  - "/..." is taken as it is;
//  - "~" and "~/..." start at the caller's home directory ($HOME, $home,
//    then the password database); "~name" and "~name/..." at that user's
//    home directory from the password database;
//  - anything else is taken against the working directory;
// then "." segments are dropped, ".." drops the segment before it and stops
// at the root, and repeated "/" collapse, except that a path starting with
// exactly two "/" keeps them.  When no directory can be formed (a user
// without a password entry, an unreadable working directory) the result is
// "/".
std::string qualifyDir(const std::string& dir);

struct QualifiedSpec {
    std::string dir;       // absolute, ending in "/"
    std::string pattern;   // a pattern for names in dir; may hold "/" for
                           // directory wildcards ("*/inbox")
};

// Completes a directory and a file pattern the way a file selection box
// does: an empty pattern or one ending in "/" gets "*" appended; a pattern
// starting with "/" replaces the directory by "/", one starting with
// "~name/" by "~name"; the directory gets a trailing "/"; the pattern's
// leading segments that hold no wildcard move to the directory, which is
// then made absolute with qualifyDir.  A pattern "~name" without a "/" is a
// plain pattern.
QualifiedSpec qualifyFileSpec(const std::string& dir, const std::string& pattern);

// What the browser is asked to search: the text of its search path (the
// mask), and a directory or pattern picked or given apart from it.
struct SearchRequest {
    std::optional<std::string> mask;
    std::optional<std::string> dir;
    std::optional<std::string> pattern;
};

struct QualifiedSearch {
    std::string mask;      // dir followed by pattern
    std::string dir;
    std::string pattern;
};

// The search data completed for a search.  Without a mask, or with both a
// directory and a pattern, the missing one of the two comes from what the
// browser shows (`shownDir`, `shownPattern`).  Otherwise the mask is split
// at its pattern part; its directory part is the text before the "/" that
// precedes the pattern part ("/" when that text is empty, none when the
// pattern part starts the mask); a given directory or pattern replaces the
// part.  A directory that does not start with "/" -- also "~..." and "$..."
// and none at all -- is taken below the shown directory, not below the
// process's working directory, and is not expanded.  The result is
// qualified with qualifyFileSpec.
QualifiedSearch qualifySearch(const SearchRequest& request, const std::string& shownDir,
                              const std::string& shownPattern);

// The search path as the user left it, tidied for the next search: a path
// with no "*" anywhere that does not end in "/" is taken as a directory and
// gets "/*" (so also "wo?.txt" becomes "wo?.txt/*").  An empty path stays
// empty: searching it lists every file of the shown directory.
std::string tidySearchPath(const std::string& path);

// The directory the browser starts in: the directory part of `emailFile`
// (the text before its last "/"; "/" for a file right below the root) when
// it holds a "/"; else, when `emailFile` is empty, `startDirEnv` (the value
// of $TrevStartDir) if set; else none, and the browser starts in the
// working directory.
std::optional<std::string> browserStartDir(const std::string& emailFile, const char* startDirEnv);

}  // namespace trev
