// tart's command line: tart [+format] [-I include_file] [-X exclude_file] [name ...]
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "format.h"

namespace tart {

struct CommandLine {
    bool usage = false;  // show the usage text and stop
    std::string format = kDefaultFormat;
    std::optional<std::string> includeFile;
    std::optional<std::string> excludeFile;
    std::vector<std::string> names;  // the start of the include list
};

// A first argument "+format" sets the format, a first argument "-h" asks for
// the usage.  Then, while the next argument starts with "-": "-I" and "-X"
// take the following argument as the include or exclude file (usage when it
// is missing; the last one given counts) and anything else starting with "-"
// is skipped.  Every argument after that is a name, "-I" included.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The complete usage message for standard error.
std::string usageMessage();

}  // namespace tart
