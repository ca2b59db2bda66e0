// disableTapeDev greys the tape group of the installation information form.
// It is built apart from the rest of the device layer because it acts on
// that form's widgets: it links in when that form calls it.
#include <Xm/ToggleB.h>

#include "core/deviceName.h"
#include "inMedD/deviceLayer.h"

void disableTapeDev(const char* spec) {
    if (spec) tapeHost = parseDevName(spec, prodInfoTapeDevName, prodInfoTapeHostName, 1);
    toggleTextEditable(0, prodInfoTapeDevName, prodInfoTapeDevNameCB);
    toggleTextEditable(0, prodInfoTapeHostName, prodInfoTapeHostNameCB);
    XmToggleButtonSetState(prodInfoTape, False, False);
    XtSetSensitive(prodInfoTapeFrameLabel, False);
    XtSetSensitive(prodInfoTapeDevLabel, False);
    for (Widget toggle : {prodInfoTapeLocal, prodInfoTapeRemote}) {
        XmToggleButtonSetState(toggle, False, False);
        XtSetSensitive(toggle, False);
    }
    loadDevice &= ~trev::kDevTape;
}
