// The forms as keyboard users meet them: where the focus starts, what
// Return and Escape do; and what every user sees: the set choice, the least
// size, and answers that cannot be written.
#include <unistd.h>

#include <cmath>
#include <fcntl.h>

#include "mpTest.h"

namespace {

// Where the keyboard focus starts and what Return then does: an exit
// status, or (-1) the form stays with a note up.  A product list has the
// focus without selecting; Return on it answers the default button.
TEST(Keys, TheFirstFocusIsSafeAndReturnAnswersTheDefault) {
    const struct {
        std::vector<std::string> args;   // "%R" is the root
        std::string focus;
        int code;
        std::string note;
    } rows[] = {
        {{"2", "%R/prods", "%R/sel", "5000", "1"}, "selProdListV", -1, "WarnNoProdSelL"},
        {{"9", "%R/prods", "%R/sel"}, "rmListProdListV", -1, "WarnNoProdSelL"},
        {{"13", "%R/prods", "%R/sel"}, "testInstListV", -1, "WarnNoProdSelL"},
        {{"0", "11", "1", "1", "1", "1", "1"}, "topLevConfig", 11, ""},
        {{"19", "%R/plats"}, "1", 0, ""},
        {{"23"}, "topDCDef", 231, ""},
        {{"10", "noSystem"}, "configUserV", 41, ""},
        {{"20"}, "instMediaCDV", 55, ""},
        {{"24", "%R/plats", "Notes"}, "TVMBOKButton", 51, ""},
        {{"5", "", "CD1", "/dev/sr0", "0"}, "mntCDMount", -1, "mntCDMsgL"},
        {{"3", "100", "200"}, "lackSpaceRecheck", 31, ""},
        {{"8", "%R/prods"}, "listInstMainMenu", 250, ""},
        {{"17", "%R/prods"}, "listHoldProdOK", 0, ""},
        {{"22", "%R/plats"}, "listWOOk", -1, "WarnDialogV"},
        {{"1", "3", "12", "/dev/rmt/0", "0", "0"}, "instInfoOk", 3, ""},
        {{"6", "T1", "/dev/rmt/0", "0"}, "mntTapeOk", 0, ""},
    };
    for (const auto& row : rows) {
        tk::TempRoot root;
        mp::writeCatalogue(root);
        root.write("plats", "sun4u SPARC\nsun4v T-series\n");
        auto env = mp::env(root);
        env["XTERM"] = "/nonexistent";
        tk::GuiApp app(mp::argv(row.args, &root), env);
        app.waitPlaced(mp::kShell);
        app.waitFor([&] { return app.focus() == row.focus; }, "focus on " + row.focus);
        app.key("Return");
        if (row.code >= 0) {
            EXPECT_EQ(app.waitExit().code, row.code) << row.args[0];
            continue;
        }
        app.waitMapped(row.note);
        EXPECT_TRUE(app.running()) << row.args[0];
        if (app.widgetClass(row.focus) == "XmList") {
            EXPECT_TRUE(app.listSelected(row.focus).empty()) << row.args[0];
        }
    }
}

// Escape answers Cancel on the message form, and closes a help window.
TEST(Keys, EscapeCancels) {
    tk::TempRoot root;
    {
        tk::GuiApp app(mp::argv({"24", root.write("msg", ""), "Notes"}), mp::env(root));
        app.waitPlaced(mp::kShell);
        app.key("Escape");
        const tk::RunResult r = app.waitExit();
        EXPECT_EQ(r.code, 52) << r.describe();
        EXPECT_EQ(r.err, "\nMight not have read the entire file...\n");   // an empty message file
    }
    tk::GuiApp app(mp::argv({"23"}), mp::env(root));
    app.waitPlaced(mp::kShell);
    app.click("topDCHelp");
    app.waitMapped("topDCHelpTextWin");
    app.waitFor([&] { return app.focus() != "" && app.focus() != "topDCDef"; }, "help has the focus");
    app.key("Escape");
    app.waitUnmapped("topDCHelpTextWin");
}

double luminance(const std::string& rgb) {
    auto channel = [&](int i) {
        const double c = std::stoi(rgb.substr(1 + 2 * i, 2), nullptr, 16) / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(0) + 0.7152 * channel(1) + 0.0722 * channel(2);
}

// The fill of a set radio toggle stands out from its background (a
// contrast ratio of at least 3) on every form with choices.
TEST(Look, TheSetChoiceIsPlainlyVisible) {
    const std::pair<std::vector<std::string>, const char*> forms[] = {
        {{"0", "20", "1", "1", "1", "1", "1"}, "topLevLoadProd"}, {{"23"}, "topDCDef"},
        {{"20"}, "instMediaCDV"}, {{"10"}, "configSystemV"}};
    for (const auto& [args, toggle] : forms) {
        tk::TempRoot root;
        tk::GuiApp app(mp::argv(args), mp::env(root));
        app.waitPlaced(mp::kShell);
        const std::string fill = app.pixel(toggle, 8, app.geometry(toggle).height / 2);
        const double a = luminance(fill), b = luminance(app.colors(toggle).bg);
        EXPECT_GE((std::max(a, b) + 0.05) / (std::min(a, b) + 0.05), 3.0) << toggle << ": " << fill;
        app.wmClose(mp::kShell);
        app.waitExit();
    }
}

// A form cannot be made smaller than the size at which all of it shows; a
// smaller saved size is raised to it.
TEST(Sizes, TheNaturalSizeIsTheMinimum) {
    tk::TempRoot root;
    mp::writeCatalogue(root);
    tk::StatusFile::blank().setSlot(184, 50, 40, 1).save(root.file(mp::kStatus));
    tk::GuiApp app(mp::argv({"9", root.file("prods"), root.file("sel")}), mp::env(root));
    app.waitPlaced(mp::kShell);
    const tk::Rect natural = app.geometry(mp::kShell);
    EXPECT_GT(natural.width, 50);
    EXPECT_GT(natural.height, 40);
    EXPECT_EQ(app.resource(mp::kShell, "minWidth"), std::to_string(natural.width));
    EXPECT_EQ(app.resource(mp::kShell, "minHeight"), std::to_string(natural.height));
}

// An answer that cannot be written is said and answered 250: standard
// output closed, a pipe whose reader has gone.  A button that prints
// nothing is unaffected even on a full device.
TEST(Output, AnAnswerThatCannotBeWrittenIsNeverLostSilently) {
    const int full = open("/dev/full", O_WRONLY);
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    close(pipeFds[0]);
    for (const auto& [fd, button, code] : {std::tuple{tk::Spawn::kClosed, "topPlatOK", 250},
                                           {pipeFds[1], "topPlatOK", 250}, {full, "topPlatPrev", 255}}) {
        tk::TempRoot root;
        root.write("plats", "sun4v T-series\n");
        tk::GuiApp app(mp::argv({"19", root.file("plats")}), mp::env(root), tk::XServer::shared(), std::nullopt, fd);
        app.waitPlaced(mp::kShell);
        const tk::RunResult r = app.clickAndExit(button);
        EXPECT_EQ(r.code, code) << fd << ": " << r.describe();
        EXPECT_EQ(r.err.find("Cannot write to standard output(") != std::string::npos, code == 250) << r.err;
    }
    close(pipeFds[1]);
    close(full);
}

}  // namespace
