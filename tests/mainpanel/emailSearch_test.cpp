// The e-mail browser's search without X: file-name patterns as regular
// expressions, directory listings, and the qualification of directories and
// search paths.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "TempRoot.h"
#include "core/filePattern.h"
#include "core/pathQualify.h"

namespace {

using namespace trev;
namespace fs = std::filesystem;
using Names = std::vector<std::string>;

TEST(Pattern, TheFirstSegmentAsAnAnchoredBasicExpression) {
    const std::pair<const char*, const char*> regexes[] = {
        {"wo?.txt", "^wo.\\.txt$"}, {"[A-Z]*.mail", "^[A-Z].*\\.mail$"}, {"*/inbox", "^.*$"}, {"", "^$"}};
    for (auto [pattern, regex] : regexes) EXPECT_EQ(patternToRegex(pattern), regex) << pattern;
    const struct {
        const char *pattern, *name;
        bool match;
    } cases[] = {
        {"WorkOrder*", "WorkOrder.17", true}, {"WorkOrder*", "OldWorkOrder", false},
        {"WorkOrder*", "workorder", false},   {"wo?.txt", "wo1.txt", true},
        {"wo?.txt", "wo1xtxt", false},        {"wo?.txt", "wo12.txt", false},
        {"[ab]*", "box", true},               {"[ab]*", "cab", false},
        {"a+(b)|c", "a+(b)|c", true},         {"a+(b)|c", "aab", false},   // basic syntax
        {"x\\?", "x.", true},                 {"x\\?", "xy", false},       // "\" escapes the "."
        {"[ab", "anything", true},            // a pattern that does not compile matches all
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameMatcher(c.pattern).matches(c.name), c.match) << c.pattern << " " << c.name;
}

TEST(Listing, NamesInByteOrderByTypeHiddenOnesOnlyForALeadingDot) {
    tk::TempRoot tree;
    const std::string r = tree.mkdir("t");
    for (const char* d : {".hidden", "Archive", "mail/old", "a", "b", ".h"}) tree.mkdir("t/" + std::string(d));
    for (const char* f : {"B", "a.txt", ".x", "A", "WorkOrder.1", "mail/inbox", "a/inbox", "b/inbox",
                          ".h/inbox", "mail/old/inbox"})
        tree.write("t/" + std::string(f), "x");
    fs::create_symlink(r + "/mail", r + "/link");
    mkfifo((r + "/fifo").c_str(), 0600);
    const struct {
        std::string dir, pattern;
        int type;
        bool dotsSpecial;
        Names names;
    } listings[] = {
        {r, "*", kFileDirectory, false, {".", "..", ".h", ".hidden", "Archive", "a", "b", "link", "mail"}},
        {r + "/", "*", kFileRegular, false, {".x", "A", "B", "WorkOrder.1", "a.txt"}},
        {r, "f*", kFileAnyType, false, {"fifo"}},
        {r, "*", kFileDirectory, true, {"Archive", "a", "b", "link", "mail"}},
        {r, ".h*", kFileDirectory, true, {".h", ".hidden"}},
        {r + "/none", "*", kFileDirectory, false, {}},
        {r + "/A", "*", kFileAnyType, false, {}},
    };
    for (const auto& l : listings)
        EXPECT_EQ(listNames(dirEntries(l.dir, l.pattern, l.type, l.dotsSpecial)), l.names) << l.dir << " " << l.pattern;
    EXPECT_EQ(dirEntries(r + "/", "A", kFileRegular, false), (Names{r + "/A"}));
    // Directory wildcards search every matching subdirectory; a hidden one
    // only for a pattern starting with ".".
    const std::pair<std::string, Names> searches[] = {
        {"*/inbox", {"/a/inbox", "/b/inbox", "/link/inbox", "/mail/inbox"}},
        {".h*/inbox", {"/.h/inbox"}},
        {"?h/inbox", {}},
        {"*/*/inbox", {"/link/old/inbox", "/mail/old/inbox"}},
        {"m*/none", {}},
    };
    for (const auto& [pattern, paths] : searches) {
        Names found = buildFileList(r + "/", pattern, kFileRegular);
        std::sort(found.begin(), found.end());
        for (auto& p : found) p = p.substr(r.size());
        EXPECT_EQ(found, paths) << pattern;
    }
    EXPECT_TRUE(buildFileList(r + "/none", "*/inbox", kFileRegular).empty());
    // A line feed or tab would be dropped from a chosen name, which would
    // then name another file: such names are left out.
    EXPECT_EQ(listNames({"/d/file\nnl", "/d/filenl", "/d/tab\tx", "/d\nx/inbox"}), (Names{"inbox", "filenl"}));
}

TEST(FindPatternPart, FirstWildcardSegmentOrTheLast) {
    const std::pair<const char*, std::size_t> cases[] = {
        {"/home/u/mail/*", 13}, {"/home/u/*/inbox", 8}, {"/home/[uv]/x", 6}, {"/home/u/mail", 8},
        {"/home/u/", 8},        {"*", 0},               {"/*", 1},           {"", 0},
        {"/a\\\\*b/c\\*/d", 1},  // an escaped backslash does not escape
        {"/a/c\\*/d", 7},        // an escaped wildcard does not count
    };
    for (auto [spec, at] : cases) EXPECT_EQ(findPatternPart(spec), at) << spec;
}

TEST(Qualify, DirectoriesAbsoluteAndCleanFileSpecsSplit) {
    tk::TempRoot tmp;
    const int saved = open(".", O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(chdir(tmp.mkdir("u/mail").c_str()), 0);
    const std::string u = tmp.file("u/"), cwd = u + "mail/";
    const passwd* pw = getpwuid(geteuid());
    const std::string home = qualifyDir(pw->pw_dir), me = pw->pw_name;
    const std::string oldHome = getenv("HOME") ? getenv("HOME") : "/";
    setenv("HOME", u.c_str(), 1);
    const std::pair<std::string, std::string> dirs[] = {
        {"", cwd}, {"./", cwd}, {"..", u}, {"../../u/./mail/..", u}, {"sub//x/", cwd + "sub/x/"},
        {"/..", "/"}, {"/a/../../..", "/"}, {"/a//b///c", "/a/b/c/"},
        {"//", "//"}, {"//net/x/..", "//net/"}, {"///a", "/a/"},   // exactly two leading slashes stay
        {"~", u}, {"~/mail/../x", u + "x/"}, {"~" + me + "/a/./b", home + "a/b/"},
        {"~no_such_user_trev/x", "/"}, {"~" + std::string(300, 'u'), "/"},
    };
    for (const auto& [dir, qualified] : dirs) EXPECT_EQ(qualifyDir(dir), qualified) << dir;
    const struct {
        std::string dir, pattern, qdir, qpattern;
    } specs[] = {
        {"/home/u", "*.txt", "/home/u/", "*.txt"}, {"/home/u/", "", "/home/u/", "*"},
        {"/home/u", "sub/", "/home/u/sub/", "*"},  {"/home/u", "/var/mail/wo*", "/var/mail/", "wo*"},
        {"/home/u", "a/b/*/inbox", "/home/u/a/b/", "*/inbox"}, {"/home/u", "../x", "/home/", "x"},
        {"/home/u", "~" + me + "/in/wo*", home + "in/", "wo*"},
        {"/home/u", "~bak*", "/home/u/", "~bak*"},   // "~name" without "/" is a plain pattern
        {"", "*", cwd, "*"},
    };
    for (const auto& s : specs) {
        const QualifiedSpec q = qualifyFileSpec(s.dir, s.pattern);
        EXPECT_EQ(std::make_pair(q.dir, q.pattern), std::make_pair(s.qdir, s.qpattern)) << s.pattern;
    }
    // An unreadable working directory leaves only the root.
    const std::string gone = tmp.mkdir("gone");
    ASSERT_EQ(chdir(gone.c_str()), 0);
    ASSERT_EQ(rmdir(gone.c_str()), 0);
    EXPECT_EQ(currentDirectory(), std::nullopt);
    EXPECT_EQ(qualifyDir("mail"), "/");
    EXPECT_EQ(qualifyDir(u), u);
    EXPECT_EQ(fchdir(saved), 0);
    close(saved);
    setenv("HOME", oldHome.c_str(), 1);
}

TEST(QualifySearch, ThePathTypedOrPickedIsTakenBelowTheShownDirectory) {
    const std::string deep = "/" + std::string(600, 'd') + "/" + std::string(700, 'e');
    const struct {
        SearchRequest request;
        std::string shownDir, shownPattern, mask, dir;
    } cases[] = {
        {{"/home/u/mail/*", {}, {}}, "/home/u/", "*", "/home/u/mail/*", "/home/u/mail/"},
        // Relative directories lie below the shown one; "~" and "$" are names.
        {{"mail/*", {}, {}}, "/home/u/", "*", "/home/u/mail/*", "/home/u/mail/"},
        {{"~/mail/*", {}, {}}, "/home/u/", "*", "/home/u/~/mail/*", "/home/u/~/mail/"},
        {{"$HOME/wo*", {}, {}}, "/home/u/", "*", "/home/u/$HOME/wo*", "/home/u/$HOME/"},
        {{"", {}, {}}, "/home/u/", "*", "/home/u/*", "/home/u/"},
        {{"/*", {}, {}}, "/home/u/", "*", "/*", "/"},
        {{"/home/u/*/inbox", {}, {}}, "/home/u/", "*", "/home/u/*/inbox", "/home/u/"},
        {{"/home/u/wo?.txt/*", {}, {}}, "/home/u/", "*", "/home/u/wo?.txt/*", "/home/u/"},
        // A directory picked from the list replaces the mask's; the pattern stays.
        {{"/home/u/mail/wo*", "old", {}}, "/home/u/mail/", "*", "/home/u/mail/old/wo*", "/home/u/mail/old/"},
        {{"/home/u/mail/*", "..", {}}, "/home/u/mail/", "*", "/home/u/*", "/home/u/"},
        {{"/x/*", "/var/mail", {}}, "/home/u/", "*", "/var/mail/*", "/var/mail/"},
        // No mask: what the box shows; a given pattern replaces its own.
        {{}, "/home/u/", "wo*", "/home/u/wo*", "/home/u/"},
        {{{}, {}, "x*"}, "/home/u/", "wo*", "/home/u/x*", "/home/u/"},
        {{"/a/*", "/b", "c*"}, "/home/u/", "*", "/b/c*", "/b/"},
        // Long paths are handled whole.
        {{deep + "/*", {}, {}}, "/home/u/", "*", deep + "/*", deep + "/"},
    };
    for (const auto& c : cases) {
        const QualifiedSearch q = qualifySearch(c.request, c.shownDir, c.shownPattern);
        EXPECT_EQ(q.mask, c.mask) << c.request.mask.value_or("(none)").substr(0, 30);
        EXPECT_EQ(q.dir, c.dir) << c.request.mask.value_or("(none)").substr(0, 30);
    }
}

TEST(TidySearchPath, OnlyAStarKeepsAPathFromBeingTakenAsADirectory) {
    const std::string longPath(5000, 'p');
    const std::pair<std::string, std::string> cases[] = {
        {"/home/u/mail", "/home/u/mail/*"}, {"/home/u/wo?.txt", "/home/u/wo?.txt/*"},
        {"/home/u/mail/", "/home/u/mail/"}, {"/home/u/*/inbox", "/home/u/*/inbox"},
        {"a*b", "a*b"}, {"", ""}, {longPath, longPath + "/*"}};
    for (const auto& [path, tidy] : cases) EXPECT_EQ(tidySearchPath(path), tidy) << path.substr(0, 20);
}

TEST(BrowserStartDir, TheEarlierEmailFileWinsOverTheEnvironment) {
    const struct {
        const char *emailFile, *env;
        std::optional<std::string> dir;
    } cases[] = {
        {"/var/mail/wo.txt", "/tmp", "/var/mail"}, {"mail/wo.txt", nullptr, "mail"},
        {"/wo.txt", "/tmp", "/"},                  {"", "/tmp", "/tmp"},
        {"", nullptr, std::nullopt},
        {"wo.txt", "/tmp", std::nullopt},   // a name without a directory: the environment is not asked
    };
    for (const auto& c : cases) EXPECT_EQ(browserStartDir(c.emailFile, c.env), c.dir) << c.emailFile;
}

}  // namespace
