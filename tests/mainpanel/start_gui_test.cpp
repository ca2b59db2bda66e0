// Start-up with a display: the display test, every form type's word count
// and usage message, main's own checks, and form.status created, reset or
// read.
#include <sys/stat.h>

#include <filesystem>

#include "mpTest.h"

namespace {

std::string display() { return tk::XServer::shared().display(); }

std::vector<std::string> words(int count) {
    std::vector<std::string> w;
    for (int i = 0; i < count; ++i) w.push_back("w" + std::to_string(i));
    return w;
}

TEST(Start, DisplayTestAnswersZeroAndTouchesNoFile) {
    tk::TempRoot root;
    tk::RunResult r = mp::runMp({"-1"}, root);
    EXPECT_EQ(r.code, 0) << r.describe();
    EXPECT_EQ(r.out + r.err, "");
    EXPECT_FALSE(root.exists(mp::kStatus));
}

// A wrong word count of every form type: its usage line, exit 1, and no
// form shown.  Words are counted with the program name and the form type.
TEST(Start, EveryFormTypeChecksItsWordCount) {
    const std::string p = mp::kBin;
    const struct {
        int type;
        int words;   // a count the form refuses
        std::string usage;
    } cases[] = {
        {0, 7, "Usage: " + p + " 0 actDef 1/0 1/0 1/0 1/0 1/0\n"},
        {1, 6, "Usage: " + p + " 1 prodInfoMedia workOrderNum tapeDev 1/0 1/0.\n"},
        {1, 8, "Usage: " + p + " 1 prodInfoMedia workOrderNum tapeDev 1/0 1/0.\n"},
        {2, 5, "Usage: " + p + " 2 prodToSelect userSelectProd diskAvail workOrder.\n"},
        {3, 5, "USAGE: " + p + " 3 avaSpace reqSpace.\n"},
        {4, 8, "Usage: " + p + " 4 CDROM # host:device 1/0 labels TAPE # host:device 1/0 labels\n"},
        {5, 5, "USAGE: " + p + " 5 unmntCDlabel mntCDLabel CDHost:CDDrive 1/0\n"},
        {6, 6, "USAGE: " + p + " 6 tapeLabel tapeHost:tapeDrive 1/0\n"},
        {8, 2, "USAGE: " + p + " 8 prodFile.\n"},
        {9, 5, "USAGE: " + p + " 9 prodToSelect userSelectProd.\n"},
        {10, 4, "USAGE: " + p + " 10 [[noSys] [noUser]].\n"},
        {11, 3, "USAGE: " + p + " 11 prodToSelect userSelectProd.\n"},
        {12, 5, "USAGE: " + p + " 12 prodToSelect userSelectProd.\n"},
        {13, 3, "USAGE: " + p + " 13 prodToTest selectedProd.\n"},
        {14, 5, "Usage: " + p + " 14 [CD tape] host:device.\n"},
        {15, 4, "Usage: " + p + " 15 mediaType mediaLabel deviceName.\n"},
        {17, 4, "Usage: " + p + " 17 onHoldProduct\n"},
        {18, 6, "Usage: " + p + " 18 prodToSelect userSelectProd diskAvail.\n"},
        {19, 2, "Usage: " + p + " 19 <platforms file>\n"},
        {21, 3, "Usage: " + p + " 21 1/2 <filename with labels>.\n"},
        {22, 4, "USAGE: " + p + " 22 Workorderlist \n"},
        {23, 3, "Usage: " + p + " 23 [default inst prompt] [custome inst promp]>\n"},
        {24, 3, "USAGE: mainpanel 24 <file Name> <string>\n"},
    };
    tk::TempRoot root;
    for (const auto& c : cases) {
        std::vector<std::string> args = words(c.words - 1);
        args[0] = std::to_string(c.type);
        tk::RunResult r = mp::runMp(args, root);
        EXPECT_EQ(r.code, 1) << "type " << c.type << ": " << r.describe();
        EXPECT_EQ(r.err, c.usage) << "type " << c.type;
        EXPECT_EQ(r.out, "") << "type " << c.type;
    }
    // The configure form takes only "noSystem" or "noUser" as third word.
    tk::RunResult r = mp::runMp({"10", "noSys"}, root);
    EXPECT_EQ(r.err, "USAGE: " + p + " 10 [[noSys] [noUser]].\n");
    // A toolkit option after the form type is not one of the form's words.
    r = mp::runMp({"23", "-bg", "red", "x"}, root);
    EXPECT_EQ(r.err, "Usage: " + p + " 23 [default inst prompt] [custome inst promp]>\n");
}

TEST(Start, FormTypesWithoutAFormAreNotSupported) {
    tk::TempRoot root;
    for (const std::string type : {"7", "16", "25", "-2"}) {
        tk::RunResult r = mp::runMp({type, "a", "b"}, root);
        EXPECT_EQ(r.code, 1) << r.describe();
        EXPECT_EQ(r.err, "Feature " + type + " is not supported yet.\n");
    }
    // The display and form.status were opened first.
    EXPECT_EQ(root.read(mp::kStatus), "");
}

TEST(Start, MainChecksTheFormsFilesAndEnvironment) {
    tk::TempRoot root;
    const std::string out = root.file("out.prod");
    // Load Products: the result file is opened first, then the platform read.
    // Both files are created 0644 whatever the caller's umask.
    const mode_t mask = umask(0);
    tk::RunResult r = mp::runMp({"2", "in", out, "100", "wo"}, root);
    umask(mask);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Installation platform not specified.\n");
    for (const std::string& created : {out, root.file(mp::kStatus)})
        EXPECT_EQ(std::filesystem::status(created).permissions(),
                  std::filesystem::perms(0644)) << created;
    // One message a failure, each with its line feed.
    r = mp::runMp({"9", "in", root.file("no/dir/x")}, root, {{"OVS_INST_PLAT", "sun4"}});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Cannot open " + root.file("no/dir/x") + "(No such file or directory)\n");
    r = mp::runMp({"22", root.file("missing")}, root);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Cannot open " + root.file("missing") + "(No such file or directory)\n");
    r = mp::runMp({"22", root.path()}, root);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "File " + root.path() + " is not a regular file.\n");
    r = mp::runMp({"15", "FLOPPY", "label", "/dev/fd0"}, root);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Illegal media type FLOPPY\n");
    r = mp::runMp({"18", "in", out, "100"}, root,
              {{"OVS_INST_PLAT", std::string(500, 'p')}});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("too long"), std::string::npos) << r.err;
}

TEST(Start, InstallationRootIsRequiredAndMustFit) {
    tk::TempRoot root;
    tk::Spawn s = mp::spawn({"23"}, root, display());
    s.env.erase("Proot");
    s.unset.push_back("Proot");
    tk::RunResult r = tk::run(s);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Installation root is not set.\n");

    tk::Spawn longRoot = mp::spawn({"23"}, root, display());
    longRoot.env["Proot"] = root.path() + "/" + std::string(500, 'r');
    r = tk::run(longRoot);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("too long"), std::string::npos) << r.err;

    // form.status that can be neither opened nor created.
    tk::TempRoot noTmp;
    std::filesystem::remove_all(noTmp.file("install/tmp"));
    r = mp::runMp({"23"}, noTmp);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Cannot create file " + noTmp.file(mp::kStatus) + "(No such file or directory)\n");
}

// A link planted in a sticky world-writable directory where a file is to be
// written: refused with the reason, its target untouched, nothing shown.
TEST(Start, PlantedLinksAreNotWrittenThrough) {
    tk::TempRoot root;
    const std::string target = root.write("etc-file", "precious\n");
    const std::string tmp = root.file("install/tmp"), sel = tmp + "/sel.prod";
    std::filesystem::permissions(tmp, std::filesystem::perms::all |
                                          std::filesystem::perms::sticky_bit);
    const std::string link = ": it is a symbolic link, which is not written through"
                             "(Too many levels of symbolic links)\n";
    const struct {
        std::string planted;
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {sel, {"11", root.write("prods", ""), sel}, "Cannot open " + sel + link},
        {root.file(mp::kStatus), {"23"}, "Cannot create file " + root.file(mp::kStatus) + link},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(c.planted);
        std::filesystem::create_symlink(target, c.planted);
        tk::RunResult r = mp::runMp(c.args, root);
        EXPECT_EQ(r.code, 1) << r.describe();
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(root.read("etc-file"), "precious\n");
    }
}

// Device names given on the command line come back to the script in shell
// assignments: a control character in one ends the run before any form.
TEST(Start, DeviceWordsWithControlCharactersAreRefused) {
    tk::TempRoot root;
    const struct {
        std::vector<std::string> args;
        int argument;
    } cases[] = {
        {{"6", "label", "/dev/rmt/0\ntouch x", "0"}, 2},
        {{"1", "3", "0", "h\t:/dev/rmt/0", "0", "0"}, 3},
        {{"14", "CDROM", "/dev/sr0\r"}, 2},
    };
    for (const auto& c : cases) {
        tk::RunResult r = mp::runMp(c.args, root);
        EXPECT_EQ(r.code, 1) << r.describe();
        EXPECT_EQ(r.err, mp::kBin + " " + c.args[0] + ": argument " + std::to_string(c.argument) +
                             " holds a control character (a line feed, a tab, ...); a device "
                             "name cannot.\n");
        EXPECT_EQ(r.out, "");
    }
}

TEST(Start, PlatformFileErrors) {
    tk::TempRoot root;
    tk::RunResult r = mp::runMp({"19", root.file("none")}, root);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Cannot open " + root.file("none") + "(No such file or directory)\n");
    for (const std::string bad : {"sun4u A\nsun4v\n", "\n", ""}) {
        r = mp::runMp({"19", root.write("plat", bad)}, root);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, mp::kBin + " 19: Wrong platform file\n") << bad;
    }
    r = mp::runMp({"19", root.write("plat", std::string(20, 'n') + " too long a name\n")}, root);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, mp::kBin + " 19: Wrong platform file: the name on line 1 is longer than 19 characters\n");
    r = mp::runMp({"19", root.write("plat", "sun4v V\nx86\x1b X\n")}, root);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, mp::kBin + " 19: Wrong platform file: the name on line 2 holds a control character\n");
}

// A FIFO named as the file to read is refused at once: the run must not
// wait for a writer (runMp's deadline turns a wait into a failure).
TEST(Start, FifosAreRefusedWithoutWaiting) {
    tk::TempRoot root;
    const std::string fifo = root.file("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"19", fifo}, {"24", fifo, "caption"}, {"22", fifo}}) {
        tk::RunResult r = mp::runMp(args, root);
        EXPECT_FALSE(r.timedOut) << args[0];
        EXPECT_EQ(r.code, 1) << r.describe();
        EXPECT_EQ(r.err, "File " + fifo + " is not a regular file.\n");
    }
}

TEST(Start, MessageFileErrors) {
    tk::TempRoot root;
    tk::RunResult r = mp::runMp({"24", root.file("none"), "caption"}, root);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Cannot open file " + root.file("none") + "(No such file or directory)\n");
    r = mp::runMp({"24", root.path(), "caption"}, root);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "File " + root.path() + " is not a regular file.\n");
}

// form.status: missing -> created and reset; short -> reset; whole -> read.
// The platform form shows which: it preselects a stored choice, otherwise
// the "sun4v" line.
class StatusFileStart : public ::testing::Test {
protected:
    tk::TempRoot root;
    std::string plat = root.write("plat", "sun4u U\nsun4v V\nx86 X\n");

    std::string preselected() {
        tk::GuiApp app(mp::argv({"19", plat}), mp::env(root));
        app.waitMapped("topPlatOK");
        std::string set;
        for (const char* t : {"0", "1", "2"})
            if (app.toggle(t)) set += t;
        app.click("topPlatMainMenu");
        tk::RunResult r = app.waitExit();
        EXPECT_EQ(r.code, 250) << r.describe();
        return set;
    }
};

TEST_F(StatusFileStart, MissingFileIsCreatedWithAResetRecord) {
    EXPECT_EQ(preselected(), "1");
    tk::StatusFile st = mp::status(root);
    EXPECT_EQ(st.bytes().size(), 524u);
    for (const char* f : {"mainMenuAction", "infoSource", "selProdSort", "spare20", "spare24",
                          "listInstSort", "rmInstSort", "configChoice"})
        EXPECT_EQ(st.named(f), 99) << f;
    EXPECT_EQ(st.named("platformIndex"), 1);
    EXPECT_EQ(st.named("numSelNames"), 0);
}

TEST_F(StatusFileStart, ShortFileIsReset) {
    tk::StatusFile st = tk::StatusFile::blank().set("platformIndex", 2).set("spare20", 7);
    root.write(mp::kStatus, st.bytes().substr(0, 100));
    EXPECT_EQ(preselected(), "1");
    EXPECT_EQ(mp::status(root).named("spare20"), 99);
}

TEST_F(StatusFileStart, WholeRecordWrittenByHandIsRead) {
    tk::StatusFile st = tk::StatusFile::blank()
                            .set("platformIndex", 2)
                            .set("spare20", 0x01020304)
                            .set("mainMenuAction", 23);
    st.setEmail("/home/u/mail");
    st.save(root.file(mp::kStatus));
    EXPECT_EQ(preselected(), "2");
    tk::StatusFile back = mp::status(root);
    EXPECT_EQ(back.named("spare20"), 0x01020304);
    EXPECT_EQ(back.named("mainMenuAction"), 23);
    EXPECT_EQ(back.emailFile(), "/home/u/mail");
    EXPECT_EQ(back.named("platformIndex"), 2);
}

}  // namespace
