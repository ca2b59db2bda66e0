#include "platformFile.h"

#include <cstring>

#include "shellQuote.h"

namespace trev {

namespace {

// The next line, its line feed kept; false at the end of the file.
bool readLine(std::FILE* f, std::string& line) {
    line.clear();
    for (int c; (c = std::getc(f)) != EOF;) {
        line += static_cast<char>(c);
        if (c == '\n') break;
    }
    return !line.empty();
}

}  // namespace

PlatformError readPlatformFile(std::FILE* f, PlatformList& out, int& badLine) {
    out = {};
    std::string text;
    for (int i = 0; i < kMaxPlatforms && readLine(f, text); ++i) {
        badLine = i;
        if (text.size() - (text.back() == '\n') > kPlatformLineMax) return PlatformError::LineTooLong;
        const char* line = text.c_str();
        // The name is the first word, white space before it skipped.
        const char* p = line;
        while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v')
            ++p;
        const std::size_t wordLen = std::strcspn(p, " \t\n\r\f\v");
        if (wordLen == 0) return PlatformError::NoWord;
        if (wordLen > kPlatformNameMax) return PlatformError::NameTooLong;
        if (hasControl(std::string(p, wordLen))) return PlatformError::NameControl;
        const char* blank = std::strchr(line, ' ');
        if (!blank) return PlatformError::NoBlank;
        std::string desc(blank + 1);
        if (!desc.empty()) desc.pop_back();
        out.names.emplace_back(p, wordLen);
        out.descs.push_back(std::move(desc));
    }
    if (out.names.empty()) {
        badLine = 0;
        return PlatformError::Empty;
    }
    return PlatformError::Ok;
}

int platformDefaultIndex(const PlatformList& list, std::int32_t storedIndex) {
    int index = kNoPlatform;
    for (std::size_t i = 0; i < list.names.size(); ++i)
        if (list.names[i] == "sun4v") index = static_cast<int>(i);
    if (storedIndex != kNoPlatform && storedIndex >= 0 &&
        static_cast<std::size_t>(storedIndex) < list.names.size())
        index = storedIndex;
    return index == kNoPlatform ? 0 : index;
}

}  // namespace trev
