// Form type 22, Workorder List: one work order already installed is picked
// from the list file; OK answers its 1-based position.
#include <cstdio>
#include <cstdlib>

#include "app/form.h"
#include "core/mediaLists.h"
#include "inMedD/forms.h"

namespace {

Widget listWOProdL;

void listWOOkCB(Widget, XtPointer, XtPointer) {
    int* positions = nullptr;
    int count = 0;
    if (XmListGetSelectedPos(listWOProdL, &positions, &count) && count > 0) {
        const int pos = positions[0];
        XtFree(reinterpret_cast<char*>(positions));
        cleanExit(pos);
    }
    displayWarn("No Work Order Selected");
}

}  // namespace

// The list file is open in prodDescOutFile.  A list whose positions would
// reach the codes of Main Menu and Previous or pass 255 is refused.
void startListWO(int, char** argv) {
    const std::vector<std::string> orders = trev::readLinesOrExit(argv[2], prodDescOutFile.get());
    if (orders.size() > trev::kMaxWorkOrders) {
        std::fputs(trev::tooManyWorkOrdersMessage(argv[2], orders.size()).c_str(), stderr);
        std::exit(kStartFailure);
    }
    Widget shell = createFormShell();
    kit::Frame f = kit::buildFrame(shell, {"widget458", "widget459", "listWOLogo", "listWOOrvanta",
                                           "listWOTitle", "listWOHead", "widget480",
                                           "listWOAction"});
    Widget frame = XtVaCreateManagedWidget(
        "widget464", xmFrameWidgetClass, f.upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.top(), XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5, nullptr);
    Widget form = XtVaCreateManagedWidget("widget465", xmFormWidgetClass, frame, nullptr);
    Widget top = XtVaCreateManagedWidget(
        "listWOTop", xmLabelWidgetClass, form,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 5,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    listWOProdL = XmCreateScrolledList(form, const_cast<char*>("listWOProdL"), nullptr, 0);
    XtVaSetValues(listWOProdL, XmNselectionPolicy, XmBROWSE_SELECT, XmNvisibleItemCount, 5,
                  XmNlistSizePolicy, XmCONSTANT, nullptr);
    XtVaSetValues(XtParent(listWOProdL),
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, top, XmNtopOffset, 5,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                  XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                  XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 10, nullptr);
    XtManageChild(listWOProdL);
    kit::ItemList items(orders);
    if (items.count()) XmListAddItemsUnselected(listWOProdL, items.table(), items.count(), 1);

    const std::vector<Widget> b = kit::buildActions(
        f, kit::Layout::Row,
        {{"listWOOk", listWOOkCB}, {"listWOPrev", exitCB, kit::number(kPrevious)},
         {"listWOMainMenu", exitCB, kit::number(kMainMenu)},
         {"listWOHelp", XDpopup_link, &helpWidget}},
        "listWOActionRow");
    kit::manageFrame(f, b[0]);
    makeCurrentForm(shell, f);
}
