// Devices on the forms that ask for them (the device and media forms and
// the installation information form): device names shown in fields or
// labels, entry groups filled from them, and the check of the fields that
// ends in the shell assignment lines for the calling script.
#pragma once

#include <Xm/Xm.h>

#include "kit/entryGroup.h"

// Splits the device name "host:device" (remote) or "device" (local) at its
// first colon and shows it; returns whether it is remote.
//   asText: the Device field gets the device part; when remote the Host
//           field gets the host part, when local it keeps its text.
//   else:   the two labels get the device part and the host part, or
//           "(local)".
// Either widget may be nullptr.
bool showDevName(const char* spec, Widget device, Widget host, bool asText);

// Fills an entry group from `spec`: the fields as showDevName does; a
// remote name sets the group's flag (a local one leaves it); then the
// toggles and the Host field show the name's side.
void fillEntryGroup(kit::EntryGroup& g, const char* spec);

// Checks the fields of the kinds in `kinds` (CD-ROM, tape or tape file
// bits; fields of other kinds may be nullptr).  Something missing: shows
// "You need to specify" and the missing items in the warning note and
// returns false.  Otherwise prints the DeviceCD, DeviceTAPE or TFILE lines
// on standard output and returns true.
bool devicesAnswered(int kinds, Widget cdDevice, Widget cdHostField, Widget tapeDevice,
                     Widget tapeHostField);
