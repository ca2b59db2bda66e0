#include "filePattern.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace trev {

namespace {

struct DirCloser {
    void operator()(DIR* d) const { if (d) closedir(d); }
};
using DirPtr = std::unique_ptr<DIR, DirCloser>;

std::string withSlash(const std::string& dir) {
    if (!dir.empty() && dir.back() == '/') return dir;
    return dir + "/";
}

bool typeWanted(const std::string& path, int typeMask) {
    if ((typeMask & kFileAnyType) == kFileAnyType) return true;
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return false;
    if (S_ISDIR(st.st_mode)) return (typeMask & kFileDirectory) != 0;
    if (S_ISREG(st.st_mode)) return (typeMask & kFileRegular) != 0;
    return false;
}

}  // namespace

std::string patternToRegex(const std::string& pattern) {
    std::string re = "^";
    for (char c : pattern) {
        if (c == '/') break;
        switch (c) {
        case '*': re += ".*"; break;
        case '?': re += '.'; break;
        case '.': re += "\\."; break;
        default: re += c; break;
        }
    }
    re += '$';
    return re;
}

NameMatcher::NameMatcher(const std::string& pattern) {
    compiled_ = regcomp(&re_, patternToRegex(pattern).c_str(), REG_NOSUB) == 0;
}

NameMatcher::~NameMatcher() {
    if (compiled_) regfree(&re_);
}

bool NameMatcher::matches(const char* name) const {
    if (!compiled_) return true;
    return regexec(&re_, name, 0, nullptr, 0) == 0;
}

std::vector<std::string> dirEntries(const std::string& dir, const std::string& pattern,
                                    int typeMask, bool leadingDotsSpecial) {
    std::vector<std::string> out;
    const std::string base = withSlash(dir);
    DirPtr d(opendir(base.c_str()));
    if (!d) return out;
    const NameMatcher matcher(pattern);
    const bool patternHasDot = !pattern.empty() && pattern[0] == '.';
    while (const dirent* e = readdir(d.get())) {
        if (leadingDotsSpecial && e->d_name[0] == '.' && !patternHasDot) continue;
        if (!matcher.matches(e->d_name)) continue;
        std::string path = base + e->d_name;
        if (typeWanted(path, typeMask)) out.push_back(std::move(path));
    }
    return out;
}

std::vector<std::string> buildFileList(const std::string& dir, const std::string& pattern,
                                       int typeMask) {
    const std::size_t slash = pattern.find('/');
    if (slash == std::string::npos) return dirEntries(dir, pattern, typeMask, false);
    std::vector<std::string> out;
    const std::string rest = pattern.substr(slash + 1);
    for (const std::string& sub : dirEntries(dir, pattern, kFileDirectory, true)) {
        std::vector<std::string> found = buildFileList(sub, rest, typeMask);
        out.insert(out.end(), std::make_move_iterator(found.begin()),
                   std::make_move_iterator(found.end()));
    }
    return out;
}

std::vector<std::string> listNames(std::vector<std::string> paths) {
    // std::string compares as unsigned bytes: "B" before "a", ".x" before "A".
    std::sort(paths.begin(), paths.end());
    std::vector<std::string> names;
    names.reserve(paths.size());
    for (std::string& p : paths) {
        const std::size_t slash = p.rfind('/');
        if (slash != std::string::npos) p.erase(0, slash + 1);
        // The box's one-line fields drop a line feed or tab from a chosen
        // item, so such a name would turn into another file's name.
        if (p.find_first_of("\n\t") != std::string::npos) continue;
        names.push_back(std::move(p));
    }
    return names;
}

}  // namespace trev
