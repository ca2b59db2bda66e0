// Running programs under test: argv, environment, stdin; capturing stdout,
// stderr and the exit status, with deadlines.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <thread>
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
    int stdinFd = -1;                           // >= 0: the program's stdin instead (a file, a
                                                // Feeder's pipe); the caller keeps and closes it
    int stdoutFd = -1;                          // >= 0: the program's stdout instead, not captured;
                                                // kClosed: the program starts with it closed
    static constexpr int kClosed = -2;
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

// A started program, in a process group of its own; killed when this object
// goes while it still runs.
class Process {
public:
    Process() = default;
    explicit Process(const Spawn& s) { start(s); }
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    void start(const Spawn& s);
    bool running();
    // Waits for the end; on timeout kills the process group (SIGKILL) and
    // reports timedOut.  Returns nothing only when the process was never started.
    std::optional<RunResult> wait(std::chrono::milliseconds timeout = 30s);
    void kill(int sig);
    pid_t pid() const { return pid_; }
    std::string outSoFar() { return soFar(0); }
    std::string errSoFar() { return soFar(1); }

private:
    struct Capture;
    std::string soFar(int which);
    pid_t pid_ = -1;
    bool reaped_ = false;
    int status_ = 0;
    std::shared_ptr<Capture> cap_;
};

// Runs to completion (or the deadline) and returns the result.
RunResult run(const Spawn& s, std::chrono::milliseconds timeout = 30s);

// Writes `data` into a new pipe from a thread, for a reader that must cope
// with short reads: writes of at most `piece` bytes (of 1 to `piece` bytes,
// from a fixed seed, when randomPieces), a pause of firstPause after the
// first write and of `pause` after each of the next pausedWrites writes.
// readFd() is the pipe's read end (for Spawn::stdinFd or a reader under
// test).  The destructor closes the read end and waits for the writer, which
// stops when the reader has gone.  SIGPIPE is ignored in the test process.
struct FeedPace {
    std::size_t piece = 65536;
    bool randomPieces = false;
    std::chrono::microseconds firstPause{0}, pause{0};
    std::size_t pausedWrites = SIZE_MAX;
};

class Feeder {
public:
    Feeder(std::string data, FeedPace pace);
    ~Feeder();
    int readFd() const { return readFd_; }

private:
    int readFd_ = -1;
    std::thread writer_;
};

}  // namespace tk
