#include "globals.h"

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
int statusRead = 0;

std::string bundleFile;
std::string pkginfoFile;

trev::FilePtr prodDescOutFile;

int formType = 0;

Widget parentWidget = nullptr;
Widget helpWidget = nullptr;
Widget actionWidget = nullptr;
Widget logoWidget = nullptr;
trev::WinSize* currentWinS = nullptr;

int helped = 0;

Pixel defFgColor = 0, defBgColor = 0;

SelectedNamesFn selectedProductNames = nullptr;
