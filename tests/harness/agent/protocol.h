// The agent's wire format, shared by the agent and the test side: one line per
// request or answer, fields separated by tabs, text escaped so that it holds
// no raw tab or line feed.
#pragma once

#include <string>
#include <vector>

namespace tkproto {

inline std::string esc(const std::string& s) {
    std::string o;
    for (char c : s) {
        if (c == '\\') o += "\\\\";
        else if (c == '\n') o += "\\n";
        else if (c == '\t') o += "\\t";
        else if (c == '\r') o += "\\r";
        else o += c;
    }
    return o;
}

inline std::string unesc(const std::string& s) {
    std::string o;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            char n = s[++i];
            o += n == 'n' ? '\n' : n == 't' ? '\t' : n == 'r' ? '\r' : n;
        } else {
            o += s[i];
        }
    }
    return o;
}

inline std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> f;
    size_t start = 0;
    for (;;) {
        size_t t = line.find('\t', start);
        f.push_back(unesc(line.substr(start, t == std::string::npos ? std::string::npos : t - start)));
        if (t == std::string::npos) break;
        start = t + 1;
    }
    return f;
}

}  // namespace tkproto
