// The mount forms, Mount CD-ROM (5) and Mount Tape (6), and the Mount CD
// action of Install Media (15).  The root terminal is a fake of our own
// named by $XTERM: it records its argument vector, runs the command after
// "-e" (a fake mount script that records its own arguments) and then waits
// for the test to let it end, so that the test can look at the screen while
// mainpanel waits for it.
#include <filesystem>
#include <functional>
#include <sstream>

#include "mpTest.h"

// After the test kit: Xlib's macros (None, Bool) would clash with its names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Title of the mount forms' windows and of their help windows.
const char kMountTitle[] = "Trevalon: Mount CD-ROM";
const char kMountHelpTitle[] = "Trevalon Help: Mount CD-ROM";

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

// Whether a window with WM_NAME `title` is viewable on the shared server,
// seen from a connection of the test's own (mainpanel cannot answer while
// it waits for the terminal).
bool viewableTitled(const std::string& title) {
    Display* d = XOpenDisplay(tk::XServer::shared().display().c_str());
    if (!d) throw std::runtime_error("cannot open the display");
    XSetErrorHandler(ignoreXErrors);
    bool found = false;
    std::function<void(Window)> walk = [&](Window w) {
        char* name = nullptr;
        if (XFetchName(d, w, &name) && name) {
            XWindowAttributes a;
            if (title == name && XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable)
                found = true;
            XFree(name);
        }
        Window root = 0, parent = 0, *kids = nullptr;
        unsigned n = 0;
        if (!XQueryTree(d, w, &root, &parent, &kids, &n)) return;
        for (unsigned i = 0; i < n; ++i) walk(kids[i]);
        if (kids) XFree(kids);
    };
    walk(DefaultRootWindow(d));
    XCloseDisplay(d);
    return found;
}

// The fake terminal and mount script of one test, in its temporary root.
struct FakeTerminal {
    const tk::TempRoot& root;
    std::string path;   // the terminal, deeper than 80 characters
    std::string argsFile = root.file("terminal.args");
    std::string scriptArgsFile = root.file("mntCD.args");
    std::string releaseFile = root.file("release");

    explicit FakeTerminal(const tk::TempRoot& r)
        : root(r), path(r.file(std::string(90, 'd') + "/bin/fake-xterm")) {
        root.write(path.substr(root.path().size() + 1),
                   "#!/bin/sh\n"
                   "for a in \"$0\" \"$@\"; do printf '%s\\n' \"$a\"; done > '" + argsFile + ".tmp'\n"
                   "mv '" + argsFile + ".tmp' '" + argsFile + "'\n"
                   "shift 15\n"
                   "\"$@\"\n"
                   "i=0\n"
                   "while [ ! -e '" + releaseFile + "' ] && [ $i -lt 600 ]; do\n"
                   "  sleep 0.05; i=$((i + 1))\n"
                   "done\n"
                   "exit 3\n",
                   0755);
        root.write("install/bin.sun4v/mntCD.sh",
                   "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > '" + scriptArgsFile + "'\n", 0755);
    }

    std::vector<std::string> expectedArgs() const {
        return {path, "-T", "\"Trevalon  (become root and mount CD-ROM drive)\"", "-fn", "9x15",
                "-g", "80x24+410+0", "-bg", "#e0e0e0", "-fg", "#800000", "-sb", "-sk", "-cr",
                "red", "-e", root.file("install/bin.sun4v/mntCD.sh"), "sun4v"};
    }
};

struct TerminalCase {
    std::vector<std::string> args;
    std::string mountButton, helpButton, helpWindow, formTitle, helpTitle;
    std::string device;   // the DeviceCD line
    std::size_t slot;
};

// Mount CD prints the line, hides the form and its help window, runs the
// terminal with its 18 arguments, and ends with 0 when the terminal ends.
void runTerminalCase(const TerminalCase& c) {
    tk::TempRoot root;
    FakeTerminal term(root);
    ASSERT_GT(term.path.size(), 80u);
    auto env = mp::env(root);
    env["XTERM"] = term.path;
    tk::GuiApp app(mp::argv(c.args), env);
    app.waitMapped(c.helpButton);
    app.click(c.helpButton);
    app.waitMapped(c.helpWindow);
    // The help window must leave the button to press visible.
    const tk::Rect help = app.frameGeometry(c.helpWindow), button = app.geometry(c.mountButton);
    const int bx = button.x + button.width / 2, by = button.y + button.height / 2;
    ASSERT_FALSE(bx >= help.x && bx < help.x + help.width && by >= help.y &&
                 by < help.y + help.height)
        << "the help window covers " << c.mountButton;
    // What the test looks for can be seen while it is there.
    app.waitFor([&] { return viewableTitled(c.formTitle) && viewableTitled(c.helpTitle); },
                "form and help window viewable");

    app.click(c.mountButton);
    app.waitFor([&] { return fs::exists(term.argsFile); }, "the terminal started", 20s);
    EXPECT_FALSE(viewableTitled(c.formTitle));
    EXPECT_FALSE(viewableTitled(c.helpTitle));
    EXPECT_TRUE(app.running());
    // The line is out while the terminal runs.
    EXPECT_EQ(app.process().outSoFar(), c.device);
    EXPECT_EQ(lines(tk::readFile(term.argsFile)), term.expectedArgs());
    app.waitFor([&] { return fs::exists(term.scriptArgsFile); }, "the mount script ran", 20s);
    EXPECT_EQ(tk::readFile(term.scriptArgsFile),
              root.file("install/bin.sun4v/mntCD.sh") + "\nsun4v\n");

    tk::writeFile(term.releaseFile, "");
    tk::RunResult r = app.waitExit(20s);
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(r.out, c.device);
    EXPECT_EQ(r.err, "");
    EXPECT_GT(mp::status(root).slot(c.slot).width, 0u);
}

// ---- Mount CD-ROM (5): the root terminal -------------------------------------------

TEST(MountCd, MountCdRunsTheTerminalWhileTheFormIsHidden) {
    runTerminalCase({{"5", "Disc 1", "Disc 2", "/dev/sr0", "0"}, "mntCDMount", "mntCDHelp",
                     "mntCDHelpTextWin", kMountTitle, kMountHelpTitle, "DeviceCD='/dev/sr0'\n", 160});
}

TEST(MountCd, InstallMediaMountCdRunsTheSameTerminal) {
    runTerminalCase({{"15", "CDROM", "Disc 3", "srv:/dev/sr0"}, "instMediaCDMount",
                     "instMediaCDHelp", "instMediaHelpTextWin", "Trevalon: Install Media", "Trevalon Help: Install Media",
                     "DeviceCD='srv:/dev/sr0'\n", 112});
}

TEST(MountCd, NoUsableTerminalShowsTheNoteWhoseCancelReturnsToTheForm) {
    // The default terminal must be missing on this machine for the note.
    ASSERT_FALSE(fs::exists("/usr/openwin/bin/xterm"));
    tk::TempRoot root;
    for (const std::string& xtermVar : {std::string(), root.file("no-such-terminal")}) {
        auto env = mp::env(root);
        env["XTERM"] = xtermVar;
        tk::GuiApp app(mp::argv({"5", "", "Disc 2", "srv:/dev/sr0", "0"}), env);
        app.waitMapped("mntCDMount");
        app.click("mntCDMount");
        app.waitDialog("mntCDMsg", "mntCDMsgL");
        EXPECT_EQ(app.title("mntCDMsg"), "Note");
        EXPECT_EQ(app.label("mntCDMsgL"),
                  "Click OK after find a window in which to\nbecome root and mount the CD-ROM drive.");
        EXPECT_EQ(app.label("widget339"), "!");
        EXPECT_EQ(app.geometry("mntCDMsgOk").width, app.geometry("mntCDMsgCancel").width);
        app.click("mntCDMsgCancel");
        app.waitUnmapped("mntCDMsgL");
        app.settle();
        EXPECT_TRUE(app.running());
        EXPECT_TRUE(app.mapped("mntCDMount"));
        // Closed by the window manager, the note is built again.
        app.click("mntCDMount");
        app.waitDialog("mntCDMsg", "mntCDMsgL");
        app.wmClose("mntCDMsg");
        app.waitGone("mntCDMsgL");
        app.click("mntCDMount");
        app.waitDialog("mntCDMsg", "mntCDMsgL");
        tk::RunResult r = app.clickAndExit("mntCDMsgOk");
        EXPECT_EQ(r.code, 0) << r.describe();
        // Each Mount CD printed the line.
        EXPECT_EQ(r.out, "DeviceCD='srv:/dev/sr0'\nDeviceCD='srv:/dev/sr0'\nDeviceCD='srv:/dev/sr0'\n");
    }
}

TEST(MountCd, TerminalThatCannotBeExecutedIsNoTerminal) {
    // Nothing was mounted: 248, as for a terminal that cannot be created,
    // and the record is not written back.
    tk::TempRoot root;
    tk::StatusFile::blank().save(root.file(mp::kStatus));
    auto env = mp::env(root);
    env["XTERM"] = root.write("not-executable", "#!/bin/sh\nexit 0\n", 0644);
    tk::GuiApp app(mp::argv({"5", "", "Disc 2", "/dev/sr0", "0"}), env);
    tk::RunResult r = app.clickAndExit("mntCDMount");
    EXPECT_EQ(r.code, 248) << r.describe();
    EXPECT_EQ(r.out, "DeviceCD='/dev/sr0'\n");
    EXPECT_EQ(r.err, "System error in execv\n");
    EXPECT_EQ(mp::status(root).slot(160).width, 0u);   // a written record holds the size
}

// ---- Mount CD-ROM (5): the form ------------------------------------------------------

TEST(MountCd, RemoteSpecCdMountedPrintsHostAndDeviceAnd221) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"5", "", "Disc 2", "srv:/dev/sr0", "0"}), mp::env(root));
    app.waitMapped("mntCDMounted");
    EXPECT_EQ(app.title(mp::kShell), kMountTitle);
    EXPECT_EQ(app.label("mntCDLabel"), "Disc 2");
    EXPECT_TRUE(app.toggle("mntCDUnkRemote"));
    EXPECT_FALSE(app.toggle("mntCDUnkLocal"));
    EXPECT_EQ(app.text("mntCDHostNameV"), "srv");
    EXPECT_EQ(app.text("mntCDDevNameV"), "/dev/sr0");
    // No unmount line; the mount line sits 25 pixels under the heading.
    EXPECT_FALSE(app.exists("unmntCDmsg"));
    EXPECT_FALSE(app.exists("unmntCDLabel"));
    EXPECT_FALSE(app.exists("unmntCDmsg1"));
    const tk::Rect title = app.geometry("mntCDTitle");
    EXPECT_EQ(app.geometry("mntCDmsg").y, title.y + title.height + 25);
    EXPECT_TRUE(app.sensitive("mntCDSkip"));
    tk::RunResult r = app.clickAndExit("mntCDMounted");
    EXPECT_EQ(r.code, 221) << r.describe();
    EXPECT_EQ(r.out, "DeviceCD='srv:/dev/sr0'\n");
    EXPECT_GT(mp::status(root).slot(160).width, 0u);
}

TEST(MountCd, LocalSpecHostClickedThenCdMountedWantsTheHost) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"5", "Old disc", "New disc", "/dev/sr0", "1"}), mp::env(root));
    app.waitMapped("mntCDMounted");
    EXPECT_EQ(app.label("unmntCDmsg"), "Unmount and remove CD-ROM");
    EXPECT_EQ(app.label("unmntCDLabel"), "Old disc");
    EXPECT_EQ(app.label("mntCDLabel"), "New disc");
    EXPECT_GT(app.geometry("mntCDmsg").y, app.geometry("unmntCDmsg").y);
    EXPECT_TRUE(app.toggle("mntCDUnkLocal"));
    // The Host field starts editable in the form's light colour.
    EXPECT_TRUE(app.editable("mntCDHostNameV"));
    EXPECT_EQ(app.colors("mntCDHostNameV").bg, "#cececa");
    // noSkip: Skip CD is grey and does nothing.
    EXPECT_FALSE(app.sensitive("mntCDSkip"));
    app.click("mntCDSkip");
    app.settle();
    EXPECT_TRUE(app.running());

    app.click("mntCDHostNameV");
    app.waitFor([&] { return app.toggle("mntCDUnkRemote"); }, "Remote host set");
    EXPECT_FALSE(app.toggle("mntCDUnkLocal"));
    dev::expectHostEditable(app, "mntCDHostNameV");
    app.click("mntCDMounted");
    EXPECT_EQ(dev::warning(app), "You need to specify\n    CD-ROM remote host name\n");
    dev::closeWarning(app);
    // Local again: the host is not asked for.
    app.click("mntCDUnkLocal");
    app.waitFor([&] { return app.toggle("mntCDUnkLocal"); }, "Local set");
    dev::expectHostGrey(app, "mntCDHostNameV");
    tk::RunResult r = app.clickAndExit("mntCDMounted");
    EXPECT_EQ(r.code, 221) << r.describe();
    EXPECT_EQ(r.out, "DeviceCD='/dev/sr0'\n");
}

TEST(MountCd, SkipMainMenuAndHelp) {
    for (auto [button, code] : {std::pair{"mntCDSkip", 5}, {"mntCDMainMenu", 250}}) {
        tk::TempRoot root;
        tk::GuiApp app(mp::argv({"5", "", "Disc", "/dev/sr0", "0"}), mp::env(root));
        if (code == 5) mp::checkHelp(app, "mntCDHelp", "mntCD", kMountHelpTitle);
        tk::RunResult r = app.clickAndExit(button);
        EXPECT_EQ(r.code, code) << r.describe();
        EXPECT_EQ(r.out, "");
    }
}

// ---- Mount Tape (6) -----------------------------------------------------------------------

TEST(MountTape, RemoteSpecOkPrintsTheTape) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"6", "Tape 2", "th:/dev/rmt/0", "0"}), mp::env(root));
    app.waitMapped("mntTapeOk");
    EXPECT_EQ(app.title(mp::kShell), "Trevalon: Mount Tape");
    EXPECT_EQ(app.label("mntTapeHead1"), "Mount the ");
    EXPECT_EQ(app.label("mntTapeNameV"), "Tape 2");
    EXPECT_EQ(app.label("mntTapeHead3"), "on");
    EXPECT_EQ(app.label("mntTapeFrameLabel"), "Tape device");
    EXPECT_TRUE(app.toggle("mntTapeUnkRemote"));
    EXPECT_EQ(app.text("mntTapeHostV"), "th");
    EXPECT_EQ(app.text("mntTapeDevV"), "/dev/rmt/0");
    EXPECT_TRUE(app.sensitive("mntTapeSkip"));
    tk::RunResult r = app.clickAndExit("mntTapeOk");
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(r.out, "DeviceTAPE='th:/dev/rmt/0'\n");
    EXPECT_GT(mp::status(root).slot(168).width, 0u);
}

TEST(MountTape, LocalThenRemoteHostNeedsAHost) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"6", "Tape 2", "/dev/rmt/0", "7"}), mp::env(root));
    app.waitMapped("mntTapeOk");
    EXPECT_FALSE(app.sensitive("mntTapeSkip"));
    EXPECT_TRUE(app.toggle("mntTapeUnkLocal"));
    app.click("mntTapeUnkRemote");
    app.waitFor([&] { return app.toggle("mntTapeUnkRemote"); }, "Remote host set");
    dev::expectHostEditable(app, "mntTapeHostV");
    app.click("mntTapeOk");
    EXPECT_EQ(dev::warning(app), "You need to specify\n    Tape remote host name\n");
    dev::closeWarning(app);
    app.click("mntTapeHostV");
    app.typeText("tapes");
    app.waitFor([&] { return app.text("mntTapeHostV") == "tapes"; }, "host typed");
    tk::RunResult r = app.clickAndExit("mntTapeOk");
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(r.out, "DeviceTAPE='tapes:/dev/rmt/0'\n");
}

TEST(MountTape, SkipMainMenuAndHelp) {
    for (auto [button, code] : {std::pair{"mntTapeSkip", 5}, {"mntTapeMainMenu", 250}}) {
        tk::TempRoot root;
        tk::GuiApp app(mp::argv({"6", "T", "/dev/rmt/0", "0"}), mp::env(root));
        if (code == 5) mp::checkHelp(app, "mntTapeHelp", "mntTape", "Trevalon Help: Mount Tape");
        tk::RunResult r = app.clickAndExit(button);
        EXPECT_EQ(r.code, code) << r.describe();
        EXPECT_EQ(r.out, "");
    }
}

}  // namespace
