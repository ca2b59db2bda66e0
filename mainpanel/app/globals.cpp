#include "app/globals.h"

XtAppContext app_context = nullptr;
Display* display = nullptr;
int defScreen = 0;
Window rootWin = 0;
int screenWidth = 0, screenHeight = 0;

const char* progName = "mainpanel";
const char* appName = "mainpanel";

std::string instRoot;
std::string instPlat;

std::string statusFile;
trev::FilePtr statusFd;
trev::FormStatusRec formStatusRec;
bool statusRead = false;

std::string bundleFile;
std::string pkginfoFile;

trev::FilePtr prodDescOutFile;
std::string prodDescOutPath;

int formType = 0;

Widget parentWidget = nullptr;
Widget helpWidget = nullptr;
Widget actionWidget = nullptr;
Widget logoWidget = nullptr;
trev::WinSize* currentWinS = nullptr;

bool helped = false;

int loadDevice = 0;
bool CDHost = false;
bool tapeHost = false;

std::unique_ptr<trev::Catalogue> catalogue;
std::unique_ptr<trev::ProductSelection> prodSelection;

SelectedNamesFn selectedProductNames = nullptr;
SelectedNames selectedNamesAtExit = SelectedNames::Keep;
