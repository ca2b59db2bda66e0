// Helpers of ferrule's tests: test data, a recording end of chain, and runs
// of the built program and of the real tools through the test kit.
#pragma once

#include "filter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "Process.h"
#include "TempRoot.h"

namespace ft {

// Bytes of a stream; a std::string, so that they compare and print plainly.
using Bytes = std::string;

// Deterministic pseudo-random bytes.
inline Bytes randomBytes(std::size_t n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes b(n, '\0');
    for (auto& x : b) x = static_cast<char>(rng() >> 24);
    return b;
}

inline unsigned char* uc(Bytes& b) { return reinterpret_cast<unsigned char*>(b.data()); }

// The last element of a test chain: records every data call and the end;
// fails the data call numbered failCall (from 1) when it is not 0.
class Collector final : public ferrule::Filter {
public:
    ferrule::Result run(unsigned char* buf, std::size_t count, ferrule::Chain) override {
        if (count == 0) {
            ++ends;
            return ferrule::Result::ok();
        }
        if (ends > 0) dataAfterEnd = true;
        counts.push_back(count);
        total += count;
        if (keep) data.append(reinterpret_cast<const char*>(buf), count);
        if (failCall != 0 && static_cast<int>(counts.size()) == failCall) return ferrule::Result::fail();
        return ferrule::Result::ok();
    }

    Bytes data;                       // all bytes of the data calls
    std::vector<std::size_t> counts;  // count of each data call
    int ends = 0;                     // end-of-stream calls
    bool dataAfterEnd = false;        // a data call came after the end
    int failCall = 0;
    bool keep = true;                 // false: only count the bytes
    std::uint64_t total = 0;
};

// Runs `filters` then `end` over `input` cut into calls of the given sizes
// (repeated; empty: one call), then the end of stream.
inline ferrule::Result runChain(std::vector<ferrule::Filter*> filters, Collector& end, Bytes input,
                                std::vector<std::size_t> cuts = {}) {
    filters.push_back(&end);
    ferrule::Chain chain(filters.data(), filters.size());
    if (cuts.empty()) cuts.push_back(input.empty() ? 1 : input.size());
    for (std::size_t off = 0, i = 0; off < input.size();) {
        const std::size_t n = std::min(cuts[i++ % cuts.size()], input.size() - off);
        ferrule::Result r = chain.pass(uc(input) + off, n);
        if (!r.isOk()) return r;
        off += n;
    }
    unsigned char none = 0;
    return chain.pass(&none, 0);
}

// The built ferrule with `args`, in the C locale.
inline tk::Spawn ferruleSpawn(std::vector<std::string> args, const Bytes& input = {}) {
    tk::Spawn s;
    s.argv = {FERRULE_BIN};
    s.argv.insert(s.argv.end(), args.begin(), args.end());
    s.stdinData = input;
    s.env["LC_ALL"] = "C";
    return s;
}

inline tk::RunResult runFerrule(std::vector<std::string> args, const Bytes& input) {
    return tk::run(ferruleSpawn(std::move(args), input));
}

// The same with the input fed through a pipe in small pieces with pauses,
// so that reads return fewer bytes than asked.
inline tk::FeedPace slowPace(std::size_t maxPiece = 97) {
    tk::FeedPace pace;
    pace.piece = maxPiece;
    pace.randomPieces = true;
    pace.pause = std::chrono::microseconds(100);
    return pace;
}

inline tk::RunResult runFerruleSlow(std::vector<std::string> args, const Bytes& input) {
    tk::Feeder feed(input, slowPace());
    tk::Spawn s = ferruleSpawn(std::move(args));
    s.stdinFd = feed.readFd();
    return tk::run(s);
}

// What a shell command prints for the given input.
inline Bytes shellFilter(const std::string& command, const Bytes& input) {
    tk::Spawn s({"/bin/sh", "-c", command});
    s.stdinData = input;
    s.env["LC_ALL"] = "C";
    return tk::run(s).out;
}

// The checksum of coreutils' `sum -r`, and its "%05u\n" line.
inline unsigned realSum(const Bytes& data) { return std::stoul(shellFilter("sum -r", data)); }
inline std::string sumLineOf(const Bytes& data) {
    char line[16];
    std::snprintf(line, sizeof line, "%05u\n", realSum(data));
    return line;
}

}  // namespace ft
