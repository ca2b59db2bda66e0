// mainpanel's start as scripts see it, with no form shown: the display
// test and the prompt for a display, every form type's word count, and the
// refusals at start (exit 1, the reason on standard error, nothing on
// standard output).
#include <sys/stat.h>

#include <filesystem>
#include <regex>

#include "mpTest.h"

namespace {

// DISPLAY for a display number on which no server runs.
std::string deadDisplay() {
    for (int n = 4095; n > 4000; --n)
        if (!tk::displayAnswers(":" + std::to_string(n))) return ":" + std::to_string(n);
    throw std::runtime_error("no free display number");
}

tk::RunResult runMp(const std::vector<std::string>& args, const tk::TempRoot& root,
                    const std::map<std::string, std::string>& env = {}) {
    tk::Spawn s = mp::spawn(args, root, tk::XServer::shared().display());
    for (const auto& [k, v] : env) {
        s.env.erase(k);
        if (v.empty()) s.unset.push_back(k);
        else s.env[k] = mp::expand(v, root);
    }
    return tk::run(s, std::chrono::seconds(20));
}

// A word count that each form type refuses, with the program name and the
// form type counted: exit 1 and the form's usage line, which names the
// form type after the program.
TEST(Cli, EveryFormTypeChecksItsWordCount) {
    const std::pair<int, int> cases[] = {{0, 7},  {1, 6},  {1, 8},  {2, 5},  {3, 5},  {4, 8},  {5, 5},  {6, 6},
                                         {8, 2},  {9, 5},  {10, 4}, {11, 3}, {12, 5}, {13, 3}, {14, 5}, {15, 4},
                                         {17, 4}, {18, 6}, {19, 2}, {21, 3}, {22, 4}, {23, 3}, {24, 3}};
    tk::TempRoot root;
    for (const auto& [type, words] : cases) {
        std::vector<std::string> args{std::to_string(type)};
        while (args.size() + 1 < static_cast<std::size_t>(words)) args.push_back("w");
        tk::RunResult r = runMp(args, root);
        EXPECT_EQ(r.code, 1) << "type " << type << ": " << r.describe();
        EXPECT_TRUE(std::regex_match(r.err + r.out, std::regex("(Usage|USAGE): \\S*mainpanel " + args[0] + " [^\n]*\n")))
            << r.err;
    }
}

// One refusal at start of each kind.  "%R" is the root, "%B" the program;
// an empty value in env unsets the variable.  A selection file named is
// opened (emptied) first.
TEST(Cli, RefusalsAtStart) {
    tk::TempRoot root;
    mp::writeCatalogue(root);
    root.write("six", "P aux six 1 v1 t2\n");
    root.write("plat", "sun4v V\nx86\x1b X\n");
    root.write("plat2", std::string(20, 'n') + " too long a name\n");
    root.write("labels", "CD 1\n" + std::string(300000, 'L') + "\n");
    std::filesystem::create_symlink(root.write("etc-file", "precious\n"), root.file("link"));
    std::string orders;
    for (int i = 1; i <= 250; ++i) orders += "WO" + std::to_string(i) + " sun4v\n";
    root.write("wo", orders);
    ASSERT_EQ(mkfifo(root.file("fifo").c_str(), 0600), 0);
    const std::string none = "(No such file or directory)\n", sel = "%R/sel";
    const struct {
        std::vector<std::string> args;
        std::map<std::string, std::string> env;
        std::string err;
    } cases[] = {
        // The usage line is said before the display is opened.
        {{}, {{"DISPLAY", deadDisplay()}}, "Usage: %B formType\n"},
        {{"7", "a"}, {}, "Feature 7 is not supported yet.\n"},
        {{"10", "noSys"}, {}, "USAGE: %B 10 [[noSys] [noUser]].\n"},
        // A toolkit option after the form type is not one of the form's words.
        {{"23", "-bg", "red", "x"}, {}, "Usage: %B 23 [default inst prompt] [custome inst promp]>\n"},
        {{"23"}, {{"Proot", ""}}, "Installation root is not set.\n"},
        {{"23"}, {{"Proot", "%R/" + std::string(500, 'r')}}, "Installation root %R/" + std::string(500, 'r') +
             " is too long: the path of form.status would exceed 511 characters.\n"},
        {{"23"}, {{"Proot", "%R/prods"}}, "Cannot create file %R/prods/install/tmp/form.status(Not a directory)\n"},
        {{"1", "3", "0", "h\t:/dev/rmt/0", "0", "0"}, {}, "%B 1: argument 3 holds a control character (a line feed, "
                                                        "a tab, ...); a device name cannot.\n"},
        {{"4", "CDROM", "1", "/dev/sr0", "0", "C", "CDROM", "1", "/d", "0", "C"}, {},
         "Usage: argv[0] formType CDROM # cdDev 1/0 labels TAPE # tapeDev 1/0 labels\n"},
        {{"15", "cdrom", "label", "/dev/fd0"}, {}, "Illegal media type cdrom\n"},
        {{"1", "6", "5", "/dev/rmt/0", "0", "0"}, {}, "Unknown product infomation: 6\n"},
        {{"19", "%R/none"}, {}, "Cannot open %R/none" + none},
        {{"19", "%R/plat2"}, {}, "%B 19: Wrong platform file: the name on line 1 is longer than 19 characters\n"},
        {{"19", "%R/plat"}, {}, "%B 19: Wrong platform file: the name on line 2 holds a control character\n"},
        // A FIFO is refused at once, never waited on.
        {{"22", "%R/fifo"}, {}, "File %R/fifo is not a regular file.\n"},
        {{"24", "%R/none", "caption"}, {}, "Cannot open file %R/none" + none},
        {{"22", "%R/wo"}, {}, "Work order list %R/wo has 250 lines; at most 249 can be offered.\n"},
        {{"21", "2", "%R/labels"}, {}, "Line 2 of %R/labels is longer than 511 characters.\n"},
        {{"11", "%R/prods", "%R/link"}, {}, "Cannot open %R/link: it is a symbolic link, which is not written "
                                            "through(Too many levels of symbolic links)\n"},
        {{"2", "%R/prods", sel, "100", "wo"}, {{"OVS_INST_PLAT", ""}}, "Installation platform not specified.\n"},
        {{"18", "%R/prods", sel, "100"}, {{"OVS_INST_PLAT", std::string(500, 'p')}}, "Installation platform " +
             std::string(500, 'p') + " is too long: the catalogue paths would exceed 511 characters.\n"},
        {{"18", "%R/six", sel, "100"}, {}, "Unknown product status  for product six.\n"},
        {{"2", "%R/prods", sel, "100", "wo"}, {{"OVS_INST_PLAT", "x"}}, "Cannot open bundle file %R/install/tmp/bundles.x" + none},
        {{"2", "%R/prods", sel, "99999999999999999999", "wo"}, {}, "%B 2: free disk space 99999999999999999999 is out of range.\n"},
    };
    for (const auto& c : cases) {
        root.write("sel", "stale\n");
        std::map<std::string, std::string> env{{"OVS_INST_PLAT", "sun4v"}};
        for (const auto& [k, v] : c.env) env[k] = v;
        tk::RunResult r = runMp(c.args, root, env);
        EXPECT_EQ(r.code, 1) << r.describe();
        EXPECT_EQ(r.err + r.out, mp::expand(c.err, root));
        EXPECT_EQ(root.read("sel"), c.args.size() > 2 && c.args[2] == sel ? "" : "stale\n");
    }
    EXPECT_EQ(root.read("etc-file"), "precious\n");
}

// The display test (-1, needing no root): 0 with a display, 249 without,
// nothing said.  Without a display a form asks for one on standard error
// (standard output holds only a form's answer): one retry per Return; the
// end of the input ends the run.  No file is touched.
TEST(Cli, DisplayTestAndPrompt) {
    const std::string dead = deadDisplay(), prompt = mp::kBin + ": Open display failed. Press <return> to continue ->";
    const struct {
        std::string type, display, input;
        int code;
        std::string err;
    } cases[] = {
        {"-1", tk::XServer::shared().display(), "", 0, ""},
        {"-1", dead, "", 249, ""},
        {"0", dead, "ab\n", 1, prompt + "Press <return> to continue ->Press <return> to continue ->" + mp::kBin +
                                   ": Open display failed again.\n"},
        {"0", dead, "", 1, prompt + "\n" + mp::kBin + ": Open display failed and standard input ended.\n"},
    };
    for (const auto& c : cases) {
        tk::TempRoot root;
        tk::Spawn s = mp::spawn({c.type, "20", "1", "1", "1", "1", "1"}, root, c.display);
        if (c.type == "-1") {
            s.env.erase("Proot");
            s.unset.push_back("Proot");
        }
        s.stdinData = c.input;
        const tk::RunResult r = tk::run(s);
        EXPECT_EQ(r.code, c.code) << r.describe();
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(root.exists(mp::kStatus));
    }
}

}  // namespace
