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

extern char** environ;

namespace tk {

using std::chrono::steady_clock;

std::string RunResult::describe() const {
    std::ostringstream o;
    if (timedOut) o << "timed out; ";
    if (exited) o << "exit " << code;
    else if (signaled) o << "signal " << signal;
    else o << "not ended";
    o << "\n--- stdout ---\n" << out << "\n--- stderr ---\n" << err;
    return o.str();
}

// stdout and stderr, each read by a thread of its own until end of file.
struct Process::Capture {
    std::mutex m;
    std::string text[2];
    std::atomic<int> open{2};  // output pipes not yet at end of file
    std::thread pumps[2];
    void join() {
        for (std::thread& t : pumps)
            if (t.joinable()) t.join();
    }
    ~Capture() { join(); }
};

namespace {

// Writes everything at the pace given unless the reader goes, then closes fd.
void feed(int fd, const std::string& data, const FeedPace& pace) {
    std::mt19937 rng(99);
    for (size_t off = 0, i = 0; off < data.size(); ++i) {
        size_t n = std::min(pace.piece, data.size() - off);
        if (pace.randomPieces) n = std::min<size_t>(n, 1 + rng() % pace.piece);
        const ssize_t w = write(fd, data.data() + off, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) break;  // the reader has gone
        off += static_cast<size_t>(w);
        std::this_thread::sleep_for(i == 0 ? pace.firstPause : i <= pace.pausedWrites ? pace.pause : 0us);
    }
    close(fd);
}

}  // namespace

Process::~Process() {
    kill(SIGKILL);
    wait(5s);
}

void Process::start(const Spawn& s) {
    signal(SIGPIPE, SIG_IGN);
    int in[2], out[2], err[2];
    if (s.argv.empty() || pipe2(in, O_CLOEXEC) || pipe2(out, O_CLOEXEC) || pipe2(err, O_CLOEXEC))
        throw std::runtime_error("tk::Process: no argv or no pipe");
    // Environment and argv for the child, built before fork.
    std::map<std::string, std::string> env;
    for (char** e = environ; *e; ++e)
        if (const char* eq = std::strchr(*e, '=')) env[std::string(*e, static_cast<size_t>(eq - *e))] = eq + 1;
    for (const auto& u : s.unset) env.erase(u);
    for (const auto& kv : s.env) env[kv.first] = kv.second;
    std::vector<std::string> strings, args = s.argv;
    for (const auto& kv : env) strings.push_back(kv.first + "=" + kv.second);
    const auto pointers = [](std::vector<std::string>& v) {
        std::vector<char*> p;
        for (auto& e : v) p.push_back(e.data());
        p.push_back(nullptr);
        return p;
    };
    std::vector<char*> envp = pointers(strings), argv = pointers(args);

    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("tk::Process: fork failed");
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
        setpgid(0, 0);
        dup2(s.stdinFd >= 0 ? s.stdinFd : s.stdinData ? in[0] : open("/dev/null", O_RDONLY), 0);
        if (s.stdoutFd == Spawn::kClosed) close(1);
        else dup2(s.stdoutFd >= 0 ? s.stdoutFd : out[1], 1);
        dup2(err[1], 2);
        if (!s.cwd.empty() && chdir(s.cwd.c_str()) != 0) _exit(126);
        signal(SIGPIPE, SIG_DFL);
        execve(argv[0], argv.data(), envp.data());
        dprintf(2, "tk::Process: cannot execute %s: %s\n", argv[0], std::strerror(errno));
        _exit(127);
    }
    for (int fd : {in[0], out[1], err[1]}) close(fd);
    reaped_ = false;
    cap_ = std::make_shared<Capture>();
    for (int i : {0, 1}) {
        cap_->pumps[i] = std::thread([c = cap_.get(), i, fd = i ? err[0] : out[0]] {
            char buf[65536];
            for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0 || (n < 0 && errno == EINTR);) {
                std::lock_guard<std::mutex> lock(c->m);
                c->text[i].append(buf, static_cast<size_t>(std::max<ssize_t>(n, 0)));
            }
            close(fd);
            --c->open;
        });
    }
    feed(in[1], s.stdinData.value_or(""), FeedPace{});
}

bool Process::running() {
    if (pid_ <= 0 || reaped_) return false;
    reaped_ = waitpid(pid_, &status_, WNOHANG) == pid_;
    return !reaped_;
}

void Process::kill(int sig) {
    if (pid_ > 0 && !reaped_) ::kill(pid_, sig);
}

std::string Process::soFar(int which) {
    if (!cap_) return "";
    std::lock_guard<std::mutex> lock(cap_->m);
    return cap_->text[which];
}

std::optional<RunResult> Process::wait(std::chrono::milliseconds timeout) {
    if (pid_ <= 0) return std::nullopt;
    RunResult r;
    const auto deadline = steady_clock::now() + timeout;
    while (running() && !(r.timedOut = steady_clock::now() >= deadline)) std::this_thread::sleep_for(5ms);
    if (r.timedOut) {  // the whole process group: shells and their children too
        ::kill(-pid_, SIGKILL);
        waitpid(pid_, &status_, 0);
        reaped_ = true;
    }
    // Output pipes end when every holder has closed them.  A descendant left
    // running (in the program's process group) would keep them open: give it
    // two seconds, then end the group.
    const auto grace = steady_clock::now() + 2s;
    while (cap_->open > 0 && steady_clock::now() < grace) std::this_thread::sleep_for(5ms);
    if (cap_->open > 0) ::kill(-pid_, SIGKILL);
    cap_->join();
    r.out = outSoFar();
    r.err = errSoFar();
    r.exited = WIFEXITED(status_);
    r.code = r.exited ? WEXITSTATUS(status_) : -1;
    r.signaled = WIFSIGNALED(status_);
    r.signal = r.signaled ? WTERMSIG(status_) : 0;
    return r;
}

RunResult run(const Spawn& s, std::chrono::milliseconds timeout) { return *Process(s).wait(timeout); }

Feeder::Feeder(std::string data, FeedPace pace) {
    signal(SIGPIPE, SIG_IGN);
    int p[2];
    if (pipe2(p, O_CLOEXEC) != 0) throw std::runtime_error("tk::Feeder: pipe failed");
    readFd_ = p[0];
    writer_ = std::thread([fd = p[1], data = std::move(data), pace] { feed(fd, data, pace); });
}

Feeder::~Feeder() {
    close(readFd_);
    writer_.join();
}

}  // namespace tk
