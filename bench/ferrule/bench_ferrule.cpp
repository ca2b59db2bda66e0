// ferrule against its anchors on 1 GiB, measured in the same run.  Each case
// times ferrule and its anchor on the same file in /tmp, from the page cache,
// to /dev/null; they run by turns, best of three each.  It reports the time
// ratio, the throughput of both and the goal; peak memory is the maximum
// resident size of the child (wait4).  The compressor cases also time
// `dd bs=10240 | compressor`: what any pipe stage in front of the compressor
// costs.  The unscrambling stage alone cannot run in the program without zcat
// behind it, so it is timed in this process over the same chain (FilterBeg,
// UnSecureFltr, FilterEnd).  The temporary files are removed at the end, and
// on SIGINT/SIGTERM.
#include "filter.h"
#include "pipeline.h"
#include "scramble.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kFileSize = std::size_t{1} << 30;

// ---- temporary files ----

constexpr int kMaxTemps = 8;
char tempPaths[kMaxTemps][64];
volatile std::sig_atomic_t tempCount = 0;

void removeTemps() {
    for (int i = 0; i < tempCount; ++i) ::unlink(tempPaths[i]);
}

extern "C" void onSignal(int sig) {
    removeTemps();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

std::string tempPath(const char* name) {
    int i = tempCount;
    std::snprintf(tempPaths[i], sizeof tempPaths[i], "/tmp/bench_ferrule_%d_%s", static_cast<int>(::getpid()),
                  name);
    tempCount = i + 1;
    return tempPaths[i];
}

// Archive-like data: runs of text lines, of random bytes and of zeros, so
// that compress has something to do and the scrambler meets zeros too.
void writeSample(const std::string& path) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) {
        std::perror(path.c_str());
        std::exit(1);
    }
    static const char* words[] = {"usr", "lib", "install", "package", "orvanta", "trevalon", "/opt/",
                                  "config", "README", "0644", "root", "bin", "share", "man", "1996",
                                  "data", "tape", "block", "archive", "\n"};
    std::uint64_t x = 0x9E3779B97F4A7C15ull;
    auto next = [&x]() {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        return x;
    };
    std::vector<unsigned char> chunk(1 << 20);
    for (std::size_t done = 0; done < kFileSize; done += chunk.size()) {
        std::size_t i = 0;
        while (i < chunk.size()) {
            std::size_t run = std::min<std::size_t>(chunk.size() - i, 512 + next() % 3584);
            unsigned kind = static_cast<unsigned>(next() % 10);
            if (kind < 5) {  // text
                std::size_t end = i + run;
                while (i < end) {
                    const char* w = words[next() % 20];
                    for (; *w && i < end; ++w) chunk[i++] = static_cast<unsigned char>(*w);
                    if (i < end) chunk[i++] = ' ';
                }
            } else if (kind < 8) {  // binary
                for (std::size_t k = 0; k < run; k += 8) {
                    std::uint64_t r = next();
                    std::memcpy(&chunk[i + k], &r, std::min<std::size_t>(8, run - k));
                }
                i += run;
            } else {  // zeros
                std::memset(&chunk[i], 0, run);
                i += run;
            }
        }
        if (::write(fd, chunk.data(), chunk.size()) != static_cast<ssize_t>(chunk.size())) {
            std::perror(path.c_str());
            std::exit(1);
        }
    }
    ::close(fd);
}

// ---- timed runs ----

struct Measure {
    double seconds = 0;
    long peakKiB = 0;
    int status = 0;
};

// Runs argv with stdin from `in` and stdout to `out`, stderr discarded.
Measure runTimed(const std::vector<std::string>& argv, const std::string& in, const std::string& out) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    auto start = std::chrono::steady_clock::now();
    pid_t pid = ::fork();
    if (pid == 0) {
        int i = ::open(in.c_str(), O_RDONLY);
        int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int e = ::open("/dev/null", O_WRONLY);
        if (i < 0 || o < 0 || e < 0) _exit(126);
        ::dup2(i, 0);
        ::dup2(o, 1);
        ::dup2(e, 2);
        ::execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    struct rusage ru {};
    ::wait4(pid, &status, 0, &ru);
    Measure m;
    m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    m.peakKiB = ru.ru_maxrss;
    m.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return m;
}

// The unscrambling stage in this process: the program's own chain.
Measure unscrambleInProcess(const std::string& in) {
    static unsigned char buf[ferrule::kBufferSize];
    auto start = std::chrono::steady_clock::now();
    int fd = ::open(in.c_str(), O_RDONLY);
    int out = ::open("/dev/null", O_WRONLY);
    ssize_t ahead = ferrule::readHeader(fd, buf);
    ferrule::StderrMessages messages;
    ferrule::FileKeySource keys(messages);
    ferrule::Modes modes;
    modes.scrambling = ferrule::Scrambling::Unscramble;
    ferrule::FilterChain chain = ferrule::buildChain(modes, out, false, messages, keys);
    ferrule::Result r = ferrule::filterBeg(fd, buf, static_cast<std::size_t>(ahead), chain.view(), messages);
    ::close(fd);
    ::close(out);
    Measure m;
    m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    m.status = r.isOk() ? 0 : 1;
    return m;
}

// The commands run by turns, `runs` times each; the best time of each counts
// (other load on the machine only ever slows a run down).
std::vector<Measure> bestOfTurns(int runs, const std::vector<std::function<Measure()>>& commands) {
    std::vector<Measure> best(commands.size());
    for (int i = 0; i < runs; ++i) {
        for (std::size_t k = 0; k < commands.size(); ++k) {
            Measure m = commands[k]();
            if (m.status != 0) std::fprintf(stderr, "bench_ferrule: a run failed with status %d\n", m.status);
            if (i == 0 || m.seconds < best[k].seconds) best[k].seconds = m.seconds;
            best[k].peakKiB = std::max(best[k].peakKiB, m.peakKiB);
        }
    }
    return best;
}

// ---- the cases ----

struct Files {
    std::string plain, compressed, scrambled, key, sums;
};
Files files;

struct Row {
    std::string name, anchor;
    double seconds, anchorSeconds;
    double goal;  // the largest time ratio allowed; 0: for information
    long peakKiB;
    bool memoryGoal;
};
std::vector<Row> rows;

bool met(const Row& r) {
    return r.goal == 0 ||
           (r.seconds / r.anchorSeconds <= r.goal && (!r.memoryGoal || r.peakKiB < 8192));
}

std::string bin() { return FERRULE_BIN; }

void report(benchmark::State& state, Row row) {
    const double ratio = row.seconds / row.anchorSeconds;
    state.SetIterationTime(row.seconds);
    state.counters["MB/s"] = static_cast<double>(kFileSize) / row.seconds / 1e6;
    state.counters["anchor_MB/s"] = static_cast<double>(kFileSize) / row.anchorSeconds / 1e6;
    state.counters["time_ratio"] = ratio;
    state.counters["goal_max"] = row.goal;
    state.counters["peak_KiB"] = static_cast<double>(row.peakKiB);
    state.counters["met"] = met(row) ? 1 : 0;
    rows.push_back(std::move(row));
}

// A case: ferrule with `args` from `input` against `anchor`.  With a
// `pipe` command (a pipeline through dd bs=10240 into the anchor), also the
// cost of any pipe stage in front of the anchor, for comparison.
void programCase(benchmark::State& state, const std::string& name, std::vector<std::string> args,
                 const std::string& input, const std::string& anchorName,
                 const std::vector<std::string>& anchor, const std::string& anchorInput, double goal,
                 bool memoryGoal, int runs, const std::string& pipe = "") {
    for (auto _ : state) {
        args.insert(args.begin(), bin());
        std::vector<std::function<Measure()>> commands = {
            [&] { return runTimed(anchor, anchorInput, "/dev/null"); },
            [&] { return runTimed(args, input, "/dev/null"); }};
        if (!pipe.empty())
            commands.push_back([&] { return runTimed({"/bin/sh", "-c", pipe}, "/dev/null", "/dev/null"); });
        std::vector<Measure> m = bestOfTurns(runs, commands);
        args.erase(args.begin());
        report(state, {name, anchorName, m[1].seconds, m[0].seconds, goal, m[1].peakKiB, memoryGoal});
        if (!pipe.empty())
            rows.push_back({"  (dd bs=10240 | " + anchorName + ")", anchorName, m[2].seconds, m[0].seconds, 0,
                            0, false});
    }
}

const std::vector<std::string> kSumR = {"/usr/bin/sum", "-r"};

void registerCases() {
    auto add = [](const std::string& name, auto fn) {
        benchmark::RegisterBenchmark(name.c_str(), fn)->Iterations(1)->UseManualTime()->Unit(
            benchmark::kMillisecond);
    };
    add("copy_vs_dd", [](benchmark::State& s) {
        programCase(s, "copy", {""}, files.plain, "dd bs=10240",
                    {"/bin/dd", "if=" + files.plain, "of=/dev/null", "bs=10240"}, "/dev/null", 1.10, true, 3);
    });
    add("v_vs_sum_r", [](benchmark::State& s) {
        std::vector<std::string> sum = kSumR;
        sum.push_back(files.plain);
        programCase(s, "v", {"v", files.sums}, files.plain, "sum -r", sum, "/dev/null", 0.77, true, 3);
    });
    add("bv_vs_sum_r", [](benchmark::State& s) {
        std::vector<std::string> sum = kSumR;
        sum.push_back(files.plain);
        programCase(s, "bv", {"bv", files.sums}, files.plain, "sum -r", sum, "/dev/null", 0.77, true, 3);
    });
    add("s_vs_sum_r", [](benchmark::State& s) {
        std::vector<std::string> sum = kSumR;
        sum.push_back(files.plain);
        programCase(s, "s", {"s", files.key}, files.plain, "sum -r", sum, "/dev/null", 1.25, true, 3);
    });
    add("x_unscramble_vs_sum_r", [](benchmark::State& s) {
        for (auto _ : s) {
            std::vector<std::string> sum = kSumR;
            sum.push_back(files.plain);
            std::vector<Measure> m =
                bestOfTurns(3, {[&] { return runTimed(sum, "/dev/null", "/dev/null"); },
                                [&] { return unscrambleInProcess(files.scrambled); }});
            const Measure& a = m[0];
            const Measure& f = m[1];
            report(s, {"x (unscramble stage, in process)", "sum -r", f.seconds, a.seconds, 1.25, 0, false});
        }
    });
    add("c_vs_compress", [](benchmark::State& s) {
        programCase(s, "c", {"c"}, files.plain, "compress -f", {"/usr/bin/compress", "-f"}, files.plain,
                    1 / 0.93, false, 3,
                    "/bin/dd if=" + files.plain + " bs=10240 status=none | /usr/bin/compress -f");
    });
    add("x_vs_zcat", [](benchmark::State& s) {
        programCase(s, "x", {"x"}, files.compressed, "zcat", {"/usr/bin/zcat"}, files.compressed, 1 / 0.93,
                    false, 3, "/bin/dd if=" + files.compressed + " bs=10240 status=none | /usr/bin/zcat");
    });
}

void printSummary() {
    std::printf("\n%-34s %-12s %9s %9s %8s %8s %9s %s\n", "ferrule mode", "anchor", "MB/s", "anchor", "time",
                "goal", "peak", "");
    std::printf("%-34s %-12s %9s %9s %8s %8s %9s %s\n", "", "", "", "MB/s", "ratio", "(max)", "KiB", "");
    for (const Row& r : rows) {
        const double ratio = r.seconds / r.anchorSeconds;
        char goal[16] = "-";
        if (r.goal > 0) std::snprintf(goal, sizeof goal, "%.3f", r.goal);
        std::printf("%-34s %-12s %9.0f %9.0f %8.3f %8s %9s %s\n", r.name.c_str(), r.anchor.c_str(),
                    static_cast<double>(kFileSize) / r.seconds / 1e6,
                    static_cast<double>(kFileSize) / r.anchorSeconds / 1e6, ratio, goal,
                    r.peakKiB > 0 ? std::to_string(r.peakKiB).c_str() : "-",
                    r.goal == 0 ? "(for comparison)" : met(r) ? "met" : "NOT MET");
    }
    std::printf("(throughput ratio = 1 / time ratio; peak memory goal: under 8192 KiB without a compressor)\n");
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    files.plain = tempPath("plain");
    files.compressed = tempPath("plain.Z");
    files.scrambled = tempPath("scrambled");
    files.key = tempPath("key");
    files.sums = tempPath("sums");

    std::fprintf(stderr, "bench_ferrule: writing 1 GiB to %s\n", files.plain.c_str());
    writeSample(files.plain);
    {
        int fd = ::open(files.key.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const char key[] = "bench key: a hundred bytes or so of key material for the scrambling benchmark of ferrule...";
        if (fd < 0 || ::write(fd, key, sizeof key - 1) < 0) return 1;
        ::close(fd);
    }
    // Inputs of the x cases, made with the real compress and with ferrule.
    if (runTimed({"/usr/bin/compress", "-f"}, files.plain, files.compressed).status != 0 ||
        runTimed({bin(), "s", files.key}, files.plain, files.scrambled).status != 0) {
        std::fprintf(stderr, "bench_ferrule: could not prepare the inputs\n");
        removeTemps();
        return 1;
    }
    runTimed({"/bin/cat"}, files.plain, "/dev/null");  // into the page cache

    registerCases();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();
    removeTemps();
    return 0;
}
