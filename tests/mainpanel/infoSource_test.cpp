// The source machine of the Installation Information form, its start from
// the command line, and the e-mail file check.
//
// The machine is driven through a model of the form's widgets that behaves
// like Motif radio boxes: a click on a toggle first unsets the box's set
// toggle (running that toggle's handler), then sets the clicked one and runs
// its handler; in the catalogue box a click on the set toggle only unsets
// it.  Toggles set by the program run no handler.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <array>
#include <filesystem>
#include <random>
#include <sstream>

#include "TempRoot.h"
#include "core/infoSource.h"

namespace {

using namespace trev::info;

enum Toggle { Order, Email, Tape, Orvanta, Doc, Local, Remote, kToggles };

struct FormModel {
    State state;
    bool set[kToggles] = {};
    bool emailEditable = false, tapeGroup = false, hostEditable = false;
    int shownInfo = 0;

    void apply(const Action& a) {
        switch (a.act) {
        case Act::SetOrder: set[Order] = true; break;
        case Act::UnsetOrder: set[Order] = false; break;
        case Act::EmailRowOn: emailEditable = set[Email] = true; break;
        case Act::EmailRowOff: emailEditable = set[Email] = false; break;
        case Act::TapeOn: set[Tape] = tapeGroup = true; remoteLocal(state.tapeHost); break;
        case Act::TapeOff:
        case Act::TapeOffFromSpec: set[Tape] = set[Local] = set[Remote] = tapeGroup = hostEditable = false; break;
        case Act::SetOrvanta: set[Orvanta] = true; break;
        case Act::UnsetOrvanta: set[Orvanta] = false; break;
        case Act::SetDoc: set[Doc] = true; break;
        case Act::UnsetDoc: set[Doc] = false; break;
        case Act::RemoteLocal: remoteLocal(a.arg); break;
        case Act::ShowInfo: shownInfo = a.arg; break;
        default: break;
        }
    }
    void remoteLocal(int remote) { set[Remote] = hostEditable = remote == 1; set[Local] = remote != 1; }
    // A handler runs: the machine decides, the widgets follow.
    void handle(Event e) {
        const Step step = transition(state, e);
        state = step.next;
        for (const Action& a : step.actions) apply(a);
    }
    // A user's click on a toggle of one of the three radio boxes: sources
    // 1-3, the catalogues (which may be left with none set), Local/Remote.
    void click(Toggle t) {
        const Event events[] = {Event::WorkOrder, Event::Email, Event::Tape, Event::OrvantaCatalog,
                                Event::DocCatalog, Event::TapeLocal, Event::TapeRemote};
        const Toggle first = t <= Tape ? Order : t <= Doc ? Orvanta : Local;
        const Toggle last = t <= Tape ? Tape : t <= Doc ? Doc : Remote;
        if (set[t]) {
            if (first == Orvanta) {
                set[t] = false;
                handle(events[t]);
            }
            return;
        }
        for (int other = first; other <= last; ++other)
            if (set[other]) {
                set[other] = false;
                handle(events[other]);
            }
        set[t] = true;
        handle(events[t]);
    }
    void start(const char* media, int tapeHostFromSpec) {
        const StartPlan plan = planStart(media, "17", "0", "0");
        ASSERT_TRUE(plan.valid);
        for (const Action& a : plan.actions) {
            if (a.act == Act::ParseTapeSpec || a.act == Act::TapeOffFromSpec) state.tapeHost = tapeHostFromSpec;
            apply(a);
        }
        state.source = plan.source;
    }
    // What every state must show: exactly the chosen source's widgets
    // active; the catalogue box may have lost its mark to a second click.
    void expectShowsTheSource(const std::string& how) const {
        const int s = state.source;
        const bool remote = s == kTape && state.tapeHost == 1;
        SCOPED_TRACE(how + ", source " + std::to_string(s));
        EXPECT_EQ(shownInfo, s);
        EXPECT_EQ(std::vector<bool>({emailEditable, tapeGroup, hostEditable, set[Remote], set[Local],
                                     set[Order], set[Email], set[Tape]}),
                  std::vector<bool>({s == kEmail, s == kTape, remote, remote, s == kTape && !remote,
                                     s == kWorkOrder, s == kEmail, s == kTape}));
        EXPECT_TRUE(!set[Orvanta] || s == kOrvantaCatalog);
        EXPECT_TRUE(!set[Doc] || s == kDocCatalog);
    }
};

TEST(SourceMachine, EveryClickSequenceLeavesExactlyTheChosenSourceActive) {
    std::mt19937 rng(4711);
    const char* starts[] = {"1", "2", "3", "4", "5"};
    for (int run = 0; run < 400; ++run) {
        FormModel m;
        m.start(starts[run % 5], run % 2);
        std::string how = std::string("start ") + starts[run % 5];
        m.expectShowsTheSource(how);
        ASSERT_EQ(m.state.tapeHost, run % 2);
        for (int i = 0; i < 12; ++i) {
            const int pick = static_cast<int>(rng() % 10);
            if (pick < kToggles) {
                // Local and Remote host are insensitive unless Tape is chosen.
                if (pick >= Local && m.state.source != kTape) continue;
                m.click(static_cast<Toggle>(pick));
                how += ", click " + std::to_string(pick);
            } else {
                // A click into a greyed field chooses its source; into the
                // tape host field, a remote tape.
                m.handle(pick == 7 ? Event::Email : pick == 8 ? Event::TapeDevFocus : Event::TapeHostFocus);
                EXPECT_TRUE(pick != 9 || m.state.tapeHost == 1);
                how += ", focus " + std::to_string(pick);
            }
            m.expectShowsTheSource(how);
            if (::testing::Test::HasFailure()) return;
        }
    }
}

TEST(StartPlan, WorkOrderNumberSourceWordAndCatalogueFlags) {
    // media, work order, Orvanta flag, documentation flag -> "source valid
    // orderAvailable orvantaDisabled docDisabled"; words are read like atoi.
    const std::pair<std::array<const char*, 4>, std::string> cases[] = {
        {{"1", "0", "0", "0"}, "2 1 0 0 0"},   // "0" alone: no work order
        {{"1", "00", "0", "0"}, "1 1 1 0 0"}, {{"3abc", "", "0", "0"}, "3 1 1 0 0"}, {{" +4", "5", "2", "0x"}, "4 1 1 1 0"},
        {{"5", "5", "0", "-3"}, "5 1 1 0 1"}, {{"99999999999999", "5", "0", "0"}, "2147483647 0 1 0 0"}};
    for (const auto& [words, want] : cases) {
        const StartPlan p = planStart(words[0], words[1], words[2], words[3]);
        std::ostringstream got;
        got << p.source << " " << p.valid << " " << p.orderAvailable << " " << p.orvantaDisabled << " " << p.docDisabled;
        EXPECT_EQ(got.str(), want) << words[0] << " " << words[1];
    }
}

TEST(EmailFile, EachProblemHasItsWarningAndTheNameIsExpandedOnlyForTheOpen) {
    tk::TempRoot dir;
    const std::string d = dir.path();
    const auto oldCwd = std::filesystem::current_path();
    const std::string oldHome = getenv("HOME") ? getenv("HOME") : "/";
    std::filesystem::current_path(d);
    setenv("HOME", d.c_str(), 1);
    unsetenv("TREV_UNSET_VARIABLE");
    dir.write("wo.txt", "x");
    dir.write("~/wo.txt", "x");   // a directory literally named "~"
    dir.write("$TREV_UNSET_VARIABLE", "x");
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {std::string(255, '/'), std::string(255, '/') + ": Not a regular file\n Respecify the email file name\n"},
        {std::string(256, '/'), "The email file name is too long: at most 255 characters\n Respecify the email file name\n"},
        {"~/wo.txt", std::nullopt},   // examined as typed, relative to the working directory
        {"$TREV_UNSET_VARIABLE", "Cannot read email file $TREV_UNSET_VARIABLE.\nSystem_Error:Cannot expand the file name"}};
    for (const auto& [path, problem] : cases) EXPECT_EQ(emailFileProblem(path), problem) << path.substr(0, 20);
    std::filesystem::remove(d + "/~/wo.txt");   // ~/wo.txt expanded exists, the typed one not
    EXPECT_EQ(emailFileProblem("~/wo.txt"), "Stat system call failed for ~/wo.txt\nSystem_Error:No such file or directory\n");
    std::filesystem::current_path(oldCwd);
    setenv("HOME", oldHome.c_str(), 1);
}

}  // namespace
