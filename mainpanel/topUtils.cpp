#include "topUtils.h"

#include <cerrno>
#include <cstdio>

trev::FilePtr openOrExit(const char* path, const char* mode, int report) {
    trev::FilePtr f = trev::openFile(path, mode, report);
    if (!f) {
        const int err = errno;
        std::fprintf(stderr, "Cannot open %s", path);
        errno = err;
        trev::systemError(1);
    }
    return f;
}
