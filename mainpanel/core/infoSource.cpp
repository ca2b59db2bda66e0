#include "infoSource.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "fileUtils.h"
#include "shellQuote.h"

namespace trev::info {

namespace {

// Undoing the widgets of the source being left.
void leave(int source, std::vector<Action>& out) {
    switch (source) {
    case kWorkOrder: out.push_back({Act::UnsetOrder}); break;
    case kEmail: out.push_back({Act::EmailRowOff}); break;
    case kTape: out.push_back({Act::TapeOff}); break;
    case kOrvantaCatalog: out.push_back({Act::UnsetOrvanta}); break;
    case kDocCatalog: out.push_back({Act::UnsetDoc}); break;
    default: break;
    }
}

// Choosing Tape from another source, with the Local/Remote state of
// `next.tapeHost`.
void enableTape(Step& step) {
    leave(step.next.source, step.actions);
    step.actions.push_back({Act::TapeOn});
    step.actions.push_back({Act::ShowInfo, kTape});
    step.next.source = kTape;
}

// Choosing one of the two catalogues: the other one is left by their radio
// box, which unsets its toggle before the new toggle's handler runs.
void chooseCatalogue(Step& step, int source) {
    const int current = step.next.source;
    if (current == kWorkOrder || current == kEmail || current == kTape) leave(current, step.actions);
    if (current != source) {
        step.actions.push_back({Act::ShowInfo, source});
        step.next.source = source;
    }
}

}  // namespace

Step transition(const State& state, Event event) {
    Step step{state, {}};
    const int current = state.source;
    switch (event) {
    case Event::WorkOrder:
        if (current != kWorkOrder) {
            leave(current, step.actions);
            step.actions.push_back({Act::ShowInfo, kWorkOrder});
            step.next.source = kWorkOrder;
        }
        break;
    case Event::Email:
        if (current != kEmail) {
            leave(current, step.actions);
            step.actions.push_back({Act::EmailRowOn});
            step.actions.push_back({Act::ShowInfo, kEmail});
            step.next.source = kEmail;
        }
        break;
    case Event::Tape:
    case Event::TapeDevFocus:
        if (current != kTape) enableTape(step);
        break;
    case Event::TapeHostFocus:
        if (current != kTape) {
            step.next.tapeHost = 1;
            enableTape(step);
        } else if (state.tapeHost == 0) {
            step.next.tapeHost = 1;
            step.actions.push_back({Act::RemoteLocal, 1});
        }
        break;
    case Event::TapeLocal:
        if (state.tapeHost == 1) {
            step.next.tapeHost = 0;
            step.actions.push_back({Act::RemoteLocal, 0});
        }
        break;
    case Event::TapeRemote:
        if (state.tapeHost == 0) {
            step.next.tapeHost = 1;
            step.actions.push_back({Act::RemoteLocal, 1});
        }
        break;
    case Event::OrvantaCatalog:
        chooseCatalogue(step, kOrvantaCatalog);
        break;
    case Event::DocCatalog:
        chooseCatalogue(step, kDocCatalog);
        break;
    }
    return step;
}

int atoiLike(const char* text) {
    if (!text) return 0;
    errno = 0;
    const long v = std::strtol(text, nullptr, 10);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

StartPlan planStart(const char* media, const char* workOrder, const char* orvantaFlag,
                    const char* docFlag) {
    StartPlan plan;
    plan.source = atoiLike(media);
    plan.orderAvailable = std::strcmp(workOrder ? workOrder : "", "0") != 0;
    if (!plan.orderAvailable && plan.source == kWorkOrder) plan.source = kEmail;
    plan.orvantaDisabled = atoiLike(orvantaFlag) != 0;
    plan.docDisabled = atoiLike(docFlag) != 0;
    plan.valid = plan.source >= kWorkOrder && plan.source <= kDocCatalog;
    std::vector<Action>& a = plan.actions;
    switch (plan.valid ? plan.source : kNone) {
    case kWorkOrder:
        a = {{Act::SetOrder}, {Act::OrderNumberSensitive}, {Act::EmailRowOff},
             {Act::TapeOffFromSpec}};
        break;
    case kEmail:
        a = {{Act::EmailRowOn}, {Act::TapeOffFromSpec}};
        break;
    case kTape:
        a = {{Act::EmailRowOff}, {Act::ParseTapeSpec}, {Act::TapeOn}};
        break;
    case kOrvantaCatalog:
        a = {{Act::SetOrvanta}, {Act::EmailRowOff}, {Act::TapeOffFromSpec}};
        break;
    case kDocCatalog:
        a = {{Act::SetDoc}, {Act::EmailRowOff}, {Act::TapeOffFromSpec}};
        break;
    default:
        return plan;
    }
    a.push_back({Act::ShowInfo, plan.source});
    return plan;
}

std::optional<std::string> emailFileProblem(const std::string& path) {
    if (path.empty()) return std::string("You need to specify email file name");
    if (path.size() > kEmailPathMax)
        return "The email file name is too long: at most " + std::to_string(kEmailPathMax) +
               " characters\n Respecify the email file name\n";
    // The name is printed for the script as one line, and kept in form.status.
    if (hasControl(path))
        return std::string("The email file name holds a control character (a line feed, a tab, "
                           "...)\n Respecify the email file name\n");
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        const int err = errno;
        return "Stat system call failed for " + path + "\nSystem_Error:" + std::strerror(err) + "\n";
    }
    const std::string notRegular = path + ": Not a regular file\n Respecify the email file name\n";
    if (!S_ISREG(st.st_mode)) return notRegular;
    // The open checks the type again on its descriptor (the name may have
    // changed since, or expand to another file) and never waits on a FIFO.
    const Opened o = openChecked(path.c_str(), "r");
    if (o.failure == OpenFailure::NotRegular) return notRegular;
    if (!o.file) {
        // The name expanded for the open may name nothing readable without
        // a system error (an unset variable, an unknown user).
        const std::string reason =
            o.error ? std::strerror(o.error) : "Cannot expand the file name";
        return "Cannot read email file " + path + ".\nSystem_Error:" + reason;
    }
    return std::nullopt;
}

}  // namespace trev::info
