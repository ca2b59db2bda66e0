// Widgets of the Installation Information form.  Labels, fonts and the
// insensitive or hidden start of some widgets come from the fallback
// resources by widget name.
#include "topWidget/instInfo.h"

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/LabelG.h>
#include <Xm/PushB.h>
#include <Xm/PushBG.h>
#include <Xm/RowColumn.h>
#include <Xm/SeparatoG.h>
#include <Xm/Text.h>
#include <Xm/ToggleBG.h>

#include <algorithm>

#include "inMedD/mediaWidgets.h"
#include "topStub/topStub.h"
#include "topWidget/formFrame.h"
#include "topWidget/topWidget.h"

Widget instInfo;
Widget instInfoLogo;
Widget prodInfo, prodInfoHead;
Widget prodInfoOrder, prodInfoEmail, prodInfoTape;
Widget prodInfoOrderNumber, prodInfoEmailText, prodInfoEmailBrowser;
Widget prodInfoTapeFrameLabel, prodInfoTapeLocal, prodInfoTapeRemote;
Widget prodInfoTapeDevName, prodInfoTapeHostName, prodInfoTapeDevLabel;
Widget prodInfoOrvantaCatalog, prodInfoDocCatalog;
Widget prodInfoDescpFrameLabel;
Widget emailInfo, workOrderInfo, tapeInfo, orvantaCatalogInfo, docCatalogInfo;
Widget instInfoAction, instInfoOk, instInfoMainMenu, instInfoHelp;
Widget instInfoHelpTextWin;

namespace {

Dimension preferredHeight(Widget w) {
    XtWidgetGeometry pref{};
    XtQueryGeometry(w, nullptr, &pref);
    return (pref.request_mode & CWHeight) ? pref.height : 0;
}

// Offset from the top of a one-column radio box at which `w` sits centred
// on the box's row `row`: the rows are as high as the highest toggle and
// `spacing` apart, below the box's margin.
int rowOffset(Widget box, int row, Widget w) {
    Dimension margin = 0, spacing = 0;
    XtVaGetValues(box, XmNmarginHeight, &margin, XmNspacing, &spacing, nullptr);
    WidgetList children = nullptr;
    Cardinal count = 0;
    XtVaGetValues(box, XmNchildren, &children, XmNnumChildren, &count, nullptr);
    int rowHeight = 0;
    for (Cardinal i = 0; i < count; ++i) rowHeight = std::max<int>(rowHeight, preferredHeight(children[i]));
    const int top = margin + row * (rowHeight + spacing);
    return top + (rowHeight - static_cast<int>(preferredHeight(w))) / 2;
}

void attachToRow(Widget w, Widget box, int row) {
    XtVaSetValues(w, XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, box,
                  XmNtopOffset, rowOffset(box, row, w), nullptr);
}

// A label for the top border of a frame (attachFrameLabel puts it there).
Widget frameLabel(const char* name, Widget parent) {
    return XtVaCreateManagedWidget(name, xmLabelWidgetClass, parent, nullptr);
}

Widget toggle(const char* name, Widget box, XtCallbackProc cb) {
    Widget t = XtVaCreateManagedWidget(name, xmToggleButtonGadgetClass, box, nullptr);
    XtAddCallback(t, XmNvalueChangedCallback, cb, nullptr);
    return t;
}

Widget radioBox(const char* name, Widget parent) {
    Widget box = XmCreateRadioBox(parent, const_cast<char*>(name), nullptr, 0);
    XtVaSetValues(box, XmNorientation, XmVERTICAL, XmNnumColumns, 1, XmNpacking, XmPACK_COLUMN,
                  nullptr);
    return box;
}

void buildSources() {
    prodInfoHead = XtVaCreateManagedWidget(
        "prodInfoHead", xmLabelWidgetClass, prodInfo,
        XmNtopAttachment, XmATTACH_FORM, XmNleftAttachment, XmATTACH_FORM, nullptr);

    Widget sources = radioBox("widget154", prodInfo);
    XtVaSetValues(sources, XmNspacing, 10,
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, prodInfoHead, XmNtopOffset, 5,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 15, nullptr);
    prodInfoOrder = toggle("prodInfoOrder", sources, prodInfoWorkOrderCB);
    prodInfoEmail = toggle("prodInfoEmail", sources, prodInfoEmailCB);
    prodInfoTape = toggle("prodInfoTape", sources, prodInfoTapeCB);
    XtManageChild(sources);

    prodInfoOrderNumber = XtVaCreateManagedWidget(
        "prodInfoOrderNumber", xmLabelWidgetClass, prodInfo,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, sources, XmNleftOffset, 5, nullptr);
    attachToRow(prodInfoOrderNumber, sources, 0);

    // The e-mail row: the field from 140 up to Browser... at the right edge.
    prodInfoEmailBrowser = XtVaCreateManagedWidget(
        "prodInfoEmailBrowser", xmPushButtonWidgetClass, prodInfo,
        XmNrightAttachment, XmATTACH_FORM, nullptr);
    attachToRow(prodInfoEmailBrowser, sources, 1);
    XtAddCallback(prodInfoEmailBrowser, XmNactivateCallback, prodInfoEmailBrowserCB, nullptr);
    prodInfoEmailText = XtVaCreateManagedWidget(
        "prodInfoEmailText", xmTextWidgetClass, prodInfo,
        XmNeditMode, XmSINGLE_LINE_EDIT,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 140,
        XmNrightAttachment, XmATTACH_WIDGET, XmNrightWidget, prodInfoEmailBrowser,
        XmNrightOffset, 10, nullptr);
    attachToRow(prodInfoEmailText, sources, 1);

    // The tape frame, its top level with the Tape toggle.
    prodInfoTapeFrameLabel = frameLabel("prodInfoTapeFrameLabel", prodInfo);
    Widget tapeFrame = XtVaCreateManagedWidget(
        "widget162", xmFrameWidgetClass, prodInfo,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 140,
        XmNrightAttachment, XmATTACH_FORM,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, sources,
        XmNtopOffset, rowOffset(sources, 2, prodInfoTape), nullptr);
    attachFrameLabel(prodInfoTapeFrameLabel, tapeFrame);

    Widget tapeGroup = XtVaCreateWidget("widget163", xmFormWidgetClass, tapeFrame, nullptr);
    prodInfoTapeDevLabel = XtVaCreateManagedWidget(
        "prodInfoTapeDevLabel", xmLabelWidgetClass, tapeGroup,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 20,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
    prodInfoTapeDevName = XtVaCreateManagedWidget(
        "prodInfoTapeDevName", xmTextWidgetClass, tapeGroup,
        XmNeditMode, XmSINGLE_LINE_EDIT,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 120,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    XtAddCallback(prodInfoTapeDevName, XmNfocusCallback, prodInfoTapeDevNameCB, nullptr);
    Widget where = radioBox("widget164", tapeGroup);
    XtVaSetValues(where,
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, prodInfoTapeDevName,
                  XmNtopOffset, 5,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 5,
                  XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 5, nullptr);
    prodInfoTapeLocal = toggle("prodInfoTapeLocal", where, prodInfoTapeLocalCB);
    prodInfoTapeRemote = toggle("prodInfoTapeRemote", where, prodInfoTapeRemoteCB);
    XtManageChild(where);
    prodInfoTapeHostName = XtVaCreateManagedWidget(
        "prodInfoTapeHostName", xmTextWidgetClass, tapeGroup,
        XmNeditMode, XmSINGLE_LINE_EDIT,
        XmNleftAttachment, XmATTACH_OPPOSITE_WIDGET, XmNleftWidget, prodInfoTapeDevName,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    attachToRow(prodInfoTapeHostName, where, 1);
    XtAddCallback(prodInfoTapeHostName, XmNfocusCallback, prodInfoTapeHostNameCB, nullptr);
    XtManageChild(tapeGroup);

    // The catalogues, below the tape frame; a click on the set one clears it.
    Widget catalogues = radioBox("widget170", prodInfo);
    XtVaSetValues(catalogues, XmNradioAlwaysOne, False, XmNspacing, 10,
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, tapeFrame, XmNtopOffset, 10,
                  XmNleftAttachment, XmATTACH_OPPOSITE_WIDGET, XmNleftWidget, sources,
                  XmNbottomAttachment, XmATTACH_FORM, nullptr);
    prodInfoOrvantaCatalog = toggle("prodInfoOrvantaCatalog", catalogues, prodInfoOrvantaCatalogCB);
    prodInfoDocCatalog = toggle("prodInfoDocCatalog", catalogues, prodInfoDocCatalogCB);
    XtManageChild(catalogues);
}

// The Comments frame below the choices, holding the five descriptions at
// one place; the fallback resources keep them unmapped until one is shown.
void buildDescriptions(Widget upper) {
    prodInfoDescpFrameLabel = frameLabel("prodInfoDescpFrameLabel", upper);
    Widget frame = XtVaCreateManagedWidget(
        "widget173", xmFrameWidgetClass, upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, prodInfo, XmNtopOffset, 20,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM,
        XmNbottomAttachment, XmATTACH_FORM, nullptr);
    attachFrameLabel(prodInfoDescpFrameLabel, frame);
    Widget holder = XtVaCreateWidget("widget174", xmFormWidgetClass, frame, nullptr);
    auto description = [&](const char* name) {
        return XtVaCreateManagedWidget(
            name, xmLabelWidgetClass, holder,
            XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 15,
            XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
            XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
            XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 10, nullptr);
    };
    emailInfo = description("emailInfo");
    workOrderInfo = description("workOrderInfo");
    tapeInfo = description("tapeInfo");
    orvantaCatalogInfo = description("orvantaCatalogInfo");
    docCatalogInfo = description("docCatalogInfo");
    XtManageChild(holder);
}

void buildActions() {
    instInfoOk = XtVaCreateManagedWidget(
        "instInfoOk", xmPushButtonGadgetClass, instInfoAction,
        XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment, XmATTACH_FORM,
        XmNleftAttachment, XmATTACH_FORM, nullptr);
    instInfoMainMenu = XtVaCreateManagedWidget(
        "instInfoMainMenu", xmPushButtonWidgetClass, instInfoAction,
        XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment, XmATTACH_FORM,
        XmNleftAttachment, XmATTACH_POSITION, XmNleftPosition, 43, nullptr);
    instInfoHelp = XtVaCreateManagedWidget(
        "instInfoHelp", xmPushButtonGadgetClass, instInfoAction,
        XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment, XmATTACH_FORM,
        XmNrightAttachment, XmATTACH_FORM, nullptr);
    XtAddCallback(instInfoOk, XmNactivateCallback, instInfoOkCB, nullptr);
    XtAddCallback(instInfoMainMenu, XmNactivateCallback, instInfoMainMenuCB, nullptr);
    XtAddCallback(instInfoHelp, XmNactivateCallback, XDpopup_link, &instInfoHelpTextWin);
}

}  // namespace

Widget create_instInfoHelpTextWin(Widget parent) {
    return create_helpTextWin(parent, "instInfo", 1, nullptr, &instInfoHelpTextWin);
}

Widget create_instInfo() {
    instInfo = createFormShell();
    Widget outer = XtVaCreateWidget("widget147", xmFormWidgetClass, instInfo, nullptr);

    instInfoAction = XtVaCreateManagedWidget(
        "instInfoAction", xmFormWidgetClass, outer,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 10, nullptr);
    Widget separator = XtVaCreateManagedWidget(
        "widget179", xmSeparatorGadgetClass, outer,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, instInfoAction,
        XmNbottomOffset, 10, nullptr);
    Widget upper = XtVaCreateManagedWidget(
        "widget148", xmFormWidgetClass, outer,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 0,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, separator,
        XmNbottomOffset, 10, nullptr);

    Widget maker = XtVaCreateManagedWidget(
        "widget149", xmLabelGadgetClass, upper,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 96, nullptr);
    instInfoLogo = XtVaCreateManagedWidget(
        "instInfoLogo", xmLabelGadgetClass, upper,
        XmNtopAttachment, XmATTACH_FORM, XmNleftAttachment, XmATTACH_FORM, nullptr);
    Widget title = XtVaCreateManagedWidget(
        "widget151", xmLabelGadgetClass, upper,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, maker,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, maker, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, nullptr);

    prodInfo = XtVaCreateWidget(
        "prodInfo", xmFormWidgetClass, upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, title, XmNtopOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    buildSources();
    XtManageChild(prodInfo);
    buildDescriptions(upper);
    buildActions();

    XtVaSetValues(outer, XmNdefaultButton, instInfoOk, nullptr);
    // Browser... comes first in traversal, and its activation chooses the
    // E-mail File source: Return on the untouched form must answer OK.
    setFirstFocus(instInfoOk, outer);
    XtManageChild(outer);
    create_instInfoHelpTextWin(instInfo);
    return instInfo;
}
