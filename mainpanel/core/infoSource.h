// Where the installation information comes from, without X: the five
// sources of the Installation Information form as a state machine, the
// form's start from its command line, and the check of the e-mail file.
//
// The machine holds the chosen source and whether the tape drive is
// remote.  Each user action is an event; a transition gives the next state
// and, in order, what the form's widgets must do to show it.  The widgets
// never decide anything themselves.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace trev::info {

// The sources, as stored in infoSource and answered as the exit status.
constexpr int kNone = 0;   // before the form is filled
constexpr int kWorkOrder = 1;
constexpr int kEmail = 2;
constexpr int kTape = 3;
constexpr int kOrvantaCatalog = 4;
constexpr int kDocCatalog = 5;

// What the user did.  The choose events come from the source toggles (when
// they are set or unset: a toggle's handler does not look at its state),
// and for E-mail File also from a click into the greyed e-mail field and
// from opening the e-mail browser.
enum class Event {
    WorkOrder,
    Email,
    Tape,
    OrvantaCatalog,
    DocCatalog,
    TapeDevFocus,    // click into the greyed tape device field
    TapeHostFocus,   // click into the greyed tape host field
    TapeLocal,       // the Local toggle changed
    TapeRemote,      // the Remote host toggle changed
};

// What the widgets do.  Toggles set or unset here run no handler.
enum class Act {
    SetOrder,              // Work Order toggle set
    UnsetOrder,
    OrderNumberSensitive,  // the label beside Work Order
    EmailRowOn,            // e-mail field editable, E-mail File toggle set
    EmailRowOff,           // e-mail field greyed (text kept), toggle unset
    TapeOn,                // Tape set; tape group sensitive; Local/Remote as
                           // the tape host flag says; device field editable;
                           // tape bit of loadDevice set
    TapeOff,               // tape group greyed (texts kept), Tape unset,
                           // Local/Remote unset and insensitive, tape bit cleared
    TapeOffFromSpec,       // TapeOff, after the tape fields and the tape
                           // host flag were filled from the script's tape
                           // device name
    ParseTapeSpec,         // the tape fields and the tape host flag filled
                           // from the script's tape device name
    SetOrvanta,
    UnsetOrvanta,
    SetDoc,
    UnsetDoc,
    RemoteLocal,           // arg 1: Remote host set and host field editable;
                           // arg 0: Local set and host field greyed
    ShowInfo,              // arg: the source whose description is shown
};

struct Action {
    Act act;
    int arg = 0;
    bool operator==(const Action& o) const { return act == o.act && arg == o.arg; }
};

struct State {
    int source = kNone;
    int tapeHost = 0;   // 1: the tape drive is on a remote host
};

struct Step {
    State next;
    std::vector<Action> actions;
};

// One user action.  Every handler first leaves the current source and then
// takes its own; an action for the source (or tape host state) already
// current changes nothing, so a handler run twice, or run for a toggle being
// unset, is harmless.  Leaving one catalogue for the other is left to their
// radio box, which unsets the old toggle itself.
Step transition(const State& state, Event event);

// A number as atoi reads it: leading blanks, a sign, digits; text that is
// not a number is 0; values beyond int are clamped.
int atoiLike(const char* text);

// How the form starts, from its command line words: the initial source,
// the work order number, and the two catalogue flags.
struct StartPlan {
    int source = kNone;            // after the work order rule
    bool valid = false;            // source is 1 to 5
    bool orderAvailable = false;   // the work order number is not exactly "0"
    bool orvantaDisabled = false;
    bool docDisabled = false;
    std::vector<Action> actions;   // filling the widgets, when valid
};

// A work order number of exactly "0" means none has been processed: Work
// Order stays unavailable and an initial source 1 becomes 2.  The widgets
// start from no source, so the chosen source's widgets and description are
// always shown, whatever an earlier run left in the record.
StartPlan planStart(const char* media, const char* workOrder, const char* orvantaFlag,
                    const char* docFlag);

// ---- The e-mail file ----------------------------------------------------------

// Longest e-mail path the status record holds.
constexpr std::size_t kEmailPathMax = 255;

// Why `path` (as typed) cannot serve as the e-mail file, as the text of the
// warning; nullopt when it can.  In order: empty; longer than
// kEmailPathMax; a control character in it (hasControl); stat fails on the
// text as typed (relative to the working directory, "~" not expanded); not
// a regular file; it cannot be opened for reading as a regular file (a
// leading "$" or "~" expanded for the open).  Nothing is read.
std::optional<std::string> emailFileProblem(const std::string& path);

}  // namespace trev::info
