// Form type 14, Device Read Failed: the scripts could not read the CD-ROM
// drive, the tape drive or the tape file; the user respecifies where it is.
// OK prints DeviceCD, DeviceTAPE or TFILE.
#include <cstring>
#include <vector>

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

Widget unreadInMed, unreadInMedLogo, unreadInMedOrvanta, unreadInMedTitle;
Widget unreadInMedHead1, unreadInMedTypeV, unreadInMedHead2;
Widget unreadInMedDevL, unreadInMedDevV, unreadInMedHostV;
Widget unreadInMedRadioB, unreadInMedLocalV, unreadInMedRemoteV;
Widget unreadInMedAction, unreadInMedOk, unreadInMedMainMenu, unreadInMedHelp;
Widget unreadInMedHelpTextWin;

namespace {

// The one entry group serves the CD-ROM and the tape alike; its flag is the
// one of the form's kind.
EntryGroup group() {
    return {unreadInMedLocalV, unreadInMedRemoteV, unreadInMedDevV, unreadInMedHostV,
            unreadInMedHostVCB, (loadDevice & trev::kDevCdrom) ? &CDHost : &tapeHost};
}

}  // namespace

Widget create_unreadInMedHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "unreadInMed", 1, "unreadInMedHelpTextDialog",
                              &unreadInMedHelpTextWin);
}

Widget create_unreadInMed() {
    unreadInMed = createFormShell();
    const MediaFrame f = createMediaFrame(
        unreadInMed, {"widget418", "widget419", "unreadInMedLogo", "unreadInMedOrvanta",
                      "unreadInMedTitle", "widget432", "unreadInMedAction"});
    unreadInMedLogo = f.logo;
    unreadInMedOrvanta = f.orvanta;
    unreadInMedTitle = f.title;
    unreadInMedAction = f.action;

    const std::vector<Widget> line = createLabelLine(
        f.content, f.title, 25,
        {{"unreadInMedHead1", true}, {"unreadInMedTypeV", false}, {"unreadInMedHead2", false}});
    unreadInMedHead1 = line[0];
    unreadInMedTypeV = line[1];
    unreadInMedHead2 = line[2];

    const EntryGroupWidgets g = createEntryGroup(
        f.content,
        {"unreadInMedDevL", true, "unreadInMedDevV", "unreadInMedHostV", "unreadInMedRadioB",
         "unreadInMedLocalV", "unreadInMedRemoteV"},
        unreadInMedHead1, 10, true, unreadInMedLocalCB, unreadInMedRemoteCB);
    unreadInMedDevL = g.deviceLabel;
    unreadInMedDevV = g.device;
    unreadInMedHostV = g.host;
    unreadInMedRadioB = g.radio;
    unreadInMedLocalV = g.local;
    unreadInMedRemoteV = g.remote;

    unreadInMedOk = createButton(unreadInMedAction, "unreadInMedOk", true, unreadInMedOkCB);
    unreadInMedMainMenu = createButton(unreadInMedAction, "unreadInMedMainMenu", true,
                                       mediaExitCB, exitCode(trev::exitcode::kMainMenu));
    unreadInMedHelp = createButton(unreadInMedAction, "unreadInMedHelp", false, XDpopup_link,
                                   &unreadInMedHelpTextWin);
    placeActionButtons(unreadInMedAction, {unreadInMedOk, unreadInMedMainMenu, unreadInMedHelp});
    manageMediaFrame(f, unreadInMedOk);

    create_unreadInMedHelpTextWin(unreadInMed);
    return unreadInMed;
}

void startUnreadInMed(int, char** argv) {
    create_unreadInMed();
    makeCurrentForm(unreadInMed, unreadInMedHelpTextWin, unreadInMedAction, unreadInMedLogo);
    const char* type = argv[2];
    const char* kindText;
    if (std::strcmp(type, "CDROM") == 0) {
        loadDevice |= trev::kDevCdrom;
        kindText = "CD-ROM";
    } else if (std::strcmp(type, "TAPE") == 0) {
        loadDevice |= trev::kDevTape;
        kindText = "tape";
    } else {
        loadDevice |= trev::kDevTapeFile;
        kindText = "TFILE";
    }
    enableDevice(argv[3], loadDevice, unreadInMedLocalV, unreadInMedRemoteV, unreadInMedDevV,
                 unreadInMedHostV, unreadInMedHostVCB);
    const XmStr s(kindText);
    XtVaSetValues(unreadInMedTypeV, XmNlabelString, static_cast<XmString>(s), nullptr);
}

void unreadInMedLocalCB(Widget, XtPointer, XtPointer) { entryGroupGuarded(group(), 0, false); }
void unreadInMedRemoteCB(Widget, XtPointer, XtPointer) { entryGroupGuarded(group(), 1, false); }
void unreadInMedHostVCB(Widget, XtPointer, XtPointer) { entryGroupHostFocus(group()); }

void unreadInMedOkCB(Widget, XtPointer, XtPointer) {
    if (checkEmptyDev(loadDevice, unreadInMedDevV, unreadInMedHostV, unreadInMedDevV,
                      unreadInMedHostV) == 0)
        cleanExit(trev::exitcode::kOk);
}
