// The forms of the main menu, the platform, the installation type and the
// message, driven with real pointer events: exit statuses, the record they
// leave in form.status, and their help windows.
#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <memory>

#include "mpTest.h"

namespace {

const std::vector<std::string> kMenuAll = {"0", "20", "1", "1", "1", "1", "1"};

// An app-defaults file named Trevalon on the toolkit's search path takes
// the place of the built-in look: here the built-in one with another
// background.
TEST(Look, AnInstalledAppDefaultsFileChangesTheForm) {
    tk::TempRoot root;
    const std::string look = root.file("Trevalon");
    std::ifstream builtIn(TREVALON_AD);
    std::ofstream(look) << builtIn.rdbuf() << "Trevalon*topDCOK.background: #0000ff\n";
    std::map<std::string, std::string> env = mp::env(root);
    env["XFILESEARCHPATH"] = root.path() + "/%N";
    tk::GuiApp app(mp::argv({"23"}), env);
    app.waitMapped("topDCOK");
    EXPECT_EQ(app.colors("topDCOK").bg, "#0000ff");
    EXPECT_EQ(app.colors("topDCPrev").bg, "#e0e0e0");
}

// ---- Main menu -----------------------------------------------------------------

TEST(MainMenu, EachToggleThenOkAnswersItsCodeAndStoresIt) {
    const std::pair<const char*, int> toggles[] = {
        {"topLevLoadProd", 20}, {"topLevConfig", 11},     {"topLevTest", 12},
        {"topLevListProd", 21}, {"topLevRemoveProd", 22}, {"topLevUpdtProd", 23}};
    for (auto [toggle, code] : toggles) {
        tk::TempRoot root;
        tk::GuiApp app(mp::argv({"0", "11", "1", "1", "1", "1", "1"}), mp::env(root));
        app.waitMapped(toggle);
        app.click(toggle);
        app.waitFor([&] { return app.toggle(toggle); }, std::string(toggle) + " set");
        tk::RunResult r = app.clickAndExit("topLevOK");
        EXPECT_EQ(r.code, code) << toggle << ": " << r.describe();
        EXPECT_EQ(r.out, "");
        tk::StatusFile st = mp::status(root);
        EXPECT_EQ(st.named("mainMenuAction"), code) << toggle;
        EXPECT_EQ(st.bytes().size(), 524u);
    }
}

TEST(MainMenu, PreselectionAnswersWithoutAClick) {
    const std::pair<const char*, int> cases[] = {{"11", 11}, {"20", 20}, {"5", 21}, {"x", 21}};
    for (auto [actDef, code] : cases) {
        tk::TempRoot root;
        tk::GuiApp app(mp::argv({"0", actDef, "1", "1", "1", "1", "1"}), mp::env(root));
        app.waitMapped("topLevOK");
        // Exactly one toggle is set: the one OK answers.
        int set = 0;
        for (const char* t : {"topLevLoadProd", "topLevConfig", "topLevTest", "topLevListProd",
                              "topLevRemoveProd", "topLevUpdtProd"})
            set += app.toggle(t);
        EXPECT_EQ(set, 1) << "actDef " << actDef;
        tk::RunResult r = app.clickAndExit("topLevOK");
        EXPECT_EQ(r.code, code) << "actDef " << actDef << ": " << r.describe();
        EXPECT_EQ(mp::status(root).named("mainMenuAction"), code);
    }
}

TEST(MainMenu, FlagWordsGreyTheirActionsOut) {
    tk::TempRoot root;
    // Flags govern, in order: Load, Remove, Configure, Test, List.
    tk::GuiApp app(mp::argv({"0", "20", "0", "1", "0x", "yes", "0", "extra"}), mp::env(root));
    app.waitMapped("topLevOK");
    EXPECT_FALSE(app.sensitive("topLevLoadProd"));
    EXPECT_TRUE(app.sensitive("topLevRemoveProd"));
    EXPECT_FALSE(app.sensitive("topLevConfig"));
    EXPECT_TRUE(app.sensitive("topLevTest"));
    EXPECT_FALSE(app.sensitive("topLevListProd"));
    EXPECT_TRUE(app.sensitive("topLevUpdtProd"));
    // Load Products stays preselected though grey; OK reports it.
    EXPECT_TRUE(app.toggle("topLevLoadProd"));
    EXPECT_EQ(app.title(mp::kShell), "Trevalon: Main Menu");
    EXPECT_EQ(app.iconName(mp::kShell), "Trevalon Menu");
    EXPECT_EQ(app.label("topLevTitle"), "  Trevalon Main Menu");
    EXPECT_EQ(app.clickAndExit("topLevOK").code, 20);
}

TEST(MainMenu, QuitDeletesTheStatusFileAndAnswers250) {
    tk::TempRoot root;
    tk::StatusFile::blank().set("mainMenuAction", 12).save(root.file(mp::kStatus));
    tk::GuiApp app(mp::argv(kMenuAll), mp::env(root));
    app.waitMapped("topLevRemoveProd");
    app.click("topLevRemoveProd");
    tk::RunResult r = app.clickAndExit("topLevQuit");
    EXPECT_EQ(r.code, 250) << r.describe();
    EXPECT_EQ(r.out + r.err, "");
    EXPECT_FALSE(root.exists(mp::kStatus));
}

TEST(MainMenu, WindowManagerCloseAnswers250AndRewritesTheRecord) {
    for (bool saveYourself : {false, true}) {
        tk::TempRoot root;
        tk::StatusFile::blank().set("spare20", 4321).set("mainMenuAction", 12).save(root.file(mp::kStatus));
        tk::GuiApp app(mp::argv(kMenuAll), mp::env(root));
        app.waitMapped("topLevOK");
        app.click("topLevTest");
        app.waitFor([&] { return app.toggle("topLevTest"); }, "Test set");
        if (saveYourself)
            app.wmSaveYourself(mp::kShell);
        else
            app.wmClose(mp::kShell);
        tk::RunResult r = app.waitExit();
        EXPECT_EQ(r.code, 250) << r.describe();
        tk::StatusFile st = mp::status(root);
        EXPECT_EQ(st.named("mainMenuAction"), 12);
        EXPECT_EQ(st.named("spare20"), 4321);
        // The window manager's frame was measured during the run.
        EXPECT_GT(st.named("frameExtraH"), 0);
        EXPECT_EQ(st.named("positionSet"), 1);
    }
}

// ---- Help windows ----------------------------------------------------------------

TEST(Help, MainMenuPlatformAndInstallationType) {
    const struct {
        std::vector<std::string> args;
        std::string form, button, title;
    } cases[] = {
        {kMenuAll, "mainpanel", "topLevHelp", "Trevalon Help: Main Menu"},
        {{"19", "plat"}, "topPlat", "topPlatHelp", "Trevalon Help: Media Required"},
        {{"23"}, "topDC", "topDCHelp", "Trevalon Help: Installation Type"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        tk::TempRoot root;
        std::vector<std::string> args = c.args;
        if (args[0] == "19") args[1] = root.write("plat", "sun4v V\n");
        tk::GuiApp app(mp::argv(args), mp::env(root));
        mp::checkHelp(app, c.button, c.form, c.title);
        // And the form still answers.
        app.wmClose(mp::kShell);
        EXPECT_EQ(app.waitExit().code, 250);
    }
}

// ---- Platform -----------------------------------------------------------------------

class Platform : public ::testing::Test {
protected:
    tk::TempRoot root;
    std::string plat = root.write("plat", "sun4u UltraSPARC workstations\n"
                                          "sun4v T-series servers\n"
                                          "i86pc Intel PCs\n");
    std::unique_ptr<tk::GuiApp> start() {
        auto app = std::make_unique<tk::GuiApp>(mp::argv({"19", plat, "ignored"}), mp::env(root));
        app->waitMapped("topPlatOK");
        return app;
    }
};

TEST_F(Platform, OkPrintsTheChosenNameAndTheNextRunPreselectsIt) {
    auto app = start();
    EXPECT_EQ(app->title(mp::kShell), "Trevalon: Select Platform");
    EXPECT_EQ(app->label("0"), "UltraSPARC workstations");
    EXPECT_EQ(app->label("2"), "Intel PCs");
    EXPECT_TRUE(app->toggle("1"));   // the "sun4v" line
    app->click("2");
    app->waitFor([&] { return app->toggle("2") && !app->toggle("1"); }, "third platform set");
    tk::RunResult r = app->clickAndExit("topPlatOK");
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(r.out, "i86pc");
    EXPECT_EQ(mp::status(root).named("platformIndex"), 2);

    app = start();
    EXPECT_TRUE(app->toggle("2"));
    EXPECT_FALSE(app->toggle("1"));
    r = app->clickAndExit("topPlatOK");
    EXPECT_EQ(r.out, "i86pc");
}

TEST_F(Platform, PreviousAndMainMenuKeepTheDefaultChoice) {
    for (auto [button, code] : {std::pair{"topPlatPrev", 255}, {"topPlatMainMenu", 250}}) {
        auto app = start();
        app->click("0");
        app->waitFor([&] { return app->toggle("0"); }, "first platform set");
        tk::RunResult r = app->clickAndExit(button);
        EXPECT_EQ(r.code, code) << r.describe();
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(mp::status(root).named("platformIndex"), 1) << button;
    }
}

TEST_F(Platform, AnAnswerThatCannotBeWrittenIsNoAnswer) {
    // Standard output on a full device: the name is lost, so OK must not
    // answer 0; a button that prints nothing is unaffected.
    const auto startIntoFullDevice = [&] {
        std::vector<std::string> args{"/bin/sh", "-c", "exec \"$@\" >/dev/full", "sh"};
        for (const std::string& a : mp::argv({"19", plat, "ignored"})) args.push_back(a);
        auto app = std::make_unique<tk::GuiApp>(args, mp::env(root));
        app->waitMapped("topPlatOK");
        return app;
    };
    auto app = startIntoFullDevice();
    app->click("2");
    app->waitFor([&] { return app->toggle("2"); }, "third platform set");
    tk::RunResult r = app->clickAndExit("topPlatOK");
    EXPECT_EQ(r.code, 250) << r.describe();
    EXPECT_EQ(r.err, "Cannot write to standard output(No space left on device)\n");
    EXPECT_EQ(mp::status(root).named("platformIndex"), 2);

    app = startIntoFullDevice();
    r = app->clickAndExit("topPlatPrev");
    EXPECT_EQ(r.code, 255) << r.describe();
    EXPECT_EQ(r.err, "");
}

TEST_F(Platform, ShowsOnlyTheFirstTenPlatforms) {
    std::string text;
    for (int i = 0; i < 12; ++i) text += "p" + std::to_string(i) + " Platform number " + std::to_string(i) + "\n";
    plat = root.write("plat12", text);
    auto app = start();
    EXPECT_TRUE(app->exists("9"));
    EXPECT_FALSE(app->exists("10"));
    EXPECT_TRUE(app->toggle("0"));   // no "sun4v": the first line
    app->click("9");
    app->waitFor([&] { return app->toggle("9"); }, "tenth platform set");
    tk::RunResult r = app->clickAndExit("topPlatOK");
    EXPECT_EQ(r.out, "p9");
}

// ---- Installation type ---------------------------------------------------------------

TEST(InstallType, OkAnswersTheChoiceAndDefaultIsAlwaysPreselected) {
    tk::TempRoot root;
    tk::StatusFile::blank().set("installType", 232).save(root.file(mp::kStatus));
    {
        tk::GuiApp app(mp::argv({"23"}), mp::env(root));
        app.waitMapped("topDCOK");
        EXPECT_EQ(app.title(mp::kShell), "Trevalon: Select Installation");
        EXPECT_EQ(app.label("topDCDef"), "Default Installation");
        EXPECT_EQ(app.label("topDCCus"), "Custom Installation");
        EXPECT_TRUE(app.toggle("topDCDef"));
        tk::RunResult r = app.clickAndExit("topDCOK");
        EXPECT_EQ(r.code, 231) << r.describe();
        EXPECT_EQ(mp::status(root).named("installType"), 231);
    }
    tk::GuiApp app(mp::argv({"23"}), mp::env(root));
    app.waitMapped("topDCCus");
    app.click("topDCCus");
    app.waitFor([&] { return app.toggle("topDCCus") && !app.toggle("topDCDef"); }, "custom set");
    tk::RunResult r = app.clickAndExit("topDCOK");
    EXPECT_EQ(r.code, 232) << r.describe();
    EXPECT_EQ(mp::status(root).named("installType"), 232);
}

TEST(InstallType, PreviousAndMainMenu) {
    for (auto [button, code] : {std::pair{"topDCPrev", 255}, {"topDCMainMenu", 250}}) {
        tk::TempRoot root;
        tk::GuiApp app(mp::argv({"23", "Quick\nsetup", "My own"}), mp::env(root));
        app.waitMapped("topDCOK");
        EXPECT_EQ(app.label("topDCDef"), "Quick\nsetup");
        EXPECT_EQ(app.label("topDCCus"), "My own");
        app.click("topDCCus");
        app.waitFor([&] { return app.toggle("topDCCus"); }, "custom set");
        tk::RunResult r = app.clickAndExit(button);
        EXPECT_EQ(r.code, code) << r.describe();
        EXPECT_EQ(mp::status(root).named("installType"), 232);
    }
}

// ---- Message form ----------------------------------------------------------------------

TEST(Message, ShowsTheFileUnderTheCaptionAndAnswers51Or52) {
    for (auto [button, code] : {std::pair{"TVMBOKButton", 51}, {"TVMBMMButton", 52}}) {
        tk::TempRoot root;
        const std::string msg = root.write("msg", "First line\n\tsecond line\nthird\n");
        tk::GuiApp app(mp::argv({"24", msg, "Read this\ncarefully"}), mp::env(root));
        app.waitMapped(button);
        EXPECT_EQ(app.title(mp::kShell), "Trevalon: Message");
        EXPECT_EQ(app.text("TVMBText"), "First line\n\tsecond line\nthird\n");
        EXPECT_FALSE(app.editable("TVMBText"));
        EXPECT_EQ(app.label("TVMBLabel"), "Read this\ncarefully");
        EXPECT_EQ(app.label("TVMBOKButton"), "OK");
        EXPECT_EQ(app.label("TVMBMMButton"), "Cancel");
        tk::RunResult r = app.clickAndExit(button);
        EXPECT_EQ(r.code, code) << r.describe();
        // Never sized by the user: its natural size is recorded, not forced.
        tk::StatusFile st = mp::status(root);
        EXPECT_GT(st.slot(224).width, 0u);
        EXPECT_EQ(st.slot(224).sizeSet, 0);
    }
}

// The text area is as wide as the longest line (release notes of 79
// columns show whole) and as high as the lines, within the screen: its
// scroll bars' sliders cover the whole text unless the screen is too small.
TEST(Message, TheWindowFitsItsTextWithinTheScreen) {
    tk::TempRoot root;
    const struct {
        std::string line;
        int lines;
        bool wholeWidth, wholeHeight;
    } cases[] = {{std::string(79, 'x'), 3, true, true},
                 {"short", 12, true, true},
                 {std::string(1000, 'y'), 100, false, false}};
    for (const auto& c : cases) {
        std::string text;
        for (int i = 0; i < c.lines; ++i) text += c.line + "\n";
        tk::GuiApp app(mp::argv({"24", root.write("msg", text), "Notes"}), mp::env(root));
        app.waitMapped("TVMBText");
        auto whole = [&](const std::string& bar) {
            const std::string b = "TVMBTextSW/" + bar;
            return std::stoi(app.resource(b, "sliderSize")) ==
                   std::stoi(app.resource(b, "maximum")) - std::stoi(app.resource(b, "minimum"));
        };
        EXPECT_EQ(whole("HorScrollBar"), c.wholeWidth) << c.line.size();
        EXPECT_EQ(whole("VertScrollBar"), c.wholeHeight) << c.lines;
        EXPECT_LE(app.frameGeometry(mp::kShell).width, app.screen().width);
        app.wmClose(mp::kShell);
        app.waitExit();
    }
}

TEST(Message, EmptyFileShowsAnEmptyTextWithAWarning) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"24", root.write("empty", ""), "Nothing"}), mp::env(root));
    app.waitMapped("TVMBText");
    EXPECT_EQ(app.text("TVMBText"), "");
    app.wmClose(mp::kShell);
    tk::RunResult r = app.waitExit();
    EXPECT_EQ(r.code, 250) << r.describe();
    EXPECT_EQ(r.err, "\nMight not have read the entire file...\n");
    EXPECT_TRUE(root.exists(mp::kStatus));
}

}  // namespace

// ---- Exit protocol ------------------------------------------------------------------------

// The answer still reaches the script when form.status cannot be written,
// and the failure is said.  The program runs with a file size limit of 100
// bytes (and SIGXFSZ ignored, so that the write fails instead of killing).
TEST(ExitProtocol, AFailedWriteOfTheRecordIsReportedAndTheCodeKept) {
    tk::TempRoot root;
    tk::XServer::shared();
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 100;
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    std::unique_ptr<tk::GuiApp> app;
    try {
        app = std::make_unique<tk::GuiApp>(mp::argv({"23"}), mp::env(root));
    } catch (...) {
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, oldHandler);
        throw;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    app->waitMapped("topDCCus");
    app->click("topDCCus");
    app->waitFor([&] { return app->toggle("topDCCus"); }, "custom set");
    tk::RunResult r = app->clickAndExit("topDCOK");
    EXPECT_EQ(r.code, 232) << r.describe();
    EXPECT_EQ(r.err, "Cannot write file " + root.file(mp::kStatus) + "(File too large)\n");
}
