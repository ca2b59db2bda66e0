// Starting the platform form: read the platform file named on the command
// line, work out the preselected platform, build the form.
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "globals.h"
#include "mainpanelExit.h"
#include "topUtils.h"
#include "topWidget/mainpanel.h"
#include "topWidget/topPlat.h"

trev::PlatformList platforms;
int platDefaultIndex = trev::kNoPlatform;

void startTopPlat(int, char** argv) {
    const char* fileName = argv[2];
    trev::FilePtr platFile = openOrExit(fileName, "r", 0);
    int badLine = 0;
    const trev::PlatformError err = trev::readPlatformFile(platFile.get(), platforms, badLine);
    if (err == trev::PlatformError::NameTooLong) {
        std::fprintf(stderr, "%s %s: Wrong platform file: the name on line %d is longer than %zu characters\n",
                     progName, argv[1], badLine + 1, trev::kPlatformNameMax);
        std::exit(trev::exitcode::kStartFailure);
    }
    if (err != trev::PlatformError::Ok) {
        std::fprintf(stderr, "%s %s: Wrong platform file\n", progName, argv[1]);
        errno = 0;   // a bad line is no system error
        trev::systemError(1);
    }
    platFile.reset();

    platDefaultIndex = trev::platformDefaultIndex(platforms, formStatusRec.platformIndex);
    formStatusRec.platformIndex = platDefaultIndex;
    create_topPlat(platforms, platDefaultIndex);
    parentWidget = mainpanel;
    helpWidget = topPlatHelpTextWin;
    actionWidget = topPlatActionRow;
    logoWidget = topPlatLogo;
}
