#include "Gui.h"

#include "protocol.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace tk {

namespace {

using std::chrono::steady_clock;

// Each program's agent spaces its own clicks, but a program started right
// after another ended by a click can be clicked within the multi-click time
// of that last click; the window manager then takes the two for a double
// click and the new program never sees its first one.
pid_t gLastClicked = -1;
steady_clock::time_point gLastClickAt;

}  // namespace

GuiApp::GuiApp(std::vector<std::string> argv, std::map<std::string, std::string> env, int stdoutFd) {
    sock_ = dir_.file("agent.sock");
    Spawn s(std::move(argv));
    s.env = std::move(env);
    s.env["DISPLAY"] = XServer::shared().display();
    s.env["TREV_AGENT_SOCKET"] = sock_;
    const char* old = getenv("LD_PRELOAD");
    s.env["LD_PRELOAD"] = agentLibrary() + (old ? std::string(" ") + old : "");
    s.stdoutFd = stdoutFd;
    proc_.start(s);
    connect();
}

GuiApp::GuiApp(const Attach& program) : attached_(program.pid), sock_(program.socket) {
    connect();
}

// Connects to the agent, then waits until the window manager has put a shell
// of the program on the screen (it is mapped before the event loop starts).
void GuiApp::connect() {
    sockaddr_un addr{AF_UNIX, {}};
    sock_.copy(addr.sun_path, sizeof addr.sun_path - 1);
    waitFor(
        [&] {
            if (!running()) throw std::runtime_error("program ended before its event loop started");
            fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            const timeval answerTimeout{30, 0};
            setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &answerTimeout, sizeof answerTimeout);
            if (::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) return true;
            close(fd_);
            fd_ = -1;
            return false;
        },
        "the agent", 20s);
    waitFor(
        [&] {
            for (const auto& sh : shells())
                if (mapped(sh)) return true;
            return false;
        },
        "a shell of the program on the screen", 20s);
}

GuiApp::~GuiApp() {
    if (fd_ >= 0) close(fd_);
}

bool GuiApp::running() {
    if (attached_ < 0) return proc_.running();
    // Not our child: gone, or a zombie its parent has yet to reap.
    std::ifstream stat("/proc/" + std::to_string(attached_) + "/stat");
    std::string pid, comm, state;
    return stat >> pid >> comm >> state && state != "Z";
}

// The end of the program; an attached one leaves its status to its parent.
RunResult GuiApp::ended(std::chrono::milliseconds timeout) {
    if (attached_ < 0) return *proc_.wait(timeout);
    RunResult r;
    const auto deadline = steady_clock::now() + timeout;
    while (running() && !(r.timedOut = steady_clock::now() >= deadline)) std::this_thread::sleep_for(5ms);
    return r;
}

std::string agentLibrary() { return TREV_AGENT_LIB; }

Attach nextAgent(const std::string& dir, std::set<pid_t>& seen, std::chrono::milliseconds timeout,
                 const std::function<bool()>& keepWaiting) {
    const auto deadline = steady_clock::now() + timeout;
    for (;;) {
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (entry.path().extension() != ".sock") continue;
            const pid_t pid = static_cast<pid_t>(std::atol(entry.path().stem().c_str()));
            if (pid > 0 && seen.insert(pid).second) return {entry.path().string(), pid};
        }
        if (!keepWaiting()) throw std::runtime_error("no further program to drive: the script ended");
        if (steady_clock::now() >= deadline) throw std::runtime_error("no new program's agent in " + dir);
        std::this_thread::sleep_for(10ms);
    }
}

void GuiApp::failWith(const std::string& what) {
    std::string tree, tail;
    try {
        if (fd_ >= 0 && running()) tree = one({"dump"});
    } catch (...) {
    }
    if (!running()) {
        if (!result_) result_ = ended(1s);
        tail = "\nprogram ended: " + result_->describe();
    } else if (attached_ < 0) {
        tail = "\nstderr so far: " + proc_.errSoFar();
    }
    throw std::runtime_error(what + "\nwidget tree:\n" + tree + tail);
}

// The socket's receive timeout (30 s, set in connect) bounds the wait:
// while the program blocks (waiting for a child, say) its agent cannot answer.
std::vector<std::string> GuiApp::request(const std::vector<std::string>& fields) {
    const std::string m = tkproto::message(fields);
    if (fd_ < 0 || send(fd_, m.data(), m.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(m.size()))
        throw std::runtime_error("agent connection lost (program ended?)");
    size_t end;
    while ((end = inbuf_.find(tkproto::kEnd)) == std::string::npos) {
        char buf[65536];
        const ssize_t n = read(fd_, buf, sizeof buf);
        if (n <= 0)
            throw std::runtime_error(n < 0 && errno == EAGAIN ? "agent did not answer " + fields[0] + " (program blocked?)"
                                                              : "agent connection lost (program ended?)");
        inbuf_.append(buf, static_cast<size_t>(n));
    }
    std::vector<std::string> f = tkproto::split(inbuf_.substr(0, end));
    inbuf_.erase(0, end + 1);
    if (f[0] != "ok") throw std::runtime_error("agent: " + f.back());
    f.erase(f.begin());
    return f;
}

// The program first handles the input sent so far: a window that an earlier
// click takes down is gone before this click is aimed.
void GuiApp::clickBy(const std::vector<std::string>& fields) {
    settle();
    if (!mapped(fields[1])) failWith("cannot click " + fields[1] + ": not on the screen");
    const pid_t me = attached_ > 0 ? attached_ : proc_.pid();
    if (gLastClicked != -1 && gLastClicked != me) std::this_thread::sleep_until(gLastClickAt + 700ms);
    gLastClicked = me;
    gLastClickAt = steady_clock::now();
    request(fields);
}

// Drags the title bar, half way between the frame's top and the client's.
void GuiApp::moveFrame(const std::string& shell, int x, int y) {
    const Rect f = frameGeometry(shell), s = geometry(shell);
    if (s.y <= f.y) failWith(shell + " has no title bar to drag");
    const int px = s.x + s.width / 2, py = (f.y + s.y) / 2;
    drag(px, py, px + (x - f.x), py + (y - f.y));
    waitFor([&] { const Rect now = frameGeometry(shell); return now.x == x && now.y == y; },
            "frame of " + shell + " moved to " + std::to_string(x) + "," + std::to_string(y));
}

// Drags the last pixel of the frame: mwm puts the corner where the pointer ends.
void GuiApp::resizeFrame(const std::string& shell, int width, int height) {
    const Rect f = frameGeometry(shell), s = geometry(shell);
    const int px = f.x + f.width - 1, py = f.y + f.height - 1;
    drag(px, py, px + (width - s.width), py + (height - s.height));
    waitFor([&] { const Rect now = geometry(shell); return now.width == width && now.height == height; },
            shell + " resized to " + std::to_string(width) + "x" + std::to_string(height));
}

Rect GuiApp::rect(const std::vector<std::string>& f) {
    return {std::stoi(f.at(0)), std::stoi(f.at(1)), std::stoi(f.at(2)), std::stoi(f.at(3))};
}

void GuiApp::waitFor(const std::function<bool()>& pred, const std::string& what, std::chrono::milliseconds timeout) {
    const auto deadline = steady_clock::now() + timeout;
    std::string last;
    for (;;) {
        try {
            if (pred()) return;
        } catch (const std::exception& e) {
            last = e.what();
            if (!running()) failWith("while waiting for " + what + ": " + last);
        }
        if (steady_clock::now() >= deadline)
            failWith("timed out waiting for " + what + (last.empty() ? "" : " (last error: " + last + ")"));
        std::this_thread::sleep_for(15ms);
    }
}

void GuiApp::waitPlaced(const std::string& shell) {
    Rect last{-1, -1, -1, -1};
    int steady = 0;
    waitFor(
        [&] {
            const Rect g = geometry(shell);
            const bool framed = frameGeometry(shell).height > g.height;
            steady = framed && g.x == last.x && g.y == last.y ? steady + 1 : 0;
            last = g;
            return steady >= 3;
        },
        shell + " framed and in place");
}

void GuiApp::waitDialog(const std::string& shell, const std::string& inner) {
    waitMapped(inner);
    waitFor(
        [&] {
            const Rect c = geometry(shell), f = frameGeometry(shell);
            return c.x - f.x == (f.x + f.width) - (c.x + c.width);
        },
        shell + " placed by the window manager");
}

void GuiApp::typeInto(const std::string& field, const std::string& text) {
    click(field);
    const std::string name = field.substr(field.rfind('/') + 1);
    waitFor([&] { return focus() == name; }, "keyboard focus in " + field);
    const std::size_t length = this->text(field).size();
    const std::size_t cursor = std::stoul(resource(field, "cursorPosition"));
    for (std::size_t i = 0; i < cursor; ++i) key("BackSpace");
    for (std::size_t i = cursor; i < length; ++i) key("Delete");
    typeText(text);
    waitFor([&] { return this->text(field) == text; }, "typed into " + field);
}

RunResult GuiApp::waitExit(std::chrono::milliseconds timeout) {
    if (!result_) result_ = ended(timeout);
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    return *result_;
}

}  // namespace tk
