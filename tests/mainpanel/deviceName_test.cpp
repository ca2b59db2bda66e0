// Device names without a display: the split at the first colon, the
// required-media lines, the check of the entry groups, and the media forms'
// list text; its long lines are refused in the program test.
#include <gtest/gtest.h>

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

TEST(DevSpec, SplitsAtTheFirstColonOnlyAndListsTheRequiredMedia) {
    const std::string longHost(700, 'h'), longDev(900, 'd');
    const std::pair<std::string, std::string> specs[] = {
        {"hostA:/dev/rmt/0", "1 hostA /dev/rmt/0"}, {"/dev/sr0", "0  /dev/sr0"}, {"hostA:/dev/a:b", "1 hostA /dev/a:b"},
        {":/dev/sr0", "1  /dev/sr0"}, {"hostA:", "1 hostA "}, {"", "0  "}, {" h : d\\:x", "1  h   d\\:x"},   // no trimming, no escapes
        {longHost + ":" + longDev, "1 " + longHost + " " + longDev}};
    for (const auto& [spec, split] : specs) {
        const DevSpec d = splitDevSpec(spec);
        EXPECT_EQ(std::to_string(d.remote) + " " + d.host + " " + d.device, split) << spec;
    }
    const std::tuple<int, int, const char*, const char*> media[] = {
        {kDevCdrom, 1, "Disc 1", "1 CD-ROM: Disc 1\n"}, {kDevTapeFile, 1, "T", "1    tape: T\n"},   // all but the CD-ROM are tapes
        {kDevCdrom, 0, "", "0 CD-ROMs: \n"}, {kDevCdrom, -3, "x", "-3 CD-ROMs: x\n"},           // every count but 1 is plural
        {kDevTape, 2, "Vol A~Vol B~Vol C", "2    tapes: Vol A\n           Vol B\n           Vol C\n"},
        {kDevCdrom, 2, "~B~", "2 CD-ROMs: \n           B\n           \n"}};
    for (auto [kind, count, labels, lines] : media) EXPECT_EQ(requiredMediaLines(kind, count, labels), lines) << labels;
}

TEST(DevCheck, MissingNamesControlCharactersAndTheAssignmentLines) {
    const std::string need = "You need to specify\n", ctl = kControlWarning, cdDev = "    CD-ROM device name\n",
                      cdHost = "    CD-ROM remote host name\n", tapeDev = "    Tape device name\n",
                      tapeHost = "    Tape remote host name\n";
    // kinds, CD-ROM group, tape group -> the warning, or else the lines printed
    const std::tuple<int, DevEntry, DevEntry, std::string> cases[] = {
        {kDevCdrom | kDevTape, remote("", ""), remote("", ""), need + cdDev + cdHost + tapeDev + tapeHost},
        {kDevCdrom | kDevTape, {"", "left\n", false}, {"", "x", false}, need + cdDev + tapeDev},   // a local Host is not read
        {kDevTape, {}, remote("", "/dev/rst0"), need + tapeHost},
        // Only the kinds asked for; a tape file is TFILE unless the tape drive bit is set too.
        {kDevTape, remote("", ""), local("/dev/rst0"), "DeviceTAPE='/dev/rst0'\n"},
        {kDevTapeFile, {}, remote("h", "/tmp/t.tar"), "TFILE='h:/tmp/t.tar'\n"}, {kDevTapeFile, {}, local(""), need + tapeDev},
        {kDevTape | kDevTapeFile, {}, local("/dev/rst0"), "DeviceTAPE='/dev/rst0'\n"}, {0, remote("", ""), remote("", ""), ""},
        // A CD-ROM host is cut at its last colon, a tape host is not.
        {kDevCdrom, remote("a:b:c", "/dev/sr0"), {}, "DeviceCD='a:b:/dev/sr0'\n"},
        {kDevTape, {}, remote("srv:", "/dev/rst0"), "DeviceTAPE='srv::/dev/rst0'\n"},
        // A control character keeps the form up, listed after the missing
        // names; the quoting is seen by a shell below.
        {kDevTape, {}, local("/dev/rmt/0\ntouch x"), ctl + tapeDev}, {kDevCdrom, remote("h", "/dev/sr0\x7f"), {}, ctl + cdDev},
        {kDevCdrom | kDevTape, remote("\x1b", ""), local("\r"), need + cdDev + ctl + cdHost + tapeDev}};
    for (const auto& [kinds, cd, tape, want] : cases) {
        const DevCheck check = checkDevEntries(kinds, cd, tape);
        EXPECT_EQ(check.complete() ? check.result : check.warning, want) << cd.device << "|" << tape.device;
        EXPECT_EQ(check.complete(), check.warning.empty());
    }
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

TEST(MediaLists, ShownIndented) {
    EXPECT_EQ(mediaListText({"CD 1", "Tape 7"}), "    CD 1\n    Tape 7");
    EXPECT_EQ(mediaListText({}), "");
}
