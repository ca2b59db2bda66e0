// libFuzzer target of ferrule: detection (Identify and the adjustments it
// makes, and the look at the first plain bytes of a scrambled stream), the
// blocking into whole 10240-byte blocks, and the unscramble path (the
// header, UnSecureFltr, UnsecureBuf) over arbitrary first buffers.  The
// unscrambled stream, scrambled again with the same key, must give back the
// input byte for byte.
#include "filter.h"
#include "filters.h"
#include "pipeline.h"
#include "scramble.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "fuzzCheck.h"

using namespace ferrule;

namespace {

// The key of a path: its own bytes (no file is read); an empty path has none.
class PathKeys final : public KeySource {
public:
    bool load(const std::string& path, Key& key) override {
        if (path.empty()) return false;
        key.assign(path.begin(), path.end());
        return true;
    }
};

class Collect final : public Filter {
public:
    Result run(unsigned char* buf, std::size_t count, Chain) override {
        if (count == 0) ++ends;
        else data.insert(data.end(), buf, buf + count);
        return Result::ok();
    }
    std::vector<unsigned char> data;
    int ends = 0;
};

// Passes `stream` through `filter` into `out`: a first buffer of `first`
// bytes, then pieces of `piece` bytes, then the end.
Result pump(Filter& filter, Collect& out, std::vector<unsigned char> stream, std::size_t first,
            std::size_t piece) {
    Filter* chain[2] = {&filter, &out};
    Chain c(chain, 2);
    for (std::size_t off = 0, n = 0; off < stream.size(); off += n) {
        n = std::min(off == 0 ? first : piece, stream.size() - off);
        const Result r = c.pass(stream.data() + off, n);
        if (!r.isOk()) return r;
    }
    unsigned char none = 0;
    return c.pass(&none, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const unsigned ctl = data[0];
    std::vector<unsigned char> stream(data + 1, data + size);

    // Detection over the first buffer, as the read-ahead would hold it.
    const std::size_t ahead = std::min(stream.size(), kBufferSize);
    const Identity id = identify(stream.data(), ahead);
    for (const char* letters : {"x", "xc", "c", "cs"}) {
        const char* argv[] = {"ferrule", letters, "key"};
        const ParseResult p = parseCommandLine(letters[1] == 's' ? 3 : 2, argv);
        const Modes m = adjustForInput(p.modes, id);
        check(m.scrambling != Scrambling::Unscramble || id.scrambled);
        check(composePipeline(m, "ferrule").local.compression == Compression::None);
    }

    // The unscramble path, with first buffers of every size from one byte
    // (even shorter than a header, which the read-ahead never passes).
    const std::size_t first = std::max<std::size_t>(1, (ctl & 1) ? ahead : (ctl >> 1) % (ahead + 1));
    const std::size_t piece = 1 + ((ctl >> 1) * 97) % kBufferSize;
    PathKeys keys;
    if (id.scrambled) scrambledStreamIsCompressed(stream.data(), ahead, keys);

    // Blocking: whole blocks, the stream and then zeros.
    StderrMessages messages;
    BlockFilter block(messages);
    Collect blocked;
    check(pump(block, blocked, stream, first, piece).isOk());
    std::vector<unsigned char> whole = stream;
    whole.resize((stream.size() + 10239) / 10240 * 10240, 0);
    check(blocked.data == whole && blocked.ends == 1);

    UnSecureFilter unsecure(keys);
    Collect plain;
    if (!pump(unsecure, plain, stream, first, piece).isOk()) return 0;
    check(plain.ends == 1);

    // Scrambling it again gives back the input.
    std::string path;
    check(parseScrambledHeader(stream.data(), stream.size(), path));
    SecureFilter secure(path, keys);
    Collect again;
    check(pump(secure, again, plain.data, piece, piece).isOk());
    check(again.data == stream);
    return 0;
}
