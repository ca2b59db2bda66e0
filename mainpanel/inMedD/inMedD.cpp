// Form type 4, Load Device Options: the media the selected products need,
// and for each device (CD-ROM, tape or both) where its drive is, read-only
// when the scripts know it, in an entry group when the user must confirm it.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/devices.h"
#include "app/form.h"
#include "core/deviceName.h"
#include "inMedD/forms.h"

namespace {

// The widget names of one device's two frames.
struct KnownNames {
    const char *frame, *title, *form, *devCaption, *dev, *hostCaption, *host;
};

struct Device {
    int kind;
    KnownNames known;
    kit::EntryFrameNames unknownFrame;
    kit::EntryNames unknown;
    bool alwaysOne;            // the tape radio box lets the user clear its toggle
    kit::EntryGroup group;     // when the user confirms the device
};

Device cd{trev::kDevCdrom,
          {"inMedDCDKnown", "inMedDCDKnownFrameLabel", "widget301", "widget302",
           "inMedDCDKnownDev", "widget304", "inMedDCDKnownHost"},
          {"inMedDCDUnknown", "inMedDCDUnknownFrameLabel", "widget308"},
          {"widget309", "inMedDCDUnkDev", "inMedDCDUnkHost", "widget312", "inMedDCDUnkLocal",
           "inMedDCDUnkRemote"},
          true, {}};
Device tape{trev::kDevTape,
            {"inMedDTapeKnown", "inMedDTapeKnownFrameLabel", "widget326", "widget327",
             "inMedDTapeKnownDev", "widget329", "inMedDTapeKnownHost"},
            {"inMedDTapeUnknown", "inMedDTapeUnknownFrameLabel", "widget317"},
            {"widget319", "inMedDTapeUnkDev", "inMedDTapeUnkHost", "widget321",
             "inMedDTapeUnkLocal", "inMedDTapeUnkRemote"},
            false, {}};

// The kinds whose device the user confirms.
int unknownKinds = 0;

// A read-only device frame: "Device:" and the path, "Host:" and the host.
kit::EntryFrame buildKnownFrame(Widget parent, const KnownNames& n, const char* spec) {
    kit::EntryFrame f;
    f.frame = XtVaCreateWidget(n.frame, xmFrameWidgetClass, parent, nullptr);
    Widget form = XtVaCreateManagedWidget(n.form, xmFormWidgetClass, f.frame, nullptr);
    Widget devCaption = XtVaCreateManagedWidget(
        n.devCaption, xmLabelWidgetClass, form,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    Widget dev = XtVaCreateManagedWidget(
        n.dev, xmLabelWidgetClass, form,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, devCaption,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, devCaption, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    Widget hostCaption = XtVaCreateManagedWidget(
        n.hostCaption, xmLabelWidgetClass, form,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, devCaption, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 10, nullptr);
    Widget host = XtVaCreateManagedWidget(
        n.host, xmLabelWidgetClass, form,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, hostCaption,
        XmNleftAttachment, XmATTACH_OPPOSITE_WIDGET, XmNleftWidget, dev,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    f.title = XtVaCreateManagedWidget(n.title, xmLabelWidgetClass, parent, nullptr);
    showDevName(spec, dev, host, false);
    return f;
}

// One device group of the command line (kind word, count, device name,
// known flag, labels): its required-media lines into `text` and its frame
// below `above`.  Returns the frame.
Widget showDevice(Device& d, char** words, Widget parent, Widget above, int gap,
                  std::string& text) {
    text += trev::requiredMediaLines(d.kind, std::atoi(words[1]), words[4]);
    kit::EntryFrame f;
    if (std::atoi(words[3]) != 0) {
        f = buildKnownFrame(parent, d.known, words[2]);
    } else {
        d.group.remoteFlag = d.kind == trev::kDevCdrom ? &CDHost : &tapeHost;
        f = kit::buildEntryFrame(d.group, parent, d.unknownFrame, d.unknown, d.alwaysOne);
        fillEntryGroup(d.group, words[2]);
        unknownKinds |= d.kind;
    }
    kit::placeFrame(f, above, gap, false);
    return f.frame;
}

bool isWord(const char* s, const char* word) { return std::strcmp(s, word) == 0; }

// The kind words: one group "CDROM" or "TAPE", two groups one of each.
void checkKinds(int argc, char** argv) {
    auto kindOk = [](const char* w) { return isWord(w, "CDROM") || isWord(w, "TAPE"); };
    const bool ok = argc == 7 ? kindOk(argv[2])
                              : (isWord(argv[2], "CDROM") && isWord(argv[7], "TAPE")) ||
                                    (isWord(argv[2], "TAPE") && isWord(argv[7], "CDROM"));
    if (ok) return;
    std::fputs("Usage: argv[0] formType CDROM # cdDev 1/0 labels TAPE # tapeDev 1/0 labels\n",
               stderr);
    std::exit(kStartFailure);
}

// OK checks and prints the devices the user confirms; when every device
// shown is known there is nothing to check or print.
void inMedDOkCB(Widget, XtPointer, XtPointer) {
    if (devicesAnswered(unknownKinds, cd.group.device, cd.group.host, tape.group.device,
                        tape.group.host))
        cleanExit(kOk);
}

}  // namespace

void startInMedD(int argc, char** argv) {
    checkKinds(argc, argv);
    Widget shell = createFormShell();
    kit::Frame f = kit::buildFrame(shell, {"widget292", "widget293", "inMedDLogo", "inMedDOrvanta",
                                           "widget296", nullptr, "widget331", "inMedDAction"});
    Widget head = XtVaCreateManagedWidget(
        "widget297", xmLabelWidgetClass, f.upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.title, XmNtopOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    Widget required = XtVaCreateManagedWidget(
        "inMedDReqCDTape", xmLabelWidgetClass, f.upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, head, XmNtopOffset, 5,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 25,
        XmNrightAttachment, XmATTACH_FORM, nullptr);

    // The CD-ROM lines first and the CD-ROM frame on top, whatever the order
    // on the command line.
    char** first = argv + 2;
    char** second = argc == 12 ? argv + 7 : nullptr;
    if (second && !isWord(first[0], "CDROM")) std::swap(first, second);
    std::string text;
    Widget frame = showDevice(isWord(first[0], "CDROM") ? cd : tape, first, f.upper, required, 25,
                              text);
    if (second) frame = showDevice(tape, second, f.upper, frame, 20, text);
    XtVaSetValues(frame, XmNbottomAttachment, XmATTACH_FORM, nullptr);
    kit::setLabel(required, text);

    const std::vector<Widget> b = kit::buildActions(
        f, kit::Layout::Spread,
        {{"inMedDOk", inMedDOkCB}, {"inMedDMainMenu", exitCB, kit::number(kMainMenu)},
         {"inMedDPrev", exitCB, kit::number(kPrevious)},
         {"inMedDHelp", XDpopup_link, &helpWidget}});
    kit::manageFrame(f, b[0]);
    makeCurrentForm(shell, f);
}
