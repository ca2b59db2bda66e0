// The forms as keyboard users meet them: where the focus starts, what
// Return and Escape do; and what every user sees: the set choice, sizes,
// help windows beside their form, the installed look, and answers that
// cannot be written.
#include <unistd.h>

#include <cmath>
#include <fcntl.h>
#include <fstream>

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
        std::vector<std::string> args;
        for (const std::string& a : row.args) args.push_back(mp::expand(a, root));
        auto env = mp::env(root);
        env["XTERM"] = "/nonexistent";
        tk::GuiApp app(mp::argv(args), env);
        app.waitPlaced(mp::kShell);
        app.waitFor([&] { return app.focus() == row.focus; }, "focus on " + row.focus);
        app.key("Return");
        if (row.code >= 0) {
            EXPECT_EQ(app.waitExit().code, row.code) << args[0];
            continue;
        }
        app.waitMapped(row.note);
        EXPECT_TRUE(app.running()) << args[0];
        if (app.widgetClass(row.focus) == "XmList") {
            EXPECT_TRUE(app.listSelected(row.focus).empty()) << args[0];
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
// contrast ratio of at least 3) on every form with choices; an installed
// app-defaults file named Trevalon takes the place of the built-in look.
TEST(Look, TheSetChoiceIsPlainlyVisibleAndTheLookInstallable) {
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
    tk::TempRoot root;
    std::ifstream builtIn(TREVALON_AD);
    std::ofstream(root.file("Trevalon")) << builtIn.rdbuf() << "Trevalon*topDCOK.background: #0000ff\n";
    auto env = mp::env(root);
    env["XFILESEARCHPATH"] = root.path() + "/%N";
    tk::GuiApp app(mp::argv({"23"}), env);
    app.waitPlaced(mp::kShell);
    EXPECT_EQ(app.colors("topDCOK").bg, "#0000ff");
    EXPECT_EQ(app.colors("topDCPrev").bg, "#e0e0e0");
}

// A form cannot be made smaller than the size at which all of it shows; a
// smaller saved size is raised to it.  Enlarged, its list grows and its
// buttons keep their height.
TEST(Sizes, TheNaturalSizeIsTheMinimumAndListsTakeTheGrowth) {
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
    const tk::Rect list = app.geometry("rmListProdListV"), ok = app.geometry("rmInstOk");
    app.resizeFrame(mp::kShell, natural.width + 200, natural.height + 150);
    app.waitFor([&] { return app.geometry("rmListProdListV").height >= list.height + 140; }, "list grown");
    EXPECT_EQ(app.geometry("rmInstOk").height, ok.height);
}

// The message form's text area is as wide as the longest line and as high
// as the lines, within the screen: its scroll bars' sliders cover the whole
// text unless the screen is too small.
TEST(Sizes, TheMessageFormFitsItsTextWithinTheScreen) {
    tk::TempRoot root;
    for (const auto& [line, lines, whole] : {std::tuple{std::string(79, 'x'), 12, true}, {std::string(1000, 'y'), 100, false}}) {
        std::string text;
        for (int i = 0; i < lines; ++i) text += line + "\n";
        tk::GuiApp app(mp::argv({"24", root.write("msg", text), "Notes"}), mp::env(root));
        app.waitPlaced(mp::kShell);
        for (const std::string bar : {"TVMBTextSW/HorScrollBar", "TVMBTextSW/VertScrollBar"})
            EXPECT_EQ(std::stoi(app.resource(bar, "sliderSize")) ==
                          std::stoi(app.resource(bar, "maximum")) - std::stoi(app.resource(bar, "minimum")), whole) << bar;
        EXPECT_LE(app.frameGeometry(mp::kShell).width, app.screen().width);
        app.wmClose(mp::kShell);
        app.waitExit();
    }
}

// A help window opens beside its form; where the screen has no room for it,
// it covers little of the form, never its buttons.
TEST(Help, OpensBesideItsForm) {
    for (const auto& [x, y, apart] : {std::tuple{100, 100, true}, {500, 400, false}}) {
        tk::TempRoot root;
        tk::StatusFile::blank().set("positionSet", 1).set("winX", x).set("winY", y).set("clientOffX", 1)
            .save(root.file(mp::kStatus));
        tk::GuiApp app(mp::argv({"20"}), mp::env(root));
        app.waitPlaced(mp::kShell);
        app.click("instMediaTypeHelp");
        app.waitPlaced("instMediaTypeHelpTextWin");
        const tk::Rect f = app.frameGeometry(mp::kShell), h = app.frameGeometry("instMediaTypeHelpTextWin");
        const int w = std::max(0, std::min(f.x + f.width, h.x + h.width) - std::max(f.x, h.x));
        const int ht = std::max(0, std::min(f.y + f.height, h.y + h.height) - std::max(f.y, h.y));
        EXPECT_EQ(w * ht == 0, apart) << x;
        EXPECT_LE(w * ht, f.width * f.height / 4) << x;
        for (const char* b : {"instMediaOk", "instMediaMainMenu", "instMediaTypeHelp"}) {
            const tk::Rect g = app.geometry(b);
            const int cx = g.x + g.width / 2, cy = g.y + g.height / 2;
            EXPECT_FALSE(cx >= h.x && cx < h.x + h.width && cy >= h.y && cy < h.y + h.height) << b;
        }
    }
}

// An answer that cannot be written is said and answered 250: standard
// output closed, a pipe whose reader has gone, a full device.  A button
// that prints nothing is unaffected.
TEST(Output, AnAnswerThatCannotBeWrittenIsNeverLostSilently) {
    const int full = open("/dev/full", O_WRONLY);
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    close(pipeFds[0]);
    for (const auto& [fd, button, code] : {std::tuple{tk::Spawn::kClosed, "topPlatOK", 250},
                                           {pipeFds[1], "topPlatOK", 250}, {full, "topPlatOK", 250},
                                           {full, "topPlatPrev", 255}}) {
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
