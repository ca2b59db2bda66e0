// Every form driven with real pointer and key events: where the keyboard
// focus starts, its help window's title, then clicks and keys to an answer
// (Return answers the default button, Escape the message form's Cancel):
// the exit status, the printed lines, the selection file and the record left
// in form.status.  Then the help window's life, and the main menu's
// window-manager close.
#include <cmath>

#include "mpTest.h"

namespace {

using mp::click;
using mp::item;
using mp::key;
using mp::type;
using Rec = trev::FormStatusRec;

struct Help {
    std::string button, window, title;   // none when button is empty
};

struct FormCase {
    std::vector<std::string> args;   // "%R" is the root
    Help help;
    std::string focus;               // where the keyboard focus starts, when named
    std::vector<mp::Step> steps;     // the last one ends the form
    int code;
    std::string out, sel;            // sel: the selection file ("%R/sel"), when named
    std::vector<std::pair<std::int32_t Rec::*, int>> record;
};

const std::string kEvil = "x'; touch %R/pwned; '";   // a host that tries to end the quoting
const std::string kSel = "%R/sel";
const std::string kAlpha = "Alpha~Suite aux alpha 500 v1 t2 available\n", kBeta = "Beta~Tools aux beta 500 v1 t2 available\n",
                  kGamma = "Gamma aux gamma 2000 v1 t2 available\n", kDelta = "Delta aux delta 800 v1 t2 installed\n",
                  kEps = "Epsilon aux eps 350 v1 t2 failed\n";
const char kMedia[] = "Trevalon Help: Media Required";

const FormCase kForms[] = {
    {{"0", "11", "1", "1", "1", "1", "1"}, {"topLevHelp", "mainpanelHelpTextWin", "Trevalon Help: Main Menu"}, "topLevConfig",
     {click("topLevListProd"), key("Return")}, 21, "", "", {{&Rec::mainMenuAction, 21}}},
    {{"1", "2", "0", "/dev/rmt/0", "0", "0"}, {"instInfoHelp", "instInfoHelpTextWin", "Trevalon Help: Installation Information"}, "",
     {type("prodInfoEmailText", "%R/wo.mail"), click("instInfoOk")}, 2, "EmailFile='%R/wo.mail'\n", "", {{&Rec::infoSource, 2}}},
    {{"2", "%R/prods", kSel, "1000", "1234"}, {"selProdHelp", "selProdHelpTextWin", "Trevalon Help: Load Products"}, "selProdListV",
     {item("selProdListV", 1), item("selProdListV", 3, tk::Ctrl), click("selProdOK")}, 0, "", kAlpha + kGamma,
     {{&Rec::numSelNames, 2}}},
    {{"3", "800", "1400"}, {"lackSpaceHelp", "lackSpaceHelpTextWin", "Trevalon Help: Disk Space Check Failed"}, "",
     {click("lackSpaceIngore")}, 30, "", "", {}},
    {{"3", "800", "1400"}, {}, "lackSpaceRecheck", {key("Return")}, 31, "", "", {}},
    {{"4", "TAPE", "1", "/dev/rmt/0", "0", "Tape 1"}, {"inMedDHelp", "inMedDHelpTextWin", "Trevalon Help: Load Device Options"}, "",
     {type("inMedDTapeUnkHost", kEvil), click("inMedDOk")}, 0, "DeviceTAPE='x'\\''; touch %R/pwned; '\\'':/dev/rmt/0'\n", "", {}},
    {{"5", "", "Disc 2", "srv:/dev/sr0", "0"}, {"mntCDHelp", "mntCDHelpTextWin", "Trevalon Help: Mount CD-ROM"}, "mntCDMount",
     {click("mntCDMounted")}, 221, "DeviceCD='srv:/dev/sr0'\n", "", {}},
    {{"6", "Tape 2", "th:/dev/rmt/0", "0"}, {"mntTapeHelp", "mntTapeHelpTextWin", "Trevalon Help: Mount Tape"}, "mntTapeOk",
     {click("mntTapeOk")}, 0, "DeviceTAPE='th:/dev/rmt/0'\n", "", {}},
    {{"8", "%R/prods"}, {"listInstHelp", "listInstallHelpTextWin", "Trevalon Help: List Products"}, "listInstMainMenu",
     {click("listByStatusV"), click("listInstMainMenu")}, 250, "", "", {{&Rec::listInstSort, 2}}},
    {{"9", "%R/prods", kSel}, {"rmInstHelp", "rmInstallHelpTextWin", "Trevalon Help: Remove Products"}, "rmListProdListV",
     {item("rmListProdListV", 5), item("rmListProdListV", 4, tk::Ctrl), click("rmInstOk")}, 0, "", kDelta + kEps, {}},
    {{"10"}, {"configHelp", "configHelpTextWin", "Trevalon Help: Configure Products"}, "",
     {click("configUserV"), key("Return")}, 41, "", "", {{&Rec::configChoice, 41}}},
    {{"11", "%R/prods", kSel}, {"configSysHelp", "configSysEnvHelpTextWin", "Trevalon Help: Configure System Environment"}, "",
     {click("configSysSelAllV"), click("configSysOk")}, 0, "", mp::kProducts, {}},
    {{"12", "%R/prods", kSel}, {"configUserHelp", "configUserEnvHelpTextWin", "Trevalon Help: Configure User Environment"}, "",
     {item("configUserListV", 2), click("configUserPrev")}, 255, "", "", {}},
    {{"13", "%R/prods", kSel}, {"testInstHelp", "testInstHelpTextWin", "Trevalon Help: Test Installed Products"}, "testInstListV",
     {item("testInstListV", 5), item("testInstListV", 2, tk::Ctrl), click("testInstOk")}, 0, "", kBeta + kEps, {}},
    {{"14", "cdrom", ""}, {"unreadInMedHelp", "unreadInMedHelpTextWin", "Trevalon Help: Device Read Failed"}, "",
     {type("unreadInMedDevV", "/tmp/x.tar"), click("unreadInMedOk")}, 0, "TFILE='/tmp/x.tar'\n", "", {}},
    {{"15", "CDROM", "Products 1/2", "srv:/dev/sr0"}, {"instMediaCDHelp", "instMediaHelpTextWin", "Trevalon Help: Install Media"}, "",
     {click("instMediaCDOk")}, 0, "DeviceCD='srv:/dev/sr0'\n", "", {}},
    {{"17", "%R/held"}, {}, "listHoldProdOK", {key("Return")}, 0, "", "", {}},
    {{"18", "%R/prods", kSel, "3000"}, {"selProdHelp", "selProdHelpTextWin", "Trevalon Help: Load Products"}, "",
     {item("selProdListV", 1), item("selProdListV", 2, tk::Ctrl), click("selProdOK")}, 0, "", kAlpha + kBeta,
     {{&Rec::numSelNames, 0}}},
    {{"19", "%R/plat"}, {"topPlatHelp", "topPlatHelpTextWin", kMedia}, "1",
     {click("2"), key("Return")}, 0, "i86pc", "", {{&Rec::platformIndex, 2}}},
    {{"20"}, {"instMediaTypeHelp", "instMediaTypeHelpTextWin", "Trevalon Help: Installation Media Type"}, "instMediaCDV",
     {click("instMediaTapeV"), key("Return")}, 56, "", "", {{&Rec::mediaTypeChoice, 56}}},
    {{"21", "2", "%R/labels"}, {"listMediaHelp", "listMediaHelpTextWin", kMedia}, "", {click("listMediaOther")}, 57, "", "", {}},
    {{"22", "%R/wo"}, {"listWOHelp", "listWOHelpTextWin", kMedia}, "listWOOk",
     {item("listWOProdL", 3), click("listWOOk")}, 3, "", "", {}},
    {{"23"}, {"topDCHelp", "topDCHelpTextWin", "Trevalon Help: Installation Type"}, "topDCDef",
     {click("topDCCus"), key("Return")}, 232, "", "", {{&Rec::installType, 232}}},
    {{"24", "%R/msg", "Read this"}, {}, "TVMBOKButton", {key("Return")}, 51, "", "", {}},
    {{"24", "%R/msg", "Read this"}, {}, "TVMBOKButton", {key("Escape")}, 52, "", "", {}},
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
        if (!c.focus.empty()) app.waitFor([&] { return app.focus() == c.focus; }, "focus on " + c.focus);
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
        const Rec st = mp::status(root);
        for (const auto& [field, value] : c.record) EXPECT_EQ(st.*field, value);
        // The calling script evaluates printed assignments: nothing but
        // assignments happens.
        if (r.out.find('=') != std::string::npos) {
            const tk::RunResult sh = tk::run(tk::Spawn({"/bin/sh", "-c", "eval \"$1\"", "sh", r.out}));
            EXPECT_EQ(sh.code, 0) << sh.describe();
            EXPECT_FALSE(root.exists("pwned"));
        }
    }
}

// The relative luminance of a colour resource of the 24-bit TrueColor screen.
double luminance(const std::string& pixel) {
    double sum = 0;
    for (const auto& [shift, weight] : {std::pair{16, 0.2126}, {8, 0.7152}, {0, 0.0722}}) {
        const double c = (std::stoul(pixel) >> shift & 0xff) / 255.0;
        sum += weight * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

// The fill of a set choice stands out from its background (a contrast
// ratio of at least 3).  A help window: Escape closes it; Help again leaves
// it up; after a window-manager close a hidden new one takes its place and
// Help shows it with the same text.  The form's window-manager close answers
// 250 and writes the record back as it was.
TEST(Forms, HelpWindowLifeAndTheMainMenusClose) {
    tk::TempRoot root;
    Rec seeded;
    seeded.spare20 = 4321;
    seeded.mainMenuAction = 12;
    const trev::StatusBytes bytes = trev::encodeStatus(seeded);
    root.write(mp::kStatus, std::string(bytes.begin(), bytes.end()));
    tk::GuiApp app(mp::argv({"0", "20", "1", "1", "1", "1", "1"}), mp::env(root));
    app.waitPlaced(mp::kShell);
    const double a = luminance(app.resource("topLevLoadProd", "selectColor")),
                 b = luminance(app.resource("topLevLoadProd", "background"));
    EXPECT_GE((std::max(a, b) + 0.05) / (std::min(a, b) + 0.05), 3.0);
    app.click("topLevTest");
    app.settle();
    const std::string win = "mainpanelHelpTextWin", text = "mainpanelHelpText";
    app.click("topLevHelp");
    app.waitMapped(win);
    const std::string helpText = app.text(text);
    EXPECT_GT(helpText.size(), 200u);
    EXPECT_FALSE(app.editable(text));
    app.waitFor([&] { return app.focus() == win + "Close"; }, "focus in the help window");
    app.key("Escape");
    app.waitUnmapped(win);
    app.click("topLevHelp");
    app.waitMapped(win);
    app.click("topLevHelp");
    app.settle();
    EXPECT_TRUE(app.mapped(win));
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
    EXPECT_EQ(mp::status(root).mainMenuAction, 12);
    EXPECT_EQ(mp::status(root).spare20, 4321);
}

}  // namespace
