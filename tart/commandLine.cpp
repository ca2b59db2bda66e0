#include "commandLine.h"

namespace tart {

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine cl;
    std::size_t i = 0;
    if (i < args.size() && !args[i].empty() && args[i][0] == '+') {
        cl.format = args[i].substr(1);
        ++i;
    } else if (i < args.size() && args[i] == "-h") {
        cl.usage = true;
        return cl;
    }
    for (; i < args.size() && !args[i].empty() && args[i][0] == '-'; ++i) {
        if (args[i] != "-I" && args[i] != "-X") continue;
        if (i + 1 >= args.size()) {
            cl.usage = true;
            return cl;
        }
        (args[i] == "-I" ? cl.includeFile : cl.excludeFile) = args[i + 1];
        ++i;
    }
    cl.names.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
    return cl;
}

std::string usageMessage() {
    static const char* const lines[] = {
        "tart [+format] [file ...] [-I include_file] [-X exclude_file]\t\t",
        "    formats are:\t\t\t\t\t\t\t",
        "       %t\ttype\t\t{dl-}\t\t\t\t\t",
        "       %s\tsize\t\t{0-9}+\t\t\t\t\t",
        "       %c\tchecksum \t{0-9}{0-9}{0-9}{0-9}{0-9}\t\t",
        "       %m\tmode\t\t{0-7}{0-7}{0-7}\t\t\t\t",
        "       %M\tmode\t\t{rwsx-}{rwsx-}{rwtx-}\t\t\t",
        "       %u\tuser id\t\t{0-9}+\t\t\t\t\t",
        "       %U\tuser str\t\t\t(currently same as %u)\t",
        "       %g\tgroup id\t{0-9}+\t\t\t\t\t",
        "       %G\tgroup str\t\t\t(currently same as %g)\t",
        "       %f\tfilename\t\t\t(directories end in '/')",
        "       %l\tlinkname\t[ -> linkname]\t(hard or soft link)\t",
        "       %d\tmod date\tyymmddHHMM\t\t\t\t",
        "       %D\tmod date str\tMar 17 09:54 1992\t\t\t",
        "    default is:\t\t\t\t\t\t\t\t",
    };
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += '\n';
    }
    text += std::string("       \"") + kDefaultFormat + "\"\t\t\t\t\t\n";
    // Printed as "usage: %s\n".
    return "usage: " + text + "\n";
}

}  // namespace tart
