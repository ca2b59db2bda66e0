// Form type 6, Mount Tape: asks the user to insert a tape in the drive
// shown, which the user may correct; OK prints DeviceTAPE.
#include <cstdlib>
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

Widget mntTape, mntTapeLogo, mntTapeOrvantaL, mntTapeTitle;
Widget mntTapeHead1, mntTapeNameV, mntTapeHead3;
Widget mntTapeFrameLabel, mntTapeUnknown, mntTapeDevV, mntTapeHostV;
Widget mntTapeUnkLocal, mntTapeUnkRemote;
Widget mntTapeAction, mntTapeOk, mntTapeSkip, mntTapeMainMenu, mntTapeHelp;
Widget mntTapeHelpTextWin;

namespace {

EntryGroup group() {
    return {mntTapeUnkLocal, mntTapeUnkRemote, mntTapeDevV, mntTapeHostV, mntTapeHostVCB,
            &tapeHost};
}

}  // namespace

Widget create_mntTapeHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "mntTape", 1, nullptr, &mntTapeHelpTextWin);
}

Widget create_mntTape() {
    mntTape = createFormShell();
    const MediaFrame f = createMediaFrame(
        mntTape, {"widget368", "widget369", "mntTapeLogo", "mntTapeOrvantaL", "mntTapeTitle",
                  "widget380", "mntTapeAction"});
    mntTapeLogo = f.logo;
    mntTapeOrvantaL = f.orvanta;
    mntTapeTitle = f.title;
    mntTapeAction = f.action;

    const std::vector<Widget> line = createLabelLine(
        f.content, f.title, 25,
        {{"mntTapeHead1", true}, {"mntTapeNameV", false}, {"mntTapeHead3", false}});
    mntTapeHead1 = line[0];
    mntTapeNameV = line[1];
    mntTapeHead3 = line[2];

    storeEntryFrame(createBottomEntryFrame(f.content,
                                           {"mntTapeUnknown", "mntTapeFrameLabel", "widget308_B",
                                            {"widget309_B", true, "mntTapeDevV", "mntTapeHostV",
                                             "widget312_B", "mntTapeUnkLocal", "mntTapeUnkRemote"}},
                                           mntTapeHead1, mntTapeUnkLocalCB, mntTapeUnkRemoteCB),
                    {&mntTapeUnknown, &mntTapeFrameLabel, &mntTapeDevV, &mntTapeHostV,
                     &mntTapeUnkLocal, &mntTapeUnkRemote});
    XtAddCallback(mntTapeHostV, XmNfocusCallback, mntTapeHostVCB, nullptr);

    mntTapeOk = createButton(mntTapeAction, "mntTapeOk", true, mntTapeOkCB);
    mntTapeSkip = createButton(mntTapeAction, "mntTapeSkip", true, mediaExitCB,
                               exitCode(trev::exitcode::kSkip));
    mntTapeMainMenu = createButton(mntTapeAction, "mntTapeMainMenu", true, mediaExitCB,
                                   exitCode(trev::exitcode::kMainMenu));
    mntTapeHelp = createButton(mntTapeAction, "mntTapeHelp", false, XDpopup_link,
                               &mntTapeHelpTextWin);
    placeActionButtons(mntTapeAction, {mntTapeOk, mntTapeSkip, mntTapeMainMenu, mntTapeHelp});
    manageMediaFrame(f, mntTapeOk);

    create_mntTapeHelpTextWin(mntTape);
    return mntTape;
}

void startMntTape(int, char** argv) {
    create_mntTape();
    makeCurrentForm(mntTape, mntTapeHelpTextWin, mntTapeAction, mntTapeLogo);
    if (std::atoi(argv[4]) != 0) XtSetSensitive(mntTapeSkip, False);
    const int remote = dispKnownDevInfo(trev::kDevTape, nullptr, argv[2], argv[3], nullptr, nullptr,
                                        mntTapeNameV, mntTapeDevV, mntTapeHostV, 1);
    setRemoteToggles(remote, mntTapeUnkLocal, mntTapeUnkRemote);
    tapeHost = remote;
}

void mntTapeUnkLocalCB(Widget, XtPointer, XtPointer) { entryGroupPlain(group(), 0); }
void mntTapeUnkRemoteCB(Widget, XtPointer, XtPointer) { entryGroupPlain(group(), 1); }
void mntTapeHostVCB(Widget, XtPointer, XtPointer) { entryGroupHostFocus(group()); }

void mntTapeOkCB(Widget, XtPointer, XtPointer) {
    if (checkEmptyDev(trev::kDevTape, nullptr, nullptr, mntTapeDevV, mntTapeHostV) == 0)
        cleanExit(trev::exitcode::kOk);
}
