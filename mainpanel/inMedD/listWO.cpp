// Form type 22, Workorder List: one work order already installed is picked
// from the list file; OK answers its 1-based position.
#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/List.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/mediaLists.h"
#include "globals.h"
#include "inMedD/mediaForms.h"
#include "inMedD/mediaWidgets.h"
#include "topWidget/formFrame.h"
#include "mainpanelExit.h"
#include "topStub/topStub.h"
#include "topWidget/topWidget.h"
#include "xraii.h"

Widget listWO, listWOOrvanta, listWOLogo, listWOTitle, listWOHead;
Widget listWOTop, listWOProdL, listWOProdLSW;
Widget listWOAction, listWOActionRow, listWOOk, listWOPrev, listWOMainMenu, listWOHelp;
Widget listWOHelpTextWin;

namespace {

// The work orders of `path`, one a line.  A list whose positions would
// reach the codes of Main Menu and Previous or pass 255 is refused.
std::vector<std::string> readWorkOrders(const char* path) {
    const std::vector<std::string> lines = readLinesOrExit(path);
    if (lines.size() > trev::kMaxWorkOrders) {
        std::fputs(trev::tooManyWorkOrdersMessage(path, lines.size()).c_str(), stderr);
        std::exit(trev::exitcode::kStartFailure);
    }
    return lines;
}

// Empties the list and appends the work orders at positions 1, 2, ...
void displayListWO(const std::vector<std::string>& orders) {
    XmListDeleteAllItems(listWOProdL);
    for (const std::string& line : orders) {
        const XmStr item(line.c_str());
        XmListAddItemUnselected(listWOProdL, item, 0);
    }
}

}  // namespace

Widget create_listWOHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "listWO", 2, nullptr, &listWOHelpTextWin);
}

Widget create_listWO() {
    listWO = createFormShell();
    const MediaFrame f = createMediaFrame(
        listWO, {"widget458", "widget459", "listWOLogo", "listWOOrvanta", "listWOTitle",
                 "widget480", "listWOAction"});
    listWOOrvanta = f.orvanta;
    listWOLogo = f.logo;
    listWOTitle = f.title;
    listWOAction = f.action;
    listWOHead = XtVaCreateManagedWidget(
        "listWOHead", xmLabelWidgetClass, f.content,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.title, XmNtopOffset, 20,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    Widget frame = XtVaCreateManagedWidget(
        "widget464", xmFrameWidgetClass, f.content,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, listWOHead, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5, nullptr);
    Widget form = createFrameForm(frame, "widget465");
    listWOTop = XtVaCreateManagedWidget(
        "listWOTop", xmLabelWidgetClass, form,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 5,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    listWOProdL = XmCreateScrolledList(form, const_cast<char*>("listWOProdL"), nullptr, 0);
    listWOProdLSW = XtParent(listWOProdL);
    XtVaSetValues(listWOProdL, XmNselectionPolicy, XmBROWSE_SELECT, XmNvisibleItemCount, 5,
                  XmNlistSizePolicy, XmCONSTANT, nullptr);
    XtVaSetValues(listWOProdLSW,
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, listWOTop, XmNtopOffset, 5,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
                  XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
                  XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 10, nullptr);
    XtManageChild(listWOProdL);

    listWOActionRow = createActionRowColumn(listWOAction, "listWOActionRow");
    listWOOk = createButton(listWOActionRow, "listWOOk", true, listWOOkCB);
    listWOPrev = createButton(listWOActionRow, "listWOPrev", true, mediaExitCB,
                              exitCode(trev::exitcode::kPrevious));
    listWOMainMenu = createButton(listWOActionRow, "listWOMainMenu", true, mediaExitCB,
                                  exitCode(trev::exitcode::kMainMenu));
    listWOHelp = createButton(listWOActionRow, "listWOHelp", true, XDpopup_link,
                              &listWOHelpTextWin);
    manageMediaFrame(f, listWOOk);

    create_listWOHelpTextWin(listWO);
    return listWO;
}

void startListWO(int, char** argv) {
    const std::vector<std::string> orders = readWorkOrders(argv[2]);
    create_listWO();
    makeCurrentForm(listWO, listWOHelpTextWin, listWOActionRow, listWOLogo);
    displayListWO(orders);
}

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
