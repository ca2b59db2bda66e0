// Starting the message form: the text of the file named on the command line
// under the caption given after it.
#include <sys/stat.h>

#include <Xm/Text.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "globals.h"
#include "mainpanelExit.h"
#include "topWidget/TVMB.h"
#include "xraii.h"

namespace {

// Size of a message window that the user has not sized yet.
constexpr std::uint16_t kMessageWidth = 630;
constexpr std::uint16_t kMessageHeight = 375;

}  // namespace

void startTVMB(int, char** argv) {
    const char* fileName = argv[2];
    trev::FilePtr msgFile = trev::openFile(fileName, "r", 1);
    struct stat st;
    // The size comes from the open stream itself, so that a "$VAR" or "~"
    // path that openFile expanded is measured too.
    if (!msgFile || fstat(fileno(msgFile.get()), &st) != 0) {
        if (!msgFile && stat(fileName, &st) == 0) std::exit(trev::exitcode::kStartFailure);
        std::fprintf(stderr, "\nCould not stat file %s", fileName);
        std::exit(trev::exitcode::kStartFailure);
    }

    create_TVMB();
    parentWidget = TVMB;
    if (currentWinS->width == 0 || currentWinS->height == 0) {
        currentWinS->width = kMessageWidth;
        currentWinS->height = kMessageHeight;
        currentWinS->sizeSet = 1;
    }

    std::string text;
    try {
        text.resize(static_cast<std::size_t>(st.st_size) + 1);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "\nNot enough memory..Quitting...\n");
        std::exit(trev::exitcode::kStartFailure);
    }
    const std::size_t got = std::fread(text.data(), 1, text.size(), msgFile.get());
    if (got == 0) std::fprintf(stderr, "\nMight not have read the entire file...\n");
    text.resize(std::min(got, static_cast<std::size_t>(st.st_size)));
    XmTextSetString(TVMBText, text.data());
    msgFile.reset();

    const XmStr caption(argv[3]);
    XtVaSetValues(TVMBLabel, XmNlabelString, static_cast<XmString>(caption), nullptr);
}
