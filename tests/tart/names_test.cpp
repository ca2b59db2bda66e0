// Include and exclude lists: the prefix rule, list files, and selection.
#include "names.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

TEST(TartPrefix, EntryEndsAtNameEndOrSlash) {
    EXPECT_TRUE(tart::prefix("usr/lib", "usr/lib"));
    EXPECT_TRUE(tart::prefix("usr/lib", "usr/lib/"));
    EXPECT_TRUE(tart::prefix("usr/lib", "usr/lib/x"));
    EXPECT_TRUE(tart::prefix("usr", "usr/lib/x"));
    EXPECT_FALSE(tart::prefix("usr/lib", "usr/libx"));
    EXPECT_FALSE(tart::prefix("usr/lib", "usr/library"));
    EXPECT_FALSE(tart::prefix("usr/lib", "usr/li"));
    EXPECT_FALSE(tart::prefix("usr/lib", "usr"));
    EXPECT_FALSE(tart::prefix("lib", "usr/lib"));
    // An entry ending in "/" names that member alone.
    EXPECT_TRUE(tart::prefix("usr/", "usr/"));
    EXPECT_FALSE(tart::prefix("usr/", "usr/a"));
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
    lists.exclude.emplace(std::vector<std::string>{"usr/lib/old"});
    EXPECT_FALSE(lists.selects("usr/lib/old"));
    EXPECT_FALSE(lists.selects("usr/lib/old/y"));
    EXPECT_TRUE(lists.selects("usr/lib/older"));
    lists.include.reset();
    EXPECT_TRUE(lists.selects("usr/libx"));
    EXPECT_FALSE(lists.selects("usr/lib/old/"));
}

TEST(TartSplitWords, WhiteSpaceSeparates) {
    using V = std::vector<std::string>;
    EXPECT_EQ(tart::splitWords(""), V{});
    EXPECT_EQ(tart::splitWords(" \n\t "), V{});
    EXPECT_EQ(tart::splitWords("usr/lib\n  etc\tvar\r\n\v\fopt"),
              (V{"usr/lib", "etc", "var", "opt"}));
    EXPECT_EQ(tart::splitWords(std::string("ab\0cd ef", 8)), (V{"ab", "ef"}));
    const std::string longWord(10000, 'w');
    EXPECT_EQ(tart::splitWords(longWord + " x"), (V{longWord, "x"}));
}

class TartListFiles : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/tart_namesXXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        dir_ = dir;
    }
    void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }
    std::string file(const std::string& name, const std::string& text) {
        const std::string path = dir_ + "/" + name;
        FILE* f = std::fopen(path.c_str(), "w");
        std::fputs(text.c_str(), f);
        std::fclose(f);
        return path;
    }
    std::string dir_;
};

TEST_F(TartListFiles, CommandLineNamesThenIncludeFile) {
    tart::NameLists lists;
    std::string msg;
    ASSERT_TRUE(tart::MkUseLists({"a", "b"}, file("inc", "c\n d\te\n"), file("exc", "x y"), lists,
                                 msg));
    EXPECT_EQ(*lists.include, (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(*lists.exclude, (std::vector<std::string>{"x", "y"}));
}

TEST_F(TartListFiles, WhichListsExist) {
    tart::NameLists none;
    std::string msg;
    ASSERT_TRUE(tart::MkUseLists({}, std::nullopt, std::nullopt, none, msg));
    EXPECT_FALSE(none.include);
    EXPECT_FALSE(none.exclude);
    tart::NameLists empty;
    ASSERT_TRUE(tart::MkUseLists({}, file("inc", ""), file("exc", "\n"), empty, msg));
    ASSERT_TRUE(empty.include);
    EXPECT_TRUE(empty.include->empty());
    ASSERT_TRUE(empty.exclude);
    EXPECT_TRUE(empty.exclude->empty());
}

TEST_F(TartListFiles, ADirectoryIsNotAnEmptyList) {
    // It opens but cannot be read: an error, not a list that selects nothing.
    tart::NameLists lists;
    std::string msg;
    EXPECT_FALSE(tart::MkUseLists({}, dir_, std::nullopt, lists, msg));
    EXPECT_EQ(msg, "tart: cannot read include file (" + dir_ + ")\n" + dir_ +
                       ": Is a directory\n");
}

}  // namespace
