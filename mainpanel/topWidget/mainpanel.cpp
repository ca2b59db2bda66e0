// Form type 0, the main menu: choose the next action of the installer.
// The radio box switches the previous toggle off before the new one
// notifies, so the toggles only store their code.
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "app/form.h"
#include "topWidget/forms.h"

namespace {

Widget mainpanel;
Widget topLevLoadProd, topLevConfig, topLevTest, topLevListProd, topLevRemoveProd, topLevUpdtProd;

void topLevChoiceCB(Widget, XtPointer code, XtPointer) {
    formStatusRec.mainMenuAction = kit::numberOf(code);
}

void topLevOkCB(Widget, XtPointer, XtPointer) { cleanExit(formStatusRec.mainMenuAction); }

// Quit forgets everything: form.status is removed, not written, so that the
// next run starts from a reset record.
void topLevQuitCB(Widget, XtPointer, XtPointer) {
    if (unlink(statusFile.c_str()) != 0 && errno != ENOENT)
        trev::reportWithReason("Cannot remove file " + statusFile);
    std::exit(kMainMenu);
}

}  // namespace

void startMainpanel(int, char** argv) {
    mainpanel = createFormShell();
    kit::Frame f = kit::buildFrame(mainpanel, {"widget129", "widget", "topLevLogo", "topLevOrvanta",
                                               "topLevTitle", "topLevHead", "widget141",
                                               "topLevAction"});
    Widget box = kit::buildChoiceBox(f, "widget132");
    const struct {
        Widget* handle;
        const char* name;
        int code;
    } choices[] = {
        {&topLevLoadProd, "topLevLoadProd", kLoadProducts},
        {&topLevConfig, "topLevConfig", kConfigure},
        {&topLevTest, "topLevTest", kTest},
        {&topLevListProd, "topLevListProd", kListProducts},
        {&topLevRemoveProd, "topLevRemoveProd", kRemoveProducts},
        {&topLevUpdtProd, "topLevUpdtProd", kUpdateProducts},
    };
    for (const auto& c : choices) {
        *c.handle = XtVaCreateManagedWidget(c.name, xmToggleButtonWidgetClass, box, nullptr);
        kit::onChange(*c.handle, topLevChoiceCB, kit::number(c.code));
    }
    const std::vector<Widget> b =
        kit::buildActions(f, kit::Layout::Spread,
                          {{"topLevOK", topLevOkCB}, {"topLevQuit", topLevQuitCB},
                           {"topLevHelp", XDpopup_link, &helpWidget}});
    makeCurrentForm(mainpanel, f);

    // Flag words: one starting with "0" greys its action out.  Update
    // Installed Products is always available.
    const Widget governed[] = {topLevLoadProd, topLevRemoveProd, topLevConfig, topLevTest,
                               topLevListProd};
    for (int i = 0; i < 5; ++i)
        if (argv[3 + i][0] == '0') XtSetSensitive(governed[i], False);

    // The preselected action is shown set and is what OK answers without a
    // click; an action other than Configure or Load Products preselects
    // List Products.
    const long actDef = std::strtol(argv[2], nullptr, 10);
    const int chosen = actDef == kConfigure || actDef == kLoadProducts ? static_cast<int>(actDef)
                                                                       : kListProducts;
    Widget set = nullptr;
    for (const auto& c : choices) {
        kit::setToggle(*c.handle, c.code == chosen);
        if (c.code == chosen) set = *c.handle;
    }
    formStatusRec.mainMenuAction = chosen;
    // The focus starts on the chosen action: Space there changes nothing.
    kit::manageFrame(f, b[0], set);
}
