#include "askerCore.h"

namespace ask {

Request decide(const std::vector<std::string>& args) {
    Request r;
    if (args.empty()) return r;
    if (args.size() == 2 && args[0] == "QUES") {
        r.dialog = Dialog::Question;
        r.message = args[1];
    } else {
        r.dialog = Dialog::Message;
        r.message = args[0];
    }
    return r;
}

std::string messageText(const std::string& message) {
    std::string text;
    std::size_t column = 0;        // characters on the current line
    std::size_t blank = std::string::npos;   // the line's last blank, in text
    std::size_t columnAtBlank = 0;
    for (char c : message) {
        if (c == '~' || c == '\n') {
            text += '\n';
            column = 0;
            blank = std::string::npos;
            continue;
        }
        const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
        if (!continuation && column == kWrapColumns) {
            if (blank != std::string::npos) {
                text[blank] = '\n';
                column -= columnAtBlank;
            } else {
                text += '\n';
                column = 0;
            }
            blank = std::string::npos;
        }
        if (c == ' ') {
            blank = text.size();
            columnAtBlank = column + 1;
        }
        text += c;
        if (!continuation) ++column;
    }
    return text + '\n';
}

std::string usageText(const std::string& progName) {
    return "Usage: " + progName + " message.\n" + "      OR\n" + progName + " QUES message.\n";
}

int centred(int screenSize, int windowSize) { return (screenSize - windowSize) / 2; }

}  // namespace ask
