#include "app/devices.h"

#include <cstdio>
#include <string>

#include "app/globals.h"
#include "app/notes.h"
#include "core/deviceName.h"
#include "kit/widgets.h"

bool showDevName(const char* spec, Widget device, Widget host, bool asText) {
    const trev::DevSpec d = trev::splitDevSpec(spec ? spec : "");
    if (asText) {
        kit::setText(device, d.device);
        if (d.remote) kit::setText(host, d.host);
    } else {
        kit::setLabel(device, d.device);
        kit::setLabel(host, d.remote ? d.host : trev::kLocalHostLabel);
    }
    return d.remote;
}

void fillEntryGroup(kit::EntryGroup& g, const char* spec) {
    const bool remote = showDevName(spec, g.device, g.host, true);
    if (remote) *g.remoteFlag = true;
    kit::showRemote(g, remote);
}

bool devicesAnswered(int kinds, Widget cdDevice, Widget cdHostField, Widget tapeDevice,
                     Widget tapeHostField) {
    trev::DevEntry cd, tape;
    if (kinds & trev::kDevCdrom) {
        cd.remote = CDHost;
        cd.device = kit::fieldText(cdDevice);
        if (cd.remote) cd.host = kit::fieldText(cdHostField);
    }
    if (kinds & (trev::kDevTape | trev::kDevTapeFile)) {
        tape.remote = tapeHost;
        tape.device = kit::fieldText(tapeDevice);
        if (tape.remote) tape.host = kit::fieldText(tapeHostField);
    }
    const trev::DevCheck check = trev::checkDevEntries(kinds, cd, tape);
    if (!check.complete()) {
        displayWarn(check.warning.c_str());
        return false;
    }
    std::fputs(check.result.c_str(), stdout);
    return true;
}
