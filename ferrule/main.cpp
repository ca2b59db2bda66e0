// ferrule: the archive stream filter.  This file only
// does what needs the process: the read-ahead, the pipe to the command, the
// broken-pipe signal and the exit.  Everything else is in ferrule_core.
#include "ferruleExit.h"
#include "filter.h"
#include "pipeline.h"
#include "scramble.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

using namespace ferrule;

namespace {

// A broken pipe while writing to the command ends the process with the
// system's message for it and status 1, at once.
// The message is prepared before the handler is installed (only write and
// _exit inside it); it names the broken pipe itself rather than whatever
// error number happened to be set.  The command's processes start with the
// default action: handlers do not survive exec.
char brokenPipeMessage[128];
std::size_t brokenPipeLength = 0;

extern "C" void onBrokenPipe(int) {
    if (brokenPipeLength > 0) {
        ssize_t ignored = ::write(2, brokenPipeMessage, brokenPipeLength);
        (void)ignored;
    }
    ::_exit(kExitBrokenPipe);
}

unsigned char buffer[kBufferSize];

}  // namespace

int main(int argc, char** argv) {
    StderrMessages messages;
    const ParseResult parsed = parseCommandLine(argc, argv);
    if (parsed.status == ParseStatus::Usage) {
        messages.put(kUsageMessage);
        return kExitUsage;
    }
    if (parsed.status == ParseStatus::SFileTooLong) {
        messages.put(kSFileTooLongMessage);
        return kExitUsage;
    }

    Modes modes = parsed.modes;
    std::size_t ahead = 0;
    if (modes.compression != Compression::None) {
        ssize_t n = readHeader(0, buffer);
        if (n < 0) {
            messages.perror("read", errno);
            return kExitReadAhead;
        }
        ahead = static_cast<std::size_t>(n);
        modes = adjustForInput(modes, identify(buffer, ahead));
    }

    const Pipeline pipeline = composePipeline(modes, argv[0]);
    FILE* command = nullptr;
    int outFd = 1;
    bool paced = false;
    if (!pipeline.first.empty()) {
        errno = 0;
        command = ::popen(shellCommand(pipeline).c_str(), "w");
        if (command == nullptr) {
            messages.perror("popen", errno != 0 ? errno : ENOMEM);
            return kExitNoCommand;
        }
        const std::string text = std::string(std::strerror(EPIPE)) + "\n";
        brokenPipeLength = text.copy(brokenPipeMessage, sizeof brokenPipeMessage);
        std::signal(SIGPIPE, onBrokenPipe);
        outFd = ::fileno(command);
        paced = makePacedPipe(outFd);
    }

    FileKeySource keys(messages);
    FilterChain chain = buildChain(pipeline.local, outFd, paced, messages, keys);
    const Result result = filterBeg(0, buffer, ahead, chain.view(), messages);
    if (result.isExit()) return result.exitStatus();

    const bool failed = !result.isOk();
    if (failed) messages.put(kFailureMessage);

    int closeStatus;
    if (command != nullptr)
        closeStatus = exitStatusOfWait(::pclose(command));
    else
        closeStatus = ::close(1) == 0 ? kExitOk : kExitCloseFailed;
    return finalStatus(failed, closeStatus);
}
