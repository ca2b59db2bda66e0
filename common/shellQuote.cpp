#include "shellQuote.h"

namespace trev {

std::string shellEscapeSingleQuoted(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out;
}

std::string shellQuote(const std::string& s) {
    return "'" + shellEscapeSingleQuoted(s) + "'";
}

bool hasControl(const std::string& s) {
    for (const char c : s) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) return true;
    }
    return false;
}

}  // namespace trev
