// The Load Products and Load Documents forms driven with real clicks: disk
// figures with shared packages, the warning colours, Select All and Deselect
// All, the sort orders, OK, Main Menu and Previous, and what a second run
// restores from form.status.
#include "mpTest.h"

namespace {

const char kRequired[] = "selProdTotalSizeV";
const char kAvailable[] = "selProdFreeDiskV";
const char kList[] = "selProdListV";

void waitLabel(tk::GuiApp& app, const std::string& w, const std::string& text) {
    app.waitFor([&] { return app.label(w) == text; }, w + " showing \"" + text + "\"");
}

void waitSelected(tk::GuiApp& app, const std::vector<int>& positions) {
    app.waitFor([&] { return app.listSelected(kList) == positions; }, "list selection");
}

// The background of the available space label, read from the screen.
std::string availableBackground(tk::GuiApp& app) { return app.pixel(kAvailable, 2, 2); }

TEST(LoadProducts, SharedPackageCountsOnceAndNegativeSpaceTurnsRed) {
    tk::TempRoot root;
    cg::writeCatalogue(root);
    tk::GuiApp app(cg::loadProducts(root, "1000"), cg::env(root));
    app.waitMapped(kList);
    app.waitPlaced(mp::kShell);
    EXPECT_EQ(app.title(mp::kShell), "Trevalon: Load Products");
    EXPECT_EQ(app.label("selProdTitle"), "Load Products");
    EXPECT_EQ(app.label("selProdOrderNum"), "Order # 1234");
    EXPECT_EQ(app.listItems(kList), cg::kLinesByName);
    EXPECT_TRUE(app.listSelected(kList).empty());
    EXPECT_EQ(app.label(kRequired), "0 KBytes       ");
    EXPECT_EQ(app.label(kAvailable), "1000 KBytes    ");
    const std::string normal = availableBackground(app);
    EXPECT_EQ(normal, "#e0e0e0");

    // Alpha, then Beta beside it: the package they share counts once.
    app.clickListItem(kList, 1);
    waitLabel(app, kRequired, "500 KBytes     ");
    EXPECT_EQ(app.label(kAvailable), "500 KBytes     ");
    app.clickListItem(kList, 2, tk::Ctrl);
    waitSelected(app, {1, 2});
    app.settle();
    EXPECT_EQ(app.label(kRequired), "500 KBytes     ");
    // Releasing Alpha: Beta still holds the package; releasing Beta: nothing.
    app.clickListItem(kList, 1, tk::Ctrl);
    waitSelected(app, {2});
    app.settle();
    EXPECT_EQ(app.label(kRequired), "500 KBytes     ");
    app.clickListItem(kList, 2, tk::Ctrl);
    waitLabel(app, kRequired, "0 KBytes       ");
    EXPECT_EQ(app.label(kAvailable), "1000 KBytes    ");

    // Gamma needs 2000 of the 1000 free: the available space turns red...
    app.clickListItem(kList, 3);
    waitLabel(app, kAvailable, "-1000 KBytes   ");
    EXPECT_EQ(app.label(kRequired), "2000 KBytes    ");
    app.waitFor([&] { return availableBackground(app) == "#ff0000"; }, "warning background");
    EXPECT_EQ(app.colors(kAvailable).fg, "#000000");
    // ... and back when the selection fits again.  The installed product
    // needs nothing: its package is on the disk.
    app.clickListItem(kList, 4);
    waitLabel(app, kAvailable, "1000 KBytes    ");
    EXPECT_EQ(app.label(kRequired), "0 KBytes       ");
    app.waitFor([&] { return availableBackground(app) == normal; }, "normal background");
    EXPECT_EQ(app.colors(kAvailable).fg, "#800000");
    // The failed products take their sizes from the package marker and from
    // the package information file.
    app.clickListItem(kList, 5);
    waitLabel(app, kRequired, "350 KBytes     ");
    app.clickListItem(kList, 6);
    waitLabel(app, kRequired, "100 KBytes     ");
}

TEST(LoadProducts, SelectAllDeselectAllAndTheSortOrdersKeepTheSelection) {
    tk::TempRoot root;
    cg::writeCatalogue(root);
    tk::GuiApp app(cg::loadProducts(root, "5000"), cg::env(root));
    app.waitMapped(kList);
    app.waitPlaced(mp::kShell);
    app.click("selProdSelAll");
    waitSelected(app, {1, 2, 3, 4, 5, 6});
    // 500 shared + 2000 + 0 installed + 350 + 100.
    waitLabel(app, kRequired, "2950 KBytes    ");
    EXPECT_EQ(app.label(kAvailable), "2050 KBytes    ");
    app.click("selProdDeselAll");
    waitLabel(app, kRequired, "0 KBytes       ");
    EXPECT_EQ(app.label(kAvailable), "5000 KBytes    ");
    EXPECT_TRUE(app.listSelected(kList).empty());

    // Gamma and Zeta selected, then each order.
    app.clickListItem(kList, 3);
    app.clickListItem(kList, 6, tk::Ctrl);
    waitLabel(app, kRequired, "2100 KBytes    ");
    app.click("selProdBySizeV");
    app.waitFor([&] { return app.listItems(kList).front() == "   100  failed     Zeta"; },
                "the list by size");
    EXPECT_EQ(app.listItems(kList),
              (std::vector<std::string>{"   100  failed     Zeta", "   350  failed     Epsilon",
                                        "   500  available  Alpha Suite",
                                        "   500  available  Beta Tools", "   800  installed  Delta",
                                        "  2000  available  Gamma"}));
    EXPECT_EQ(app.listSelected(kList), (std::vector<int>{1, 6}));
    EXPECT_TRUE(app.toggle("selProdBySizeV"));
    EXPECT_FALSE(app.toggle("selProdByNameV"));
    app.click("selProdByStatusV");
    app.waitFor([&] { return app.listItems(kList).front() == "   350  failed     Epsilon"; },
                "the list by status");
    EXPECT_EQ(app.listItems(kList),
              (std::vector<std::string>{"   350  failed     Epsilon", "   100  failed     Zeta",
                                        "   500  available  Alpha Suite",
                                        "   500  available  Beta Tools", "  2000  available  Gamma",
                                        "   800  installed  Delta"}));
    EXPECT_EQ(app.listSelected(kList), (std::vector<int>{2, 5}));
    EXPECT_EQ(app.label(kRequired), "2100 KBytes    ");
    // Clicking in the new order acts on the product shown there.
    app.clickListItem(kList, 1, tk::Ctrl);
    waitLabel(app, kRequired, "2450 KBytes    ");
    app.click("selProdByNameV");
    app.waitFor([&] { return app.listItems(kList) == cg::kLinesByName; }, "the list by name");
    EXPECT_EQ(app.listSelected(kList), (std::vector<int>{3, 5, 6}));

    // The form ends with the order shown last.
    app.click("selProdBySizeV");
    app.waitFor([&] { return app.toggle("selProdBySizeV"); }, "size toggle");
    app.click("selProdMainMenu");
    tk::RunResult r = app.waitExit();
    EXPECT_EQ(r.code, 250) << r.describe();
    EXPECT_EQ(mp::status(root).named("selProdSort"), 1);
}

TEST(LoadProducts, OkWithoutSelectionShowsTheNoteAndStays) {
    tk::TempRoot root;
    cg::writeCatalogue(root);
    tk::GuiApp app(cg::loadProducts(root, "1000"), cg::env(root));
    app.waitMapped("selProdOK");
    app.waitPlaced(mp::kShell);
    app.click("selProdOK");
    app.waitMapped("WarnNoProdSelL");
    EXPECT_EQ(app.label("WarnNoProdSelL"), "You need to select one or more products to proceed.");
    EXPECT_EQ(app.title("WarnNoProdSel"), "Note");
    app.waitPlaced("WarnNoProdSel");
    app.click("WarnNoProdSelOk");
    app.waitUnmapped("WarnNoProdSelL");
    app.settle();
    EXPECT_TRUE(app.running());
    EXPECT_EQ(root.read("sel"), "");
    // Selected and deselected again: still nothing to answer.
    app.clickListItem(kList, 2);
    app.clickListItem(kList, 2, tk::Ctrl);
    app.waitFor([&] { return app.listSelected(kList).empty(); }, "empty selection");
    app.click("selProdOK");
    app.waitMapped("WarnNoProdSelL");
    EXPECT_TRUE(app.running());
}

TEST(LoadProducts, OkWritesTheSelectionAndASecondRunRestoresFailedProductsAndTheOrder) {
    tk::TempRoot root;
    cg::writeCatalogue(root);
    {
        tk::GuiApp app(cg::loadProducts(root, "1000"), cg::env(root));
        app.waitMapped(kList);
        app.waitPlaced(mp::kShell);
        // Chosen in size order; written in catalogue order.
        app.click("selProdBySizeV");
        app.waitFor([&] { return app.listItems(kList).front() == "   100  failed     Zeta"; },
                    "the list by size");
        app.clickListItem(kList, 1);              // Zeta
        app.clickListItem(kList, 6, tk::Ctrl);    // Gamma
        app.clickListItem(kList, 3, tk::Ctrl);    // Alpha
        waitSelected(app, {1, 3, 6});
        app.click("selProdOK");
        tk::RunResult r = app.waitExit();
        EXPECT_EQ(r.code, 0) << r.describe();
        EXPECT_EQ(r.out + r.err, "");
    }
    EXPECT_EQ(root.read("sel"), "Alpha~Suite aux alpha 500 v1 t2 available\n"
                                "Gamma aux gamma 2000 v1 t2 available\n"
                                "Zeta aux zeta 100 v1 t2 failed\n");
    tk::StatusFile st = mp::status(root);
    EXPECT_EQ(st.named("numSelNames"), 3);
    EXPECT_EQ(st.names(), (std::vector<std::string>{"alpha", "gamma", "zeta"}));
    EXPECT_GE(st.bytes().size(), 524u + 3 * 32);
    EXPECT_EQ(st.named("selProdSort"), 1);

    // Back to the form: of the three only the failed Zeta is selected again,
    // and the list comes up by size.
    tk::GuiApp app(cg::loadProducts(root, "1000"), cg::env(root));
    app.waitMapped(kList);
    app.waitPlaced(mp::kShell);
    EXPECT_TRUE(app.toggle("selProdBySizeV"));
    EXPECT_FALSE(app.toggle("selProdByNameV"));
    EXPECT_EQ(app.listItems(kList).front(), "   100  failed     Zeta");
    EXPECT_EQ(app.listSelected(kList), (std::vector<int>{1}));
    EXPECT_EQ(app.label(kRequired), "100 KBytes     ");
    EXPECT_EQ(app.label(kAvailable), "900 KBytes     ");
    app.click("selProdOK");
    tk::RunResult r = app.waitExit();
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(root.read("sel"), "Zeta aux zeta 100 v1 t2 failed\n");
    st = mp::status(root);
    EXPECT_EQ(st.names(), (std::vector<std::string>{"zeta"}));
}

TEST(LoadProducts, ASelectionFileThatCannotBeWrittenIsNoAnswer) {
    tk::TempRoot root;
    cg::writeCatalogue(root);
    tk::GuiApp app(mp::argv({"2", root.file("prods"), "/dev/full", "1000", "wo"}), cg::env(root));
    app.waitMapped(kList);
    app.waitPlaced(mp::kShell);
    app.clickListItem(kList, 2);
    waitSelected(app, {2});
    app.click("selProdOK");
    tk::RunResult r = app.waitExit();
    EXPECT_EQ(r.code, 1) << r.describe();
    EXPECT_EQ(r.err, "Cannot write file /dev/full(No space left on device)\n");
}

TEST(LoadProducts, MainMenuAndPreviousLeaveNoSelection) {
    for (auto [button, code] : {std::pair{"selProdMainMenu", 250}, std::pair{"selProdPrev", 255}}) {
        tk::TempRoot root;
        cg::writeCatalogue(root);
        root.write("sel", "old contents\n");
        tk::GuiApp app(cg::loadProducts(root, "1000"), cg::env(root));
        app.waitMapped(kList);
        app.waitPlaced(mp::kShell);
        app.clickListItem(kList, 5);
        app.clickListItem(kList, 6, tk::Ctrl);
        waitSelected(app, {5, 6});
        app.click(button);
        tk::RunResult r = app.waitExit();
        EXPECT_EQ(r.code, code) << button << ": " << r.describe();
        EXPECT_TRUE(root.exists("sel"));
        EXPECT_EQ(root.read("sel"), "") << button;
        tk::StatusFile st = mp::status(root);
        EXPECT_EQ(st.named("numSelNames"), 0) << button;
        EXPECT_EQ(st.bytes().size(), 524u) << button;
    }
}

TEST(LoadProducts, WorkOrderHeadingAndHelpWindow) {
    for (auto [order, heading] : {std::pair{"Orvanta Catalog", "Orvanta Catalog"},
                                  std::pair{"", "Order # "}}) {
        tk::TempRoot root;
        cg::writeCatalogue(root);
        tk::GuiApp app(cg::loadProducts(root, "1000", order), cg::env(root));
        app.waitMapped("selProdOrderNum");
        app.waitPlaced(mp::kShell);
        EXPECT_EQ(app.label("selProdOrderNum"), heading);
        if (std::string(order).empty()) continue;
        EXPECT_FALSE(app.mapped("selProdHelpTextWin"));
        app.click("selProdHelp");
        app.waitMapped("selProdHelpTextWin");
        EXPECT_EQ(app.title("selProdHelpTextWin"), "Trevalon Help: Load Products");
        EXPECT_GT(app.text("selProdHelpText").size(), 500u);
        app.click("selProdHelpTextWinClose");
        app.waitUnmapped("selProdHelpTextWin");
    }
}

// ---- Load Documents --------------------------------------------------------------------

TEST(LoadDocuments, NoNamesAfterTheRecordAndTheSavedOrderNotRestored) {
    tk::TempRoot root;
    cg::writeCatalogue(root);
    // A record left by Load Products ended with Main Menu after an earlier
    // OK: a size order, no count, and that OK's names still in the file.
    tk::StatusFile::blank().set("selProdSort", 1).appendName("zeta").appendName("zeta").save(
        root.file(mp::kStatus));
    tk::GuiApp app(cg::loadDocuments(root, "3000"), cg::env(root));
    app.waitMapped(kList);
    app.waitPlaced(mp::kShell);
    EXPECT_EQ(app.title(mp::kShell), "Trevalon: Load Documents");
    EXPECT_EQ(app.label("selDocTitle"), "Documentation");
    EXPECT_EQ(app.label("selDocOrderNum"), "Catalog");
    EXPECT_EQ(app.label("selDocHead"), "Select the documents to install");
    EXPECT_FALSE(app.exists("selProdTitle"));
    EXPECT_EQ(app.listItems(kList), cg::kLinesByName);
    EXPECT_TRUE(app.toggle("selProdByNameV"));
    EXPECT_FALSE(app.toggle("selProdBySizeV"));
    EXPECT_TRUE(app.listSelected(kList).empty());
    EXPECT_EQ(app.label(kRequired), "0 KBytes       ");
    EXPECT_EQ(app.label(kAvailable), "3000 KBytes    ");
    // Choosing Size sorts the list; the figures work as in Load Products.
    app.click("selProdBySizeV");
    app.waitFor([&] { return app.listItems(kList).front() == "   100  failed     Zeta"; },
                "the list by size");
    app.clickListItem(kList, 3);
    app.clickListItem(kList, 4, tk::Ctrl);
    waitLabel(app, kRequired, "500 KBytes     ");
    // The same help window as Load Products.
    app.click("selProdHelp");
    app.waitMapped("selProdHelpTextWin");
    EXPECT_EQ(app.title("selProdHelpTextWin"), "Trevalon Help: Load Products");
    app.click("selProdOK");
    tk::RunResult r = app.waitExit();
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(root.read("sel"), "Alpha~Suite aux alpha 500 v1 t2 available\n"
                                "Beta~Tools aux beta 500 v1 t2 available\n");
    tk::StatusFile st = mp::status(root);
    EXPECT_EQ(st.named("selProdSort"), 1);
    // The record is rewritten; the old names after it are left as they were
    // and nothing is added, so the count of names after the record stays 0.
    EXPECT_EQ(st.named("numSelNames"), 0);
    EXPECT_EQ(st.bytes().size(), 524u + 64);
    EXPECT_EQ(st.bytes().substr(524, 5), std::string("zeta\0", 5));
    // The next Load Products does not take the dropped name for a choice.
    tk::GuiApp products(cg::loadProducts(root, "3000"), cg::env(root));
    products.waitMapped(kList);
    products.waitPlaced(mp::kShell);
    EXPECT_TRUE(products.listSelected(kList).empty());
}

}  // namespace
