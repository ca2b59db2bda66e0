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
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "core/infoSource.h"

namespace {

using namespace trev::info;
namespace fs = std::filesystem;

enum Toggle { Order, Email, Tape, Orvanta, Doc, Local, Remote, kToggles };

struct FormModel {
    State state;
    bool set[kToggles] = {};
    bool emailEditable = false;
    bool tapeGroupSensitive = false;
    bool devEditable = false;
    bool hostEditable = false;
    bool tapeBit = false;
    int shownInfo = 0;
    int infoChanges = 0;

    void apply(const Action& a) {
        switch (a.act) {
        case Act::SetOrder: set[Order] = true; break;
        case Act::UnsetOrder: set[Order] = false; break;
        case Act::OrderNumberSensitive: break;
        case Act::EmailRowOn: emailEditable = true; set[Email] = true; break;
        case Act::EmailRowOff: emailEditable = false; set[Email] = false; break;
        case Act::TapeOn:
            set[Tape] = true;
            tapeGroupSensitive = devEditable = tapeBit = true;
            remoteLocal(state.tapeHost);
            break;
        case Act::TapeOff:
        case Act::TapeOffFromSpec:
            set[Tape] = set[Local] = set[Remote] = false;
            tapeGroupSensitive = devEditable = hostEditable = tapeBit = false;
            break;
        case Act::ParseTapeSpec: break;
        case Act::SetOrvanta: set[Orvanta] = true; break;
        case Act::UnsetOrvanta: set[Orvanta] = false; break;
        case Act::SetDoc: set[Doc] = true; break;
        case Act::UnsetDoc: set[Doc] = false; break;
        case Act::RemoteLocal: remoteLocal(a.arg); break;
        case Act::ShowInfo:
            if (a.arg != shownInfo) ++infoChanges;
            shownInfo = a.arg;
            break;
        }
    }
    void remoteLocal(int remote) {
        set[Remote] = remote == 1;
        set[Local] = remote != 1;
        hostEditable = remote == 1;
    }
    // A handler runs: the machine decides, the widgets follow.
    void handle(Event e) {
        const Step step = transition(state, e);
        state = step.next;
        for (const Action& a : step.actions) apply(a);
    }
    static Event eventOf(Toggle t) {
        switch (t) {
        case Order: return Event::WorkOrder;
        case Email: return Event::Email;
        case Tape: return Event::Tape;
        case Orvanta: return Event::OrvantaCatalog;
        case Doc: return Event::DocCatalog;
        case Local: return Event::TapeLocal;
        default: return Event::TapeRemote;
        }
    }
    // A user's click on a toggle of one of the three radio boxes.
    void click(Toggle t) {
        // The three radio boxes: sources 1-3, the catalogues (which may be
        // left with no toggle set), Local/Remote host.
        const Toggle first = t <= Tape ? Order : t <= Doc ? Orvanta : Local;
        const Toggle last = t <= Tape ? Tape : t <= Doc ? Doc : Remote;
        const bool alwaysOne = first != Orvanta;
        if (set[t]) {
            if (alwaysOne) return;   // a click on the set toggle changes nothing
            set[t] = false;
            handle(eventOf(t));
            return;
        }
        for (int other = first; other <= last; ++other)
            if (other != t && set[other]) {
                set[other] = false;
                handle(eventOf(static_cast<Toggle>(other)));
            }
        set[t] = true;
        handle(eventOf(t));
    }
    void start(const char* media, const char* wo, int tapeHostFromSpec) {
        const StartPlan plan = planStart(media, wo, "0", "0");
        ASSERT_TRUE(plan.valid);
        for (const Action& a : plan.actions) {
            if (a.act == Act::ParseTapeSpec || a.act == Act::TapeOffFromSpec)
                state.tapeHost = tapeHostFromSpec;
            apply(a);
        }
        state.source = plan.source;
    }
};

// What every state of the form must show: exactly the chosen source's
// widgets active.
void expectShows(const FormModel& m, const std::string& how) {
    const int s = m.state.source;
    SCOPED_TRACE(how + ", source " + std::to_string(s));
    EXPECT_EQ(m.shownInfo, s);
    EXPECT_EQ(m.emailEditable, s == kEmail);
    EXPECT_EQ(m.tapeGroupSensitive, s == kTape);
    EXPECT_EQ(m.devEditable, s == kTape);
    EXPECT_EQ(m.tapeBit, s == kTape);
    EXPECT_EQ(m.hostEditable, s == kTape && m.state.tapeHost == 1);
    EXPECT_EQ(m.set[Remote], s == kTape && m.state.tapeHost == 1);
    EXPECT_EQ(m.set[Local], s == kTape && m.state.tapeHost == 0);
    // The first box shows the source when it is one of its own, else nothing.
    EXPECT_EQ(m.set[Order], s == kWorkOrder);
    EXPECT_EQ(m.set[Email], s == kEmail);
    EXPECT_EQ(m.set[Tape], s == kTape);
    // The catalogue box may have lost its mark to a second click, but never
    // shows a source that is not chosen.
    EXPECT_TRUE(!m.set[Orvanta] || s == kOrvantaCatalog);
    EXPECT_TRUE(!m.set[Doc] || s == kDocCatalog);
}

TEST(SourceMachine, EveryClickSequenceLeavesExactlyTheChosenSourceActive) {
    std::mt19937 rng(4711);
    const char* starts[] = {"1", "2", "3", "4", "5"};
    for (int run = 0; run < 400; ++run) {
        FormModel m;
        const int host = run % 2;
        m.start(starts[run % 5], "17", host);
        expectShows(m, "start");
        ASSERT_EQ(m.state.tapeHost, host);
        std::string how = std::string("start ") + starts[run % 5];
        for (int i = 0; i < 12; ++i) {
            const int pick = static_cast<int>(rng() % 10);
            if (pick < 7) {
                const Toggle t = static_cast<Toggle>(pick);
                // Local and Remote host are insensitive unless Tape is chosen.
                if ((t == Local || t == Remote) && m.state.source != kTape) continue;
                m.click(t);
                how += ", click " + std::to_string(pick);
            } else {
                // Focus into a field: the handlers are attached while it is grey.
                const Event e = pick == 7 ? Event::Email : pick == 8 ? Event::TapeDevFocus
                                                                     : Event::TapeHostFocus;
                m.handle(e);
                how += ", focus " + std::to_string(pick);
            }
            expectShows(m, how);
            if (::testing::Test::HasFailure()) return;
        }
    }
}

TEST(SourceMachine, ACurrentSourceOrStateMakesEveryHandlerIdle) {
    for (int source = kWorkOrder; source <= kDocCatalog; ++source)
        for (int host = 0; host <= 1; ++host) {
            const State s{source, host};
            const Event own[] = {Event::WorkOrder, Event::Email, Event::Tape,
                                 Event::OrvantaCatalog, Event::DocCatalog};
            const Step step = transition(s, own[source - 1]);
            EXPECT_TRUE(step.actions.empty()) << source;
            EXPECT_EQ(step.next.source, source);
            EXPECT_EQ(step.next.tapeHost, host);
        }
    EXPECT_TRUE(transition({kTape, 0}, Event::TapeLocal).actions.empty());
    EXPECT_TRUE(transition({kTape, 1}, Event::TapeRemote).actions.empty());
    EXPECT_TRUE(transition({kTape, 1}, Event::TapeHostFocus).actions.empty());
    EXPECT_TRUE(transition({kTape, 0}, Event::TapeDevFocus).actions.empty());
}

TEST(SourceMachine, TapeFieldsChooseTapeWithTheirOwnRemoteState) {
    // Device field: the script's Local/Remote state stays.
    for (int host = 0; host <= 1; ++host) {
        const Step s = transition({kEmail, host}, Event::TapeDevFocus);
        EXPECT_EQ(s.next.source, kTape);
        EXPECT_EQ(s.next.tapeHost, host);
        EXPECT_EQ(s.actions, (std::vector<Action>{{Act::EmailRowOff}, {Act::TapeOn}, {Act::ShowInfo, kTape}}));
    }
    // Host field: Tape with Remote host, set before the group is switched on.
    const Step s = transition({kDocCatalog, 0}, Event::TapeHostFocus);
    EXPECT_EQ(s.next.source, kTape);
    EXPECT_EQ(s.next.tapeHost, 1);
    EXPECT_EQ(s.actions, (std::vector<Action>{{Act::UnsetDoc}, {Act::TapeOn}, {Act::ShowInfo, kTape}}));
    // Already on Tape with a local drive: only the group switches to remote.
    const Step r = transition({kTape, 0}, Event::TapeHostFocus);
    EXPECT_EQ(r.next.tapeHost, 1);
    EXPECT_EQ(r.actions, (std::vector<Action>{{Act::RemoteLocal, 1}}));
}

TEST(SourceMachine, TheCatalogueBoxAloneLeavesTheOtherCatalogue) {
    FormModel m;
    m.start("4", "0", 0);
    EXPECT_TRUE(m.set[Orvanta]);
    // A second click clears the mark; the source stays.
    m.click(Orvanta);
    EXPECT_FALSE(m.set[Orvanta]);
    EXPECT_EQ(m.state.source, kOrvantaCatalog);
    EXPECT_EQ(m.shownInfo, kOrvantaCatalog);
    // And a third sets it again without any change.
    m.click(Orvanta);
    EXPECT_TRUE(m.set[Orvanta]);
    EXPECT_EQ(m.infoChanges, 1);
    // Documentation: the box unsets Orvanta first, whose handler finds its
    // source still current; then Documentation takes over and stays.
    m.click(Doc);
    EXPECT_EQ(m.state.source, kDocCatalog);
    EXPECT_FALSE(m.set[Orvanta]);
    EXPECT_TRUE(m.set[Doc]);
    EXPECT_EQ(m.shownInfo, kDocCatalog);
    // From a catalogue to the first box: the catalogue toggle is unset by
    // the program, since no radio box does it across boxes.
    m.click(Email);
    EXPECT_FALSE(m.set[Doc]);
    EXPECT_EQ(m.state.source, kEmail);
}

TEST(StartPlan, WorkOrderNumberAndSourceWords) {
    // "0" alone means no work order: Work Order unavailable, 1 becomes 2.
    StartPlan p = planStart("1", "0", "0", "0");
    EXPECT_FALSE(p.orderAvailable);
    EXPECT_EQ(p.source, kEmail);
    EXPECT_TRUE(p.valid);
    p = planStart("1", "00", "0", "0");
    EXPECT_TRUE(p.orderAvailable);
    EXPECT_EQ(p.source, kWorkOrder);
    EXPECT_EQ(p.actions.front(), (Action{Act::SetOrder}));
    EXPECT_TRUE(planStart("2", "", "0", "0").orderAvailable);
    // Words read like atoi.
    p = planStart("x", "5", "0", "0");
    EXPECT_FALSE(p.valid);
    EXPECT_EQ(p.source, 0);
    EXPECT_TRUE(p.actions.empty());
    EXPECT_EQ(planStart("3abc", "5", "0", "0").source, 3);
    EXPECT_EQ(planStart(" +4", "5", "0", "0").source, 4);
    EXPECT_FALSE(planStart("6", "5", "0", "0").valid);
    EXPECT_FALSE(planStart("-1", "5", "0", "0").valid);
    EXPECT_EQ(planStart("99999999999999", "5", "0", "0").source, 2147483647);
    // Catalogue flags: any non-zero number.
    p = planStart("4", "5", "2", "0x");
    EXPECT_TRUE(p.orvantaDisabled);
    EXPECT_FALSE(p.docDisabled);
    EXPECT_EQ(p.actions.front(), (Action{Act::SetOrvanta}));
    EXPECT_TRUE(planStart("4", "5", "0", "-3").docDisabled);
}

TEST(StartPlan, TapeIsFilledFromTheDeviceNameBeforeItIsSwitchedOn) {
    const StartPlan p = planStart("3", "0", "0", "0");
    EXPECT_EQ(p.actions, (std::vector<Action>{{Act::EmailRowOff}, {Act::ParseTapeSpec},
                                              {Act::TapeOn}, {Act::ShowInfo, kTape}}));
    // Every other source greys the tape group after filling it from the
    // device name, and always shows its own description.
    for (const char* media : {"1", "2", "4", "5"}) {
        const StartPlan q = planStart(media, "9", "0", "0");
        int fills = 0;
        for (const Action& a : q.actions) fills += a.act == Act::TapeOffFromSpec;
        EXPECT_EQ(fills, 1) << media;
        EXPECT_EQ(q.actions.back(), (Action{Act::ShowInfo, q.source}));
    }
}

// ---- The e-mail file -------------------------------------------------------------

class EmailFile : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/trev_email_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        oldCwd_ = fs::current_path();
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(oldCwd_);
        fs::remove_all(dir_);
    }
    std::string file(const std::string& name) {
        std::ofstream(dir_ + "/" + name) << "Subject: work order\n";
        return dir_ + "/" + name;
    }
    std::string dir_;
    fs::path oldCwd_;
};

TEST_F(EmailFile, EachProblemHasItsWarning) {
    EXPECT_EQ(emailFileProblem(""), "You need to specify email file name");
    EXPECT_EQ(emailFileProblem(dir_ + "/none"),
              "Stat system call failed for " + dir_ + "/none\nSystem_Error:No such file or directory\n");
    EXPECT_EQ(emailFileProblem(dir_), dir_ + ": Not a regular file\n Respecify the email file name\n");
    EXPECT_EQ(emailFileProblem(file("wo.txt")), std::nullopt);
    // Relative names against the working directory.
    EXPECT_EQ(emailFileProblem("wo.txt"), std::nullopt);
}

TEST_F(EmailFile, TheTextIsExaminedAsTypedAndExpandedOnlyForTheOpen) {
    setenv("HOME", dir_.c_str(), 1);
    file("wo.txt");
    // ~/wo.txt exists once expanded, but the literal name is examined first.
    EXPECT_EQ(emailFileProblem("~/wo.txt"),
              "Stat system call failed for ~/wo.txt\nSystem_Error:No such file or directory\n");
    // A file literally named ~ in the working directory passes stat; the
    // open then expands the name.
    fs::create_directory(dir_ + "/~");
    file("~/wo.txt");
    EXPECT_EQ(emailFileProblem("~/wo.txt"), std::nullopt);
    file("$TREV_UNSET_VARIABLE");
    unsetenv("TREV_UNSET_VARIABLE");
    const auto p = emailFileProblem("$TREV_UNSET_VARIABLE");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->rfind("Cannot read email file $TREV_UNSET_VARIABLE.\nSystem_Error:", 0), 0u) << *p;
}

TEST_F(EmailFile, PathsBeyondTheRecordAreRefused) {
    const std::string sub = dir_ + "/" + std::string(100, 'd');
    fs::create_directories(sub + "/" + std::string(100, 'e'));
    std::string longest = sub + "/" + std::string(100, 'e') + "/";
    longest += std::string(kEmailPathMax - longest.size(), 'f');
    ASSERT_EQ(longest.size(), 255u);
    std::ofstream(longest) << "x";
    EXPECT_EQ(emailFileProblem(longest), std::nullopt);
    const std::string tooLong = longest + "g";
    std::ofstream(tooLong) << "x";
    const auto p = emailFileProblem(tooLong);
    ASSERT_TRUE(p);
    EXPECT_NE(p->find("too long"), std::string::npos);
    EXPECT_NE(p->find("255"), std::string::npos);
}

}  // namespace
