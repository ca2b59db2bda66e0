// The table of form types of the form server: window title, minimum width,
// size slot in the status record, the command line's word count and the
// usage message printed when it does not fit.  Every form type has a row,
// also those whose forms are not built yet, so that every command line is
// checked the same way.
#pragma once

#include <cstddef>
#include <string>

namespace trev {

// How many words (program name and form type included) a form accepts.
enum class WordRule {
    Any,            // any count
    AtLeast,        // count >= n1
    Exactly,        // count == n1
    EitherOf,       // count == n1 or count == n2
    ConfigChoice,   // 2 words, or 3 with the third "noSystem" or "noUser"
};

struct FormInfo {
    int type;
    const char* name;        // the form's prefix, e.g. "topPlat"
    const char* title;       // window title
    int minWidth;            // shell minimum width in pixels
    std::size_t slotOffset;  // winSize slot of the form; 0 when it has none
    WordRule rule;
    int n1, n2;
    // Usage message: a "%s" stands for the program name and a "%d" for the
    // form type; nullptr when every word count is accepted.
    const char* usage;
};

constexpr int kFirstFormType = 0;
constexpr int kLastFormType = 24;

// The row of `type`, or nullptr for a type with no form (7, 16 and any
// number outside 0..24).
const FormInfo* findForm(int type);

// The first argument read as a decimal integer prefix: leading blanks, an
// optional sign, digits; anything else ends the number.  A word that holds
// no number is 0 (the main menu); numbers beyond int clamp to its range.
int parseFormType(const char* word);

// Whether `argc` words (with argv[2] for the configure form's option) fit.
bool wordCountOk(const FormInfo& form, int argc, const char* const* argv);

// The usage message of `form` for the program name `prog`, line feed
// included; empty for a form that accepts every count.
std::string usageMessage(const FormInfo& form, const char* prog);

// "Feature %d is not supported yet.\n"
std::string notSupportedMessage(int type);

}  // namespace trev
