// mainpanel without a reachable display: the usage line that never touches
// the display, the display test, and the prompt for a display.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "mpTest.h"

namespace {

// DISPLAY for a display number on which no server runs.
std::string deadDisplay() {
    for (int n = 4095; n > 4000; --n) {
        const std::string d = ":" + std::to_string(n);
        if (!tk::displayAnswers(d)) return d;
    }
    ADD_FAILURE() << "no free display number";
    return ":4095";
}

// A TCP listener in place of an X server, to see whether a program connects
// to the display at all.
class DisplayListener {
public:
    DisplayListener() {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        for (int n = 150; n < 250 && display_.empty(); ++n) {
            sockaddr_in a{};
            a.sin_family = AF_INET;
            a.sin_port = htons(static_cast<std::uint16_t>(6000 + n));
            a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            if (bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && listen(fd_, 4) == 0)
                display_ = "127.0.0.1:" + std::to_string(n);
        }
        fcntl(fd_, F_SETFL, O_NONBLOCK);
    }
    ~DisplayListener() { close(fd_); }
    const std::string& display() const { return display_; }
    // Whether a client connected since the last call; its connection is
    // closed at once, so that the client sees a failed display.
    bool contacted() {
        const int c = accept(fd_, nullptr, nullptr);
        if (c < 0) return false;
        close(c);
        return true;
    }

private:
    int fd_ = -1;
    std::string display_;
};

std::size_t filesBelow(const std::string& dir) {
    std::size_t n = 0;
    for (auto it = std::filesystem::recursive_directory_iterator(dir);
         it != std::filesystem::recursive_directory_iterator(); ++it)
        ++n;
    return n;
}

TEST(Cli, NoArgumentPrintsUsageWithoutContactingTheDisplay) {
    tk::TempRoot root;
    DisplayListener x;
    ASSERT_FALSE(x.display().empty());
    tk::RunResult r = tk::run(mp::spawn({}, root, x.display()));
    EXPECT_EQ(r.code, 1) << r.describe();
    EXPECT_EQ(r.err, "Usage: " + mp::kBin + " formType\n");
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(x.contacted());
    EXPECT_FALSE(root.exists(mp::kStatus));

    // The same listener does see a program that opens the display, which
    // then fails because the listener hangs up.
    tk::Process p(mp::spawn({"-1"}, root, x.display()));
    bool seen = false;
    for (int i = 0; i < 1000 && !(seen = x.contacted()); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(seen);
    std::optional<tk::RunResult> t = p.wait(std::chrono::seconds(20));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->code, 249) << t->describe();
}

TEST(Cli, DisplayTestWithoutDisplayAnswers249AndTouchesNoFile) {
    tk::TempRoot root;
    for (const std::string& display : {deadDisplay(), std::string()}) {
        tk::Spawn s = mp::spawn({"-1", "extra", "words"}, root, display);
        s.unset.push_back("Proot");
        s.env.erase("Proot");
        tk::RunResult r = tk::run(s);
        EXPECT_EQ(r.code, 249) << r.describe();
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "");
    }
    EXPECT_EQ(filesBelow(root.path()), 2u);   // install and install/tmp only
}

TEST(Cli, DisplayPromptRetriesOnceAtReturnThenGivesUp) {
    tk::TempRoot root;
    tk::Spawn s = mp::spawn({"0", "20", "1", "1", "1", "1", "1"}, root, deadDisplay());
    s.stdinData = "ab\n";
    tk::RunResult r = tk::run(s);
    EXPECT_EQ(r.code, 1) << r.describe();
    // All on standard error: standard output holds only a form's answer.
    EXPECT_EQ(r.err, mp::kBin + ": Open display failed. Press <return> to continue ->"
                     "Press <return> to continue ->Press <return> to continue ->" +
                     mp::kBin + ": Open display failed again.\n");
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(root.exists(mp::kStatus));
}

TEST(Cli, DisplayPromptAtEndOfInputEndsTheRun) {
    tk::TempRoot root;
    for (const char* input : {"", "xy"}) {
        tk::Spawn s = mp::spawn({"0", "20", "1", "1", "1", "1", "1"}, root, deadDisplay());
        s.stdinData = input;
        tk::RunResult r = tk::run(s);
        EXPECT_TRUE(r.exited) << r.describe();
        EXPECT_NE(r.code, 0) << r.describe();
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind(mp::kBin + ": Open display failed. Press <return> to continue ->", 0), 0u)
            << r.err;
        EXPECT_EQ(r.err.substr(r.err.rfind('\n', r.err.size() - 2)),
                  "\n" + mp::kBin + ": Open display failed and standard input ended.\n");
        EXPECT_FALSE(root.exists(mp::kStatus));
    }
}

}  // namespace
