// Platform files of any content: at most ten platforms, names of at most 19
// characters without white space, and a preselection that names one of them.
#include <cstdint>
#include <string>

#include "core/platformFile.h"
#include "fuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    trev::PlatformList list;
    int badLine = 0;
    const trev::PlatformError err = trev::readPlatformFile(fuzz::streamOf(text).get(), list, badLine);
    check(list.names.size() <= 10 && list.names.size() == list.descs.size());
    for (const auto& n : list.names)
        check(!n.empty() && n.size() <= trev::kPlatformNameMax && n.find_first_of(" \t\n\r\f\v") == std::string::npos);
    if (err == trev::PlatformError::Ok) {
        const int index = trev::platformDefaultIndex(list, static_cast<std::int32_t>(size % 13) - 1);
        check(index >= 0 && static_cast<std::size_t>(index) < list.names.size());
    }
    return 0;
}
