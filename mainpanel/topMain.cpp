// mainpanel: the installer's form server.  One run shows the one form named
// by the first argument and ends inside a callback, through cleanExit, with
// the user's answer as the exit status.
#include <X11/Intrinsic.h>
#include <X11/Xlib.h>
#include <Xm/Xm.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/formTable.h"
#include "core/statusIo.h"
#include "formStarts.h"
#include "globals.h"
#include "mainpanelExit.h"
#include "topStub/topStub.h"
#include "topUtils.h"
#include "topWidget/topWidget.h"

extern String appDefaults[];

namespace {

using namespace trev::exitcode;

[[noreturn]] void fail(const std::string& message) {
    std::fputs(message.c_str(), stderr);
    std::exit(kStartFailure);
}

Display* openDisplay(int& argc, char** argv) {
    return XtOpenDisplay(app_context, std::getenv("DISPLAY"), appName, "XApplication", nullptr,
                         0, &argc, argv);
}

// No display: ask the user to make one reachable and press return; one
// retry per return.  Ends the run unless the retry opens the display.
// The prompt goes to standard error: standard output carries the form's
// answer, which scripts capture and evaluate, and a prompt there would be
// both invisible to the user and mixed into the answer.
void promptForDisplay(int& argc, char** argv) {
    std::fprintf(stderr, "%s: Open display failed. Press <return> to continue ->", progName);
    for (;;) {
        const int c = std::getchar();
        if (c == EOF) {
            // Nobody can answer: never go on without a display.
            fail("\n" + std::string(progName) + ": Open display failed and standard input ended.\n");
        }
        if (c == '\n') break;
        std::fputs("Press <return> to continue ->", stderr);
    }
    display = openDisplay(argc, argv);
    if (!display) {
        std::fprintf(stderr, "%s: Open display failed again.", progName);
        std::exit(kStartFailure);
    }
}

// A new or short form.status starts from a reset record; no help window
// has been asked for yet.
void resetStatus() {
    helped = 0;
    trev::initStatus(formStatusRec);
}

// Opens form.status for update, or creates it, and reads or resets the record.
void openStatusFile() {
    const std::optional<std::string> path = trev::installTmpPath(instRoot, "form.status");
    if (!path)
        fail("Installation root " + instRoot + " is too long: the path of form.status " +
             "would exceed " + std::to_string(trev::kPathMax) + " characters.\n");
    statusFile = *path;
    statusFd = trev::openFile(statusFile.c_str(), "r+", 0);
    if (statusFd) {
        if (trev::readStatusRecord(statusFd.get(), formStatusRec))
            statusRead = 1;
        else
            resetStatus();
        return;
    }
    statusFd = trev::openFile(statusFile.c_str(), "w", 0);
    if (!statusFd) {
        std::fprintf(stderr, "Cannot create file %s", statusFile.c_str());
        trev::systemError(1);
    }
    resetStatus();
}

// What main does itself for a form before the form's own start: the files
// named on the command line, the platform and the catalogue paths, and the
// size slot of the install media form.  Returns the form's size slot.
std::size_t mainSteps(const trev::FormInfo& form, char** argv) {
    switch (form.type) {
    case 2:
    case 9:
    case 18: {
        prodDescOutFile = openOrExit(argv[3], "w", 1);
        const char* plat = std::getenv("OVS_INST_PLAT");
        if (!plat) fail("Installation platform not specified.\n");
        instPlat = plat;
        const auto bundles = trev::installTmpPath(instRoot, "bundles." + instPlat);
        const auto pkginfo = trev::installTmpPath(instRoot, "pkginfo." + instPlat);
        if (!bundles || !pkginfo)
            fail("Installation platform " + instPlat + " is too long: the catalogue paths " +
                 "would exceed " + std::to_string(trev::kPathMax) + " characters.\n");
        bundleFile = *bundles;
        pkginfoFile = *pkginfo;
        break;
    }
    case 11:
    case 12:
    case 13:
        prodDescOutFile = openOrExit(argv[3], "w", 1);
        break;
    case 22:
        prodDescOutFile = openOrExit(argv[2], "r", 1);
        break;
    case 15:
        if (std::strcmp(argv[2], "CDROM") == 0) return 112;
        if (std::strcmp(argv[2], "TAPE") == 0) return 120;
        fail(std::string("Illegal media type ") + argv[2] + "\n");
    default:
        break;
    }
    return form.slotOffset;
}

// Shows the built form the same way for every form type: title, logo,
// minimum width, equal action buttons, restored size and place, then the
// window-manager hooks.
void presentForm(const trev::FormInfo& form) {
    XtSetMappedWhenManaged(parentWidget, False);
    XtRealizeWidget(parentWidget);
    XtVaSetValues(parentWidget, XmNtitle, form.title, nullptr);
    if (logoWidget) setLogoPixmap(logoWidget);
    XtVaSetValues(parentWidget, XmNminWidth, form.minWidth, nullptr);
    if (helpWidget) setHelpWindowWidth(helpWidget);
    XSetIconName(display, XtWindow(parentWidget), "Trevalon Menu");
    resizeActionButton(actionWidget);
    adjustWindowLoc();
    XtMapWidget(parentWidget);
    XtAddEventHandler(parentWidget, StructureNotifyMask, False, windowConfHandlerCB, nullptr);
    addWinDestroyCallback(parentWidget, topWinDestroyCB, nullptr);
    if (helpWidget)
        addWinDestroyCallback(helpWidget, helpWinDestroyCB,
                              reinterpret_cast<XtPointer>(static_cast<std::intptr_t>(formType)));
    XSync(display, False);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "Usage: %s formType\n", argv[0]);
        return kStartFailure;
    }
    progName = argv[0];
    const char* slash = std::strrchr(argv[0], '/');
    appName = slash ? slash + 1 : argv[0];
    formType = trev::parseFormType(argv[1]);

    XtToolkitInitialize();
    app_context = XtCreateApplicationContext();
    XtAppSetFallbackResources(app_context, appDefaults);
    display = openDisplay(argc, argv);
    if (formType == -1) return display ? kOk : kDisplayTestFailed;
    if (!display) promptForDisplay(argc, argv);

    defScreen = DefaultScreen(display);
    rootWin = RootWindow(display, defScreen);
    screenWidth = DisplayWidth(display, defScreen);
    screenHeight = DisplayHeight(display, defScreen);

    const char* root = std::getenv("Proot");
    if (!root) fail("Installation root is not set.\n");
    instRoot = root;
    openStatusFile();

    const trev::FormInfo* form = trev::findForm(formType);
    if (!form) fail(trev::notSupportedMessage(formType));
    if (!trev::wordCountOk(*form, argc, argv)) fail(trev::usageMessage(*form, progName));
    const std::size_t slot = mainSteps(*form, argv);
    const FormStartFn start = findFormStart(formType);
    if (!start) fail(trev::notSupportedMessage(formType));

    currentWinS = formStatusRec.slotAt(slot);
    installLogoImage();
    start(argc, argv);
    presentForm(*form);
    XtAppMainLoop(app_context);
    return kOk;
}
