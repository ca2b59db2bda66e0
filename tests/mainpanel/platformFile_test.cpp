// The platform file: names, descriptions, the ten-line limit, the errors,
// and the preselected platform.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/platformFile.h"

using namespace trev;

namespace {

struct Parsed {
    PlatformError err;
    PlatformList list;
    int badLine = -1;
};

Parsed parse(const std::string& text) {
    Parsed p;
    std::FILE* f = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    if (text.empty()) f = std::tmpfile();
    p.err = readPlatformFile(f, p.list, p.badLine);
    std::fclose(f);
    return p;
}

}  // namespace

TEST(PlatformFile, NameIsTheFirstWordDescriptionFollowsTheFirstBlank) {
    const Parsed p = parse("sun4u SPARC  workstations\nsun4v\tT-series\nx86 PC\n");
    ASSERT_EQ(p.err, PlatformError::NoBlank);   // the tab is not a blank
    EXPECT_EQ(p.badLine, 1);
    // The name ends at any white space, the description starts after the
    // first blank.
    const Parsed t = parse("sun4v\tT-series servers\n");
    ASSERT_EQ(t.err, PlatformError::Ok);
    EXPECT_EQ(t.list.names[0], "sun4v");
    EXPECT_EQ(t.list.descs[0], "servers");

    const Parsed q = parse("sun4u SPARC  workstations\nsun4v T-series servers\nx86 PC");
    ASSERT_EQ(q.err, PlatformError::Ok);
    EXPECT_EQ(q.list.names, (std::vector<std::string>{"sun4u", "sun4v", "x86"}));
    // The line's last character goes: a last line without a line feed loses
    // a character of its description.
    EXPECT_EQ(q.list.descs, (std::vector<std::string>{"SPARC  workstations", "T-series servers", "P"}));
}

TEST(PlatformFile, ReadsOnlyTheFirstTenLines) {
    std::string text;
    for (int i = 0; i < 12; ++i) text += "p" + std::to_string(i) + " Platform " + std::to_string(i) + "\n";
    const Parsed p = parse(text);
    ASSERT_EQ(p.err, PlatformError::Ok);
    ASSERT_EQ(p.list.names.size(), 10u);
    EXPECT_EQ(p.list.names[9], "p9");
    EXPECT_EQ(p.list.descs[9], "Platform 9");
}

TEST(PlatformFile, RefusesBadLines) {
    EXPECT_EQ(parse("sun4u A\n\nsun4v B\n").err, PlatformError::NoWord);
    EXPECT_EQ(parse("   \n").err, PlatformError::NoWord);
    EXPECT_EQ(parse("sun4u\n").err, PlatformError::NoBlank);
    EXPECT_EQ(parse("").err, PlatformError::Empty);
    const std::string name19(19, 'n'), name20(20, 'n');
    EXPECT_EQ(parse(name19 + " ok\n").err, PlatformError::Ok);
    const Parsed p = parse("a b\n" + name20 + " too long\n");
    EXPECT_EQ(p.err, PlatformError::NameTooLong);
    EXPECT_EQ(p.badLine, 1);
    // A line longer than the line buffer is one bad line, not two lines.
    EXPECT_EQ(parse("p " + std::string(509, 'd') + "\n").err, PlatformError::Ok);
    const Parsed l = parse("p " + std::string(4998, 'd') + "\n");
    EXPECT_EQ(l.err, PlatformError::LineTooLong);
    EXPECT_EQ(l.badLine, 0);
    // The name is printed for the script: no control character in it; the
    // description is only shown.
    const Parsed ctl = parse("a b\tc\r\nsun\x1b[2J x\n");
    EXPECT_EQ(ctl.err, PlatformError::NameControl);
    EXPECT_EQ(ctl.badLine, 1);
}

TEST(PlatformFile, PreselectsStoredChoiceElseLastSun4vElseFirst) {
    PlatformList list;
    list.names = {"sun4u", "sun4v", "x86", "sun4v"};
    EXPECT_EQ(platformDefaultIndex(list, kNoPlatform), 3);
    EXPECT_EQ(platformDefaultIndex(list, 2), 2);
    EXPECT_EQ(platformDefaultIndex(list, 0), 0);
    EXPECT_EQ(platformDefaultIndex(list, 4), 3);     // past the lines read
    EXPECT_EQ(platformDefaultIndex(list, -1), 3);
    list.names = {"a", "b"};
    EXPECT_EQ(platformDefaultIndex(list, kNoPlatform), 0);
    EXPECT_EQ(platformDefaultIndex(list, 1), 1);
}
