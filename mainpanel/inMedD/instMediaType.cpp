// Form type 20, Select Media: CD-ROM or tape as the installation media.  OK
// answers 55 or 56 and leaves the choice in mediaTypeChoice.  CD-ROM is
// always the first choice.
#include "app/form.h"
#include "inMedD/forms.h"

namespace {

// The radio box unsets the old choice before it sets the new one, so the
// new toggle's value is the one that stays.
void instMediaChoiceCB(Widget, XtPointer code, XtPointer) {
    formStatusRec.mediaTypeChoice = kit::numberOf(code);
}

void instMediaOkCB(Widget, XtPointer, XtPointer) { cleanExit(formStatusRec.mediaTypeChoice); }

}  // namespace

void startInstMediaType(int, char**) {
    Widget shell = createFormShell();
    kit::Frame f = kit::buildFrame(shell, {"widget486", "widget487", "instMediaLogo",
                                           "instMediaOrvanta", "instMediaTitle", "instMediaHead",
                                           "widget495", "instMediaAction"});
    Widget box = kit::buildChoiceBox(f, "widget489");
    Widget cd = XtVaCreateManagedWidget("instMediaCDV", xmToggleButtonWidgetClass, box, XmNset,
                                        True, nullptr);
    Widget tape = XtVaCreateManagedWidget("instMediaTapeV", xmToggleButtonWidgetClass, box, nullptr);
    kit::onChange(cd, instMediaChoiceCB, kit::number(kMediaCdrom));
    kit::onChange(tape, instMediaChoiceCB, kit::number(kMediaTape));
    const std::vector<Widget> b = kit::buildActions(
        f, kit::Layout::Spread,
        {{"instMediaOk", instMediaOkCB}, {"instMediaMainMenu", exitCB, kit::number(kMainMenu)},
         {"instMediaTypeHelp", XDpopup_link, &helpWidget}});
    kit::manageFrame(f, b[0], cd);
    makeCurrentForm(shell, f);
    formStatusRec.mediaTypeChoice = kMediaCdrom;
}
