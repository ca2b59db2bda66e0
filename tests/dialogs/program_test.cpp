// asker and hourglass at start: the usage message first, then the display,
// then the installation root; exact on standard error, status 1, nothing on
// standard output.
#include "Process.h"
#include "XServer.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogsProgram, UsageThenDisplayThenInstallationRoot) {
    const std::string asker = ASKER_BIN, hourglass = HOURGLASS_BIN, noServer = ":4095";
    ASSERT_FALSE(tk::displayAnswers(noServer));
    const std::string usage = "Usage: " + asker + " message.\n      OR\n" + asker + " QUES message.\n";
    const std::string noDisplay = ": can't open display, exiting...\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{asker}, usage},
        {{asker, "QUES", "Remove it?"}, asker + noDisplay},
        {{hourglass}, hourglass + noDisplay}};
    for (const auto& [argv, err] : cases)
        for (const std::string& display : {noServer, tk::XServer::shared().display()})
            for (const bool root : {true, false}) {
                const bool live = display == tk::XServer::shared().display();
                if (live && root) continue;   // the dialog would be shown
                tk::Spawn s(argv);
                s.env["DISPLAY"] = display;
                if (root) s.env["Proot"] = "/tmp";
                else s.unset.push_back("Proot");
                const tk::RunResult r = tk::run(s, std::chrono::seconds(20));
                EXPECT_TRUE(r.exited && r.code == 1) << argv.size() << " " << r.describe();
                EXPECT_EQ(r.err + r.out, live && err != usage ? "Installation root is not set.\n" : err);
            }
}

}  // namespace
