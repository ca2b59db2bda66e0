// The Load Products form on a generated catalogue, driven like the tests do
// (Xvfb, mwm, the preloaded agent):
//   anchor:   an empty catalogue: the start of the program and of an empty
//             Motif form, until the form is on the screen;
//   load_1x:  5,000 products, 50,000 packages, 500,000 bundle lines, 50,000
//             package-information lines, 5,000 product markers, until the
//             form is on the screen and its list holds every product (goal:
//             under 1.5 s);
//   load_2x:  every count doubled (goal: at most 2.3 times load_1x);
//   select:   Select All then Deselect All on the 1x catalogue, from each
//             click until the list and the figures show it (goal: under
//             0.3 s for the two).
// The two catalogues are loaded in turn, so that both meet the same load of
// the machine; each time is the best of several runs.  States are polled
// without pauses, one request to the agent (about a millisecond) after the
// other.  The catalogue is written to a scratch folder under /tmp, removed
// at the end.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "Gui.h"
#include "TempRoot.h"
#include "XServer.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRounds = 5;

struct Catalogue {
    std::string root;
    int products = 0;
};
Catalogue gEmpty, gOne, gTwo;
std::string gDir;

class Writer {
public:
    explicit Writer(const std::string& path) : f_(std::fopen(path.c_str(), "w")) {
        if (!f_) throw std::runtime_error("cannot write " + path);
    }
    ~Writer() { std::fclose(f_); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;
    std::FILE* get() const { return f_; }

private:
    std::FILE* f_;
};

// `scale` 1: 5,000 products of 100 packages each drawn from 50,000; the
// bundle file lists every (package, product) pair, interleaved so that a
// product's lines are spread over the whole file; every product has a
// marker (installed, failed, or left by an earlier failed attempt).
Catalogue generate(const std::string& root, int scale) {
    const int products = 5000 * scale, packages = 50000 * scale, perProduct = 100;
    tk::makeDirs(root + "/install/tmp");
    tk::makeDirs(root + "/install/pdts");
    std::mt19937 rng(42u + static_cast<unsigned>(scale));
    std::vector<std::vector<int>> pkgs(static_cast<std::size_t>(products));
    for (auto& list : pkgs)
        for (int j = 0; j < perProduct; ++j) list.push_back(static_cast<int>(rng() % packages));
    const char* statuses[] = {"available", "available", "installed", "installed", "failed"};
    {
        Writer prods(root + "/prods");
        for (int p = 0; p < products; ++p)
            std::fprintf(prods.get(), "Product~Number~%d aux prod%06d %u v1 t%d %s\n", p, p,
                         static_cast<unsigned>(rng() % 200000), p % 7, statuses[p % 5]);
    }
    {
        Writer bundles(root + "/install/tmp/bundles.sun4v");
        for (int j = 0; j < perProduct; ++j)
            for (int p = 0; p < products; ++p)
                std::fprintf(bundles.get(), "x PKG%07d prod%06d\n", pkgs[static_cast<std::size_t>(p)][static_cast<std::size_t>(j)], p);
    }
    {
        Writer pkginfo(root + "/install/tmp/pkginfo.sun4v");
        for (int k = 0; k < packages; ++k)
            std::fprintf(pkginfo.get(), "x PKG%07d %u y\n", k, static_cast<unsigned>(rng() % 5000));
    }
    for (int p = 0; p < products; ++p) {
        const char* suffix = p % 5 == 2 || p % 5 == 3 ? "ok" : "nok";
        char path[256];
        std::snprintf(path, sizeof path, "%s/install/pdts/prod%06d_v1_t%d.%s", root.c_str(), p,
                      p % 7, suffix);
        Writer marker(path);
        std::fprintf(marker.get(), "prod%06d marker\n", p);
        for (int k : pkgs[static_cast<std::size_t>(p)]) std::fprintf(marker.get(), "PKG%07d\n", k);
    }
    return {root, products};
}

std::unique_ptr<tk::GuiApp> startForm(const Catalogue& c) {
    // Each run starts from no form.status, as the first form of a session.
    std::remove((c.root + "/install/tmp/form.status").c_str());
    return std::make_unique<tk::GuiApp>(
        std::vector<std::string>{MAINPANEL_BIN, "2", c.root + "/prods", c.root + "/sel", "5000000",
                                 "1234"},
        std::map<std::string, std::string>{{"Proot", c.root}, {"OVS_INST_PLAT", "sun4v"}});
}

int count(tk::GuiApp& app, const char* resource) {
    return std::stoi(app.resource("selProdListV", resource));
}

// Polls `done` until it holds; fails after a minute.
template <typename Pred>
void pollUntil(const Pred& done, const char* what) {
    const auto deadline = Clock::now() + std::chrono::minutes(1);
    while (!done())
        if (Clock::now() > deadline) throw std::runtime_error(std::string("timed out: ") + what);
}

double since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Seconds from the start of the program until the form is on the screen
// and its list holds every product.
double loadOnce(const Catalogue& c) {
    const auto start = Clock::now();
    auto app = startForm(c);
    pollUntil([&] { return app->mapped("selProdListV") && count(*app, "itemCount") == c.products; },
              "the list");
    return since(start);
}

// The best load times of the three catalogues, taken in turn.
struct Loads {
    double empty = 1e9, one = 1e9, two = 1e9;
};
Loads measureLoads() {
    Loads best;
    for (int i = 0; i < kRounds; ++i) {
        best.empty = std::min(best.empty, loadOnce(gEmpty));
        best.one = std::min(best.one, loadOnce(gOne));
        best.two = std::min(best.two, loadOnce(gTwo));
    }
    return best;
}

// Seconds from the Select All click until every product is selected and
// the required space shown, plus from the Deselect All click until none is
// and it shows 0.  (The time of the click request itself is left out: the
// test agent spaces clicks beyond the double-click time.)
double selectSeconds(const Catalogue& c) {
    auto app = startForm(c);
    pollUntil([&] { return count(*app, "itemCount") == c.products; }, "the list");
    double best = 1e9;
    for (int i = 0; i < kRounds; ++i) {
        app->click("selProdSelAll");
        auto start = Clock::now();
        pollUntil([&] {
            return count(*app, "selectedItemCount") == c.products &&
                   app->label("selProdTotalSizeV").rfind("0 KBytes", 0) != 0;
        }, "all selected");
        double t = since(start);
        app->click("selProdDeselAll");
        start = Clock::now();
        pollUntil([&] {
            return count(*app, "selectedItemCount") == 0 &&
                   app->label("selProdTotalSizeV").rfind("0 KBytes", 0) == 0;
        }, "none selected");
        best = std::min(best, t + since(start));
    }
    return best;
}

Loads gLoads;

void report(benchmark::State& state, double seconds, double ratio, double goal) {
    state.SetIterationTime(seconds);
    state.counters["seconds"] = seconds;
    state.counters["ratio"] = ratio;
    state.counters["goal"] = goal;
    state.counters["met"] = ratio <= goal;
}

void Anchor(benchmark::State& s) {
    for (auto _ : s) gLoads = measureLoads();
    report(s, gLoads.empty, 1.0, 1.0);
}
// Goal as a time: the ratio is seconds over the 1.5 s allowed.
void Load1x(benchmark::State& s) {
    for (auto _ : s) {
    }
    report(s, gLoads.one, gLoads.one / 1.5, 1.0);
    s.counters["over_anchor"] = gLoads.one / gLoads.empty;
}
void Load2x(benchmark::State& s) {
    for (auto _ : s) {
    }
    report(s, gLoads.two, gLoads.two / gLoads.one, 2.3);
    // The growth of the catalogue's own part, the empty form taken off.
    s.counters["own_growth"] = (gLoads.two - gLoads.empty) / (gLoads.one - gLoads.empty);
}
void SelectAllDeselectAll(benchmark::State& s) {
    double t = 0;
    for (auto _ : s) t = selectSeconds(gOne);
    report(s, t, t / 0.3, 1.0);
}

}  // namespace

BENCHMARK(Anchor)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Load1x)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Load2x)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SelectAllDeselectAll)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    int status = 0;
    try {
        char dir[] = "/tmp/catalogue_benchXXXXXX";
        if (!mkdtemp(dir)) throw std::runtime_error("mkdtemp");
        gDir = dir;
        tk::makeDirs(gDir + "/empty/install/tmp");
        tk::writeFile(gDir + "/empty/prods", "");
        tk::writeFile(gDir + "/empty/install/tmp/bundles.sun4v", "");
        tk::writeFile(gDir + "/empty/install/tmp/pkginfo.sun4v", "");
        gEmpty = {gDir + "/empty", 0};
        gOne = generate(gDir + "/one", 1);
        gTwo = generate(gDir + "/two", 2);
        tk::XServer::shared();
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_catalogue: %s\n", e.what());
        status = 1;
    }
    if (!gDir.empty()) tk::removeTree(gDir);
    benchmark::Shutdown();
    return status;
}
