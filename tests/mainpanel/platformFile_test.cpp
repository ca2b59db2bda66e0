// What a form starts from: the command line's form type word and the
// filling of usage messages; the platform file: names, descriptions, the
// ten-line limit, and the preselected platform.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "core/formArgs.h"
#include "core/platformFile.h"

using namespace trev;

TEST(PlatformFile, NameIsTheFirstWordDescriptionFollowsTheFirstBlank) {
    using E = PlatformError;
    std::string twelve;
    for (int i = 0; i < 12; ++i) twelve += "p" + std::to_string(i) + " P" + std::to_string(i) + "\n";
    // text, result, the line refused, "name|description;" of each line read
    const std::tuple<std::string, E, int, std::string> cases[] = {
        // The line's last character goes: a last line without a line feed
        // loses one of its description.
        {"sun4u SPARC  workstations\nsun4v\tT-series servers\nx86 PC", E::Ok, -1,
         "sun4u|SPARC  workstations;sun4v|servers;x86|P;"},
        {twelve, E::Ok, -1, "p0|P0;p1|P1;p2|P2;p3|P3;p4|P4;p5|P5;p6|P6;p7|P7;p8|P8;p9|P9;"},
        {"sun4u A\n\nsun4v B\n", E::NoWord, 1, "sun4u|A;"},
        {"", E::Empty, 0, ""},
        {std::string(19, 'n') + " ok\n", E::Ok, -1, std::string(19, 'n') + "|ok;"},
        // A line longer than the line buffer is one bad line, not two lines.
        {"p " + std::string(509, 'd') + "\n", E::Ok, -1, "p|" + std::string(509, 'd') + ";"},
        {"p " + std::string(4998, 'd') + "\n", E::LineTooLong, 0, ""}};
    for (const auto& [text, err, refused, lines] : cases) {
        std::FILE* f = std::tmpfile();
        std::fputs(text.c_str(), f);
        std::rewind(f);
        PlatformList list;
        int badLine = -1;
        EXPECT_EQ(readPlatformFile(f, list, badLine), err) << text.substr(0, 40);
        std::fclose(f);
        std::string read;
        for (std::size_t i = 0; i < list.names.size(); ++i) read += list.names[i] + "|" + list.descs[i] + ";";
        EXPECT_EQ(std::to_string(err == E::Ok ? -1 : badLine) + " " + read, std::to_string(refused) + " " + lines);
    }
}

TEST(PlatformFile, PreselectsStoredChoiceElseLastSun4vElseFirst) {
    PlatformList list;
    list.names = {"sun4u", "sun4v", "x86", "sun4v"};
    for (auto [stored, index] : {std::pair{kNoPlatform, 3}, {2, 2}, {0, 0}, {4, 3}, {-1, 3}})
        EXPECT_EQ(platformDefaultIndex(list, stored), index) << stored;
    list.names = {"a", "b"};
    EXPECT_EQ(platformDefaultIndex(list, kNoPlatform), 0);
}

TEST(FormArgs, TheFormTypeIsTheDecimalPrefixOfTheFirstArgument) {
    const std::pair<const char*, int> cases[] = {{"19", 19}, {"  7x", 7}, {"+3", 3}, {"-1", -1}, {"x", 0},
                                                 {"99999999999999", INT_MAX}, {"-99999999999999", INT_MIN}};
    for (auto [text, type] : cases) EXPECT_EQ(parseFormType(text), type) << text;
    // The program name is printed as it is, even with a percent sign.
    EXPECT_EQ(usageMessage("USAGE: %s %d prodFile.\n", "/x/%s%d", 8), "USAGE: /x/%s%d 8 prodFile.\n");
    EXPECT_EQ(usageMessage(nullptr, "mp", 20), "");
}
