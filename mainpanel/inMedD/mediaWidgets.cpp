#include "inMedD/mediaWidgets.h"

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/LabelG.h>
#include <Xm/PushB.h>
#include <Xm/PushBG.h>
#include <Xm/RowColumn.h>
#include <Xm/SeparatoG.h>
#include <Xm/Text.h>
#include <Xm/ToggleB.h>
#include <Xm/ToggleBG.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "core/mediaLists.h"
#include "globals.h"
#include "mainpanelExit.h"
#include "topWidget/topWidget.h"
#include "topStub/topStub.h"
#include "topUtils.h"

MediaFrame createMediaFrame(Widget shell, const MediaFrameNames& n) {
    MediaFrame f;
    f.outer = XtVaCreateWidget(n.outer, xmFormWidgetClass, shell, nullptr);
    // Bottom up, so that the content area takes what the user adds to the
    // window's height.
    f.action = XtVaCreateManagedWidget(
        n.action, xmFormWidgetClass, f.outer,
        XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    f.separator = XtVaCreateManagedWidget(
        n.separator, xmSeparatorGadgetClass, f.outer,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, f.action, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    f.content = XtVaCreateManagedWidget(
        n.content, xmFormWidgetClass, f.outer,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 0,
        XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, f.separator, XmNbottomOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    f.logo = XtVaCreateManagedWidget(
        n.logo, xmLabelGadgetClass, f.content,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 0,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 0, nullptr);
    f.orvanta = XtVaCreateManagedWidget(
        n.orvanta, xmLabelGadgetClass, f.content,
        XmNtopAttachment, XmATTACH_FORM, XmNtopOffset, 15,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, f.logo, XmNleftOffset, 10, nullptr);
    f.title = XtVaCreateManagedWidget(
        n.title, xmLabelGadgetClass, f.content,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, f.orvanta, XmNtopOffset, 0,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, f.orvanta, XmNleftOffset, 20,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 0, nullptr);
    return f;
}

void manageMediaFrame(const MediaFrame& frame, Widget defaultButton, Widget firstFocus) {
    if (defaultButton) XtVaSetValues(frame.outer, XmNdefaultButton, defaultButton, nullptr);
    // The first keyboard focus goes to a button: a grey Host field that took
    // it would switch its group to Remote host unasked.
    setFirstFocus(firstFocus ? firstFocus : defaultButton, frame.outer);
    XtManageChild(frame.outer);
}

EntryGroupWidgets createEntryGroup(Widget parent, const EntryGroupNames& n, Widget above,
                                   int leftOffset, bool alwaysOne, XtCallbackProc onLocal,
                                   XtCallbackProc onRemote) {
    EntryGroupWidgets g;
    const int topAttach = above ? XmATTACH_WIDGET : XmATTACH_FORM;
    g.deviceLabel = XtVaCreateManagedWidget(
        n.deviceLabel, n.deviceLabelGadget ? xmLabelGadgetClass : xmLabelWidgetClass, parent,
        XmNtopAttachment, topAttach, XmNtopWidget, above, XmNtopOffset, 15,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, leftOffset, nullptr);
    g.device = XtVaCreateManagedWidget(
        n.device, xmTextWidgetClass, parent,
        XmNtopAttachment, topAttach, XmNtopWidget, above, XmNtopOffset, 10,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, g.deviceLabel, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    g.radio = XmCreateRadioBox(parent, const_cast<char*>(n.radio), nullptr, 0);
    XtVaSetValues(g.radio, XmNorientation, XmVERTICAL, XmNradioAlwaysOne, alwaysOne,
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, g.device, XmNtopOffset, 5,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, leftOffset,
                  XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 10, nullptr);
    g.local = XtVaCreateManagedWidget(n.local, xmToggleButtonGadgetClass, g.radio, nullptr);
    g.remote = XtVaCreateManagedWidget(n.remote, xmToggleButtonGadgetClass, g.radio, nullptr);
    XtAddCallback(g.local, XmNvalueChangedCallback, onLocal, nullptr);
    XtAddCallback(g.remote, XmNvalueChangedCallback, onRemote, nullptr);
    XtManageChild(g.radio);
    g.host = XtVaCreateManagedWidget(
        n.host, xmTextWidgetClass, parent,
        XmNbottomAttachment, XmATTACH_OPPOSITE_WIDGET, XmNbottomWidget, g.radio,
        XmNbottomOffset, 0,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, g.radio, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
    return g;
}

Widget createFrameForm(Widget frame, const char* name) {
    return XtVaCreateManagedWidget(name, xmFormWidgetClass, frame, nullptr);
}

EntryFrame createEntryFrame(Widget parent, const EntryFrameNames& n, bool alwaysOne,
                            XtCallbackProc onLocal, XtCallbackProc onRemote) {
    EntryFrame f;
    f.frame = XtVaCreateWidget(n.frame, xmFrameWidgetClass, parent, nullptr);
    f.form = createFrameForm(f.frame, n.form);
    f.group = createEntryGroup(f.form, n.group, nullptr, 10, alwaysOne, onLocal, onRemote);
    f.title = XtVaCreateManagedWidget(n.title, xmLabelWidgetClass, parent, nullptr);
    return f;
}

void storeEntryFrame(const EntryFrame& f, const EntryHandles& h) {
    *h.frame = f.frame;
    *h.title = f.title;
    *h.device = f.group.device;
    *h.host = f.group.host;
    *h.local = f.group.local;
    *h.remote = f.group.remote;
}

EntryFrame createBottomEntryFrame(Widget parent, const EntryFrameNames& names, Widget above,
                                  XtCallbackProc onLocal, XtCallbackProc onRemote) {
    EntryFrame f = createEntryFrame(parent, names, true, onLocal, onRemote);
    XtVaSetValues(f.frame,
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, above, XmNtopOffset, 25,
                  XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 0,
                  XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 0,
                  XmNbottomAttachment, XmATTACH_FORM, XmNbottomOffset, 0, nullptr);
    attachFrameLabel(f.title, f.frame);
    XtManageChild(f.frame);
    return f;
}

std::vector<Widget> createLabelLine(Widget parent, Widget above, int offset,
                                    std::initializer_list<LabelSpec> labels) {
    std::vector<Widget> out;
    for (const LabelSpec& l : labels) {
        WidgetClass cls = l.gadget ? xmLabelGadgetClass : xmLabelWidgetClass;
        Widget w;
        if (out.empty())
            w = XtVaCreateManagedWidget(
                l.name, cls, parent,
                XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, above, XmNtopOffset, offset,
                XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10, nullptr);
        else
            w = XtVaCreateManagedWidget(
                l.name, cls, parent,
                XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, out.front(),
                XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, out.back(), XmNleftOffset, 5,
                nullptr);
        out.push_back(w);
    }
    return out;
}

namespace {

// The title's window must lie over the frame's, whatever order the form
// realizes its children in.
void raiseWhenMapped(Widget w, XtPointer, XEvent* event, Boolean*) {
    if (event->type == MapNotify) XRaiseWindow(XtDisplay(w), XtWindow(w));
}

}  // namespace

void attachFrameLabel(Widget label, Widget frame) {
    if (!label || !frame) return;
    XtAddEventHandler(label, StructureNotifyMask, False, raiseWhenMapped, nullptr);
    XtVaSetValues(label,
                  XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, frame,
                  XmNtopOffset, -10,
                  XmNleftAttachment, XmATTACH_OPPOSITE_WIDGET, XmNleftWidget, frame,
                  XmNleftOffset, 20,
                  XmNbottomAttachment, XmATTACH_NONE, XmNrightAttachment, XmATTACH_NONE, nullptr);
}

Widget createButton(Widget parent, const char* name, bool gadget, XtCallbackProc cb,
                    XtPointer data) {
    Widget b = XtVaCreateManagedWidget(
        name, gadget ? xmPushButtonGadgetClass : xmPushButtonWidgetClass, parent, nullptr);
    if (cb) XtAddCallback(b, XmNactivateCallback, cb, data);
    return b;
}

void placeActionButtons(Widget action, std::initializer_list<Widget> buttons) {
    const int n = static_cast<int>(buttons.size());
    XtVaSetValues(action, XmNfractionBase, 10 * n, nullptr);
    int i = 0;
    for (Widget b : buttons) {
        XtVaSetValues(b,
                      XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment, XmATTACH_FORM,
                      XmNleftAttachment, XmATTACH_POSITION, XmNleftPosition, 10 * i + 1,
                      nullptr);
        ++i;
    }
}

Widget createActionRowColumn(Widget action, const char* name) {
    return XtVaCreateManagedWidget(
        name, xmRowColumnWidgetClass, action,
        XmNorientation, XmHORIZONTAL, XmNpacking, XmPACK_COLUMN, XmNentryAlignment,
        XmALIGNMENT_CENTER,
        XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment, XmATTACH_FORM,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
}

void makeCurrentForm(Widget shell, Widget help, Widget action, Widget logo) {
    parentWidget = shell;
    helpWidget = help;
    actionWidget = action;
    logoWidget = logo;
}

void mediaExitCB(Widget, XtPointer clientData, XtPointer) {
    cleanExit(static_cast<int>(reinterpret_cast<std::intptr_t>(clientData)));
}

XtPointer exitCode(int code) {
    return reinterpret_cast<XtPointer>(static_cast<std::intptr_t>(code));
}

void setRemoteToggles(int remote, Widget local, Widget remoteToggle) {
    XmToggleButtonSetState(local, remote ? False : True, False);
    XmToggleButtonSetState(remoteToggle, remote ? True : False, False);
}

void destroyHandle(Widget& handle) {
    if (!handle) return;
    XtDestroyWidget(handle);
    handle = nullptr;
}

std::vector<std::string> readLinesOrExit(const char* path) {
    trev::FilePtr f = openOrExit(path, "r", 0);
    auto lines = trev::readTextLines(f.get());
    if (!lines) {
        const int err = errno;
        std::fprintf(stderr, "Cannot read %s", path);
        errno = err;
        trev::systemError(1);
    }
    if (const std::optional<std::size_t> line = trev::firstLongLine(*lines)) {
        std::fputs(trev::longLineMessage(path, *line).c_str(), stderr);
        std::exit(trev::exitcode::kStartFailure);
    }
    return std::move(*lines);
}
