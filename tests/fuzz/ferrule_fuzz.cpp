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
#include <cstdlib>
#include <cstring>
#include <vector>

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
    std::size_t off = 0;
    while (off < stream.size()) {
        std::size_t n = off == 0 ? first : piece;
        if (n > stream.size() - off) n = stream.size() - off;
        Result r = c.pass(stream.data() + off, n);
        if (!r.isOk()) return r;
        off += n;
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
    const std::size_t ahead = stream.size() < kBufferSize ? stream.size() : kBufferSize;
    const Identity id = identify(stream.data(), ahead);
    for (const char* letters : {"x", "xc", "c", "cs"}) {
        const char* argv[] = {"ferrule", letters, "key"};
        ParseResult p = parseCommandLine(letters[1] == 's' ? 3 : 2, argv);
        if (p.status != ParseStatus::Ok) std::abort();
        Modes m = adjustForInput(p.modes, id);
        if (m.scrambling == Scrambling::Unscramble && !id.scrambled) std::abort();
        Pipeline pl = composePipeline(m, "ferrule");
        if (pl.local.compression != Compression::None) std::abort();
    }

    // The unscramble path, with first buffers of every size (even shorter
    // than a header, which the read-ahead never passes).
    const std::size_t first = (ctl & 1) ? ahead : (ctl >> 1) % (ahead + 1);
    const std::size_t piece = 1 + ((ctl >> 1) * 97) % kBufferSize;
    PathKeys keys;
    if (id.scrambled) scrambledStreamIsCompressed(stream.data(), ahead, keys);

    // Blocking: whole blocks, the stream and then zeros.
    {
        StderrMessages messages;
        BlockFilter block(messages);
        Collect blocked;
        if (!pump(block, blocked, stream, first == 0 ? 1 : first, piece).isOk()) std::abort();
        if (blocked.data.size() % 10240 != 0 || blocked.ends != 1) std::abort();
        if (!std::equal(stream.begin(), stream.end(), blocked.data.begin())) std::abort();
        for (std::size_t i = stream.size(); i < blocked.data.size(); ++i)
            if (blocked.data[i] != 0) std::abort();
    }

    UnSecureFilter unsecure(keys);
    Collect plain;
    Result r = pump(unsecure, plain, stream, first == 0 ? 1 : first, piece);
    if (!r.isOk()) return 0;
    if (plain.ends != 1) std::abort();

    // Scrambling it again gives back the input.
    std::string path;
    if (!parseScrambledHeader(stream.data(), stream.size(), path)) std::abort();
    SecureFilter secure(path, keys);
    Collect again;
    if (!pump(secure, again, plain.data, piece, piece).isOk()) std::abort();
    if (again.data != stream) std::abort();
    return 0;
}
