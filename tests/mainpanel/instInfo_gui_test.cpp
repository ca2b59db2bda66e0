// The Installation Information form (type 1) driven with real pointer and
// key events: its start from the command line, the five sources across the
// two radio boxes, the e-mail row and the tape group, OK with its checks
// and results, Main Menu, and its help window.
#include "mpTest.h"

namespace {

const char kGreyBg[] = "#c0c0c0";
const char kEditableBg[] = "#e0e0e0";

const char* const kDescriptions[] = {"workOrderInfo", "emailInfo", "tapeInfo",
                                     "orvantaCatalogInfo", "docCatalogInfo"};

class InstInfo : public ::testing::Test {
protected:
    tk::TempRoot root;
    std::unique_ptr<tk::GuiApp> app;

    // mainpanel 1 <source> <work order> <tape> <orvanta flag> <doc flag>
    void start(const std::vector<std::string>& args, std::map<std::string, std::string> env = {}) {
        env["Proot"] = root.path();
        std::vector<std::string> words{"1"};
        words.insert(words.end(), args.begin(), args.end());
        app = std::make_unique<tk::GuiApp>(mp::argv(words), env);
        app->waitMapped("instInfoOk");
    }

    // Exactly the description of `source` is on the screen.
    void expectDescription(int source) {
        for (int s = 1; s <= 5; ++s)
            EXPECT_EQ(app->mapped(kDescriptions[s - 1]), s == source)
                << kDescriptions[s - 1] << " while source " << source << " is chosen";
    }
    void waitDescription(int source) {
        app->waitFor([&] { return app->mapped(kDescriptions[source - 1]); },
                     std::string(kDescriptions[source - 1]) + " shown");
        expectDescription(source);
    }
    bool greyed(const std::string& field) {
        const tk::Colors c = app->colors(field);
        return !app->editable(field) && c.bg == kGreyBg && c.fg == kGreyBg;
    }
    bool editableField(const std::string& field) {
        return app->editable(field) && app->colors(field).bg == kEditableBg;
    }
    // OK that must be refused: the warning text, closed again; the form stays.
    std::string refusedOk() {
        app->click("instInfoOk");
        app->waitMappedSettled("WarnDialogV");
        const std::string text = app->label("WarnDialogV");
        app->click("WarnDialogOk");
        app->waitUnmapped("WarnDialogV");
        EXPECT_TRUE(app->running());
        return text;
    }
    tk::RunResult ok() {
        app->click("instInfoOk");
        return app->waitExit();
    }
};

// ---- Start -------------------------------------------------------------------------

TEST_F(InstInfo, WorkOrderZeroMeansNoneAndTurnsWorkOrderIntoEmailFile) {
    start({"1", "0", "/dev/rmt/0", "0", "0"});
    EXPECT_EQ(app->title(mp::kShell), "Trevalon: Installation Information");
    EXPECT_FALSE(app->sensitive("prodInfoOrder"));
    EXPECT_FALSE(app->toggle("prodInfoOrder"));
    EXPECT_TRUE(app->toggle("prodInfoEmail"));
    EXPECT_TRUE(editableField("prodInfoEmailText"));
    expectDescription(2);
    // Work Order cannot be had.
    app->click("prodInfoOrder");
    app->settle();
    EXPECT_FALSE(app->toggle("prodInfoOrder"));
    // Nothing typed yet: the first warning.
    EXPECT_EQ(refusedOk(), "You need to specify email file name");
    app->click("instInfoMainMenu");
    tk::RunResult r = app->waitExit();
    EXPECT_EQ(r.code, 250) << r.describe();
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(mp::status(root).named("infoSource"), 2);
}

TEST_F(InstInfo, AnyOtherWorkOrderTextMakesWorkOrderAvailable) {
    start({"1", "00", "/dev/rmt/0", "0", "0"});
    EXPECT_TRUE(app->sensitive("prodInfoOrder"));
    EXPECT_TRUE(app->toggle("prodInfoOrder"));
    EXPECT_FALSE(app->toggle("prodInfoEmail"));
    EXPECT_TRUE(greyed("prodInfoEmailText"));
    EXPECT_TRUE(greyed("prodInfoTapeDevName"));
    EXPECT_FALSE(app->sensitive("prodInfoTapeLocal"));
    EXPECT_EQ(app->label("prodInfoOrderNumber"), " ");
    expectDescription(1);
    tk::RunResult r = ok();
    EXPECT_EQ(r.code, 1) << r.describe();
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(mp::status(root).named("infoSource"), 1);
}

TEST_F(InstInfo, ASourceOutsideOneToFiveEndsTheRunBeforeAnythingIsShown) {
    const tk::StatusFile before = tk::StatusFile::blank().set("infoSource", 4).set("spare20", 77);
    before.save(root.file(mp::kStatus));
    for (const auto& [media, shown] : std::vector<std::pair<std::string, int>>{
             {"x", 0}, {"6", 6}, {"-3", -3}, {"0", 0}}) {
        tk::Spawn s = mp::spawn({"1", media, "5", "/dev/rmt/0", "0", "0"}, root,
                                tk::XServer::shared().display());
        tk::RunResult r = tk::run(s, std::chrono::seconds(20));
        EXPECT_EQ(r.code, 1) << media << ": " << r.describe();
        EXPECT_EQ(r.err, "Unknown product infomation: " + std::to_string(shown) + "\n");
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(tk::StatusFile::load(root.file(mp::kStatus)).bytes(), before.bytes()) << media;
    }
}

TEST_F(InstInfo, CatalogueFlagsGreyTheirToggleOut) {
    start({"4", "0", "/dev/rmt/0", "2", "0x"});
    EXPECT_FALSE(app->sensitive("prodInfoOrvantaCatalog"));
    EXPECT_TRUE(app->sensitive("prodInfoDocCatalog"));
    // Preselected though grey.
    EXPECT_TRUE(app->toggle("prodInfoOrvantaCatalog"));
    expectDescription(4);
    // Once another source is chosen, the grey catalogue cannot come back.
    app->click("prodInfoEmail");
    waitDescription(2);
    EXPECT_FALSE(app->toggle("prodInfoOrvantaCatalog"));
    app->click("prodInfoOrvantaCatalog");
    app->settle();
    EXPECT_FALSE(app->toggle("prodInfoOrvantaCatalog"));
    expectDescription(2);
    // The other catalogue still can.
    app->click("prodInfoDocCatalog");
    waitDescription(5);
    EXPECT_FALSE(app->toggle("prodInfoEmail"));
    EXPECT_TRUE(greyed("prodInfoEmailText"));
    EXPECT_EQ(ok().code, 5);
}

TEST_F(InstInfo, ASecondClickOnTheSetCatalogueClearsItsMarkOnly) {
    for (const auto& [source, toggle] : {std::pair<std::string, std::string>{"4", "prodInfoOrvantaCatalog"},
                                         {"5", "prodInfoDocCatalog"}}) {
        start({source, "0", "/dev/rmt/0", "0", "0"});
        EXPECT_TRUE(app->toggle(toggle));
        app->click(toggle);
        app->waitFor([&] { return !app->toggle(toggle); }, toggle + " cleared");
        expectDescription(std::stoi(source));
        tk::RunResult r = ok();
        EXPECT_EQ(r.code, std::stoi(source)) << r.describe();
        EXPECT_EQ(mp::status(root).named("infoSource"), std::stoi(source));
    }
}

// An earlier run's Tape must not hide the description of this run's Tape.
TEST_F(InstInfo, TheChosenSourceIsShownWholeWhateverTheRecordHeld) {
    tk::StatusFile::blank().set("infoSource", 3).save(root.file(mp::kStatus));
    start({"3", "0", "/dev/rmt/0", "0", "0"});
    expectDescription(3);
    EXPECT_TRUE(app->toggle("prodInfoTape"));
    EXPECT_TRUE(editableField("prodInfoTapeDevName"));
    EXPECT_TRUE(app->toggle("prodInfoTapeLocal"));
    EXPECT_TRUE(greyed("prodInfoTapeHostName"));
    app->wmClose(mp::kShell);
    EXPECT_EQ(app->waitExit().code, 250);
}

TEST_F(InstInfo, ReturnOnTheUntouchedFormAnswersTheSourceItStartedWith) {
    // The focus starts on OK: Browser..., first in traversal, would choose
    // the E-mail File source when Return reached it.
    const struct {
        std::string source;
        std::string out;
    } cases[] = {{"4", ""}, {"3", "DeviceTAPE='/dev/rmt/0'\n"}, {"1", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        start({c.source, "7", "/dev/rmt/0", "0", "0"});
        app->waitFor([&] { return app->focus() == "instInfoOk"; }, "focus on OK");
        app->key("Return");
        tk::RunResult r = app->waitExit();
        EXPECT_EQ(r.code, std::stoi(c.source)) << r.describe();
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(mp::status(root).named("infoSource"), std::stoi(c.source));
    }
}

// ---- Choosing ------------------------------------------------------------------------

TEST_F(InstInfo, ClickingIntoGreyFieldsChoosesTheirSource) {
    start({"4", "7", "/dev/rmt/0", "0", "0"});
    EXPECT_TRUE(greyed("prodInfoEmailText"));
    // The e-mail field: E-mail File.
    app->click("prodInfoEmailText");
    app->waitFor([&] { return app->toggle("prodInfoEmail"); }, "E-mail File chosen");
    EXPECT_TRUE(editableField("prodInfoEmailText"));
    EXPECT_FALSE(app->toggle("prodInfoOrvantaCatalog"));
    waitDescription(2);
    // The device field: Tape, local as the script's device name says.
    app->click("prodInfoTapeDevName");
    app->waitFor([&] { return app->toggle("prodInfoTape"); }, "Tape chosen");
    EXPECT_FALSE(app->toggle("prodInfoEmail"));
    EXPECT_TRUE(greyed("prodInfoEmailText"));
    EXPECT_TRUE(editableField("prodInfoTapeDevName"));
    EXPECT_TRUE(app->sensitive("prodInfoTapeRemote"));
    EXPECT_TRUE(app->toggle("prodInfoTapeLocal"));
    EXPECT_TRUE(greyed("prodInfoTapeHostName"));
    waitDescription(3);
    // The host field: the drive becomes remote.
    app->click("prodInfoTapeHostName");
    app->waitFor([&] { return app->toggle("prodInfoTapeRemote"); }, "Remote host set");
    EXPECT_FALSE(app->toggle("prodInfoTapeLocal"));
    EXPECT_TRUE(editableField("prodInfoTapeHostName"));
    app->typeInto("prodInfoTapeHostName", "hostB");
    // Local greys the host again; Work Order then leaves Tape altogether.
    app->click("prodInfoTapeLocal");
    app->waitFor([&] { return greyed("prodInfoTapeHostName"); }, "host field grey");
    app->click("prodInfoOrder");
    waitDescription(1);
    EXPECT_FALSE(app->toggle("prodInfoTape"));
    EXPECT_FALSE(app->sensitive("prodInfoTapeLocal"));
    EXPECT_FALSE(app->sensitive("prodInfoTapeFrameLabel"));
    EXPECT_TRUE(greyed("prodInfoTapeDevName"));
    // The grey host field chooses Tape with Remote host at once, its text kept.
    app->click("prodInfoTapeHostName");
    app->waitFor([&] { return app->toggle("prodInfoTapeRemote"); }, "Tape with Remote host");
    EXPECT_TRUE(app->toggle("prodInfoTape"));
    EXPECT_FALSE(app->toggle("prodInfoOrder"));
    EXPECT_EQ(app->text("prodInfoTapeHostName"), "hostB");
    tk::RunResult r = ok();
    EXPECT_EQ(r.code, 3) << r.describe();
    EXPECT_EQ(r.out, "DeviceTAPE='hostB:/dev/rmt/0'\n");
}

TEST_F(InstInfo, ARemoteTapeDeviceIsShownAndAnswered) {
    start({"3", "0", "hostA:/dev/rmt/0", "0", "0"});
    EXPECT_TRUE(app->toggle("prodInfoTapeRemote"));
    EXPECT_FALSE(app->toggle("prodInfoTapeLocal"));
    EXPECT_EQ(app->text("prodInfoTapeHostName"), "hostA");
    EXPECT_EQ(app->text("prodInfoTapeDevName"), "/dev/rmt/0");
    EXPECT_TRUE(editableField("prodInfoTapeHostName"));
    expectDescription(3);
    // A missing device name is refused; the form stays.
    app->typeInto("prodInfoTapeDevName", "");
    EXPECT_NE(refusedOk().find("Tape device name"), std::string::npos);
    app->typeInto("prodInfoTapeDevName", "/dev/rmt/0");
    tk::RunResult r = ok();
    EXPECT_EQ(r.code, 3) << r.describe();
    EXPECT_EQ(r.out, "DeviceTAPE='hostA:/dev/rmt/0'\n");
    EXPECT_EQ(mp::status(root).named("infoSource"), 3);
}

TEST_F(InstInfo, ARemoteTapeDeviceIsKeptWhileAnotherSourceIsChosen) {
    start({"2", "0", "hostA:/dev/rmt/0", "0", "0"});
    EXPECT_TRUE(greyed("prodInfoTapeDevName"));
    EXPECT_TRUE(greyed("prodInfoTapeHostName"));
    EXPECT_EQ(app->text("prodInfoTapeHostName"), "hostA");
    // The device field chooses Tape with the script's Remote host.
    app->click("prodInfoTapeDevName");
    app->waitFor([&] { return app->toggle("prodInfoTape"); }, "Tape chosen");
    EXPECT_TRUE(app->toggle("prodInfoTapeRemote"));
    EXPECT_TRUE(editableField("prodInfoTapeHostName"));
    app->click("instInfoMainMenu");
    tk::RunResult r = app->waitExit();
    EXPECT_EQ(r.code, 250);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(mp::status(root).named("infoSource"), 3);
}

// ---- The e-mail file -------------------------------------------------------------------

TEST_F(InstInfo, TheEmailFileIsExaminedAsTyped) {
    root.write("home/wo.txt", "Subject: work order\n");
    root.mkdir("dir");
    start({"2", "0", "/dev/rmt/0", "0", "0"}, {{"HOME", root.file("home")}});
    // ~/wo.txt exists once expanded, but the text is examined as typed.
    app->typeInto("prodInfoEmailText", "~/wo.txt");
    EXPECT_EQ(refusedOk(),
              "Stat system call failed for ~/wo.txt\nSystem_Error:No such file or directory\n");
    app->typeInto("prodInfoEmailText", root.file("dir"));
    EXPECT_EQ(refusedOk(), root.file("dir") + ": Not a regular file\n Respecify the email file name\n");
    // Longer than the record holds: refused, never cut.
    std::string longPath = root.file(std::string(120, 'd') + "/" + std::string(130, 'f'));
    root.write(longPath.substr(root.path().size() + 1), "x");
    ASSERT_GE(longPath.size(), 256u);
    app->typeInto("prodInfoEmailText", longPath);
    EXPECT_NE(refusedOk().find("too long"), std::string::npos);
    // A line feed typed (Ctrl+J) into the name of a file that exists: the
    // answer would no longer be one line.
    root.write("wo\nx", "Subject: work order\n");
    app->typeInto("prodInfoEmailText", root.file("wo"));
    app->key("j", tk::Ctrl);
    app->typeText("x");
    app->waitFor([&] { return app->text("prodInfoEmailText") == root.file("wo\nx"); }, "LF typed");
    EXPECT_EQ(refusedOk(), "The email file name holds a control character (a line feed, a tab, "
                           "...)\n Respecify the email file name\n");
    // A name with quotes and blanks is answered quoted for the shell.
    const std::string odd = root.write("it's a \"mail\"", "Subject: work order\n");
    app->typeInto("prodInfoEmailText", odd);
    tk::RunResult r = ok();
    EXPECT_EQ(r.code, 2) << r.describe();
    const std::string quoted = root.path() + "/it'\\''s a \"mail\"";
    EXPECT_EQ(r.out, "EmailFile='" + quoted + "'\n");
    EXPECT_EQ(mp::status(root).emailFile(), odd);
    EXPECT_EQ(mp::status(root).named("infoSource"), 2);
}

TEST_F(InstInfo, TheEmailFileOfAnEarlierRunIsOfferedGreyed) {
    const std::string mail = root.write("wo.mail", "Subject: work order\n");
    tk::StatusFile::blank().setEmail(mail).set("infoSource", 1).save(root.file(mp::kStatus));
    start({"1", "12", "/dev/rmt/0", "0", "0"});
    expectDescription(1);
    EXPECT_EQ(app->text("prodInfoEmailText"), mail);
    EXPECT_TRUE(greyed("prodInfoEmailText"));
    app->click("prodInfoEmail");
    app->waitFor([&] { return editableField("prodInfoEmailText"); }, "e-mail field editable");
    EXPECT_FALSE(app->toggle("prodInfoOrder"));
    tk::RunResult r = ok();
    EXPECT_EQ(r.code, 2) << r.describe();
    EXPECT_EQ(r.out, "EmailFile='" + mail + "'\n");
    EXPECT_EQ(mp::status(root).emailFile(), mail);
}

TEST_F(InstInfo, MainMenuWithTapeChosenPrintsNothingAndKeepsTheEmailFile) {
    tk::StatusFile::blank().setEmail("/var/mail/wo.txt").save(root.file(mp::kStatus));
    start({"3", "0", "hostA:/dev/rmt/0", "0", "0"});
    app->click("instInfoMainMenu");
    tk::RunResult r = app->waitExit();
    EXPECT_EQ(r.code, 250) << r.describe();
    EXPECT_EQ(r.out, "");
    const tk::StatusFile st = mp::status(root);
    EXPECT_EQ(st.named("infoSource"), 3);
    EXPECT_EQ(st.emailFile(), "/var/mail/wo.txt");
}

// ---- Help ------------------------------------------------------------------------------

TEST_F(InstInfo, HelpWindowComesBackAfterAWindowManagerClose) {
    start({"2", "0", "/dev/rmt/0", "0", "0"});
    app->click("instInfoHelp");
    app->waitMapped("instInfoHelpTextWin");
    EXPECT_EQ(app->title("instInfoHelpTextWin"), "Trevalon Help: Installation Information");
    const std::string text = app->text("instInfoHelpText");
    for (const char* topic : {"Work Order", "E-mail File", "Subject", "remsh", "rsh", "Catalog"})
        EXPECT_NE(text.find(topic), std::string::npos) << topic;
    EXPECT_EQ(app->geometry("instInfoHelpTextWin").width, 540);
    app->wmClose("instInfoHelpTextWin");
    app->waitUnmapped("instInfoHelpTextWin");
    app->click("instInfoHelp");
    app->waitMappedSettled("instInfoHelpTextWin");
    EXPECT_EQ(app->text("instInfoHelpText"), text);
    app->click("instInfoHelpTextWinClose");
    app->waitUnmapped("instInfoHelpTextWin");
    app->wmClose(mp::kShell);
    EXPECT_EQ(app->waitExit().code, 250);
}

}  // namespace
