#include "mediaLists.h"

#include <cstdlib>
#include <memory>

#include "fileUtils.h"

namespace trev {

std::optional<std::vector<std::string>> readTextLines(std::FILE* f) {
    std::vector<std::string> lines;
    char* raw = nullptr;
    std::size_t cap = 0;
    ssize_t n;
    while ((n = getline(&raw, &cap, f)) >= 0) {
        std::string line(raw, static_cast<std::size_t>(n));
        if (!line.empty() && line.back() == '\n') line.pop_back();
        lines.push_back(std::move(line));
    }
    std::free(raw);
    if (std::ferror(f)) return std::nullopt;
    return lines;
}

std::string mediaListText(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) text += '\n';
        text += "    ";
        text += lines[i];
    }
    return text;
}

std::optional<std::size_t> firstLongLine(const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].size() > kMaxListLine) return i + 1;
    return std::nullopt;
}

std::string longLineMessage(const std::string& file, std::size_t line) {
    return "Line " + std::to_string(line) + " of " + file + " is longer than " +
           std::to_string(kMaxListLine) + " characters.\n";
}

std::string tooManyWorkOrdersMessage(const std::string& file, std::size_t lines) {
    return "Work order list " + file + " has " + std::to_string(lines) + " lines; at most " +
           std::to_string(kMaxWorkOrders) + " can be offered.\n";
}

std::vector<std::string> readLinesOrExit(const char* path, std::FILE* f) {
    FilePtr opened;
    if (!f) f = (opened = openOrExit(path, "r")).get();
    std::optional<std::vector<std::string>> lines = readTextLines(f);
    if (!lines) reportWithReason(std::string("Cannot read ") + path, true);
    if (const std::optional<std::size_t> line = firstLongLine(*lines)) {
        std::fputs(longLineMessage(path, *line).c_str(), stderr);
        std::exit(1);
    }
    return std::move(*lines);
}

}  // namespace trev
