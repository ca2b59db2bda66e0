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
    std::string text = message;
    for (char& c : text)
        if (c == '~') c = '\n';
    text += '\n';
    return text;
}

std::string usageText(const std::string& progName) {
    return "Usage: " + progName + " message.\n" + "      OR\n" + progName + " QUES message.\n";
}

int centred(int screenSize, int windowSize) { return (screenSize - windowSize) / 2; }

}  // namespace ask
