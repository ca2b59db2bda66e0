// The forms of the installer's top level: the main menu (0), installation
// information with its e-mail browser (1), platform (19), installation type
// (23) and message (24).  Each starts from its command line (see
// formRegistry.h).
#pragma once

void startMainpanel(int argc, char** argv);
void startInstInfo(int argc, char** argv);
void startTopPlat(int argc, char** argv);
void startTopDC(int argc, char** argv);
void startTVMB(int argc, char** argv);
