// The e-mail browser at work: its opening from the form, OK and Cancel, the
// search path tidy-up, and the file selection box's search procedures, which
// list bare names and take directories given by name below the directory
// the box shows.  The searching itself is core/filePattern.h and
// core/pathQualify.h.
#include <X11/Xlib.h>
#include <Xm/FileSB.h>
#include <Xm/FileSBP.h>
#include <Xm/List.h>
#include <Xm/ScrollBar.h>
#include <Xm/Text.h>
#include <sys/stat.h>

#include <optional>
#include <string>
#include <vector>

#include "core/filePattern.h"
#include "core/infoSource.h"
#include "core/pathQualify.h"
#include "globals.h"
#include "topWidget/emailBrowser.h"
#include "topWidget/instInfo.h"
#include "xraii.h"

static_assert(trev::kFileDirectory == XmFILE_DIRECTORY && trev::kFileRegular == XmFILE_REGULAR &&
                  trev::kFileAnyType == XmFILE_ANY_TYPE,
              "file type masks of the listings and of the box agree");

namespace {

std::optional<std::string> textOf(XmString s) {
    if (!s) return std::nullopt;
    const XtPtr<char> t(static_cast<char*>(
        XmStringUnparse(s, nullptr, XmCHARSET_TEXT, XmCHARSET_TEXT, nullptr, 0, XmOUTPUT_ALL)));
    if (!t) return std::nullopt;
    return std::string(t.get());
}

// A compound-string resource of the box (a copy), as text.
std::string boxText(Widget box, const char* resource) {
    XmString s = nullptr;
    XtVaGetValues(box, resource, &s, nullptr);
    std::optional<std::string> t = textOf(s);
    if (s) XmStringFree(s);
    return t.value_or("");
}

std::string fieldText(Widget field) {
    const XtPtr<char> t(XmTextGetString(field));
    return t ? t.get() : "";
}

XmString makeString(const std::string& text) {
    return XmStringCreateLocalized(const_cast<char*>(text.c_str()));
}

// Compound strings made for a list's items, freed once the box has copied
// them.
class ItemList {
public:
    explicit ItemList(const std::vector<std::string>& names) {
        items_.reserve(names.size());
        for (const std::string& n : names) items_.push_back(makeString(n));
    }
    ~ItemList() {
        for (XmString s : items_) XmStringFree(s);
    }
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;
    XmStringTable table() { return items_.empty() ? nullptr : items_.data(); }
    int count() const { return static_cast<int>(items_.size()); }

private:
    std::vector<XmString> items_;
};

void hideBrowser() {
    if (emailBrowser) XtUnmapWidget(emailBrowser);
    if (emailBrowserHelpTextWin) {
        helped = 0;
        XtPopdown(emailBrowserHelpTextWin);
    }
}

}  // namespace

void prodInfoEmailBrowserCB(Widget, XtPointer, XtPointer) {
    if (!emailBrowser) initEmailBrowser();
    XtMapWidget(emailBrowser);
    if (formStatusRec.infoSource != trev::info::kEmail) prodInfoEmailCB(nullptr, nullptr, nullptr);
}

// OK: the box's directory and the selection text name the file; anything
// but a regular file rings the bell and the browser stays.
void emailBrowserOkCB(Widget, XtPointer, XtPointer callData) {
    const auto* cbs = static_cast<XmFileSelectionBoxCallbackStruct*>(callData);
    const std::string path = textOf(cbs->dir).value_or("") + fieldText(emailSelection);
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        XBell(display, 75);
        return;
    }
    hideBrowser();
    XmTextSetString(prodInfoEmailText, const_cast<char*>(path.c_str()));
}

void emailBrowserCancelCB(Widget, XtPointer, XtPointer) { hideBrowser(); }

// A search refills the lists; the window keeps its size meanwhile.
void emailBrowserFilterArmCB(Widget, XtPointer, XtPointer) {
    if (emailBrowser) XtVaSetValues(emailBrowser, XmNallowShellResize, False, nullptr);
}

void emailBrowserFilterDisarmCB(Widget, XtPointer, XtPointer) {
    if (emailBrowser) XtVaSetValues(emailBrowser, XmNallowShellResize, True, nullptr);
    for (Widget bar : {emailFilesHorit, emailDirHorit})
        if (bar)
            XtVaSetValues(bar, XmNorientation, XmHORIZONTAL, XmNprocessingDirection,
                          XmMAX_ON_RIGHT, nullptr);
}

void emailFilterCB(Widget, XtPointer, XtPointer) {
    XmTextSetString(emailSelection, const_cast<char*>(""));
    const std::string path = fieldText(emailFilter);
    const std::string tidy = trev::tidySearchPath(path);
    if (tidy == path) return;
    XmTextSetString(emailFilter, const_cast<char*>(tidy.c_str()));
    XmTextSetInsertionPosition(emailFilter, static_cast<XmTextPosition>(tidy.size()));
}

void QualifySearchDataProc(Widget box, XtPointer searchData, XtPointer qualifiedSearchData) {
    const auto* in = static_cast<XmFileSelectionBoxCallbackStruct*>(searchData);
    auto* out = static_cast<XmFileSelectionBoxCallbackStruct*>(qualifiedSearchData);
    trev::SearchRequest request;
    request.mask = textOf(in->mask);
    request.dir = textOf(in->dir);
    request.pattern = textOf(in->pattern);
    const trev::QualifiedSearch q =
        trev::qualifySearch(request, boxText(box, XmNdirectory), boxText(box, XmNpattern));

    out->reason = in->reason;
    out->event = in->event;
    out->value = in->value
                     ? XmStringCopy(in->value)
                     : makeString(fieldText(XmFileSelectionBoxGetChild(box, XmDIALOG_TEXT)));
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
    const std::optional<std::string> dir = textOf(data->dir);
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
    ItemList items(trev::listNames(entries));
    XtVaSetValues(box, XmNdirListItems, items.table(), XmNdirListItemCount, items.count(),
                  XmNlistUpdated, True, XmNdirectoryValid, True, nullptr);
    Widget list = XmFileSelectionBoxGetChild(box, XmDIALOG_DIR_LIST);
    XmListSetPos(list, 1);
    XmListSelectPos(list, 1, False);
    FS_DirListSelectedItemPosition(box) = 1;
}

void FileSearchProc(Widget box, XtPointer searchData) {
    const auto* data = static_cast<XmFileSelectionBoxCallbackStruct*>(searchData);
    const std::optional<std::string> dir = textOf(data->dir);
    const std::optional<std::string> pattern = textOf(data->pattern);
    if (!dir || !pattern) return;
    unsigned char typeMask = XmFILE_REGULAR;
    XtVaGetValues(box, XmNfileTypeMask, &typeMask, nullptr);
    // No match: no items, and the box shows its no-match item.
    ItemList items(trev::listNames(trev::buildFileList(*dir, *pattern, typeMask)));
    XtVaSetValues(box, XmNfileListItems, items.table(), XmNfileListItemCount, items.count(),
                  XmNlistUpdated, True, nullptr);
}
