#include "entryGroup.h"

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/RowColumn.h>
#include <Xm/Text.h>
#include <Xm/ToggleB.h>

#include "colour.h"
#include "frame.h"
#include "widgets.h"

namespace kit {

namespace {

EntryGroup& groupOf(XtPointer data) { return *static_cast<EntryGroup*>(data); }

void choose(EntryGroup& g, bool remote) {
    if (g.mode != EntryMode::Plain && *g.remoteFlag == remote) return;
    *g.remoteFlag = remote;
    if (g.mode == EntryMode::GuardedToggles)
        showRemote(g, remote);
    else
        setEditable(g.host, remote, g.hostHandler(), &g);
}

void localCB(Widget, XtPointer data, XtPointer) { choose(groupOf(data), false); }
void remoteCB(Widget, XtPointer data, XtPointer) { choose(groupOf(data), true); }

// A click into the grey Host field chooses Remote host.
void hostFocusCB(Widget, XtPointer data, XtPointer) {
    EntryGroup& g = groupOf(data);
    if (*g.remoteFlag) return;
    *g.remoteFlag = true;
    showRemote(g, true);
}

}  // namespace

XtCallbackProc EntryGroup::hostHandler() const {
    return mode == EntryMode::Custom ? handlers.hostFocus : hostFocusCB;
}

void buildEntryGroup(EntryGroup& g, Widget parent, const EntryNames& n, Widget above,
                     int leftOffset, bool alwaysOne) {
    const int topAttach = above ? XmATTACH_WIDGET : XmATTACH_FORM;
    g.deviceLabel = XtVaCreateManagedWidget(
        n.deviceLabel, xmLabelWidgetClass, parent,
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
    g.local = XtVaCreateManagedWidget(n.local, xmToggleButtonWidgetClass, g.radio, nullptr);
    g.remote = XtVaCreateManagedWidget(n.remote, xmToggleButtonWidgetClass, g.radio, nullptr);
    const bool custom = g.mode == EntryMode::Custom;
    onChange(g.local, custom ? g.handlers.local : localCB, &g);
    onChange(g.remote, custom ? g.handlers.remote : remoteCB, &g);
    XtManageChild(g.radio);
    g.host = XtVaCreateManagedWidget(
        n.host, xmTextWidgetClass, parent,
        XmNbottomAttachment, XmATTACH_OPPOSITE_WIDGET, XmNbottomWidget, g.radio,
        XmNbottomOffset, 0,
        XmNleftAttachment, XmATTACH_WIDGET, XmNleftWidget, g.radio, XmNleftOffset, 10,
        XmNrightAttachment, XmATTACH_FORM, XmNrightOffset, 10, nullptr);
}

EntryFrame buildEntryFrame(EntryGroup& g, Widget parent, const EntryFrameNames& frameNames,
                           const EntryNames& names, bool alwaysOne) {
    EntryFrame f;
    f.frame = XtVaCreateWidget(frameNames.frame, xmFrameWidgetClass, parent, nullptr);
    Widget form = XtVaCreateManagedWidget(frameNames.form, xmFormWidgetClass, f.frame, nullptr);
    buildEntryGroup(g, form, names, nullptr, 10, alwaysOne);
    f.title = XtVaCreateManagedWidget(frameNames.title, xmLabelWidgetClass, parent, nullptr);
    return f;
}

void placeFrame(const EntryFrame& f, Widget above, int gap, bool toBottom) {
    XtVaSetValues(f.frame,
                  XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, above, XmNtopOffset, gap,
                  XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, nullptr);
    if (toBottom) XtVaSetValues(f.frame, XmNbottomAttachment, XmATTACH_FORM, nullptr);
    attachFrameLabel(f.title, f.frame);
    XtManageChild(f.frame);
}

void hostFocusChoosesRemote(EntryGroup& g) {
    XtAddCallback(g.host, XmNfocusCallback, g.hostHandler(), &g);
}

void showToggles(const EntryGroup& g, bool remote) {
    setToggle(remote ? g.remote : g.local, true);
    setToggle(remote ? g.local : g.remote, false);
}

void showRemote(const EntryGroup& g, bool remote) {
    showToggles(g, remote);
    setEditable(g.host, remote, g.hostHandler(), const_cast<EntryGroup*>(&g));
}

void setEditable(Widget field, bool editable, XtCallbackProc handler, XtPointer data) {
    if (!field) return;
    if (handler) XtRemoveCallback(field, XmNfocusCallback, handler, data);
    if (editable) {
        Pixel bg = 0, fg = 0;
        XtVaGetValues(field, XmNbackground, &bg, XmNforeground, &fg, nullptr);
        XtVaSetValues(field, XmNbackground, orElse(resourceColour(field, "fieldBackground"), bg),
                      XmNforeground, orElse(resourceColour(field, "fieldForeground"), fg),
                      XmNeditable, True, nullptr);
    } else {
        Pixel bg = 0;
        XtVaGetValues(field, XmNbackground, &bg, nullptr);
        const Pixel grey = orElse(resourceColour(field, "fieldGrey"), bg);
        XtVaSetValues(field, XmNbackground, grey, XmNforeground, grey, XmNeditable, False, nullptr);
        if (handler) XtAddCallback(field, XmNfocusCallback, handler, data);
    }
}

void forgetWidgets(EntryGroup& g) {
    g.deviceLabel = g.device = g.host = g.radio = g.local = g.remote = nullptr;
}

}  // namespace kit
