#include "testSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace ferrule_test {

Bytes toBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }
std::string toString(const Bytes& b) { return std::string(b.begin(), b.end()); }

Bytes randomBytes(std::size_t n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& x : b) x = static_cast<unsigned char>(rng() >> 24);
    return b;
}

ferrule::Result Collector::run(unsigned char* buf, std::size_t count, ferrule::Chain) {
    if (count == 0) {
        ++ends;
        return ferrule::Result::ok();
    }
    if (ends > 0) dataAfterEnd = true;
    counts.push_back(count);
    total += count;
    if (keep) data.insert(data.end(), buf, buf + count);
    if (failCall != 0 && static_cast<int>(counts.size()) == failCall) return ferrule::Result::fail();
    return ferrule::Result::ok();
}

ferrule::Result runChain(std::vector<ferrule::Filter*> filters, Collector& end, const Bytes& input,
                         std::vector<std::size_t> cuts) {
    filters.push_back(&end);
    ferrule::Chain chain(filters.data(), filters.size());
    Bytes copy = input;  // filters change buffers in place
    if (cuts.empty()) cuts.push_back(copy.empty() ? 1 : copy.size());
    std::size_t off = 0, i = 0;
    while (off < copy.size()) {
        std::size_t n = std::min(cuts[i++ % cuts.size()], copy.size() - off);
        if (n == 0) continue;
        ferrule::Result r = chain.pass(copy.data() + off, n);
        if (!r.isOk()) return r;
        off += n;
    }
    unsigned char none = 0;
    return chain.pass(&none, 0);
}

TempDir::TempDir() {
    char tmpl[] = "/tmp/ferrule_testXXXXXX";
    if (::mkdtemp(tmpl) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void writeFile(const std::string& path, const Bytes& data) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!f) throw std::runtime_error("cannot write " + path);
}

void writeFile(const std::string& path, const std::string& data) { writeFile(path, toBytes(data)); }

Bytes readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string readText(const std::string& path) { return toString(readFile(path)); }

bool exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

Feeder::Feeder(int fd, Bytes data, bool slow, std::size_t maxPiece) {
    std::signal(SIGPIPE, SIG_IGN);
    if (fd < 0) return;
    thread_ = std::thread([fd, data = std::move(data), slow, maxPiece]() {
        std::mt19937 rng(99);
        std::size_t off = 0;
        while (off < data.size()) {
            std::size_t n = data.size() - off;
            if (slow) {
                n = std::min<std::size_t>(n, 1 + rng() % maxPiece);
                std::this_thread::sleep_for(std::chrono::microseconds(rng() % 200));
            }
            ssize_t w = ::write(fd, data.data() + off, n);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) break;  // the reader has gone
            off += static_cast<std::size_t>(w);
        }
        ::close(fd);
    });
}

Feeder::~Feeder() { join(); }

void Feeder::join() {
    if (thread_.joinable()) thread_.join();
}

bool Outcome::exited() const { return WIFEXITED(waitStatus); }
int Outcome::status() const { return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1; }
int Outcome::signal() const { return WIFSIGNALED(waitStatus) ? WTERMSIG(waitStatus) : 0; }

namespace {

std::vector<std::string> environmentWith(const std::vector<std::string>& extra) {
    std::vector<std::string> env;
    auto overridden = [&extra](const std::string& entry) {
        for (const auto& e : extra) {
            std::string name = e.substr(0, e.find('='));
            if (entry.compare(0, name.size() + 1, name + "=") == 0) return true;
        }
        return false;
    };
    for (char** e = environ; *e != nullptr; ++e)
        if (!overridden(*e)) env.emplace_back(*e);
    env.insert(env.end(), extra.begin(), extra.end());
    return env;
}

std::vector<char*> cStrings(std::vector<std::string>& v) {
    std::vector<char*> out;
    for (auto& s : v) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

}  // namespace

Outcome runProgram(const RunSpec& run) {
    std::signal(SIGPIPE, SIG_IGN);
    int in[2] = {-1, -1}, out[2], err[2];
    const bool pipeInput = run.inputFile.empty();
    if ((pipeInput && ::pipe2(in, O_CLOEXEC) != 0) || ::pipe2(out, O_CLOEXEC) != 0 ||
        ::pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<std::string> args = run.argv;
    std::vector<std::string> env = environmentWith(run.env);
    std::vector<char*> cargs = cStrings(args);
    std::vector<char*> cenv = cStrings(env);
    const std::string exe = run.exe.empty() ? run.argv[0] : run.exe;

    pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        std::signal(SIGPIPE, SIG_DFL);
        int inFd = pipeInput ? in[0] : ::open(run.inputFile.c_str(), O_RDONLY);
        int outFd = run.stdoutFile.empty() ? out[1] : ::open(run.stdoutFile.c_str(), O_WRONLY);
        if (inFd < 0 || outFd < 0) _exit(126);
        ::dup2(inFd, 0);
        ::dup2(outFd, 1);
        ::dup2(err[1], 2);
        if (!run.cwd.empty() && ::chdir(run.cwd.c_str()) != 0) _exit(126);
        ::execve(exe.c_str(), cargs.data(), cenv.data());
        _exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    if (pipeInput) ::close(in[0]);
    if (run.closedStdout) {
        ::close(out[0]);
        out[0] = -1;
    }
    Feeder feeder(pipeInput ? in[1] : -1, pipeInput ? run.input : Bytes{}, run.slow);

    Outcome o;
    struct pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    int open = (out[0] >= 0) + 1;
    unsigned char buf[65536];
    while (open > 0) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                if (i == 0)
                    o.out.insert(o.out.end(), buf, buf + n);
                else
                    o.err.append(reinterpret_cast<char*>(buf), static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    feeder.join();
    while (::waitpid(pid, &o.waitStatus, 0) < 0 && errno == EINTR) {
    }
    return o;
}

const char* ferruleBin() { return FERRULE_BIN; }

Outcome runFerrule(std::vector<std::string> args, const Bytes& input, bool slow) {
    RunSpec run;
    run.argv.push_back(ferruleBin());
    run.argv.insert(run.argv.end(), args.begin(), args.end());
    run.input = input;
    run.slow = slow;
    run.env = {"LC_ALL=C"};
    return runProgram(run);
}

Bytes shellFilter(const std::string& command, const Bytes& input) {
    RunSpec run;
    run.argv = {"/bin/sh", "-c", command};
    run.input = input;
    run.env = {"LC_ALL=C"};
    return runProgram(run).out;
}

unsigned realSum(const Bytes& data) {
    std::istringstream line(toString(shellFilter("sum -r", data)));
    unsigned sum = 0;
    line >> sum;
    return sum;
}

}  // namespace ferrule_test
