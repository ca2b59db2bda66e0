// Form type 10, Configure Products: configure the installed products for
// the whole system or for one user; either choice may be greyed out.
#include <cstring>

#include "app/form.h"
#include "selListRm/forms.h"

namespace {

// A choice toggle's notification: the choice is the toggle that is set.
void configChoiceCB(Widget, XtPointer choice, XtPointer callData) {
    if (static_cast<XmToggleButtonCallbackStruct*>(callData)->set)
        formStatusRec.configChoice = kit::numberOf(choice);
}

void configOkCB(Widget, XtPointer, XtPointer) { cleanExit(formStatusRec.configChoice); }

}  // namespace

// mainpanel 10 [noSystem|noUser]; main has checked the third word.
void startConfig(int argc, char** argv) {
    Widget shell = createFormShell();
    kit::Frame f = kit::buildFrame(shell, {"widget486", "widget487", "configLogo", "configOrvanta",
                                           "configTitle", "configHead", "widget495",
                                           "configAction"});
    Widget box = kit::buildChoiceBox(f, "widget489");
    Widget system = XtVaCreateManagedWidget("configSystemV", xmToggleButtonWidgetClass, box, nullptr);
    Widget user = XtVaCreateManagedWidget("configUserV", xmToggleButtonWidgetClass, box, nullptr);
    kit::onChange(system, configChoiceCB, kit::number(kConfigSystem));
    kit::onChange(user, configChoiceCB, kit::number(kConfigUser));
    const std::vector<Widget> b = kit::buildActions(
        f, kit::Layout::Spread,
        {{"configOk", configOkCB}, {"configMainMenu", exitCB, kit::number(kMainMenu)},
         {"configHelp", XDpopup_link, &helpWidget}});
    makeCurrentForm(shell, f);

    const bool noSystem = argc == 3 && std::strcmp(argv[2], "noSystem") == 0;
    if (argc == 3) XtSetSensitive(noSystem ? system : user, False);
    formStatusRec.configChoice = noSystem ? kConfigUser : kConfigSystem;
    kit::setToggle(system, !noSystem);
    kit::setToggle(user, noSystem);
    kit::manageFrame(f, b[0], noSystem ? user : system);
}
