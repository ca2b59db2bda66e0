// Process-wide state of mainpanel.  One process shows one form and ends, so
// the form being shown and the values start-up found are plain globals that
// every unit shares.
#pragma once

#include <X11/Intrinsic.h>

#include <optional>
#include <string>
#include <vector>

#include "core/fileUtils.h"
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

// Installation root ($Proot) and platform ($OVS_INST_PLAT, form types 2, 9, 18).
extern std::string instRoot;
extern std::string instPlat;

// form.status: its path, the stream open for update for the whole run, and
// the decoded record that cleanExit writes back.
extern std::string statusFile;
extern trev::FilePtr statusFd;
extern trev::FormStatusRec formStatusRec;
extern int statusRead;   // 1 when the record was read whole from an existing file

// Catalogue paths, built for form types 2, 9 and 18.
extern std::string bundleFile;
extern std::string pkginfoFile;

// The product file a product form writes (types 2, 9, 11, 12, 13, 18) or
// the work-order list form 22 reads.
extern trev::FilePtr prodDescOutFile;

extern int formType;

// The form being shown.
extern Widget parentWidget;   // its shell
extern Widget helpWidget;     // its help window, or nullptr
extern Widget actionWidget;   // its row of action buttons, or nullptr
extern Widget logoWidget;     // its logo label, or nullptr
extern trev::WinSize* currentWinS;   // its winSize slot in formStatusRec

// 1 while a help window has been popped up by a Help button.
extern int helped;

// Colours of the logo, allocated once; 0 until then.
extern Pixel defFgColor, defBgColor;

// The names of the selected products of the Load Products form, in product
// list order, for cleanExit to write after the record; nothing when the
// product list is empty.  The Load Products form sets it when it starts.
using SelectedNamesFn = std::optional<std::vector<std::string>> (*)();
extern SelectedNamesFn selectedProductNames;

// Form type of the Load Products form, whose end appends the names.
constexpr int kLoadProductsForm = 2;
// Form type of the Load Documents form, which counts its selection in the
// record like Load Products but appends no names.
constexpr int kLoadDocumentsForm = 18;
