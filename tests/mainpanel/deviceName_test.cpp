// Device names without a display: the split at the first colon,
// the required-media lines, the check of the entry groups with its warning
// and its result lines, and the media forms' text files.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Process.h"
#include "TempRoot.h"
#include "core/deviceName.h"
#include "core/mediaLists.h"

using namespace trev;

namespace {

void expectSplit(const std::string& spec, bool remote, const std::string& host,
                 const std::string& device) {
    const DevSpec d = splitDevSpec(spec);
    EXPECT_EQ(d.remote, remote) << spec;
    EXPECT_EQ(d.host, host) << spec;
    EXPECT_EQ(d.device, device) << spec;
}

DevEntry local(const std::string& device) { return {device, "", false}; }
DevEntry remote(const std::string& host, const std::string& device) {
    return {device, host, true};
}

std::vector<std::string> linesOf(const std::string& text) {
    std::FILE* f = text.empty() ? std::tmpfile()
                                : fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    const auto lines = readTextLines(f);
    std::fclose(f);
    EXPECT_TRUE(lines.has_value());
    return lines.value_or(std::vector<std::string>{});
}

}  // namespace

TEST(DevSpec, SplitsAtTheFirstColonOnly) {
    expectSplit("hostA:/dev/rmt/0", true, "hostA", "/dev/rmt/0");
    expectSplit("/dev/sr0", false, "", "/dev/sr0");
    expectSplit("hostA:/dev/a:b", true, "hostA", "/dev/a:b");
    expectSplit(":/dev/sr0", true, "", "/dev/sr0");
    expectSplit("hostA:", true, "hostA", "");
    expectSplit(":", true, "", "");
    expectSplit("", false, "", "");
    // No trimming of blanks, no escapes.
    expectSplit(" h : d\\:x", true, " h ", " d\\:x");
    // Longer than any fixed buffer: held whole.
    const std::string longHost(700, 'h'), longDev(900, 'd');
    expectSplit(longHost + ":" + longDev, true, longHost, longDev);
}

TEST(DevSpec, RequiredMediaLinesHeadingAndLabels) {
    EXPECT_EQ(requiredMediaLines(kDevCdrom, 1, "Disc 1"), "1 CD-ROM: Disc 1\n");
    EXPECT_EQ(requiredMediaLines(kDevTape, 1, "T"), "1    tape: T\n");
    // Every count but 1 takes the plural, also 0; an empty label list
    // leaves the heading alone on its line.
    EXPECT_EQ(requiredMediaLines(kDevCdrom, 0, ""), "0 CD-ROMs: \n");
    EXPECT_EQ(requiredMediaLines(kDevCdrom, -3, "x"), "-3 CD-ROMs: x\n");
    EXPECT_EQ(requiredMediaLines(kDevTape, 2, "Vol A~Vol B~Vol C"),
              "2    tapes: Vol A\n"
              "           Vol B\n"
              "           Vol C\n");
    // Any kind but the CD-ROM reads "tape".
    EXPECT_EQ(requiredMediaLines(kDevTapeFile, 1, "f"), "1    tape: f\n");
    // Empty labels between separators keep their lines.
    EXPECT_EQ(requiredMediaLines(kDevCdrom, 2, "~B~"),
              "2 CD-ROMs: \n           B\n           \n");
    // The CD-ROM lines and then the tape lines make the form's text.
    EXPECT_EQ(requiredMediaLines(kDevCdrom, 1, "C") + requiredMediaLines(kDevTape, 2, "T1~T2"),
              "1 CD-ROM: C\n2    tapes: T1\n           T2\n");
}

TEST(DevCheck, LocalCdromAndRemoteTapeGiveTwoLinesCdromFirst) {
    const DevCheck c =
        checkDevEntries(kDevCdrom | kDevTape, local("/dev/sr0"), remote("tapehost", "/dev/rst0"));
    EXPECT_TRUE(c.complete());
    EXPECT_EQ(c.warning, "");
    EXPECT_EQ(c.result, "DeviceCD='/dev/sr0'\nDeviceTAPE='tapehost:/dev/rst0'\n");
}

TEST(DevCheck, EverythingMissingListsEveryItemInOrder) {
    const DevCheck both = checkDevEntries(kDevCdrom | kDevTape, remote("", ""), remote("", ""));
    EXPECT_FALSE(both.complete());
    EXPECT_EQ(both.warning,
              "You need to specify\n"
              "    CD-ROM device name\n"
              "    CD-ROM remote host name\n"
              "    Tape device name\n"
              "    Tape remote host name\n");
    // Local groups are not asked for a host, whatever their Host field holds.
    const DevCheck locals = checkDevEntries(kDevCdrom | kDevTape, {"", "left over", false},
                                            {"", "left over", false});
    EXPECT_EQ(locals.warning, "You need to specify\n    CD-ROM device name\n    Tape device name\n");
    // A device name does not excuse a missing host, nor the reverse.
    EXPECT_EQ(checkDevEntries(kDevTape, {}, remote("", "/dev/rst0")).warning,
              "You need to specify\n    Tape remote host name\n");
    EXPECT_EQ(checkDevEntries(kDevCdrom, remote("h", ""), {}).warning,
              "You need to specify\n    CD-ROM device name\n");
}

TEST(DevCheck, OnlyTheKindsAskedForAreCheckedAndNamed) {
    // The CD-ROM entry is ignored for a tape check and vice versa.
    EXPECT_EQ(checkDevEntries(kDevTape, remote("", ""), local("/dev/rst0")).result,
              "DeviceTAPE='/dev/rst0'\n");
    EXPECT_EQ(checkDevEntries(kDevCdrom, local("/dev/sr0"), remote("", "")).result,
              "DeviceCD='/dev/sr0'\n");
    // A tape file is named TFILE, with the tape's warning texts; with the
    // tape drive bit as well it is the tape drive.
    EXPECT_EQ(checkDevEntries(kDevTapeFile, {}, remote("h", "/tmp/t.tar")).result,
              "TFILE='h:/tmp/t.tar'\n");
    EXPECT_EQ(checkDevEntries(kDevTapeFile, {}, local("")).warning,
              "You need to specify\n    Tape device name\n");
    EXPECT_EQ(checkDevEntries(kDevTape | kDevTapeFile, {}, local("/dev/rst0")).result,
              "DeviceTAPE='/dev/rst0'\n");
    const DevCheck none = checkDevEntries(0, remote("", ""), remote("", ""));
    EXPECT_TRUE(none.complete());
    EXPECT_EQ(none.result, "");
}

TEST(DevCheck, CdromHostIsCutAtItsLastColonTapeHostIsNot) {
    EXPECT_EQ(checkDevEntries(kDevCdrom, remote("srv:", "/dev/sr0"), {}).result,
              "DeviceCD='srv:/dev/sr0'\n");
    EXPECT_EQ(checkDevEntries(kDevCdrom, remote("a:b:c", "/dev/sr0"), {}).result,
              "DeviceCD='a:b:/dev/sr0'\n");
    EXPECT_EQ(checkDevEntries(kDevTape, {}, remote("srv:", "/dev/rst0")).result,
              "DeviceTAPE='srv::/dev/rst0'\n");
    // A host of only a colon is not empty when checked, and empty when cut.
    const DevCheck c = checkDevEntries(kDevCdrom, remote(":", "/dev/sr0"), {});
    EXPECT_TRUE(c.complete());
    EXPECT_EQ(c.result, "DeviceCD=':/dev/sr0'\n");
}

TEST(DevCheck, SingleQuotesCannotEndTheQuotingWhenTheScriptEvaluatesTheLines) {
    tk::TempRoot dir;
    const std::string pwned = dir.file("pwned");
    const std::string evil = "x'; touch " + pwned + "; '";
    const DevCheck c = checkDevEntries(kDevCdrom | kDevTape, remote(evil, evil), local(evil));
    ASSERT_TRUE(c.complete());
    EXPECT_EQ(c.result, "DeviceCD='x'\\''; touch " + pwned + "; '\\'':x'\\''; touch " + pwned +
                            "; '\\'''\n"
                            "DeviceTAPE='x'\\''; touch " + pwned + "; '\\'''\n");
    tk::Spawn sh({"/bin/sh", "-c", "eval \"$(cat \"$1\")\"; printf \"%s|%s\" \"$DeviceCD\" \"$DeviceTAPE\"",
                  "sh", dir.write("lines", c.result)});
    EXPECT_EQ(tk::run(sh).out, evil + ":" + evil + "|" + evil);
    EXPECT_FALSE(dir.exists("pwned"));
}

// A control character in any name the check would print keeps the form up
// with the names listed, after the missing ones; nothing is printed.
TEST(DevCheck, ControlCharactersAreRefusedByName) {
    const std::string ctl = kControlWarning;
    const struct {
        int kinds;
        DevEntry cd, tape;
        std::string warning;
    } cases[] = {
        {kDevTape, {}, local("/dev/rmt/0\ntouch x"), ctl + "    Tape device name\n"},
        {kDevTapeFile, {}, remote("h\tx", "/t"), ctl + "    Tape remote host name\n"},
        {kDevCdrom, remote("h", "/dev/sr0\x7f"), {}, ctl + "    CD-ROM device name\n"},
        {kDevCdrom | kDevTape, remote("\x1b", ""), local("\r"),
         "You need to specify\n    CD-ROM device name\n" + ctl +
             "    CD-ROM remote host name\n    Tape device name\n"},
        // Bytes from 0x80 up are names in UTF-8, and a local group's hidden
        // Host field is not read.
        {kDevCdrom, {"/dev/cd\xc3\xa9", "\n", false}, {}, ""},
    };
    for (const auto& c : cases) {
        const DevCheck check = checkDevEntries(c.kinds, c.cd, c.tape);
        EXPECT_EQ(check.warning, c.warning) << c.tape.device << c.cd.device;
        EXPECT_EQ(check.complete(), c.warning.empty());
    }
}

TEST(DevCheck, ValuesWithoutQuotesStayByteForByte) {
    EXPECT_EQ(assignmentLine("DeviceCD", "a b\t$HOME`x`\"\\"), "DeviceCD='a b\t$HOME`x`\"\\'\n");
    EXPECT_EQ(assignmentLine("TFILE", ""), "TFILE=''\n");
    EXPECT_EQ(assignmentLine("TFILE", "'"), "TFILE=''\\'''\n");
}

TEST(MediaLists, LinesAreHeldWholeWithoutTheirLineFeeds) {
    EXPECT_EQ(linesOf("a\nb\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(linesOf("a\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(linesOf(""), std::vector<std::string>{});
    EXPECT_EQ(linesOf("\n\n"), (std::vector<std::string>{"", ""}));
    const std::string longLine(5000, 'L');
    EXPECT_EQ(linesOf(longLine + "\nz\n"), (std::vector<std::string>{longLine, "z"}));
}

TEST(MediaLists, MediaListIndentsEachLineAndEndsWithoutLineFeed) {
    EXPECT_EQ(mediaListText({"CD 1", "CD 2", "Tape 7"}), "    CD 1\n    CD 2\n    Tape 7");
    EXPECT_EQ(mediaListText({}), "");
    EXPECT_EQ(mediaListText({""}), "    ");
    // Past 512 characters nothing is cut.
    std::vector<std::string> many(40, std::string(30, 'm'));
    const std::string text = mediaListText(many);
    EXPECT_EQ(text.size(), 40u * 34u + 39u);
    EXPECT_EQ(text.substr(text.size() - 34), "    " + std::string(30, 'm'));
}

TEST(MediaLists, LinesBeyond511CharactersAreFound) {
    const std::string fits(511, 'f'), over(512, 'o');
    EXPECT_EQ(firstLongLine({}), std::nullopt);
    EXPECT_EQ(firstLongLine({fits, "", fits}), std::nullopt);
    EXPECT_EQ(firstLongLine({fits, over, "x", over}), 2u);
    EXPECT_EQ(firstLongLine({over}), 1u);
    EXPECT_EQ(longLineMessage("/x/labels", 2), "Line 2 of /x/labels is longer than 511 characters.\n");
}

TEST(MediaLists, TooManyWorkOrdersMessage) {
    EXPECT_EQ(kMaxWorkOrders, 249u);
    EXPECT_EQ(tooManyWorkOrdersMessage("/x/wo", 250),
              "Work order list /x/wo has 250 lines; at most 249 can be offered.\n");
}
