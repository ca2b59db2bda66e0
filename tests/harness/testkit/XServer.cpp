#include "XServer.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace tk {

namespace {

using namespace std::chrono_literals;

pid_t spawnQuiet(const std::vector<std::string>& args, int keepFd, const std::string& display,
                 const std::string& home) {
    std::vector<std::string> a = args;
    std::vector<char*> argv;
    for (auto& s : a) argv.push_back(s.data());
    argv.push_back(nullptr);
    pid_t parent = getpid();
    pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("tk::XServer: fork failed");
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) _exit(127);
        setpgid(0, 0);
        int dn = open("/dev/null", O_RDWR);
        dup2(dn, 0);
        dup2(dn, 1);
        if (!getenv("TK_X_VERBOSE")) dup2(dn, 2);
        if (keepFd >= 0) {
            int flags = fcntl(keepFd, F_GETFD);
            fcntl(keepFd, F_SETFD, flags & ~FD_CLOEXEC);
        }
        if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
        if (!home.empty()) setenv("HOME", home.c_str(), 1);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

void stop(pid_t& pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 400; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            pid = -1;
            return;
        }
        std::this_thread::sleep_for(5ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

// Maps a small window and waits until the window manager has reparented it
// into a frame: mwm is only ready to handle input once it manages windows.  A
// window mapped before mwm has started is framed when it starts.  (Asking for
// SubstructureRedirect on the root to see whether a window manager runs would
// hold it for a moment, and an mwm starting in that moment gives up: "Another
// window manager is running".)
bool wmManagesWindows(Display* d, std::chrono::steady_clock::time_point deadline) {
    Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 10, 10, 50, 50, 0, 0, 0);
    XMapWindow(d, w);
    XSync(d, False);
    bool framed = false;
    while (!framed && std::chrono::steady_clock::now() < deadline) {
        Window root, parent, *kids = nullptr;
        unsigned n = 0;
        if (XQueryTree(d, w, &root, &parent, &kids, &n)) {
            if (kids) XFree(kids);
            framed = parent != root;
        }
        if (!framed) std::this_thread::sleep_for(20ms);
    }
    XDestroyWindow(d, w);
    XSync(d, False);
    return framed;
}

}  // namespace

bool displayAnswers(const std::string& display) {
    Display* d = XOpenDisplay(display.c_str());
    if (!d) return false;
    XCloseDisplay(d);
    return true;
}

XServer::XServer(int width, int height, bool wm) : width_(width), height_(height) {
    // The programs under test show their built-in look, not app-defaults
    // files installed on this machine; a test that wants one sets its own.
    setenv("XFILESEARCHPATH", "/nonexistent/%T/%N", 0);
    // On a loaded machine a start can miss its deadline; try again before
    // failing the tests that need the server.
    std::string why;
    for (int attempt = 0; attempt < 3; ++attempt) {
        try {
            start(wm);
            return;
        } catch (const std::exception& e) {
            why = e.what();
            if (!wmHome_.empty()) rmdir(wmHome_.c_str());
            wmHome_.clear();
        }
    }
    throw std::runtime_error(why + " (three attempts)");
}

void XServer::start(bool wm) {
    const int width = width_, height = height_;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("tk::XServer: pipe failed");
    std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    xPid_ = spawnQuiet({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp",
                        "-noreset"},
                       fds[1], "", "");
    close(fds[1]);
    std::string number;
    auto deadline = std::chrono::steady_clock::now() + 20s;
    for (;;) {
        pollfd p{fds[0], POLLIN, 0};
        int left = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count());
        if (left <= 0 || poll(&p, 1, left) <= 0) break;
        char c;
        ssize_t n = read(fds[0], &c, 1);
        if (n <= 0 || c == '\n') break;
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        stop(xPid_);
        throw std::runtime_error("tk::XServer: Xvfb did not report a display number");
    }
    display_ = ":" + number;
    if (!wm) return;

    // mwm reads $HOME/.mwmrc; give it an empty home of its own so that the
    // machine's settings do not matter.  passButtons: the click that focuses
    // a window also reaches it, as a user expects.
    char tmpl[] = "/tmp/tk_mwmhome.XXXXXX";
    if (mkdtemp(tmpl)) wmHome_ = tmpl;
    wmPid_ = spawnQuiet({"mwm", "-display", display_, "-xrm", "Mwm*passButtons: True", "-xrm",
                         "Mwm*startupKeyFocus: True", "-xrm", "Mwm*enforceKeyFocus: False", "-xrm",
                         "Mwm*moveOpaque: True"},
                        -1, display_, wmHome_);
    Display* d = nullptr;
    deadline = std::chrono::steady_clock::now() + 20s;
    while (!d && std::chrono::steady_clock::now() < deadline) {
        d = XOpenDisplay(display_.c_str());
        if (!d) std::this_thread::sleep_for(20ms);
    }
    bool ok = d && wmManagesWindows(d, deadline);
    if (d) XCloseDisplay(d);
    if (!ok) {
        stop(wmPid_);
        stop(xPid_);
        throw std::runtime_error("tk::XServer: mwm did not start");
    }
}

XServer::~XServer() {
    stop(wmPid_);
    stop(xPid_);
    if (!wmHome_.empty()) rmdir(wmHome_.c_str());
}

XServer& XServer::shared() {
    static std::unique_ptr<XServer> server(new XServer(1280, 1024, true));
    return *server;
}

}  // namespace tk
