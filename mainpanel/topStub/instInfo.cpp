// Callbacks of the Installation Information form.  The source machine
// (core/infoSource.h) decides every change of source; the handlers here feed
// it the user's actions and carry out on the widgets what it answers.
#include <Xm/Text.h>
#include <Xm/ToggleB.h>

#include <cstdio>

#include "core/deviceName.h"
#include "core/infoSource.h"
#include "globals.h"
#include "inMedD/deviceLayer.h"
#include "mainpanelExit.h"
#include "topStub/topStub.h"
#include "topWidget/instInfo.h"
#include "topWidget/topWidget.h"
#include "xraii.h"

using trev::info::Act;
using trev::info::Action;
using trev::info::Event;

Widget shownInfoLabel;

// The script's tape device name, set when the form starts.
const char* instInfoTapeSpec = "";

namespace {

void setToggle(Widget t, bool on) { XmToggleButtonSetState(t, on ? True : False, False); }

void remoteLocal(int remote) {
    toggleRemoteLocal(remote, prodInfoTapeLocal, prodInfoTapeRemote, prodInfoTapeHostName,
                      prodInfoTapeHostNameCB);
}

}  // namespace

void runInfoAction(const Action& a) {
    switch (a.act) {
    case Act::SetOrder: setToggle(prodInfoOrder, true); break;
    case Act::UnsetOrder: setToggle(prodInfoOrder, false); break;
    case Act::OrderNumberSensitive: XtSetSensitive(prodInfoOrderNumber, True); break;
    case Act::EmailRowOn: toggleEmailFile(1, prodInfoEmailText, prodInfoEmailCB); break;
    case Act::EmailRowOff: toggleEmailFile(0, prodInfoEmailText, prodInfoEmailCB); break;
    case Act::TapeOn: enableTapeDev(); break;
    case Act::TapeOff: disableTapeDev(nullptr); break;
    case Act::TapeOffFromSpec: disableTapeDev(instInfoTapeSpec); break;
    case Act::ParseTapeSpec:
        tapeHost = parseDevName(instInfoTapeSpec, prodInfoTapeDevName, prodInfoTapeHostName, 1);
        break;
    case Act::SetOrvanta: setToggle(prodInfoOrvantaCatalog, true); break;
    case Act::UnsetOrvanta: setToggle(prodInfoOrvantaCatalog, false); break;
    case Act::SetDoc: setToggle(prodInfoDocCatalog, true); break;
    case Act::UnsetDoc: setToggle(prodInfoDocCatalog, false); break;
    case Act::RemoteLocal: remoteLocal(a.arg); break;
    case Act::ShowInfo: displayInfo(a.arg); break;
    }
}

namespace {

// One user action: the machine's answer becomes the form's state and is
// shown on the widgets.
void handle(Event e) {
    const trev::info::Step step = trev::info::transition({formStatusRec.infoSource, tapeHost}, e);
    formStatusRec.infoSource = step.next.source;
    tapeHost = step.next.tapeHost;
    for (const Action& a : step.actions) runInfoAction(a);
}

}  // namespace

void displayInfo(int source) {
    Widget labels[] = {workOrderInfo, emailInfo, tapeInfo, orvantaCatalogInfo, docCatalogInfo};
    if (source < trev::info::kWorkOrder || source > trev::info::kDocCatalog) return;
    Widget label = labels[source - 1];
    if (label == shownInfoLabel) return;
    if (!shownInfoLabel) {
        XtSetMappedWhenManaged(label, True);
    } else {
        XtUnmapWidget(shownInfoLabel);
        XtMapWidget(label);
    }
    shownInfoLabel = label;
}

void toggleEmailFile(int enable, Widget textField, XtCallbackProc handler) {
    toggleTextEditable(enable, textField, handler);
    setToggle(prodInfoEmail, enable != 0);
}

void enableTapeDev() {
    setToggle(prodInfoTape, true);
    for (Widget w : {prodInfoTapeFrameLabel, prodInfoTapeDevLabel, prodInfoTapeLocal, prodInfoTapeRemote})
        XtSetSensitive(w, True);
    remoteLocal(tapeHost);
    toggleTextEditable(1, prodInfoTapeDevName, prodInfoTapeDevNameCB);
    loadDevice |= trev::kDevTape;
}

int checkEmailFile(const char* path) {
    const std::optional<std::string> problem = trev::info::emailFileProblem(path);
    if (!problem) return 0;
    displayWarn(problem->c_str());
    return 1;
}

void prodInfoWorkOrderCB(Widget, XtPointer, XtPointer) { handle(Event::WorkOrder); }
void prodInfoEmailCB(Widget, XtPointer, XtPointer) { handle(Event::Email); }
void prodInfoTapeCB(Widget, XtPointer, XtPointer) { handle(Event::Tape); }
void prodInfoOrvantaCatalogCB(Widget, XtPointer, XtPointer) { handle(Event::OrvantaCatalog); }
void prodInfoDocCatalogCB(Widget, XtPointer, XtPointer) { handle(Event::DocCatalog); }
void prodInfoTapeDevNameCB(Widget, XtPointer, XtPointer) { handle(Event::TapeDevFocus); }
void prodInfoTapeHostNameCB(Widget, XtPointer, XtPointer) { handle(Event::TapeHostFocus); }
void prodInfoTapeLocalCB(Widget, XtPointer, XtPointer) { handle(Event::TapeLocal); }
void prodInfoTapeRemoteCB(Widget, XtPointer, XtPointer) { handle(Event::TapeRemote); }

void instInfoOkCB(Widget, XtPointer, XtPointer) {
    const int source = formStatusRec.infoSource;
    if (source == trev::info::kEmail) {
        const XtPtr<char> text(XmTextGetString(prodInfoEmailText));
        const std::string path = text ? text.get() : "";
        if (checkEmailFile(path.c_str())) return;
        std::fputs(trev::assignmentLine("EmailFile", path).c_str(), stdout);
        trev::setEmailFile(formStatusRec, path);
    } else if (source == trev::info::kTape) {
        if (checkEmptyDev(trev::kDevTape, nullptr, nullptr, prodInfoTapeDevName, prodInfoTapeHostName))
            return;
    }
    std::fflush(stdout);
    cleanExit(source);
}

void instInfoMainMenuCB(Widget, XtPointer, XtPointer) { cleanExit(trev::exitcode::kMainMenu); }
