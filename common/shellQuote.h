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

// Whether the text holds an ASCII control character (0x00-0x1f or 0x7f; the
// line feed and the tab among them).  A value printed for a script must not:
// quoting keeps a line feed inside the word, but a script that reads the
// answer line by line would take what follows for a command of its own.
// Bytes from 0x80 up are not control characters here: they are parts of
// UTF-8 (or Latin-1) names.
bool hasControl(const std::string& s);

}  // namespace trev
