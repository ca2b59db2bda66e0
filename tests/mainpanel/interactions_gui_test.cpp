// What a table of answers cannot show: the warnings that keep a form up,
// the root terminal of the mount forms, the Recheck of the free space, a
// form's place and size carried to the next run, the e-mail browser, the
// selection restored, a record and an answer that cannot be written.
#include <X11/cursorfont.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include "mpTest.h"

namespace {

using mp::click;
using mp::key;
using mp::type;

// OK refused with a note; the note's OK closes it and the form stays.
// Return on a product list answers OK without selecting.
TEST(Interactions, WarningsKeepTheFormUp) {
    const struct {
        std::vector<std::string> args;
        std::vector<mp::Step> steps;   // the last one is the refused OK
        std::string note, text;
    } cases[] = {
        {{"14", "TAPE", "/dev/rmt/0"},
         {click("unreadInMedRemoteV"), type("unreadInMedHostV", "th"), key("i", tk::Ctrl), click("unreadInMedOk")},
         "WarnDialog", "Remove the control characters (line feeds, tabs, ...) from\n    Tape remote host name\n"},
        {{"1", "2", "0", "/dev/rmt/0", "0", "0"},
         {type("prodInfoEmailText", "%R/wo"), key("j", tk::Ctrl), key("x"), click("instInfoOk")}, "WarnDialog",
         "The email file name holds a control character (a line feed, a tab, ...)\n Respecify the email file name\n"},
        {{"1", "2", "0", "/dev/rmt/0", "0", "0"}, {click("instInfoOk")}, "WarnDialog", "You need to specify email file name"},
        {{"22", "%R/wo"}, {key("Return")}, "WarnDialog", "No Work Order Selected"},
        {{"8", "%R/bad"}, {}, "WarnDialog", "Wrong format in product description file: %R/bad.\n"
                                            "Only the products before the wrong line are shown."},
        {{"2", "%R/prods", "%R/sel", "1000", "1"}, {key("Return")}, "WarnNoProdSel",
         "You need to select one or more products to proceed."},
    };
    for (const auto& c : cases) {
        tk::TempRoot root;
        mp::writeCatalogue(root);
        root.write("wo\nx", "Subject: work order\n");
        root.write("wo", "WO1 sun4v\n");
        root.write("bad", "Alpha aux alpha 500 v1 t2 available\nbad line\n");
        tk::GuiApp app(mp::argv(c.args, &root), mp::env(root));
        app.waitPlaced(mp::kShell);
        mp::drive(app, c.steps, root);
        const std::string label = c.note + (c.note == "WarnDialog" ? "V" : "L");
        app.waitDialog(c.note, label);
        EXPECT_EQ(app.label(label), mp::expand(c.text, root)) << c.args[0];
        app.click(c.note + "Ok");
        app.waitUnmapped(label);
        app.settle();
        EXPECT_TRUE(app.running()) << c.args[0];
        app.wmClose(mp::kShell);
        EXPECT_EQ(app.waitExit().out, "") << c.args[0];
    }
}

// Mount CD prints the line and runs $XTERM (a path deeper than 80
// characters) with the mount script; its end is the form's answer 0.  No
// terminal: a note whose Cancel returns to the form and whose OK ends it
// with 0.  A terminal that cannot be executed: 248, the record not written.
TEST(Interactions, MountCdRunsTheRootTerminal) {
    ASSERT_FALSE(std::filesystem::exists("/usr/openwin/bin/xterm"));
    tk::TempRoot root;
    const std::string term = root.file(std::string(90, 'd') + "/xterm"), args = root.file("terminal.args");
    root.write(term.substr(root.path().size() + 1),
               "#!/bin/sh\nfor a in \"$0\" \"$@\"; do printf '%s\\n' \"$a\"; done > '" + args + "'\n", 0755);
    const std::string script = root.write("install/bin.sun4v/mntCD.sh", "#!/bin/sh\n", 0755);
    auto env = mp::env(root);
    env["XTERM"] = term;
    tk::GuiApp terminal(mp::argv({"15", "CDROM", "Disc 3", "srv:/dev/sr0"}), env);
    terminal.waitPlaced(mp::kShell);
    tk::RunResult r = terminal.clickAndExit("instMediaCDMount");
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(r.out, "DeviceCD='srv:/dev/sr0'\n");
    // Its argument vector, one argument a line.
    EXPECT_EQ(tk::readFile(args), term + "\n-T\n\"Trevalon  (become root and mount CD-ROM drive)\"\n-fn\n9x15\n"
                                         "-g\n80x24+410+0\n-bg\n#e0e0e0\n-fg\n#800000\n-sb\n-sk\n-cr\nred\n-e\n" +
                                         script + "\nsun4v\n");

    env["XTERM"] = root.file("none");
    tk::GuiApp app(mp::argv({"5", "", "Disc 2", "/dev/sr0", "0"}), env);
    app.waitPlaced(mp::kShell);
    for (const char* button : {"mntCDMsgCancel", "mntCDMsgOk"}) {
        app.click("mntCDMount");
        app.waitDialog("mntCDMsg", "mntCDMsgL");
        EXPECT_EQ(app.label("mntCDMsgL"), "Click OK after find a window in which to\nbecome root and mount the CD-ROM drive.");
        app.click(button);
    }
    r = app.waitExit();
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(r.out, "DeviceCD='/dev/sr0'\nDeviceCD='/dev/sr0'\n");

    env["XTERM"] = root.write("not-executable", "#!/bin/sh\nexit 0\n", 0644);
    const std::string blank(trev::kStatusRecordSize, '\0');
    root.write(mp::kStatus, blank);
    tk::GuiApp again(mp::argv({"5", "", "Disc 2", "/dev/sr0", "0"}), env);
    again.waitPlaced(mp::kShell);
    r = again.clickAndExit("mntCDMount");
    EXPECT_EQ(r.code, 248) << r.describe();
    EXPECT_EQ(r.err, "System error in execv\n");
    EXPECT_EQ(root.read(mp::kStatus), blank);
}

// Recheck runs `$BOURNE <estimator> <result file>` under a watch cursor; its
// answer replaces the free space (an end by a signal is no failure); an exit
// status 1 or a result out of range changes nothing.  Without $BOURNE, the
// shell or the estimator nothing runs.
TEST(Interactions, Recheck) {
    for (const auto& [bourne, message] : {std::pair<std::string, std::string>{"/nonexistent/sh",
                                              "Shell command /nonexistent/sh does not exist.\n"}, {"", "BOURNE is not set.\n"}}) {
        tk::TempRoot root;
        mp::writeCatalogue(root);
        auto env = mp::env(root);
        if (!bourne.empty()) env["BOURNE"] = bourne;
        tk::GuiApp app(mp::argv({"2", root.file("prods"), root.file("sel"), "1000", "1"}), env);
        app.waitPlaced(mp::kShell);
        app.click("selProdRecheckFreeDisk");
        app.waitFor([&] { return !app.process().errSoFar().empty(); }, "the message");
        EXPECT_EQ(app.process().errSoFar(), message);
        EXPECT_TRUE(app.cursors(mp::kShell).empty());
    }
    tk::TempRoot root;
    mp::writeCatalogue(root);
    const std::string estimator = root.write("install/bin.sun4v/freeDisk",
        "ls -l /proc/$$/fd >> \"$Proot/fds\"\necho \"$0 $1\" >> \"$Proot/calls\"\ncase $(cat \"$Proot/mode\") in\nok) echo 2048000 > \"$1\" ;;\n"
        "kill) echo 4096 > \"$1\"; kill -9 $$ ;;\nfail) echo 777 > \"$1\"; exit 1 ;;\nneg) echo -5 > \"$1\" ;;\nesac\n");
    auto env = mp::env(root);
    env["BOURNE"] = "/bin/sh";
    tk::GuiApp app(mp::argv({"2", root.file("prods"), root.file("sel"), "1000", "1"}), env);
    app.waitPlaced(mp::kShell);
    app.clickListItem("selProdListV", 3);   // Gamma: 2000
    const struct {
        std::string mode, label;
        bool resultKept;
    } runs[] = {{"ok", "2046000 KBytes ", false}, {"fail", "2046000 KBytes ", true},
                {"kill", "2096 KBytes    ", false}, {"neg", "2096 KBytes    ", false}};
    std::string calls;
    for (const auto& run : runs) {
        root.write("mode", run.mode);
        calls += estimator + " " + root.file("install/tmp/freeDisk.out") + "\n";
        app.click("selProdRecheckFreeDisk");
        app.waitFor([&] { return root.exists("calls") && root.read("calls") == calls; }, "the estimator run");
        app.settle();
        EXPECT_EQ(app.label("selProdFreeDiskV"), run.label) << run.mode;
        EXPECT_EQ(root.exists("install/tmp/freeDisk.out"), run.resultKept) << run.mode;
    }
    // The form's own open files stay with the form.
    EXPECT_EQ(root.read("fds").find(mp::kStatus), std::string::npos);
    EXPECT_EQ(root.read("fds").find(root.file("sel")), std::string::npos);
    const std::string na = "Free disk space information not available.\n";
    ::unlink(estimator.c_str());
    app.click("selProdRecheckFreeDisk");
    const std::string err = na + "Free disk space is too big or too small(-5).\n" + na + "Cannot find " + estimator +
                            " program to estimate free disk.\n";
    app.waitFor([&] { return app.process().errSoFar() == err; }, "the messages");
    const std::string watch = std::to_string(XC_watch);
    EXPECT_EQ(app.cursors(mp::kShell), (std::vector<std::string>{watch, "none", watch, "none", watch, "none", watch, "none"}));
}

// A form cannot be made smaller than its natural size.  Moved (down only)
// and resized by the user it comes back there at that size; another form
// type comes at the same place at its own size.  Quit deletes the record.
TEST(Interactions, AMovedAndResizedFormComesBack) {
    tk::TempRoot root;
    const std::vector<std::string> menu = mp::argv({"0", "20", "1", "1", "1", "1", "1"});
    tk::Rect natural;
    int x = 0;
    {
        tk::GuiApp app(menu, mp::env(root));
        app.waitPlaced(mp::kShell);
        natural = app.geometry(mp::kShell);
        EXPECT_EQ(app.resource(mp::kShell, "minWidth"), std::to_string(natural.width));
        EXPECT_EQ(app.resource(mp::kShell, "minHeight"), std::to_string(natural.height));
        x = app.frameGeometry(mp::kShell).x;
        app.moveFrame(mp::kShell, x, 120);
        app.resizeFrame(mp::kShell, natural.width + 90, natural.height + 70);
        EXPECT_EQ(app.clickAndExit("topLevOK").code, 20);
    }
    for (const auto& [args, size, end, code] :
         {std::tuple{mp::argv({"23"}), false, "topDCOK", 231}, {menu, true, "topLevQuit", 250}}) {
        tk::GuiApp app(args, mp::env(root));
        app.waitPlaced(mp::kShell);
        const tk::Rect frame = app.frameGeometry(mp::kShell), shell = app.geometry(mp::kShell);
        EXPECT_EQ(frame.x, x);
        EXPECT_EQ(frame.y, 120);
        EXPECT_EQ(shell.width == natural.width + 90 && shell.height == natural.height + 70, size);
        EXPECT_EQ(app.clickAndExit(end).code, code);
    }
    EXPECT_FALSE(root.exists(mp::kStatus));
}

// The e-mail browser: with subfolders the files list keeps its share of the
// width, before and after a search and when the window grows; a file picked
// fills the form's field.
TEST(Interactions, EmailBrowser) {
    tk::TempRoot root;
    const std::string top = root.mkdir("T"), box = "emailSelectBox", files = box + "/ItemsList", dirs = box + "/DirList";
    root.write("T/wo.txt", "Subject: work order\n");
    for (const char* d : {"Documents", "Downloads", "Desktop", "mailbox", "projects"}) root.mkdir(std::string("T/") + d);
    auto env = mp::env(root);
    env["TrevStartDir"] = top;
    tk::GuiApp app(mp::argv({"1", "3", "12", "/dev/rmt/0", "0", "0"}), env);
    app.waitPlaced(mp::kShell);
    app.click("prodInfoEmailBrowser");
    app.waitMapped(box);
    app.settle();
    auto expectShared = [&](const char* when) {
        EXPECT_GE(app.geometry(files).width, app.geometry(dirs).width * 3 / 4) << when;
        EXPECT_GE(app.geometry(files).width, 150) << when;
    };
    expectShared("opened");
    app.click(box + "/Apply");
    app.waitFor([&] { return app.text(box + "/FilterText") == top + "/*"; }, "searched");
    expectShared("searched");
    const tk::Rect before = app.geometry("emailBrowser");
    app.resizeFrame("emailBrowser", before.width + 200, before.height + 100);
    app.waitFor([&] { return app.geometry(files).width > (before.width + 200) / 3; }, "files list grown");
    expectShared("resized");
    app.clickListItem(files, 1);
    app.waitFor([&] { return app.text(box + "/Text").find("wo.txt") != std::string::npos; }, "wo.txt picked");
    app.click(box + "/OK");
    app.waitUnmapped("emailBrowser");
    const tk::RunResult r = app.clickAndExit("instInfoOk");
    EXPECT_EQ(r.code, 2) << r.describe();
    EXPECT_EQ(r.out, "EmailFile='" + top + "/wo.txt'\n");
    EXPECT_EQ(std::string(mp::status(root).emailFile), top + "/wo.txt");
}

// Load Products writes the choice in catalogue order and its names after
// the record; the next run selects again only the failed product of them,
// in the order shown last.
TEST(Interactions, TheSelectionWrittenAndRestored) {
    tk::TempRoot root;
    mp::writeCatalogue(root);
    const std::vector<std::string> args = mp::argv({"2", root.file("prods"), root.file("sel"), "1000", "1"});
    {
        tk::GuiApp app(args, mp::env(root));
        app.waitPlaced(mp::kShell);
        app.click("selProdBySizeV");
        app.waitFor([&] { return app.listItems("selProdListV").front() == "   100  failed     Zeta"; }, "by size");
        app.clickListItem("selProdListV", 1);             // Zeta
        app.clickListItem("selProdListV", 6, tk::Ctrl);   // Gamma
        // 2100 needed of 1000 free: the available space on red.
        app.waitFor([&] { return app.resource("selProdFreeDiskV", "background") == std::to_string(0xff0000); },
                    "the warning background");
        EXPECT_EQ(app.clickAndExit("selProdOK").code, 0);
    }
    EXPECT_EQ(root.read("sel"), "Gamma aux gamma 2000 v1 t2 available\nZeta aux zeta 100 v1 t2 failed\n");
    const std::string bytes = root.read(mp::kStatus);
    EXPECT_EQ(trev::decodeSelectedNames(reinterpret_cast<const std::uint8_t*>(bytes.data()) + trev::kStatusRecordSize,
                                        bytes.size() - trev::kStatusRecordSize, mp::status(root).numSelNames),
              (std::vector<std::string>{"gamma", "zeta"}));
    tk::GuiApp app(args, mp::env(root));
    app.waitPlaced(mp::kShell);
    EXPECT_TRUE(app.toggle("selProdBySizeV"));
    EXPECT_EQ(app.listSelected("selProdListV"), std::vector<int>{1});
    EXPECT_EQ(app.label("selProdFreeDiskV"), "900 KBytes     ");
    EXPECT_EQ(app.clickAndExit("selProdOK").code, 0);
    EXPECT_EQ(root.read("sel"), "Zeta aux zeta 100 v1 t2 failed\n");
}

// The answer still reaches the script when form.status cannot be written,
// and the failure is said: a file size limit of 512 bytes, SIGXFSZ ignored.
TEST(Interactions, AFailedWriteOfTheRecordIsReported) {
    tk::TempRoot root;
    std::vector<std::string> args{"/bin/sh", "-c", "trap '' XFSZ; ulimit -f 1; exec \"$@\"", "sh", mp::kBin, "23"};
    tk::GuiApp app(args, mp::env(root));
    app.waitPlaced(mp::kShell);
    app.click("topDCCus");
    app.settle();
    const tk::RunResult r = app.clickAndExit("topDCOK");
    EXPECT_EQ(r.code, 232) << r.describe();
    EXPECT_EQ(r.err, "Cannot write file " + root.file(mp::kStatus) + "(File too large)\n");
}

// An answer that cannot be written is said and answered 250: standard
// output closed, a pipe whose reader has gone.  A button that prints
// nothing is unaffected even on a full device.
TEST(Interactions, AnAnswerThatCannotBeWrittenIsNeverLostSilently) {
    const int full = open("/dev/full", O_WRONLY);
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    close(pipeFds[0]);
    for (const auto& [fd, button, code] : {std::tuple{tk::Spawn::kClosed, "topPlatOK", 250},
                                           {pipeFds[1], "topPlatOK", 250}, {full, "topPlatPrev", 255}}) {
        tk::TempRoot root;
        root.write("plats", "sun4v T-series\n");
        tk::GuiApp app(mp::argv({"19", root.file("plats")}), mp::env(root), fd);
        app.waitPlaced(mp::kShell);
        const tk::RunResult r = app.clickAndExit(button);
        EXPECT_EQ(r.code, code) << fd << ": " << r.describe();
        EXPECT_EQ(r.err.find("Cannot write to standard output(") != std::string::npos, code == 250) << r.err;
    }
    close(pipeFds[1]);
    close(full);
}

}  // namespace
