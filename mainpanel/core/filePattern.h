// File-name patterns and directory listings of the e-mail file browser,
// without X.  A pattern segment such as "WorkOrder*" or "wo?.[tm]*" becomes
// an anchored POSIX basic regular expression; directories are listed by
// full path and filtered by pattern and by file type.
#pragma once

#include <regex.h>

#include <string>
#include <vector>

namespace trev {

// Kinds of directory entries a listing keeps; the values are those of the
// file selection box's file type mask.
constexpr int kFileDirectory = 1;
constexpr int kFileRegular = 2;
constexpr int kFileAnyType = kFileDirectory | kFileRegular;

// The regular expression for the pattern up to its first "/": "^", then
// "*" as ".*", "?" as ".", "." as "\.", every other character as it is
// (so "[...]" stays a bracket expression and "\" escapes what follows),
// then "$".
std::string patternToRegex(const std::string& pattern);

// A compiled pattern (patternToRegex, POSIX basic syntax).  A pattern that
// does not compile matches every name.
class NameMatcher {
public:
    explicit NameMatcher(const std::string& pattern);
    ~NameMatcher();
    NameMatcher(const NameMatcher&) = delete;
    NameMatcher& operator=(const NameMatcher&) = delete;

    bool matches(const char* name) const;

private:
    regex_t re_{};
    bool compiled_ = false;
};

// The entries of `dir` (a directory path, "/" at its end or not) whose
// names match the first segment of `pattern` and whose type (stat, links
// followed) is in `typeMask`, as full paths (dir + name) in the order the
// directory gives them.  With `leadingDotsSpecial`, a name that starts with
// "." is kept only when the pattern starts with ".".  An unreadable
// directory gives nothing; a readable one always has "." and "..".
std::vector<std::string> dirEntries(const std::string& dir, const std::string& pattern,
                                    int typeMask, bool leadingDotsSpecial);

// The files matching `pattern` below `dir`, as full paths.  A pattern
// without "/" is matched in `dir` itself (names starting with "." are not
// special).  A pattern with "/" matches its first segment against the
// subdirectories of `dir` (a leading "." must be matched by a leading ".")
// and goes on with the rest of the pattern in each.
std::vector<std::string> buildFileList(const std::string& dir, const std::string& pattern,
                                       int typeMask);

// Full paths sorted byte by byte and cut to their names (the text after the
// last "/"): what the browser's lists show.  Names holding a line feed or a
// tab are left out: they cannot be chosen as they are.
std::vector<std::string> listNames(std::vector<std::string> paths);

}  // namespace trev
