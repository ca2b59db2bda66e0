// Device names and entry-group checks of any content: the split
// gives back the device name, and every result line, read the way the
// shell reads a single-quoted assignment, gives back exactly the value, so
// that no value can end the quoting.
#include <cstdint>
#include <string>

#include "core/deviceName.h"
#include "fuzzCheck.h"

namespace {

// The value of the line "NAME='...'\n" at `at` as /bin/sh reads it: quoted
// runs, with '\'' for a quote; anything else outside the quotes is a fault.
// `at` moves past the line.
std::string shellValue(const std::string& text, std::size_t& at, const std::string& name) {
    check(text.compare(at, name.size() + 1, name + "=") == 0);
    std::string value;
    for (at += name.size() + 1;;) {
        check(at < text.size());
        if (text[at] == '\n') break;
        if (text.compare(at, 2, "\\'") == 0) {
            value += '\'';
            at += 2;
            continue;
        }
        const std::size_t close = text.find('\'', at + 1);
        check(text[at] == '\'' && close != std::string::npos);
        value += text.substr(at + 1, close - at - 1);
        at = close + 1;
    }
    ++at;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int flags = data[0];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    const trev::DevSpec d = trev::splitDevSpec(text);
    if (d.remote)
        check(d.host + ":" + d.device == text && d.host.find(':') == std::string::npos);
    else
        check(d.host.empty() && d.device == text && text.find(':') == std::string::npos);

    // Device and host from the two halves of the input, in both groups.
    const std::string device = text.substr(0, text.size() / 2), host = text.substr(text.size() / 2);
    const trev::DevEntry entry{device, host, (flags & 1) != 0};
    const int kinds = (flags & 2 ? trev::kDevCdrom : 0) | (flags & 4 ? trev::kDevTape : 0) |
                      (flags & 8 ? trev::kDevTapeFile : 0);
    const trev::DevCheck c = trev::checkDevEntries(kinds, entry, entry);
    if (!c.complete()) return 0;
    std::size_t at = 0;
    auto expect = [&](const char* name, bool cut) {
        std::string h = host;
        if (cut && h.rfind(':') != std::string::npos) h.erase(h.rfind(':'));
        const std::string want = entry.remote ? h + ":" + device : device;
        check(shellValue(c.result, at, name) == want);
    };
    if (kinds & trev::kDevCdrom) expect("DeviceCD", true);
    if (kinds & trev::kDevTape)
        expect("DeviceTAPE", false);
    else if (kinds & trev::kDevTapeFile)
        expect("TFILE", false);
    check(at == c.result.size());
    return 0;
}
