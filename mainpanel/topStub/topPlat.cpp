// Callbacks of the platform form.
#include <cstdio>
#include <cstdlib>

#include "globals.h"
#include "mainpanelExit.h"
#include "topStub/topStub.h"
#include "topWidget/topPlat.h"

using namespace trev::exitcode;

// Each toggle is named by its platform's index.
void topPlatCB(Widget w, XtPointer, XtPointer) {
    formStatusRec.platformIndex = static_cast<std::int32_t>(std::strtol(XtName(w), nullptr, 10));
}

void topPlatOkCB(Widget, XtPointer clientData, XtPointer) {
    const auto& list = *static_cast<const trev::PlatformList*>(clientData);
    const std::int32_t i = formStatusRec.platformIndex;
    if (i >= 0 && static_cast<std::size_t>(i) < list.names.size())
        std::fputs(list.names[static_cast<std::size_t>(i)].c_str(), stdout);
    std::fflush(stdout);
    cleanExit(kOk);
}

void topPlatPrevCB(Widget, XtPointer clientData, XtPointer) {
    formStatusRec.platformIndex = *static_cast<int*>(clientData);
    cleanExit(kPrevious);
}

void topPlatMainMenuCB(Widget, XtPointer clientData, XtPointer) {
    formStatusRec.platformIndex = *static_cast<int*>(clientData);
    cleanExit(kMainMenu);
}
