// The agent's wire format, shared by the agent and the test side.  A request
// is a command name and its fields, an answer "ok" or "err" and its fields.
// Fields are separated by the ASCII unit separator and a message ends with
// the record separator: characters that no widget text and no typed text holds.
#pragma once

#include <string>
#include <vector>

namespace tkproto {

constexpr char kField = '\x1f', kEnd = '\x1e';

inline std::string message(const std::vector<std::string>& fields) {
    std::string m = fields.at(0);
    for (size_t i = 1; i < fields.size(); ++i) m += kField + fields[i];
    return m + kEnd;
}

inline std::vector<std::string> split(const std::string& message) {  // without its kEnd
    std::vector<std::string> fields(1);
    for (char c : message) {
        if (c == kField) fields.emplace_back();
        else fields.back() += c;
    }
    return fields;
}

}  // namespace tkproto
