// The e-mail browser's search without X: file-name patterns as regular
// expressions, directory listings, and the qualification of directories and
// search paths.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "core/filePattern.h"
#include "core/pathQualify.h"

namespace {

using namespace trev;
namespace fs = std::filesystem;

using Names = std::vector<std::string>;

Names sorted(Names n) {
    std::sort(n.begin(), n.end());
    return n;
}

// ---- Patterns -------------------------------------------------------------------

TEST(PatternToRegex, WildcardsDotsAndTheFirstSegment) {
    const std::pair<const char*, const char*> cases[] = {
        {"*", "^.*$"}, {"wo?.txt", "^wo.\\.txt$"}, {"WorkOrder*", "^WorkOrder.*$"},
        {"[A-Z]*.mail", "^[A-Z].*\\.mail$"}, {"*/inbox", "^.*$"}, {"", "^$"}, {"a\\?", "^a\\.$"}};
    for (auto [pattern, regex] : cases) EXPECT_EQ(patternToRegex(pattern), regex) << pattern;
}

TEST(NameMatcher, MatchesWholeNamesInBasicSyntax) {
    const struct {
        const char *pattern, *name;
        bool match;
    } cases[] = {
        {"WorkOrder*", "WorkOrder", true}, {"WorkOrder*", "WorkOrder.17", true},
        {"WorkOrder*", "OldWorkOrder", false}, {"WorkOrder*", "workorder", false},
        {"wo?.txt", "wo1.txt", true}, {"wo?.txt", "wo1xtxt", false},  // "." is no wildcard
        {"wo?.txt", "wo12.txt", false},
        {"[ab]*", "box", true}, {"[ab]*", "cab", false},
        // Basic syntax: + ( ) | are plain characters.
        {"a+(b)|c", "a+(b)|c", true}, {"a+(b)|c", "aab", false},
        // "\" escapes what follows: here the "." that "?" became.
        {"x\\?", "x.", true}, {"x\\?", "xy", false},
        // A pattern that does not compile matches everything.
        {"[ab", "anything", true}, {"[ab", "", true},
    };
    for (const auto& c : cases) EXPECT_EQ(NameMatcher(c.pattern).matches(c.name), c.match) << c.pattern << " " << c.name;
}

// ---- Listings -------------------------------------------------------------------

class Tree : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/trev_tree_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root_ = tmpl;
        for (const char* d : {"mail", ".hidden", "Archive", "mail/old", "a", "b", ".h"})
            fs::create_directory(root_ + "/" + d);
        for (const char* f : {"B", "a.txt", ".x", "A", "WorkOrder.1", "mail/inbox", "a/inbox",
                              "b/inbox", ".h/inbox", "mail/old/inbox"})
            std::ofstream(root_ + "/" + f) << "x";
        fs::create_symlink(root_ + "/mail", root_ + "/link");
        mkfifo((root_ + "/fifo").c_str(), 0600);
    }
    void TearDown() override { fs::remove_all(root_); }
    std::string root_;
};

TEST_F(Tree, DirectoryListingShowsNamesInByteOrderHiddenOnesIncluded) {
    const Names dirs = listNames(dirEntries(root_, "*", kFileDirectory, false));
    EXPECT_EQ(dirs, (Names{".", "..", ".h", ".hidden", "Archive", "a", "b", "link", "mail"}));
    const Names files = listNames(dirEntries(root_ + "/", "*", kFileRegular, false));
    EXPECT_EQ(files, (Names{".x", "A", "B", "WorkOrder.1", "a.txt"}));
    // Any type keeps the fifo too.
    const Names any = listNames(dirEntries(root_, "f*", kFileAnyType, false));
    EXPECT_EQ(any, (Names{"fifo"}));
    // Full paths, the directory joined with one "/".
    EXPECT_EQ(dirEntries(root_ + "/", "A", kFileRegular, false), (Names{root_ + "/A"}));
}

TEST(ListNames, NamesThatCannotBeChosenAsTheyAreAreLeftOut) {
    // A line feed or tab would be dropped from the chosen name, which would
    // then name "filenl" or "tabx" instead; a directory part may hold them
    // (and sorts by its bytes: "\n" before "/").
    EXPECT_EQ(listNames({"/d/file\nnl", "/d/filenl", "/d/tab\tx", "/d/tabx", "/d\nx/inbox"}),
              (Names{"inbox", "filenl", "tabx"}));
}

TEST_F(Tree, LeadingDotsAreMatchedOnlyByALeadingDotWhenSpecial) {
    EXPECT_EQ(listNames(dirEntries(root_, "*", kFileDirectory, true)),
              (Names{"Archive", "a", "b", "link", "mail"}));
    EXPECT_EQ(listNames(dirEntries(root_, ".h*", kFileDirectory, true)), (Names{".h", ".hidden"}));
}

TEST_F(Tree, DirectoryWildcardsSearchEveryMatchingSubdirectory) {
    const Names inboxes = buildFileList(root_ + "/", "*/inbox", kFileRegular);
    EXPECT_EQ(sorted(inboxes), (Names{root_ + "/a/inbox", root_ + "/b/inbox",
                                      root_ + "/link/inbox", root_ + "/mail/inbox"}));
    EXPECT_EQ(listNames(inboxes), (Names{"inbox", "inbox", "inbox", "inbox"}));
    // A hidden directory is searched only by a pattern starting with ".".
    EXPECT_EQ(buildFileList(root_, ".h/inbox", kFileRegular), (Names{root_ + "/.h/inbox"}));
    EXPECT_EQ(buildFileList(root_, ".h*/inbox", kFileRegular), (Names{root_ + "/.h/inbox"}));
    EXPECT_EQ(buildFileList(root_, "?h/inbox", kFileRegular), (Names{}));
    EXPECT_EQ(sorted(buildFileList(root_, "*/*/inbox", kFileRegular)),
              (Names{root_ + "/link/old/inbox", root_ + "/mail/old/inbox"}));
    EXPECT_TRUE(buildFileList(root_, "m*/none", kFileRegular).empty());
}

TEST_F(Tree, UnreadableOrMissingDirectoriesListNothing) {
    EXPECT_TRUE(dirEntries(root_ + "/none", "*", kFileDirectory, false).empty());
    EXPECT_TRUE(dirEntries(root_ + "/A", "*", kFileAnyType, false).empty());
    EXPECT_TRUE(buildFileList(root_ + "/none", "*/inbox", kFileRegular).empty());
}

// ---- Qualification ------------------------------------------------------------------

// Runs the test body with the working directory changed, and changes back.
class InDir : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = open(".", O_RDONLY | O_DIRECTORY);
        ASSERT_GE(saved_, 0);
        char tmpl[] = "/tmp/trev_cwd_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        fs::create_directories(dir_ + "/u/mail");
        ASSERT_EQ(chdir((dir_ + "/u/mail").c_str()), 0);
    }
    void TearDown() override {
        EXPECT_EQ(fchdir(saved_), 0);
        close(saved_);
        fs::remove_all(dir_);
    }
    int saved_ = -1;
    std::string dir_;
};

TEST(FindPatternPart, FirstWildcardSegmentOrTheLast) {
    EXPECT_EQ(findPatternPart("/home/u/mail/*"), 13u);
    EXPECT_EQ(findPatternPart("/home/u/*/inbox"), 8u);
    EXPECT_EQ(findPatternPart("/home/u/wo?.txt"), 8u);
    EXPECT_EQ(findPatternPart("/home/[uv]/x"), 6u);
    EXPECT_EQ(findPatternPart("/home/u/mail"), 8u);      // no wildcard: the last segment
    EXPECT_EQ(findPatternPart("/home/u/"), 8u);          // ends in "/": empty pattern
    EXPECT_EQ(findPatternPart("*"), 0u);
    EXPECT_EQ(findPatternPart("/*"), 1u);
    EXPECT_EQ(findPatternPart(""), 0u);
    // Escaped wildcards do not count; an escaped backslash does not escape.
    EXPECT_EQ(findPatternPart("/a\\\\*b/c\\*/d"), 1u);
    EXPECT_EQ(findPatternPart("/a/c\\*/d"), 7u);
}

TEST_F(InDir, DirectoriesAreMadeAbsoluteAndClean) {
    const std::string cwd = dir_ + "/u/mail/";
    EXPECT_EQ(qualifyDir(""), cwd);
    EXPECT_EQ(qualifyDir("."), cwd);
    EXPECT_EQ(qualifyDir("./"), cwd);
    EXPECT_EQ(qualifyDir(".."), dir_ + "/u/");
    EXPECT_EQ(qualifyDir("../../u/./mail/.."), dir_ + "/u/");
    EXPECT_EQ(qualifyDir("sub//x/"), cwd + "sub/x/");
    EXPECT_EQ(qualifyDir("/"), "/");
    EXPECT_EQ(qualifyDir("/.."), "/");
    EXPECT_EQ(qualifyDir("/a/../../.."), "/");
    EXPECT_EQ(qualifyDir("/a//b///c"), "/a/b/c/");
    // Exactly two leading slashes stay; three are one.
    EXPECT_EQ(qualifyDir("//"), "//");
    EXPECT_EQ(qualifyDir("//net/x/.."), "//net/");
    EXPECT_EQ(qualifyDir("//.."), "//");
    EXPECT_EQ(qualifyDir("///a"), "/a/");
}

TEST_F(InDir, TildesNameHomeDirectories) {
    const std::string oldHome = getenv("HOME") ? getenv("HOME") : "";
    setenv("HOME", (dir_ + "/u").c_str(), 1);
    EXPECT_EQ(qualifyDir("~"), dir_ + "/u/");
    EXPECT_EQ(qualifyDir("~/mail/../x"), dir_ + "/u/x/");
    setenv("HOME", oldHome.c_str(), 1);
    if (oldHome.empty()) unsetenv("HOME");

    const passwd* pw = getpwuid(geteuid());
    ASSERT_NE(pw, nullptr);
    const std::string home = qualifyDir(pw->pw_dir);
    EXPECT_EQ(qualifyDir(std::string("~") + pw->pw_name), home);
    EXPECT_EQ(qualifyDir(std::string("~") + pw->pw_name + "/a/./b"), home + "a/b/");
    // A user without a password entry: no directory, so the root.
    EXPECT_EQ(qualifyDir("~no_such_user_trev/x"), "/");
    EXPECT_EQ(qualifyDir("~" + std::string(300, 'u')), "/");
}

TEST_F(InDir, AnUnreadableWorkingDirectoryLeavesOnlyTheRoot) {
    const std::string gone = dir_ + "/gone";
    fs::create_directory(gone);
    ASSERT_EQ(chdir(gone.c_str()), 0);
    ASSERT_EQ(rmdir(gone.c_str()), 0);
    EXPECT_EQ(currentDirectory(), std::nullopt);
    EXPECT_EQ(qualifyDir("mail"), "/");
    EXPECT_EQ(qualifyDir("."), "/");
    // Absolute directories do not need it.
    EXPECT_EQ(qualifyDir(dir_ + "/u/"), dir_ + "/u/");
    EXPECT_EQ(qualifyFileSpec("", "*").dir, "/");
}

TEST_F(InDir, FileSpecsMoveTheirDirectoryPartToTheDirectory) {
    const std::string cwd = dir_ + "/u/mail/";
    auto q = qualifyFileSpec("/home/u", "*.txt");
    EXPECT_EQ(q.dir, "/home/u/");
    EXPECT_EQ(q.pattern, "*.txt");
    q = qualifyFileSpec("/home/u/", "");
    EXPECT_EQ(q.pattern, "*");
    q = qualifyFileSpec("/home/u", "sub/");
    EXPECT_EQ(q.dir, "/home/u/sub/");
    EXPECT_EQ(q.pattern, "*");
    q = qualifyFileSpec("/home/u", "/var/mail/wo*");
    EXPECT_EQ(q.dir, "/var/mail/");
    EXPECT_EQ(q.pattern, "wo*");
    q = qualifyFileSpec("/home/u", "a/b/*/inbox");
    EXPECT_EQ(q.dir, "/home/u/a/b/");
    EXPECT_EQ(q.pattern, "*/inbox");
    q = qualifyFileSpec("/home/u", "../x");
    EXPECT_EQ(q.dir, "/home/");
    EXPECT_EQ(q.pattern, "x");
    const passwd* pw = getpwuid(geteuid());
    ASSERT_NE(pw, nullptr);
    q = qualifyFileSpec("/home/u", std::string("~") + pw->pw_name + "/in/wo*");
    EXPECT_EQ(q.dir, qualifyDir(pw->pw_dir) + "in/");
    EXPECT_EQ(q.pattern, "wo*");
    // "~name" without a "/" is a plain pattern.
    q = qualifyFileSpec("/home/u", "~bak*");
    EXPECT_EQ(q.dir, "/home/u/");
    EXPECT_EQ(q.pattern, "~bak*");
    q = qualifyFileSpec("", "*");
    EXPECT_EQ(q.dir, cwd);
}

TEST(QualifySearch, ThePathTypedOrPickedIsTakenBelowTheShownDirectory) {
    const std::string shown = "/home/u/";
    auto typed = [&](const std::string& mask) { return qualifySearch({mask, {}, {}}, shown, "*"); };
    auto q = typed("/home/u/mail/*");
    EXPECT_EQ(q.dir, "/home/u/mail/");
    EXPECT_EQ(q.pattern, "*");
    EXPECT_EQ(q.mask, "/home/u/mail/*");
    // Relative directories lie below the shown one; "~" and "$" are names.
    EXPECT_EQ(typed("mail/*").mask, "/home/u/mail/*");
    EXPECT_EQ(typed("~/mail/*").mask, "/home/u/~/mail/*");
    EXPECT_EQ(typed("$HOME/wo*").mask, "/home/u/$HOME/wo*");
    EXPECT_EQ(typed("*.txt").mask, "/home/u/*.txt");
    EXPECT_EQ(typed("").mask, "/home/u/*");
    EXPECT_EQ(typed("/*").mask, "/*");
    EXPECT_EQ(typed("/home/u/*/inbox").dir, "/home/u/");
    EXPECT_EQ(typed("/home/u/*/inbox").pattern, "*/inbox");
    EXPECT_EQ(typed("/home/u/wo?.txt/*").mask, "/home/u/wo?.txt/*");

    // A directory picked from the list (a bare name) replaces the mask's
    // directory; the pattern stays.
    auto picked = [&](const std::string& mask, const std::string& dir) {
        return qualifySearch({mask, dir, {}}, "/home/u/mail/", "*");
    };
    EXPECT_EQ(picked("/home/u/mail/wo*", "old").mask, "/home/u/mail/old/wo*");
    EXPECT_EQ(picked("/home/u/mail/*", "..").mask, "/home/u/*");
    EXPECT_EQ(picked("/home/u/mail/*", ".").mask, "/home/u/mail/*");
    EXPECT_EQ(picked("/home/u/mail/*", ".hidden").dir, "/home/u/mail/.hidden/");
    EXPECT_EQ(picked("/x/*", "/var/mail").mask, "/var/mail/*");

    // No mask: what the box shows; a given pattern replaces its own.
    EXPECT_EQ(qualifySearch({}, "/home/u/", "wo*").mask, "/home/u/wo*");
    EXPECT_EQ(qualifySearch({{}, {}, std::string("x*")}, "/home/u/", "wo*").mask, "/home/u/x*");
    EXPECT_EQ(qualifySearch({std::string("/a/*"), std::string("/b"), std::string("c*")}, "/home/u/", "*").mask,
              "/b/c*");
}

TEST(QualifySearch, LongPathsAreHandledWhole) {
    const std::string deep = "/" + std::string(600, 'd') + "/" + std::string(700, 'e');
    auto q = qualifySearch({deep + "/*", {}, {}}, "/home/u/", "*");
    EXPECT_EQ(q.mask, deep + "/*");
    q = qualifySearch({std::string(2000, 'r') + "/*", {}, {}}, "/" + std::string(1000, 's') + "/", "*");
    EXPECT_EQ(q.dir, "/" + std::string(1000, 's') + "/" + std::string(2000, 'r') + "/");
}

TEST(TidySearchPath, OnlyAStarKeepsAPathFromBeingTakenAsADirectory) {
    EXPECT_EQ(tidySearchPath("/home/u/mail"), "/home/u/mail/*");
    EXPECT_EQ(tidySearchPath("/home/u/wo?.txt"), "/home/u/wo?.txt/*");
    EXPECT_EQ(tidySearchPath("/home/u/[ab]"), "/home/u/[ab]/*");
    EXPECT_EQ(tidySearchPath("/home/u/mail/"), "/home/u/mail/");
    EXPECT_EQ(tidySearchPath("/home/u/*/inbox"), "/home/u/*/inbox");
    EXPECT_EQ(tidySearchPath("a*b"), "a*b");
    EXPECT_EQ(tidySearchPath(""), "");
    const std::string longPath(5000, 'p');
    EXPECT_EQ(tidySearchPath(longPath), longPath + "/*");
}

TEST(BrowserStartDir, TheEarlierEmailFileWinsOverTheEnvironment) {
    EXPECT_EQ(browserStartDir("/var/mail/wo.txt", "/tmp"), "/var/mail");
    EXPECT_EQ(browserStartDir("/var/mail/wo.txt", nullptr), "/var/mail");
    EXPECT_EQ(browserStartDir("mail/wo.txt", nullptr), "mail");
    EXPECT_EQ(browserStartDir("/wo.txt", "/tmp"), "/");
    EXPECT_EQ(browserStartDir("", "/tmp"), "/tmp");
    EXPECT_EQ(browserStartDir("", nullptr), std::nullopt);
    // A name without a directory gives none, the environment is not asked.
    EXPECT_EQ(browserStartDir("wo.txt", "/tmp"), std::nullopt);
}

}  // namespace
