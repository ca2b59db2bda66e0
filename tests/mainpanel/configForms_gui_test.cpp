// The Configure Products form and the three picking forms (Configure System
// Env, Configure User Env, Test Installed Products) driven with real clicks:
// the greyed choices and the codes they answer, and the products picked by
// their bare titles written to the selection file.
#include "mpTest.h"

namespace {

// ---- Configure Products -----------------------------------------------------------------

TEST(ConfigureProducts, ChoicesGreyedOutAndTheCodeOkAnswers) {
    const struct {
        std::vector<std::string> words;
        const char* greyed;              // nullptr: both choices open
        const char* setAtStart;
        std::vector<const char*> clicks;
        int code;
    } cases[] = {
        {{"10", "noUser"}, "configUserV", "configSystemV", {}, 40},
        {{"10", "noSystem"}, "configSystemV", "configUserV", {}, 41},
        {{"10"}, nullptr, "configSystemV", {"configUserV"}, 41},
        {{"10"}, nullptr, "configSystemV", {"configUserV", "configSystemV"}, 40},
    };
    for (const auto& c : cases) {
        const std::string what = c.words.back() + " " + std::to_string(c.clicks.size());
        tk::TempRoot root;
        // configChoice is no saved answer: a stored 41 does not preselect.
        tk::StatusFile::blank().set("configChoice", 41).save(root.file(mp::kStatus));
        tk::GuiApp app(mp::argv(c.words), mp::env(root));
        app.waitMapped("configOk");
        app.waitPlaced(mp::kShell);
        EXPECT_EQ(app.title(mp::kShell), "Trevalon: Configure Products") << what;
        EXPECT_EQ(app.label("configSystemV"), "System Environment ") << what;
        for (const char* t : {"configSystemV", "configUserV"}) {
            EXPECT_EQ(app.sensitive(t), !c.greyed || std::string(t) != c.greyed) << what << t;
            EXPECT_EQ(app.toggle(t), std::string(t) == c.setAtStart) << what << t;
        }
        for (const char* t : c.clicks) {
            app.click(t);
            app.waitFor([&] { return app.toggle(t); }, t);
        }
        app.click("configOk");
        tk::RunResult r = app.waitExit();
        EXPECT_EQ(r.code, c.code) << what << ": " << r.describe();
        EXPECT_EQ(mp::status(root).named("configChoice"), c.code) << what;
    }
}

TEST(ConfigureProducts, OnlyTheFullWordsAloneAreAccepted) {
    tk::TempRoot root;
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"10", "noSys"}, {"10", "noSystem", "noUser"}}) {
        tk::RunResult r = tk::run(mp::spawn(words, root, tk::XServer::shared().display()),
                                  std::chrono::seconds(20));
        EXPECT_EQ(r.code, 1) << r.describe();
        EXPECT_EQ(r.err, "USAGE: " + mp::kBin + " 10 [[noSys] [noUser]].\n");
    }
}

TEST(ConfigureProducts, MainMenuAndHelp) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"10"}), mp::env(root));
    app.waitMapped("configHelp");
    app.waitPlaced(mp::kShell);
    cg::expectHelpWindow(app, "configHelp", "configHelpTextWin",
                         "Trevalon Help: Configure Products");
    app.click("configMainMenu");
    EXPECT_EQ(app.waitExit().code, 250);
}

// ---- Picking forms ----------------------------------------------------------------------

struct PickingForm {
    const char* type;
    const char* title;
    const char* prefix;     // of the buttons
    const char* list;
    const char* selAll;
    const char* help;       // the help window
    const char* helpTitle;
    bool previous;
};

const PickingForm kForms[] = {
    {"11", "Trevalon: Configure System Env", "configSys", "configSysListV", "configSysSelAllV",
     "configSysEnvHelpTextWin", "Trevalon Help: Configure System Environment", true},
    {"12", "Trevalon: Configure User Env", "configUser", "configUserListV", "configUserSelAllV",
     "configUserEnvHelpTextWin", "Trevalon Help: Configure User Environment", true},
    {"13", "Trevalon: Test Installed Products", "testInst", "testInstListV", "testInstSelAll",
     "testInstHelpTextWin", "Trevalon Help: Test Installed Products", false},
};

// A product description with a status no selecting form would take: the
// picking forms check none.
const std::string kPickProducts = std::string(cg::kProducts) + "Odd~One aux odd 1 v1 t2 pending\n";

std::string button(const PickingForm& f, const char* role) { return f.prefix + std::string(role); }

std::vector<std::string> pickArgs(const tk::TempRoot& root, const PickingForm& f) {
    root.write("prods", kPickProducts);
    return mp::argv({f.type, root.file("prods"), root.file("sel")});
}

// A picking form on the screen, without $OVS_INST_PLAT: it reads no package.
struct PickRun {
    tk::TempRoot root;
    tk::GuiApp app;
    explicit PickRun(const PickingForm& f) : app(pickArgs(root, f), mp::env(root)) {
        app.waitMapped(f.list);
        app.waitPlaced(mp::kShell);
    }
};

TEST(PickingForms, SelectAllThenOkWritesEveryProductInFileOrder) {
    const std::vector<std::string> titles = {"Alpha Suite", "Beta Tools", "Gamma", "Delta",
                                             "Epsilon",     "Zeta",       "Odd One"};
    for (const PickingForm& f : kForms) {
        PickRun run(f);
        tk::GuiApp& app = run.app;
        EXPECT_EQ(app.title(mp::kShell), f.title);
        EXPECT_EQ(app.listItems(f.list), titles) << f.type;
        EXPECT_FALSE(app.exists(f.prefix + std::string("SortChoice"))) << f.type;
        EXPECT_EQ(app.exists(button(f, "Prev")), f.previous) << f.type;
        cg::expectHelpWindow(app, button(f, "Help"), f.help, f.helpTitle);
        app.click(f.selAll);
        app.waitFor([&] { return app.listSelected(f.list).size() == titles.size(); }, "all");
        app.click(button(f, "Ok"));
        tk::RunResult r = app.waitExit();
        EXPECT_EQ(r.code, 0) << f.type << ": " << r.describe();
        EXPECT_EQ(r.err, "") << f.type;
        EXPECT_EQ(run.root.read("sel"), kPickProducts) << f.type;
        EXPECT_EQ(mp::status(run.root).bytes().size(), 524u) << f.type;
    }
}

TEST(PickingForms, PreviousOnTheConfigureFormsOnly) {
    for (const PickingForm& f : kForms) {
        if (!f.previous) continue;
        PickRun run(f);
        run.app.clickListItem(f.list, 2);
        run.app.click(button(f, "Prev"));
        tk::RunResult r = run.app.waitExit();
        EXPECT_EQ(r.code, 255) << f.type << ": " << r.describe();
        EXPECT_EQ(run.root.read("sel"), "") << f.type;
    }
}

TEST(PickingForms, ThePickedProductsInFileOrderAndNothingPickedWarns) {
    const PickingForm& f = kForms[2];
    PickRun run(f);
    tk::GuiApp& app = run.app;
    app.click(f.selAll);
    app.waitFor([&] { return !app.listSelected(f.list).empty(); }, "all");
    app.click("testInstDeselAll");
    app.waitFor([&] { return app.listSelected(f.list).empty(); }, "none");
    cg::okShowsNoSelectionNote(app, "testInstOk");
    app.clickListItem(f.list, 5);
    app.clickListItem(f.list, 2, tk::Ctrl);
    app.waitFor([&] { return app.listSelected(f.list) == std::vector<int>{2, 5}; }, "two");
    app.click("testInstOk");
    EXPECT_EQ(app.waitExit().code, 0);
    EXPECT_EQ(run.root.read("sel"), "Beta~Tools aux beta 500 v1 t2 available\n"
                                    "Epsilon aux eps 350 v1 t2 failed\n");
}

}  // namespace
