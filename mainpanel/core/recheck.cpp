#include "recheck.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "diskUsage.h"
#include "fileUtils.h"
#include "process.h"

namespace trev {

namespace {

bool exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
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
    const RunOutcome run = runAndWait({bourne, estimator, result}, started);
    if (run.end == RunEnd::ForkFailed) {
        std::fputs("Failed to fork a child process to recalculate the available disk space.\n",
                   diag);
        return std::nullopt;
    }
    if (run.end == RunEnd::ExecFailed)
        std::fprintf(diag, "System error(%s) in execv command %s.\n", std::strerror(run.error),
                     estimator.c_str());
    std::optional<std::int64_t> freeDisk;
    if (run.endedWell()) {
        if (FilePtr f = openFile(result.c_str(), "r", false)) {
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
