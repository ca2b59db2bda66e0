// The device layer of the device and media forms and of the installation
// information form: the local/remote entry group (Device field, Host field,
// Local and Remote host toggles, the Host field's focus handler), the
// read-only display of a known device, and checkEmptyDev, which checks the
// fields and prints the shell assignment lines for the calling script.
#pragma once

#include <Xm/Xm.h>

// The form's set of device kinds: bit 1 CD-ROM drive, 16 tape drive, 256
// tape file (trev::kDevCdrom, kDevTape, kDevTapeFile).
extern int loadDevice;

// 1 while the CD-ROM drive (CDHost) or the tape drive or file (tapeHost) is
// on a remote host, else 0.  Set from the device name when a form is
// filled and by the entry group's handlers; read by checkEmptyDev.
extern int CDHost;
extern int tapeHost;

// Splits the device name "host:device" (remote) or "device" (local) at
// its first colon and shows it; returns 1 when remote, else 0.
//   asText 1: the Device text field gets the device part; when remote the
//             Host text field gets the host part, when local it keeps its text.
//   asText 0: the two labels get the device part and the host part, or
//             "(local)".
// Either widget may be nullptr.
int parseDevName(const char* spec, Widget deviceWidget, Widget hostWidget, int asText);

// Fills an entry group from `spec`: the fields as parseDevName does; a
// remote result sets CDHost (kind with bit 1) or tapeHost to 1 (a local one
// leaves it); then toggleRemoteLocal with the result.
void enableDevice(const char* spec, int kind, Widget localToggle, Widget remoteToggle,
                  Widget deviceField, Widget hostField, XtCallbackProc hostHandler);

// Sets Remote host and unsets Local (remote 1), or the reverse, without
// running the toggles' handlers; then toggleTextEditable(remote, ...).
void toggleRemoteLocal(int remote, Widget localToggle, Widget remoteToggle, Widget hostField,
                       XtCallbackProc hostHandler);

// Editable: light background, black text, editing on, `handler` off the
// field's focus callbacks.  Not editable: grey on grey (the text stays but
// cannot be seen), editing off, `handler` on the focus callbacks once, so
// that clicking into the grey field calls it.
void toggleTextEditable(int editable, Widget textField, XtCallbackProc handler);

// Fills the media labels and the entry group of the mount forms.  When
// secondText and secondLabel are given: firstLabel shows firstText when
// both are given; otherwise, when messageLabel is given, the unmount line
// of the Mount CD-ROM form is destroyed and messageLabel moves up under the
// form's title; then secondLabel shows secondText.  Returns
// parseDevName(spec, deviceWidget, hostWidget, asText).  `kind` is unused.
int dispKnownDevInfo(int kind, const char* firstText, const char* secondText, const char* spec,
                     Widget firstLabel, Widget messageLabel, Widget secondLabel,
                     Widget deviceWidget, Widget hostWidget, int asText);

// Checks the entry groups of the kinds in `kinds` (bit 1 the CD-ROM fields,
// bit 16 or 256 the tape fields; fields of other kinds may be nullptr).
// Something missing: shows "You need to specify" and the missing items in
// the warning dialog and returns 1.  Otherwise prints the DeviceCD,
// DeviceTAPE or TFILE lines on standard output and returns 0.
int checkEmptyDev(int kinds, Widget cdDevField, Widget cdHostField, Widget tapeDevField,
                  Widget tapeHostField);

// ---- The tape group of the installation information form ---------------------
//
// disableTapeDev acts on these; the installation information form defines
// them.  Its code is linked in once that form uses it.
extern Widget prodInfoTape, prodInfoTapeFrameLabel, prodInfoTapeDevLabel;
extern Widget prodInfoTapeDevName, prodInfoTapeHostName;
extern Widget prodInfoTapeLocal, prodInfoTapeRemote;
void prodInfoTapeDevNameCB(Widget, XtPointer, XtPointer);
void prodInfoTapeHostNameCB(Widget, XtPointer, XtPointer);

// Greys the tape group: when `spec` is given, first tapeHost :=
// parseDevName(spec, prodInfoTapeDevName, prodInfoTapeHostName, 1); both
// fields not editable (with their focus handlers), the Tape toggle unset,
// the frame and device labels insensitive, Local and Remote host unset and
// insensitive, bit 16 of loadDevice cleared.
void disableTapeDev(const char* spec);

// ---- Entry-group handlers ---------------------------------------------------------
//
// One entry group of a form, read from its handles when a handler runs.
struct EntryGroup {
    Widget local, remote, device, host;
    XtCallbackProc hostHandler;
    int* flag;   // &CDHost or &tapeHost
};

// Host field focus: when the flag is 0, set it to 1 and switch the group to
// Remote host.
void entryGroupHostFocus(const EntryGroup& g);

// Plain Local / Remote host handlers (Load Device Options, mount forms):
// the flag takes the toggle's side and the Host field follows; the radio
// box sets the toggles.
void entryGroupPlain(const EntryGroup& g, int remote);

// Guarded handlers (Install Media, Device Read Failed): act only when the
// flag is not already `remote`; then set it and switch the whole group
// (toggles too) when `switchToggles`, else only the Host field.
void entryGroupGuarded(const EntryGroup& g, int remote, bool switchToggles);
