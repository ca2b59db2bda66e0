// Form type 24, the message form: shows a text file under a caption; OK and
// Cancel answer 51 and 52.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "app/form.h"
#include "topWidget/forms.h"

namespace {

// The text area is as wide as the longest line and as high as the lines,
// within these bounds (the window then stays within the screen).
constexpr short kMinColumns = 40, kMaxColumns = 200;
constexpr short kMinRows = 7, kMaxRows = 30;

// Characters of the longest line (UTF-8 counted by character) and lines.
std::pair<short, short> textExtent(const std::string& text) {
    std::size_t longest = 0, column = 0, lines = 1;
    for (char c : text) {
        if (c == '\n') {
            ++lines;
            column = 0;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            longest = std::max(longest, ++column);
        }
    }
    auto clamp = [](std::size_t v, short lo, short hi) {
        return static_cast<short>(std::clamp<std::size_t>(v, lo, hi));
    };
    return {clamp(longest, kMinColumns, kMaxColumns), clamp(lines, kMinRows, kMaxRows)};
}

Widget TVMB, TVMBText, TVMBLabel;

// The text of the file named on the command line; the run ends when it
// cannot be read.
std::string readMessage(const char* fileName) {
    trev::FilePtr msgFile = trev::openOrExit(fileName, "r", "Cannot open file");
    struct stat st;
    // The size comes from the open stream itself, so that a "$VAR" or "~"
    // path that openFile expanded is measured too.
    if (fstat(fileno(msgFile.get()), &st) != 0)
        trev::reportWithReason(std::string("\nCould not stat file ") + fileName, true);
    std::string text;
    try {
        text.resize(static_cast<std::size_t>(st.st_size) + 1);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "\nNot enough memory..Quitting...\n");
        std::exit(kStartFailure);
    }
    const std::size_t got = std::fread(text.data(), 1, text.size(), msgFile.get());
    if (got == 0) std::fprintf(stderr, "\nMight not have read the entire file...\n");
    text.resize(std::min(got, static_cast<std::size_t>(st.st_size)));
    return text;
}

}  // namespace

void startTVMB(int, char** argv) {
    const std::string text = readMessage(argv[2]);

    TVMB = createFormShell();
    XtVaSetValues(TVMB, XmNallowShellResize, True, nullptr);
    kit::Frame f = kit::buildFrame(TVMB, {"widget1", "widget12", "TVMBLogo", "TVMBOrvanta",
                                          "TVMBHead", nullptr, "widget5", "widget6"});
    const std::vector<Widget> b = kit::buildActions(
        f, kit::Layout::Spread,
        {{"TVMBOKButton", exitCB, kit::number(kMessageOk)},
         {"TVMBMMButton", exitCB, kit::number(kMessageCancel)}});
    TVMBLabel = XtVaCreateManagedWidget(
        "TVMBLabel", xmLabelWidgetClass, f.upper,
        XmNbottomAttachment, XmATTACH_FORM,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    const auto [columns, rows] = textExtent(text);
    Arg args[3];
    XtSetArg(args[0], XmNeditMode, XmMULTI_LINE_EDIT);
    XtSetArg(args[1], XmNcolumns, columns);
    XtSetArg(args[2], XmNrows, rows);
    TVMBText = XmCreateScrolledText(f.upper, const_cast<char*>("TVMBText"), args, 3);
    XtVaSetValues(XtParent(TVMBText),
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.top(), XmNtopOffset, 10,
                  XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, TVMBLabel,
                  XmNbottomOffset, 10,
                  XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    XtManageChild(TVMBText);
    kit::manageFrame(f, b[0], b[0], b[1]);
    makeCurrentForm(TVMB, f);

    kit::setText(TVMBText, text);
    kit::setLabel(TVMBLabel, argv[3]);
}
