// The parts of asker that need no display: which dialog the command line
// asks for, the text shown, the usage message and where the window goes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace ask {

enum class Dialog {
    Usage,     // no argument
    Message,   // a note with OK
    Question,  // a yes/no question
};

struct Request {
    Dialog dialog = Dialog::Usage;
    std::string message;  // the argument to show, as given
};

// Chooses the dialog from the arguments that follow the program name.  The
// question form is taken only for exactly two arguments whose first is
// "QUES"; any other non-empty command line shows its first argument as a
// note.
Request decide(const std::vector<std::string>& args);

// Lines of a message longer than this many characters are wrapped.
constexpr std::size_t kWrapColumns = 64;

// The label text of a message: every "~" becomes a line feed, a line longer
// than kWrapColumns characters (UTF-8 counted by character) is broken at
// its last blank that keeps it that short (or, without one, after
// kWrapColumns characters), and one line feed is appended.  Messages of any
// length are kept whole.
std::string messageText(const std::string& message);

// The usage message for the program name.
std::string usageText(const std::string& progName);

// The position that centres a window of the given size on a screen of the
// given size, in whole pixels (integer division).
int centred(int screenSize, int windowSize);

}  // namespace ask
