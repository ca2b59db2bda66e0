// Form type 15, Install Media: the medium to load and its drive, which the
// user confirms or corrects.  A CD-ROM variant (with Mount CD) and a tape
// variant, built by one builder from their names.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/devices.h"
#include "app/form.h"
#include "core/deviceName.h"
#include "inMedD/forms.h"

namespace {

// The names of one variant.
struct Variant {
    int kind;
    kit::FrameNames frame;
    const char* text;
    const char* label;
    kit::EntryNames group;
    const char* ok;
    const char* mainMenu;
    const char* mount;   // nullptr: no Mount CD button
    const char* help;
};

const Variant kCd = {
    trev::kDevCdrom,
    {"widget206", "widget207", "instMediaCDLogo", "widget208", "widget210", nullptr, "widget219",
     "instMediaCDAction"},
    "widget211", "instMediaCDLabel",
    {"widget213", "instMediaCDDevName", "instMediaCDHostName", "widget215", "instMediaCDLocal",
     "instMediaCDRemote"},
    "instMediaCDOk", "instMediaCDMainMenu", "instMediaCDMount", "instMediaCDHelp"};

const Variant kTape = {
    trev::kDevTape,
    {"widget226", "widget227", "instMediaTapeLogo", "widget228", "widget230", nullptr, "widget239",
     "instMediaTapeAction"},
    "widget231", "instMediaTapeLabel",
    {"widget233", "instMediaTapeDevName", "instMediaTapeHostName", "widget235",
     "instMediaTapeLocal", "instMediaTapeRemote"},
    "instMediaTapeOk", "instMediaTapeMainMenu", nullptr, "instMediaTapeHelp"};

const Variant* shown;
kit::EntryGroup group;

void instMediaOkCB(Widget, XtPointer, XtPointer) {
    if (devicesAnswered(shown->kind, group.device, group.host, group.device, group.host))
        cleanExit(kOk);
}

void instMediaCDMountCB(Widget, XtPointer, XtPointer) { mountCdAction(group.device, group.host); }

const Variant& variantOf(const char* mediaType) {
    return std::strcmp(mediaType, "CDROM") == 0 ? kCd : kTape;
}

}  // namespace

trev::SizeSlot instMediaSlot(char** argv) {
    if (std::strcmp(argv[2], "CDROM") == 0) return trev::SizeSlot::InstallMediaCd;
    if (std::strcmp(argv[2], "TAPE") == 0) return trev::SizeSlot::InstallMediaTape;
    std::fprintf(stderr, "Illegal media type %s\n", argv[2]);
    std::exit(kStartFailure);
}

// mainpanel 15 CDROM|TAPE mediaLabel deviceName
void startInstMedia(int, char** argv) {
    const Variant& v = *(shown = &variantOf(argv[2]));
    Widget shell = createFormShell();
    kit::Frame f = kit::buildFrame(shell, v.frame);
    const std::vector<Widget> line = kit::labelLine(f.upper, f.title, 25, {v.text, v.label});
    kit::setLabel(line[1], argv[3]);
    group.remoteFlag = v.kind == trev::kDevCdrom ? &CDHost : &tapeHost;
    group.mode = kit::EntryMode::GuardedToggles;
    kit::buildEntryGroup(group, f.upper, v.group, line[0], 10, true);
    kit::hostFocusChoosesRemote(group);
    const kit::Button ok{v.ok, instMediaOkCB}, mainMenu{v.mainMenu, exitCB, kit::number(kMainMenu)},
        help{v.help, XDpopup_link, &helpWidget};
    const std::vector<Widget> b =
        v.mount ? kit::buildActions(f, kit::Layout::Spread,
                                    {ok, mainMenu, {v.mount, instMediaCDMountCB}, help})
                : kit::buildActions(f, kit::Layout::Spread, {ok, mainMenu, help});
    kit::manageFrame(f, b[0]);
    makeCurrentForm(shell, f);
    loadDevice |= v.kind;
    fillEntryGroup(group, argv[4]);
}
