// The Recheck of the free space with an estimator of our own run through
// $BOURNE, the disk space check form, and the start-up failures of the
// product forms (messages, status 1, the selection file already created).
#include <X11/cursorfont.h>
#include <unistd.h>

#include <functional>

#include "mpTest.h"

namespace {

const char kAvailable[] = "selProdFreeDiskV";
const char kList[] = "selProdListV";
const char kNotAvailable[] = "Free disk space information not available.\n";

// A free-space estimator that does what $Proot/mode says and records each
// call (its arguments and $Proot) in $Proot/calls, and the files it was
// handed open in $Proot/fds.
const char kEstimator[] =
    "ls -l /proc/$$/fd >> \"$Proot/fds\"\n"
    "echo \"$0|$1|$#|$Proot\" >> \"$Proot/calls\"\n"
    "case $(cat \"$Proot/mode\") in\n"
    "ok)   echo 2048000 > \"$1\" ;;\n"
    "neg)  echo -5 > \"$1\" ;;\n"
    "big)  echo 100000000 > \"$1\" ;;\n"
    "long) echo 0000000012345678 > \"$1\" ;;\n"
    "fail) echo 777 > \"$1\"; exit 1 ;;\n"
    "none) ;;\n"
    "kill) echo 4096 > \"$1\"; kill -9 $$ ;;\n"
    "esac\n"
    "exit 0\n";

const std::string kWatch = std::to_string(XC_watch);

struct RecheckForm {
    tk::TempRoot root;
    std::unique_ptr<tk::GuiApp> app;
    std::string result() const { return root.file("install/tmp/freeDisk.out"); }

    explicit RecheckForm(std::map<std::string, std::string> extraEnv = {{"BOURNE", "/bin/sh"}}) {
        cg::writeCatalogue(root);
        root.write("install/bin.sun4v/freeDisk", kEstimator);
        auto env = cg::env(root);
        env.insert(extraEnv.begin(), extraEnv.end());
        app = std::make_unique<tk::GuiApp>(cg::loadProducts(root, "1000"), env);
        app->waitMapped(kList);
        app->waitPlaced(mp::kShell);
    }
    // Runs the estimator in `mode`; returns once the form has handled it.
    void recheck(const std::string& mode) {
        root.write("mode", mode + "\n");
        const std::size_t calls = root.exists("calls") ? root.read("calls").size() : 0;
        app->click("selProdRecheckFreeDisk");
        app->waitFor([&] { return root.exists("calls") && root.read("calls").size() > calls; },
                     "the estimator run");
        app->settle();
    }
    std::string err() { return app->process().errSoFar(); }
};

TEST(Recheck, TheEstimatorsAnswerReplacesTheFreeSpace) {
    RecheckForm f;
    f.app->clickListItem(kList, 3);   // Gamma: 2000 required
    f.app->waitFor([&] { return f.app->label(kAvailable) == "-1000 KBytes   "; }, "-1000");
    f.recheck("ok");
    f.app->waitFor([&] { return f.app->label(kAvailable) == "2046000 KBytes "; }, "2046000");
    EXPECT_EQ(f.app->label("selProdTotalSizeV"), "2000 KBytes    ");
    EXPECT_EQ(f.app->listSelected(kList), (std::vector<int>{3}));
    EXPECT_EQ(f.app->pixel(kAvailable, 2, 2), "#e0e0e0");
    // Run as `$BOURNE <estimator> <result file>`, with the environment.
    EXPECT_EQ(f.root.read("calls"), f.root.file("install/bin.sun4v/freeDisk") + "|" + f.result() +
                                        "|1|" + f.root.path() + "\n");
    EXPECT_FALSE(f.root.exists("install/tmp/freeDisk.out"));
    EXPECT_EQ(f.err(), "");
    // The form's own open files stay with the form.
    const std::string fds = f.root.read("fds");
    EXPECT_EQ(fds.find(mp::kStatus), std::string::npos) << fds;
    EXPECT_EQ(fds.find(f.root.file("sel")), std::string::npos) << fds;
    // The form waited under a watch cursor and got its own cursor back.
    EXPECT_EQ(f.app->cursors(mp::kShell), (std::vector<std::string>{kWatch, "none"}));
    // The new free space counts for the selections that follow.
    f.app->clickListItem(kList, 1);
    f.app->waitFor([&] { return f.app->label(kAvailable) == "2047500 KBytes "; }, "2047500");

    // The thirteenth character of a long first line is lost: 000000001234.
    f.recheck("long");
    f.app->waitFor([&] { return f.app->label(kAvailable) == "734 KBytes     "; }, "734");
    EXPECT_EQ(f.err(), "");

    // An estimator ended by a signal is not a failure by itself.
    f.recheck("kill");
    f.app->waitFor([&] { return f.app->label(kAvailable) == "3596 KBytes    "; }, "3596");
    EXPECT_EQ(f.err(), "");
}

TEST(Recheck, ResultsOutOfRangeAndFailuresChangeNothing) {
    RecheckForm f;
    const std::string before = f.app->label(kAvailable);
    EXPECT_EQ(before, "1000 KBytes    ");
    f.recheck("neg");
    f.app->waitFor([&] { return f.err().find(kNotAvailable) != std::string::npos; }, "message");
    EXPECT_EQ(f.err(), std::string("Free disk space is too big or too small(-5).\n") + kNotAvailable);
    EXPECT_FALSE(f.root.exists("install/tmp/freeDisk.out"));
    f.recheck("big");
    f.app->waitFor([&] { return f.err().size() > 100; }, "second message");
    EXPECT_EQ(f.err(), std::string("Free disk space is too big or too small(-5).\n") +
                           kNotAvailable + "Free disk space is too big or too small(100000000).\n" +
                           kNotAvailable);
    EXPECT_EQ(f.app->label(kAvailable), before);

    // Exit status 1: the result file is neither read nor removed.
    f.recheck("fail");
    f.app->waitFor([&] { return f.err().size() > 200; }, "third message");
    EXPECT_EQ(f.app->label(kAvailable), before);
    EXPECT_EQ(f.root.read("install/tmp/freeDisk.out"), "777\n");
    // No result file at all.
    ::unlink(f.result().c_str());
    const std::size_t seen = f.err().size();
    f.recheck("none");
    f.app->waitFor([&] { return f.err().size() > seen; }, "fourth message");
    EXPECT_EQ(f.err().substr(seen), kNotAvailable);
    EXPECT_EQ(f.app->label(kAvailable), before);

    // Without the estimator nothing runs.
    ::unlink(f.root.file("install/bin.sun4v/freeDisk").c_str());
    f.app->click("selProdRecheckFreeDisk");
    const std::string missing = "Cannot find " + f.root.file("install/bin.sun4v/freeDisk") +
                                " program to estimate free disk.\n";
    f.app->waitFor([&] { return f.err().size() > seen + sizeof kNotAvailable; }, "missing estimator");
    EXPECT_EQ(f.err().substr(seen + sizeof kNotAvailable - 1), missing);
    EXPECT_TRUE(f.app->running());
    // A watch cursor for each estimator run, never one left behind.
    std::vector<std::string> cursors;
    for (int run = 0; run < 4; ++run) cursors.insert(cursors.end(), {kWatch, "none"});
    EXPECT_EQ(f.app->cursors(mp::kShell), cursors);
}

TEST(Recheck, BourneUnsetOrMissing) {
    const std::pair<std::map<std::string, std::string>, std::string> cases[] = {
        {{{"BOURNE", "/nonexistent/sh"}}, "Shell command /nonexistent/sh does not exist.\n"},
        {{}, "BOURNE is not set.\n"}};
    for (const auto& [env, message] : cases) {
        RecheckForm f(env);
        f.app->click("selProdRecheckFreeDisk");
        f.app->waitFor([&] { return !f.err().empty(); }, "message");
        EXPECT_EQ(f.err(), message);
        EXPECT_FALSE(f.root.exists("calls"));
        EXPECT_EQ(f.app->label(kAvailable), "1000 KBytes    ");
        EXPECT_EQ(f.app->cursors(mp::kShell), std::vector<std::string>{});
    }
}

// ---- Disk space check form ---------------------------------------------------------------

TEST(DiskSpaceCheck, EachButtonAnswersItsCode) {
    const std::pair<const char*, int> buttons[] = {{"lackSpaceReselect", 255},
                                                   {"lackSpaceIngore", 30},
                                                   {"lackSpaceRecheck", 31},
                                                   {"lackSpaceMainMenu", 250}};
    for (auto [button, code] : buttons) {
        tk::TempRoot root;
        tk::StatusFile::blank().set("selProdSort", 2).set("numSelNames", 1).appendName("keep").save(
            root.file(mp::kStatus));
        tk::GuiApp app(mp::argv({"3", "800", "1400"}), mp::env(root));
        app.waitMapped(button);
        app.waitPlaced(mp::kShell);
        app.click(button);
        tk::RunResult r = app.waitExit();
        EXPECT_EQ(r.code, code) << button << ": " << r.describe();
        EXPECT_EQ(r.out + r.err, "");
        // The form changes no field of its own; the names stay.
        tk::StatusFile st = mp::status(root);
        EXPECT_EQ(st.named("selProdSort"), 2);
        EXPECT_EQ(st.names(), (std::vector<std::string>{"keep"}));
    }
}

TEST(DiskSpaceCheck, FiguresInSixColumnsAndHelp) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"3", "800", "1400"}), mp::env(root));
    app.waitMapped("lackSpaceDiskAvaV");
    app.waitPlaced(mp::kShell);
    EXPECT_EQ(app.title(mp::kShell), "Trevalon: Disk Space Check Failed");
    EXPECT_EQ(app.label("lackSpaceDiskAvaV"), "   800");
    EXPECT_EQ(app.label("lackSpaceDiskReqV"), "  1400");
    EXPECT_EQ(app.label("lackSpaceHead"),
              "There is not enough disk space to install  the products you selected .");
    EXPECT_EQ(app.label("lackSpaceIngore"), "Ignore &\nContinue");
    app.click("lackSpaceHelp");
    app.waitMapped("lackSpaceHelpTextWin");
    EXPECT_EQ(app.title("lackSpaceHelpTextWin"), "Trevalon Help: Disk Space Check Failed");
    EXPECT_NE(app.text("lackSpaceHelpText").find("df -k"), std::string::npos);
    app.wmClose(mp::kShell);
    EXPECT_EQ(app.waitExit().code, 250);

    // Texts are shown as given, longer ones whole.
    tk::GuiApp app2(mp::argv({"3", "12345678", "x y"}), mp::env(root));
    app2.waitMapped("lackSpaceDiskAvaV");
    EXPECT_EQ(app2.label("lackSpaceDiskAvaV"), "12345678");
    EXPECT_EQ(app2.label("lackSpaceDiskReqV"), "   x y");
}

// ---- Start-up failures --------------------------------------------------------------------

// The product forms' start with the platform set, or not.
tk::RunResult runForm(const tk::TempRoot& root, const std::vector<std::string>& args,
                      bool platform = true) {
    return mp::runMp(args, root, platform ? cg::env(root) : mp::env(root));
}

TEST(StartFailures, MessagesStatusOneAndAnEmptySelectionFile) {
    struct Case {
        const char* what;
        std::function<void(tk::TempRoot&)> damage;
        std::function<std::string(tk::TempRoot&)> message;
        bool platform = true;
    };
    const Case cases[] = {
        {"no platform", [](tk::TempRoot&) {},
         [](tk::TempRoot&) { return std::string("Installation platform not specified.\n"); }, false},
        {"unknown status",
         [](tk::TempRoot& r) { r.write("prods", "P aux pend 1 v1 t2 pending\n"); },
         [](tk::TempRoot&) { return std::string("Unknown product status pending for product pend.\n"); }},
        {"six fields",
         [](tk::TempRoot& r) { r.write("prods", "P aux six 1 v1 t2\n"); },
         [](tk::TempRoot&) { return std::string("Unknown product status  for product six.\n"); }},
        {"product file",
         [](tk::TempRoot& r) { ::unlink(r.file("prods").c_str()); },
         [](tk::TempRoot& r) {
             return "Cannot open file " + r.file("prods") + "(No such file or directory)\n";
         }},
        {"product file a directory",
         [](tk::TempRoot& r) {
             ::unlink(r.file("prods").c_str());
             r.mkdir("prods");
         },
         [](tk::TempRoot& r) {
             return "File " + r.file("prods") + " is not a regular file.\n";
         }},
        {"bundle file",
         [](tk::TempRoot& r) { ::unlink(r.file("install/tmp/bundles.sun4v").c_str()); },
         [](tk::TempRoot& r) {
             return "Cannot open bundle file " + r.file("install/tmp/bundles.sun4v") +
                    "(No such file or directory)\n";
         }},
        {"package information file",
         // A link to itself: no reading it, whoever runs the test.
         [](tk::TempRoot& r) {
             const std::string f = r.file("install/tmp/pkginfo.sun4v");
             ::unlink(f.c_str());
             ::symlink(f.c_str(), f.c_str());
         },
         [](tk::TempRoot& r) {
             return "Cannot open pkginfo file " + r.file("install/tmp/pkginfo.sun4v") +
                    "(Too many levels of symbolic links)\n";
         }},
        {"product marker",
         [](tk::TempRoot& r) { ::unlink(r.file("install/pdts/zeta_v1_t2.nok").c_str()); },
         [](tk::TempRoot& r) {
             return "Cannot open file " + r.file("install/pdts/zeta_v1_t2.nok") +
                    "(No such file or directory)\n";
         }},
    };
    for (const Case& c : cases) {
        for (const char* type : {"2", "18"}) {
            tk::TempRoot r;
            cg::writeCatalogue(r);
            r.write("sel", "stale\n");
            c.damage(r);
            std::vector<std::string> args = {type, r.file("prods"), r.file("sel"), "1000"};
            if (std::string(type) == "2") args.push_back("wo");
            tk::RunResult res = runForm(r, args, c.platform);
            EXPECT_EQ(res.code, 1) << c.what << " " << type << ": " << res.describe();
            EXPECT_EQ(res.err, c.message(r)) << c.what << " " << type;
            EXPECT_EQ(res.out, "");
            EXPECT_TRUE(r.exists("sel")) << c.what;
            EXPECT_EQ(r.read("sel"), "") << c.what << " " << type;
        }
    }
}

TEST(StartFailures, UsageAndFreeSpaceBeyondRange) {
    tk::TempRoot r;
    cg::writeCatalogue(r);
    tk::RunResult res = runForm(r, {"3", "800"});
    EXPECT_EQ(res.code, 1);
    EXPECT_EQ(res.err, "USAGE: " + mp::kBin + " 3 avaSpace reqSpace.\n");
    res = runForm(r, {"2", r.file("prods"), r.file("sel"), "100"});
    EXPECT_EQ(res.code, 1);
    EXPECT_EQ(res.err, "Usage: " + mp::kBin + " 2 prodToSelect userSelectProd diskAvail workOrder.\n");
    res = runForm(r, {"18", r.file("prods"), r.file("sel"), "100", "extra"});
    EXPECT_EQ(res.err, "Usage: " + mp::kBin + " 18 prodToSelect userSelectProd diskAvail.\n");
    res = runForm(r, {"2", r.file("prods"), r.file("sel"), "99999999999999999999", "wo"});
    EXPECT_EQ(res.code, 1);
    EXPECT_EQ(res.err, mp::kBin + " 2: free disk space 99999999999999999999 is out of range.\n");
}

}  // namespace
