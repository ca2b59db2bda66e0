#include "mountTerminal.h"

#include <sys/stat.h>

#include <sstream>

namespace trev {

namespace {

// The platform word of the mount script's directory and its argument.
constexpr const char* kMountPlatform = "sun4v";

bool fileExists(const char* path) {
    struct stat st;
    return stat(path, &st) == 0;
}

}  // namespace

std::string findTerminal(const char* xtermEnv) {
    if (xtermEnv && fileExists(xtermEnv)) return xtermEnv;
    if (fileExists(kDefaultTerminal)) return kDefaultTerminal;
    return {};
}

std::vector<std::string> mountTerminalArgs(const std::string& terminal, const std::string& options,
                                           const std::string& root) {
    std::vector<std::string> args{terminal, "-T",
                                  "\"Trevalon  (become root and mount CD-ROM drive)\""};
    std::istringstream words(options);
    for (std::string w; words >> w;) args.push_back(w);
    args.push_back("-e");
    args.push_back(root + "/install/bin." + kMountPlatform + "/mntCD.sh");
    args.push_back(kMountPlatform);
    return args;
}

}  // namespace trev
