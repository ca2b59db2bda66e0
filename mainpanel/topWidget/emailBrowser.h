// The e-mail file browser of the Installation Information form: a second
// window with Motif's file selection box, whose directory and file lists
// show bare names and whose directories typed or picked by name lie below
// the directory it shows.  Its OK puts the chosen file's path into the
// form's e-mail field; it never ends the process.
#pragma once

#include <Xm/Xm.h>

// Widget handles, nullptr until the browser is built; a window-manager
// close destroys it and clears emailBrowser.
extern Widget emailBrowser;          // the shell
extern Widget emailSelectBox;        // the file selection box
extern Widget emailBrowserFilter;    // its Apply button, "Search"
extern Widget emailBrowserOK, emailBrowserHelp;
extern Widget emailFiles, emailDirectory;   // the file and directory lists
extern Widget emailSelection, emailFilter;  // the selection and search path texts
extern Widget emailFilesHorit, emailDirHorit;   // the lists' horizontal scroll bars
extern Widget emailBrowserHelpTextWin;

// Builds the browser (not realized) as a child of `parent`; the box starts
// in the process's working directory.
Widget create_emailBrowser(Widget parent);
Widget create_emailBrowserHelpTextWin(Widget parent);

// Builds the browser in its start directory, places it by the form and
// realizes it (hidden).
void initEmailBrowser();

// The box's own search procedures.
void QualifySearchDataProc(Widget box, XtPointer searchData, XtPointer qualifiedSearchData);
void DirSearchProc(Widget box, XtPointer searchData);
void FileSearchProc(Widget box, XtPointer searchData);

// Callbacks.
void emailBrowserOkCB(Widget, XtPointer, XtPointer);
void emailBrowserCancelCB(Widget, XtPointer, XtPointer);
void emailBrowserFilterArmCB(Widget, XtPointer, XtPointer);
void emailBrowserFilterDisarmCB(Widget, XtPointer, XtPointer);
void emailFilterCB(Widget, XtPointer, XtPointer);
