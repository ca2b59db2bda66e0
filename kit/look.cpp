#include "look.h"

#include <X11/Xresource.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <fstream>
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

// A resource line for this locale: in a locale of several bytes a
// character a font list names a font set (a trailing colon), so that the
// text is drawn in the locale's encoding; in a locale of one byte a
// character it names a font, drawn byte by byte.
std::string forLocale(std::string line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos || line[0] == '!') return line;
    std::string name = line.substr(0, colon);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name.size() < 8 || name.compare(name.size() - 8, 8, "fontlist") != 0) return line;
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    const bool set = line.back() == ':';
    if (MB_CUR_MAX > 1 && !set) line += ':';
    if (MB_CUR_MAX == 1 && set) line.pop_back();
    return line;
}

void loadLook(Display* display, const char* className, const char* const* builtIn) {
    std::string text;
    const std::string installed = findInstalled(display, className);
    if (std::ifstream file{installed}; !installed.empty() && file) {
        for (std::string line; std::getline(file, line);) text += forLocale(line) + "\n";
    } else {
        for (const char* const* line = builtIn; *line; ++line) text += forLocale(*line) + "\n";
    }
    // Like the toolkit's own app-defaults, the look ranks below everything
    // the user gave (their resources, -xrm options).
    XrmDatabase db = XtDatabase(display);
    XrmCombineDatabase(XrmGetStringDatabase(text.c_str()), &db, False);
}

}  // namespace kit
