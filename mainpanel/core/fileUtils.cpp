#include "fileUtils.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace trev {

namespace {

// Splits "<c>head/rest" into head (without the leading character) and rest
// (from the "/" on, possibly empty).
void splitFirst(const char* path, std::string& head, std::string& rest) {
    const char* body = path + 1;
    const char* slash = std::strchr(body, '/');
    if (slash) {
        head.assign(body, slash);
        rest.assign(slash);
    } else {
        head.assign(body);
        rest.clear();
    }
}

bool fits(const std::string& expanded, const char* path) {
    if (expanded.size() <= kPathMax) return true;
    std::fprintf(stderr, "Path %s is too long after expansion (more than %zu characters).\n",
                 path, kPathMax);
    return false;
}

const std::string& callerHome() {
    static const std::string home = lookupCallerHome();
    return home;
}

}  // namespace

void systemError(bool fatal) {
    const int err = errno;
    if (err > 0) {
        if (const char* text = strerrordesc_np(err)) std::fprintf(stderr, "(%s)\n", text);
    }
    if (fatal) std::exit(1);
}

void reportWithReason(const std::string& message, bool fatal) {
    const int err = errno;
    std::fputs(message.c_str(), stderr);
    errno = err;
    systemError(fatal);
}

int expandEnv(const char* path, std::string& out) {
    if (path[0] != '$') return 0;
    std::string name, rest;
    splitFirst(path, name, rest);
    const char* value = std::getenv(name.c_str());
    if (!value) {
        std::fprintf(stderr, "Cannot get the $%s enviroment variable. \n", name.c_str());
        return -1;
    }
    std::string expanded = std::string(value) + rest;
    if (!fits(expanded, path)) return -1;
    out = std::move(expanded);
    return 0;
}

std::string lookupCallerHome() {
    if (const char* h = std::getenv("HOME")) return h;
    if (const char* h = std::getenv("home")) return h;
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_dir) return pw->pw_dir;
    return {};
}

int expandTilde(const char* path, std::string& out) {
    if (path[0] != '~') return 0;
    std::string user, rest;
    splitFirst(path, user, rest);
    std::string home;
    if (!user.empty()) {
        const passwd* pw = getpwnam(user.c_str());
        if (!pw || !pw->pw_dir) {
            std::fprintf(stderr, "Cannot get home directory of user '%s'\n", user.c_str());
            return -1;
        }
        home = pw->pw_dir;
    } else {
        home = callerHome();
        if (home.empty()) {
            std::fprintf(stderr, "Cannot get user's home directory\n");
            return -1;
        }
    }
    // A root home directory adds nothing before the rest: "~/x" is "/x".
    if (home == "/" && !rest.empty()) home.clear();
    std::string expanded = home + rest;
    if (!fits(expanded, path)) return -1;
    out = std::move(expanded);
    return 0;
}

FilePtr openFile(const char* path, const char* mode, bool report, std::string* expandedOut) {
    std::optional<std::string> expanded;
    if (path[0] == '$' || path[0] == '~') {
        std::string buf;
        const int rc = path[0] == '$' ? expandEnv(path, buf) : expandTilde(path, buf);
        if (rc != 0) return nullptr;
        expanded = std::move(buf);
    }
    const char* real = expanded ? expanded->c_str() : path;
    if (mode[0] != 'w') {
        struct stat st;
        const bool found = stat(real, &st) == 0;
        if (!found || !S_ISREG(st.st_mode)) {
            // errno tells callers' "Cannot open ..." why: stat's own reason,
            // or what kind of file stands there.
            const int err = !found ? errno : S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
            if (report) std::fprintf(stderr, "File %s is not a regular file.\n", path);
            errno = err;
            return nullptr;
        }
    }
    // Close-on-exec: the estimator and the terminal run as root beside an
    // open form.status and selection file, which are not theirs to touch.
    const std::string closeOnExec = std::string(mode) + "e";
    FilePtr f(std::fopen(real, closeOnExec.c_str()));
    if (!f) {
        if (report) {
            const int err = errno;
            std::fprintf(stderr, "Cannot open/create file %s", path);
            errno = err;
            systemError(false);
        }
        return nullptr;
    }
    if (expanded && expandedOut) *expandedOut = *expanded;
    return f;
}

FilePtr openOrExit(const char* path, const char* mode, bool report, const char* what) {
    FilePtr f = openFile(path, mode, report);
    if (!f) reportWithReason(std::string(what) + " " + path, true);
    return f;
}

}  // namespace trev
