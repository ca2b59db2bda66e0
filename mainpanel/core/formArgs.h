// The command line of the form server: the form type word, the word-count
// rules of the forms and their usage messages.
#pragma once

#include <array>
#include <string>

namespace trev {

// How many words (program name and form type included) a form accepts.
enum class WordRule {
    Any,            // any count
    AtLeast,        // count >= n1
    Exactly,        // count == n1
    EitherOf,       // count == n1 or count == n2
    ConfigChoice,   // n1 words, or n2 with the third "noSystem" or "noUser"
};

struct WordCount {
    WordRule rule = WordRule::Any;
    int n1 = 0, n2 = 0;
};

// The first argument read as a decimal integer prefix: leading blanks, an
// optional sign, digits; anything else ends the number.  A word that holds
// no number is 0 (the main menu); numbers beyond int clamp to its range.
int parseFormType(const char* word);

// Whether `argc` words (with argv[2] for the configure form's option) fit.
bool wordCountOk(const WordCount& count, int argc, const char* const* argv);

// `usage` with its first "%s" replaced by the program name and its first
// "%d" by the form type; empty for no usage text.
std::string usageMessage(const char* usage, const char* prog, int type);

// "Feature %d is not supported yet.\n"
std::string notSupportedMessage(int type);

// The indexes of a form's words that name a device, which the form may
// print back to the script in a shell assignment; 0 for none.
using DeviceArgs = std::array<int, 2>;

// For the first device word (of those below argc) that holds a control
// character: "<prog> <type>: argument <n> holds a control character (a line
// feed, a tab, ...); a device name cannot.\n", arguments counted from 1
// after the form type as in the usage lines (argv[i] is argument i-1);
// empty when none does.
std::string controlWordMessage(const DeviceArgs& args, int argc, const char* const* argv,
                               const char* prog, int type);

}  // namespace trev
