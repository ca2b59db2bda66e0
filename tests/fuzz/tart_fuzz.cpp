// libFuzzer target: the whole tart listing over arbitrary standard input.
// The first byte chooses how the input behaves (file, pipe, seekable, size
// of the pieces each read returns) and which format and lists apply; the
// rest is the archive.  With the lowest two bits set, the text up to the
// first newline is compiled as the format instead.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>

#include "format.h"
#include "lister.h"
#include "names.h"
#include "records.h"

namespace {

class NullConsole : public tart::Console {
public:
    bool out(std::string_view) override { return true; }
    void err(std::string_view) override {}
};

const char* const kFormats[3] = {tart::kDefaultFormat, "%c %f", "%t%s%c%m%M%u%U%g%G%f%l%d%D%%"};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);
    tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const uint8_t control = data[0];
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string_view formatText = (control & 3) == 3 ? input.substr(0, input.find('\n')) : kFormats[control & 3];
    if ((control & 3) == 3) input.remove_prefix(std::min(formatText.size() + 1, input.size()));
    const tart::FormatResult format = tart::CompileFormat(formatText);
    if (!format.ok) return 0;

    tart::NameLists lists;
    if (control & 4) lists.include.emplace(std::vector<std::string>{"usr/lib", "a", "d/"});
    if (control & 8) lists.exclude.emplace(std::vector<std::string>{"usr/lib/old", ""});

    static const std::size_t pieces[4] = {0, 1, 100, 700};
    tart::MemorySource src(input, pieces[(control >> 4) & 3], control & 0x40, control & 0x80);
    NullConsole console;
    // Small chunks so that records and data cross chunk boundaries often.
    tart::Lister lister(format.format, lists, src, console, 2048);
    lister.run();
    return 0;
}
