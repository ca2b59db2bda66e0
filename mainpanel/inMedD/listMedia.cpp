// Form type 21, Media Required: the media that the chosen installation
// information uses, one a line, read from the file the scripts name.
#include <Xm/Label.h>
#include <Xm/LabelG.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/mediaLists.h"
#include "globals.h"
#include "inMedD/mediaForms.h"
#include "inMedD/mediaWidgets.h"
#include "topWidget/formFrame.h"
#include "mainpanelExit.h"
#include "topStub/topStub.h"
#include "topWidget/topWidget.h"
#include "xraii.h"

Widget listMedia, listMediaDialog, listMediaLogo, listMediaOrvanta, listMediaTitle;
Widget listMediaTopMsg, reqMediaList, listMediaBottomMsg;
Widget listMediaAction, listMediaActionRow, listMediaOk, listMediaOther, listMediaPrev,
    listMediaMainMenu, listMediaHelp;
Widget listMediaHelpTextWin;

namespace {

// The media list of `path`, each line indented, shown whole however long.
std::string readMediaList(const char* path) {
    const std::vector<std::string> lines = readLinesOrExit(path);
    return trev::mediaListText(lines);
}

}  // namespace

Widget create_listMediaHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "listMedia", 2, nullptr, &listMediaHelpTextWin);
}

Widget create_listMedia(bool otherMedia) {
    listMedia = createFormShell();
    const MediaFrame f = createMediaFrame(
        listMedia, {"widget346", "listMediaDialog", "listMediaLogo", "listMediaOrvanta",
                    "listMediaTitle", "widget361", "listMediaAction"});
    listMediaDialog = f.content;
    listMediaLogo = f.logo;
    listMediaOrvanta = f.orvanta;
    listMediaTitle = f.title;
    listMediaAction = f.action;
    listMediaTopMsg = XtVaCreateManagedWidget(
        "listMediaTopMsg", xmLabelGadgetClass, f.content,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.title, XmNtopOffset, 20,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    reqMediaList = XtVaCreateManagedWidget(
        "reqMediaList", xmLabelWidgetClass, f.content,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, listMediaTopMsg, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    listMediaBottomMsg = XtVaCreateManagedWidget(
        "listMediaBottomMsg", xmLabelWidgetClass, f.content,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, reqMediaList, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5, nullptr);

    listMediaActionRow = createActionRowColumn(listMediaAction, "listMediaActionRow");
    listMediaOk = createButton(listMediaActionRow, "listMediaOk", false, mediaExitCB,
                               exitCode(trev::exitcode::kOk));
    if (otherMedia)
        listMediaOther = createButton(listMediaActionRow, "listMediaOther", true, mediaExitCB,
                                      exitCode(trev::exitcode::kOtherMedia));
    listMediaPrev = createButton(listMediaActionRow, "listMediaPrev", true, mediaExitCB,
                                 exitCode(trev::exitcode::kPrevious));
    listMediaMainMenu = createButton(listMediaActionRow, "listMediaMainMenu", true, mediaExitCB,
                                     exitCode(trev::exitcode::kMainMenu));
    listMediaHelp = createButton(listMediaActionRow, "listMediaHelp", false, XDpopup_link,
                                 &listMediaHelpTextWin);
    manageMediaFrame(f, listMediaOk);

    create_listMediaHelpTextWin(listMedia);
    return listMedia;
}

// Variant 2 adds Other Media.  Words after the file name are ignored.
void startListMedia(int, char** argv) {
    const std::string text = readMediaList(argv[3]);
    create_listMedia(std::atoi(argv[2]) == 2);
    makeCurrentForm(listMedia, listMediaHelpTextWin, listMediaActionRow, listMediaLogo);
    const XmStr s(text.c_str());
    XtVaSetValues(reqMediaList, XmNlabelString, static_cast<XmString>(s), nullptr);
}
