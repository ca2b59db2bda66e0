// The device and media forms: Load Device Options (4), Mount CD-ROM (5),
// Mount Tape (6), Device Read Failed (14), Install Media (15), Select Media
// (20), Media Required (21) and Workorder List (22).  Each starts from its
// command line (see formRegistry.h).
#pragma once

#include <Xm/Xm.h>

#include "core/statusRecord.h"

void startInMedD(int argc, char** argv);
void startMntCD(int argc, char** argv);
void startMntTape(int argc, char** argv);
void startUnreadInMed(int argc, char** argv);
void startInstMedia(int argc, char** argv);
void startInstMediaType(int argc, char** argv);
void startListMedia(int argc, char** argv);
void startListWO(int argc, char** argv);

// The install media form's size slot: one for a CD-ROM, one for a tape;
// any other media type ends the run with "Illegal media type".
trev::SizeSlot instMediaSlot(char** argv);

// The Mount CD action of the Mount CD-ROM and Install Media forms: checks
// the CD-ROM fields and prints DeviceCD; then runs the root terminal and
// exits 0 when it ends, or shows a note when there is no terminal program.
void mountCdAction(Widget device, Widget host);
