// The text files of the media forms: the media-label file of the Media
// Required form and the work-order list of the Workorder List form.  Lines
// are read whole, whatever their length, and then checked.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace trev {

// The lines of a text file without their line feeds; a last line without a
// line feed counts.  Nothing when reading fails (errno tells why).
std::optional<std::vector<std::string>> readTextLines(std::FILE* f);

// The lines of the list file `path`, read from `f` (or opened here when
// nullptr); when it cannot be opened or read, or a line is longer than
// kMaxListLine, a message on stderr and exit 1.
std::vector<std::string> readLinesOrExit(const char* path, std::FILE* f = nullptr);

// The media list as shown: each line indented by four blanks, lines
// separated by line feeds, no line feed after the last.
std::string mediaListText(const std::vector<std::string>& lines);

// A line of these files holds at most 511 characters.  Longer lines are
// refused, not cut: one line is drawn by one X text request, which a line
// of some hundred thousand characters would overflow.
constexpr std::size_t kMaxListLine = 511;

// The 1-based number of the first line longer than kMaxListLine; nothing
// when every line fits.
std::optional<std::size_t> firstLongLine(const std::vector<std::string>& lines);

// "Line %zu of %s is longer than 511 characters.\n"
std::string longLineMessage(const std::string& file, std::size_t line);

// The Workorder List form answers the chosen line's 1-based position as the
// exit status; 250 and 255 mean Main Menu and Previous, and an exit status
// holds 8 bits.  Longer lists are refused.
constexpr std::size_t kMaxWorkOrders = 249;

// "Work order list %s has %zu lines; at most 249 can be offered.\n"
std::string tooManyWorkOrdersMessage(const std::string& file, std::size_t lines);

}  // namespace trev
