// Every form driven with real pointer and key events: its help window's
// title, then clicks and keys to an answer: the exit status, the printed
// lines, the selection file and the record left in form.status.  Then the
// help window's life, and the main menu's Quit and window-manager close.
#include "mpTest.h"

namespace {

using mp::click;
using mp::ctrlItem;
using mp::item;
using mp::type;

struct Help {
    std::string button, window, title;   // none when button is empty
};

struct FormCase {
    std::vector<std::string> args;   // "%R" is the root
    Help help;
    std::vector<mp::Step> steps;     // the last one ends the form
    int code;
    std::string out, sel;            // sel: the selection file ("%R/sel"), when named
    std::vector<std::pair<std::string, int>> record;
};

const std::string kEvil = "x'; touch %R/pwned; '";   // a host that tries to end the quoting
const std::string kSel = "%R/sel";
const std::string kAlpha = "Alpha~Suite aux alpha 500 v1 t2 available\n", kBeta = "Beta~Tools aux beta 500 v1 t2 available\n",
                  kGamma = "Gamma aux gamma 2000 v1 t2 available\n", kDelta = "Delta aux delta 800 v1 t2 installed\n",
                  kEps = "Epsilon aux eps 350 v1 t2 failed\n";
const char kMedia[] = "Trevalon Help: Media Required";

const FormCase kForms[] = {
    {{"0", "11", "1", "1", "1", "1", "1"}, {"topLevHelp", "mainpanelHelpTextWin", "Trevalon Help: Main Menu"},
     {click("topLevListProd"), click("topLevOK")}, 21, "", "", {{"mainMenuAction", 21}}},
    {{"1", "2", "0", "/dev/rmt/0", "0", "0"}, {"instInfoHelp", "instInfoHelpTextWin", "Trevalon Help: Installation Information"},
     {type("prodInfoEmailText", "%R/wo.mail"), click("instInfoOk")}, 2, "EmailFile='%R/wo.mail'\n", "", {{"infoSource", 2}}},
    {{"2", "%R/prods", kSel, "1000", "1234"}, {"selProdHelp", "selProdHelpTextWin", "Trevalon Help: Load Products"},
     {item("selProdListV", 1), ctrlItem("selProdListV", 3), click("selProdOK")}, 0, "", kAlpha + kGamma,
     {{"numSelNames", 2}}},
    {{"3", "800", "1400"}, {"lackSpaceHelp", "lackSpaceHelpTextWin", "Trevalon Help: Disk Space Check Failed"},
     {click("lackSpaceIngore")}, 30, "", "", {}},
    {{"4", "TAPE", "1", "/dev/rmt/0", "0", "Tape 1"}, {"inMedDHelp", "inMedDHelpTextWin", "Trevalon Help: Load Device Options"},
     {type("inMedDTapeUnkHost", kEvil), click("inMedDOk")}, 0, "DeviceTAPE='x'\\''; touch %R/pwned; '\\'':/dev/rmt/0'\n", "", {}},
    {{"5", "", "Disc 2", "srv:/dev/sr0", "0"}, {"mntCDHelp", "mntCDHelpTextWin", "Trevalon Help: Mount CD-ROM"},
     {click("mntCDMounted")}, 221, "DeviceCD='srv:/dev/sr0'\n", "", {}},
    {{"6", "Tape 2", "th:/dev/rmt/0", "0"}, {"mntTapeHelp", "mntTapeHelpTextWin", "Trevalon Help: Mount Tape"},
     {click("mntTapeOk")}, 0, "DeviceTAPE='th:/dev/rmt/0'\n", "", {}},
    {{"8", "%R/prods"}, {"listInstHelp", "listInstallHelpTextWin", "Trevalon Help: List Products"},
     {click("listByStatusV"), click("listInstMainMenu")}, 250, "", "", {{"listInstSort", 2}}},
    {{"9", "%R/prods", kSel}, {"rmInstHelp", "rmInstallHelpTextWin", "Trevalon Help: Remove Products"},
     {item("rmListProdListV", 5), ctrlItem("rmListProdListV", 4), click("rmInstOk")}, 0, "", kDelta + kEps, {}},
    {{"10"}, {"configHelp", "configHelpTextWin", "Trevalon Help: Configure Products"},
     {click("configUserV"), click("configOk")}, 41, "", "", {{"configChoice", 41}}},
    {{"11", "%R/prods", kSel}, {"configSysHelp", "configSysEnvHelpTextWin", "Trevalon Help: Configure System Environment"},
     {click("configSysSelAllV"), click("configSysOk")}, 0, "", mp::kProducts, {}},
    {{"12", "%R/prods", kSel}, {"configUserHelp", "configUserEnvHelpTextWin", "Trevalon Help: Configure User Environment"},
     {item("configUserListV", 2), click("configUserPrev")}, 255, "", "", {}},
    {{"13", "%R/prods", kSel}, {"testInstHelp", "testInstHelpTextWin", "Trevalon Help: Test Installed Products"},
     {item("testInstListV", 5), ctrlItem("testInstListV", 2), click("testInstOk")}, 0, "", kBeta + kEps, {}},
    {{"14", "cdrom", ""}, {"unreadInMedHelp", "unreadInMedHelpTextWin", "Trevalon Help: Device Read Failed"},
     {type("unreadInMedDevV", "/tmp/x.tar"), click("unreadInMedOk")}, 0, "TFILE='/tmp/x.tar'\n", "", {}},
    {{"15", "CDROM", "Products 1/2", "srv:/dev/sr0"}, {"instMediaCDHelp", "instMediaHelpTextWin", "Trevalon Help: Install Media"},
     {click("instMediaCDOk")}, 0, "DeviceCD='srv:/dev/sr0'\n", "", {}},
    {{"15", "TAPE", "Tape 3", "/dev/rmt/0"}, {}, {click("instMediaTapeMainMenu")}, 250, "", "", {}},
    {{"17", "%R/held"}, {}, {click("listHoldProdOK")}, 0, "", "", {}},
    {{"18", "%R/prods", kSel, "3000"}, {"selProdHelp", "selProdHelpTextWin", "Trevalon Help: Load Products"},
     {item("selProdListV", 1), ctrlItem("selProdListV", 2), click("selProdOK")}, 0, "", kAlpha + kBeta,
     {{"numSelNames", 0}}},
    {{"19", "%R/plat"}, {"topPlatHelp", "topPlatHelpTextWin", kMedia},
     {click("2"), click("topPlatOK")}, 0, "i86pc", "", {{"platformIndex", 2}}},
    {{"20"}, {"instMediaTypeHelp", "instMediaTypeHelpTextWin", "Trevalon Help: Installation Media Type"},
     {click("instMediaTapeV"), click("instMediaOk")}, 56, "", "", {{"mediaTypeChoice", 56}}},
    {{"21", "2", "%R/labels"}, {"listMediaHelp", "listMediaHelpTextWin", kMedia}, {click("listMediaOther")}, 57, "", "", {}},
    {{"21", "1", "%R/labels"}, {}, {click("listMediaOk")}, 0, "", "", {}},
    {{"22", "%R/wo"}, {"listWOHelp", "listWOHelpTextWin", kMedia},
     {item("listWOProdL", 3), click("listWOOk")}, 3, "", "", {}},
    {{"23"}, {"topDCHelp", "topDCHelpTextWin", "Trevalon Help: Installation Type"},
     {click("topDCCus"), click("topDCOK")}, 232, "", "", {{"installType", 232}}},
    {{"24", "%R/msg", "Read this"}, {}, {click("TVMBOKButton")}, 51, "", "", {}},
};

TEST(Forms, EachAnswersAsDriven) {
    for (const FormCase& c : kForms) {
        SCOPED_TRACE("form " + c.args[0]);
        tk::TempRoot root;
        mp::writeCatalogue(root);
        root.write("wo.mail", "Subject: work order\n");
        root.write("held", "Graph~Kit 2.0 rest of the line\n");
        root.write("plat", "sun4u U\nsun4v V\ni86pc I\n");
        root.write("labels", "CD Products 1\nTape Docs\n");
        root.write("wo", "WO1 sun4v\nWO2 sun4v\nWO3 sun4v\n");
        root.write("msg", "First line\n");
        tk::GuiApp app(mp::argv(c.args, &root), mp::env(root));
        app.waitPlaced(mp::kShell);
        if (!c.help.button.empty()) {
            app.click(c.help.button);
            app.waitMapped(c.help.window);
            EXPECT_EQ(app.title(c.help.window), c.help.title);
            app.click(c.help.window + "Close");
            app.waitUnmapped(c.help.window);
        }
        mp::drive(app, c.steps, root);
        const tk::RunResult r = app.waitExit();
        EXPECT_EQ(r.code, c.code) << r.describe();
        EXPECT_EQ(r.out, mp::expand(c.out, root));
        EXPECT_EQ(r.err, "");
        if (c.args.size() > 2 && c.args[2] == kSel) {
            EXPECT_EQ(root.read("sel"), c.sel);
        }
        const tk::StatusFile st = mp::status(root);
        for (const auto& [field, value] : c.record) EXPECT_EQ(st.named(field), value) << field;
        // The calling script evaluates printed assignments: nothing but
        // assignments happens.
        if (r.out.find('=') != std::string::npos) {
            const tk::RunResult sh = tk::run(tk::Spawn({"/bin/sh", "-c", "eval \"$1\"", "sh", r.out}));
            EXPECT_EQ(sh.code, 0) << sh.describe();
            EXPECT_FALSE(root.exists("pwned"));
        }
    }
}

// A help window: Help again leaves it up; a session manager's
// WM_SAVE_YOURSELF leaves it alone; after a window-manager close a hidden
// new one takes its place and Help shows it with the same text.  The
// form's window-manager close answers 250 and writes the record back as it
// was; Quit deletes it.
TEST(Forms, HelpWindowLifeAndTheMainMenusEnds) {
    for (const bool quit : {false, true}) {
        tk::TempRoot root;
        tk::StatusFile::blank().set("spare20", 4321).set("mainMenuAction", 12).save(root.file(mp::kStatus));
        tk::GuiApp app(mp::argv({"0", "20", "1", "1", "1", "1", "1"}), mp::env(root));
        app.waitPlaced(mp::kShell);
        app.click("topLevTest");
        app.settle();
        if (quit) {
            EXPECT_EQ(app.clickAndExit("topLevQuit").code, 250);
            EXPECT_FALSE(root.exists(mp::kStatus));
            continue;
        }
        const std::string win = "mainpanelHelpTextWin", text = "mainpanelHelpText";
        app.click("topLevHelp");
        app.waitMapped(win);
        EXPECT_EQ(app.iconName(win), "Trevalon Help");
        const std::string helpText = app.text(text);
        EXPECT_GT(helpText.size(), 200u);
        EXPECT_FALSE(app.editable(text));
        app.click("topLevHelp");
        app.wmSaveYourself(win);
        app.click(win + "Close");
        app.waitUnmapped(win);
        app.click("topLevHelp");
        app.waitMapped(win);
        app.wmClose(win);
        app.waitUnmapped(win);
        EXPECT_TRUE(app.running());
        app.click("topLevHelp");
        app.waitMapped(win);
        EXPECT_EQ(app.text(text), helpText);
        app.wmClose(mp::kShell);
        const tk::RunResult r = app.waitExit();
        EXPECT_EQ(r.code, 250) << r.describe();
        EXPECT_EQ(r.out + r.err, "");
        EXPECT_EQ(mp::status(root).named("mainMenuAction"), 12);
        EXPECT_EQ(mp::status(root).named("spare20"), 4321);
    }
}

}  // namespace
