// Form type 5, Mount CD-ROM: asks the user to remove one CD-ROM (when there
// is one) and mount another in the drive shown, which the user may correct.
// Mount CD opens a terminal in which the user becomes root and runs the
// mount script; CD Mounted says it is done already.  The Mount CD action is
// shared with the Install Media form.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

#include "app/devices.h"
#include "app/form.h"
#include "core/deviceName.h"
#include "core/mountTerminal.h"
#include "core/process.h"
#include "inMedD/forms.h"
#include "kit/colour.h"
#include "kit/note.h"
#include "kit/wm.h"

namespace {

Widget mntCD, mntCDSkip;
kit::EntryGroup group;
// The note shown when no terminal program can be found.
kit::Note noTerminal;

void mntCDMountCB(Widget, XtPointer, XtPointer) { mountCdAction(group.device, group.host); }

void mntCDMountedCB(Widget, XtPointer, XtPointer) {
    if (devicesAnswered(trev::kDevCdrom, group.device, group.host, nullptr, nullptr))
        cleanExit(kCdAlreadyMounted);
}

// Hides the form (and its help window when up), runs the terminal with the
// mount script and waits for it to end.  A terminal that cannot be started
// answers 248: nothing was mounted.
void bringXterm(const std::string& terminal) {
    XtUnmapWidget(parentWidget);
    if (helped && helpWidget && XtIsRealized(helpWidget)) XtUnmapWidget(helpWidget);
    XSync(display, False);
    const trev::RunOutcome run = trev::runAndWait(trev::mountTerminalArgs(
        terminal, kit::resourceText(parentWidget, "terminalOptions"), instRoot));
    if (run.end == trev::RunEnd::ForkFailed) {
        std::fputs("Failed to fork xterm.\n", stderr);
        std::exit(kNoTerminal);
    }
    // Until the terminal ends; its status is not looked at.
    if (run.end == trev::RunEnd::ExecFailed) {
        std::fputs("System error in execv\n", stderr);
        std::exit(kNoTerminal);
    }
}

}  // namespace

void mountCdAction(Widget device, Widget host) {
    if (!devicesAnswered(trev::kDevCdrom, device, host, nullptr, nullptr)) return;
    // The DeviceCD line is out before the terminal starts.
    std::fflush(stdout);
    const std::string terminal = trev::findTerminal(std::getenv("XTERM"));
    if (!terminal.empty()) {
        bringXterm(terminal);
        cleanExit(kOk);
    }
    // No terminal program: the user mounts the CD-ROM in a window of their
    // own.  The note is built again after the window manager closed it.
    if (!noTerminal.shell) {
        noTerminal = kit::buildNote(parentWidget,
                                    {"mntCDMsg", "mntCDAsker", "widget339", "mntCDMsgL",
                                     "widget341", "mntCDMsgOk", "mntCDMsgCancel", "mntCDMsgAction"},
                                    XmDESTROY);
        kit::onActivate(noTerminal.ok, exitCB, kit::number(kOk));
        kit::onClose(noTerminal.shell, generalWinDestroyCB, &noTerminal.shell);
    }
    kit::showNote(noTerminal);
}

// mainpanel 5 unmountLabel mountLabel CDHost:CDDrive noSkip
void startMntCD(int, char** argv) {
    mntCD = createFormShell();
    kit::Frame f = kit::buildFrame(mntCD, {"widget346", "mntCDDialog", "mntCDLogo", "mntCDOrvanta",
                                           "mntCDTitle", nullptr, "widget361", "mntCDAction"});
    // With no medium to remove there is no unmount line: the mount line
    // takes its place under the title.
    Widget above = f.title;
    int gap = 25;
    if (argv[2][0] != '\0') {
        const std::vector<Widget> unmount =
            kit::labelLine(f.upper, above, gap, {"unmntCDmsg", "unmntCDLabel", "unmntCDmsg1"});
        kit::setLabel(unmount[1], argv[2]);
        above = unmount[0];
        gap = 15;
    }
    const std::vector<Widget> mount =
        kit::labelLine(f.upper, above, gap, {"mntCDmsg", "mntCDLabel", "widget356"});
    kit::setLabel(mount[1], argv[3]);

    group.remoteFlag = &CDHost;
    const kit::EntryFrame entry = kit::buildEntryFrame(
        group, f.upper, {"mntCDUnknown", "mntCDFrameLabel", "widget308_A"},
        {"widget309_A", "mntCDDevNameV", "mntCDHostNameV", "widget312_A", "mntCDUnkLocal",
         "mntCDUnkRemote"},
        true);
    kit::placeFrame(entry, mount[0], 25, true);
    kit::hostFocusChoosesRemote(group);

    const std::vector<Widget> b = kit::buildActions(
        f, kit::Layout::Row,
        {{"mntCDMount", mntCDMountCB}, {"mntCDSkip", exitCB, kit::number(kSkip)},
         {"mntCDMounted", mntCDMountedCB}, {"mntCDMainMenu", exitCB, kit::number(kMainMenu)},
         {"mntCDHelp", XDpopup_link, &helpWidget}},
        "mntCDActionRow");
    mntCDSkip = b[1];
    kit::manageFrame(f, b[0]);
    makeCurrentForm(mntCD, f);

    // The toggles only: the Host field stays editable in its own colours.
    CDHost = showDevName(argv[4], group.device, group.host, true);
    kit::showToggles(group, CDHost);
    if (std::atoi(argv[5]) != 0) XtSetSensitive(mntCDSkip, False);
}
