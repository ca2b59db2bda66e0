// Helpers of ferrule's tests: a recording end of chain, temporary folders and
// files, a writer that feeds a descriptor in small slow pieces, and a runner
// for the built program.
#pragma once

#include "filter.h"

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace ferrule_test {

using Bytes = std::vector<unsigned char>;

Bytes toBytes(const std::string& s);
std::string toString(const Bytes& b);
// Deterministic pseudo-random bytes.
Bytes randomBytes(std::size_t n, std::uint32_t seed);

// The last element of a test chain: records every data call and the end.
// Optionally fails the data call with a given number (counting from 1).
class Collector final : public ferrule::Filter {
public:
    ferrule::Result run(unsigned char* buf, std::size_t count, ferrule::Chain rest) override;

    Bytes data;                       // all bytes of the data calls
    std::vector<std::size_t> counts;  // count of each data call
    int ends = 0;                     // end-of-stream calls
    bool dataAfterEnd = false;        // a data call came after the end
    int failCall = 0;                 // data call to fail (0: none)
    bool keep = true;                 // false: only count, do not store the bytes
    std::uint64_t total = 0;          // bytes of the data calls
};

// Runs `filters` (in order) then `end` over `input`, cut into calls of the
// given sizes (repeated; empty: one call), then the end of stream.
ferrule::Result runChain(std::vector<ferrule::Filter*> filters, Collector& end, const Bytes& input,
                         std::vector<std::size_t> cuts = {});

// A temporary folder, removed with all it holds.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void writeFile(const std::string& path, const Bytes& data);
void writeFile(const std::string& path, const std::string& data);
Bytes readFile(const std::string& path);
std::string readText(const std::string& path);
bool exists(const std::string& path);

// Writes `data` to descriptor fd from a thread, in pieces of 1 to maxPiece
// bytes with short pauses when slow, and closes fd at the end.  Ignores
// SIGPIPE for the process (a reader may stop early).
class Feeder {
public:
    Feeder(int fd, Bytes data, bool slow, std::size_t maxPiece = 97);
    ~Feeder();
    void join();

private:
    std::thread thread_;
};

// One run of a program.
struct RunSpec {
    std::vector<std::string> argv;  // argv[0] first
    std::string exe;                // the file to execute; empty: argv[0]
    Bytes input;                    // standard input, through a pipe
    std::string inputFile;          // or from this file (when not empty)
    bool slow = false;              // feed the pipe in small pieces with pauses
    bool closedStdout = false;      // standard output: a pipe nobody reads
    std::string stdoutFile;         // or this file (e.g. /dev/full)
    std::vector<std::string> env;   // "NAME=value" added to (or replacing) the environment
    std::string cwd;                // working folder; empty: unchanged
};

struct Outcome {
    Bytes out;
    std::string err;
    int waitStatus = 0;
    bool exited() const;
    int status() const;  // exit status, or -1 when ended by a signal
    int signal() const;  // the signal that ended it, or 0
};

Outcome runProgram(const RunSpec& run);

// The built ferrule, and a run of it with letters and values.
const char* ferruleBin();
Outcome runFerrule(std::vector<std::string> args, const Bytes& input, bool slow = false);

// What a shell command prints on its standard output for the given input.
Bytes shellFilter(const std::string& command, const Bytes& input);
// The checksum of coreutils' `sum -r` over the data.
unsigned realSum(const Bytes& data);

}  // namespace ferrule_test
