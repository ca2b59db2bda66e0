#include "formArgs.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "shellQuote.h"

namespace trev {

namespace {

// Replaces the first "%s" by `prog` and the first "%d" by `type`; the texts
// are fixed, so no general formatting is wanted.
std::string fillUsage(const char* format, const char* prog, int type) {
    std::string out;
    bool progDone = false, typeDone = false;
    for (const char* p = format; *p; ++p) {
        if (p[0] == '%' && p[1] == 's' && !progDone) {
            out += prog;
            progDone = true;
            ++p;
        } else if (p[0] == '%' && p[1] == 'd' && !typeDone) {
            out += std::to_string(type);
            typeDone = true;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

}  // namespace

int parseFormType(const char* word) {
    const long v = std::strtol(word, nullptr, 10);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

bool wordCountOk(const WordCount& form, int argc, const char* const* argv) {
    using R = WordRule;
    switch (form.rule) {
    case R::Any: return true;
    case R::AtLeast: return argc >= form.n1;
    case R::Exactly: return argc == form.n1;
    case R::EitherOf: return argc == form.n1 || argc == form.n2;
    case R::ConfigChoice:
        return argc == form.n1 ||
               (argc == form.n2 &&
                (std::strcmp(argv[2], "noSystem") == 0 || std::strcmp(argv[2], "noUser") == 0));
    }
    return false;
}

std::string usageMessage(const char* usage, const char* prog, int type) {
    return usage ? fillUsage(usage, prog, type) : std::string();
}

std::string notSupportedMessage(int type) {
    return "Feature " + std::to_string(type) + " is not supported yet.\n";
}

std::string controlWordMessage(const DeviceArgs& args, int argc, const char* const* argv,
                               const char* prog, int type) {
    for (const int i : args)
        if (i > 0 && i < argc && hasControl(argv[i]))
            return std::string(prog) + " " + std::to_string(type) + ": argument " +
                   std::to_string(i - 1) +
                   " holds a control character (a line feed, a tab, ...); a device name cannot.\n";
    return {};
}

}  // namespace trev
