// Form type 14, Device Read Failed: the scripts could not read the CD-ROM
// drive, the tape drive or the tape file; the user respecifies where it is.
// OK prints DeviceCD, DeviceTAPE or TFILE.
#include <cstring>

#include "app/devices.h"
#include "app/form.h"
#include "core/deviceName.h"
#include "inMedD/forms.h"

namespace {

Widget unreadInMed;
// The one entry group serves the CD-ROM and the tape alike; its flag is the
// one of the form's kind.
kit::EntryGroup group;

void unreadInMedOkCB(Widget, XtPointer, XtPointer) {
    if (devicesAnswered(loadDevice, group.device, group.host, group.device, group.host))
        cleanExit(kOk);
}

}  // namespace

// mainpanel 14 CDROM|TAPE|other host:device
void startUnreadInMed(int, char** argv) {
    int kind = trev::kDevTapeFile;
    const char* kindText = "TFILE";
    if (std::strcmp(argv[2], "CDROM") == 0) {
        kind = trev::kDevCdrom;
        kindText = "CD-ROM";
    } else if (std::strcmp(argv[2], "TAPE") == 0) {
        kind = trev::kDevTape;
        kindText = "tape";
    }
    loadDevice |= kind;
    unreadInMed = createFormShell();
    kit::Frame f = kit::buildFrame(unreadInMed, {"widget418", "widget419", "unreadInMedLogo",
                                                 "unreadInMedOrvanta", "unreadInMedTitle", nullptr,
                                                 "widget432", "unreadInMedAction"});
    const std::vector<Widget> line = kit::labelLine(
        f.upper, f.title, 25, {"unreadInMedHead1", "unreadInMedTypeV", "unreadInMedHead2"});
    kit::setLabel(line[1], kindText);
    group.remoteFlag = (loadDevice & trev::kDevCdrom) ? &CDHost : &tapeHost;
    group.mode = kit::EntryMode::Guarded;
    kit::buildEntryGroup(group, f.upper,
                         {"unreadInMedDevL", "unreadInMedDevV", "unreadInMedHostV",
                          "unreadInMedRadioB", "unreadInMedLocalV", "unreadInMedRemoteV"},
                         line[0], 10, true);
    const std::vector<Widget> b = kit::buildActions(
        f, kit::Layout::Spread,
        {{"unreadInMedOk", unreadInMedOkCB}, {"unreadInMedMainMenu", exitCB, kit::number(kMainMenu)},
         {"unreadInMedHelp", XDpopup_link, &helpWidget}});
    kit::manageFrame(f, b[0]);
    makeCurrentForm(unreadInMed, f);
    fillEntryGroup(group, argv[3]);
}
