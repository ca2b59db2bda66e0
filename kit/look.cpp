#include "look.h"

#include <X11/Xresource.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace kit {

namespace {

bool isRegularFile(const char* path) {
    struct stat st;
    return ::stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

// The installed app-defaults file of `className`; empty when there is none.
std::string findInstalled(Display* display, const char* className) {
    if (char* found = XtResolvePathname(display, "app-defaults", className, nullptr, nullptr,
                                        nullptr, 0, nullptr)) {
        std::string path = found;
        XtFree(found);
        return path;
    }
    // An explicit search path is the whole answer.
    if (std::getenv("XFILESEARCHPATH")) return {};
    const std::string ours = std::string(TREV_APPDEFAULTS_DIR) + "/" + className;
    return isRegularFile(ours.c_str()) ? ours : std::string();
}

// The toolkit's warnings, but for font sets that lack charsets the
// locale could use but no text of ours needs (a UTF-8 locale lists dozens).
XtErrorMsgHandler toolkitWarning = nullptr;
void warningCB(String name, String type, String cls, String text, String* params,
               Cardinal* count) {
    if (std::string(name) == "missingCharsetList") return;
    toolkitWarning(name, type, cls, text, params, count);
}

}  // namespace

XtAppContext startToolkit() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd)
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) open("/dev/null", O_RDONLY);
    XtSetLanguageProc(nullptr, nullptr, nullptr);
    XtToolkitInitialize();
    XtAppContext app = XtCreateApplicationContext();
    toolkitWarning = XtAppSetWarningMsgHandler(app, warningCB);
    return app;
}

Display* openDisplay(XtAppContext app, const char* appName, int& argc, char** argv) {
    return XtOpenDisplay(app, nullptr, appName, "XApplication", nullptr, 0, &argc, argv);
}

void loadLook(Display* display, const char* className, const char* const* builtIn) {
    XrmDatabase db = XtDatabase(display);
    const std::string installed = findInstalled(display, className);
    // Like the toolkit's own app-defaults, the look ranks below everything
    // the user gave (their resources, -xrm options).
    if (!installed.empty() && XrmCombineFileDatabase(installed.c_str(), &db, False)) return;
    XrmDatabase look = nullptr;
    for (const char* const* line = builtIn; *line; ++line) XrmPutLineResource(&look, *line);
    XrmCombineDatabase(look, &db, False);
}

}  // namespace kit
