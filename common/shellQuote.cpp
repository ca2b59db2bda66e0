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

}  // namespace trev
