// The device forms with their local/remote entry groups, driven with real
// pointer and key events: Load Device Options (4), Device Read Failed (14)
// and Install Media (15).  What they print for the script, their warnings,
// and the Host field's look as the group switches.
#include <filesystem>

#include "mpTest.h"

namespace {

using dev::kEditable;
using dev::kGrey;

// ---- Load Device Options (4) ---------------------------------------------------------

TEST(LoadDevices, OneKnownCdromShowsItsFrameAndOkPrintsNothing) {
    for (auto [spec, host] : {std::pair{"srv:/dev/sr0", "srv"}, {"/dev/sr0", "(local)"}}) {
        tk::TempRoot root;
        tk::GuiApp app(mp::argv({"4", "CDROM", "2", spec, "1", "Disc A~Disc B"}), mp::env(root));
        app.waitMapped("inMedDOk");
        EXPECT_EQ(app.title(mp::kShell), "Trevalon: Load Device Options");
        EXPECT_EQ(app.label("widget296"), "Load Device Options");
        EXPECT_EQ(app.label("inMedDReqCDTape"), "2 CD-ROMs: Disc A\n           Disc B\n");
        EXPECT_TRUE(app.mapped("inMedDCDKnown"));
        EXPECT_EQ(app.label("inMedDCDKnownFrameLabel"), "CD-ROM device");
        EXPECT_EQ(app.label("inMedDCDKnownDev"), "/dev/sr0");
        EXPECT_EQ(app.label("inMedDCDKnownHost"), host);
        // The frames and titles that do not apply are gone.
        for (const char* gone : {"inMedDCDUnknown", "inMedDCDUnknownFrameLabel", "inMedDTapeKnown",
                                 "inMedDTapeUnknown", "inMedDTapeKnownFrameLabel",
                                 "inMedDTapeUnknownFrameLabel"})
            EXPECT_FALSE(app.exists(gone)) << gone;
        tk::RunResult r = app.clickAndExit("inMedDOk");
        EXPECT_EQ(r.code, 0) << r.describe();
        EXPECT_EQ(r.out, "");
        EXPECT_GT(mp::status(root).slot(152).width, 0u);
    }
}

TEST(LoadDevices, UnknownLocalTapeSwitchesToRemoteWhenItsGreyHostIsClicked) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"4", "TAPE", "1", "/dev/rmt/0", "0", "Tape 1"}), mp::env(root));
    app.waitMapped("inMedDTapeUnkHost");
    EXPECT_EQ(app.label("inMedDReqCDTape"), "1    tape: Tape 1\n");
    EXPECT_EQ(app.label("inMedDTapeUnknownFrameLabel"), "Specify the location of the tape device");
    EXPECT_FALSE(app.exists("inMedDTapeKnown"));
    EXPECT_FALSE(app.exists("inMedDCDUnknown"));
    EXPECT_EQ(app.text("inMedDTapeUnkDev"), "/dev/rmt/0");
    EXPECT_TRUE(app.toggle("inMedDTapeUnkLocal"));
    EXPECT_FALSE(app.toggle("inMedDTapeUnkRemote"));
    dev::expectHostGrey(app, "inMedDTapeUnkHost");

    app.click("inMedDTapeUnkHost");
    app.waitFor([&] { return app.toggle("inMedDTapeUnkRemote"); }, "Remote host set");
    EXPECT_FALSE(app.toggle("inMedDTapeUnkLocal"));
    dev::expectHostEditable(app, "inMedDTapeUnkHost");

    // OK with the Host field empty: the warning, nothing printed.
    app.click("inMedDOk");
    EXPECT_EQ(dev::warning(app), "You need to specify\n    Tape remote host name\n");
    dev::closeWarning(app);
    EXPECT_TRUE(app.running());

    // A host that tries to end the quoting.
    const std::string pwned = root.file("pwned");
    const std::string evil = "x'; touch " + pwned + "; '";
    app.click("inMedDTapeUnkHost");
    app.typeText(evil);
    app.waitFor([&] { return app.text("inMedDTapeUnkHost") == evil; }, "host typed");
    tk::RunResult r = app.clickAndExit("inMedDOk");
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(r.out, "DeviceTAPE='x'\\''; touch " + pwned + "; '\\'':/dev/rmt/0'\n");
    EXPECT_EQ(dev::evalLines(root, r.out, "DeviceTAPE"), evil + ":/dev/rmt/0");
    EXPECT_FALSE(std::filesystem::exists(pwned));
}

TEST(LoadDevices, BothDevicesTapeGroupFirstStillShowCdromFirstAndOnTop) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"4", "TAPE", "2", "/dev/rmt/0", "0", "T1~T2", "CDROM", "1",
                             "/dev/sr0", "0", "C1"}),
                   mp::env(root));
    app.waitMapped("inMedDTapeUnknown");
    app.waitMapped("inMedDCDUnknown");
    EXPECT_EQ(app.label("inMedDReqCDTape"), "1 CD-ROM: C1\n2    tapes: T1\n           T2\n");
    const tk::Rect cd = app.geometry("inMedDCDUnknown");
    const tk::Rect tape = app.geometry("inMedDTapeUnknown");
    EXPECT_LT(cd.y + cd.height, tape.y);
    // Each title sits on its own frame's top border.
    EXPECT_EQ(app.geometry("inMedDCDUnknownFrameLabel").y, cd.y - 10);
    EXPECT_EQ(app.geometry("inMedDTapeUnknownFrameLabel").y, tape.y - 10);
    EXPECT_EQ(app.geometry("inMedDCDUnknownFrameLabel").x, cd.x + 20);
    // The titles are drawn over the frames' top borders, not under them.
    for (const char* title : {"inMedDCDUnknownFrameLabel", "inMedDTapeUnknownFrameLabel"})
        for (int dy : {10, 11})
            EXPECT_EQ(app.pixel(title, 1, dy), "#e0e0e0") << title << " at " << dy;
    tk::RunResult r = app.clickAndExit("inMedDOk");
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(r.out, "DeviceCD='/dev/sr0'\nDeviceTAPE='/dev/rmt/0'\n");
}

TEST(LoadDevices, KnownCdromWithUnknownTapePrintsOnlyTheTape) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"4", "CDROM", "1", "/dev/sr0", "1", "C1", "TAPE", "1",
                             "tapehost:/dev/rmt/0", "0", "T1"}),
                   mp::env(root));
    app.waitMapped("inMedDTapeUnkHost");
    EXPECT_TRUE(app.exists("inMedDCDKnown"));
    EXPECT_TRUE(app.toggle("inMedDTapeUnkRemote"));
    EXPECT_EQ(app.text("inMedDTapeUnkHost"), "tapehost");
    dev::expectHostEditable(app, "inMedDTapeUnkHost");
    tk::RunResult r = app.clickAndExit("inMedDOk");
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(r.out, "DeviceTAPE='tapehost:/dev/rmt/0'\n");
}

TEST(LoadDevices, LocalTogglePutsARemoteGroupBackAndEverythingMissingIsListed) {
    tk::TempRoot root;
    // ":" is remote with neither host nor device.
    tk::GuiApp app(mp::argv({"4", "CDROM", "1", ":", "0", "C", "TAPE", "1", ":", "0", "T"}),
                   mp::env(root));
    app.waitMapped("inMedDOk");
    EXPECT_TRUE(app.toggle("inMedDCDUnkRemote"));
    app.click("inMedDOk");
    EXPECT_EQ(dev::warning(app),
              "You need to specify\n    CD-ROM device name\n    CD-ROM remote host name\n"
              "    Tape device name\n    Tape remote host name\n");
    dev::closeWarning(app);

    // CD-ROM back to Local: its host is no longer asked for.
    app.click("inMedDCDUnkLocal");
    app.waitFor([&] { return app.toggle("inMedDCDUnkLocal"); }, "Local set");
    EXPECT_FALSE(app.toggle("inMedDCDUnkRemote"));
    dev::expectHostGrey(app, "inMedDCDUnkHost");
    app.click("inMedDCDUnkDev");
    app.typeText("/dev/sr1");
    app.click("inMedDTapeUnkDev");
    app.typeText("/dev/rst0");
    app.click("inMedDTapeUnkHost");
    app.typeText("th");
    app.waitFor([&] { return app.text("inMedDTapeUnkHost") == "th"; }, "tape host typed");
    tk::RunResult r = app.clickAndExit("inMedDOk");
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(r.out, "DeviceCD='/dev/sr1'\nDeviceTAPE='th:/dev/rst0'\n");
}

TEST(LoadDevices, MainMenuAndPreviousPrintNothing) {
    for (auto [button, code] : {std::pair{"inMedDMainMenu", 250}, {"inMedDPrev", 255}}) {
        tk::TempRoot root;
        tk::GuiApp app(mp::argv({"4", "CDROM", "1", "/dev/sr0", "0", "C"}), mp::env(root));
        tk::RunResult r = app.clickAndExit(button);
        EXPECT_EQ(r.code, code) << r.describe();
        EXPECT_EQ(r.out, "");
    }
}

TEST(LoadDevices, KindWordsAreChecked) {
    tk::TempRoot root;
    const std::string usage =
        "Usage: argv[0] formType CDROM # cdDev 1/0 labels TAPE # tapeDev 1/0 labels\n";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"4", "CDROM", "1", "/dev/sr0", "0", "C", "CDROM", "1", "/d", "0",
                                   "C"},
          {"4", "TAPE", "1", "/dev/sr0", "0", "C", "TAPE", "1", "/d", "0", "C"},
          {"4", "cdrom", "1", "/dev/sr0", "0", "C"},
          {"4", "CDROM", "1", "/dev/sr0", "0", "C", "DISK", "1", "/d", "0", "C"}}) {
        tk::RunResult r = mp::runMp(args, root);
        EXPECT_EQ(r.code, 1) << args[1] << ": " << r.describe();
        EXPECT_EQ(r.err, usage);
        EXPECT_EQ(r.out, "");
    }
}

TEST(LoadDevices, Help) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"4", "CDROM", "1", "/dev/sr0", "0", "C"}), mp::env(root));
    mp::checkHelp(app, "inMedDHelp", "inMedD", "Trevalon Help: Load Device Options");
}

// ---- Device Read Failed (14) ------------------------------------------------------------

TEST(ReadFailed, TapeWithABarePathPrintsIt) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"14", "TAPE", "/dev/rmt/0"}), mp::env(root));
    app.waitMapped("unreadInMedOk");
    EXPECT_EQ(app.title(mp::kShell), "Trevalon: Device Read Failed");
    EXPECT_EQ(app.label("unreadInMedHead1"), "Unable to read");
    EXPECT_EQ(app.label("unreadInMedTypeV"), "tape");
    EXPECT_EQ(app.label("unreadInMedHead2"), ", respecify the location of the device.");
    EXPECT_TRUE(app.toggle("unreadInMedLocalV"));
    dev::expectHostGrey(app, "unreadInMedHostV");
    tk::RunResult r = app.clickAndExit("unreadInMedOk");
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(r.out, "DeviceTAPE='/dev/rmt/0'\n");
    EXPECT_GT(mp::status(root).slot(232).width, 0u);
}

TEST(ReadFailed, TapeChoosingRemoteHostAndTypingAHost) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"14", "TAPE", "/dev/rmt/0"}), mp::env(root));
    app.waitMapped("unreadInMedRemoteV");
    app.click("unreadInMedRemoteV");
    app.waitFor([&] { return app.toggle("unreadInMedRemoteV"); }, "Remote host set");
    EXPECT_FALSE(app.toggle("unreadInMedLocalV"));
    dev::expectHostEditable(app, "unreadInMedHostV");
    app.click("unreadInMedHostV");
    app.typeText("tapehost");
    // A tab typed (Ctrl+I) into the host: refused by name, then taken out.
    app.key("i", tk::Ctrl);
    app.waitFor([&] { return app.text("unreadInMedHostV") == "tapehost\t"; }, "tab typed");
    app.click("unreadInMedOk");
    EXPECT_EQ(dev::warning(app),
              "Remove the control characters (line feeds, tabs, ...) from\n"
              "    Tape remote host name\n");
    dev::closeWarning(app);
    app.click("unreadInMedHostV");
    app.key("End");
    app.key("BackSpace");
    app.waitFor([&] { return app.text("unreadInMedHostV") == "tapehost"; }, "host typed");
    tk::RunResult r = app.clickAndExit("unreadInMedOk");
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(r.out, "DeviceTAPE='tapehost:/dev/rmt/0'\n");
}

TEST(ReadFailed, OtherKindIsATapeFile) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"14", "cdrom", ""}), mp::env(root));
    app.waitMapped("unreadInMedOk");
    EXPECT_EQ(app.label("unreadInMedTypeV"), "TFILE");
    app.click("unreadInMedOk");
    EXPECT_EQ(dev::warning(app), "You need to specify\n    Tape device name\n");
    dev::closeWarning(app);
    // A device typed with a quote of its own: eval gives it back unchanged.
    const std::string typed = "/tmp/it's.tar";
    app.click("unreadInMedDevV");
    app.typeText(typed);
    app.waitFor([&] { return app.text("unreadInMedDevV") == typed; }, "device typed");
    tk::RunResult r = app.clickAndExit("unreadInMedOk");
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(r.out, "TFILE='/tmp/it'\\''s.tar'\n");
    EXPECT_EQ(dev::evalLines(root, r.out, "TFILE"), typed);
}

TEST(ReadFailed, RemoteCdromThenLocalGreysTheHost) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"14", "CDROM", "srv:/dev/sr0"}), mp::env(root));
    app.waitMapped("unreadInMedOk");
    EXPECT_EQ(app.label("unreadInMedTypeV"), "CD-ROM");
    EXPECT_TRUE(app.toggle("unreadInMedRemoteV"));
    EXPECT_EQ(app.text("unreadInMedHostV"), "srv");
    EXPECT_EQ(app.text("unreadInMedDevV"), "/dev/sr0");
    dev::expectHostEditable(app, "unreadInMedHostV");
    app.click("unreadInMedLocalV");
    app.waitFor([&] { return app.toggle("unreadInMedLocalV"); }, "Local set");
    dev::expectHostGrey(app, "unreadInMedHostV");
    // The grey field keeps its text; clicking into it makes the group
    // remote again, and Local once more takes it back.
    EXPECT_EQ(app.text("unreadInMedHostV"), "srv");
    app.click("unreadInMedHostV");
    app.waitFor([&] { return app.toggle("unreadInMedRemoteV"); }, "Remote host set again");
    dev::expectHostEditable(app, "unreadInMedHostV");
    app.click("unreadInMedLocalV");
    app.waitFor([&] { return app.toggle("unreadInMedLocalV"); }, "Local set again");
    dev::expectHostGrey(app, "unreadInMedHostV");
    tk::RunResult r = app.clickAndExit("unreadInMedOk");
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(r.out, "DeviceCD='/dev/sr0'\n");
}

TEST(ReadFailed, MainMenuAndHelp) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"14", "CDROM", "/dev/sr0"}), mp::env(root));
    mp::checkHelp(app, "unreadInMedHelp", "unreadInMed", "Trevalon Help: Device Read Failed");
    tk::RunResult r = app.clickAndExit("unreadInMedMainMenu");
    EXPECT_EQ(r.code, 250) << r.describe();
    EXPECT_EQ(r.out, "");
}

// ---- Install Media (15) -------------------------------------------------------------------

TEST(InstallMedia, IllegalMediaType) {
    tk::TempRoot root;
    for (const char* type : {"cdrom", "DISK", ""}) {
        tk::RunResult r = mp::runMp({"15", type, "Label", "/dev/sr0"}, root);
        EXPECT_EQ(r.code, 1) << r.describe();
        EXPECT_EQ(r.err, std::string("Illegal media type ") + type + "\n");
        EXPECT_EQ(r.out, "");
    }
}

TEST(InstallMedia, RemoteCdromOkPrintsHostAndDevice) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"15", "CDROM", "Products 1/2", "srv:/dev/sr0"}), mp::env(root));
    app.waitMapped("instMediaCDOk");
    EXPECT_EQ(app.title(mp::kShell), "Trevalon: Install Media");
    EXPECT_EQ(app.label("instMediaCDLabel"), "Products 1/2");
    EXPECT_TRUE(app.exists("instMediaCDMount"));
    EXPECT_TRUE(app.toggle("instMediaCDRemote"));
    EXPECT_FALSE(app.toggle("instMediaCDLocal"));
    EXPECT_EQ(app.text("instMediaCDHostName"), "srv");
    EXPECT_EQ(app.text("instMediaCDDevName"), "/dev/sr0");
    dev::expectHostEditable(app, "instMediaCDHostName");
    mp::checkHelp(app, "instMediaCDHelp", "instMedia", "Trevalon Help: Install Media");
    tk::RunResult r = app.clickAndExit("instMediaCDOk");
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(r.out, "DeviceCD='srv:/dev/sr0'\n");
    tk::StatusFile st = mp::status(root);
    EXPECT_GT(st.slot(112).width, 0u);
    EXPECT_EQ(st.slot(120).width, 0u);
}

TEST(InstallMedia, TapeBarePathGreyHostClickedSwitchesToRemote) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"15", "TAPE", "Tape 3", "/dev/rmt/0"}), mp::env(root));
    app.waitMapped("instMediaTapeOk");
    EXPECT_EQ(app.label("instMediaTapeLabel"), "Tape 3");
    EXPECT_FALSE(app.exists("instMediaCDMount"));
    EXPECT_TRUE(app.toggle("instMediaTapeLocal"));
    dev::expectHostGrey(app, "instMediaTapeHostName");
    app.click("instMediaTapeHostName");
    app.waitFor([&] { return app.toggle("instMediaTapeRemote"); }, "Remote host set");
    EXPECT_FALSE(app.toggle("instMediaTapeLocal"));
    dev::expectHostEditable(app, "instMediaTapeHostName");
    // Local and Remote host once more through the toggles.
    app.click("instMediaTapeLocal");
    app.waitFor([&] { return app.toggle("instMediaTapeLocal"); }, "Local set");
    dev::expectHostGrey(app, "instMediaTapeHostName");
    app.click("instMediaTapeRemote");
    app.waitFor([&] { return app.toggle("instMediaTapeRemote"); }, "Remote host set again");
    dev::expectHostEditable(app, "instMediaTapeHostName");
    app.click("instMediaTapeOk");
    EXPECT_EQ(dev::warning(app), "You need to specify\n    Tape remote host name\n");
    dev::closeWarning(app);
    app.click("instMediaTapeHostName");
    app.typeText("th:");
    app.waitFor([&] { return app.text("instMediaTapeHostName") == "th:"; }, "host typed");
    tk::RunResult r = app.clickAndExit("instMediaTapeOk");
    EXPECT_EQ(r.code, 0) << r.describe();
    // A tape host keeps its colon.
    EXPECT_EQ(r.out, "DeviceTAPE='th::/dev/rmt/0'\n");
    tk::StatusFile st = mp::status(root);
    EXPECT_GT(st.slot(120).width, 0u);
    EXPECT_EQ(st.slot(112).width, 0u);
}

TEST(InstallMedia, MainMenuOfBothVariantsAndHelpOfTheTape) {
    for (const char* type : {"CDROM", "TAPE"}) {
        tk::TempRoot root;
        tk::GuiApp app(mp::argv({"15", type, "L", "/dev/rmt/0"}), mp::env(root));
        const std::string prefix = std::string("instMedia") + (type[0] == 'C' ? "CD" : "Tape");
        app.waitMapped(prefix + "Help");
        app.click(prefix + "Help");
        app.waitMapped("instMediaHelpTextWin");
        EXPECT_EQ(app.title("instMediaHelpTextWin"), "Trevalon Help: Install Media");
        app.click("instMediaHelpTextWinClose");
        app.waitUnmapped("instMediaHelpTextWin");
        tk::RunResult r = app.clickAndExit(prefix + "MainMenu");
        EXPECT_EQ(r.code, 250) << r.describe();
        EXPECT_EQ(r.out, "");
    }
}

}  // namespace
