// tart's speed as ratios against GNU tar measured in the same run, on
// archives GNU tar writes in a scratch folder under /tmp (removed at the end):
//   small:  100,000 small members, regular file on stdin, default format,
//           against `tar -tv <` (goal: at most 0.8);
//   large:  1 GiB of 16 MiB members, regular file on stdin, default format,
//           against `tar -tv <` (goal: at most 0.1);
//   sum:    `+%c %f` over the 1 GiB archive against `tar -xO < a | sum -r`,
//           as a throughput ratio (goal: at least 1.3);
//   pipe:   `cat a | tart` against `cat a | tar -tv` and `cat a | bsdtar -tv`
//           in the same run, for the small archive in the ustar and in the
//           posix format (a pax header before every member; goal: at most
//           0.8 of each), and against `tar -tv` for the large one (goal: at
//           most 1.0);
//   v7:     the small archive in the V7 format against `tar -tv` (goal: at
//           most 0.8, as the ustar figure; V7 headers take the same path
//           as before, with no extension records to fold in);
//   memory: peak resident size of tart listing a 9 GiB member in the posix
//           format (GNU tar writes its size in a pax header), streamed
//           through a pipe from tar reading a sparse file, so that nothing
//           large is written to disk (goal: under 8 MiB).
// Each figure is the best of several alternating runs of the commands.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string kTart = TART_BIN;
std::string gDir;
std::string gSmall;
std::string gSmallPosix;
std::string gSmallV7;
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
    gSmallPosix = gDir + "/small-posix.tar";
    sh("tar --hard-dereference --format=posix -cf " + gSmallPosix + " -C " + gDir + " -T " + gDir +
       "/small.list");
    gSmallV7 = gDir + "/small-v7.tar";
    sh("tar --hard-dereference --format=v7 -cf " + gSmallV7 + " -C " + gDir + " -T " + gDir + "/small.list");
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
    for (const std::string& a : {gSmall, gSmallPosix, gSmallV7})
        sh("[ \"$(" TART_BIN " +%f < " + a + " | wc -l)\" = 100000 ]");
    sh(kTart + " < " + gLarge + " > " + gDir + "/file.out");
    sh("cat " + gLarge + " | " + kTart + " > " + gDir + "/pipe.out");
    sh("cmp -s " + gDir + "/file.out " + gDir + "/pipe.out");
    sh("[ \"$(wc -l < " + gDir + "/file.out)\" = 64 ]");
    // Bring both into the page cache.
    sh("cat " + gSmall + " " + gSmallPosix + " " + gSmallV7 + " " + gLarge + " > /dev/null");
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
// tart through a pipe against GNU tar and bsdtar on the same archive, all
// three alternating in one run.
void pipeAgainstBoth(benchmark::State& state, const std::string& archive, double goal) {
    const std::string tart = "cat " + archive + " | " + kTart + " > /dev/null";
    const std::string tar = "cat " + archive + " | tar -tv > /dev/null";
    const std::string bsdtar = "cat " + archive + " | bsdtar -tv > /dev/null";
    double bestTart = 1e9, bestTar = 1e9, bestBsdtar = 1e9;
    for (auto _ : state) {
        for (int i = 0; i < kRounds; ++i) {
            bestTar = std::min(bestTar, seconds(tar));
            bestBsdtar = std::min(bestBsdtar, seconds(bsdtar));
            bestTart = std::min(bestTart, seconds(tart));
        }
        state.SetIterationTime(bestTart);
    }
    state.counters["tart_s"] = bestTart;
    state.counters["tar_s"] = bestTar;
    state.counters["bsdtar_s"] = bestBsdtar;
    state.counters["ratio_tar"] = bestTart / bestTar;
    state.counters["ratio_bsdtar"] = bestTart / bestBsdtar;
    state.counters["goal"] = goal;
    state.counters["met"] = bestTart / bestTar <= goal && bestTart / bestBsdtar <= goal;
}

void PipeSmall(benchmark::State& s) { pipeAgainstBoth(s, gSmall, 0.8); }
void PipeSmallPosix(benchmark::State& s) { pipeAgainstBoth(s, gSmallPosix, 0.8); }
void V7Members(benchmark::State& s) {
    compare(s, kTart + " < " + gSmallV7 + " > /dev/null", "tar -tv < " + gSmallV7 + " > /dev/null",
            0.8, false);
}

// Peak resident size of tart over a 9 GiB member and one after it, both in
// the posix format, piped from GNU tar.
void Memory9GiB(benchmark::State& state) {
    const std::string dir = gDir + "/huge";
    sh("mkdir -p " + dir + " && truncate -s 9G " + dir + "/big && echo after > " + dir + "/after");
    long peakKb = 0;
    std::string listing;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        FILE* tar = popen(("tar --format=posix -cf - -C " + dir + " big after").c_str(), "r");
        if (!tar) throw std::runtime_error("cannot start tar");
        int out[2];
        if (pipe(out) != 0) throw std::runtime_error("pipe");
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(fileno(tar), 0);
            dup2(out[1], 1);
            execl(TART_BIN, TART_BIN, "+%s %f", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        char buf[4096];
        ssize_t n;
        while ((n = read(out[0], buf, sizeof buf)) > 0) listing.append(buf, static_cast<std::size_t>(n));
        close(out[0]);
        int status = 0;
        struct rusage ru{};
        wait4(pid, &status, 0, &ru);
        pclose(tar);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("tart failed on 9 GiB");
        peakKb = ru.ru_maxrss;
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    sh("rm -rf " + dir);
    if (listing != "9663676416 big\n     6 after\n") throw std::runtime_error("9 GiB listing: " + listing);
    state.counters["peak_MiB"] = peakKb / 1024.0;
    state.counters["goal"] = 8;
    state.counters["met"] = peakKb < 8 * 1024;
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
BENCHMARK(PipeSmallPosix)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(V7Members)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Memory9GiB)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

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
