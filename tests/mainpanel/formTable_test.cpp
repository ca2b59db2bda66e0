// The form table: form-type conversion, word-count rules and the usage
// messages, byte for byte.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <vector>

#include "core/formTable.h"
#include "core/statusRecord.h"

using namespace trev;

namespace {

bool fits(int type, std::vector<const char*> words) {
    const FormInfo* f = findForm(type);
    if (!f) return false;
    return wordCountOk(*f, static_cast<int>(words.size()), words.data());
}

std::vector<const char*> words(int n, const char* third = "x") {
    std::vector<const char*> w(static_cast<std::size_t>(n), "w");
    if (n > 2) w[2] = third;
    return w;
}

}  // namespace

TEST(FormType, IsTheDecimalPrefixOfTheFirstArgument) {
    const std::pair<const char*, int> cases[] = {
        {"19", 19}, {"  7x", 7}, {"+3", 3}, {"-1", -1}, {"x", 0}, {"", 0},
        {"99999999999999", INT_MAX}, {"-99999999999999", INT_MIN}};
    for (auto [text, type] : cases) EXPECT_EQ(parseFormType(text), type) << text;
}

TEST(FormTable, HasARowForEveryFormTypeButSevenAndSixteen) {
    for (int t = -5; t <= 30; ++t) {
        const bool expected = t >= 0 && t <= 24 && t != 7 && t != 16;
        EXPECT_EQ(findForm(t) != nullptr, expected) << "type " << t;
    }
    EXPECT_EQ(findForm(INT_MAX), nullptr);
    EXPECT_EQ(notSupportedMessage(25), "Feature 25 is not supported yet.\n");
    EXPECT_EQ(notSupportedMessage(-7), "Feature -7 is not supported yet.\n");
}

TEST(FormTable, EachFormHasItsOwnSizeSlotExceptTheTwoLoadForms) {
    std::set<std::size_t> seen;
    FormStatusRec rec;
    for (int t = 0; t <= 24; ++t) {
        const FormInfo* f = findForm(t);
        if (!f) continue;
        ASSERT_NE(rec.slotAt(f->slotOffset), nullptr) << "type " << t;
        if (t != 18) {
            EXPECT_TRUE(seen.insert(f->slotOffset).second) << "type " << t;
        }
    }
    EXPECT_EQ(findForm(18)->slotOffset, findForm(2)->slotOffset);
    EXPECT_EQ(findForm(0)->slotOffset, 80u);
    EXPECT_EQ(findForm(19)->slotOffset, 88u);
    EXPECT_EQ(findForm(23)->slotOffset, 96u);
    EXPECT_EQ(findForm(24)->slotOffset, 224u);
}

TEST(FormTable, WordCountRules) {
    // Exactly n.
    const std::pair<int, int> exact[] = {{1, 7}, {2, 6}, {3, 4}, {5, 6}, {6, 5}, {8, 3},
                                         {9, 4}, {11, 4}, {12, 4}, {13, 4}, {14, 4}, {15, 5},
                                         {17, 3}, {18, 5}, {22, 3}, {24, 4}};
    for (auto [type, n] : exact) {
        EXPECT_TRUE(fits(type, words(n))) << type;
        EXPECT_FALSE(fits(type, words(n - 1))) << type;
        EXPECT_FALSE(fits(type, words(n + 1))) << type;
    }
    // At least n.
    for (auto [type, n] : {std::pair{0, 8}, {19, 3}, {21, 4}}) {
        EXPECT_FALSE(fits(type, words(n - 1))) << type;
        EXPECT_TRUE(fits(type, words(n))) << type;
        EXPECT_TRUE(fits(type, words(n + 3))) << type;
    }
    // One of two counts.
    EXPECT_TRUE(fits(4, words(7)));
    EXPECT_TRUE(fits(4, words(12)));
    EXPECT_FALSE(fits(4, words(8)));
    EXPECT_TRUE(fits(23, words(2)));
    EXPECT_TRUE(fits(23, words(4)));
    EXPECT_FALSE(fits(23, words(3)));
    EXPECT_FALSE(fits(23, words(5)));
    // Configure: nothing, "noSystem" or "noUser".
    EXPECT_TRUE(fits(10, words(2)));
    EXPECT_TRUE(fits(10, words(3, "noSystem")));
    EXPECT_TRUE(fits(10, words(3, "noUser")));
    EXPECT_FALSE(fits(10, words(3, "noSys")));
    EXPECT_FALSE(fits(10, words(4, "noUser")));
    // Select media: anything.
    EXPECT_TRUE(fits(20, words(2)));
    EXPECT_TRUE(fits(20, words(9)));
}

// Every usage line is checked byte for byte through the program itself
// (start_gui_test); here the filling of the program name and the type.
TEST(FormTable, UsageFillsInProgramNameAndType) {
    EXPECT_EQ(usageMessage(*findForm(3), "mp"), "USAGE: mp 3 avaSpace reqSpace.\n");
    EXPECT_EQ(usageMessage(*findForm(4), "mp"),
              "Usage: mp 4 CDROM # host:device 1/0 labels TAPE # host:device 1/0 labels\n");
    // The message form names neither; the select-media form has none.
    EXPECT_EQ(usageMessage(*findForm(24), "mp"), "USAGE: mainpanel 24 <file Name> <string>\n");
    EXPECT_EQ(usageMessage(*findForm(20), "mp"), "");
    // A program name with a percent sign is printed as it is.
    EXPECT_EQ(usageMessage(*findForm(8), "/x/%s%d"), "USAGE: /x/%s%d 8 prodFile.\n");
}
