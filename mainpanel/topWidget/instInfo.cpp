// Form type 1, Installation Information: where the work order comes from.
// Five sources in two radio boxes (one exclusive choice), the e-mail file
// row with its browser, the tape drive entry group and one description per
// source.  OK answers the source as the exit status.
//
// The source machine (core/infoSource.h) decides every change of source;
// the handlers here feed it the user's actions and carry out on the widgets
// what it answers.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/devices.h"
#include "app/form.h"
#include "core/deviceName.h"
#include "core/infoSource.h"
#include "kit/entryGroup.h"
#include "topWidget/emailBrowser.h"
#include "topWidget/forms.h"

namespace {

using trev::info::Act;
using trev::info::Action;
using trev::info::Event;

Widget instInfo, prodInfo;
Widget prodInfoOrder, prodInfoEmail, prodInfoTape, prodInfoOrderNumber;
Widget prodInfoEmailText, prodInfoEmailBrowser, prodInfoTapeFrameLabel;
Widget prodInfoOrvantaCatalog, prodInfoDocCatalog;
// The five descriptions, by source (1 to 5), and the one shown.
Widget infoLabels[trev::info::kDocCatalog + 1];
Widget shownInfoLabel;
kit::EntryGroup tape;

// The script's tape device name (the fourth word), for the tape fields.
const char* instInfoTapeSpec = "";

void handle(Event e);

void prodInfoSourceCB(Widget, XtPointer event, XtPointer) {
    handle(static_cast<Event>(kit::numberOf(event)));
}
void prodInfoEmailCB(Widget, XtPointer, XtPointer) { handle(Event::Email); }
void prodInfoTapeDevNameCB(Widget, XtPointer, XtPointer) { handle(Event::TapeDevFocus); }
void prodInfoTapeHostNameCB(Widget, XtPointer, XtPointer) { handle(Event::TapeHostFocus); }
void prodInfoTapeLocalCB(Widget, XtPointer, XtPointer) { handle(Event::TapeLocal); }
void prodInfoTapeRemoteCB(Widget, XtPointer, XtPointer) { handle(Event::TapeRemote); }

// Browser... opens the e-mail browser and chooses the E-mail File source.
void prodInfoEmailBrowserCB(Widget, XtPointer, XtPointer) {
    showEmailBrowser(prodInfoEmailText);
    if (formStatusRec.infoSource != trev::info::kEmail) handle(Event::Email);
}

// Shows the description of `source` (1 to 5) in place of the one shown.
void displayInfo(int source) {
    if (source < trev::info::kWorkOrder || source > trev::info::kDocCatalog) return;
    Widget label = infoLabels[source];
    if (label == shownInfoLabel) return;
    if (!shownInfoLabel) {
        XtSetMappedWhenManaged(label, True);
    } else {
        XtUnmapWidget(shownInfoLabel);
        XtMapWidget(label);
    }
    shownInfoLabel = label;
}

// The tape group on (sensitive, the host side as tapeHost says, device
// field editable, tape bit of loadDevice set) or greyed.
void showTape(bool on) {
    kit::setToggle(prodInfoTape, on);
    for (Widget w : {prodInfoTapeFrameLabel, tape.deviceLabel, tape.local, tape.remote})
        XtSetSensitive(w, on ? True : False);
    if (on) {
        kit::showRemote(tape, tapeHost);
        loadDevice |= trev::kDevTape;
    } else {
        kit::setEditable(tape.host, false, prodInfoTapeHostNameCB, &tape);
        kit::setToggle(tape.local, false);
        kit::setToggle(tape.remote, false);
        loadDevice &= ~trev::kDevTape;
    }
    kit::setEditable(tape.device, on, prodInfoTapeDevNameCB, nullptr);
}

void readTapeSpec() { tapeHost = showDevName(instInfoTapeSpec, tape.device, tape.host, true); }

// Carries out on the widgets one action of the source machine.
void runInfoAction(const Action& a) {
    switch (a.act) {
    case Act::SetOrder: kit::setToggle(prodInfoOrder, true); break;
    case Act::UnsetOrder: kit::setToggle(prodInfoOrder, false); break;
    case Act::OrderNumberSensitive: XtSetSensitive(prodInfoOrderNumber, True); break;
    case Act::EmailRowOn:
    case Act::EmailRowOff: {
        const bool on = a.act == Act::EmailRowOn;
        kit::setEditable(prodInfoEmailText, on, prodInfoEmailCB, nullptr);
        kit::setToggle(prodInfoEmail, on);
        break;
    }
    case Act::TapeOn: showTape(true); break;
    case Act::TapeOff: showTape(false); break;
    case Act::TapeOffFromSpec:
        readTapeSpec();
        showTape(false);
        break;
    case Act::ParseTapeSpec: readTapeSpec(); break;
    case Act::SetOrvanta: kit::setToggle(prodInfoOrvantaCatalog, true); break;
    case Act::UnsetOrvanta: kit::setToggle(prodInfoOrvantaCatalog, false); break;
    case Act::SetDoc: kit::setToggle(prodInfoDocCatalog, true); break;
    case Act::UnsetDoc: kit::setToggle(prodInfoDocCatalog, false); break;
    case Act::RemoteLocal: kit::showRemote(tape, a.arg != 0); break;
    case Act::ShowInfo: displayInfo(a.arg); break;
    }
}

// One user action: the machine's answer becomes the form's state and is
// shown on the widgets.
void handle(Event e) {
    const trev::info::Step step = trev::info::transition({formStatusRec.infoSource, tapeHost}, e);
    formStatusRec.infoSource = step.next.source;
    tapeHost = step.next.tapeHost != 0;
    for (const Action& a : step.actions) runInfoAction(a);
}

void instInfoOkCB(Widget, XtPointer, XtPointer) {
    const int source = formStatusRec.infoSource;
    if (source == trev::info::kEmail) {
        const std::string path = kit::fieldText(prodInfoEmailText);
        if (const std::optional<std::string> problem = trev::info::emailFileProblem(path)) {
            displayWarn(problem->c_str());
            return;
        }
        std::fputs(trev::assignmentLine("EmailFile", path).c_str(), stdout);
        trev::setEmailFile(formStatusRec, path);
    } else if (source == trev::info::kTape) {
        if (!devicesAnswered(trev::kDevTape, nullptr, nullptr, tape.device, tape.host)) return;
    }
    cleanExit(source);
}

// ---- Building ---------------------------------------------------------------------

// Offset from the top of a one-column radio box at which `w` sits centred
// on the box's row `row`: the rows are as high as the highest toggle and
// `spacing` apart, below the box's margin.
int rowOffset(Widget box, int row, Widget w) {
    Dimension margin = 0, spacing = 0;
    XtVaGetValues(box, XmNmarginHeight, &margin, XmNspacing, &spacing, nullptr);
    int rowHeight = 0;
    for (Widget c : kit::childrenOf(box)) rowHeight = std::max<int>(rowHeight, kit::preferredHeight(c));
    const int top = margin + row * (rowHeight + spacing);
    return top + (rowHeight - static_cast<int>(kit::preferredHeight(w))) / 2;
}

void attachToRow(Widget w, Widget box, int row) {
    XtVaSetValues(w, XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, box,
                  XmNtopOffset, rowOffset(box, row, w), nullptr);
}

Widget radioBox(const char* name, Widget parent, Boolean alwaysOne) {
    Widget box = XmCreateRadioBox(parent, const_cast<char*>(name), nullptr, 0);
    XtVaSetValues(box, XmNorientation, XmVERTICAL, XmNnumColumns, 1, XmNpacking, XmPACK_COLUMN,
                  XmNradioAlwaysOne, alwaysOne, XmNspacing, 10, nullptr);
    return box;
}

Widget sourceToggle(const char* name, Widget box, Event e) {
    Widget t = XtVaCreateManagedWidget(name, xmToggleButtonWidgetClass, box, nullptr);
    kit::onChange(t, prodInfoSourceCB, kit::number(static_cast<int>(e)));
    return t;
}

void buildSources() {
    Widget head = XtVaCreateManagedWidget(
        "prodInfoHead", xmLabelWidgetClass, prodInfo,
        XmNtopAttachment, XmATTACH_FORM, XmNleftAttachment, XmATTACH_FORM, nullptr);
    Widget sources = radioBox("widget154", prodInfo, True);
    XtVaSetValues(sources, XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, head, XmNtopOffset, 5,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 15, nullptr);
    prodInfoOrder = sourceToggle("prodInfoOrder", sources, Event::WorkOrder);
    prodInfoEmail = sourceToggle("prodInfoEmail", sources, Event::Email);
    prodInfoTape = sourceToggle("prodInfoTape", sources, Event::Tape);
    XtManageChild(sources);

    prodInfoOrderNumber = XtVaCreateManagedWidget(
        "prodInfoOrderNumber", xmLabelWidgetClass, prodInfo,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, sources, XmNleftOffset, 5, nullptr);
    attachToRow(prodInfoOrderNumber, sources, 0);

    // The e-mail row: the field from 140 up to Browser... at the right edge.
    prodInfoEmailBrowser = XtVaCreateManagedWidget(
        "prodInfoEmailBrowser", xmPushButtonWidgetClass, prodInfo,
        XmNrightAttachment, XmATTACH_FORM, nullptr);
    attachToRow(prodInfoEmailBrowser, sources, 1);
    kit::onActivate(prodInfoEmailBrowser, prodInfoEmailBrowserCB);
    prodInfoEmailText = XtVaCreateManagedWidget(
        "prodInfoEmailText", xmTextWidgetClass, prodInfo,
        XmNeditMode, XmSINGLE_LINE_EDIT,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 140,
        XmNrightAttachment, XmATTACH_WIDGET, XmNrightWidget, prodInfoEmailBrowser,
        XmNrightOffset, 10, nullptr);
    attachToRow(prodInfoEmailText, sources, 1);

    // The tape frame, its top level with the Tape toggle.
    prodInfoTapeFrameLabel = kit::label(prodInfo, "prodInfoTapeFrameLabel");
    Widget tapeFrame = XtVaCreateManagedWidget(
        "widget162", xmFrameWidgetClass, prodInfo,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 140,
        XmNrightAttachment, XmATTACH_FORM,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, sources,
        XmNtopOffset, rowOffset(sources, 2, prodInfoTape), nullptr);
    kit::attachFrameLabel(prodInfoTapeFrameLabel, tapeFrame);
    Widget tapeGroup = XtVaCreateWidget("widget163", xmFormWidgetClass, tapeFrame, nullptr);
    tape.remoteFlag = &tapeHost;
    tape.mode = kit::EntryMode::Custom;
    tape.handlers = {prodInfoTapeLocalCB, prodInfoTapeRemoteCB, prodInfoTapeHostNameCB};
    kit::buildEntryGroup(tape, tapeGroup,
                         {"prodInfoTapeDevLabel", "prodInfoTapeDevName", "prodInfoTapeHostName",
                          "widget164", "prodInfoTapeLocal", "prodInfoTapeRemote"},
                         nullptr, 10, true);
    XtManageChild(tapeGroup);

    // The catalogues, below the tape frame; a click on the set one clears it.
    Widget catalogues = radioBox("widget170", prodInfo, False);
    XtVaSetValues(catalogues,
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, tapeFrame, XmNtopOffset, 10,
                  XmNleftAttachment, XmATTACH_OPPOSITE_WIDGET, XmNleftWidget, sources,
                  XmNbottomAttachment, XmATTACH_FORM, nullptr);
    prodInfoOrvantaCatalog = sourceToggle("prodInfoOrvantaCatalog", catalogues, Event::OrvantaCatalog);
    prodInfoDocCatalog = sourceToggle("prodInfoDocCatalog", catalogues, Event::DocCatalog);
    XtManageChild(catalogues);
}

// The Comments frame below the choices, holding the five descriptions at
// one place; the resources keep them unmapped until one is shown.
void buildDescriptions(Widget upper) {
    Widget title = kit::label(upper, "prodInfoDescpFrameLabel");
    Widget frame = XtVaCreateManagedWidget(
        "widget173", xmFrameWidgetClass, upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, prodInfo, XmNtopOffset, 20,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM,
        XmNbottomAttachment, XmATTACH_FORM, nullptr);
    kit::attachFrameLabel(title, frame);
    Widget holder = XtVaCreateWidget("widget174", xmFormWidgetClass, frame, nullptr);
    const char* names[] = {nullptr, "workOrderInfo", "emailInfo", "tapeInfo",
                           "orvantaCatalogInfo", "docCatalogInfo"};
    for (int source = trev::info::kWorkOrder; source <= trev::info::kDocCatalog; ++source)
        infoLabels[source] = XtVaCreateManagedWidget(
            names[source], xmLabelWidgetClass, holder,
            XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 15,
            XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
            XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
            XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 10, nullptr);
    XtManageChild(holder);
}

}  // namespace

// mainpanel 1 prodInfoMedia workOrderNum tapeDev 1/0 1/0.
void startInstInfo(int, char** argv) {
    const trev::info::StartPlan plan = trev::info::planStart(argv[2], argv[3], argv[5], argv[6]);
    if (!plan.valid) {
        std::fprintf(stderr, "Unknown product infomation: %d\n", plan.source);
        std::exit(kStartFailure);
    }
    instInfoTapeSpec = argv[4];

    instInfo = createFormShell();
    kit::Frame f = kit::buildFrame(instInfo, {"widget147", "widget148", "instInfoLogo", "widget149",
                                              "widget151", nullptr, "widget179", "instInfoAction"});
    prodInfo = XtVaCreateWidget(
        "prodInfo", xmFormWidgetClass, f.upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.top(), XmNtopOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    buildSources();
    XtManageChild(prodInfo);
    buildDescriptions(f.upper);
    const std::vector<Widget> b = kit::buildActions(
        f, kit::Layout::Spread,
        {{"instInfoOk", instInfoOkCB}, {"instInfoMainMenu", exitCB, kit::number(kMainMenu)},
         {"instInfoHelp", XDpopup_link, &helpWidget}});
    // Browser... comes first in traversal, and its activation chooses the
    // E-mail File source: Return on the untouched form must answer OK.
    kit::manageFrame(f, b[0]);
    makeCurrentForm(instInfo, f);

    if (plan.orderAvailable) XtSetSensitive(prodInfoOrder, True);
    if (plan.orvantaDisabled) XtSetSensitive(prodInfoOrvantaCatalog, False);
    if (plan.docDisabled) XtSetSensitive(prodInfoDocCatalog, False);
    // The plan starts from no source: whatever an earlier run left in
    // infoSource, the chosen source is shown whole.
    for (const Action& a : plan.actions) runInfoAction(a);
    formStatusRec.infoSource = plan.source;
    // The e-mail file of an earlier run, shown greyed or not.
    if (formStatusRec.emailFile[0]) kit::setTextShowEnd(prodInfoEmailText, formStatusRec.emailFile);
}
