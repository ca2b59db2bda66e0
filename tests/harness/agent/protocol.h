// The agent's wire format, shared by the agent and the test side: one line
// per request or answer, each field led by a tab and escaped so that it holds
// no raw tab or line feed.  A request is the command name, then its fields; an
// answer is "ok" or "err", then its fields.
#pragma once

#include <string>
#include <vector>

namespace tkproto {

inline std::string join(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& f : fields) {
        line += '\t';
        for (char c : f) line += c == '\\' ? "\\\\" : c == '\n' ? "\\n" : c == '\t' ? "\\t" : std::string(1, c);
    }
    return line;
}

inline std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\t') {
            fields.emplace_back();
            continue;
        }
        if (c == '\\' && i + 1 < line.size()) {
            c = line[++i];
            c = c == 'n' ? '\n' : c == 't' ? '\t' : c;
        }
        fields.back() += c;
    }
    return fields;
}

}  // namespace tkproto
