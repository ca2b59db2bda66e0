// The e-mail browser's search without X: file-name patterns, directory
// listings, and the qualification of directories and search paths.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "TempRoot.h"
#include "core/filePattern.h"
#include "core/pathQualify.h"

using namespace trev;
using Names = std::vector<std::string>;

TEST(Pattern, TheFirstSegmentAsAnAnchoredBasicExpression) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"WorkOrder*", "WorkOrder.17", true}, {"WorkOrder*", "OldWorkOrder", false}, {"wo?.txt", "wo1.txt", true},
        {"wo?.txt", "wo1xtxt", false},        {"[ab]*", "cab", false},
        {"a+(b)|c", "a+(b)|c", true},         {"a+(b)|c", "aab", false},  // basic syntax
        {"x\\?", "x.", true},                 {"x\\?", "xy", false},      // "\" escapes the "." of "?"
        {"[ab", "anything", true},            // a pattern that does not compile matches all
        {"m*/inbox", "mail", true},           {"m*/inbox", "inbox", false}};   // its first segment only
    for (auto [pattern, name, match] : cases) EXPECT_EQ(NameMatcher(pattern).matches(name), match) << pattern << " " << name;
}

TEST(Listing, NamesInByteOrderByTypeHiddenOnesOnlyForALeadingDot) {
    tk::TempRoot tree;
    const std::string r = tree.mkdir("t");
    for (const char* f : {"B", "a.txt", ".x", "A", "Archive/", "mail/inbox", "a/inbox", ".h/inbox", "mail/old/inbox"})
        tree.write("t/" + std::string(f) + "x", "x");
    std::filesystem::create_symlink(r + "/mail", r + "/link");
    mkfifo((r + "/fifo").c_str(), 0600);
    const std::tuple<std::string, int, bool, Names> listings[] = {
        {"*", kFileDirectory, false, {".", "..", ".h", "Archive", "a", "link", "mail"}},
        {"*", kFileRegular, false, {".xx", "Ax", "Bx", "a.txtx"}},
        {"f*", kFileAnyType, false, {"fifo"}},
        {".h*", kFileDirectory, true, {".h"}}};
    for (const auto& [pattern, type, dots, names] : listings)
        EXPECT_EQ(listNames(dirEntries(r, pattern, type, dots)), names) << pattern << " " << type << dots;
    EXPECT_EQ(dirEntries(r + "/", "Ax", kFileRegular, false), (Names{r + "/Ax"}));
    EXPECT_TRUE(dirEntries(r + "/none", "*", kFileAnyType, false).empty());
    // Directory wildcards search every matching subdirectory; a hidden one
    // only for a pattern starting with ".".
    const std::pair<std::string, Names> searches[] = {
        {"*/inboxx", {"/a/inboxx", "/link/inboxx", "/mail/inboxx"}}, {".h*/inboxx", {"/.h/inboxx"}},
        {"?h/inboxx", {}}, {"*/*/inboxx", {"/link/old/inboxx", "/mail/old/inboxx"}}};
    for (const auto& [pattern, paths] : searches) {
        Names found = buildFileList(r + "/", pattern, kFileRegular);
        std::sort(found.begin(), found.end());
        for (auto& p : found) p = p.substr(r.size());
        EXPECT_EQ(found, paths) << pattern;
    }
    // A line feed or tab would be dropped from a chosen name: left out.
    EXPECT_EQ(listNames({"/d/file\nnl", "/d/filenl", "/d/tab\tx", "/d\nx/inbox"}), (Names{"inbox", "filenl"}));
}

TEST(Qualify, PatternPartDirectoriesAndFileSpecs) {
    tk::TempRoot tmp;
    const int saved = open(".", O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(chdir(tmp.mkdir("u/mail").c_str()), 0);
    const std::string u = tmp.file("u/"), cwd = u + "mail/", oldHome = getenv("HOME") ? getenv("HOME") : "/";
    setenv("HOME", u.c_str(), 1);
    const std::pair<std::string, std::string> dirs[] = {
        {"", cwd}, {"../../u/./mail/..", u}, {"sub//x/", cwd + "sub/x/"}, {"/a/../../..", "/"},
        {"//net/x/..", "//net/"}, {"///a", "/a/"},   // exactly two leading slashes stay
        {"~/mail/../x", u + "x/"}, {"~no_such_user_trev/x", "/"}};
    for (const auto& [dir, qualified] : dirs) EXPECT_EQ(qualifyDir(dir), qualified) << dir;
    // Leading segments without a wildcard move to the directory.
    const std::tuple<std::string, std::string, std::string> specs[] = {
        {"", "/home/u/", "*"}, {"/var/mail/wo*", "/var/mail/", "wo*"},
        {"a/b/*/inbox", "/home/u/a/b/", "*/inbox"}, {"../x", "/home/", "x"},
        {"~/in/wo*", u + "in/", "wo*"}, {"~bak*", "/home/u/", "~bak*"},
        {"a\\\\*b/c", "/home/u/", "a\\\\*b/c"},   // an escaped backslash does not escape
        {"c\\*/d*", "/home/u/c\\*/", "d*"}};         // an escaped wildcard does not count
    for (const auto& [pattern, dir, rest] : specs) {
        const QualifiedSpec q = qualifyFileSpec("/home/u", pattern);
        EXPECT_EQ(q.dir + "|" + q.pattern, dir + "|" + rest) << pattern;
    }
    // An unreadable working directory leaves only the root.
    const std::string gone = tmp.mkdir("gone");
    ASSERT_EQ(chdir(gone.c_str()), 0);
    ASSERT_EQ(rmdir(gone.c_str()), 0);
    EXPECT_EQ(qualifyDir("mail") + qualifyDir(u), "/" + u);
    EXPECT_EQ(fchdir(saved), 0);
    close(saved);
    setenv("HOME", oldHome.c_str(), 1);
}

TEST(QualifySearch, TypedOrPickedPathsBelowTheShownDirectoryAndTheirTidyUp) {
    const std::string deep = "/" + std::string(600, 'd') + "/" + std::string(700, 'e');
    const std::pair<SearchRequest, std::string> cases[] = {
        {{"$HOME/wo*", {}, {}}, "/home/u/$HOME/wo*"}, {{"/*", {}, {}}, "/*"},
        {{"/home/u/mail/wo*", "old", {}}, "/home/u/old/wo*"}, {{"/x/*", "/var/mail", {}}, "/var/mail/*"},
        {{}, "/home/u/wo*"}, {{"/a/*", "/b", "c*"}, "/b/c*"},
        {{deep + "/*", {}, {}}, deep + "/*"}};
    for (const auto& [request, mask] : cases)
        EXPECT_EQ(qualifySearch(request, "/home/u/", "wo*").mask, mask) << request.mask.value_or("-").substr(0, 20);
    const std::pair<std::string, std::string> tidy[] = {
        {"/u/wo?.txt", "/u/wo?.txt/*"}, {"/u/mail/", "/u/mail/"}, {"/u/*/inbox", "/u/*/inbox"}};
    for (const auto& [path, tidied] : tidy) EXPECT_EQ(tidySearchPath(path), tidied) << path;
    const std::tuple<const char*, const char*, std::optional<std::string>> starts[] = {
        {"/var/mail/wo.txt", "/tmp", "/var/mail"}, {"/wo.txt", "/tmp", "/"}, {"", nullptr, std::nullopt},
        {"wo.txt", "/tmp", std::nullopt}};
    for (const auto& [file, env, dir] : starts) EXPECT_EQ(browserStartDir(file, env), dir) << file;
}
