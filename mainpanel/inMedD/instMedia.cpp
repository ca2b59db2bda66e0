// Form type 15, Install Media: the medium to load and its drive, which the
// user confirms or corrects.  A CD-ROM variant (with Mount CD) and a tape
// variant, built by one builder from their names.
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
#include "xraii.h"

Widget instMediaCD, instMediaCDLogo, instMediaCDLabel, instMediaCDDevName;
Widget instMediaCDLocal, instMediaCDRemote, instMediaCDHostName;
Widget instMediaCDAction, instMediaCDOk, instMediaCDMainMenu, instMediaCDMount, instMediaCDHelp;
Widget instMediaTape, instMediaTapeLogo, instMediaTapeLabel, instMediaTapeDevName;
Widget instMediaTapeLocal, instMediaTapeRemote, instMediaTapeHostName;
Widget instMediaTapeAction, instMediaTapeOk, instMediaTapeMainMenu, instMediaTapeHelp;
Widget instMediaHelpTextWin;

namespace {

// The names, handles and handlers of one variant.
struct Variant {
    int kind;
    MediaFrameNames frame;
    const char* text;
    const char* label;
    EntryGroupNames group;
    const char* ok;
    const char* mainMenu;
    const char* mount;   // nullptr: no Mount CD button
    const char* help;
    Widget *shell, *logo, *labelH, *dev, *local, *remote, *host;
    Widget *action, *okH, *mainMenuH, *mountH, *helpH;
    XtCallbackProc localCB, remoteCB, hostCB, okCB, mountCB;
    int* flag;
};

const Variant kCd = {
    trev::kDevCdrom,
    {"widget206", "widget207", "instMediaCDLogo", "widget208", "widget210", "widget219",
     "instMediaCDAction"},
    "widget211", "instMediaCDLabel",
    {"widget213", true, "instMediaCDDevName", "instMediaCDHostName", "widget215",
     "instMediaCDLocal", "instMediaCDRemote"},
    "instMediaCDOk", "instMediaCDMainMenu", "instMediaCDMount", "instMediaCDHelp",
    &instMediaCD, &instMediaCDLogo, &instMediaCDLabel, &instMediaCDDevName, &instMediaCDLocal,
    &instMediaCDRemote, &instMediaCDHostName,
    &instMediaCDAction, &instMediaCDOk, &instMediaCDMainMenu, &instMediaCDMount, &instMediaCDHelp,
    instMediaCDLocalCB, instMediaCDRemoteCB, instMediaCDHostNameCB, instMediaCDOkCB,
    instMediaCDMountCB, &CDHost};

const Variant kTape = {
    trev::kDevTape,
    {"widget226", "widget227", "instMediaTapeLogo", "widget228", "widget230", "widget239",
     "instMediaTapeAction"},
    "widget231", "instMediaTapeLabel",
    {"widget233", true, "instMediaTapeDevName", "instMediaTapeHostName", "widget235",
     "instMediaTapeLocal", "instMediaTapeRemote"},
    "instMediaTapeOk", "instMediaTapeMainMenu", nullptr, "instMediaTapeHelp",
    &instMediaTape, &instMediaTapeLogo, &instMediaTapeLabel, &instMediaTapeDevName,
    &instMediaTapeLocal, &instMediaTapeRemote, &instMediaTapeHostName,
    &instMediaTapeAction, &instMediaTapeOk, &instMediaTapeMainMenu, nullptr, &instMediaTapeHelp,
    instMediaTapeLocalCB, instMediaTapeRemoteCB, instMediaTapeHostNameCB, instMediaTapeOkCB,
    nullptr, &tapeHost};

EntryGroup groupOf(const Variant& v) {
    return {*v.local, *v.remote, *v.dev, *v.host, v.hostCB, v.flag};
}

Widget build(const Variant& v) {
    Widget shell = *v.shell = createFormShell();
    const MediaFrame f = createMediaFrame(shell, v.frame);
    *v.logo = f.logo;
    *v.action = f.action;

    const std::vector<Widget> line =
        createLabelLine(f.content, f.title, 25, {{v.text, false}, {v.label, false}});
    *v.labelH = line[1];
    const EntryGroupWidgets g =
        createEntryGroup(f.content, v.group, line[0], 10, true, v.localCB, v.remoteCB);
    *v.dev = g.device;
    *v.host = g.host;
    *v.local = g.local;
    *v.remote = g.remote;
    XtAddCallback(g.host, XmNfocusCallback, v.hostCB, nullptr);

    *v.okH = createButton(f.action, v.ok, true, v.okCB);
    *v.mainMenuH = createButton(f.action, v.mainMenu, true, mediaExitCB,
                                exitCode(trev::exitcode::kMainMenu));
    if (v.mount) *v.mountH = createButton(f.action, v.mount, true, v.mountCB);
    *v.helpH = createButton(f.action, v.help, false, XDpopup_link, &instMediaHelpTextWin);
    if (v.mount)
        placeActionButtons(f.action, {*v.okH, *v.mainMenuH, *v.mountH, *v.helpH});
    else
        placeActionButtons(f.action, {*v.okH, *v.mainMenuH, *v.helpH});
    manageMediaFrame(f, *v.okH);

    create_instMediaHelpTextWin(shell);
    return shell;
}

// Builds the variant of `kind`, shows the medium's label and fills the
// entry group from the device name.
void displayInstMedia(int kind, const char* mediaLabel, const char* spec) {
    const Variant& v = kind == trev::kDevCdrom ? kCd : kTape;
    build(v);
    makeCurrentForm(*v.shell, instMediaHelpTextWin, *v.action, *v.logo);
    loadDevice |= kind;
    const XmStr s(mediaLabel);
    XtVaSetValues(*v.labelH, XmNlabelString, static_cast<XmString>(s), nullptr);
    enableDevice(spec, kind, *v.local, *v.remote, *v.dev, *v.host, v.hostCB);
}

}  // namespace

Widget create_instMediaHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "instMedia", 1, nullptr, &instMediaHelpTextWin);
}

Widget create_instMediaCD() { return build(kCd); }
Widget create_instMediaTape() { return build(kTape); }

void startInstMedia(int, char** argv) {
    // main has refused any other media type.
    displayInstMedia(std::string(argv[2]) == "CDROM" ? trev::kDevCdrom : trev::kDevTape, argv[3],
                     argv[4]);
}

void instMediaCDLocalCB(Widget, XtPointer, XtPointer) { entryGroupGuarded(groupOf(kCd), 0, true); }
void instMediaCDRemoteCB(Widget, XtPointer, XtPointer) { entryGroupGuarded(groupOf(kCd), 1, true); }
void instMediaCDHostNameCB(Widget, XtPointer, XtPointer) { entryGroupHostFocus(groupOf(kCd)); }
void instMediaTapeLocalCB(Widget, XtPointer, XtPointer) {
    entryGroupGuarded(groupOf(kTape), 0, true);
}
void instMediaTapeRemoteCB(Widget, XtPointer, XtPointer) {
    entryGroupGuarded(groupOf(kTape), 1, true);
}
void instMediaTapeHostNameCB(Widget, XtPointer, XtPointer) { entryGroupHostFocus(groupOf(kTape)); }

void instMediaCDOkCB(Widget, XtPointer, XtPointer) {
    if (checkEmptyDev(trev::kDevCdrom, instMediaCDDevName, instMediaCDHostName, nullptr, nullptr) ==
        0)
        cleanExit(trev::exitcode::kOk);
}

void instMediaCDMountCB(Widget, XtPointer, XtPointer) {
    mountCdAction(instMediaCDDevName, instMediaCDHostName, &instMediaHelpTextWin);
}

void instMediaTapeOkCB(Widget, XtPointer, XtPointer) {
    if (checkEmptyDev(trev::kDevTape, nullptr, nullptr, instMediaTapeDevName,
                      instMediaTapeHostName) == 0)
        cleanExit(trev::exitcode::kOk);
}
