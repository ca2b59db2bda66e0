#include "recheck.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "diskUsage.h"
#include "fileUtils.h"

namespace trev {

namespace {

bool exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// Starts `shell estimator result`; the child never returns.  -1 when no
// child could be started.
pid_t startEstimator(const std::string& shell, const std::string& estimator,
                     const std::string& result, std::FILE* diag) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid != 0) return pid;
    char* const args[] = {const_cast<char*>(shell.c_str()), const_cast<char*>(estimator.c_str()),
                          const_cast<char*>(result.c_str()), nullptr};
    execv(shell.c_str(), args);
    std::fprintf(diag, "System error(%s) in execv command %s.\n", std::strerror(errno),
                 estimator.c_str());
    std::fflush(diag);
    _exit(255);
}

// Whether the estimator succeeded: an exit status other than 0 is a
// failure; an estimator ended by a signal may still have left its answer.
bool waitEstimator(pid_t pid) {
    int status = 0;
    for (;;) {
        if (waitpid(pid, &status, 0) == pid) break;
        if (errno != EINTR) return false;
    }
    return !(WIFEXITED(status) && WEXITSTATUS(status) != 0);
}

}  // namespace

std::string freeDiskEstimatorPath(const std::string& root) {
    return root + "/install/bin.sun4v/freeDisk";
}

std::string freeDiskResultPath(const std::string& root) {
    return root + "/install/tmp/freeDisk.out";
}

std::optional<std::int64_t> recheckFreeDisk(const char* bourne, const std::string& root,
                                            std::FILE* diag, const std::function<void()>& started,
                                            const std::function<void()>& ended) {
    if (!bourne) {
        std::fputs("BOURNE is not set.\n", diag);
        return std::nullopt;
    }
    if (!exists(bourne)) {
        std::fprintf(diag, "Shell command %s does not exist.\n", bourne);
        return std::nullopt;
    }
    const std::string estimator = freeDiskEstimatorPath(root);
    const std::string result = freeDiskResultPath(root);
    if (!exists(estimator)) {
        std::fprintf(diag, "Cannot find %s program to estimate free disk.\n", estimator.c_str());
        return std::nullopt;
    }
    const pid_t pid = startEstimator(bourne, estimator, result, diag);
    if (pid < 0) {
        std::fputs("Failed to fork a child process to recalculate the available disk space.\n",
                   diag);
        return std::nullopt;
    }
    started();
    std::optional<std::int64_t> freeDisk;
    if (waitEstimator(pid)) {
        if (FilePtr f = openFile(result.c_str(), "r", 0)) {
            freeDisk = readFreeDiskResult(f.get());
            if (freeDisk && !freeDiskInRange(*freeDisk)) {
                std::fprintf(diag, "Free disk space is too big or too small(%lld).\n",
                             static_cast<long long>(*freeDisk));
                freeDisk.reset();
            }
            f.reset();
            ::unlink(result.c_str());
        }
    }
    ended();
    if (!freeDisk) std::fputs("Free disk space information not available.\n", diag);
    return freeDisk;
}

}  // namespace trev
