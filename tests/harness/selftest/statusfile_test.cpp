// The test-side form.status reader: byte layout by hand.
#include "StatusFile.h"
#include "TempRoot.h"

#include <gtest/gtest.h>

namespace {

TEST(StatusFile, ReadsBigEndianFields) {
    std::string b(524, '\0');
    b[0] = 0x00, b[1] = 0x00, b[2] = 0x00, b[3] = 0x16;           // mainMenuAction 22
    b[44] = char(0xFF), b[45] = char(0xFF), b[46] = char(0xFF), b[47] = char(0xFE);  // winX -2
    b[80] = 0x01, b[81] = 0x2C, b[82] = 0x00, b[83] = char(0xC8);  // slot 80: 300 x 200
    b[87] = 1;
    b[267] = 2;  // numSelNames
    b.replace(268, 9, "/tmp/mail");
    b += std::string("prodA") + std::string(27, '\0') + "prodB" + std::string(27, 'x');
    auto s = tk::StatusFile::fromBytes(b);
    EXPECT_EQ(s.named("mainMenuAction"), 22);
    EXPECT_EQ(s.named("winX"), -2);
    EXPECT_EQ(s.slot(80).width, 300u);
    EXPECT_EQ(s.slot(80).height, 200u);
    EXPECT_EQ(s.slot(80).sizeSet, 1);
    EXPECT_EQ(s.emailFile(), "/tmp/mail");
    EXPECT_EQ(s.names(), (std::vector<std::string>{"prodA", "prodBxxxxxxxxxxxxxxxxxxxxxxxxxxx"}));
}

TEST(StatusFile, WritesWhatItReads) {
    tk::TempRoot root;
    auto s = tk::StatusFile::blank();
    s.set("platformIndex", 2).setSlot(88, 640, 480, 1).setEmail("/var/mail/wo.txt").set("numSelNames", 1);
    s.appendName("tools");
    s.save(root.file("install/tmp/form.status"));
    std::string raw = root.read("install/tmp/form.status");
    ASSERT_EQ(raw.size(), 524u + 32u);
    EXPECT_EQ(raw.substr(4, 4), std::string("\0\0\0\2", 4));
    EXPECT_EQ(raw.substr(88, 2), std::string("\x02\x80", 2));
    auto back = tk::StatusFile::load(root.file("install/tmp/form.status"));
    EXPECT_EQ(back.named("platformIndex"), 2);
    EXPECT_EQ(back.emailFile(), "/var/mail/wo.txt");
    EXPECT_EQ(back.names(), std::vector<std::string>{"tools"});
}

TEST(StatusFile, RefusesShortFilesAndBadOffsets) {
    EXPECT_THROW(tk::StatusFile::fromBytes(std::string(100, '\0')), std::runtime_error);
    EXPECT_THROW(tk::StatusFile::blank().slot(84), std::runtime_error);
    EXPECT_THROW(tk::StatusFile::blank().named("nothing"), std::runtime_error);
    auto s = tk::StatusFile::blank().set("numSelNames", 1);
    EXPECT_THROW(s.names(), std::runtime_error);
}

}  // namespace
