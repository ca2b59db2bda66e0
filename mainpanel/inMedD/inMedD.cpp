// Form type 4, Load Device Options: the media the selected products need,
// and for each device (CD-ROM, tape or both) where its drive is, read-only
// when the scripts know it, in an entry group when the user must confirm it.
#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/LabelG.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/deviceName.h"
#include "globals.h"
#include "inMedD/deviceLayer.h"
#include "inMedD/mediaForms.h"
#include "inMedD/mediaWidgets.h"
#include "topWidget/formFrame.h"
#include "mainpanelExit.h"
#include "topStub/topStub.h"
#include "topWidget/topWidget.h"
#include "xraii.h"

Widget inMedD, inMedDOrvanta, inMedDLogo, inMedDReqCDTape;
Widget inMedDCDKnownFrameLabel, inMedDCDKnown, inMedDCDKnownDev, inMedDCDKnownHost;
Widget inMedDCDUnknownFrameLabel, inMedDCDUnknown, inMedDCDUnkDev, inMedDCDUnkHost;
Widget inMedDCDUnkLocal, inMedDCDUnkRemote;
Widget inMedDTapeUnknownFrameLabel, inMedDTapeUnknown, inMedDTapeUnkHost, inMedDTapeUnkDev;
Widget inMedDTapeUnkLocal, inMedDTapeUnkRemote;
Widget inMedDTapeKnownFrameLabel, inMedDTapeKnown, inMedDTapeKnownDev, inMedDTapeKnownHost;
Widget inMedDAction, inMedDOk, inMedDMainMenu, inMedDPrev, inMedDHelp;
Widget inMedDHelpTextWin;

namespace {

// The handles of one device's two frames.
struct DeviceFrames {
    Widget* knownFrame;
    Widget* knownTitle;
    Widget* knownDev;
    Widget* knownHost;
    Widget* unkFrame;
    Widget* unkTitle;
    Widget* unkDev;
    Widget* unkHost;
    Widget* unkLocal;
    Widget* unkRemote;
    XtCallbackProc unkHostCB;
};

const DeviceFrames kCdFrames = {
    &inMedDCDKnown,   &inMedDCDKnownFrameLabel,   &inMedDCDKnownDev, &inMedDCDKnownHost,
    &inMedDCDUnknown, &inMedDCDUnknownFrameLabel, &inMedDCDUnkDev,   &inMedDCDUnkHost,
    &inMedDCDUnkLocal, &inMedDCDUnkRemote,        inMedDCDUnkHostCB};
const DeviceFrames kTapeFrames = {
    &inMedDTapeKnown,   &inMedDTapeKnownFrameLabel,   &inMedDTapeKnownDev, &inMedDTapeKnownHost,
    &inMedDTapeUnknown, &inMedDTapeUnknownFrameLabel, &inMedDTapeUnkDev,   &inMedDTapeUnkHost,
    &inMedDTapeUnkLocal, &inMedDTapeUnkRemote,        inMedDTapeUnkHostCB};

const DeviceFrames& framesOf(int kind) {
    return kind == trev::kDevCdrom ? kCdFrames : kTapeFrames;
}

// The frames go with their contents; the contents' handles are cleared too.
void destroyKnownFrame(const DeviceFrames& d) {
    destroyHandle(*d.knownFrame);
    *d.knownDev = *d.knownHost = nullptr;
}

void destroyUnknownFrame(const DeviceFrames& d) {
    destroyHandle(*d.unkFrame);
    *d.unkDev = *d.unkHost = *d.unkLocal = *d.unkRemote = nullptr;
}

void destroyDevice(const DeviceFrames& d) {
    destroyKnownFrame(d);
    destroyUnknownFrame(d);
    destroyHandle(*d.knownTitle);
    destroyHandle(*d.unkTitle);
}

EntryGroup cdGroup() {
    return {inMedDCDUnkLocal, inMedDCDUnkRemote, inMedDCDUnkDev, inMedDCDUnkHost,
            inMedDCDUnkHostCB, &CDHost};
}

EntryGroup tapeGroup() {
    return {inMedDTapeUnkLocal, inMedDTapeUnkRemote, inMedDTapeUnkDev, inMedDTapeUnkHost,
            inMedDTapeUnkHostCB, &tapeHost};
}

struct KnownFrameNames {
    const char* frame;
    const char* title;
    const char* form;
    const char* devCaption;
    const char* dev;
    const char* hostCaption;
    const char* host;
};

// A read-only device frame: "Device:" and the path, "Host:" and the host.
void createKnownFrame(Widget parent, const KnownFrameNames& n, Widget& frame, Widget& title,
                      Widget& dev, Widget& host) {
    frame = XtVaCreateWidget(n.frame, xmFrameWidgetClass, parent, nullptr);
    Widget form = createFrameForm(frame, n.form);
    Widget devCaption = XtVaCreateManagedWidget(
        n.devCaption, xmLabelGadgetClass, form,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    dev = XtVaCreateManagedWidget(
        n.dev, xmLabelWidgetClass, form,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, devCaption,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, devCaption, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    Widget hostCaption = XtVaCreateManagedWidget(
        n.hostCaption, xmLabelWidgetClass, form,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, devCaption, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 10, nullptr);
    host = XtVaCreateManagedWidget(
        n.host, xmLabelWidgetClass, form,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, hostCaption,
        XmNleftAttachment, XmATTACH_OPPOSITE_WIDGET, XmNleftWidget, dev,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    title = XtVaCreateManagedWidget(n.title, xmLabelWidgetClass, parent, nullptr);
}

// One device group of the command line: kind word, count, device name,
// known flag, labels.
struct DeviceArgs {
    const char* kind;
    const char* count;
    const char* spec;
    const char* known;
    const char* labels;
};

DeviceArgs argsAt(char** argv, int first) {
    return {argv[first], argv[first + 1], argv[first + 2], argv[first + 3], argv[first + 4]};
}

[[noreturn]] void kindUsage() {
    std::fputs("Usage: argv[0] formType CDROM # cdDev 1/0 labels TAPE # tapeDev 1/0 labels\n",
               stderr);
    std::exit(trev::exitcode::kStartFailure);
}

bool isWord(const char* s, const char* word) { return std::strcmp(s, word) == 0; }

// Shows one device group: its required-media lines into `text`, its frame,
// and the title chosen by the first character of the known flag.
// Returns the frame; `title` gets the title label kept.
Widget showDevice(int kind, const DeviceArgs& a, std::string& text, Widget& title) {
    Widget frame = dispDevInfo(kind, std::atoi(a.count), a.spec, std::atoi(a.known), a.labels, text);
    const DeviceFrames& d = framesOf(kind);
    if (a.known[0] == '1') {
        destroyHandle(*d.unkTitle);
        title = *d.knownTitle;
    } else {
        destroyHandle(*d.knownTitle);
        title = *d.unkTitle;
    }
    XtManageChild(frame);
    return frame;
}

// Fills the form from the command line, already checked.
void displayInMedD(int argc, char** argv) {
    std::string text;
    if (argc == 7) {
        const DeviceArgs a = argsAt(argv, 2);
        const int kind = isWord(a.kind, "CDROM") ? trev::kDevCdrom : trev::kDevTape;
        destroyDevice(framesOf(kind == trev::kDevCdrom ? trev::kDevTape : trev::kDevCdrom));
        Widget title = nullptr;
        Widget frame = showDevice(kind, a, text, title);
        attachFrames(title, frame, nullptr, nullptr);
    } else {
        DeviceArgs cd = argsAt(argv, 2), tape = argsAt(argv, 7);
        if (!isWord(cd.kind, "CDROM")) std::swap(cd, tape);
        // The CD-ROM lines first and the CD-ROM frame on top, whatever the
        // order on the command line.
        Widget cdTitle = nullptr, tapeTitle = nullptr;
        Widget cdFrame = showDevice(trev::kDevCdrom, cd, text, cdTitle);
        Widget tapeFrame = showDevice(trev::kDevTape, tape, text, tapeTitle);
        attachFrames(cdTitle, cdFrame, tapeTitle, tapeFrame);
    }
    const XmStr s(text.c_str());
    XtVaSetValues(inMedDReqCDTape, XmNlabelString, static_cast<XmString>(s), nullptr);
}

// The kind words: one group "CDROM" or "TAPE", two groups one of each.
void checkKinds(int argc, char** argv) {
    auto kindOk = [](const char* w) { return isWord(w, "CDROM") || isWord(w, "TAPE"); };
    if (argc == 7) {
        if (!kindOk(argv[2])) kindUsage();
        return;
    }
    const bool oneOfEach = (isWord(argv[2], "CDROM") && isWord(argv[7], "TAPE")) ||
                           (isWord(argv[2], "TAPE") && isWord(argv[7], "CDROM"));
    if (!oneOfEach) kindUsage();
}

}  // namespace

Widget dispKnownDev(int kind, const char* spec) {
    const DeviceFrames& d = framesOf(kind);
    destroyUnknownFrame(d);
    XtManageChild(*d.knownFrame);
    parseDevName(spec, *d.knownDev, *d.knownHost, 0);
    attachFrameLabel(*d.knownTitle, *d.knownFrame);
    return *d.knownFrame;
}

Widget dispUnknownDev(int kind, const char* spec) {
    const DeviceFrames& d = framesOf(kind);
    destroyKnownFrame(d);
    XtManageChild(*d.unkFrame);
    enableDevice(spec, kind, *d.unkLocal, *d.unkRemote, *d.unkDev, *d.unkHost, d.unkHostCB);
    attachFrameLabel(*d.unkTitle, *d.unkFrame);
    return *d.unkFrame;
}

Widget dispDevInfo(int kind, int count, const char* spec, int known, const char* labels,
                   std::string& text) {
    text += trev::requiredMediaLines(kind, count, labels);
    return known ? dispKnownDev(kind, spec) : dispUnknownDev(kind, spec);
}

void attachFrames(Widget label1, Widget frame1, Widget label2, Widget frame2) {
    XtVaSetValues(frame1,
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, inMedDReqCDTape,
                  XmNtopOffset, 25,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 0,
                  XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 0,
                  XmNbottomAttachment, frame2 ? XmATTACH_NONE : XmATTACH_FORM,
                  XmNbottomOffset, 0, nullptr);
    attachFrameLabel(label1, frame1);
    if (!frame2) return;
    XtVaSetValues(frame2,
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, frame1, XmNtopOffset, 20,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 0,
                  XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 0,
                  XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 0, nullptr);
    attachFrameLabel(label2, frame2);
}

Widget create_inMedDHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "inMedD", 1, nullptr, &inMedDHelpTextWin);
}

Widget create_inMedD() {
    inMedD = createFormShell();
    const MediaFrame f = createMediaFrame(
        inMedD, {"widget292", "widget293", "inMedDLogo", "inMedDOrvanta", "widget296",
                 "widget331", "inMedDAction"});
    inMedDOrvanta = f.orvanta;
    inMedDLogo = f.logo;
    inMedDAction = f.action;
    Widget head = XtVaCreateManagedWidget(
        "widget297", xmLabelGadgetClass, f.content,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.title, XmNtopOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    inMedDReqCDTape = XtVaCreateManagedWidget(
        "inMedDReqCDTape", xmLabelWidgetClass, f.content,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, head, XmNtopOffset, 5,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 25,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 0, nullptr);

    createKnownFrame(f.content,
                     {"inMedDCDKnown", "inMedDCDKnownFrameLabel", "widget301", "widget302",
                      "inMedDCDKnownDev", "widget304", "inMedDCDKnownHost"},
                     inMedDCDKnown, inMedDCDKnownFrameLabel, inMedDCDKnownDev, inMedDCDKnownHost);
    storeEntryFrame(createEntryFrame(f.content,
                                     {"inMedDCDUnknown", "inMedDCDUnknownFrameLabel", "widget308",
                                      {"widget309", true, "inMedDCDUnkDev", "inMedDCDUnkHost",
                                       "widget312", "inMedDCDUnkLocal", "inMedDCDUnkRemote"}},
                                     true, inMedDCDUnkLocalCB, inMedDCDUnkRemoteCB),
                    {&inMedDCDUnknown, &inMedDCDUnknownFrameLabel, &inMedDCDUnkDev,
                     &inMedDCDUnkHost, &inMedDCDUnkLocal, &inMedDCDUnkRemote});
    // The tape radio box lets the user clear its set toggle.
    storeEntryFrame(createEntryFrame(f.content,
                                     {"inMedDTapeUnknown", "inMedDTapeUnknownFrameLabel",
                                      "widget317",
                                      {"widget319", false, "inMedDTapeUnkDev", "inMedDTapeUnkHost",
                                       "widget321", "inMedDTapeUnkLocal", "inMedDTapeUnkRemote"}},
                                     false, inMedDTapeUnkLocalCB, inMedDTapeUnkRemoteCB),
                    {&inMedDTapeUnknown, &inMedDTapeUnknownFrameLabel, &inMedDTapeUnkDev,
                     &inMedDTapeUnkHost, &inMedDTapeUnkLocal, &inMedDTapeUnkRemote});
    createKnownFrame(f.content,
                     {"inMedDTapeKnown", "inMedDTapeKnownFrameLabel", "widget326", "widget327",
                      "inMedDTapeKnownDev", "widget329", "inMedDTapeKnownHost"},
                     inMedDTapeKnown, inMedDTapeKnownFrameLabel, inMedDTapeKnownDev,
                     inMedDTapeKnownHost);

    inMedDOk = createButton(inMedDAction, "inMedDOk", true, inMedDOkCB);
    inMedDMainMenu = createButton(inMedDAction, "inMedDMainMenu", true, mediaExitCB,
                                  exitCode(trev::exitcode::kMainMenu));
    inMedDPrev = createButton(inMedDAction, "inMedDPrev", true, mediaExitCB,
                              exitCode(trev::exitcode::kPrevious));
    inMedDHelp = createButton(inMedDAction, "inMedDHelp", false, XDpopup_link, &inMedDHelpTextWin);
    placeActionButtons(inMedDAction, {inMedDOk, inMedDMainMenu, inMedDPrev, inMedDHelp});
    manageMediaFrame(f, inMedDOk);

    create_inMedDHelpTextWin(inMedD);
    return inMedD;
}

void startInMedD(int argc, char** argv) {
    checkKinds(argc, argv);
    create_inMedD();
    makeCurrentForm(inMedD, inMedDHelpTextWin, inMedDAction, inMedDLogo);
    displayInMedD(argc, argv);
}

void inMedDCDUnkLocalCB(Widget, XtPointer, XtPointer) { entryGroupPlain(cdGroup(), 0); }
void inMedDCDUnkRemoteCB(Widget, XtPointer, XtPointer) { entryGroupPlain(cdGroup(), 1); }
void inMedDCDUnkHostCB(Widget, XtPointer, XtPointer) { entryGroupHostFocus(cdGroup()); }
void inMedDTapeUnkLocalCB(Widget, XtPointer, XtPointer) { entryGroupPlain(tapeGroup(), 0); }
void inMedDTapeUnkRemoteCB(Widget, XtPointer, XtPointer) { entryGroupPlain(tapeGroup(), 1); }
void inMedDTapeUnkHostCB(Widget, XtPointer, XtPointer) { entryGroupHostFocus(tapeGroup()); }

void inMedDOkCB(Widget, XtPointer, XtPointer) {
    // Every device shown is known: nothing to check or print.
    if (!inMedDCDUnknown && !inMedDTapeUnknown) cleanExit(trev::exitcode::kOk);
    const int kinds = (inMedDCDUnknown ? trev::kDevCdrom : 0) | (inMedDTapeUnknown ? trev::kDevTape : 0);
    if (checkEmptyDev(kinds, inMedDCDUnkDev, inMedDCDUnkHost, inMedDTapeUnkDev, inMedDTapeUnkHost) ==
        0)
        cleanExit(trev::exitcode::kOk);
}
