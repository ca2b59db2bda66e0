// What the fuzz targets share: a check that aborts (a finding for the
// fuzzer) naming its line and condition, and input bytes as a stream.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#define check(ok) \
    ((ok) ? void() : (std::fprintf(stderr, "check failed at line %d: %s\n", __LINE__, #ok), std::abort()))

namespace fuzz {

// A stream, closed when dropped.
using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// A stream that reads `text`.  fmemopen refuses an empty buffer: that gets
// one byte and no content.
inline File streamOf(std::string& text) {
    return File(text.empty() ? fmemopen(const_cast<char*>(""), 1, "r") : fmemopen(text.data(), text.size(), "r"),
                &std::fclose);
}

}  // namespace fuzz
