#include "pipeline.h"

#include "ferruleExit.h"
#include "filters.h"
#include "shellQuote.h"

#include <sys/wait.h>

#include <climits>
#include <cstring>

namespace ferrule {

const char kUsageMessage[] = "Usage: ferrule [x|c][b][V][v][s] [V_size] [v_fname] [s_fname]\n";
const char kSFileTooLongMessage[] = "s_fname too long\n";
const char kCompressCommand[] = "/usr/bin/compress -f";
const char kZcatCommand[] = "/usr/bin/zcat";

namespace {

// V_size "converted like atoi": leading blanks, a sign, the digits up to the
// first other character; text without digits is 0.  Values beyond an int
// (where atoi has no defined result) come back as 0 too, a usage error.
long atoiLike(const char* s) {
    while (*s == ' ' || (*s >= '\t' && *s <= '\r')) ++s;
    bool negative = false;
    if (*s == '+' || *s == '-') negative = *s++ == '-';
    long long v = 0;
    for (; *s >= '0' && *s <= '9'; ++s) {
        v = v * 10 + (*s - '0');
        if (v > INT_MAX) return 0;
    }
    return static_cast<long>(negative ? -v : v);
}

}  // namespace

ParseResult parseCommandLine(int argc, const char* const* argv) {
    ParseResult result;
    if (argc < 2) return result;  // Usage
    int next = 2;                 // the next argument not yet taken as a value
    Modes& m = result.modes;
    for (const char* letter = argv[1]; *letter != '\0'; ++letter) {
        switch (*letter) {
        case 'x':
            m.compression = Compression::Decompress;
            m.scrambling = Scrambling::Unscramble;
            break;
        case 'c':
            m.compression = Compression::Compress;
            break;
        case 'b':
            m.blocking = true;
            break;
        case 'V':
            if (next >= argc) return result;
            m.dotKb = atoiLike(argv[next++]);
            // 0 (or no number) is a usage error; so is a negative size.
            if (m.dotKb <= 0) return result;
            break;
        case 'v':
            if (next >= argc) return result;
            m.checksum = true;
            m.vFile = argv[next++];
            break;
        case 's':
            if (next >= argc) return result;
            if (std::strlen(argv[next]) >= kKeyPathMax) {
                result.status = ParseStatus::SFileTooLong;
                return result;
            }
            m.scrambling = Scrambling::Scramble;
            m.sFile = argv[next++];
            break;
        default:
            return result;
        }
    }
    if (next != argc) return result;  // an argument left over
    result.status = ParseStatus::Ok;
    return result;
}

Identity identify(const unsigned char* buf, std::size_t count) {
    Identity id;
    // A short stream holds its whole header when a NUL ends the key path.
    id.scrambled = count >= 2 && buf[0] == kSMagic[0] && buf[1] == kSMagic[1] &&
                   (count >= kHeaderMax || std::memchr(buf + 2, 0, count - 2) != nullptr);
    id.compressed = id.scrambled || (count >= 2 && buf[0] == kZMagic[0] && buf[1] == kZMagic[1]);
    return id;
}

Modes adjustForInput(Modes m, Identity id) {
    if ((m.scrambling == Scrambling::Scramble && id.scrambled) ||
        (m.scrambling == Scrambling::Unscramble && !id.scrambled))
        m.scrambling = Scrambling::None;
    if ((m.compression == Compression::Compress && id.compressed) ||
        (m.compression == Compression::Decompress && !id.compressed))
        m.compression = Compression::None;
    return m;
}

Pipeline composePipeline(const Modes& modes, const std::string& programName) {
    Pipeline p{std::string(), std::string(), modes};
    if (modes.compression == Compression::None) return p;
    p.first = modes.compression == Compression::Compress ? kCompressCommand : kZcatCommand;
    const bool moveScramble =
        modes.scrambling == Scrambling::Scramble && modes.compression == Compression::Compress;
    if (modes.blocking || modes.checksum || modes.dotKb > 0 || moveScramble) {
        std::string letters, values;
        if (modes.blocking) letters += 'b';
        if (modes.dotKb > 0) {
            letters += 'V';
            values += ' ' + std::to_string(modes.dotKb);
        }
        if (modes.checksum) {
            letters += 'v';
            values += ' ' + trev::shellQuote(modes.vFile);
        }
        if (moveScramble) {
            letters += 's';
            values += ' ' + trev::shellQuote(modes.sFile);
        }
        p.second = trev::shellQuote(programName) + ' ' + letters + ' ' + values;
        p.local.blocking = false;
        p.local.checksum = false;
        p.local.dotKb = 0;
        if (moveScramble) p.local.scrambling = Scrambling::None;
    }
    p.local.compression = Compression::None;
    return p;
}

std::string shellCommand(const Pipeline& pipeline) {
    if (pipeline.second.empty()) return pipeline.first;
    // fd 3 keeps the standard output for the second stage's output; the
    // first stage's status comes back through the command substitution on
    // fd 4, while the substitution's own status is the second stage's.
    return "exec 3>&1; s=$( { { " + pipeline.first + " 3>&- 4>&-; echo $? >&4; } | " +
           pipeline.second + " 4>&- >&3 3>&-; } 4>&1 ) || exit; exit \"${s:-1}\"";
}

FilterChain buildChain(const Modes& m, int outFd, bool paced, Messages& messages, KeySource& keys) {
    FilterChain chain;
    auto add = [&chain](std::unique_ptr<Filter> f) {
        chain.order_.push_back(f.get());
        chain.owned_.push_back(std::move(f));
    };
    if (m.scrambling == Scrambling::Scramble) add(std::make_unique<SecureFilter>(m.sFile, keys));
    if (m.scrambling == Scrambling::Unscramble) add(std::make_unique<UnSecureFilter>(keys));
    if (m.blocking) add(std::make_unique<BlockFilter>(messages));
    if (m.dotKb > 0)
        add(std::make_unique<DotFilter>(static_cast<std::uint64_t>(m.dotKb) * 1024u, messages));
    if (m.checksum) add(std::make_unique<SumFilter>(m.vFile, messages));
    add(std::make_unique<FilterEnd>(outFd, paced));
    return chain;
}

int exitStatusOfWait(int waitStatus) {
    if (waitStatus == -1) return kExitCloseFailed;
    if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus)) return kExitSignalBase + WTERMSIG(waitStatus);
    return kExitCloseFailed;
}

int finalStatus(bool failed, int closeStatus) {
    if (closeStatus != 0) return closeStatus;
    return failed ? kExitFailure : kExitOk;
}

}  // namespace ferrule
