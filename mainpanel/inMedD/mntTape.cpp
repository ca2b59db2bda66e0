// Form type 6, Mount Tape: asks the user to insert a tape in the drive
// shown, which the user may correct; OK prints DeviceTAPE.
#include <cstdlib>

#include "app/devices.h"
#include "app/form.h"
#include "core/deviceName.h"
#include "inMedD/forms.h"

namespace {

Widget mntTape;
kit::EntryGroup group;

void mntTapeOkCB(Widget, XtPointer, XtPointer) {
    if (devicesAnswered(trev::kDevTape, nullptr, nullptr, group.device, group.host))
        cleanExit(kOk);
}

}  // namespace

// mainpanel 6 tapeLabel tapeHost:tapeDrive noSkip
void startMntTape(int, char** argv) {
    mntTape = createFormShell();
    kit::Frame f = kit::buildFrame(mntTape, {"widget368", "widget369", "mntTapeLogo",
                                             "mntTapeOrvantaL", "mntTapeTitle", nullptr,
                                             "widget380", "mntTapeAction"});
    const std::vector<Widget> line =
        kit::labelLine(f.upper, f.title, 25, {"mntTapeHead1", "mntTapeNameV", "mntTapeHead3"});
    kit::setLabel(line[1], argv[2]);

    group.remoteFlag = &tapeHost;
    const kit::EntryFrame entry = kit::buildEntryFrame(
        group, f.upper, {"mntTapeUnknown", "mntTapeFrameLabel", "widget308_B"},
        {"widget309_B", "mntTapeDevV", "mntTapeHostV", "widget312_B", "mntTapeUnkLocal",
         "mntTapeUnkRemote"},
        true);
    kit::placeFrame(entry, line[0], 25, true);
    kit::hostFocusChoosesRemote(group);

    const std::vector<Widget> b = kit::buildActions(
        f, kit::Layout::Spread,
        {{"mntTapeOk", mntTapeOkCB}, {"mntTapeSkip", exitCB, kit::number(kSkip)},
         {"mntTapeMainMenu", exitCB, kit::number(kMainMenu)},
         {"mntTapeHelp", XDpopup_link, &helpWidget}});
    kit::manageFrame(f, b[0]);
    makeCurrentForm(mntTape, f);

    if (std::atoi(argv[4]) != 0) XtSetSensitive(b[1], False);
    // The toggles only: the Host field stays editable in its own colours.
    tapeHost = showDevName(argv[3], group.device, group.host, true);
    kit::showToggles(group, tapeHost);
}
