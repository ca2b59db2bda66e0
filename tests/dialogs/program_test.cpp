// asker and hourglass run without a display: the usage message and the
// start-up failures, exact on standard error, status 1.
#include "Process.h"
#include "XServer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A display that no server answers.
const char* const kNoDisplay = ":4095";

tk::RunResult runWith(std::vector<std::string> argv, bool display, bool root) {
    tk::Spawn s(std::move(argv));
    if (display) s.env["DISPLAY"] = kNoDisplay;
    else s.unset.push_back("DISPLAY");
    if (root) s.env["Proot"] = "/tmp";
    else s.unset.push_back("Proot");
    return tk::run(s, std::chrono::seconds(20));
}

class NoDisplay : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(tk::displayAnswers(kNoDisplay)) << kNoDisplay << " answers"; }
};

TEST_F(NoDisplay, AskerWithoutArgumentsPrintsUsageFirst) {
    const std::string usage = std::string("Usage: ") + ASKER_BIN + " message.\n      OR\n" + ASKER_BIN +
                              " QUES message.\n";
    // Usage comes before the display and the installation root are looked at.
    for (bool display : {true, false})
        for (bool root : {true, false}) {
            const tk::RunResult r = runWith({ASKER_BIN}, display, root);
            EXPECT_TRUE(r.exited && r.code == 1) << r.describe();
            EXPECT_EQ(r.err, usage);
            EXPECT_EQ(r.out, "");
        }
}

TEST_F(NoDisplay, BothProgramsSayTheDisplayCannotBeOpened) {
    const std::vector<std::vector<std::string>> commands = {
        {ASKER_BIN, "Disk full."}, {ASKER_BIN, "QUES", "Remove it?"}, {HOURGLASS_BIN}};
    for (const auto& argv : commands)
        // DISPLAY naming no server, or not set at all; the display comes
        // before the installation root.
        for (bool display : {true, false})
            for (bool root : {true, false}) {
                const tk::RunResult r = runWith(argv, display, root);
                EXPECT_TRUE(r.exited && r.code == 1) << argv.size() << " " << r.describe();
                EXPECT_EQ(r.err, argv[0] + ": can't open display, exiting...\n");
                EXPECT_EQ(r.out, "");
            }
}

}  // namespace
