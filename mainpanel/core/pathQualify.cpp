#include "pathQualify.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "fileUtils.h"

namespace trev {

namespace {

bool isWildcard(char c) { return c == '*' || c == '?' || c == '['; }

// Drops "." segments, resolves ".." and collapses repeated "/" in an
// absolute path; the result ends in "/".
std::string normalizeDir(const std::string& path) {
    // Exactly two leading slashes name an implementation-defined root that
    // is kept; three or more are one.
    const bool doubleRoot =
        path.size() >= 2 && path[0] == '/' && path[1] == '/' && (path.size() == 2 || path[2] != '/');
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string seg = path.substr(start, end - start);
        if (seg == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!seg.empty() && seg != ".") {
            segments.push_back(seg);
        }
        start = end + 1;
    }
    std::string out = doubleRoot ? "//" : "/";
    for (const std::string& seg : segments) out += seg + "/";
    return out;
}

// "base" and "rel" joined with one "/" between them.
std::string joinDir(const std::string& base, const std::string& rel) {
    if (base.empty()) return rel;
    if (base.back() == '/') return base + rel;
    return base + "/" + rel;
}

}  // namespace

std::size_t findPatternPart(const std::string& spec) {
    std::size_t segStart = 0;
    char prev = '\0', prevPrev = '\0';
    for (std::size_t i = 0; i < spec.size(); ++i) {
        const char c = spec[i];
        if (c == '/') {
            segStart = i + 1;
        } else if (isWildcard(c) && (prev != '\\' || prevPrev == '\\')) {
            return segStart;
        }
        prevPrev = prev;
        prev = c;
    }
    return segStart;
}

std::optional<std::string> currentDirectory() {
    char* cwd = getcwd(nullptr, 0);
    if (!cwd) return std::nullopt;
    std::string out = cwd;
    std::free(cwd);
    // A working directory that is not reachable from the root comes back
    // marked, not as a path.
    if (out.empty() || out[0] != '/') return std::nullopt;
    return out;
}

std::string qualifyDir(const std::string& dir) {
    std::string full;
    if (!dir.empty() && dir[0] == '/') {
        full = dir;
    } else if (!dir.empty() && dir[0] == '~') {
        const std::size_t slash = dir.find('/');
        const std::string user = dir.substr(1, slash == std::string::npos ? std::string::npos : slash - 1);
        const std::string rest = slash == std::string::npos ? std::string() : dir.substr(slash);
        std::string home;
        if (user.empty()) {
            home = lookupCallerHome();
        } else if (const passwd* pw = getpwnam(user.c_str()); pw && pw->pw_dir) {
            home = pw->pw_dir;
        }
        if (home.empty()) return "/";
        if (home[0] != '/') {
            const std::optional<std::string> cwd = currentDirectory();
            if (!cwd) return "/";
            home = joinDir(*cwd, home);
        }
        full = home + rest;
    } else {
        const std::optional<std::string> cwd = currentDirectory();
        if (!cwd) return "/";
        full = joinDir(*cwd, dir);
    }
    return normalizeDir(full);
}

QualifiedSpec qualifyFileSpec(const std::string& dir, const std::string& pattern) {
    std::string fspec = pattern;
    if (fspec.empty() || fspec.back() == '/') fspec += '*';
    std::string dspec = dir;
    std::size_t rest = 0;
    if (fspec[0] == '/') {
        dspec = "/";
        rest = 1;
    } else if (fspec[0] == '~' && fspec.find('/') != std::string::npos) {
        const std::size_t slash = fspec.find('/');
        dspec = fspec.substr(0, slash);
        rest = slash + 1;
    }
    if (!dspec.empty() && dspec.back() != '/') dspec += '/';
    std::string remaining = fspec.substr(rest);
    const std::size_t patternStart = findPatternPart(remaining);
    dspec += remaining.substr(0, patternStart);
    remaining.erase(0, patternStart);
    return {qualifyDir(dspec), remaining};
}

QualifiedSearch qualifySearch(const SearchRequest& request, const std::string& shownDir,
                              const std::string& shownPattern) {
    std::string dir, pattern;
    if (!request.mask || (request.dir && request.pattern)) {
        dir = request.dir ? *request.dir : shownDir;
        pattern = request.pattern ? *request.pattern : shownPattern;
    } else {
        const std::string& mask = *request.mask;
        const std::size_t p = findPatternPart(mask);
        if (p > 0) {
            dir = mask.substr(0, p - 1);
            if (dir.empty()) dir = "/";
        }
        pattern = mask.substr(p);
        if (request.dir) dir = *request.dir;
        if (request.pattern) pattern = *request.pattern;
    }
    // A directory typed or picked by its name alone lies below the shown
    // directory; the list of directories shows bare names.
    if (dir.empty() || dir[0] != '/') dir = joinDir(shownDir, dir);
    QualifiedSpec q = qualifyFileSpec(dir, pattern);
    return {q.dir + q.pattern, q.dir, q.pattern};
}

std::string tidySearchPath(const std::string& path) {
    if (path.empty() || path.find('*') != std::string::npos || path.back() == '/') return path;
    return path + "/*";
}

std::optional<std::string> browserStartDir(const std::string& emailFile, const char* startDirEnv) {
    if (emailFile.empty()) {
        if (startDirEnv) return std::string(startDirEnv);
        return std::nullopt;
    }
    const std::size_t slash = emailFile.rfind('/');
    if (slash == std::string::npos) return std::nullopt;
    if (slash == 0) return std::string("/");
    return emailFile.substr(0, slash);
}

}  // namespace trev
