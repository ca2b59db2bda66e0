// Form type 21, Media Required: the media that the chosen installation
// information uses, one a line, read from the file the scripts name.
// Variant 2 adds Other Media.  Words after the file name are ignored.
#include <cstdlib>

#include "app/form.h"
#include "core/mediaLists.h"
#include "inMedD/forms.h"

void startListMedia(int, char** argv) {
    const std::string text = trev::mediaListText(trev::readLinesOrExit(argv[3]));
    Widget shell = createFormShell();
    kit::Frame f = kit::buildFrame(shell, {"widget346", "listMediaDialog", "listMediaLogo",
                                           "listMediaOrvanta", "listMediaTitle", nullptr,
                                           "widget361", "listMediaAction"});
    Widget top = XtVaCreateManagedWidget(
        "listMediaTopMsg", xmLabelWidgetClass, f.upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.title, XmNtopOffset, 20,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    Widget list = XtVaCreateManagedWidget(
        "reqMediaList", xmLabelWidgetClass, f.upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, top, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    XtVaCreateManagedWidget(
        "listMediaBottomMsg", xmLabelWidgetClass, f.upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, list, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    kit::setLabel(list, text);

    const kit::Button ok{"listMediaOk", exitCB, kit::number(kOk)},
        prev{"listMediaPrev", exitCB, kit::number(kPrevious)},
        mainMenu{"listMediaMainMenu", exitCB, kit::number(kMainMenu)},
        help{"listMediaHelp", XDpopup_link, &helpWidget};
    const std::vector<Widget> b =
        std::atoi(argv[2]) == 2
            ? kit::buildActions(f, kit::Layout::Row,
                                {ok, {"listMediaOther", exitCB, kit::number(kOtherMedia)}, prev,
                                 mainMenu, help},
                                "listMediaActionRow")
            : kit::buildActions(f, kit::Layout::Row, {ok, prev, mainMenu, help},
                                "listMediaActionRow");
    kit::manageFrame(f, b[0]);
    makeCurrentForm(shell, f);
}
