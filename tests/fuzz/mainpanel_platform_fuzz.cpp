// Platform files of any content: at most ten platforms, names of at most 19
// characters without white space, and a preselection that names one of them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/platformFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::vector<char> buf(data, data + size);
    std::FILE* f = fmemopen(buf.data(), buf.size(), "r");
    if (!f) return 0;
    trev::PlatformList list;
    int badLine = 0;
    const trev::PlatformError err = trev::readPlatformFile(f, list, badLine);
    std::fclose(f);
    if (list.names.size() > 10 || list.names.size() != list.descs.size()) std::abort();
    for (const auto& n : list.names)
        if (n.empty() || n.size() > trev::kPlatformNameMax ||
            n.find_first_of(" \t\n\r\f\v") != std::string::npos)
            std::abort();
    if (err == trev::PlatformError::Ok) {
        const int index = trev::platformDefaultIndex(list, static_cast<std::int32_t>(size % 13) - 1);
        if (index < 0 || static_cast<std::size_t>(index) >= list.names.size()) std::abort();
    }
    return 0;
}
