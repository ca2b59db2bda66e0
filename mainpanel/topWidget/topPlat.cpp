// Form type 19, the platform form: choose the platform of the products from
// a platform file; OK prints the platform's name for the script.
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "app/form.h"
#include "core/platformFile.h"
#include "topWidget/forms.h"

namespace {

// The platforms read from the file (names and descriptions) and the index
// preselected at start, to which Previous and Main Menu return.
trev::PlatformList platforms;
int platDefaultIndex = trev::kNoPlatform;

Widget mainpanel;

// Each toggle carries its platform's index.
void topPlatCB(Widget, XtPointer index, XtPointer) {
    formStatusRec.platformIndex = kit::numberOf(index);
}

void topPlatOkCB(Widget, XtPointer, XtPointer) {
    const std::int32_t i = formStatusRec.platformIndex;
    if (i >= 0 && static_cast<std::size_t>(i) < platforms.names.size())
        std::fputs(platforms.names[static_cast<std::size_t>(i)].c_str(), stdout);
    cleanExit(kOk);
}

// Previous and Main Menu leave the preselected platform in the record.
void topPlatLeaveCB(Widget, XtPointer code, XtPointer) {
    formStatusRec.platformIndex = platDefaultIndex;
    cleanExit(kit::numberOf(code));
}

void readPlatforms(const char* fileName, const char* typeWord) {
    trev::FilePtr platFile = trev::openOrExit(fileName, "r");
    int badLine = 0;
    const trev::PlatformError err = trev::readPlatformFile(platFile.get(), platforms, badLine);
    if (err == trev::PlatformError::NameTooLong) {
        std::fprintf(stderr,
                     "%s %s: Wrong platform file: the name on line %d is longer than %zu characters\n",
                     progName, typeWord, badLine + 1, trev::kPlatformNameMax);
        std::exit(kStartFailure);
    }
    if (err == trev::PlatformError::LineTooLong) {
        std::fprintf(stderr, "%s %s: Wrong platform file: line %d is longer than %zu characters\n",
                     progName, typeWord, badLine + 1, trev::kPlatformLineMax);
        std::exit(kStartFailure);
    }
    if (err == trev::PlatformError::NameControl) {
        std::fprintf(stderr,
                     "%s %s: Wrong platform file: the name on line %d holds a control character\n",
                     progName, typeWord, badLine + 1);
        std::exit(kStartFailure);
    }
    if (err != trev::PlatformError::Ok) {
        std::fprintf(stderr, "%s %s: Wrong platform file\n", progName, typeWord);
        std::exit(kStartFailure);
    }
}

}  // namespace

void startTopPlat(int, char** argv) {
    readPlatforms(argv[2], argv[1]);
    platDefaultIndex = trev::platformDefaultIndex(platforms, formStatusRec.platformIndex);
    formStatusRec.platformIndex = platDefaultIndex;

    mainpanel = createFormShell();
    kit::Frame f = kit::buildFrame(mainpanel, {"widget129", "widget", "topPlatLogo", "topPlatOrvanta",
                                               "topPlatTitle", "topPlatHead", "widget141_P",
                                               "topPlatAction"});
    Widget box = kit::buildChoiceBox(f, "widget132_P");
    Widget set = nullptr;
    for (std::size_t i = 0; i < platforms.descs.size() && !platforms.descs[i].empty(); ++i) {
        const kit::XmStr label(platforms.descs[i]);
        Widget t = XtVaCreateManagedWidget(
            std::to_string(i).c_str(), xmToggleButtonWidgetClass, box,
            XmNlabelString, static_cast<XmString>(label),
            XmNset, static_cast<int>(i) == platDefaultIndex ? True : False, nullptr);
        kit::onChange(t, topPlatCB, kit::number(static_cast<int>(i)));
        if (static_cast<int>(i) == platDefaultIndex) set = t;
    }
    const std::vector<Widget> b = kit::buildActions(
        f, kit::Layout::Row,
        {{"topPlatOK", topPlatOkCB}, {"topPlatPrev", topPlatLeaveCB, kit::number(kPrevious)},
         {"topPlatMainMenu", topPlatLeaveCB, kit::number(kMainMenu)},
         {"topPlatHelp", XDpopup_link, &helpWidget}},
        "topPlatActionRow");
    kit::manageFrame(f, b[0], set);
    makeCurrentForm(mainpanel, f);
}
