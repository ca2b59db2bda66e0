// mainpanel: the installer's form server.  One run shows the one form named
// by the first argument and ends inside a callback, through cleanExit, with
// the user's answer as the exit status.
#include <X11/Intrinsic.h>
#include <X11/Xlib.h>
#include <Xm/Xm.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/globals.h"
#include "app/mainpanelExit.h"
#include "app/present.h"
#include "core/fileUtils.h"
#include "core/statusIo.h"
#include "formRegistry.h"
#include "kit/look.h"

extern String appDefaults[];

namespace {

using namespace trev::exitcode;

// The form type that only tests whether the display can be opened.
constexpr int kDisplayTestForm = -1;

[[noreturn]] void fail(const std::string& message) {
    std::fputs(message.c_str(), stderr);
    std::exit(kStartFailure);
}

Display* openDisplay(int& argc, char** argv) {
    return kit::openDisplay(app_context, appName, argc, argv);
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
        std::fprintf(stderr, "%s: Open display failed again.\n", progName);
        std::exit(kStartFailure);
    }
}

// A new or short form.status starts from a reset record; no help window
// has been asked for yet.
void resetStatus() {
    helped = false;
    trev::initStatus(formStatusRec);
}

// Opens form.status for update, or creates it, and reads or resets the record.
void openStatusFile() {
    const std::optional<std::string> path = trev::installTmpPath(instRoot, "form.status");
    if (!path)
        fail("Installation root " + instRoot + " is too long: the path of form.status " +
             "would exceed " + std::to_string(trev::kPathMax) + " characters.\n");
    statusFile = *path;
    trev::Opened o = trev::openChecked(statusFile.c_str(), "r+");
    if (o.file) {
        statusFd = std::move(o.file);
        if (trev::readStatusRecord(statusFd.get(), formStatusRec))
            statusRead = true;
        else
            resetStatus();
        return;
    }
    // Only a missing file is created, and only as a new one: a link planted
    // after the first look is refused, not written through.
    if (o.failure == trev::OpenFailure::System && o.error == ENOENT)
        o = trev::openChecked(statusFile.c_str(), "wx");
    if (!o.file) fail(trev::openFailureMessage("Cannot create file", statusFile.c_str(), o));
    statusFd = std::move(o.file);
    resetStatus();
}

// What main does for a form before the form's own start: the file its
// arguments name, the platform and the catalogue paths.  Returns the form's
// size slot.
trev::SizeSlot mainSteps(const FormRow& form, char** argv) {
    if (form.file.arg) {
        prodDescOutPath = argv[form.file.arg];
        prodDescOutFile = trev::openOrExit(argv[form.file.arg], form.file.mode);
    }
    if (form.needsCatalogue) {
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
    }
    return form.slotFor ? form.slotFor(argv) : form.slot;
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

    // A reader of the answer that has gone away makes the write fail, which
    // the exit protocol reports, instead of ending the run unseen.
    std::signal(SIGPIPE, SIG_IGN);
    app_context = kit::startToolkit();
    display = openDisplay(argc, argv);
    if (formType == kDisplayTestForm) return display ? kOk : kDisplayTestFailed;
    if (!display) promptForDisplay(argc, argv);
    kit::loadLook(display, "Trevalon", appDefaults);

    defScreen = DefaultScreen(display);
    rootWin = RootWindow(display, defScreen);
    screenWidth = DisplayWidth(display, defScreen);
    screenHeight = DisplayHeight(display, defScreen);

    const char* root = std::getenv("Proot");
    if (!root) fail("Installation root is not set.\n");
    instRoot = root;
    openStatusFile();

    const FormRow* form = findForm(formType);
    if (!form) fail(trev::notSupportedMessage(formType));
    if (!trev::wordCountOk(form->words, argc, argv))
        fail(trev::usageMessage(form->usage, progName, formType));
    if (const std::string bad =
            trev::controlWordMessage(form->deviceArgs, argc, argv, progName, formType);
        !bad.empty())
        fail(bad);
    currentWinS = &formStatusRec.slot(mainSteps(*form, argv));
    installLogoImage();
    form->start(argc, argv);
    presentForm(form->title, form->minWidth, form->help);
    XtAppMainLoop(app_context);
    return kOk;
}
