// demo-walk: the unattended demo.
//
// Starts a private Xvfb with mwm and runs the demo installer against the
// installation root $Proot, with the test agent preloaded into every program
// the installer starts (each listening on a socket of its own).  Then it plays
// the walk below: it finds each program as the installer starts it, saves a
// screenshot of its window, answers it as a user would, and compares the
// answer the installer reports ("  => ..." lines on its output) with the one
// expected.  Exit status 0 when the installer took every answer expected and
// ended well, 1 otherwise.
//
// Usage: demo-walk INSTALLER SCREENS-DIR   (Proot and PATH from the caller)
#include "desk.h"

#include "Gui.h"
#include "TempRoot.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

class Walk;

// One program window of the walk, being driven.
struct Form {
    tk::GuiApp& app;
    Walk& walk;
    std::string shell;  // the window's shell

    // Saves a screenshot of the window of `shellName` (default: the form's).
    void shot(const std::string& name, const std::string& shellName = "");
    // Waits until the window of `shellName` is on the screen and keeps its
    // size: mwm may resize a window as it maps it, and a click aimed before
    // the program has laid itself out again would miss.
    void settled(const std::string& shellName);
    void pick(const std::string& list, const std::vector<int>& positions, unsigned mods = tk::Ctrl);
    void waitLabel(const std::string& widget, const std::string& text);
};

// One step of the walk: a program the installer starts, what the user does
// in its window, and what the installer then reports.  (The progress window
// lasts long enough for a screenshot only the first time; later steps just
// check its end.)
struct Step {
    std::string program;  // "mainpanel 19", "asker", "asker QUES", "hourglass"; "" for no window
    std::string shot;     // name of the screenshot
    std::function<void(Form&)> act;
    std::vector<std::string> answers;  // the installer's report, $Proot for the root
};

std::string replaced(std::string s, const std::string& what, const std::string& by) {
    for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + by.size()))
        s.replace(at, what.size(), by);
    return s;
}

// What a process is, from its command line: the program's name and, for
// mainpanel, the form type; for asker, "QUES" when it asks.
std::string programOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline");
    std::vector<std::string> argv;
    for (std::string arg; std::getline(in, arg, '\0');) argv.push_back(arg);
    if (argv.empty()) return "";
    std::string name = argv[0].substr(argv[0].rfind('/') + 1);
    if (name == "mainpanel" && argv.size() > 1) return name + " " + argv[1];
    if (name == "asker" && argv.size() == 3 && argv[1] == "QUES") return name + " QUES";
    return name;
}

class Walk {
public:
    Walk(const std::string& installer, const std::string& screens)
        : server_(1280, 1024), desk_(server_.display()), screens_(screens) {
        const char* root = std::getenv("Proot");
        if (!root) throw std::runtime_error("Proot is not set");
        proot_ = root;
        // The screenshots of this walk only.
        std::filesystem::create_directories(screens);
        for (const auto& entry : std::filesystem::directory_iterator(screens))
            if (entry.path().extension() == ".png") std::filesystem::remove(entry.path());
        tk::Spawn s({installer});
        s.env = {{"DISPLAY", server_.display()},
                 {"LD_PRELOAD", tk::agentLibrary()},
                 {"TREV_AGENT_DIR", agents_.path()}};
        installer_.start(s);
    }

    ~Walk() {
        // Whatever is left of the installer and its programs goes.
        if (installer_.running()) installer_.wait(0ms);
    }

    const std::string& proot() const { return proot_; }
    walk::Desk& desk() { return desk_; }

    void shot(const std::string& name, const tk::Rect& area) {
        const std::string file = screens_ + "/" + (step_ < 10 ? "0" : "") + std::to_string(step_) + "-" + name + ".png";
        if (!desk_.shot(area, file)) throw std::runtime_error("no screenshot " + file);
    }

    // Plays the steps; false at the first answer that is not the one
    // expected.
    bool play(const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            ++step_;
            if (!step.program.empty()) drive(step);
            for (const std::string& expected : step.answers) {
                const std::string want = replaced(expected, "$Proot", proot_);
                const std::string got = nextAnswer();
                const bool ok = got == want;
                std::printf("%02d %-15s %-28s %s%s\n", step_, step.program.empty() ? "-" : step.program.c_str(),
                            step.shot.c_str(), got.c_str(), ok ? "" : "   <- expected: ");
                if (!ok) {
                    std::printf("%43s%s\n", "", want.c_str());
                    return false;
                }
                std::fflush(stdout);
            }
        }
        tk::RunResult r = *installer_.wait(60s);
        const std::string extra = nextAnswer(0ms);
        if (!extra.empty()) {
            std::printf("the installer answered more than expected: %s\n", extra.c_str());
            return false;
        }
        if (!r.exited || r.code != 0) {
            std::printf("the installer ended badly: %s\n", r.describe().c_str());
            return false;
        }
        // The programs and the installer had nothing to complain about.
        if (!r.err.empty()) {
            std::printf("the installer or its programs said on standard error:\n%s", r.err.c_str());
            return false;
        }
        return true;
    }

    // What the installer said, for a failure report.
    std::string transcript() { return installer_.outSoFar() + installer_.errSoFar(); }

private:
    // Finds the step's program among those the installer starts (a progress
    // window that the walk does not look at is let be), shows it, acts.
    void drive(const Step& step) {
        for (;;) {
            tk::Attach a = tk::nextAgent(agents_.path(), seen_, 90s, [&] { return installer_.running(); });
            const std::string program = programOf(a.pid);
            if (program == step.program) {
                tk::GuiApp app(a);
                Form form{app, *this, ""};
                for (const auto& shell : app.shells())
                    if (form.shell.empty() && app.mapped(shell)) form.shell = shell;
                form.shot(step.shot);
                if (step.act) step.act(form);
                if (app.waitExit(90s).timedOut) throw std::runtime_error(program + " did not end");
                return;
            }
            if (program != "hourglass" && !program.empty())
                throw std::runtime_error("the installer started " + program + ", not " + step.program);
        }
    }

    // The next answer line of the installer, without its "  => ".
    std::string nextAnswer(std::chrono::milliseconds timeout = 90s) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            std::istringstream out(installer_.outSoFar());
            size_t n = 0;
            for (std::string line; std::getline(out, line);) {
                if (line.rfind("  => ", 0) != 0 || out.eof()) continue;
                if (n++ == answers_) {
                    ++answers_;
                    return line.substr(5);
                }
            }
            if (std::chrono::steady_clock::now() >= deadline || !installer_.running()) {
                if (!installer_.running() && std::chrono::steady_clock::now() < deadline) {
                    // Its last words may still be on their way.
                    std::this_thread::sleep_for(100ms);
                    if (installer_.outSoFar().size() != out.str().size()) continue;
                }
                return "";
            }
            std::this_thread::sleep_for(20ms);
        }
    }

    tk::XServer server_;
    walk::Desk desk_;
    tk::TempRoot agents_;
    std::string screens_, proot_;
    tk::Process installer_;
    std::set<pid_t> seen_;
    size_t answers_ = 0;
    int step_ = 0;
};

void Form::shot(const std::string& name, const std::string& shellName) {
    const std::string s = shellName.empty() ? shell : shellName;
    settled(s);
    walk.shot(name, app.frameGeometry(s));
}

void Form::settled(const std::string& shellName) {
    app.waitMapped(shellName);
    tk::Rect last{};
    int same = 0;
    app.waitFor(
        [&] {
            const tk::Rect g = app.frameGeometry(shellName);
            same = g.x == last.x && g.y == last.y && g.width == last.width && g.height == last.height ? same + 1 : 0;
            last = g;
            return same >= 6;
        },
        shellName + " settled");
    app.settle();
}

void Form::pick(const std::string& list, const std::vector<int>& positions, unsigned mods) {
    for (int pos : positions) app.clickListItem(list, pos, mods);
    app.waitFor(
        [&] {
            const std::vector<int> now = app.listSelected(list);
            for (int pos : positions)
                if (std::find(now.begin(), now.end(), pos) == now.end()) return false;
            return true;
        },
        list + " items picked");
}

void Form::waitLabel(const std::string& widget, const std::string& text) {
    app.waitFor([&] { return app.label(widget) == text; }, widget + " reading " + text);
}

// ---------------------------------------------------------------- the walk

// Presses a button.
std::function<void(Form&)> press(const std::string& button) {
    return [button](Form& f) { f.app.click(button); };
}

// Sets a toggle (radio box choice), then presses a button.
std::function<void(Form&)> choose(const std::string& toggle, const std::string& button) {
    return [toggle, button](Form& f) {
        f.app.click(toggle);
        f.app.waitFor([&] { return f.app.toggle(toggle); }, toggle + " set");
        f.app.click(button);
    };
}

// Picks list items (with Control: added to what is selected), then presses.
std::function<void(Form&)> pickThen(const std::string& list, std::vector<int> positions, const std::string& button,
                                    unsigned mods = tk::Ctrl) {
    return [list, positions, button, mods](Form& f) {
        f.pick(list, positions, mods);
        f.app.click(button);
    };
}

// Picks a list's items by their text, then presses.
std::function<void(Form&)> pickNamed(const std::string& list, std::vector<std::string> items,
                                     const std::string& button) {
    return [list, items, button](Form& f) {
        const std::vector<std::string> all = f.app.listItems(list);
        std::vector<int> positions;
        for (const auto& item : items)
            for (size_t i = 0; i < all.size(); ++i)
                if (all[i].find(item) != std::string::npos) positions.push_back(static_cast<int>(i) + 1);
        if (positions.size() != items.size()) throw std::runtime_error(list + " lacks an item to pick");
        f.pick(list, positions);
        if (!button.empty()) f.app.click(button);
    };
}

const char kMailBox[] = "emailSelectBox";
const char kTerminalTitle[] = "\"Trevalon  (become root and mount CD-ROM drive)\"";

// The e-mail browser: the work order's file picked from the mail folder.
void emailWorkOrder(Form& f) {
    f.app.click("prodInfoEmailBrowser");
    const std::string files = std::string(kMailBox) + "/ItemsList";
    f.app.waitFor([&] { return f.app.mapped("emailBrowser") && f.app.listItems(files).size() == 2; },
                  "the mail folder in the browser");
    const std::vector<std::string> items = f.app.listItems(files);
    const int pos = items[0] == "WO-2291.mail" ? 1 : 2;
    f.app.clickListItem(files, pos);
    f.app.waitFor([&] { return f.app.text(std::string(kMailBox) + "/Text").find("WO-2291.mail") != std::string::npos; },
                  "the work order's file picked");
    f.shot("email-browser", "emailBrowser");
    f.app.click(std::string(kMailBox) + "/OK");
    f.app.waitUnmapped("emailBrowser");
    f.app.click("instInfoOk");
}

// Load Products, first time: everything, a fresh estimate of the free space,
// OK.
void loadAll(Form& f) {
    f.app.click("selProdSelAll");
    f.waitLabel("selProdTotalSizeV", "17300 KBytes   ");
    f.app.click("selProdRecheckFreeDisk");
    f.app.settle();
    f.waitLabel("selProdFreeDiskV", "-3000 KBytes   ");
    f.shot("load-products-all");
    f.app.click("selProdOK");
}

// Load Products again after Reselect: the failed product chosen before is
// chosen again; two more are added.
void loadFewer(Form& f) {
    f.app.waitFor([&] { return f.app.listSelected("selProdListV") == std::vector<int>{4}; },
                  "Order Entry chosen again");
    f.pick("selProdListV", {1, 8});
    f.waitLabel("selProdTotalSizeV", "9500 KBytes    ");
    f.app.click("selProdOK");
}

// Install Media: the drive named on a remote host.
void remoteDrive(Form& f) {
    f.app.click("instMediaCDRemote");
    f.app.waitFor([&] { return f.app.editable("instMediaCDHostName"); }, "host field editable");
    f.app.click("instMediaCDHostName");
    f.app.typeText("jupiter");
    f.app.waitFor([&] { return f.app.text("instMediaCDHostName") == "jupiter"; }, "host typed");
    f.app.click("instMediaCDOk");
}

// Mount CD-ROM: Mount CD opens the root terminal with the mount script;
// Return in it ends it, and with it the form.
void mountInTerminal(Form& f) {
    f.app.click("mntCDMount");
    walk::Desk& desk = f.walk.desk();
    std::optional<tk::Rect> term;
    const std::string mounted = f.walk.proot() + "/cdrom/LABEL";
    f.app.waitFor([&] { return (term = desk.frameOf(kTerminalTitle)) && access(mounted.c_str(), R_OK) == 0; },
                  "the terminal with the mount script", 30s);
    std::this_thread::sleep_for(300ms);  // the terminal draws the script's last lines
    f.walk.shot("mount-terminal", *term);
    desk.click(term->x + term->width / 2, term->y + term->height / 2);
    desk.key("Return");
}

// Select All, then OK.
std::function<void(Form&)> selectAll(const std::string& button, const std::string& list, size_t count,
                                     const std::string& ok) {
    return [=](Form& f) {
        f.app.click(button);
        f.app.waitFor([&] { return f.app.listSelected(list).size() == count; }, list + " all selected");
        f.app.click(ok);
    };
}

// List Products, sorted by status: failed first, installed last.
void listByStatus(Form& f) {
    f.app.click("listByStatusV");
    f.app.waitFor([&] { return f.app.text("listProdListV").find("failed") < f.app.text("listProdListV").find("available"); },
                  "the list sorted by status");
    f.shot("list-products-by-status");
    f.app.click("listInstMainMenu");
}

// Remove Products: the Archive Manager frees its own package only; the
// runtime stays for the other products.
void removeArchive(Form& f) {
    pickNamed("rmListProdListV", {"Archive Manager"}, "")(f);
    f.waitLabel("rmInstDiskAvaV", "2100 KBytes    ");
    f.shot("remove-products-archive");
    f.app.click("rmInstOk");
}

std::vector<Step> steps() {
    const std::string cd = "DeviceCD='/dev/sr0'";
    const std::string installed = "ledger payroll orders reports query archive spooler";
    return {
        {"", "", {}, {"mainpanel -1: 0"}},
        {"mainpanel 24", "release-notes", press("TVMBOKButton"), {"mainpanel 24: 51"}},
        {"mainpanel 19", "platform",
         [](Form& f) {
             if (!f.app.toggle("1")) throw std::runtime_error("sun4v is not preselected");
             f.app.click("topPlatOK");
         },
         {"mainpanel 19: 0 sun4v"}},
        {"mainpanel 23", "installation-type", choose("topDCCus", "topDCOK"), {"mainpanel 23: 232"}},
        {"mainpanel 0", "main-menu", press("topLevOK"), {"mainpanel 0: 20"}},
        {"mainpanel 1", "installation-information", emailWorkOrder,
         {"mainpanel 1: 2 EmailFile='$Proot/mail/WO-2291.mail'"}},
        {"mainpanel 17", "on-hold", press("listHoldProdOK"), {"mainpanel 17: 0"}},
        {"mainpanel 20", "select-media", press("instMediaOk"), {"mainpanel 20: 55"}},
        {"mainpanel 21", "media-required", press("listMediaOk"), {"mainpanel 21: 0"}},
        {"mainpanel 2", "load-products", loadAll,
         {"mainpanel 2: 0", "selected: ledger payroll stock orders datadict forms sheetlink archive"}},
        {"mainpanel 3", "disk-space", press("lackSpaceReselect"), {"mainpanel 3: 255"}},
        {"mainpanel 2", "load-products-again", loadFewer, {"mainpanel 2: 0", "selected: ledger orders archive"}},
        {"mainpanel 4", "load-device-options", press("inMedDOk"), {"mainpanel 4: 0 " + cd}},
        {"mainpanel 15", "install-media", remoteDrive, {"mainpanel 15: 0 DeviceCD='jupiter:/dev/sr0'"}},
        {"mainpanel 14", "device-read-failed", choose("unreadInMedLocalV", "unreadInMedOk"),
         {"mainpanel 14: 0 " + cd}},
        {"mainpanel 5", "mount-cdrom", mountInTerminal, {"mainpanel 5: 0 " + cd}},
        {"hourglass", "progress", {}, {"hourglass: 143"}},
        {"mainpanel 24", "loading-log", press("TVMBOKButton"), {"mainpanel 24: 51"}},
        {"mainpanel 0", "main-menu-configure", press("topLevOK"), {"mainpanel 0: 11"}},
        {"mainpanel 10", "configure", press("configOk"), {"mainpanel 10: 40"}},
        {"mainpanel 11", "configure-system", selectAll("configSysSelAllV", "configSysListV", 7, "configSysOk"),
         {"mainpanel 11: 0", "selected: " + installed}},
        {"mainpanel 10", "configure-again", press("configOk"), {"mainpanel 10: 41"}},
        {"mainpanel 12", "configure-user", pickThen("configUserListV", {1}, "configUserOk"),
         {"mainpanel 12: 0", "selected: ledger"}},
        {"mainpanel 0", "main-menu-test", choose("topLevTest", "topLevOK"), {"mainpanel 0: 12"}},
        {"mainpanel 13", "test", selectAll("testInstSelAll", "testInstListV", 7, "testInstOk"),
         {"mainpanel 13: 0", "selected: " + installed}},
        {"asker", "test-results", press("askerOk"), {"asker: 0"}},
        {"mainpanel 0", "main-menu-list", choose("topLevListProd", "topLevOK"), {"mainpanel 0: 21"}},
        {"mainpanel 8", "list-products", listByStatus, {"mainpanel 8: 250"}},
        {"mainpanel 0", "main-menu-remove", choose("topLevRemoveProd", "topLevOK"), {"mainpanel 0: 22"}},
        {"mainpanel 9", "remove-products", removeArchive, {"mainpanel 9: 0", "selected: archive"}},
        {"asker QUES", "remove-question", press("DecisionBox/OK"), {"asker QUES: 15"}},
        {"mainpanel 0", "main-menu-update", choose("topLevUpdtProd", "topLevOK"), {"mainpanel 0: 23"}},
        {"mainpanel 22", "work-orders", pickThen("listWOProdL", {2}, "listWOOk", tk::None), {"mainpanel 22: 2"}},
        {"mainpanel 6", "mount-tape", press("mntTapeOk"), {"mainpanel 6: 0 DeviceTAPE='/dev/rmt/0'"}},
        {"", "", {}, {"hourglass: 143"}},
        {"asker", "update-done", press("askerOk"), {"asker: 0"}},
        {"mainpanel 0", "main-menu-documents", choose("topLevLoadProd", "topLevOK"), {"mainpanel 0: 20"}},
        {"mainpanel 1", "installation-information-docs", choose("prodInfoDocCatalog", "instInfoOk"),
         {"mainpanel 1: 5"}},
        {"mainpanel 18", "load-documents", pickNamed("selProdListV", {"Ledger Accounts Manual", "Administration"}, "selProdOK"),
         {"mainpanel 18: 0", "selected: ledgerdoc admindoc"}},
        {"", "", {}, {"hourglass: 143"}},
        {"mainpanel 24", "documents-log", press("TVMBMMButton"), {"mainpanel 24: 52"}},
        {"mainpanel 0", "main-menu-quit", press("topLevQuit"), {"mainpanel 0: 250"}},
        {"asker QUES", "leave", press("DecisionBox/OK"), {"asker QUES: 15"}},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s installer screens-dir\n", argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    std::unique_ptr<Walk> walk;
    bool ok = false;
    try {
        walk = std::make_unique<Walk>(argv[1], argv[2]);
        ok = walk->play(steps());
    } catch (const std::exception& e) {
        std::printf("%s\n", e.what());
    }
    if (!ok && walk) std::printf("\nThe installer's output:\n%s", walk->transcript().c_str());
    const auto secs = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
    std::printf("%s in %lld s; screenshots in %s\n", ok ? "walk done" : "WALK FAILED",
                static_cast<long long>(secs.count()), argv[2]);
    return ok ? 0 : 1;
}
