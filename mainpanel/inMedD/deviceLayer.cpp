// The device layer: moves device names between the entry groups
// and the X-free core (splitting, checking, the result lines).
#include "inMedD/deviceLayer.h"

#include <Xm/Form.h>
#include <Xm/Text.h>
#include <Xm/ToggleB.h>

#include <cstdio>
#include <string>

#include "core/deviceName.h"
#include "globals.h"
#include "inMedD/mediaForms.h"
#include "inMedD/mediaWidgets.h"
#include "topWidget/topWidget.h"
#include "xraii.h"

int loadDevice = 0;
int CDHost = 0;
int tapeHost = 0;

namespace {

void setLabel(Widget w, const std::string& text) {
    if (!w) return;
    const XmStr s(text.c_str());
    XtVaSetValues(w, XmNlabelString, static_cast<XmString>(s), nullptr);
}

void setText(Widget w, const std::string& text) {
    if (w) XmTextSetString(w, const_cast<char*>(text.c_str()));
}

// The field's text; empty for an absent field.
std::string fieldText(Widget w) {
    if (!w) return {};
    const XtPtr<char> s(XmTextGetString(w));
    return s ? std::string(s.get()) : std::string();
}

// The colours of the Host field, allocated on first use and kept.
struct FieldColours {
    Pixel editableBg, editableFg, grey;
};

const FieldColours& fieldColours() {
    static const FieldColours c = [] {
        auto pixel = [](const char* name, Pixel fallback) {
            const Pixel p = getFgBgColor(name);
            return p == static_cast<Pixel>(-1) ? fallback : p;
        };
        return FieldColours{pixel("#e0e0e0e0e0e0", WhitePixel(display, defScreen)),
                            pixel("black", BlackPixel(display, defScreen)),
                            pixel("#c0c0c0c0c0c0", WhitePixel(display, defScreen))};
    }();
    return c;
}

}  // namespace

int parseDevName(const char* spec, Widget deviceWidget, Widget hostWidget, int asText) {
    const trev::DevSpec d = trev::splitDevSpec(spec ? spec : "");
    if (asText) {
        setText(deviceWidget, d.device);
        if (d.remote) setText(hostWidget, d.host);
    } else {
        setLabel(deviceWidget, d.device);
        setLabel(hostWidget, d.remote ? d.host : trev::kLocalHostLabel);
    }
    return d.remote ? 1 : 0;
}

void enableDevice(const char* spec, int kind, Widget localToggle, Widget remoteToggle,
                  Widget deviceField, Widget hostField, XtCallbackProc hostHandler) {
    const int remote = parseDevName(spec, deviceField, hostField, 1);
    if (remote) {
        if (kind & trev::kDevCdrom)
            CDHost = 1;
        else
            tapeHost = 1;
    }
    toggleRemoteLocal(remote, localToggle, remoteToggle, hostField, hostHandler);
}

void toggleRemoteLocal(int remote, Widget localToggle, Widget remoteToggle, Widget hostField,
                       XtCallbackProc hostHandler) {
    Widget on = remote ? remoteToggle : localToggle;
    Widget off = remote ? localToggle : remoteToggle;
    if (on) XmToggleButtonSetState(on, True, False);
    if (off) XmToggleButtonSetState(off, False, False);
    toggleTextEditable(remote, hostField, hostHandler);
}

void toggleTextEditable(int editable, Widget textField, XtCallbackProc handler) {
    if (!textField) return;
    const FieldColours& c = fieldColours();
    if (handler) XtRemoveCallback(textField, XmNfocusCallback, handler, nullptr);
    if (editable) {
        XtVaSetValues(textField, XmNbackground, c.editableBg, XmNforeground, c.editableFg,
                      XmNeditable, True, nullptr);
    } else {
        XtVaSetValues(textField, XmNbackground, c.grey, XmNforeground, c.grey,
                      XmNeditable, False, nullptr);
        if (handler) XtAddCallback(textField, XmNfocusCallback, handler, nullptr);
    }
}

int dispKnownDevInfo(int, const char* firstText, const char* secondText, const char* spec,
                     Widget firstLabel, Widget messageLabel, Widget secondLabel,
                     Widget deviceWidget, Widget hostWidget, int asText) {
    if (secondText && secondLabel) {
        if (firstText && firstLabel) {
            setLabel(firstLabel, firstText);
        } else if (messageLabel) {
            // No medium to remove: the unmount line goes and the mount line
            // takes its place under the title.
            destroyHandle(unmntCDmsg1);
            destroyHandle(unmntCDLabel);
            destroyHandle(unmntCDmsg);
            XtVaSetValues(messageLabel, XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, mntCDTitle,
                          XmNtopOffset, 25, nullptr);
        }
        setLabel(secondLabel, secondText);
    }
    return parseDevName(spec, deviceWidget, hostWidget, asText);
}

int checkEmptyDev(int kinds, Widget cdDevField, Widget cdHostField, Widget tapeDevField,
                  Widget tapeHostField) {
    trev::DevEntry cd, tape;
    if (kinds & trev::kDevCdrom) {
        cd.remote = CDHost == 1;
        cd.device = fieldText(cdDevField);
        if (cd.remote) cd.host = fieldText(cdHostField);
    }
    if (kinds & (trev::kDevTape | trev::kDevTapeFile)) {
        tape.remote = tapeHost == 1;
        tape.device = fieldText(tapeDevField);
        if (tape.remote) tape.host = fieldText(tapeHostField);
    }
    const trev::DevCheck check = trev::checkDevEntries(kinds, cd, tape);
    if (!check.complete()) {
        displayWarn(check.warning.c_str());
        return 1;
    }
    std::fputs(check.result.c_str(), stdout);
    return 0;
}

void entryGroupHostFocus(const EntryGroup& g) {
    if (*g.flag != 0) return;
    *g.flag = 1;
    toggleRemoteLocal(1, g.local, g.remote, g.host, g.hostHandler);
}

void entryGroupPlain(const EntryGroup& g, int remote) {
    *g.flag = remote;
    toggleTextEditable(remote, g.host, g.hostHandler);
}

void entryGroupGuarded(const EntryGroup& g, int remote, bool switchToggles) {
    if (*g.flag == remote) return;
    *g.flag = remote;
    if (switchToggles)
        toggleRemoteLocal(remote, g.local, g.remote, g.host, g.hostHandler);
    else
        toggleTextEditable(remote, g.host, g.hostHandler);
}
