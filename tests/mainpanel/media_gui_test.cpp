// The media forms driven with real pointer events: Select Media (20),
// Media Required (21) and Workorder List (22); their exit statuses, what
// they show from their files, and their refusals at start.
#include "mpTest.h"

namespace {

std::string numberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "WO" + std::to_string(i) + "          sun4v\n";
    return text;
}

// ---- Select Media (20) ---------------------------------------------------------------

TEST(SelectMedia, OkWithoutInteractionIsCdromAndStoresIt) {
    tk::TempRoot root;
    tk::StatusFile::blank().set("mediaTypeChoice", 56).save(root.file(mp::kStatus));
    tk::GuiApp app(mp::argv({"20", "ignored", "words"}), mp::env(root));
    app.waitMapped("instMediaOk");
    EXPECT_EQ(app.title(mp::kShell), "Trevalon: Select Media");
    EXPECT_EQ(app.label("instMediaCDV"), "CD-ROM ");
    EXPECT_EQ(app.label("instMediaTapeV"), "Tape");
    EXPECT_TRUE(app.toggle("instMediaCDV"));
    EXPECT_FALSE(app.toggle("instMediaTapeV"));
    tk::RunResult r = app.clickAndExit("instMediaOk");
    EXPECT_EQ(r.code, 55) << r.describe();
    EXPECT_EQ(r.out, "");
    tk::StatusFile st = mp::status(root);
    EXPECT_EQ(st.named("mediaTypeChoice"), 55);
    EXPECT_GT(st.slot(240).width, 0u);
}

TEST(SelectMedia, TapeThenOkAnswers56AndBackToCdrom55) {
    for (bool back : {false, true}) {
        tk::TempRoot root;
        tk::GuiApp app(mp::argv({"20"}), mp::env(root));
        app.waitMapped("instMediaTapeV");
        app.click("instMediaTapeV");
        app.waitFor([&] { return app.toggle("instMediaTapeV"); }, "Tape set");
        EXPECT_FALSE(app.toggle("instMediaCDV"));
        if (back) {
            app.click("instMediaCDV");
            app.waitFor([&] { return app.toggle("instMediaCDV"); }, "CD-ROM set");
        }
        const int want = back ? 55 : 56;
        tk::RunResult r = app.clickAndExit("instMediaOk");
        EXPECT_EQ(r.code, want) << r.describe();
        EXPECT_EQ(mp::status(root).named("mediaTypeChoice"), want);
    }
}

TEST(SelectMedia, MainMenuKeepsTheChoiceInTheRecordAndHelp) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"20"}), mp::env(root));
    mp::checkHelp(app, "instMediaTypeHelp", "instMediaType",
                   "Trevalon Help: Installation Media Type");
    app.click("instMediaTapeV");
    app.waitFor([&] { return app.toggle("instMediaTapeV"); }, "Tape set");
    tk::RunResult r = app.clickAndExit("instMediaMainMenu");
    EXPECT_EQ(r.code, 250) << r.describe();
    EXPECT_EQ(mp::status(root).named("mediaTypeChoice"), 56);
}

// ---- Media Required (21) ---------------------------------------------------------------

TEST(MediaRequired, VariantOneListsTheFileWithoutOtherMedia) {
    for (auto [button, code] : {std::pair{"listMediaOk", 0}, {"listMediaPrev", 255},
                                {"listMediaMainMenu", 250}}) {
        tk::TempRoot root;
        const std::string file = root.write("labels", "CD Products 1\nCD Products 2\nTape Docs\n");
        tk::GuiApp app(mp::argv({"21", "1", file, "extra"}), mp::env(root));
        app.waitMapped(button);
        EXPECT_EQ(app.title(mp::kShell), "Trevalon: Media Required");
        EXPECT_EQ(app.label("listMediaTopMsg"), "Installation information uses the following media:");
        EXPECT_EQ(app.label("reqMediaList"), "    CD Products 1\n    CD Products 2\n    Tape Docs");
        EXPECT_FALSE(app.exists("listMediaOther"));
        for (const char* b : {"listMediaOk", "listMediaPrev", "listMediaMainMenu", "listMediaHelp"})
            EXPECT_TRUE(app.mapped(b)) << b;
        tk::RunResult r = app.clickAndExit(button);
        EXPECT_EQ(r.code, code) << button << ": " << r.describe();
        EXPECT_EQ(r.out, "");
        EXPECT_GT(mp::status(root).slot(248).width, 0u);
    }
}

TEST(MediaRequired, VariantTwoOffersOtherMediaAndALongListIsShownWhole) {
    tk::TempRoot root;
    std::string text, shown;
    for (int i = 0; i < 30; ++i) {
        const std::string line = "Volume " + std::to_string(i) + " of the products, label X" +
                                 std::to_string(1000 + i);
        text += line + "\n";
        shown += (i ? "\n    " : "    ") + line;
    }
    ASSERT_GT(shown.size(), 512u);
    const std::string file = root.write("labels", text);
    tk::GuiApp app(mp::argv({"21", "2", file}), mp::env(root));
    app.waitMapped("listMediaOther");
    EXPECT_EQ(app.label("listMediaOther"), "Other Media");
    EXPECT_EQ(app.label("reqMediaList"), shown);
    mp::checkHelp(app, "listMediaHelp", "listMedia", "Trevalon Help: Media Required");
    tk::RunResult r = app.clickAndExit("listMediaOther");
    EXPECT_EQ(r.code, 57) << r.describe();
}

TEST(MediaRequired, UnreadableLabelFileEndsTheRun) {
    tk::TempRoot root;
    tk::RunResult r = mp::runMp({"21", "2", root.file("missing")}, root);
    EXPECT_EQ(r.code, 1) << r.describe();
    EXPECT_EQ(r.err, "Cannot open " + root.file("missing") + "(No such file or directory)\n");
    r = mp::runMp({"21", "2", root.path()}, root);
    EXPECT_EQ(r.code, 1) << r.describe();
    EXPECT_EQ(r.err, "File " + root.path() + " is not a regular file.\n");
    // A line too long to draw: a clear refusal, not an X error.
    const std::string labels = root.write("labels", "CD 1\n" + std::string(300000, 'L') + "\n");
    r = mp::runMp({"21", "2", labels}, root);
    EXPECT_EQ(r.code, 1) << r.describe();
    EXPECT_EQ(r.err, "Line 2 of " + labels + " is longer than 511 characters.\n");
}

// ---- Workorder List (22) ---------------------------------------------------------------

TEST(WorkOrders, ThirdLineSelectedAnswers3AndNothingSelectedWarns) {
    tk::TempRoot root;
    const std::string file = root.write("wo", numberedLines(4));
    tk::GuiApp app(mp::argv({"22", file}), mp::env(root));
    app.waitMapped("listWOOk");
    EXPECT_EQ(app.title(mp::kShell), "Trevalon: Workorder List");
    EXPECT_EQ(app.label("listWOTop"), "Work Order#          Platform");
    EXPECT_EQ(app.listItems("listWOProdL"),
              (std::vector<std::string>{"WO1          sun4v", "WO2          sun4v",
                                        "WO3          sun4v", "WO4          sun4v"}));
    EXPECT_TRUE(app.listSelected("listWOProdL").empty());
    app.click("listWOOk");
    EXPECT_EQ(dev::warning(app), "No Work Order Selected");
    dev::closeWarning(app);
    app.clickListItem("listWOProdL", 3);
    app.waitFor([&] { return app.listSelected("listWOProdL") == std::vector<int>{3}; },
                "third line selected");
    tk::RunResult r = app.clickAndExit("listWOOk");
    EXPECT_EQ(r.code, 3) << r.describe();
    EXPECT_EQ(r.out, "");
    EXPECT_GT(mp::status(root).slot(256).width, 0u);
}

TEST(WorkOrders, EmptyFileAlwaysWarnsAndPreviousAnswers255) {
    tk::TempRoot root;
    tk::GuiApp app(mp::argv({"22", root.write("wo", "")}), mp::env(root));
    app.waitMapped("listWOOk");
    EXPECT_TRUE(app.listItems("listWOProdL").empty());
    for (int i = 0; i < 2; ++i) {
        app.click("listWOOk");
        EXPECT_EQ(dev::warning(app), "No Work Order Selected");
        dev::closeWarning(app);
    }
    mp::checkHelp(app, "listWOHelp", "listWO", "Trevalon Help: Media Required");
    tk::RunResult r = app.clickAndExit("listWOPrev");
    EXPECT_EQ(r.code, 255) << r.describe();
}

TEST(WorkOrders, MoreThan249LinesAreRefused) {
    tk::TempRoot root;
    const std::string file = root.write("wo", numberedLines(250));
    tk::RunResult r = mp::runMp({"22", file}, root);
    EXPECT_EQ(r.code, 1) << r.describe();
    EXPECT_EQ(r.err, "Work order list " + file + " has 250 lines; at most 249 can be offered.\n");
    EXPECT_EQ(r.out, "");
    const std::string wide = root.write("wide", std::string(300000, 'W') + "\n");
    r = mp::runMp({"22", wide}, root);
    EXPECT_EQ(r.code, 1) << r.describe();
    EXPECT_EQ(r.err, "Line 1 of " + wide + " is longer than 511 characters.\n");

    // 249 lines are offered; the last one answers 249.
    root.write("wo", numberedLines(249));
    tk::GuiApp app(mp::argv({"22", file}), mp::env(root));
    app.waitMapped("listWOOk");
    const std::vector<std::string> items = app.listItems("listWOProdL");
    ASSERT_EQ(items.size(), 249u);
    EXPECT_EQ(items.back(), "WO249          sun4v");
    app.click("listWOProdL");
    app.key("End", tk::Ctrl);
    app.waitFor([&] { return app.listSelected("listWOProdL") == std::vector<int>{249}; },
                "last line selected");
    tk::RunResult end = app.clickAndExit("listWOOk");
    EXPECT_EQ(end.code, 249) << end.describe();
}

TEST(WorkOrders, MissingListFileAndMainMenu) {
    tk::TempRoot root;
    tk::RunResult r = mp::runMp({"22", root.file("none")}, root);
    EXPECT_EQ(r.code, 1) << r.describe();
    const std::string tail = "Cannot open " + root.file("none") + "(No such file or directory)\n";
    ASSERT_GE(r.err.size(), tail.size()) << r.err;
    EXPECT_EQ(r.err.substr(r.err.size() - tail.size()), tail);

    tk::GuiApp app(mp::argv({"22", root.write("wo", numberedLines(2))}), mp::env(root));
    app.waitMapped("listWOProdL");
    app.clickListItem("listWOProdL", 1);
    app.waitFor([&] { return app.listSelected("listWOProdL") == std::vector<int>{1}; },
                "first line selected");
    tk::RunResult m = app.clickAndExit("listWOMainMenu");
    EXPECT_EQ(m.code, 250) << m.describe();
}

}  // namespace
