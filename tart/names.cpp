#include "names.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace tart {

bool prefix(std::string_view entry, std::string_view name) {
    return name.size() >= entry.size() && name.compare(0, entry.size(), entry) == 0 &&
           (name.size() == entry.size() || name[entry.size()] == '/');
}

namespace {

bool anyMatches(const std::vector<std::string>& entries, std::string_view name) {
    for (const std::string& e : entries) {
        if (prefix(e, name)) return true;
    }
    return false;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

std::string systemMessage(const std::string& path, int err) {
    return path + ": " + std::strerror(err) + "\n";
}

}  // namespace

bool NameLists::selects(std::string_view name) const {
    if (include && !anyMatches(*include, name)) return false;
    return !(exclude && anyMatches(*exclude, name));
}

std::vector<std::string> splitWords(std::string_view text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isSpace(text[i])) ++i;
        const std::size_t start = i;
        while (i < text.size() && !isSpace(text[i])) ++i;
        if (i > start) {
            std::string_view w = text.substr(start, i - start);
            words.emplace_back(w.substr(0, w.find('\0')));
        }
    }
    return words;
}

bool MkFlList(const std::string& path, const char* kind, std::vector<std::string>& words,
              std::string& message) {
    File f(std::fopen(path.c_str(), "r"));
    if (!f) {
        const int err = errno;
        message = std::string("tart: cannot open ") + kind + " file (" + path + ")\n" +
                  systemMessage(path, err);
        return false;
    }
    std::string text;
    char buf[8192];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0) text.append(buf, n);
    if (std::ferror(f.get())) {
        const int err = errno;
        message = std::string("tart: cannot read ") + kind + " file (" + path + ")\n" +
                  systemMessage(path, err);
        return false;
    }
    std::vector<std::string> more = splitWords(text);
    words.insert(words.end(), std::make_move_iterator(more.begin()),
                 std::make_move_iterator(more.end()));
    return true;
}

bool MkUseLists(const std::vector<std::string>& names,
                const std::optional<std::string>& includeFile,
                const std::optional<std::string>& excludeFile, NameLists& lists,
                std::string& message) {
    if (!names.empty() || includeFile) {
        lists.include.emplace(names);
        if (includeFile && !MkFlList(*includeFile, "include", *lists.include, message)) {
            return false;
        }
    }
    if (excludeFile) {
        lists.exclude.emplace();
        if (!MkFlList(*excludeFile, "exclude", *lists.exclude, message)) return false;
    }
    return true;
}

}  // namespace tart
