// ferrule: the archive stream filter.  This file only
// does what needs the process: the read-ahead, the command behind the pipe,
// the signals and the exit.  Everything else is in ferrule_core.
#include "ferruleExit.h"
#include "filter.h"
#include "pipeline.h"
#include "scramble.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
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

// The command's shell leads a process group of its own, with the compressor
// and the second ferrule in it.  A hangup, interrupt or termination ends
// that group first and waits for the shell: were this process to go first,
// the command would see a clean end of its input, and the second ferrule
// would write a checksum line for a cut stream.
volatile sig_atomic_t commandGroup = 0;

extern "C" void onTermination(int sig) {
    const pid_t group = commandGroup;
    if (group > 0) {
        ::kill(-group, sig);
        int status;
        while (::waitpid(group, &status, 0) < 0 && errno == EINTR) {
        }
    }
    ::_exit(kExitSignalBase + sig);
}

void catchTermination() {
    for (int sig : {SIGHUP, SIGINT, SIGTERM}) {
        struct sigaction old;
        // A signal the caller ignores (a background job's SIGINT) stays
        // ignored, here and in the command.
        if (::sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        struct sigaction sa{};
        sa.sa_handler = onTermination;
        sigemptyset(&sa.sa_mask);
        for (int s : {SIGHUP, SIGINT, SIGTERM}) sigaddset(&sa.sa_mask, s);
        ::sigaction(sig, &sa, nullptr);
    }
}

// The command run by /bin/sh with its standard input the write end returned
// in fd; -1 when it cannot be started.
pid_t startCommand(const std::string& command, int& fd) {
    int p[2];
    if (::pipe2(p, O_CLOEXEC) != 0) return -1;
    // No termination is handled between the fork and the moment the group
    // is known: it would leave the command running.
    sigset_t block, old;
    sigemptyset(&block);
    for (int s : {SIGHUP, SIGINT, SIGTERM}) sigaddset(&block, s);
    ::sigprocmask(SIG_BLOCK, &block, &old);
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::sigprocmask(SIG_SETMASK, &old, nullptr);
        ::close(p[0]);
        ::close(p[1]);
        return -1;
    }
    if (pid == 0) {
        ::setpgid(0, 0);
        ::sigprocmask(SIG_SETMASK, &old, nullptr);
        if (::dup2(p[0], 0) < 0) ::_exit(127);
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::setpgid(pid, pid);  // also here: the group exists before a signal is passed on
    commandGroup = pid;
    ::sigprocmask(SIG_SETMASK, &old, nullptr);
    ::close(p[0]);
    fd = p[1];
    return pid;
}

// Closes the pipe and waits for the command: its wait status, or -1.
int finishCommand(pid_t pid, int fd) {
    ::close(fd);
    int status;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    commandGroup = 0;
    return status;
}

// The running program, by its absolute path: the second ferrule must be
// this program, not whatever a name in PATH finds.
std::string programPath(const char* argv0) {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n > 0) return std::string(path, static_cast<std::size_t>(n));
    return argv0;
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
    catchTermination();

    FileKeySource fileKeys(messages);
    OnceKeySource keys(fileKeys);
    Modes modes = parsed.modes;
    std::size_t ahead = 0;
    if (modes.compression != Compression::None) {
        ssize_t n = readHeader(0, buffer);
        if (n >= 0) {
            ahead = static_cast<std::size_t>(n);
            modes = adjustForInput(modes, identify(buffer, ahead));
            std::string path;
            if (modes.scrambling == Scrambling::Unscramble &&
                modes.compression == Compression::Decompress &&
                parseScrambledHeader(buffer, ahead, path)) {
                // The first two plain bytes decide whether zcat runs.
                n = readHeader(0, buffer, ahead, 2 + path.size() + 1 + 2);
                if (n >= 0) ahead = static_cast<std::size_t>(n);
                if (n >= 0 && !scrambledStreamIsCompressed(buffer, ahead, keys))
                    modes.compression = Compression::None;
            }
        }
        if (n < 0) {
            messages.perror("read", errno);
            return kExitReadAhead;
        }
    }

    const Pipeline pipeline = composePipeline(modes, programPath(argv[0]));
    pid_t command = -1;
    int outFd = 1;
    bool paced = false;
    if (!pipeline.first.empty()) {
        command = startCommand(shellCommand(pipeline), outFd);
        if (command < 0) {
            messages.perror("fork", errno != 0 ? errno : ENOMEM);
            return kExitNoCommand;
        }
        const std::string text = std::string(std::strerror(EPIPE)) + "\n";
        brokenPipeLength = text.copy(brokenPipeMessage, sizeof brokenPipeMessage);
        std::signal(SIGPIPE, onBrokenPipe);
        paced = makePacedPipe(outFd);
    }

    FilterChain chain = buildChain(pipeline.local, outFd, paced, messages, keys);
    const Result result = filterBeg(0, buffer, ahead, chain.view(), messages);
    if (result.isExit()) return result.exitStatus();

    const bool failed = !result.isOk();
    if (failed) messages.put(failureMessage(result));

    int closeStatus;
    if (command > 0)
        closeStatus = exitStatusOfWait(finishCommand(command, outFd));
    else
        closeStatus = ::close(1) == 0 ? kExitOk : kExitCloseFailed;
    return finalStatus(failed, closeStatus);
}
