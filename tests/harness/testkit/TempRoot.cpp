#include "TempRoot.h"

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace tk {

std::string readFile(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw std::runtime_error("tk: cannot read " + path);
    std::string out;
    char buf[65536];
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
    close(fd);
    return out;
}

void makeDirs(const std::string& path) {
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            std::string part = path.substr(0, i);
            if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
                throw std::runtime_error("tk: cannot create " + part);
        }
    }
}

void writeFile(const std::string& path, const std::string& bytes, int mode) {
    size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0) makeDirs(path.substr(0, slash));
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) throw std::runtime_error("tk: cannot write " + path);
    size_t off = 0;
    while (off < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + off, bytes.size() - off);
        if (n <= 0) break;
        off += static_cast<size_t>(n);
    }
    close(fd);
    chmod(path.c_str(), static_cast<mode_t>(mode));
}

bool fileExists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

void removeTree(const std::string& path) {
    nftw(
        path.c_str(),
        [](const char* p, const struct stat*, int flag, struct FTW*) -> int {
            if (flag == FTW_DP) rmdir(p);
            else unlink(p);
            return 0;
        },
        32, FTW_DEPTH | FTW_PHYS);
}

TempRoot::TempRoot() {
    char tmpl[] = "/tmp/tk_root.XXXXXX";
    if (!mkdtemp(tmpl)) throw std::runtime_error("tk: mkdtemp failed");
    path_ = tmpl;
    makeDirs(path_ + "/install/tmp");
}

TempRoot::~TempRoot() {
    if (!getenv("TK_KEEP_ROOT")) removeTree(path_);
}

std::string TempRoot::write(const std::string& rel, const std::string& bytes, int mode) const {
    writeFile(file(rel), bytes, mode);
    return file(rel);
}

std::string TempRoot::read(const std::string& rel) const { return readFile(file(rel)); }

bool TempRoot::exists(const std::string& rel) const { return fileExists(file(rel)); }

std::string TempRoot::mkdir(const std::string& rel) const {
    makeDirs(file(rel));
    return file(rel);
}

}  // namespace tk
