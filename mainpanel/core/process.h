// Running another program and waiting for it: the free-space estimator of
// the Recheck and the terminal of Mount CD.  The form blocks meanwhile.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace trev {

enum class RunEnd {
    Ended,        // the program ran and ended; `status` is its wait status
    ExecFailed,   // it could not be executed; `error` is the reason (errno)
    ForkFailed,   // no child could be made; `error` is the reason
};

struct RunOutcome {
    RunEnd end = RunEnd::ForkFailed;
    int status = 0;
    int error = 0;

    // Ended with exit status 0, or by a signal (which may still have left
    // its answer behind).
    bool endedWell() const;
};

// Runs argv[0] (a path, not looked up in PATH) with `argv`, the standard
// descriptors inherited, and waits for it.  `started` is called once the
// child exists, before the wait.
RunOutcome runAndWait(const std::vector<std::string>& argv,
                      const std::function<void()>& started = {});

}  // namespace trev
