// tart's speed as ratios against GNU tar measured in the same run, on
// archives GNU tar writes in a scratch folder under /tmp (removed at the end):
//   small:  100,000 small members, regular file on stdin, default format,
//           against `tar -tv <` (goal: at most 0.8);
//   large:  1 GiB of 16 MiB members, regular file on stdin, default format,
//           against `tar -tv <` (goal: at most 0.1);
//   sum:    `+%c %f` over the 1 GiB archive against `tar -xO < a | sum -r`,
//           as a throughput ratio (goal: at least 1.3);
//   pipe:   `cat a | tart` against `cat a | tar -tv`, for both archives
//           (goal: at most 1.0).
// Each figure is the best of several alternating runs of both commands.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

const std::string kTart = TART_BIN;
std::string gDir;
std::string gSmall;
std::string gLarge;
constexpr int kRounds = 5;

void sh(const std::string& cmd) {
    if (std::system(cmd.c_str()) != 0) throw std::runtime_error("failed: " + cmd);
}

double seconds(const std::string& cmd) {
    const auto start = std::chrono::steady_clock::now();
    sh(cmd);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void writeFile(const std::string& path, const std::string& data) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    std::fwrite(data.data(), 1, data.size(), f);
    std::fclose(f);
}

void makeArchives() {
    char dir[] = "/tmp/tart_benchXXXXXX";
    if (!mkdtemp(dir)) throw std::runtime_error("mkdtemp");
    gDir = dir;
    std::mt19937 rng(7);
    // 1,000 small files, each archived 100 times: 100,000 members.
    sh("mkdir " + gDir + "/s");
    std::string list;
    for (int i = 0; i < 1000; ++i) {
        std::string data(rng() % 2000, '\0');
        for (char& c : data) c = static_cast<char>('a' + rng() % 26);
        writeFile(gDir + "/s/f" + std::to_string(i), data);
    }
    for (int r = 0; r < 100; ++r) {
        for (int i = 0; i < 1000; ++i) list += "s/f" + std::to_string(i) + "\n";
    }
    writeFile(gDir + "/small.list", list);
    gSmall = gDir + "/small.tar";
    sh("tar --hard-dereference --format=ustar -cf " + gSmall + " -C " + gDir + " -T " + gDir + "/small.list");
    // One 16 MiB file archived 64 times: 1 GiB of large members.  (Without
    // --hard-dereference GNU tar stores a file seen again as a link to it.)
    std::string big(16u << 20, '\0');
    for (char& c : big) c = static_cast<char>(rng());
    writeFile(gDir + "/big", big);
    std::string names;
    for (int i = 0; i < 64; ++i) names += " big";
    gLarge = gDir + "/large.tar";
    sh("tar --hard-dereference --format=gnu -cf " + gLarge + " -C " + gDir + names);
    // Every member listed, and the same listing from a file and a pipe.
    sh("[ \"$(" TART_BIN " +%f < " + gSmall + " | wc -l)\" = 100000 ]");
    sh(kTart + " < " + gLarge + " > " + gDir + "/file.out");
    sh("cat " + gLarge + " | " + kTart + " > " + gDir + "/pipe.out");
    sh("cmp -s " + gDir + "/file.out " + gDir + "/pipe.out");
    sh("[ \"$(wc -l < " + gDir + "/file.out)\" = 64 ]");
    // Bring both into the page cache.
    sh("cat " + gSmall + " " + gLarge + " > /dev/null");
}

// Runs tart's command and the anchor alternately; reports the best times
// and the ratio tart / anchor.
void compare(benchmark::State& state, const std::string& tart, const std::string& anchor,
             double goal, bool throughput) {
    double bestTart = 1e9, bestAnchor = 1e9;
    for (auto _ : state) {
        for (int i = 0; i < kRounds; ++i) {
            bestAnchor = std::min(bestAnchor, seconds(anchor));
            bestTart = std::min(bestTart, seconds(tart));
        }
        state.SetIterationTime(bestTart);
    }
    state.counters["tart_s"] = bestTart;
    state.counters["anchor_s"] = bestAnchor;
    // For throughput the ratio is anchor time over tart time (higher is
    // better), otherwise tart time over anchor time (lower is better).
    const double ratio = throughput ? bestAnchor / bestTart : bestTart / bestAnchor;
    state.counters["ratio"] = ratio;
    state.counters["goal"] = goal;
    state.counters["met"] = throughput ? ratio >= goal : ratio <= goal;
}

void SmallMembers(benchmark::State& s) {
    compare(s, kTart + " < " + gSmall + " > /dev/null", "tar -tv < " + gSmall + " > /dev/null",
            0.8, false);
}
void LargeMembers(benchmark::State& s) {
    compare(s, kTart + " < " + gLarge + " > /dev/null", "tar -tv < " + gLarge + " > /dev/null",
            0.1, false);
}
void ChecksumThroughput(benchmark::State& s) {
    compare(s, kTart + " '+%c %f' < " + gLarge + " > /dev/null",
            "tar -xO < " + gLarge + " | sum -r > /dev/null", 1.3, true);
}
void PipeSmall(benchmark::State& s) {
    compare(s, "cat " + gSmall + " | " + kTart + " > /dev/null",
            "cat " + gSmall + " | tar -tv > /dev/null", 1.0, false);
}
void PipeLarge(benchmark::State& s) {
    compare(s, "cat " + gLarge + " | " + kTart + " > /dev/null",
            "cat " + gLarge + " | tar -tv > /dev/null", 1.0, false);
}

}  // namespace

BENCHMARK(SmallMembers)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(LargeMembers)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ChecksumThroughput)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PipeSmall)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PipeLarge)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    int status = 0;
    try {
        makeArchives();
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_tart: %s\n", e.what());
        status = 1;
    }
    if (!gDir.empty()) std::system(("rm -rf " + gDir).c_str());
    benchmark::Shutdown();
    return status;
}
