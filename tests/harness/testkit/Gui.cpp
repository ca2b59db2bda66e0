#include "Gui.h"

#include "TempRoot.h"
#include "protocol.h"

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

#ifndef TREV_AGENT_LIB
#error "TREV_AGENT_LIB must name the agent library"
#endif

namespace tk {

namespace {

using tkproto::esc;
using tkproto::split;

Rect rectOf(const std::vector<std::string>& f) {
    if (f.size() < 4) throw std::runtime_error("agent: short geometry answer");
    return {std::atoi(f[0].c_str()), std::atoi(f[1].c_str()), std::atoi(f[2].c_str()), std::atoi(f[3].c_str())};
}

}  // namespace

std::string modsText(unsigned mods) {
    std::string m;
    if (mods & Ctrl) m += 'C';
    if (mods & Shift) m += 'S';
    if (mods & Alt) m += 'A';
    return m;
}

GuiApp::GuiApp(std::vector<std::string> argv, std::map<std::string, std::string> env, XServer& server,
               std::optional<std::string> stdinData, int stdoutFd) {
    char tmpl[] = "/tmp/tk_agent.XXXXXX";
    if (!mkdtemp(tmpl)) throw std::runtime_error("tk: mkdtemp failed");
    dir_ = tmpl;
    sock_ = dir_ + "/agent.sock";
    Spawn s;
    s.argv = std::move(argv);
    s.env = std::move(env);
    s.env["DISPLAY"] = server.display();
    s.env["TREV_AGENT_SOCKET"] = sock_;
    std::string pre = TREV_AGENT_LIB;
    if (const char* old = getenv("LD_PRELOAD")) pre += std::string(" ") + old;
    s.env["LD_PRELOAD"] = pre;
    s.stdinData = std::move(stdinData);
    s.stdoutFd = stdoutFd;
    proc_.start(s);
    connectAgent(20s);
    waitForAShell();
}

GuiApp::GuiApp(const Attach& program) : attached_(program.pid), sock_(program.socket) {
    connectAgent(20s);
    waitForAShell();
}

// The shell is realized and mapped before the event loop starts; waits until
// the window manager has put one on the screen.
void GuiApp::waitForAShell() {
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
    if (attached_ < 0 && proc_.running()) {
        proc_.kill(SIGKILL);
        proc_.wait(5s);
    }
    if (!dir_.empty()) removeTree(dir_);
}

bool GuiApp::running() {
    if (attached_ < 0) return proc_.running();
    // Not our child: gone, or a zombie its parent has yet to reap.
    std::ifstream stat("/proc/" + std::to_string(attached_) + "/stat");
    std::string pid, comm, state;
    if (!(stat >> pid >> comm >> state)) return false;
    return state != "Z";
}

// The end of the program; an attached one leaves its status to its parent.
RunResult GuiApp::ended(std::chrono::milliseconds timeout) {
    if (attached_ < 0) return *proc_.wait(timeout);
    RunResult r;
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (running() && !r.timedOut) {
        r.timedOut = std::chrono::steady_clock::now() >= deadline;
        std::this_thread::sleep_for(5ms);
    }
    return r;
}

void GuiApp::connectAgent(std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (!running()) {
            result_ = ended(1s);
            throw std::runtime_error("program ended before its event loop started: " + result_->describe());
        }
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::strncpy(addr.sun_path, sock_.c_str(), sizeof addr.sun_path - 1);
        if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
            fd_ = fd;
            return;
        }
        close(fd);
        if (std::chrono::steady_clock::now() >= deadline) {
            if (attached_ < 0) proc_.kill(SIGKILL);
            result_ = ended(5s);
            throw std::runtime_error("agent did not answer: " + result_->describe());
        }
        std::this_thread::sleep_for(10ms);
    }
}

std::string agentLibrary() { return TREV_AGENT_LIB; }

Attach nextAgent(const std::string& dir, std::set<pid_t>& seen, std::chrono::milliseconds timeout,
                 const std::function<bool()>& keepWaiting) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            const std::string name = entry.path().filename().string();
            const size_t dot = name.find(".sock");
            if (dot == std::string::npos || dot + 5 != name.size()) continue;
            pid_t pid = static_cast<pid_t>(std::atol(name.substr(0, dot).c_str()));
            if (pid > 0 && seen.insert(pid).second) return {entry.path().string(), pid};
        }
        if (!keepWaiting()) throw std::runtime_error("no further program to drive: the script ended");
        if (std::chrono::steady_clock::now() >= deadline)
            throw std::runtime_error("no new program's agent in " + dir);
        std::this_thread::sleep_for(10ms);
    }
}

void GuiApp::failWith(const std::string& what) {
    std::string tree;
    try {
        if (fd_ >= 0 && running()) tree = dump();
    } catch (...) {
    }
    std::string tail;
    if (!running()) {
        if (!result_) result_ = ended(1s);
        tail = "\nprogram ended: " + result_->describe();
    } else {
        if (attached_ < 0) tail = "\nstderr so far: " + proc_.errSoFar();
    }
    throw std::runtime_error(what + "\nwidget tree:\n" + tree + tail);
}

std::vector<std::string> GuiApp::request(const std::vector<std::string>& fields) {
    if (fd_ < 0) throw std::runtime_error("agent not connected");
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) line += (i ? "\t" : "") + esc(fields[i]);
    line += '\n';
    size_t off = 0;
    while (off < line.size()) {
        ssize_t n = send(fd_, line.data() + off, line.size() - off, MSG_NOSIGNAL);
        if (n <= 0) throw std::runtime_error("agent connection lost (program ended?)");
        off += static_cast<size_t>(n);
    }
    auto deadline = std::chrono::steady_clock::now() + 30s;
    for (;;) {
        size_t nl = inbuf_.find('\n');
        if (nl != std::string::npos) {
            std::string answer = inbuf_.substr(0, nl);
            inbuf_.erase(0, nl + 1);
            auto f = split(answer);
            std::string status = f[0];
            f.erase(f.begin());
            if (status != "ok") throw std::runtime_error("agent: " + (f.empty() ? answer : f[0]));
            if (f.size() == 1 && f[0].empty()) f.clear();
            return f;
        }
        int left = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count());
        pollfd p{fd_, POLLIN, 0};
        if (left <= 0 || poll(&p, 1, left) <= 0)
            throw std::runtime_error("agent did not answer " + fields[0] + " (program busy or blocked)");
        char buf[65536];
        ssize_t n = read(fd_, buf, sizeof buf);
        if (n <= 0) throw std::runtime_error("agent connection lost (program ended?)");
        inbuf_.append(buf, static_cast<size_t>(n));
    }
}

std::string GuiApp::one(const std::vector<std::string>& fields) {
    auto f = request(fields);
    return f.empty() ? "" : f[0];
}

namespace {

// Each program's agent spaces its own clicks, but a program started right
// after another ended by a click can be clicked within the multi-click time
// of that last click; the window manager then takes the two for a double
// click and the new program never sees its first one.  Clicks of different
// programs of one test binary are kept apart here.
pid_t gLastClicked = -1;
std::chrono::steady_clock::time_point gLastClickAt;

void spaceFromOtherPrograms(pid_t program) {
    if (gLastClicked != -1 && gLastClicked != program)
        std::this_thread::sleep_until(gLastClickAt + 700ms);
    gLastClicked = program;
    gLastClickAt = std::chrono::steady_clock::now();
}

}  // namespace

void GuiApp::click(const std::string& path, unsigned mods) {
    if (!mapped(path)) failWith("cannot click " + path + ": not on the screen");
    spaceFromOtherPrograms(pid());
    request({"click", path, modsText(mods)});
}

void GuiApp::clickListItem(const std::string& path, int pos, unsigned mods) {
    if (!mapped(path)) failWith("cannot click " + path + ": not on the screen");
    spaceFromOtherPrograms(pid());
    request({"clickitem", path, std::to_string(pos), modsText(mods)});
}

void GuiApp::typeText(const std::string& text) { request({"type", text}); }

void GuiApp::key(const std::string& keysym, unsigned mods) { request({"key", keysym, modsText(mods)}); }

void GuiApp::drag(int x1, int y1, int x2, int y2) {
    request({"drag", std::to_string(x1), std::to_string(y1), std::to_string(x2), std::to_string(y2)});
}

void GuiApp::moveFrame(const std::string& shell, int x, int y) {
    Rect f = frameGeometry(shell);
    Rect s = geometry(shell);
    if (s.y <= f.y) failWith(shell + " has no title bar to drag");
    int px = s.x + s.width / 2, py = (f.y + s.y) / 2;
    drag(px, py, px + (x - f.x), py + (y - f.y));
    waitFor(
        [&] {
            Rect now = frameGeometry(shell);
            return now.x == x && now.y == y;
        },
        "frame of " + shell + " moved to " + std::to_string(x) + "," + std::to_string(y));
}

void GuiApp::resizeFrame(const std::string& shell, int width, int height) {
    Rect f = frameGeometry(shell);
    Rect s = geometry(shell);
    // The last pixel of the frame: mwm puts the corner where the pointer ends.
    int px = f.x + f.width - 1, py = f.y + f.height - 1;
    drag(px, py, px + (width - s.width), py + (height - s.height));
    waitFor(
        [&] {
            Rect now = geometry(shell);
            return now.width == width && now.height == height;
        },
        shell + " resized to " + std::to_string(width) + "x" + std::to_string(height));
}

void GuiApp::wmClose(const std::string& shell) { request({"wmproto", shell, "WM_DELETE_WINDOW"}); }

void GuiApp::wmSaveYourself(const std::string& shell) { request({"wmproto", shell, "WM_SAVE_YOURSELF"}); }

bool GuiApp::exists(const std::string& path) { return one({"exists", path}) == "1"; }
std::string GuiApp::widgetClass(const std::string& path) { return one({"class", path}); }
std::string GuiApp::label(const std::string& path) { return one({"label", path}); }
std::string GuiApp::text(const std::string& path) { return one({"text", path}); }
bool GuiApp::toggle(const std::string& path) { return one({"toggle", path}) == "1"; }
bool GuiApp::sensitive(const std::string& path) { return one({"sensitive", path}) == "1"; }
bool GuiApp::managed(const std::string& path) { return one({"managed", path}) == "1"; }
bool GuiApp::mapped(const std::string& path) { return one({"mapped", path}) == "1"; }
bool GuiApp::editable(const std::string& path) { return one({"editable", path}) == "1"; }
std::string GuiApp::resource(const std::string& path, const std::string& name) {
    return one({"resource", path, name});
}
std::string GuiApp::title(const std::string& shell) { return one({"title", shell}); }
std::string GuiApp::iconName(const std::string& shell) { return one({"iconname", shell}); }
std::string GuiApp::dump() { return one({"dump"}); }
std::string GuiApp::focus() { return one({"focus"}); }
std::vector<std::string> GuiApp::shells() { return request({"shells"}); }

std::vector<std::string> GuiApp::cursors(const std::string& path) {
    auto f = request({"cursors", path});
    if (f.empty()) throw std::runtime_error("agent: empty cursor answer");
    f.erase(f.begin());
    return f;
}

std::vector<std::string> GuiApp::listItems(const std::string& path) {
    auto f = request({"listitems", path});
    if (f.empty()) throw std::runtime_error("agent: empty list answer");
    f.erase(f.begin());
    return f;
}

std::vector<int> GuiApp::listSelected(const std::string& path) {
    std::vector<int> out;
    for (const auto& s : request({"listselected", path})) out.push_back(std::atoi(s.c_str()));
    return out;
}

Colors GuiApp::colors(const std::string& path) {
    auto f = request({"colors", path});
    if (f.size() < 2) throw std::runtime_error("agent: short colour answer");
    return {f[0], f[1]};
}

std::string GuiApp::pixel(const std::string& path, int dx, int dy) {
    return one({"pixel", path, std::to_string(dx), std::to_string(dy)});
}

Rect GuiApp::geometry(const std::string& path) { return rectOf(request({"geometry", path})); }
Rect GuiApp::frameGeometry(const std::string& shell) { return rectOf(request({"frame", shell})); }

ScreenSize GuiApp::screen() {
    auto f = request({"screen"});
    return {std::atoi(f.at(0).c_str()), std::atoi(f.at(1).c_str())};
}

void GuiApp::waitFor(const std::function<bool()>& pred, const std::string& what, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string last;
    for (;;) {
        try {
            if (pred()) return;
        } catch (const std::exception& e) {
            last = e.what();
            if (!running()) failWith("while waiting for " + what + ": " + last);
        }
        if (std::chrono::steady_clock::now() >= deadline)
            failWith("timed out waiting for " + what + (last.empty() ? "" : " (last error: " + last + ")"));
        std::this_thread::sleep_for(15ms);
    }
}

void GuiApp::waitMapped(const std::string& path, std::chrono::milliseconds timeout) {
    waitFor([&] { return exists(path) && mapped(path); }, path + " on the screen", timeout);
}

void GuiApp::waitUnmapped(const std::string& path, std::chrono::milliseconds timeout) {
    waitFor([&] { return !exists(path) || !mapped(path); }, path + " off the screen", timeout);
}

void GuiApp::waitGone(const std::string& path, std::chrono::milliseconds timeout) {
    waitFor([&] { return !exists(path); }, path + " destroyed", timeout);
}

void GuiApp::settle() { request({"sync"}); }

void GuiApp::waitMappedSettled(const std::string& path) {
    waitMapped(path);
    settle();
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

RunResult GuiApp::clickAndExit(const std::string& button) {
    waitMapped(button);
    click(button);
    return waitExit();
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
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
    return *result_;
}

}  // namespace tk
