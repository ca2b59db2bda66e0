// Widgets of the e-mail file browser.  The file selection box and its
// children are Motif's; the handles name the children the program uses.
#include "topWidget/emailBrowser.h"

#include <X11/Shell.h>
#include <Xm/FileSB.h>

#include <initializer_list>

#include "topStub/topStub.h"
#include "topWidget/topWidget.h"
#include "xraii.h"

Widget emailBrowser, emailSelectBox, emailBrowserFilter, emailBrowserOK, emailBrowserHelp;
Widget emailFiles, emailDirectory, emailSelection, emailFilter;
Widget emailFilesHorit, emailDirHorit;
Widget emailBrowserHelpTextWin;

namespace {

Widget horizontalBar(Widget list) {
    Widget bar = nullptr;
    XtVaGetValues(XtParent(list), XmNhorizontalScrollBar, &bar, nullptr);
    return bar;
}

void setLabel(Widget w, const char* text) {
    const XmStr label(text);
    XtVaSetValues(w, XmNlabelString, static_cast<XmString>(label), nullptr);
}

// The window manager's close destroys the whole browser: no handle may
// keep pointing into it.
void browserDestroyedCB(Widget, XtPointer, XtPointer) {
    for (Widget* h : {&emailBrowser, &emailSelectBox, &emailBrowserFilter, &emailBrowserOK,
                      &emailBrowserHelp, &emailFiles, &emailDirectory, &emailSelection,
                      &emailFilter, &emailFilesHorit, &emailDirHorit, &emailBrowserHelpTextWin})
        *h = nullptr;
}

}  // namespace

Widget create_emailBrowserHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "emailBrowser", 1, "emailBrowserTextHelpDialog",
                              &emailBrowserHelpTextWin);
}

Widget create_emailBrowser(Widget parent) {
    emailBrowser = XtVaCreatePopupShell("emailBrowser", topLevelShellWidgetClass, parent,
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

    setLabel(XmFileSelectionBoxGetChild(emailSelectBox, XmDIALOG_FILTER_LABEL), "Search Path");
    emailFilter = XmFileSelectionBoxGetChild(emailSelectBox, XmDIALOG_FILTER_TEXT);
    emailDirectory = XmFileSelectionBoxGetChild(emailSelectBox, XmDIALOG_DIR_LIST);
    emailFiles = XmFileSelectionBoxGetChild(emailSelectBox, XmDIALOG_LIST);
    emailSelection = XmFileSelectionBoxGetChild(emailSelectBox, XmDIALOG_TEXT);
    emailBrowserOK = XmFileSelectionBoxGetChild(emailSelectBox, XmDIALOG_OK_BUTTON);
    emailBrowserFilter = XmFileSelectionBoxGetChild(emailSelectBox, XmDIALOG_APPLY_BUTTON);
    setLabel(emailBrowserFilter, "Search");
    Widget cancel = XmFileSelectionBoxGetChild(emailSelectBox, XmDIALOG_CANCEL_BUTTON);
    emailBrowserHelp = XmFileSelectionBoxGetChild(emailSelectBox, XmDIALOG_HELP_BUTTON);
    emailFilesHorit = horizontalBar(emailFiles);
    emailDirHorit = horizontalBar(emailDirectory);

    XtAddCallback(emailBrowserFilter, XmNarmCallback, emailBrowserFilterArmCB, nullptr);
    XtAddCallback(emailBrowserFilter, XmNdisarmCallback, emailBrowserFilterDisarmCB, nullptr);
    XtAddCallback(cancel, XmNactivateCallback, emailBrowserCancelCB, nullptr);
    XtAddCallback(emailBrowserHelp, XmNactivateCallback, XDpopup_link, &emailBrowserHelpTextWin);
    XtAddCallback(emailSelectBox, XmNokCallback, emailBrowserOkCB, nullptr);
    XtAddCallback(emailSelectBox, XmNapplyCallback, emailFilterCB, nullptr);
    XtAddCallback(emailFilter, XmNlosingFocusCallback, emailFilterCB, nullptr);
    XtAddCallback(emailFilter, XmNactivateCallback, emailFilterCB, nullptr);
    XtManageChild(emailSelectBox);

    create_emailBrowserHelpTextWin(emailBrowser);
    return emailBrowser;
}
