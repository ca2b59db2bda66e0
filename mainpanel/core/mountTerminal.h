// The terminal in which Mount CD lets the user become root and mount the
// CD-ROM: which program it is and its command line.
#pragma once

#include <string>
#include <vector>

namespace trev {

// Used when $XTERM names no file.
constexpr const char* kDefaultTerminal = "/usr/openwin/bin/xterm";

// The terminal to run: `xtermEnv` ($XTERM, or nullptr) when it names a
// file, else kDefaultTerminal when that exists; empty when neither does.
std::string findTerminal(const char* xtermEnv);

// The terminal's command line: the program, its title, `options` (words
// separated by blanks, from the resources) and the mount script of the
// installation root `root` with its platform word.
std::vector<std::string> mountTerminalArgs(const std::string& terminal, const std::string& options,
                                           const std::string& root);

}  // namespace trev
