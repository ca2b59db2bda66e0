// The platform file: names, descriptions, the ten-line limit, the errors,
// and the preselected platform.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/platformFile.h"

using namespace trev;

TEST(PlatformFile, NameIsTheFirstWordDescriptionFollowsTheFirstBlank) {
    using E = PlatformError;
    std::string twelve;
    for (int i = 0; i < 12; ++i) twelve += "p" + std::to_string(i) + " P" + std::to_string(i) + "\n";
    const struct {
        std::string text;
        E err;
        int badLine;   // of a refused file
        std::string lines;   // "name|description;" of each line read
    } cases[] = {
        // The line's last character goes: a last line without a line feed
        // loses one of its description.
        {"sun4u SPARC  workstations\nsun4v\tT-series servers\nx86 PC", E::Ok, -1,
         "sun4u|SPARC  workstations;sun4v|servers;x86|P;"},
        {twelve, E::Ok, -1, "p0|P0;p1|P1;p2|P2;p3|P3;p4|P4;p5|P5;p6|P6;p7|P7;p8|P8;p9|P9;"},
        {"a b\nsun4v\tT-series\n", E::NoBlank, 1, "a|b;"},   // a tab is no blank
        {"sun4u A\n\nsun4v B\n", E::NoWord, 1, "sun4u|A;"},
        {"   \n", E::NoWord, 0, ""},
        {"", E::Empty, 0, ""},
        {std::string(19, 'n') + " ok\n", E::Ok, -1, std::string(19, 'n') + "|ok;"},
        {"a b\n" + std::string(20, 'n') + " too long\n", E::NameTooLong, 1, "a|b;"},
        // A line longer than the line buffer is one bad line, not two lines.
        {"p " + std::string(509, 'd') + "\n", E::Ok, -1, "p|" + std::string(509, 'd') + ";"},
        {"p " + std::string(4998, 'd') + "\n", E::LineTooLong, 0, ""},
        // The name is printed for the script: no control character in it.
        {"a b\tc\r\nsun\x1b[2J x\n", E::NameControl, 1, "a|b\tc\r;"},
    };
    for (const auto& c : cases) {
        std::FILE* f = std::tmpfile();
        std::fputs(c.text.c_str(), f);
        std::rewind(f);
        PlatformList list;
        int badLine = -1;
        EXPECT_EQ(readPlatformFile(f, list, badLine), c.err) << c.text.substr(0, 40);
        std::fclose(f);
        if (c.err != E::Ok) {
            EXPECT_EQ(badLine, c.badLine) << c.text.substr(0, 40);
        }
        std::string lines;
        for (std::size_t i = 0; i < list.names.size(); ++i) lines += list.names[i] + "|" + list.descs[i] + ";";
        EXPECT_EQ(lines, c.lines);
    }
}

TEST(PlatformFile, PreselectsStoredChoiceElseLastSun4vElseFirst) {
    PlatformList list;
    list.names = {"sun4u", "sun4v", "x86", "sun4v"};
    const std::pair<std::int32_t, int> cases[] = {{kNoPlatform, 3}, {2, 2}, {0, 0}, {4, 3}, {-1, 3}};
    for (auto [stored, index] : cases) EXPECT_EQ(platformDefaultIndex(list, stored), index) << stored;
    list.names = {"a", "b"};
    EXPECT_EQ(platformDefaultIndex(list, kNoPlatform), 0);
    EXPECT_EQ(platformDefaultIndex(list, 1), 1);
}
