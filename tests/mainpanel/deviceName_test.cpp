// Device names without a display: the split at the first colon, the
// required-media lines, the check of the entry groups with its warning and
// its result lines, and the media forms' text files.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Process.h"
#include "TempRoot.h"
#include "core/deviceName.h"
#include "core/mediaLists.h"

using namespace trev;

namespace {

DevEntry local(const std::string& device) { return {device, "", false}; }
DevEntry remote(const std::string& host, const std::string& device) { return {device, host, true}; }

}  // namespace

TEST(DevSpec, SplitsAtTheFirstColonOnly) {
    const std::string longHost(700, 'h'), longDev(900, 'd');
    const struct {
        std::string spec;
        bool remote;
        std::string host, device;
    } cases[] = {
        {"hostA:/dev/rmt/0", true, "hostA", "/dev/rmt/0"}, {"/dev/sr0", false, "", "/dev/sr0"},
        {"hostA:/dev/a:b", true, "hostA", "/dev/a:b"},     {":/dev/sr0", true, "", "/dev/sr0"},
        {"hostA:", true, "hostA", ""},                      {"", false, "", ""},
        {" h : d\\:x", true, " h ", " d\\:x"},               // no trimming, no escapes
        {longHost + ":" + longDev, true, longHost, longDev},
    };
    for (const auto& c : cases) {
        const DevSpec d = splitDevSpec(c.spec);
        EXPECT_EQ(std::make_tuple(d.remote, d.host, d.device), std::make_tuple(c.remote, c.host, c.device))
            << c.spec;
    }
}

TEST(DevSpec, RequiredMediaLinesHeadingAndLabels) {
    const struct {
        int kind, count;
        const char *labels, *lines;
    } cases[] = {
        {kDevCdrom, 1, "Disc 1", "1 CD-ROM: Disc 1\n"},
        {kDevTapeFile, 1, "T", "1    tape: T\n"},   // any kind but the CD-ROM is a tape
        {kDevCdrom, 0, "", "0 CD-ROMs: \n"},        // every count but 1 is plural
        {kDevCdrom, -3, "x", "-3 CD-ROMs: x\n"},
        {kDevTape, 2, "Vol A~Vol B~Vol C", "2    tapes: Vol A\n           Vol B\n           Vol C\n"},
        {kDevCdrom, 2, "~B~", "2 CD-ROMs: \n           B\n           \n"},
    };
    for (const auto& c : cases) EXPECT_EQ(requiredMediaLines(c.kind, c.count, c.labels), c.lines) << c.labels;
}

TEST(DevCheck, MissingNamesControlCharactersAndTheAssignmentLines) {
    const std::string need = "You need to specify\n", ctl = kControlWarning;
    const struct {
        int kinds;
        DevEntry cd, tape;
        std::string warning, result;
    } cases[] = {
        {kDevCdrom | kDevTape, local("/dev/sr0"), remote("tapehost", "/dev/rst0"), "",
         "DeviceCD='/dev/sr0'\nDeviceTAPE='tapehost:/dev/rst0'\n"},
        {kDevCdrom | kDevTape, remote("", ""), remote("", ""),
         need + "    CD-ROM device name\n    CD-ROM remote host name\n    Tape device name\n"
                "    Tape remote host name\n", ""},
        // A local group's Host field is not read.
        {kDevCdrom | kDevTape, {"", "left\n", false}, {"", "x", false},
         need + "    CD-ROM device name\n    Tape device name\n", ""},
        {kDevTape, {}, remote("", "/dev/rst0"), need + "    Tape remote host name\n", ""},
        {kDevCdrom, remote("h", ""), {}, need + "    CD-ROM device name\n", ""},
        // Only the kinds asked for are checked; a tape file is TFILE unless
        // the tape drive bit is set too.
        {kDevTape, remote("", ""), local("/dev/rst0"), "", "DeviceTAPE='/dev/rst0'\n"},
        {kDevTapeFile, {}, remote("h", "/tmp/t.tar"), "", "TFILE='h:/tmp/t.tar'\n"},
        {kDevTapeFile, {}, local(""), need + "    Tape device name\n", ""},
        {kDevTape | kDevTapeFile, {}, local("/dev/rst0"), "", "DeviceTAPE='/dev/rst0'\n"},
        {0, remote("", ""), remote("", ""), "", ""},
        // A CD-ROM host is cut at its last colon, a tape host is not.
        {kDevCdrom, remote("a:b:c", "/dev/sr0"), {}, "", "DeviceCD='a:b:/dev/sr0'\n"},
        {kDevCdrom, remote(":", "/dev/sr0"), {}, "", "DeviceCD=':/dev/sr0'\n"},
        {kDevTape, {}, remote("srv:", "/dev/rst0"), "", "DeviceTAPE='srv::/dev/rst0'\n"},
        // Values are quoted byte for byte.
        {kDevTape, {}, local("a b\t$HOME`x`\"\\'"), ctl + "    Tape device name\n", ""},
        {kDevTape, {}, local("a b $HOME`x`\"\\'"), "", "DeviceTAPE='a b $HOME`x`\"\\'\\'''\n"},
        // A control character in a name keeps the form up, listed after the
        // missing names; bytes from 0x80 up are names in UTF-8.
        {kDevTape, {}, local("/dev/rmt/0\ntouch x"), ctl + "    Tape device name\n", ""},
        {kDevTapeFile, {}, remote("h\tx", "/t"), ctl + "    Tape remote host name\n", ""},
        {kDevCdrom, remote("h", "/dev/sr0\x7f"), {}, ctl + "    CD-ROM device name\n", ""},
        {kDevCdrom | kDevTape, remote("\x1b", ""), local("\r"),
         need + "    CD-ROM device name\n" + ctl + "    CD-ROM remote host name\n    Tape device name\n", ""},
        {kDevCdrom, local("/dev/cd\xc3\xa9"), {}, "", "DeviceCD='/dev/cd\xc3\xa9'\n"},
    };
    for (const auto& c : cases) {
        const DevCheck check = checkDevEntries(c.kinds, c.cd, c.tape);
        EXPECT_EQ(check.warning, c.warning) << c.cd.device << "|" << c.tape.device;
        EXPECT_EQ(check.complete(), c.warning.empty());
        if (check.complete()) {
            EXPECT_EQ(check.result, c.result) << c.cd.device << "|" << c.tape.device;
        }
    }
    EXPECT_EQ(assignmentLine("TFILE", ""), "TFILE=''\n");
}

TEST(DevCheck, AHostNameCannotEndTheQuotingWhenTheScriptEvaluatesTheLines) {
    tk::TempRoot dir;
    const std::string evil = "x'; touch " + dir.file("pwned") + "; '";
    const DevCheck c = checkDevEntries(kDevCdrom | kDevTape, remote(evil, evil), local(evil));
    ASSERT_TRUE(c.complete());
    tk::Spawn sh({"/bin/sh", "-c", "eval \"$(cat \"$1\")\"; printf \"%s|%s\" \"$DeviceCD\" \"$DeviceTAPE\"",
                  "sh", dir.write("lines", c.result)});
    EXPECT_EQ(tk::run(sh).out, evil + ":" + evil + "|" + evil);
    EXPECT_FALSE(dir.exists("pwned"));
}

TEST(MediaLists, LinesReadWholeShownIndentedAndLongOnesFound) {
    const std::string longLine(5000, 'L');
    const std::pair<std::string, std::vector<std::string>> files[] = {
        {"a\nb\n", {"a", "b"}}, {"a\nb", {"a", "b"}}, {"", {}}, {"\n\n", {"", ""}},
        {longLine + "\nz\n", {longLine, "z"}}};
    for (const auto& [text, lines] : files) {
        std::FILE* f = std::tmpfile();
        std::fputs(text.c_str(), f);
        std::rewind(f);
        EXPECT_EQ(readTextLines(f), lines);
        std::fclose(f);
    }
    EXPECT_EQ(mediaListText({"CD 1", "Tape 7"}), "    CD 1\n    Tape 7");
    EXPECT_EQ(mediaListText({}), "");
    EXPECT_EQ(mediaListText(std::vector<std::string>(40, std::string(30, 'm'))).size(), 40u * 34u + 39u);
    const std::string fits(511, 'f'), over(512, 'o');
    EXPECT_EQ(firstLongLine({fits, "", fits}), std::nullopt);
    EXPECT_EQ(firstLongLine({fits, over, "x", over}), 2u);
    EXPECT_EQ(longLineMessage("/x/labels", 2), "Line 2 of /x/labels is longer than 511 characters.\n");
    EXPECT_EQ(tooManyWorkOrdersMessage("/x/wo", 250),
              "Work order list /x/wo has 250 lines; at most 249 can be offered.\n");
}
