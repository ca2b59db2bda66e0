// The forms as keyboard users meet them: where the focus starts, what
// Return and Escape do; and what every user sees: the set choice, sizes,
// help windows beside their form, answers that cannot be written, text in
// the locale's encoding.
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "mpTest.h"

namespace {

// What Return does on a form just opened.
struct Outcome {
    int code = -1;              // the exit status, or -1: the form stays
    const char* shows = nullptr;   // a widget then on the screen
};

struct Row {
    std::vector<std::string> args;   // after the program name; "%R" is the root
    const char* focus;               // where the keyboard focus starts
    Outcome onReturn;
};

std::vector<std::string> withRoot(std::vector<std::string> args, const tk::TempRoot& root) {
    for (std::string& a : args)
        if (a.rfind("%R", 0) == 0) a = root.path() + a.substr(2);
    return mp::argv(args);
}

TEST(Keys, TheFirstFocusIsSafeAndReturnAnswersTheDefault) {
    const Row rows[] = {
        // Product forms: the list has the focus, Return selects nothing.
        {{"2", "%R/prods", "%R/sel", "5000", "1"}, "selProdListV", {-1, "WarnNoProdSelL"}},
        {{"18", "%R/prods", "%R/sel", "5000"}, "selProdListV", {-1, "WarnNoProdSelL"}},
        {{"9", "%R/prods", "%R/sel"}, "rmListProdListV", {-1, "WarnNoProdSelL"}},
        {{"11", "%R/prods", "%R/sel"}, "configSysListV", {-1, "WarnNoProdSelL"}},
        {{"12", "%R/prods", "%R/sel"}, "configUserListV", {-1, "WarnNoProdSelL"}},
        {{"13", "%R/prods", "%R/sel"}, "testInstListV", {-1, "WarnNoProdSelL"}},
        // Choice forms: the chosen toggle, Return answers it.
        {{"0", "11", "1", "1", "1", "1", "1"}, "topLevConfig", {11}},
        {{"19", "%R/plats"}, "1", {0}},
        {{"23"}, "topDCDef", {231}},
        {{"10", "noSystem"}, "configUserV", {41}},
        {{"20"}, "instMediaCDV", {55}},
        // The rest: the default button.
        {{"24", "%R/plats", "Notes"}, "TVMBOKButton", {51}},
        {{"5", "", "CD1", "/dev/sr0", "0"}, "mntCDMount", {-1, "mntCDMsgL"}},
        {{"3", "100", "200"}, "lackSpaceRecheck", {31}},
        {{"8", "%R/prods"}, "listInstMainMenu", {250}},
        {{"17", "%R/prods"}, "listHoldProdOK", {0}},
        {{"22", "%R/plats"}, "listWOOk", {-1, "WarnDialogV"}},
        {{"1", "3", "12", "/dev/rmt/0", "0", "0"}, "instInfoOk", {3}},
        {{"6", "T1", "/dev/rmt/0", "0"}, "mntTapeOk", {0}},
    };
    for (const Row& row : rows) {
        tk::TempRoot root;
        cg::writeCatalogue(root);
        root.write("plats", "sun4u SPARC\nsun4v T-series\n");
        std::map<std::string, std::string> env = cg::env(root);
        env["XTERM"] = "/nonexistent";
        tk::GuiApp app(withRoot(row.args, root), env);
        app.waitPlaced(mp::kShell);
        app.waitFor([&] { return app.focus() == row.focus; }, "focus on " + std::string(row.focus));
        app.key("Return");
        if (row.onReturn.code >= 0) {
            EXPECT_EQ(app.waitExit().code, row.onReturn.code) << row.args[0];
            continue;
        }
        app.waitMapped(row.onReturn.shows);
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
        tk::GuiApp app(mp::argv({"24", root.write("msg", "text\n"), "Notes"}), mp::env(root));
        app.waitPlaced(mp::kShell);
        app.key("Escape");
        EXPECT_EQ(app.waitExit().code, 52);
    }
    tk::GuiApp app(mp::argv({"23"}), mp::env(root));
    app.waitPlaced(mp::kShell);
    app.click("topDCHelp");
    app.waitMapped("topDCHelpTextWin");
    app.waitFor([&] { return app.focus() != "" && app.focus() != "topDCDef"; }, "help has the focus");
    app.key("Escape");
    app.waitUnmapped("topDCHelpTextWin");
}

// The fill of a set radio toggle stands out from its background (a
// contrast ratio of at least 3), on every form with choices.
double luminance(const std::string& rgb) {
    auto channel = [&](int i) {
        const double c = std::stoi(rgb.substr(1 + 2 * i, 2), nullptr, 16) / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(0) + 0.7152 * channel(1) + 0.0722 * channel(2);
}

TEST(Look, TheSetChoiceIsPlainlyVisible) {
    const std::pair<std::vector<std::string>, const char*> forms[] = {
        {{"0", "20", "1", "1", "1", "1", "1"}, "topLevLoadProd"},
        {{"23"}, "topDCDef"},
        {{"20"}, "instMediaCDV"},
        {{"10"}, "configSystemV"}};
    for (const auto& [args, toggle] : forms) {
        tk::TempRoot root;
        tk::GuiApp app(mp::argv(args), mp::env(root));
        app.waitPlaced(mp::kShell);
        const tk::Rect g = app.geometry(toggle);
        // The indicator sits at the left, centred on the label's height.
        const std::string fill = app.pixel(toggle, 8, g.height / 2);
        const std::string background = app.colors(toggle).bg;
        const double a = luminance(fill), b = luminance(background);
        EXPECT_GE((std::max(a, b) + 0.05) / (std::min(a, b) + 0.05), 3.0)
            << toggle << ": " << fill << " on " << background;
        app.wmClose(mp::kShell);
        app.waitExit();
    }
}

// A form cannot be made smaller than the size at which all of it shows; a
// smaller saved size is raised to it.  Enlarged, its list grows and its
// buttons keep their height.
TEST(Sizes, TheNaturalSizeIsTheMinimumAndListsTakeTheGrowth) {
    tk::TempRoot root;
    cg::writeCatalogue(root);
    tk::StatusFile::blank().setSlot(184, 50, 40, 1).save(root.file(mp::kStatus));
    tk::GuiApp app(mp::argv({"9", root.file("prods"), root.file("sel")}), cg::env(root));
    app.waitPlaced(mp::kShell);
    const tk::Rect natural = app.geometry(mp::kShell);
    EXPECT_GT(natural.width, 50);
    EXPECT_GT(natural.height, 40);
    EXPECT_EQ(app.resource(mp::kShell, "minWidth"), std::to_string(natural.width));
    EXPECT_EQ(app.resource(mp::kShell, "minHeight"), std::to_string(natural.height));
    const tk::Rect list = app.geometry("rmListProdListV"), ok = app.geometry("rmInstOk");
    app.resizeFrame(mp::kShell, natural.width + 200, natural.height + 150);
    app.waitFor([&] { return app.geometry(mp::kShell).height == natural.height + 150; }, "enlarged");
    app.waitFor([&] { return app.geometry("rmListProdListV").height >= list.height + 140; },
                "list grown");
    EXPECT_EQ(app.geometry("rmInstOk").height, ok.height);
    EXPECT_LT(app.geometry("rmInstDeselAllV").width, 200);
}

// A help window opens beside its form: where the screen has no room for
// it, it covers little of the form, never its buttons.
TEST(Help, OpensBesideItsForm) {
    const struct {
        int x, y;   // the form's place
        bool apart;
    } rows[] = {{100, 100, true}, {500, 400, false}};
    for (const auto& row : rows) {
        tk::TempRoot root;
        tk::StatusFile::blank()
            .set("positionSet", 1)
            .set("winX", row.x)
            .set("winY", row.y)
            .set("clientOffX", 1)
            .save(root.file(mp::kStatus));
        tk::GuiApp app(mp::argv({"20"}), mp::env(root));
        app.waitPlaced(mp::kShell);
        app.click("instMediaTypeHelp");
        app.waitPlaced("instMediaTypeHelpTextWin");
        const tk::Rect f = app.frameGeometry(mp::kShell);
        const tk::Rect h = app.frameGeometry("instMediaTypeHelpTextWin");
        const int w = std::max(0, std::min(f.x + f.width, h.x + h.width) - std::max(f.x, h.x));
        const int ht = std::max(0, std::min(f.y + f.height, h.y + h.height) - std::max(f.y, h.y));
        EXPECT_EQ(w * ht == 0, row.apart) << row.x << "," << row.y;
        EXPECT_LE(w * ht, f.width * f.height / 4) << row.x << "," << row.y;
        for (const char* b : {"instMediaOk", "instMediaMainMenu", "instMediaTypeHelp"}) {
            const tk::Rect g = app.geometry(b);
            const int cx = g.x + g.width / 2, cy = g.y + g.height / 2;
            EXPECT_FALSE(cx >= h.x && cx < h.x + h.width && cy >= h.y && cy < h.y + h.height) << b;
        }
    }
}

// An answer that cannot be written is said and answered 250: standard
// output closed, or a pipe whose reader has gone.
TEST(Output, AnAnswerThatCannotBeWrittenIsNeverLostSilently) {
    for (const bool closed : {true, false}) {
        tk::TempRoot root;
        root.write("plats", "sun4v T-series\n");
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        close(pipeFds[0]);
        tk::GuiApp app(mp::argv({"19", root.file("plats")}), mp::env(root), tk::XServer::shared(),
                       std::nullopt, closed ? tk::Spawn::kClosed : pipeFds[1]);
        app.waitPlaced(mp::kShell);
        tk::RunResult r = app.clickAndExit("topPlatOK");
        close(pipeFds[1]);
        EXPECT_EQ(r.code, 250) << (closed ? "closed" : "pipe") << ": " << r.describe();
        EXPECT_NE(r.err.find("Cannot write to standard output("), std::string::npos) << r.err;
    }
}

}  // namespace
