// Include and exclude lists: the prefix rule, list files, and selection.
#include "names.h"

#include <gtest/gtest.h>

#include <string>

#include "TempRoot.h"

namespace {

using V = std::vector<std::string>;

TEST(TartPrefix, EntryEndsAtNameEndOrSlash) {
    const struct {
        const char *entry, *name;
        bool match;
    } cases[] = {
        {"usr/lib", "usr/lib", true},     {"usr/lib", "usr/lib/", true},
        {"usr/lib", "usr/lib/x", true},   {"usr", "usr/lib/x", true},
        {"usr/lib", "usr/libx", false},   {"usr/lib", "usr/library", false},
        {"usr/lib", "usr/li", false},     {"usr/lib", "usr", false},
        {"lib", "usr/lib", false},
        // An entry ending in "/" names that member alone.
        {"usr/", "usr/", true},           {"usr/", "usr/a", false},
    };
    for (const auto& c : cases) EXPECT_EQ(tart::prefix(c.entry, c.name), c.match) << c.entry << " " << c.name;
}

TEST(TartNameLists, Selection) {
    tart::NameLists lists;
    EXPECT_TRUE(lists.selects("anything"));
    lists.include.emplace();
    EXPECT_FALSE(lists.selects("anything"));  // an empty include list selects nothing
    lists.include->push_back("usr/lib");
    lists.include->push_back("etc");
    EXPECT_TRUE(lists.selects("usr/lib/old/y"));
    EXPECT_TRUE(lists.selects("etc/passwd"));
    EXPECT_FALSE(lists.selects("usr/libx"));
    lists.exclude.emplace(V{"usr/lib/old"});
    EXPECT_FALSE(lists.selects("usr/lib/old"));
    EXPECT_FALSE(lists.selects("usr/lib/old/y"));
    EXPECT_TRUE(lists.selects("usr/lib/older"));
    lists.include.reset();
    EXPECT_TRUE(lists.selects("usr/libx"));
    EXPECT_FALSE(lists.selects("usr/lib/old/"));
}

TEST(TartSplitWords, WhiteSpaceSeparates) {
    const std::string longWord(10000, 'w');
    const std::pair<std::string, V> cases[] = {
        {"", {}},
        {" \n\t ", {}},
        {"usr/lib\n  etc\tvar\r\n\v\fopt", {"usr/lib", "etc", "var", "opt"}},
        {std::string("ab\0cd ef", 8), {"ab", "ef"}},
        {longWord + " x", {longWord, "x"}},
    };
    for (const auto& [text, words] : cases) EXPECT_EQ(tart::splitWords(text), words) << text.size();
}

TEST(TartListFiles, CommandLineNamesThenTheFiles) {
    tk::TempRoot dir;
    std::string msg;
    tart::NameLists lists;
    ASSERT_TRUE(tart::MkUseLists({"a", "b"}, dir.write("inc", "c\n d\te\n"), dir.write("exc", "x y"),
                                 lists, msg));
    EXPECT_EQ(*lists.include, (V{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(*lists.exclude, (V{"x", "y"}));
    // No file: no list; an empty file: an empty list.
    tart::NameLists none;
    ASSERT_TRUE(tart::MkUseLists({}, std::nullopt, std::nullopt, none, msg));
    EXPECT_FALSE(none.include);
    EXPECT_FALSE(none.exclude);
    tart::NameLists empty;
    ASSERT_TRUE(tart::MkUseLists({}, dir.write("inc", ""), dir.write("exc", "\n"), empty, msg));
    ASSERT_TRUE(empty.include);
    EXPECT_TRUE(empty.include->empty());
    ASSERT_TRUE(empty.exclude);
    EXPECT_TRUE(empty.exclude->empty());
    // A directory opens but cannot be read: an error, not a list that
    // selects nothing.
    tart::NameLists lists2;
    EXPECT_FALSE(tart::MkUseLists({}, dir.path(), std::nullopt, lists2, msg));
    EXPECT_EQ(msg, "tart: cannot read include file (" + dir.path() + ")\n" + dir.path() +
                       ": Is a directory\n");
}

}  // namespace
