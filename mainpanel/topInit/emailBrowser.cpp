// Building the e-mail browser on the first "Browser..." press (and after a
// window-manager close): in the directory of the e-mail file chosen before,
// or else in $TrevStartDir, placed beside the form.
#include <Xm/Text.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/fileUtils.h"
#include "core/pathQualify.h"
#include "globals.h"
#include "topStub/topStub.h"
#include "topWidget/emailBrowser.h"
#include "topWidget/topWidget.h"

namespace {

// The box takes the working directory at its creation as its first
// directory: enter the start directory for that moment only.  A directory
// that cannot be entered, or a working directory that could not be found
// again, leaves the box in the working directory.
void createInStartDir() {
    const std::optional<std::string> start =
        trev::browserStartDir(formStatusRec.emailFile, std::getenv("TrevStartDir"));
    int saved = -1;
    if (start) {
        saved = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#ifdef O_PATH
        if (saved < 0) saved = open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
#endif
    }
    const bool moved = saved >= 0 && chdir(start->c_str()) == 0;
    create_emailBrowser(parentWidget);
    if (moved && fchdir(saved) != 0) {
        // Relative e-mail file names would now be read from elsewhere.
        const int err = errno;
        std::fprintf(stderr, "Cannot return to the working directory after entering %s",
                     start->c_str());
        errno = err;
        trev::systemError(0);
    }
    if (saved >= 0) close(saved);
}

Pixel blackPixel() {
    static Pixel black = [] {
        const Pixel p = getFgBgColor("black");
        return p == ~Pixel{0} ? BlackPixel(display, defScreen) : p;
    }();
    return black;
}

}  // namespace

void initEmailBrowser() {
    createInStartDir();
    // Given only a width, the box would squeeze its lists to two lines:
    // keep the height it wants.
    XtWidgetGeometry natural{};
    XtQueryGeometry(emailSelectBox, nullptr, &natural);
    XtVaSetValues(emailBrowser,
                  XmNx, static_cast<Position>(formStatusRec.winX + 40),
                  XmNy, static_cast<Position>(formStatusRec.winY + 50),
                  XmNwidth, static_cast<Dimension>(450), nullptr);
    if ((natural.request_mode & CWHeight) && natural.height > 0)
        XtVaSetValues(emailBrowser, XmNheight, natural.height, nullptr);
    for (Widget w : {emailFiles, emailSelection, emailFilter, emailDirectory})
        XtVaSetValues(w, XmNforeground, blackPixel(), nullptr);
    XmTextSetString(emailSelection, const_cast<char*>(""));
    XtRealizeWidget(emailBrowser);
    if (emailBrowserHelpTextWin) setHelpWindowWidth(emailBrowserHelpTextWin);
    addWinDestroyCallback(emailBrowser, generalWinDestroyCB, &emailBrowser);
    addWinDestroyCallback(emailBrowserHelpTextWin, helpWinDestroyCB,
                          reinterpret_cast<XtPointer>(static_cast<std::intptr_t>(16)));
}
