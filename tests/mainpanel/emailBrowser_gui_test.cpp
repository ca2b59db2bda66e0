// The e-mail file browser of the Installation Information form, driven with
// real pointer and key events on a directory tree made by each test: what
// its lists show, how typed and picked directories are taken, OK and Cancel,
// the window manager's close, and its start directory.
#include <filesystem>

#include "mpTest.h"

namespace {

const char kBox[] = "emailSelectBox";
const std::string kDirs = std::string(kBox) + "/DirList";
const std::string kFiles = std::string(kBox) + "/ItemsList";
const std::string kFilter = std::string(kBox) + "/FilterText";
const std::string kSelection = std::string(kBox) + "/Text";
const std::string kSearch = std::string(kBox) + "/Apply";
const std::string kOk = std::string(kBox) + "/OK";
const std::string kCancel = std::string(kBox) + "/Cancel";

using Items = std::vector<std::string>;

// The tree the browser looks at:
//   T/  A  B  a  .x  wo.txt  mail/  .hidden/  ~/mail/tilde.wo  a1/inbox  b1/inbox
//   T/mail/  inbox  WorkOrder.1  WorkOrder.2  old/
class Browser : public ::testing::Test {
protected:
    tk::TempRoot root;
    std::string top = root.mkdir("T");
    std::unique_ptr<tk::GuiApp> app;

    void SetUp() override {
        for (const char* f : {"T/A", "T/B", "T/a", "T/.x", "T/wo.txt", "T/mail/inbox",
                              "T/mail/WorkOrder.1", "T/mail/WorkOrder.2", "T/~/mail/tilde.wo",
                              "T/a1/inbox", "T/b1/inbox", "T/.hidden/secret"})
            root.write(f, "Subject: work order\n");
        root.mkdir("T/mail/old");
    }

    // Form 1 with the given source and environment; the browser not yet open.
    void start(const std::string& source, std::map<std::string, std::string> env = {}) {
        env["Proot"] = root.path();
        if (!env.count("TrevStartDir")) env["TrevStartDir"] = top;
        app = std::make_unique<tk::GuiApp>(
            mp::argv({"1", source, "12", "hostA:/dev/rmt/0", "0", "0"}), env);
        app->waitMapped("instInfoOk");
    }
    void open() {
        app->click("prodInfoEmailBrowser");
        app->waitMappedSettled(kBox);
    }
    void startAndOpen() {
        start("2");
        open();
    }
    void waitItems(const std::string& list, const Items& want) {
        app->waitFor([&] { return app->listItems(list) == want; },
                     list + " shows the expected items");
    }
    void waitFilter(const std::string& want) {
        app->waitFor([&] { return app->text(kFilter) == want; }, "search path " + want);
    }
    int finish() {
        app->wmClose(mp::kShell);
        return app->waitExit().code;
    }
};

TEST_F(Browser, ListsShowBareNamesInByteOrderWithHiddenDirectories) {
    startAndOpen();
    EXPECT_EQ(app->title("emailBrowser"), "Trevalon E-mail Browser");
    waitFilter(top + "/*");
    EXPECT_EQ(app->listItems(kDirs), (Items{".", "..", ".hidden", "a1", "b1", "mail", "~"}));
    // "B" before "a", ".x" before "A": bytes, not a dictionary.
    EXPECT_EQ(app->listItems(kFiles), (Items{".x", "A", "B", "a", "wo.txt"}));
    EXPECT_EQ(app->listSelected(kDirs), (std::vector<int>{1}));
    EXPECT_EQ(app->label(std::string(kBox) + "/Apply"), "Search");
    EXPECT_EQ(finish(), 250);
}

TEST_F(Browser, PickingADirectoryByNameAndSearchingMovesBelowTheShownOne) {
    startAndOpen();
    waitFilter(top + "/*");
    app->clickListItem(kDirs, 6);   // "mail"
    waitFilter(top + "/mail/*");
    app->click(kSearch);
    waitItems(kFiles, (Items{"WorkOrder.1", "WorkOrder.2", "inbox"}));
    waitItems(kDirs, (Items{".", "..", "old"}));
    // ".." and Search: back up.
    app->clickListItem(kDirs, 2);
    waitFilter(top + "/*");
    app->click(kSearch);
    waitItems(kFiles, (Items{".x", "A", "B", "a", "wo.txt"}));
    // A hidden directory is entered like any other.
    app->clickListItem(kDirs, 3);
    waitFilter(top + "/.hidden/*");
    app->click(kSearch);
    waitItems(kFiles, (Items{"secret"}));
    EXPECT_EQ(finish(), 250);
}

TEST_F(Browser, SearchRefillsTheListsWithoutResizingTheWindow) {
    root.write("T/mail/old/" + std::string(150, 'L'), "x");
    startAndOpen();
    const tk::Rect before = app->frameGeometry("emailBrowser");
    app->clickListItem(kDirs, 6);
    app->click(kSearch);
    app->clickListItem(kDirs, 3);   // "old"
    waitFilter(top + "/mail/old/*");
    app->click(kSearch);
    waitItems(kFiles, (Items{std::string(150, 'L')}));
    app->settle();
    EXPECT_EQ(app->frameGeometry("emailBrowser").width, before.width);
    EXPECT_EQ(app->resource("emailBrowser", "allowShellResize"), "1");
    // The lists' horizontal scroll bars: horizontal (2), maximum on the right (3).
    for (const char* list : {"ItemsListSW", "DirListSW"}) {
        const std::string bar = std::string(kBox) + "/" + list + "/HorScrollBar";
        EXPECT_EQ(app->resource(bar, "orientation"), "2") << list;
        EXPECT_EQ(app->resource(bar, "processingDirection"), "3") << list;
    }
    EXPECT_EQ(finish(), 250);
}

TEST_F(Browser, TypedSearchPathsAreTakenBelowTheShownDirectoryUnexpanded) {
    startAndOpen();
    waitFilter(top + "/*");
    // "~" is the directory named "~" below the shown one, not a home.
    app->typeInto(kFilter, "~/mail/*");
    app->key("Return");
    waitItems(kFiles, (Items{"tilde.wo"}));
    waitFilter(top + "/~/mail/*");
    // An absolute path is taken as it is.
    app->typeInto(kFilter, top + "/mail/Work*");
    app->key("Return");
    waitItems(kFiles, (Items{"WorkOrder.1", "WorkOrder.2"}));
    // A pattern with a directory wildcard lists every match by its name.
    app->typeInto(kFilter, top + "/*/inbox");
    app->click(kSearch);
    waitItems(kFiles, (Items{"inbox", "inbox", "inbox"}));
    waitFilter(top + "/*/inbox");
    EXPECT_EQ(finish(), 250);
}

TEST_F(Browser, APathWithoutAStarIsTakenAsADirectoryWhenLeft) {
    startAndOpen();
    waitFilter(top + "/*");
    app->typeInto(kFilter, top + "/mail");
    app->key("Tab");
    waitFilter(top + "/mail/*");
    // "?" does not keep the path from being taken as a directory.
    app->typeInto(kFilter, top + "/wo?.txt");
    app->key("Tab");
    waitFilter(top + "/wo?.txt/*");
    // A path with a "*" stays as typed.
    app->typeInto(kFilter, top + "/w*");
    app->key("Tab");
    app->settle();
    EXPECT_EQ(app->text(kFilter), top + "/w*");
    // A directory that does not exist leaves the lists as they were.
    const Items files = app->listItems(kFiles);
    app->typeInto(kFilter, top + "/none/*");
    app->key("Return");
    app->settle();
    EXPECT_EQ(app->listItems(kFiles), files);
    EXPECT_EQ(finish(), 250);
}

TEST_F(Browser, OkOnlyTakesARegularFileAndFillsTheFormsField) {
    startAndOpen();
    waitFilter(top + "/*");
    // A name that does not exist: the bell, and the browser stays.
    app->typeInto(kSelection, "missing.txt");
    app->click(kOk);
    app->settle();
    EXPECT_TRUE(app->mapped("emailBrowser"));
    EXPECT_EQ(app->text("prodInfoEmailText"), "");
    // A directory neither.
    app->typeInto(kSelection, "mail");
    app->click(kOk);
    app->settle();
    EXPECT_TRUE(app->mapped("emailBrowser"));
    EXPECT_EQ(app->text("prodInfoEmailText"), "");
    // A file picked from the list: its full path, and the browser goes.
    app->clickListItem(kFiles, 5);
    app->waitFor([&] { return app->text(kSelection).find("wo.txt") != std::string::npos; },
                 "wo.txt selected");
    app->click(kOk);
    app->waitUnmapped("emailBrowser");
    EXPECT_EQ(app->text("prodInfoEmailText"), top + "/wo.txt");
    // The form answers with it.
    app->click("instInfoOk");
    tk::RunResult r = app->waitExit();
    EXPECT_EQ(r.code, 2) << r.describe();
    EXPECT_EQ(r.out, "EmailFile='" + top + "/wo.txt'\n");
    EXPECT_EQ(mp::status(root).emailFile(), top + "/wo.txt");
}

TEST_F(Browser, ADirectoryWildcardMatchIsJoinedToTheShownDirectory) {
    startAndOpen();
    app->typeInto(kFilter, top + "/*/inbox");
    app->key("Return");
    waitItems(kFiles, (Items{"inbox", "inbox", "inbox"}));
    app->clickListItem(kFiles, 1);
    app->waitFor([&] { return !app->text(kSelection).empty(); }, "inbox selected");
    // top/inbox does not exist: the bell, nothing taken.
    app->click(kOk);
    app->settle();
    EXPECT_TRUE(app->mapped("emailBrowser"));
    EXPECT_EQ(app->text("prodInfoEmailText"), "");
    EXPECT_EQ(finish(), 250);
}

TEST_F(Browser, CancelHidesAndTheNextPressShowsTheSameBrowser) {
    startAndOpen();
    app->clickListItem(kDirs, 6);
    app->click(kSearch);
    waitItems(kFiles, (Items{"WorkOrder.1", "WorkOrder.2", "inbox"}));
    app->click(kCancel);
    app->waitUnmapped("emailBrowser");
    EXPECT_EQ(app->text("prodInfoEmailText"), "");
    open();
    EXPECT_EQ(app->text(kFilter), top + "/mail/*");
    EXPECT_EQ(app->listItems(kFiles), (Items{"WorkOrder.1", "WorkOrder.2", "inbox"}));
    EXPECT_EQ(finish(), 250);
}

TEST_F(Browser, AWindowManagerCloseMakesTheNextPressBuildANewOne) {
    startAndOpen();
    app->clickListItem(kDirs, 6);
    app->click(kSearch);
    waitFilter(top + "/mail/*");
    app->wmClose("emailBrowser");
    app->waitGone("emailBrowser");
    EXPECT_TRUE(app->running());
    open();
    // A new browser, back in its start directory.
    waitFilter(top + "/*");
    EXPECT_EQ(app->listItems(kFiles), (Items{".x", "A", "B", "a", "wo.txt"}));
    // Its help window works like any other.
    app->click(std::string(kBox) + "/Help");
    app->waitMapped("emailBrowserHelpTextWin");
    EXPECT_EQ(app->title("emailBrowserHelpTextWin"), "Trevalon Help: e-mail Browser");
    EXPECT_NE(app->text("emailBrowserHelpText").find("WorkOrder*"), std::string::npos);
    EXPECT_TRUE(app->exists("emailBrowserTextHelpDialog"));
    // Closed by the window manager, the help window comes back on Help.
    app->wmClose("emailBrowserHelpTextWin");
    app->waitUnmapped("emailBrowserHelpTextWin");
    app->click(std::string(kBox) + "/Help");
    app->waitMapped("emailBrowserHelpTextWin");
    // Cancel takes the help window down with the browser.
    app->click(kCancel);
    app->waitUnmapped("emailBrowser");
    app->waitUnmapped("emailBrowserHelpTextWin");
    EXPECT_EQ(finish(), 250);
}

TEST_F(Browser, TheEarlierEmailFileChoosesTheStartDirectoryBeforeTrevStartDir) {
    root.write("W/x/wo.mail", "Subject: work order\n");
    tk::StatusFile::blank().setEmail(root.file("W/x/wo.mail")).save(root.file(mp::kStatus));
    startAndOpen();
    waitFilter(root.file("W/x") + "/*");
    EXPECT_EQ(app->listItems(kFiles), (Items{"wo.mail"}));
    EXPECT_EQ(finish(), 250);
}

TEST_F(Browser, WithoutAStartDirectoryTheWorkingDirectoryIsShown) {
    start("2", {{"TrevStartDir", root.file("no/such/dir")}});
    open();
    const auto cwd = std::filesystem::current_path().string();
    waitFilter(cwd + "/*");
    EXPECT_EQ(finish(), 250);
}

TEST_F(Browser, OpeningItWhileTapeIsChosenSwitchesToEmailFile) {
    start("3");
    EXPECT_TRUE(app->toggle("prodInfoTape"));
    EXPECT_TRUE(app->mapped("tapeInfo"));
    open();
    app->waitFor([&] { return app->toggle("prodInfoEmail"); }, "E-mail File chosen");
    EXPECT_FALSE(app->toggle("prodInfoTape"));
    EXPECT_TRUE(app->editable("prodInfoEmailText"));
    EXPECT_FALSE(app->editable("prodInfoTapeDevName"));
    EXPECT_TRUE(app->mapped("emailInfo"));
    EXPECT_FALSE(app->mapped("tapeInfo"));
    // Main Menu now leaves E-mail File in the record.
    app->click("instInfoMainMenu");
    EXPECT_EQ(app->waitExit().code, 250);
    EXPECT_EQ(mp::status(root).named("infoSource"), 2);
}

}  // namespace

// With subfolders the two lists share the box's width, before and after a
// search and when the window grows.
TEST_F(Browser, TheFilesListKeepsItsShareOfTheWidth) {
    for (const char* d : {"Documents", "Downloads", "Desktop", "mailbox", "projects"})
        root.mkdir(std::string("T/") + d);
    startAndOpen();
    auto shares = [&] {
        const int files = app->geometry(kFiles).width, dirs = app->geometry(kDirs).width;
        return std::pair{files, dirs};
    };
    auto expectShared = [&](const char* when) {
        const auto [files, dirs] = shares();
        EXPECT_GE(files, dirs * 3 / 4) << when << ": files " << files << ", dirs " << dirs;
        EXPECT_GE(files, 150) << when;
    };
    expectShared("opened");
    app->click(kSearch);
    waitFilter(top + "/*");
    expectShared("searched");
    const tk::Rect before = app->geometry("emailBrowser");
    app->resizeFrame("emailBrowser", before.width + 200, before.height + 100);
    app->waitFor([&] { return app->geometry("emailBrowser").width == before.width + 200; },
                 "browser resized");
    app->waitFor([&] { return shares().first > before.width / 3; }, "files list grown");
    expectShared("resized");
}
