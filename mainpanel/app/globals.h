// Process-wide state of mainpanel.  One process shows one form and ends, so
// the form being shown, the values start-up found and the state the forms
// share are plain globals.
#pragma once

#include <X11/Intrinsic.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/catalogue.h"
#include "core/fileUtils.h"
#include "core/prodList.h"
#include "core/statusRecord.h"

// Toolkit and display.
extern XtAppContext app_context;
extern Display* display;
extern int defScreen;
extern Window rootWin;
extern int screenWidth, screenHeight;

// The program name as invoked (argv[0]), for messages; and without its
// directory, for the name of the form shells.
extern const char* progName;
extern const char* appName;

// Installation root ($Proot) and platform ($OVS_INST_PLAT, forms that read
// the catalogue).
extern std::string instRoot;
extern std::string instPlat;

// form.status: its path, the stream open for update for the whole run, and
// the decoded record that cleanExit writes back.
extern std::string statusFile;
extern trev::FilePtr statusFd;
extern trev::FormStatusRec formStatusRec;
extern bool statusRead;   // the record was read whole from an existing file

// Catalogue paths, for the forms that read the catalogue.
extern std::string bundleFile;
extern std::string pkginfoFile;

// The file a form's command line names for its result (the product
// selection file), or the work-order list form 22 reads; and its path.
extern trev::FilePtr prodDescOutFile;
extern std::string prodDescOutPath;

extern int formType;

// The form being shown.
extern Widget parentWidget;   // its shell
extern Widget helpWidget;     // its help window, or nullptr
extern Widget actionWidget;   // the parent of its action buttons, or nullptr
extern Widget logoWidget;     // its logo label, or nullptr
extern trev::WinSize* currentWinS;   // its winSize slot in formStatusRec

// True while a help window has been popped up by a Help button.
extern bool helped;

// Devices of the device and media forms and of the installation
// information form: the set of device kinds (trev::kDevCdrom, kDevTape,
// kDevTapeFile bits), and whether the CD-ROM drive or the tape drive or
// file is on a remote host.
extern int loadDevice;
extern bool CDHost;
extern bool tapeHost;

// The catalogue of the product forms and its products in order, read by
// the form's start.
extern std::unique_ptr<trev::Catalogue> catalogue;
extern std::unique_ptr<trev::ProductSelection> prodSelection;

// The names of the selected products of the Load Products form, in product
// list order, for cleanExit to write after the record; nothing when the
// product list is empty.  The Load Products form sets it when it starts.
using SelectedNamesFn = std::optional<std::vector<std::string>> (*)();
extern SelectedNamesFn selectedProductNames;

// What cleanExit does with numSelNames, the count of names after the
// record: Keep it (forms that choose no products), Write the names it
// counts (Load Products, through selectedProductNames), or Forget them
// (Load Documents, which counts its choice but writes no names: with its
// count the next Load Products would take names left over from an earlier
// run for the current choice).
enum class SelectedNames { Keep, Write, Forget };
extern SelectedNames selectedNamesAtExit;
