// A small Motif program for checking the test harness itself: one of each
// kind of widget the forms use.  Exit statuses tell the test what happened.
#include <Xm/Xm.h>
#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/List.h>
#include <Xm/Protocols.h>
#include <Xm/PushB.h>
#include <Xm/PushBG.h>
#include <Xm/RowColumn.h>
#include <Xm/TextF.h>
#include <Xm/ToggleBG.h>
#include <X11/Shell.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

Widget text, list, statusLabel;

void quitWith(Widget, XtPointer code, XtPointer) {
    std::printf("text=%s\n", XmTextFieldGetString(text));
    std::fflush(stdout);
    std::exit(static_cast<int>(reinterpret_cast<long>(code)));
}

void closed(Widget, XtPointer, XtPointer) { std::exit(250); }

void selected(Widget, XtPointer, XtPointer cbs) {
    auto* cb = static_cast<XmListCallbackStruct*>(cbs);
    char buf[64];
    std::snprintf(buf, sizeof buf, "selected %d", cb->selected_item_count);
    XmString s = XmStringCreateLocalized(buf);
    XtVaSetValues(statusLabel, XmNlabelString, s, nullptr);
    XmStringFree(s);
}

String fallback[] = {
    const_cast<char*>("*background: #e0e0e0"),
    const_cast<char*>("*okButton.labelString: OK"),
    const_cast<char*>("*warn.foreground: black"),
    const_cast<char*>("*warn.background: red"),
    nullptr,
};

}  // namespace

int main(int argc, char** argv) {
    XtAppContext app;
    Widget shell = XtVaOpenApplication(&app, "Sample", nullptr, 0, &argc, argv, fallback,
                                       applicationShellWidgetClass, XmNtitle, "Sample Window", nullptr);
    Widget form = XtVaCreateManagedWidget("form", xmFormWidgetClass, shell, nullptr);
    Widget ok = XtVaCreateManagedWidget("okButton", xmPushButtonGadgetClass, form, XmNtopAttachment,
                                        XmATTACH_FORM, XmNleftAttachment, XmATTACH_FORM, nullptr);
    XtAddCallback(ok, XmNactivateCallback, quitWith, reinterpret_cast<XtPointer>(7L));
    Widget other = XtVaCreateManagedWidget("otherButton", xmPushButtonWidgetClass, form, XmNtopAttachment,
                                           XmATTACH_FORM, XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, ok,
                                           nullptr);
    XtAddCallback(other, XmNactivateCallback, quitWith, reinterpret_cast<XtPointer>(9L));
    Widget radio = XmCreateRadioBox(form, const_cast<char*>("radio"), nullptr, 0);
    XtVaSetValues(radio, XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, ok, XmNleftAttachment, XmATTACH_FORM,
                  nullptr);
    XtVaCreateManagedWidget("one", xmToggleButtonGadgetClass, radio, XmNset, True, nullptr);
    Widget two = XtVaCreateManagedWidget("two", xmToggleButtonGadgetClass, radio, nullptr);
    XtSetSensitive(two, argc > 1 && std::strcmp(argv[1], "greytwo") == 0 ? False : True);
    XtManageChild(radio);
    text = XtVaCreateManagedWidget("entry", xmTextFieldWidgetClass, form, XmNtopAttachment, XmATTACH_WIDGET,
                                   XmNtopWidget, radio, XmNleftAttachment, XmATTACH_FORM, XmNcolumns, 20, nullptr);
    XmString items[6];
    const char* names[] = {"alpha", "beta", "gamma", "delta", "epsilon", "zeta"};
    for (int i = 0; i < 6; ++i) items[i] = XmStringCreateLocalized(const_cast<char*>(names[i]));
    Arg args[6];
    int n = 0;
    XtSetArg(args[n], XmNitems, items), ++n;
    XtSetArg(args[n], XmNitemCount, 6), ++n;
    XtSetArg(args[n], XmNvisibleItemCount, 3), ++n;
    XtSetArg(args[n], XmNselectionPolicy, XmEXTENDED_SELECT), ++n;
    list = XmCreateScrolledList(form, const_cast<char*>("items"), args, n);
    XtVaSetValues(XtParent(list), XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, text, XmNleftAttachment,
                  XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    XtAddCallback(list, XmNextendedSelectionCallback, selected, nullptr);
    XtManageChild(list);
    statusLabel = XtVaCreateManagedWidget("status", xmLabelWidgetClass, form, XmNtopAttachment, XmATTACH_WIDGET,
                                          XmNtopWidget, XtParent(list), XmNleftAttachment, XmATTACH_FORM, nullptr);
    Widget warn = XtVaCreateManagedWidget("warn", xmLabelWidgetClass, form, XmNtopAttachment, XmATTACH_WIDGET,
                                          XmNtopWidget, statusLabel, XmNleftAttachment, XmATTACH_FORM,
                                          XmNbottomAttachment, XmATTACH_FORM, nullptr);
    XmString two_lines = XmStringGenerate(const_cast<char*>("first\nsecond"), nullptr, XmCHARSET_TEXT, nullptr);
    XtVaSetValues(warn, XmNlabelString, two_lines, nullptr);
    XmStringFree(two_lines);

    Atom del = XInternAtom(XtDisplay(shell), "WM_DELETE_WINDOW", False);
    XmAddWMProtocolCallback(shell, del, closed, nullptr);
    XtVaSetValues(shell, XmNdeleteResponse, XmDO_NOTHING, nullptr);
    XtRealizeWidget(shell);
    XSetIconName(XtDisplay(shell), XtWindow(shell), "Sample Icon");
    XtAppMainLoop(app);
    return 0;
}
