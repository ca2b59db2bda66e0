// The List Products, On Hold Products and Remove Products forms driven with
// real clicks: the three orders of the list text and the order kept in
// form.status, the held products' names, and the space freed by removing
// products that share packages.
#include "mpTest.h"

namespace {

// ---- List Products --------------------------------------------------------------------

const char kListText[] = "listProdListV";

// The catalogue of the Load Products tests with one more product whose
// status is no word the installer writes.
std::string listCatalogue(const tk::TempRoot& root) {
    root.write("prods", std::string(cg::kProducts) + "Omega aux omega 42 v1 t2 pending\n");
    return root.file("prods");
}

std::string lines(const std::vector<std::string>& v) {
    std::string s;
    for (const std::string& l : v) s += l + '\n';
    return s;
}

const std::string kOmega = "    42  pending    Omega";
const std::string kByName = lines({cg::kLinesByName[0], cg::kLinesByName[1], cg::kLinesByName[2],
                                   cg::kLinesByName[3], cg::kLinesByName[4], cg::kLinesByName[5],
                                   kOmega});
const std::string kBySize = lines({kOmega, "   100  failed     Zeta", "   350  failed     Epsilon",
                                   "   500  available  Alpha Suite", "   500  available  Beta Tools",
                                   "   800  installed  Delta", "  2000  available  Gamma"});
// A status that begins with none of "f", "a", "i" comes after the installed
// products.
const std::string kByStatus =
    lines({"   350  failed     Epsilon", "   100  failed     Zeta", "   500  available  Alpha Suite",
           "   500  available  Beta Tools", "  2000  available  Gamma", "   800  installed  Delta",
           kOmega});

void waitText(tk::GuiApp& app, const std::string& text, const std::string& what) {
    app.waitFor([&] { return app.text(kListText) == text; }, what);
}

TEST(ListProducts, TheTogglesReorderTheTextAndTheOrderComesBackNextTime) {
    tk::TempRoot root;
    const std::string prods = listCatalogue(root);
    {
        // No platform and no package files: the list reads nothing else.
        tk::GuiApp app(mp::argv({"8", prods}), mp::env(root));
        app.waitMapped(kListText);
        app.waitPlaced(mp::kShell);
        EXPECT_EQ(app.title(mp::kShell), "Trevalon: List Products");
        EXPECT_EQ(app.text(kListText), kByName);
        EXPECT_FALSE(app.editable(kListText));
        EXPECT_TRUE(app.toggle("listByProductV"));
        EXPECT_FALSE(app.exists("listInstPrev"));
        const struct {
            const char* toggle;
            const std::string& text;
        } steps[] = {{"listByStatusV", kByStatus}, {"listBySizeV", kBySize},
                     {"listByProductV", kByName}, {"listByStatusV", kByStatus}};
        for (const auto& s : steps) {
            app.click(s.toggle);
            waitText(app, s.text, std::string("text after ") + s.toggle);
            EXPECT_TRUE(app.toggle(s.toggle));
        }
        EXPECT_FALSE(app.toggle("listByProductV"));
        // Clicking the toggle already set changes nothing.
        app.click("listByStatusV");
        app.settle();
        EXPECT_EQ(app.text(kListText), kByStatus);
        cg::expectHelpWindow(app, "listInstHelp", "listInstallHelpTextWin",
                             "Trevalon Help: List Products");
        app.click("listInstMainMenu");
        tk::RunResult r = app.waitExit();
        EXPECT_EQ(r.code, 250) << r.describe();
        EXPECT_EQ(r.err, "");
    }
    EXPECT_EQ(mp::status(root).named("listInstSort"), 2);

    // Back to the list: failed products first, the status toggle set.
    tk::GuiApp app(mp::argv({"8", prods}), mp::env(root));
    app.waitMapped(kListText);
    app.waitPlaced(mp::kShell);
    EXPECT_EQ(app.text(kListText), kByStatus);
    EXPECT_TRUE(app.toggle("listByStatusV"));
    EXPECT_FALSE(app.toggle("listByProductV"));
    app.wmClose(mp::kShell);
    EXPECT_EQ(app.waitExit().code, 250);
    EXPECT_EQ(mp::status(root).named("listInstSort"), 2);
}

// ---- On Hold Products -------------------------------------------------------------------

// A wrong line is said in the window too: the list shows the products
// before it.
TEST(ListProducts, AWrongLineIsShownInTheWindow) {
    tk::TempRoot root;
    const std::string prods = root.write("prods", "Alpha aux alpha 500 v1 t2 available\nbad line\n");
    tk::GuiApp app(mp::argv({"8", prods}), mp::env(root));
    app.waitMapped("WarnDialogV");
    EXPECT_NE(app.label("WarnDialogV").find("Wrong format in product description file: " + prods),
              std::string::npos);
    EXPECT_EQ(app.text(kListText), "   500  available  Alpha\n");
}

TEST(OnHoldProducts, NamesWithBlanksALineWithoutBlankSkippedAndOk) {
    const struct {
        const char* file;
        const char* shown;
        const char* err;
    } cases[] = {
        {"Graph~Kit 2.0 rest of the line\nnoblank\nDraw~Tool~Pro x\n~Lead y\n",
         "Graph Kit\nDraw Tool Pro\n Lead\n",
         "argv[0]: Wrong format in the hold product file.\n"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        tk::TempRoot root;
        root.write("held", c.file);
        tk::GuiApp app(mp::argv({"17", root.file("held")}), mp::env(root));
        app.waitMapped("listHoldProdListV");
        app.waitPlaced(mp::kShell);
        EXPECT_EQ(app.title(mp::kShell), "Trevalon: On Hold Products");
        EXPECT_EQ(app.text("listHoldProdListV"), c.shown);
        EXPECT_FALSE(app.editable("listHoldProdListV"));
        EXPECT_FALSE(app.exists("listHoldProdHelpTextWin"));
        app.click("listHoldProdOK");
        tk::RunResult r = app.waitExit();
        EXPECT_EQ(r.code, 0) << r.describe();
        EXPECT_EQ(r.err, c.err);
        EXPECT_TRUE(root.exists(mp::kStatus));
    }
}

TEST(OnHoldProducts, AFileThatCannotBeOpenedEndsTheRun) {
    tk::TempRoot root;
    tk::RunResult r = tk::run(mp::spawn({"17", root.file("none")}, root,
                                        tk::XServer::shared().display()),
                              std::chrono::seconds(20));
    EXPECT_EQ(r.code, 1) << r.describe();
    EXPECT_EQ(r.err, "Cannot open file " + root.file("none") + "(No such file or directory)\n");
}

// ---- Remove Products --------------------------------------------------------------------

const char kRmList[] = "rmListProdListV";
const char kFreed[] = "rmInstDiskAvaV";

// Draw and Paint are installed and share SHARED (500); Draw alone holds
// DRAWPKG (200).  Broken failed after loading BRKOK (40); its other packages
// have a failed marker (with a line that is no reference) and an entry in
// the package information, neither of which frees anything.
void writeRemoveCatalogue(const tk::TempRoot& root) {
    root.write("prods",
               "Draw~Kit aux draw 900 v1 t2 installed\n"
               "Paint aux paint 600 v1 t2 installed\n"
               "Broken aux brk 300 v1 t2 failed\n");
    root.write("install/tmp/bundles.sun4v", "x NONE nobody\n");
    root.write("install/tmp/pkginfo.sun4v", "x BRK2 700 y\n");
    root.write("install/pdts/draw_v1_t2.ok", "Draw marker\nDRAWPKG\nSHARED\n");
    root.write("install/pdts/paint_v1_t2.ok", "Paint marker\nSHARED\n");
    root.write("install/pdts/brk_v1_t2.nok", "Broken marker\nBRK1\nBRK2\nBRKOK\n");
    root.write("install/pkgs/DRAWPKG.ok", "DRAWPKG 1.0 200 x\ndraw\n");
    root.write("install/pkgs/SHARED.ok", "SHARED 1.0 500 x\ndraw\npaint\n");
    root.write("install/pkgs/BRK1.nok", "BRK1 1.0 300 x\nbrk\n");
    root.write("install/pkgs/BRKOK.ok", "BRKOK 1.0 40 x\nbrk\n");
}

std::vector<std::string> removeArgs(const tk::TempRoot& root) {
    return mp::argv({"9", root.file("prods"), root.file("sel")});
}

void waitFreed(tk::GuiApp& app, long long kb) {
    app.waitFor([&] { return app.label(kFreed) == cg::kb(kb); }, "space freed " + cg::kb(kb));
}

TEST(RemoveProducts, SharedPackagesAreFreedWithTheirLastHolderOnly) {
    tk::TempRoot root;
    writeRemoveCatalogue(root);
    tk::GuiApp app(removeArgs(root), cg::env(root));
    app.waitMapped(kRmList);
    app.waitPlaced(mp::kShell);
    EXPECT_EQ(app.title(mp::kShell), "Trevalon: Remove Products");
    EXPECT_EQ(app.listItems(kRmList),
              (std::vector<std::string>{"   900  installed  Draw Kit", "   600  installed  Paint",
                                        "   300  failed     Broken"}));
    EXPECT_EQ(app.label(kFreed), cg::kb(0));
    // Paint alone: Draw, not chosen, still needs the package they share.
    app.clickListItem(kRmList, 2);
    app.waitFor([&] { return app.listSelected(kRmList) == std::vector<int>{2}; }, "Paint");
    app.settle();
    EXPECT_EQ(app.label(kFreed), cg::kb(0));
    // Both: the shared package goes too.
    app.clickListItem(kRmList, 1, tk::Ctrl);
    waitFreed(app, 700);
    // Of the failed product only the package it did load is freed.
    app.clickListItem(kRmList, 3, tk::Ctrl);
    waitFreed(app, 740);
    // Draw taken out again: its own package stays, and so does the shared one.
    app.clickListItem(kRmList, 1, tk::Ctrl);
    waitFreed(app, 40);
    // Select All over a partial choice (Paint and Broken).
    app.click("rmInstSelAllV");
    waitFreed(app, 740);
    EXPECT_EQ(app.listSelected(kRmList), (std::vector<int>{1, 2, 3}));
    app.click("rmInstDeselAllV");
    waitFreed(app, 0);
    EXPECT_TRUE(app.listSelected(kRmList).empty());

    cg::okShowsNoSelectionNote(app, "rmInstOk");
    EXPECT_EQ(root.read("sel"), "");
    cg::expectHelpWindow(app, "rmInstHelp", "rmInstallHelpTextWin",
                         "Trevalon Help: Remove Products");
    app.click("rmInstMainMenu");
    tk::RunResult r = app.waitExit();
    EXPECT_EQ(r.code, 250) << r.describe();
    EXPECT_EQ(root.read("sel"), "");
}

TEST(RemoveProducts, OkWritesTheChoiceAndTheOrderIsKeptForTheNextRun) {
    tk::TempRoot root;
    writeRemoveCatalogue(root);
    {
        tk::GuiApp app(removeArgs(root), cg::env(root));
        app.waitMapped(kRmList);
        app.waitPlaced(mp::kShell);
        app.click("rmInstBySizeV");
        app.waitFor([&] { return app.listItems(kRmList).front() == "   300  failed     Broken"; },
                    "the list by size");
        app.clickListItem(kRmList, 1);                // Broken
        app.clickListItem(kRmList, 3, tk::Ctrl);      // Draw Kit
        waitFreed(app, 240);
        app.click("rmInstOk");
        tk::RunResult r = app.waitExit();
        EXPECT_EQ(r.code, 0) << r.describe();
        EXPECT_EQ(r.out + r.err, "");
    }
    // In catalogue order; nothing follows the record.
    EXPECT_EQ(root.read("sel"), "Draw~Kit aux draw 900 v1 t2 installed\n"
                                "Broken aux brk 300 v1 t2 failed\n");
    tk::StatusFile st = mp::status(root);
    EXPECT_EQ(st.named("rmInstSort"), 1);
    EXPECT_EQ(st.bytes().size(), 524u);

    tk::GuiApp app(removeArgs(root), cg::env(root));
    app.waitMapped(kRmList);
    EXPECT_TRUE(app.toggle("rmInstBySizeV"));
    EXPECT_FALSE(app.toggle("rmInstByProdV"));
    EXPECT_EQ(app.listItems(kRmList).front(), "   300  failed     Broken");
    EXPECT_TRUE(app.listSelected(kRmList).empty());
    app.wmClose(mp::kShell);
    EXPECT_EQ(app.waitExit().code, 250);
    EXPECT_EQ(root.read("sel"), "");
}

}  // namespace
