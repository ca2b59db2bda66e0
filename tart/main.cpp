// tart: lists the tar archive on standard input, one line per member, in a
// format of its own.
#include <ctime>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

#include "commandLine.h"
#include "fdio.h"
#include "format.h"
#include "lister.h"
#include "names.h"
#include "tartExit.h"

namespace {

int run(int argc, char** argv) {
    tart::FdConsole console(STDOUT_FILENO, STDERR_FILENO);
    const tart::CommandLine cl =
        tart::parseCommandLine(std::vector<std::string>(argv + (argc > 0), argv + argc));
    if (cl.usage) {
        console.err(tart::usageMessage());
        return tart::kExitUsage;
    }
    const tart::FormatResult format = tart::CompileFormat(cl.format);
    if (!format.ok) {
        console.err(format.message);
        return tart::kExitBadFormat;
    }
    tart::NameLists lists;
    std::string message;
    if (!tart::MkUseLists(cl.names, cl.includeFile, cl.excludeFile, lists, message)) {
        console.err(message);
        return tart::kExitListFile;
    }
    tzset();
    tart::FdSource input(STDIN_FILENO);
    const int status = tart::listArchive(format.format, lists, input, console);
    if (!console.flush()) {
        if (status != tart::kExitOk) return status;
        console.err("tart: write error\n");
        return tart::kExitWrite;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        return tart::kExitNoMemory;
    }
}
