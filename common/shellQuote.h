// Quoting for text that installer scripts hand to a shell.
#pragma once

#include <string>

namespace trev {

// The text for the inside of a single-quoted shell word: every ' becomes
// '\'' (close the quote, a quoted quote, reopen).  Text without a single quote
// comes back unchanged.
std::string shellEscapeSingleQuoted(const std::string& s);

// The text as one single-quoted shell word.
std::string shellQuote(const std::string& s);

}  // namespace trev
