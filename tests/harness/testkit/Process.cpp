#include "Process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace tk {

std::string RunResult::describe() const {
    std::ostringstream o;
    if (timedOut) o << "timed out; ";
    if (exited) o << "exit " << code;
    else if (signaled) o << "signal " << signal;
    else o << "not ended";
    o << "\n--- stdout ---\n" << out << "\n--- stderr ---\n" << err;
    return o.str();
}

struct Process::Capture {
    std::mutex m;
    std::string out, err;
    std::atomic<int> open{2};  // output pipes not yet at end of file
    int inFd = -1;
    std::thread outThread, errThread;
    ~Capture() {
        if (outThread.joinable()) outThread.join();
        if (errThread.joinable()) errThread.join();
        if (inFd >= 0) close(inFd);
    }
};

namespace {

void pump(int fd, std::string* into, std::mutex* m, std::atomic<int>* open) {
    char buf[65536];
    for (;;) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        std::lock_guard<std::mutex> lock(*m);
        into->append(buf, static_cast<size_t>(n));
    }
    close(fd);
    --*open;
}

void writeAll(int fd, const std::string& data) {
    size_t off = 0;
    while (off < data.size()) {
        ssize_t n = write(fd, data.data() + off, data.size() - off);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // the program closed its stdin: fine
        off += static_cast<size_t>(n);
    }
}

}  // namespace

Process::~Process() {
    if (pid_ > 0 && !reaped_) {
        ::kill(pid_, SIGKILL);
        waitpid(pid_, &status_, 0);
        reaped_ = true;
    }
}

void Process::start(const Spawn& s) {
    if (s.argv.empty()) throw std::runtime_error("tk::Process: empty argv");
    signal(SIGPIPE, SIG_IGN);
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) || pipe2(out, O_CLOEXEC) || pipe2(err, O_CLOEXEC))
        throw std::runtime_error("tk::Process: pipe failed");

    // Environment for the child, built before fork.
    std::map<std::string, std::string> env;
    for (char** e = environ; *e; ++e) {
        const char* eq = std::strchr(*e, '=');
        if (eq) env[std::string(*e, static_cast<size_t>(eq - *e))] = eq + 1;
    }
    for (const auto& u : s.unset) env.erase(u);
    for (const auto& kv : s.env) env[kv.first] = kv.second;
    std::vector<std::string> envStrings;
    for (const auto& kv : env) envStrings.push_back(kv.first + "=" + kv.second);
    std::vector<char*> envp, argv;
    for (auto& e : envStrings) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> args = s.argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    bool devNullIn = !s.stdinData && !s.keepStdinOpen && s.stdinFd < 0;

    pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("tk::Process: fork failed");
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
        setpgid(0, 0);
        if (s.stdinFd >= 0) {
            dup2(s.stdinFd, 0);
        } else if (devNullIn) {
            int dn = open("/dev/null", O_RDONLY);
            dup2(dn, 0);
        } else {
            dup2(in[0], 0);
        }
        if (s.stdoutFd == Spawn::kClosed)
            close(1);
        else
            dup2(s.stdoutFd >= 0 ? s.stdoutFd : out[1], 1);
        dup2(err[1], 2);
        if (!s.cwd.empty() && chdir(s.cwd.c_str()) != 0) _exit(126);
        signal(SIGPIPE, SIG_DFL);
        execve(argv[0], argv.data(), envp.data());
        dprintf(2, "tk::Process: cannot execute %s: %s\n", argv[0], std::strerror(errno));
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    reaped_ = false;
    cap_ = std::make_shared<Capture>();
    cap_->inFd = in[1];
    cap_->outThread = std::thread(pump, out[0], &cap_->out, &cap_->m, &cap_->open);
    cap_->errThread = std::thread(pump, err[0], &cap_->err, &cap_->m, &cap_->open);
    if (s.stdinData) writeAll(cap_->inFd, *s.stdinData);
    if (!s.keepStdinOpen) closeStdin();
}

void Process::writeStdin(const std::string& data) {
    if (cap_ && cap_->inFd >= 0) writeAll(cap_->inFd, data);
}

void Process::closeStdin() {
    if (cap_ && cap_->inFd >= 0) {
        close(cap_->inFd);
        cap_->inFd = -1;
    }
}

bool Process::running() {
    if (pid_ <= 0 || reaped_) return false;
    pid_t r = waitpid(pid_, &status_, WNOHANG);
    if (r == pid_) {
        reaped_ = true;
        return false;
    }
    return true;
}

void Process::kill(int sig) {
    if (pid_ > 0 && !reaped_) ::kill(pid_, sig);
}

std::string Process::outSoFar() {
    if (!cap_) return "";
    std::lock_guard<std::mutex> lock(cap_->m);
    return cap_->out;
}

std::string Process::errSoFar() {
    if (!cap_) return "";
    std::lock_guard<std::mutex> lock(cap_->m);
    return cap_->err;
}

std::optional<RunResult> Process::wait(std::chrono::milliseconds timeout) {
    if (pid_ <= 0) return std::nullopt;
    RunResult r;
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (running()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            r.timedOut = true;
            // Kill the whole process group: shells and their children too.
            ::kill(-pid_, SIGKILL);
            ::kill(pid_, SIGKILL);
            waitpid(pid_, &status_, 0);
            reaped_ = true;
            break;
        }
        std::this_thread::sleep_for(5ms);
    }
    closeStdin();
    // Output pipes end when every holder has closed them.  A descendant left
    // running (in the program's process group) would keep them open: give it
    // two seconds, then end the group.
    auto grace = std::chrono::steady_clock::now() + 2s;
    while (cap_->open > 0 && std::chrono::steady_clock::now() < grace) std::this_thread::sleep_for(5ms);
    if (cap_->open > 0) ::kill(-pid_, SIGKILL);
    if (cap_->outThread.joinable()) cap_->outThread.join();
    if (cap_->errThread.joinable()) cap_->errThread.join();
    r.out = outSoFar();
    r.err = errSoFar();
    if (WIFEXITED(status_)) {
        r.exited = true;
        r.code = WEXITSTATUS(status_);
    } else if (WIFSIGNALED(status_)) {
        r.signaled = true;
        r.signal = WTERMSIG(status_);
    }
    return r;
}

RunResult run(const Spawn& s, std::chrono::milliseconds timeout) {
    Process p(s);
    return *p.wait(timeout);
}

Feeder::Feeder(std::string data, FeedPace pace) {
    signal(SIGPIPE, SIG_IGN);
    int p[2];
    if (pipe2(p, O_CLOEXEC) != 0) throw std::runtime_error("tk::Feeder: pipe failed");
    readFd_ = p[0];
    writer_ = std::thread([fd = p[1], data = std::move(data), pace] {
        std::mt19937 rng(99);
        std::size_t off = 0;
        for (std::size_t i = 0; off < data.size(); ++i) {
            std::size_t n = std::min(pace.piece, data.size() - off);
            if (pace.randomPieces) n = std::min<std::size_t>(n, 1 + rng() % pace.piece);
            ssize_t w = write(fd, data.data() + off, n);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) break;  // the reader has gone
            off += static_cast<size_t>(w);
            if (i == 0)
                std::this_thread::sleep_for(pace.firstPause);
            else if (i <= pace.pausedWrites)
                std::this_thread::sleep_for(pace.pause);
        }
        close(fd);
    });
}

Feeder::~Feeder() {
    close(readFd_);
    writer_.join();
}

}  // namespace tk
