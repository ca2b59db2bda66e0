// Form type 23, the installation-type form: default or custom installation;
// the answer is the exit status.  The default installation is always
// preselected; two prompt words replace the choices' labels.
#include "app/form.h"
#include "topWidget/forms.h"

namespace {

Widget mainpanel;
Widget topDCDef, topDCCus;

void topDCChoiceCB(Widget, XtPointer code, XtPointer) {
    formStatusRec.installType = kit::numberOf(code);
}

void topDCOkCB(Widget, XtPointer, XtPointer) { cleanExit(formStatusRec.installType); }

}  // namespace

void startTopDC(int argc, char** argv) {
    mainpanel = createFormShell();
    kit::Frame f = kit::buildFrame(mainpanel, {"widget129_P", "widget", "topDCLogo", "topDCOrvanta",
                                               "topDCTitle", "topDCHead", "widget141_P",
                                               "topDCAction"});
    Widget box = kit::buildChoiceBox(f, "widget132_P");
    topDCDef = XtVaCreateManagedWidget("topDCDef", xmToggleButtonWidgetClass, box, XmNset, True,
                                       nullptr);
    topDCCus = XtVaCreateManagedWidget("topDCCus", xmToggleButtonWidgetClass, box, nullptr);
    kit::onChange(topDCDef, topDCChoiceCB, kit::number(kDefaultInstall));
    kit::onChange(topDCCus, topDCChoiceCB, kit::number(kCustomInstall));
    const std::vector<Widget> b = kit::buildActions(
        f, kit::Layout::Row,
        {{"topDCOK", topDCOkCB}, {"topDCPrev", exitCB, kit::number(kPrevious)},
         {"topDCMainMenu", exitCB, kit::number(kMainMenu)},
         {"topDCHelp", XDpopup_link, &helpWidget}},
        "topDCActionRow");
    kit::manageFrame(f, b[0], topDCDef);
    makeCurrentForm(mainpanel, f);

    formStatusRec.installType = kDefaultInstall;
    if (argc == 4) {
        kit::setLabel(topDCDef, argv[2]);
        kit::setLabel(topDCCus, argv[3]);
    }
}
