#include "format.h"

#include <cstring>

namespace tart {

void CompiledFormat::render(const DirectiveValues& values, std::string& out) const {
    for (std::size_t i = 0; i < directives.size(); ++i) {
        out += literals[i];
        out += values[static_cast<std::size_t>(directives[i])];
    }
    out += literals.back();
    out += '\n';
}

FormatResult CompileFormat(std::string_view text) {
    FormatResult r;
    CompiledFormat& f = r.format;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            f.literals.back() += text[i];
            continue;
        }
        // The character after "%"; the end of the text counts as a NUL.
        const char c = i + 1 < text.size() ? text[i + 1] : '\0';
        ++i;
        if (c == '%') {
            f.literals.back() += '%';
            continue;
        }
        const char* letter = c != '\0' ? std::strchr(kDirectiveLetters, c) : nullptr;
        if (letter == nullptr) {
            r.message = "Unrecognized format: ";
            r.message += c;
            r.message += '\n';
            return r;
        }
        if (f.directives.size() == kMaxDirectives) {
            r.message = "tart: too many directives in format (at most 24)\n";
            return r;
        }
        const auto d = static_cast<Directive>(letter - kDirectiveLetters);
        f.directives.push_back(d);
        f.mask |= 1u << static_cast<unsigned>(d);
        f.literals.emplace_back();
    }
    r.ok = true;
    return r;
}

}  // namespace tart
