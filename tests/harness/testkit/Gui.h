// Driving a real Motif program under Xvfb and mwm through the preloaded test
// agent: genuine XTest input, widget state read back, deadlines everywhere.
#pragma once

#include "Process.h"
#include "TempRoot.h"
#include "XServer.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tk {

enum Mods : unsigned { None = 0, Ctrl = 1 };

struct Rect { int x = 0, y = 0, width = 0, height = 0; };

// The agent of a program that someone else started (an installer script,
// say) with the agent preloaded and TREV_AGENT_DIR set: its socket
// <dir>/<pid>.sock and its process id.
struct Attach { std::string socket; pid_t pid; };

class GuiApp {
public:
    // Starts argv[0] with the agent preloaded, DISPLAY set to the shared
    // server, and the given environment additions; returns once the agent
    // answers and a shell of the program is on the screen.  `stdoutFd` as in
    // Spawn.
    GuiApp(std::vector<std::string> argv, std::map<std::string, std::string> env = {}, int stdoutFd = -1);
    // Connects to the agent of a program started by someone else; returns
    // once a shell of the program is on the screen.  Its exit status belongs
    // to its parent: waitExit() only waits for its end.
    explicit GuiApp(const Attach& program);
    ~GuiApp();

    // Input (genuine XTest events).
    void click(const std::string& path, unsigned mods = None) { clickBy({"click", path, mods & Ctrl ? "C" : ""}); }
    void clickListItem(const std::string& path, int pos, unsigned mods = None) {
        clickBy({"click", path, mods & Ctrl ? "C" : "", std::to_string(pos)});
    }
    void typeText(const std::string& text) { request({"type", text}); }
    void key(const std::string& keysym, unsigned mods = None) { request({"key", keysym, mods & Ctrl ? "C" : ""}); }
    void moveFrame(const std::string& shell, int x, int y);
    void resizeFrame(const std::string& shell, int width, int height);
    void wmClose(const std::string& shell) { request({"wmproto", shell, "WM_DELETE_WINDOW"}); }

    // State.
    std::string label(const std::string& path) { return one({"label", path}); }
    std::string text(const std::string& path) { return one({"text", path}); }
    bool toggle(const std::string& path) { return resource(path, "set") == "1"; }  // fails on a non-toggle
    bool mapped(const std::string& path) { return flag({"mapped", path}); }  // false when there is none
    bool editable(const std::string& path) { return resource(path, "editable") == "1"; }
    std::vector<std::string> listItems(const std::string& path) { return request({"listitems", path}); }
    // Every cursor the program defined on the widget's window so far, in
    // order: a font cursor's shape number (XC_watch is "150"), "none" for
    // the parent's cursor, "other" for any other cursor.
    std::vector<std::string> cursors(const std::string& path) { return request({"cursors", path}); }
    std::vector<int> listSelected(const std::string& path) {
        std::vector<int> out;
        for (const auto& s : request({"listselected", path})) out.push_back(std::stoi(s));
        return out;
    }
    Rect geometry(const std::string& path) { return rect(request({"geometry", path})); }
    Rect frameGeometry(const std::string& shell) { return rect(request({"frame", shell})); }
    std::string title(const std::string& shell) { return one({"title", shell}); }
    std::string resource(const std::string& path, const std::string& name) { return one({"resource", path, name}); }
    // The name of the widget that typed keys go to; empty when no window of
    // the program has the keyboard focus.
    std::string focus() { return one({"focus"}); }
    std::vector<std::string> shells() { return request({"shells"}); }

    // Waiting, with deadlines.  A failed wait throws with the widget tree.
    void waitMapped(const std::string& path) { waitFor([&] { return mapped(path); }, path + " on the screen"); }
    void waitUnmapped(const std::string& path) { waitFor([&] { return !mapped(path); }, path + " off the screen"); }
    void waitFor(const std::function<bool()>& pred, const std::string& what,
                 std::chrono::milliseconds timeout = 15s);
    RunResult waitExit(std::chrono::milliseconds timeout = 15s);
    // Lets the program handle every event already sent to it (no waiting for
    // the window manager); for checks that something did NOT change.
    void settle() { request({"sync"}); }
    // Waits until the window manager has framed `shell` and left it in
    // place: a window may still move for a moment after it is on the
    // screen, and a click computed before the move misses.
    void waitPlaced(const std::string& shell);
    // Waits until the dialog `shell` is up (its widget `inner` mapped) and
    // the window manager has done with it: a dialog comes up at its own size
    // and is then widened, so its buttons move once.  Done when the client
    // sits in the middle of its frame.
    void waitDialog(const std::string& shell, const std::string& inner);
    // Waits for `button`, clicks it and waits for the program's end.
    RunResult clickAndExit(const std::string& button) { return waitMapped(button), click(button), waitExit(); }
    // Replaces the text of a text field by typing, as a user would: a click
    // into it (waiting until typed keys go there: the window manager may
    // still hold a click into a new window), the old text deleted key by
    // key, the new one typed.  Home and End are not used: in a file
    // selection box's search path they move in the directory list.
    void typeInto(const std::string& field, const std::string& text);
    bool running();
    Process& process() { return proc_; }

private:
    // One agent request; returns the answer's fields.  Throws on "err".
    std::vector<std::string> request(const std::vector<std::string>& fields);
    std::string one(const std::vector<std::string>& fields) { return request(fields).at(0); }
    bool flag(const std::vector<std::string>& fields) { return one(fields) == "1"; }
    static Rect rect(const std::vector<std::string>& f);
    void drag(int x1, int y1, int x2, int y2) {  // root coordinates
        request({"drag", std::to_string(x1), std::to_string(y1), std::to_string(x2), std::to_string(y2)});
    }
    void clickBy(const std::vector<std::string>& fields);
    void connect();
    RunResult ended(std::chrono::milliseconds timeout);
    [[noreturn]] void failWith(const std::string& what);

    Process proc_;
    pid_t attached_ = -1;
    TempRoot dir_;  // holds the socket of a program started here
    std::string sock_;
    int fd_ = -1;
    std::string inbuf_;
    std::optional<RunResult> result_;
};

// The agent library, for LD_PRELOAD of programs that others start.
std::string agentLibrary();

// Waits for the agent of a program not yet in `seen` to listen in `dir` (set
// as TREV_AGENT_DIR), adds it to `seen` and returns it; throws after the
// timeout, or at once when keepWaiting() turns false (the script ended).
Attach nextAgent(const std::string& dir, std::set<pid_t>& seen, std::chrono::milliseconds timeout,
                 const std::function<bool()>& keepWaiting = [] { return true; });

}  // namespace tk
