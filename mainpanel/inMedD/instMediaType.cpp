// Form type 20, Select Media: CD-ROM or tape as the installation media.  OK
// answers 55 or 56 and leaves the choice in mediaTypeChoice.
#include <Xm/LabelG.h>
#include <Xm/RowColumn.h>
#include <Xm/ToggleB.h>
#include <Xm/ToggleBG.h>

#include "globals.h"
#include "inMedD/mediaForms.h"
#include "inMedD/mediaWidgets.h"
#include "topWidget/formFrame.h"
#include "mainpanelExit.h"
#include "topStub/topStub.h"
#include "topWidget/topWidget.h"

Widget instMedia, instMediaOrvanta, instMediaCDV, instMediaTapeV, instMediaLogo;
Widget instMediaTitle, instMediaHead;
Widget instMediaAction, instMediaOk, instMediaMainMenu, instMediaTypeHelp;
Widget instMediaTypeHelpTextWin;

Widget create_instMediaTypeHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "instMediaType", 2, nullptr, &instMediaTypeHelpTextWin);
}

Widget create_instMedia() {
    instMedia = createFormShell();
    const MediaFrame f = createMediaFrame(
        instMedia, {"widget486", "widget487", "instMediaLogo", "instMediaOrvanta",
                    "instMediaTitle", "widget495", "instMediaAction"});
    instMediaOrvanta = f.orvanta;
    instMediaLogo = f.logo;
    instMediaTitle = f.title;
    instMediaAction = f.action;
    instMediaHead = XtVaCreateManagedWidget(
        "instMediaHead", xmLabelGadgetClass, f.content,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.title, XmNtopOffset, 20,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    Widget box = XmCreateRadioBox(f.content, const_cast<char*>("widget489"), nullptr, 0);
    XtVaSetValues(box, XmNorientation, XmVERTICAL,
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, instMediaHead, XmNtopOffset, 5,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 30,
                  XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5, nullptr);
    instMediaCDV = XtVaCreateManagedWidget("instMediaCDV", xmToggleButtonGadgetClass, box, nullptr);
    instMediaTapeV =
        XtVaCreateManagedWidget("instMediaTapeV", xmToggleButtonGadgetClass, box, nullptr);
    XtAddCallback(instMediaCDV, XmNvalueChangedCallback, instMediaCDCB, nullptr);
    XtAddCallback(instMediaTapeV, XmNvalueChangedCallback, instMediaTapeCB, nullptr);
    XtManageChild(box);

    instMediaOk = createButton(instMediaAction, "instMediaOk", true, instMediaOkCB);
    instMediaMainMenu = createButton(instMediaAction, "instMediaMainMenu", true, mediaExitCB,
                                     exitCode(trev::exitcode::kMainMenu));
    instMediaTypeHelp = createButton(instMediaAction, "instMediaTypeHelp", true, XDpopup_link,
                                     &instMediaTypeHelpTextWin);
    placeActionButtons(instMediaAction, {instMediaOk, instMediaMainMenu, instMediaTypeHelp});
    manageMediaFrame(f, instMediaOk);

    create_instMediaTypeHelpTextWin(instMedia);
    return instMedia;
}

// Filling: CD-ROM is always the first choice.
void startInstMediaType(int, char**) {
    create_instMedia();
    makeCurrentForm(instMedia, instMediaTypeHelpTextWin, instMediaAction, instMediaLogo);
    formStatusRec.mediaTypeChoice = trev::exitcode::kMediaCdrom;
    XmToggleButtonSetState(instMediaCDV, True, False);
    XmToggleButtonSetState(instMediaTapeV, False, False);
}

// The radio box unsets the old choice before it sets the new one, so the
// new toggle's value is the one that stays.
void instMediaCDCB(Widget, XtPointer, XtPointer) {
    formStatusRec.mediaTypeChoice = trev::exitcode::kMediaCdrom;
}
void instMediaTapeCB(Widget, XtPointer, XtPointer) {
    formStatusRec.mediaTypeChoice = trev::exitcode::kMediaTape;
}
void instMediaOkCB(Widget, XtPointer, XtPointer) { cleanExit(formStatusRec.mediaTypeChoice); }
