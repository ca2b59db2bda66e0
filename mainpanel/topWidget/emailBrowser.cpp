// The e-mail browser at work: its building, OK and Cancel, the search path
// tidy-up, and the file selection box's search procedures, which list bare
// names and take directories given by name below the directory the box
// shows.  The searching itself is core/filePattern.h and core/pathQualify.h.
#include "topWidget/emailBrowser.h"

#include <X11/Shell.h>
#include <X11/Xlib.h>
#include <Xm/FileSB.h>
#include <Xm/FileSBP.h>
#include <Xm/List.h>
#include <Xm/Text.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/form.h"
#include "core/filePattern.h"
#include "core/pathQualify.h"
#include "kit/wm.h"

static_assert(trev::kFileDirectory == XmFILE_DIRECTORY && trev::kFileRegular == XmFILE_REGULAR &&
                  trev::kFileAnyType == XmFILE_ANY_TYPE,
              "file type masks of the listings and of the box agree");

namespace {

// Handles, nullptr until the browser is built; a window-manager close
// destroys it and clears them all.
Widget emailBrowser, emailSelectBox, emailBrowserFilter, emailSelection, emailFilter;
Widget emailBrowserHelpTextWin;
// The form's e-mail field, which OK fills.
Widget targetField;
HelpHome browserHelp{{"emailBrowser", true, "emailBrowserTextHelpDialog"}, &emailBrowser,
                     &emailBrowserHelpTextWin};

// The bell's volume when a choice cannot be taken.
constexpr int kBellVolume = 75;


XmString makeString(const std::string& text) {
    return XmStringCreateLocalized(const_cast<char*>(text.c_str()));
}

// A compound-string resource of the box (a copy), as text.
std::string boxText(Widget box, const char* resource) {
    XmString s = nullptr;
    XtVaGetValues(box, resource, &s, nullptr);
    std::optional<std::string> t = kit::textOf(s);
    if (s) XmStringFree(s);
    return t.value_or("");
}

// The box lays its lists out as if they showed whole paths and gives the
// directory list the room the path would take in the file list, which
// leaves the file list a sliver.  The lists show bare names: they share the
// width between them equally, and the Files label stays over its list.
void shareListWidths() {
    if (!emailSelectBox || !XtIsRealized(emailSelectBox)) return;
    Widget dirs = XtParent(XmFileSelectionBoxGetChild(emailSelectBox, XmDIALOG_DIR_LIST));
    Widget files = XtParent(XmFileSelectionBoxGetChild(emailSelectBox, XmDIALOG_LIST));
    Widget label = XmFileSelectionBoxGetChild(emailSelectBox, XmDIALOG_LIST_LABEL);
    Position dx = 0, dy = 0, fx = 0, fy = 0, lx = 0, ly = 0;
    Dimension dw = 0, dh = 0, fw = 0, fh = 0, dbw = 0, fbw = 0, lw = 0, lh = 0, lbw = 0;
    XtVaGetValues(dirs, XmNx, &dx, XmNy, &dy, XmNwidth, &dw, XmNheight, &dh, XmNborderWidth, &dbw,
                  nullptr);
    XtVaGetValues(files, XmNx, &fx, XmNy, &fy, XmNwidth, &fw, XmNheight, &fh, XmNborderWidth, &fbw,
                  nullptr);
    XtVaGetValues(label, XmNx, &lx, XmNy, &ly, XmNwidth, &lw, XmNheight, &lh, XmNborderWidth, &lbw,
                  nullptr);
    const int gap = fx - (dx + dw), span = fx + fw - dx - gap;
    if (gap < 0 || span < 2) return;
    const int half = span / 2;
    XtConfigureWidget(dirs, dx, dy, static_cast<Dimension>(half), dh, dbw);
    XtConfigureWidget(files, static_cast<Position>(dx + half + gap), fy,
                      static_cast<Dimension>(span - half), fh, fbw);
    XtConfigureWidget(label, static_cast<Position>(dx + half + gap), ly, lw, lh, lbw);
}

void boxLaidOutCB(Widget, XtPointer, XEvent* event, Boolean*) {
    if (event->type == ConfigureNotify || event->type == MapNotify) shareListWidths();
}

void hideBrowser() {
    if (emailBrowser) XtUnmapWidget(emailBrowser);
    if (emailBrowserHelpTextWin) {
        helped = false;
        XtPopdown(emailBrowserHelpTextWin);
    }
}

// OK: the box's directory and the selection text name the file; anything
// but a regular file rings the bell and the browser stays.
void emailBrowserOkCB(Widget, XtPointer, XtPointer callData) {
    const auto* cbs = static_cast<XmFileSelectionBoxCallbackStruct*>(callData);
    const std::string path = kit::textOf(cbs->dir).value_or("") + kit::fieldText(emailSelection);
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        XBell(display, kBellVolume);
        return;
    }
    hideBrowser();
    kit::setTextShowEnd(targetField, path);
}

void emailBrowserCancelCB(Widget, XtPointer, XtPointer) { hideBrowser(); }

// A search refills the lists; the window keeps its size meanwhile.
void emailBrowserFilterArmCB(Widget, XtPointer, XtPointer) {
    if (emailBrowser) XtVaSetValues(emailBrowser, XmNallowShellResize, False, nullptr);
}

// The lists' horizontal scroll bars run left to right again after the box
// refilled them.
void emailBrowserFilterDisarmCB(Widget, XtPointer, XtPointer) {
    if (!emailBrowser) return;
    XtVaSetValues(emailBrowser, XmNallowShellResize, True, nullptr);
    for (unsigned char list : {XmDIALOG_LIST, XmDIALOG_DIR_LIST}) {
        Widget bar = nullptr;
        XtVaGetValues(XtParent(XmFileSelectionBoxGetChild(emailSelectBox, list)),
                      XmNhorizontalScrollBar, &bar, nullptr);
        if (bar)
            XtVaSetValues(bar, XmNorientation, XmHORIZONTAL, XmNprocessingDirection,
                          XmMAX_ON_RIGHT, nullptr);
    }
}

void emailFilterCB(Widget, XtPointer, XtPointer) {
    kit::setText(emailSelection, "");
    const std::string path = kit::fieldText(emailFilter);
    const std::string tidy = trev::tidySearchPath(path);
    if (tidy == path) return;
    kit::setText(emailFilter, tidy);
    XmTextSetInsertionPosition(emailFilter, static_cast<XmTextPosition>(tidy.size()));
}

void QualifySearchDataProc(Widget box, XtPointer searchData, XtPointer qualifiedSearchData) {
    const auto* in = static_cast<XmFileSelectionBoxCallbackStruct*>(searchData);
    auto* out = static_cast<XmFileSelectionBoxCallbackStruct*>(qualifiedSearchData);
    trev::SearchRequest request;
    request.mask = kit::textOf(in->mask);
    request.dir = kit::textOf(in->dir);
    request.pattern = kit::textOf(in->pattern);
    const trev::QualifiedSearch q =
        trev::qualifySearch(request, boxText(box, XmNdirectory), boxText(box, XmNpattern));

    out->reason = in->reason;
    out->event = in->event;
    out->value = in->value ? XmStringCopy(in->value)
                           : makeString(kit::fieldText(XmFileSelectionBoxGetChild(box, XmDIALOG_TEXT)));
    out->length = XmStringLength(out->value);
    out->mask = makeString(q.mask);
    out->mask_length = XmStringLength(out->mask);
    out->dir = makeString(q.dir);
    out->dir_length = XmStringLength(out->dir);
    out->pattern = makeString(q.pattern);
    out->pattern_length = XmStringLength(out->pattern);
}

void DirSearchProc(Widget box, XtPointer searchData) {
    const auto* data = static_cast<XmFileSelectionBoxCallbackStruct*>(searchData);
    const std::optional<std::string> dir = kit::textOf(data->dir);
    if (!dir) {
        XBell(XtDisplay(box), 0);
        XtVaSetValues(box, XmNlistUpdated, False, XmNdirectoryValid, False, nullptr);
        return;
    }
    if (*dir == boxText(box, XmNdirectory)) {
        XtVaSetValues(box, XmNlistUpdated, False, XmNdirectoryValid, True, nullptr);
        return;
    }
    // Every directory has "." and "..": nothing listed means unreadable.
    const std::vector<std::string> entries = trev::dirEntries(*dir, "*", trev::kFileDirectory, false);
    if (entries.empty()) {
        XBell(XtDisplay(box), 0);
        XtVaSetValues(box, XmNlistUpdated, False, XmNdirectoryValid, False, nullptr);
        return;
    }
    kit::ItemList items(trev::listNames(entries));
    XtVaSetValues(box, XmNdirListItems, items.table(), XmNdirListItemCount, items.count(),
                  XmNlistUpdated, True, XmNdirectoryValid, True, nullptr);
    Widget list = XmFileSelectionBoxGetChild(box, XmDIALOG_DIR_LIST);
    XmListSetPos(list, 1);
    XmListSelectPos(list, 1, False);
    FS_DirListSelectedItemPosition(box) = 1;
}

void FileSearchProc(Widget box, XtPointer searchData) {
    const auto* data = static_cast<XmFileSelectionBoxCallbackStruct*>(searchData);
    const std::optional<std::string> dir = kit::textOf(data->dir);
    const std::optional<std::string> pattern = kit::textOf(data->pattern);
    if (!dir || !pattern) return;
    unsigned char typeMask = XmFILE_REGULAR;
    XtVaGetValues(box, XmNfileTypeMask, &typeMask, nullptr);
    // No match: no items, and the box shows its no-match item.
    kit::ItemList items(trev::listNames(trev::buildFileList(*dir, *pattern, typeMask)));
    XtVaSetValues(box, XmNfileListItems, items.table(), XmNfileListItemCount, items.count(),
                  XmNlistUpdated, True, nullptr);
    // Once the box has laid itself out again.
    XtAppAddTimeOut(app_context, 0, [](XtPointer, XtIntervalId*) { shareListWidths(); }, nullptr);
}

// The window manager's close destroys the whole browser: no handle may
// keep pointing into it.
void browserDestroyedCB(Widget, XtPointer, XtPointer) {
    for (Widget* h : {&emailBrowser, &emailSelectBox, &emailBrowserFilter, &emailSelection,
                      &emailFilter, &emailBrowserHelpTextWin})
        *h = nullptr;
}

void createBrowser() {
    emailBrowser = XtVaCreatePopupShell("emailBrowser", topLevelShellWidgetClass, parentWidget,
                                        XmNallowShellResize, True, nullptr);
    XtAddCallback(emailBrowser, XmNdestroyCallback, browserDestroyedCB, nullptr);
    Arg args[4];
    Cardinal n = 0;
    XtSetArg(args[n], XmNqualifySearchDataProc, QualifySearchDataProc); ++n;
    XtSetArg(args[n], XmNdirSearchProc, DirSearchProc); ++n;
    XtSetArg(args[n], XmNfileSearchProc, FileSearchProc); ++n;
    XtSetArg(args[n], XmNautoUnmanage, False); ++n;
    emailSelectBox = XmCreateFileSelectionBox(emailBrowser, const_cast<char*>("emailSelectBox"),
                                              args, n);
    auto child = [](unsigned char which) { return XmFileSelectionBoxGetChild(emailSelectBox, which); };
    kit::setLabel(child(XmDIALOG_FILTER_LABEL), "Search Path");
    emailFilter = child(XmDIALOG_FILTER_TEXT);
    emailSelection = child(XmDIALOG_TEXT);
    emailBrowserFilter = child(XmDIALOG_APPLY_BUTTON);
    kit::setLabel(emailBrowserFilter, "Search");

    XtAddCallback(emailBrowserFilter, XmNarmCallback, emailBrowserFilterArmCB, nullptr);
    XtAddCallback(emailBrowserFilter, XmNdisarmCallback, emailBrowserFilterDisarmCB, nullptr);
    kit::onActivate(child(XmDIALOG_CANCEL_BUTTON), emailBrowserCancelCB);
    kit::onActivate(child(XmDIALOG_HELP_BUTTON), XDpopup_link, &emailBrowserHelpTextWin);
    XtAddCallback(emailSelectBox, XmNokCallback, emailBrowserOkCB, nullptr);
    XtAddCallback(emailSelectBox, XmNapplyCallback, emailFilterCB, nullptr);
    XtAddCallback(emailFilter, XmNlosingFocusCallback, emailFilterCB, nullptr);
    XtAddCallback(emailFilter, XmNactivateCallback, emailFilterCB, nullptr);
    XtManageChild(emailSelectBox);
    XtAddEventHandler(emailSelectBox, StructureNotifyMask, False, boxLaidOutCB, nullptr);
}

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
    createBrowser();
    // Relative e-mail file names would now be read from elsewhere.
    if (moved && fchdir(saved) != 0)
        trev::reportWithReason("Cannot return to the working directory after entering " + *start);
    if (saved >= 0) close(saved);
}

// Beside the form, at the height the box wants (given only a width, it
// would squeeze its lists to two lines).
void placeBrowser() {
    XtWidgetGeometry natural{};
    XtQueryGeometry(emailSelectBox, nullptr, &natural);
    XtVaSetValues(emailBrowser,
                  XmNx, static_cast<Position>(formStatusRec.winX + 40),
                  XmNy, static_cast<Position>(formStatusRec.winY + 50),
                  XmNwidth, static_cast<Dimension>(450), nullptr);
    if ((natural.request_mode & CWHeight) && natural.height > 0)
        XtVaSetValues(emailBrowser, XmNheight, natural.height, nullptr);
}

}  // namespace

void showEmailBrowser(Widget field) {
    targetField = field;
    if (!emailBrowser) {
        createInStartDir();
        placeBrowser();
        kit::setText(emailSelection, "");
        XtRealizeWidget(emailBrowser);
        buildHelp(browserHelp);
        kit::onClose(emailBrowser, generalWinDestroyCB, &emailBrowser);
    }
    XtMapWidget(emailBrowser);
}
