// The forms that show the product catalogue: Load Products (2) and Load
// Documents (18), the disk space check (3), List Products (8), Remove
// Products (9), Configure Products (10), the picking forms Configure System
// Env (11), Configure User Env (12) and Test Installed Products (13), and
// On Hold Products (17).  Each starts from its command line (see
// formRegistry.h).
#pragma once

void startSelProd(int argc, char** argv);
void startLackSpace(int argc, char** argv);
void startListInstall(int argc, char** argv);
void startRmInstall(int argc, char** argv);
void startConfig(int argc, char** argv);
void startPickProd(int argc, char** argv);
void startListHoldProd(int argc, char** argv);
