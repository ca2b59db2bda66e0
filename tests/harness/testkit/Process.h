// Running programs under test: argv, environment, stdin; capturing stdout,
// stderr and the exit status, with deadlines.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tk {

using namespace std::chrono_literals;

struct Spawn {
    Spawn() = default;
    Spawn(std::vector<std::string> args) : argv(std::move(args)) {}  // NOLINT: implicit on purpose

    std::vector<std::string> argv;              // argv[0] is the program path
    std::map<std::string, std::string> env;     // added to / overriding the inherited environment
    std::vector<std::string> unset;             // removed from the inherited environment
    std::optional<std::string> stdinData;       // written to stdin, then stdin is closed;
                                                // none: stdin is /dev/null
    std::string cwd;                            // working directory; empty: unchanged
    bool keepStdinOpen = false;                 // leave stdin open after stdinData (for prompts)
};

struct RunResult {
    bool exited = false;    // ended by exit()
    int code = -1;          // exit status when exited
    bool signaled = false;  // ended by a signal
    int signal = 0;
    bool timedOut = false;  // the deadline passed and the process was killed
    std::string out, err;
    std::string describe() const;  // for failure messages
};

class Process {
public:
    Process() = default;
    explicit Process(const Spawn& s) { start(s); }
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    void start(const Spawn& s);
    bool running();
    // Waits for the end; on timeout kills the process (SIGKILL) and reports
    // timedOut.  Returns nothing only when the process was never started.
    std::optional<RunResult> wait(std::chrono::milliseconds timeout = 30s);
    void kill(int sig);
    pid_t pid() const { return pid_; }
    std::string outSoFar();
    std::string errSoFar();
    void closeStdin();
    void writeStdin(const std::string& data);

private:
    struct Capture;
    pid_t pid_ = -1;
    bool reaped_ = false;
    int status_ = 0;
    std::shared_ptr<Capture> cap_;
};

// Runs to completion (or the deadline) and returns the result.
RunResult run(const Spawn& s, std::chrono::milliseconds timeout = 30s);

}  // namespace tk
