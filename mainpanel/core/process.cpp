#include "process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

namespace trev {

bool RunOutcome::endedWell() const {
    return end == RunEnd::Ended && !(WIFEXITED(status) && WEXITSTATUS(status) != 0);
}

RunOutcome runAndWait(const std::vector<std::string>& argv,
                      const std::function<void()>& started) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::fflush(nullptr);
    // A close-on-exec pipe tells whether the program started: the child
    // writes its errno to it only when execv failed.
    int report[2] = {-1, -1};
    if (pipe2(report, O_CLOEXEC) != 0) report[0] = report[1] = -1;
    RunOutcome out;
    const pid_t pid = fork();
    if (pid < 0) {
        out.error = errno;
        for (int fd : report)
            if (fd >= 0) ::close(fd);
        return out;
    }
    if (pid == 0) {
        // The form server ignores a broken pipe; the program starts afresh.
        signal(SIGPIPE, SIG_DFL);
        execv(args[0], args.data());
        const int err = errno;
        if (report[1] >= 0 && write(report[1], &err, sizeof err) < 0) {
            // Nothing left to tell it to.
        }
        _exit(127);
    }
    if (started) started();
    out.end = RunEnd::Ended;
    if (report[1] >= 0) {
        ::close(report[1]);
        int err = 0;
        ssize_t n;
        while ((n = ::read(report[0], &err, sizeof err)) < 0 && errno == EINTR) {
        }
        if (n == static_cast<ssize_t>(sizeof err)) {
            out.end = RunEnd::ExecFailed;
            out.error = err;
        }
        ::close(report[0]);
    }
    while (waitpid(pid, &out.status, 0) < 0) {
        if (errno != EINTR) break;
    }
    return out;
}

}  // namespace trev
