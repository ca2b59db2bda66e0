#include "fileUtils.h"

#include <fcntl.h>
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

namespace {

// The open(2) flags of an fopen-style mode; nullopt for a mode it does not
// know.  Every open is close-on-exec (the estimator and the terminal run as
// root beside an open form.status and selection file, which are not theirs
// to touch) and never waits for a FIFO's other end or a device.
std::optional<int> openFlags(const char* mode) {
    int flags;
    const bool update = std::strchr(mode, '+') != nullptr;
    switch (mode[0]) {
    case 'r': flags = update ? O_RDWR : O_RDONLY; break;
    case 'w': flags = (update ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC; break;
    case 'a': flags = (update ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND; break;
    default: return std::nullopt;
    }
    if (std::strchr(mode, 'x')) flags |= O_EXCL;
    if (flags & (O_WRONLY | O_RDWR)) flags |= O_NOFOLLOW;
    return flags | O_CLOEXEC | O_NONBLOCK;
}

// fdopen's mode: the same without "x" and "e", which the flags have said.
std::string streamMode(const char* mode) {
    std::string m;
    for (const char* p = mode; *p; ++p)
        if (*p != 'x' && *p != 'e') m += *p;
    return m;
}

void failWith(Opened& o, OpenFailure failure, int error) {
    o.file.reset();
    o.failure = failure;
    o.error = error;
}

void notRegular(Opened& o, const struct stat& st) {
    failWith(o, OpenFailure::NotRegular, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
}

}  // namespace

Opened openChecked(const char* path, const char* mode) {
    Opened o;
    const bool expands = path[0] == '$' || path[0] == '~';
    if (expands) {
        const int rc = path[0] == '$' ? expandEnv(path, o.expanded) : expandTilde(path, o.expanded);
        if (rc != 0) {
            failWith(o, OpenFailure::Expansion, 0);
            return o;
        }
    }
    const char* real = expands ? o.expanded.c_str() : path;
    const std::optional<int> flags = openFlags(mode);
    if (!flags) {
        failWith(o, OpenFailure::System, EINVAL);
        return o;
    }
    const bool writes = (*flags & O_NOFOLLOW) != 0;
    const bool regularOnly = mode[0] == 'r';
    struct stat st;
    // The type first, so that a device or FIFO is not even opened; the
    // descriptor is checked again below, since the name may change between.
    if (regularOnly) {
        if ((writes ? lstat(real, &st) : stat(real, &st)) != 0) {
            failWith(o, OpenFailure::System, errno);
            return o;
        }
        if (writes && S_ISLNK(st.st_mode)) {
            failWith(o, OpenFailure::SymbolicLink, ELOOP);
            return o;
        }
        if (!S_ISREG(st.st_mode)) {
            notRegular(o, st);
            return o;
        }
    }
    const int fd = ::open(real, *flags, static_cast<mode_t>(kCreateMode));
    if (fd < 0) {
        const int err = errno;
        // O_NOFOLLOW fails with ELOOP for a link as the last component.
        const bool link = writes && err == ELOOP && lstat(real, &st) == 0 && S_ISLNK(st.st_mode);
        failWith(o, link ? OpenFailure::SymbolicLink : OpenFailure::System, err);
        return o;
    }
    const bool typed = fstat(fd, &st) == 0;
    const bool wrongType = typed && regularOnly && !S_ISREG(st.st_mode);
    if (!typed || wrongType || fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        const int err = errno;
        ::close(fd);
        if (wrongType)
            notRegular(o, st);
        else
            failWith(o, OpenFailure::System, err);
        return o;
    }
    o.file.reset(fdopen(fd, streamMode(mode).c_str()));
    if (!o.file) {
        const int err = errno;
        ::close(fd);
        failWith(o, OpenFailure::System, err);
    }
    return o;
}

std::string openFailureMessage(const std::string& what, const char* path, const Opened& o) {
    const char* reason = o.error > 0 ? strerrordesc_np(o.error) : nullptr;
    const std::string because = reason ? std::string("(") + reason + ")\n" : "\n";
    switch (o.failure) {
    case OpenFailure::Ok:
    case OpenFailure::Expansion: return "";
    case OpenFailure::NotRegular: return std::string("File ") + path + " is not a regular file.\n";
    case OpenFailure::SymbolicLink:
        return what + " " + path + ": it is a symbolic link, which is not written through" + because;
    case OpenFailure::System: break;
    }
    return what + " " + path + because;
}

FilePtr openFile(const char* path, const char* mode, bool report, std::string* expandedOut) {
    Opened o = openChecked(path, mode);
    if (!o.file) {
        if (report) std::fputs(openFailureMessage("Cannot open/create file", path, o).c_str(), stderr);
        errno = o.error;
        return nullptr;
    }
    if ((path[0] == '$' || path[0] == '~') && expandedOut) *expandedOut = o.expanded;
    return std::move(o.file);
}

FilePtr openOrExit(const char* path, const char* mode, const char* what) {
    Opened o = openChecked(path, mode);
    if (!o.file) {
        std::fputs(openFailureMessage(what, path, o).c_str(), stderr);
        std::exit(1);
    }
    return std::move(o.file);
}

}  // namespace trev
