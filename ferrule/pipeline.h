// ferrule's program logic as pure functions: the command line, the detection by the first
// bytes, the composition of the shell command and of the filter chain, and
// the exit status.  ferrule's main only does the reads, the pipe and the exit.
#pragma once

#include "filter.h"
#include "scramble.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ferrule {

enum class Compression { None, Compress, Decompress };
enum class Scrambling { None, Scramble, Unscramble };

// The operations asked for, as the command line sets them and detection and
// the pipeline adjust them.
struct Modes {
    Compression compression = Compression::None;
    Scrambling scrambling = Scrambling::None;
    bool blocking = false;
    bool checksum = false;
    long dotKb = 0;     // V_size: a dot every dotKb KBytes; 0 = no dots
    std::string vFile;  // checksum file
    std::string sFile;  // key file
};

extern const char kUsageMessage[];
extern const char kSFileTooLongMessage[];

enum class ParseStatus { Ok, Usage, SFileTooLong };

struct ParseResult {
    ParseStatus status = ParseStatus::Usage;
    Modes modes;
};

// The letters and their values, in order (argv[0] is the program name).
ParseResult parseCommandLine(int argc, const char* const* argv);

// What the first bytes say.
struct Identity {
    bool scrambled = false;
    bool compressed = false;
};

// Identify: scrambled when buf starts with smagic and either holds 102 bytes
// or a NUL ends the key path in the bytes there are (a short stream);
// compressed when scrambled, or count >= 2 and buf starts with zmagic.
Identity identify(const unsigned char* buf, std::size_t count);

// What the first bytes change (only when compression was asked for): no
// scrambling of a scrambled input, no unscrambling of one that is not; no
// compression of a compressed (or scrambled) input, no decompression of one
// that is not.
Modes adjustForInput(Modes modes, Identity id);

// What runs behind this process: the compressor or zcat (`first`; empty:
// write to standard output), the second ferrule it feeds (`second`; empty:
// none), and the operations left in this process.
struct Pipeline {
    std::string first;
    std::string second;
    Modes local;
};

extern const char kCompressCommand[];
extern const char kZcatCommand[];

// The command and what moves behind it into a second ferrule (blocking,
// checksum, dots, and scrambling when compressing).  Every word taken from
// the command line or from `programName` (the absolute path of the running
// program, never a name to look up in PATH) is single-quoted for the shell.
Pipeline composePipeline(const Modes& modes, const std::string& programName);

// The text given to the shell: `first`, or `first | second` written so that
// the shell's status is the second stage's when it failed and otherwise the
// first stage's.  A plain pipeline would report only the second stage, and
// zcat failing on a damaged archive would pass for success behind a second
// ferrule that simply met the end of its input.  Empty when nothing runs.
std::string shellCommand(const Pipeline& pipeline);

// The filters of a process, in chain order, ending with FilterEnd.
class FilterChain {
public:
    Chain view() const { return Chain(order_.data(), order_.size()); }

private:
    friend FilterChain buildChain(const Modes&, int, bool, Messages&, KeySource&);
    std::vector<std::unique_ptr<Filter>> owned_;
    std::vector<Filter*> order_;
};

// The chain: scrambling filter, BlockFltr, DotFltr, SumFltr, each when
// active, then FilterEnd writing to outFd (paced: see makePacedPipe).
FilterChain buildChain(const Modes& modes, int outFd, bool paced, Messages& messages, KeySource& keys);

// The exit status for what a pipe's close returned: the command's own exit
// status, 128 + the signal that ended it, 255 for a close that failed.
int exitStatusOfWait(int waitStatus);

// The exit status at the end: the close's status when it is not 0,
// otherwise 1 after a failure and 0 after success.
int finalStatus(bool failed, int closeStatus);

}  // namespace ferrule
