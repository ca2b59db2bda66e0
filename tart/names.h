// Include and exclude lists of member names and the prefix rule that matches
// them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tart {

// True when entry is a leading part of name and name ends right after it or
// continues with "/": usr/lib matches usr/lib and usr/lib/x, not usr/libx.
bool prefix(std::string_view entry, std::string_view name);

struct NameLists {
    // An absent list is different from an empty one: no include list selects
    // everything, an empty include list selects nothing.
    std::optional<std::vector<std::string>> include;
    std::optional<std::vector<std::string>> exclude;

    bool selects(std::string_view name) const;
};

// The white-space separated words of a text, as fscanf "%s" reads them.  A
// word ends at a NUL byte as a C string would.
std::vector<std::string> splitWords(std::string_view text);

// Reads the words of a list file into words.  kind is "include" or
// "exclude".  On failure returns false and sets message to the text for
// standard error.
bool MkFlList(const std::string& path, const char* kind, std::vector<std::string>& words,
              std::string& message);

// Builds the lists: the include list is the command-line names followed by
// the include file's words and exists when either is given; the exclude list
// holds the exclude file's words and exists when that file is given.
bool MkUseLists(const std::vector<std::string>& names,
                const std::optional<std::string>& includeFile,
                const std::optional<std::string>& excludeFile, NameLists& lists,
                std::string& message);

}  // namespace tart
