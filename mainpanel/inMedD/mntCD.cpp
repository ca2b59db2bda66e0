// Form type 5, Mount CD-ROM: asks the user to remove one CD-ROM (when there
// is one) and mount another in the drive shown, which the user may correct.
// Mount CD opens a terminal in which the user becomes root and runs the
// mount script; CD Mounted says it is done already.  The Mount CD action is
// shared with the Install Media form.
#include <X11/Xlib.h>
#include <Xm/DialogS.h>
#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/PushB.h>
#include <Xm/PushBG.h>
#include <Xm/SeparatoG.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
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

Widget mntCD, mntCDDialog, mntCDLogo, mntCDOrvanta, mntCDTitle;
Widget unmntCDmsg, unmntCDLabel, unmntCDmsg1, mntCDmsg, mntCDLabel;
Widget mntCDFrameLabel, mntCDUnknown, mntCDDevNameV, mntCDHostNameV;
Widget mntCDUnkLocal, mntCDUnkRemote;
Widget mntCDAction, mntCDActionRow, mntCDMount, mntCDSkip, mntCDMounted, mntCDMainMenu, mntCDHelp;
Widget mntCDHelpTextWin;
Widget mntCDMsg, mntCDAsker, mntCDMsgL, mntCDMsgAction, mntCDMsgOk, mntCDMsgCancel;

std::string xterm;

namespace {

// Used when $XTERM names no file.
constexpr const char kDefaultTerminal[] = "/usr/openwin/bin/xterm";

// The platform word of the mount script's directory and its argument.
constexpr const char kMountPlatform[] = "sun4v";

EntryGroup group() {
    return {mntCDUnkLocal, mntCDUnkRemote, mntCDDevNameV, mntCDHostNameV, mntCDHostNameVCB,
            &CDHost};
}

bool fileExists(const char* path) {
    struct stat st;
    return stat(path, &st) == 0;
}

// The terminal to run: $XTERM when it names a file, else the default
// terminal when that exists; empty when neither does.
std::string findTerminal() {
    const char* env = std::getenv("XTERM");
    if (env && fileExists(env)) return env;
    if (fileExists(kDefaultTerminal)) return kDefaultTerminal;
    return {};
}

}  // namespace

Widget create_mntCDHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "mntCD", 1, nullptr, &mntCDHelpTextWin);
}

Widget create_mntCD() {
    mntCD = createFormShell();
    const MediaFrame f = createMediaFrame(
        mntCD, {"widget346", "mntCDDialog", "mntCDLogo", "mntCDOrvanta", "mntCDTitle",
                "widget361", "mntCDAction"});
    mntCDDialog = f.content;
    mntCDLogo = f.logo;
    mntCDOrvanta = f.orvanta;
    mntCDTitle = f.title;
    mntCDAction = f.action;

    const std::vector<Widget> unmount = createLabelLine(
        f.content, f.title, 25, {{"unmntCDmsg", true}, {"unmntCDLabel", false}, {"unmntCDmsg1", false}});
    unmntCDmsg = unmount[0];
    unmntCDLabel = unmount[1];
    unmntCDmsg1 = unmount[2];
    const std::vector<Widget> mount = createLabelLine(
        f.content, unmntCDmsg, 15, {{"mntCDmsg", false}, {"mntCDLabel", false}, {"widget356", false}});
    mntCDmsg = mount[0];
    mntCDLabel = mount[1];

    storeEntryFrame(createBottomEntryFrame(f.content,
                                           {"mntCDUnknown", "mntCDFrameLabel", "widget308_A",
                                            {"widget309_A", true, "mntCDDevNameV", "mntCDHostNameV",
                                             "widget312_A", "mntCDUnkLocal", "mntCDUnkRemote"}},
                                           mntCDmsg, mntCDUnkLocalCB, mntCDUnkRemoteCB),
                    {&mntCDUnknown, &mntCDFrameLabel, &mntCDDevNameV, &mntCDHostNameV,
                     &mntCDUnkLocal, &mntCDUnkRemote});
    XtAddCallback(mntCDHostNameV, XmNfocusCallback, mntCDHostNameVCB, nullptr);

    mntCDActionRow = createActionRowColumn(mntCDAction, "mntCDActionRow");
    mntCDMount = createButton(mntCDActionRow, "mntCDMount", false, mntCDMountCB);
    mntCDSkip = createButton(mntCDActionRow, "mntCDSkip", true, mediaExitCB,
                             exitCode(trev::exitcode::kSkip));
    mntCDMounted = createButton(mntCDActionRow, "mntCDMounted", true, mntCDMountedCB);
    mntCDMainMenu = createButton(mntCDActionRow, "mntCDMainMenu", true, mediaExitCB,
                                 exitCode(trev::exitcode::kMainMenu));
    mntCDHelp = createButton(mntCDActionRow, "mntCDHelp", false, XDpopup_link, &mntCDHelpTextWin);
    manageMediaFrame(f, nullptr, mntCDMount);

    create_mntCDHelpTextWin(mntCD);
    return mntCD;
}

Widget create_mntCDMsg(Widget parent) {
    mntCDMsg = XtVaCreatePopupShell("mntCDMsg", xmDialogShellWidgetClass, parent,
                                    XmNallowShellResize, True, XmNdeleteResponse, XmDESTROY,
                                    nullptr);
    mntCDAsker = XtVaCreateWidget("mntCDAsker", xmFormWidgetClass, mntCDMsg,
                                  XmNautoUnmanage, True, nullptr);
    Widget mark = XtVaCreateManagedWidget(
        "widget339", xmLabelWidgetClass, mntCDAsker,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    mntCDMsgAction = XtVaCreateManagedWidget(
        "mntCDMsgAction", xmFormWidgetClass, mntCDAsker,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    Widget separator = XtVaCreateManagedWidget(
        "widget341", xmSeparatorGadgetClass, mntCDAsker,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, mntCDMsgAction, XmNbottomOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    mntCDMsgL = XtVaCreateManagedWidget(
        "mntCDMsgL", xmLabelWidgetClass, mntCDAsker,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 10,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, separator, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, mark, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    mntCDMsgOk = createButton(mntCDMsgAction, "mntCDMsgOk", true, mntCDMsgOkCB);
    mntCDMsgCancel = createButton(mntCDMsgAction, "mntCDMsgCancel", false, mntCDMsgCancelCB);
    placeActionButtons(mntCDMsgAction, {mntCDMsgOk, mntCDMsgCancel});
    XtVaSetValues(mntCDAsker, XmNdefaultButton, mntCDMsgOk, nullptr);
    return mntCDMsg;
}

void startMntCD(int, char** argv) {
    create_mntCD();
    makeCurrentForm(mntCD, mntCDHelpTextWin, mntCDActionRow, mntCDLogo);
    const char* unmountLabel = argv[2];
    const char* mountLabel = argv[3];
    const char* spec = argv[4];
    int remote;
    if (unmountLabel[0] == '\0')
        remote = dispKnownDevInfo(trev::kDevCdrom, nullptr, mountLabel, spec, nullptr, mntCDmsg,
                                  mntCDLabel, mntCDDevNameV, mntCDHostNameV, 1);
    else
        remote = dispKnownDevInfo(trev::kDevCdrom, unmountLabel, mountLabel, spec, unmntCDLabel,
                                  nullptr, mntCDLabel, mntCDDevNameV, mntCDHostNameV, 1);
    // The toggles only: the Host field stays editable in its own colours.
    setRemoteToggles(remote, mntCDUnkLocal, mntCDUnkRemote);
    CDHost = remote;
    if (std::atoi(argv[5]) != 0) XtSetSensitive(mntCDSkip, False);
}

void mntCDUnkLocalCB(Widget, XtPointer, XtPointer) { entryGroupPlain(group(), 0); }
void mntCDUnkRemoteCB(Widget, XtPointer, XtPointer) { entryGroupPlain(group(), 1); }
void mntCDHostNameVCB(Widget, XtPointer, XtPointer) { entryGroupHostFocus(group()); }

void mntCDMountCB(Widget, XtPointer, XtPointer) {
    mountCdAction(mntCDDevNameV, mntCDHostNameV, &mntCDHelpTextWin);
}

void mntCDMountedCB(Widget, XtPointer, XtPointer) {
    if (checkEmptyDev(trev::kDevCdrom, mntCDDevNameV, mntCDHostNameV, nullptr, nullptr) == 0)
        cleanExit(trev::exitcode::kCdAlreadyMounted);
}

void mntCDMsgOkCB(Widget, XtPointer, XtPointer) { cleanExit(trev::exitcode::kOk); }

void mntCDMsgCancelCB(Widget, XtPointer, XtPointer) {
    if (mntCDAsker) XtUnmanageChild(mntCDAsker);
}

void mountCdAction(Widget devField, Widget hostField, Widget* helpWindow) {
    if (checkEmptyDev(trev::kDevCdrom, devField, hostField, nullptr, nullptr) != 0) return;
    // The DeviceCD line is out before the terminal starts.
    std::fflush(stdout);
    xterm = findTerminal();
    if (!xterm.empty()) {
        bringXterm(helpWindow);
        cleanExit(trev::exitcode::kOk);
    }
    // No terminal program: the user mounts the CD-ROM in a window of their
    // own.  The note is built again after the window manager closed it.
    if (!mntCDMsg) {
        create_mntCDMsg(parentWidget);
        addWinDestroyCallback(mntCDMsg, generalWinDestroyCB, &mntCDMsg);
        resizeActionButton(mntCDMsgAction);
    }
    XtManageChild(mntCDAsker);
}

void bringXterm(Widget* helpWindow) {
    XtUnmapWidget(parentWidget);
    if (helped && helpWindow && *helpWindow && XtIsRealized(*helpWindow))
        XtUnmapWidget(*helpWindow);
    XSync(display, False);

    const std::string title = "\"Trevalon  (become root and mount CD-ROM drive)\"";
    const std::string script = instRoot + "/install/bin." + kMountPlatform + "/mntCD.sh";
    const char* const args[] = {xterm.c_str(), "-T", title.c_str(), "-fn", "9x15",
                                "-g", "80x24+410+0", "-bg", "#e0e0e0", "-fg", "#800000",
                                "-sb", "-sk", "-cr", "red", "-e", script.c_str(),
                                kMountPlatform, nullptr};
    std::fflush(stdout);
    std::fflush(stderr);
    // A close-on-exec pipe tells whether the terminal program started: the
    // child writes to it only when execv failed.  Without the pipe the
    // terminal still runs; only that report is lost.
    int started[2] = {-1, -1};
    if (pipe2(started, O_CLOEXEC) != 0) started[0] = started[1] = -1;
    const pid_t pid = fork();
    if (pid < 0) {
        std::fputs("Failed to fork xterm.\n", stderr);
        std::exit(trev::exitcode::kNoTerminal);
    }
    if (pid == 0) {
        execv(args[0], const_cast<char* const*>(args));
        static const char kExecFailed[] = "System error in execv\n";
        if (write(STDERR_FILENO, kExecFailed, sizeof kExecFailed - 1) < 0 ||
            (started[1] >= 0 && write(started[1], "x", 1) < 0)) {
            // Nothing left to tell it to.
        }
        _exit(trev::exitcode::kNoTerminal);
    }
    bool execFailed = false;
    if (started[1] >= 0) {
        ::close(started[1]);
        char byte;
        ssize_t n;
        while ((n = ::read(started[0], &byte, 1)) < 0 && errno == EINTR) {
        }
        execFailed = n == 1;
        ::close(started[0]);
    }
    // Until the terminal ends; its status is not looked at.
    for (;;) {
        const pid_t done = wait(nullptr);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) break;
    }
    // No terminal ran, so nothing was mounted: answer as for a terminal
    // that could not be created, not as for one that ended.
    if (execFailed) std::exit(trev::exitcode::kNoTerminal);
}
