// The device and media forms: Load Device Options (4), Mount CD-ROM (5),
// Mount Tape (6), Device Read Failed (14), Install Media (15), Select Media
// (20), Media Required (21) and Workorder List (22).  Each form's widget
// handles, its builders, its start and its callbacks.
#pragma once

#include <Xm/Xm.h>

#include <string>

// ---- Form 4, Load Device Options ------------------------------------------------
extern Widget inMedD, inMedDOrvanta, inMedDLogo, inMedDReqCDTape;
extern Widget inMedDCDKnownFrameLabel, inMedDCDKnown, inMedDCDKnownDev, inMedDCDKnownHost;
extern Widget inMedDCDUnknownFrameLabel, inMedDCDUnknown, inMedDCDUnkDev, inMedDCDUnkHost;
extern Widget inMedDCDUnkLocal, inMedDCDUnkRemote;
extern Widget inMedDTapeUnknownFrameLabel, inMedDTapeUnknown, inMedDTapeUnkHost, inMedDTapeUnkDev;
extern Widget inMedDTapeUnkLocal, inMedDTapeUnkRemote;
extern Widget inMedDTapeKnownFrameLabel, inMedDTapeKnown, inMedDTapeKnownDev, inMedDTapeKnownHost;
extern Widget inMedDAction, inMedDOk, inMedDMainMenu, inMedDPrev, inMedDHelp;
extern Widget inMedDHelpTextWin;

Widget create_inMedD();
Widget create_inMedDHelpTextWin(Widget parent);
void startInMedD(int argc, char** argv);

// Appends the required-media lines of one device to `text` and shows the
// device in its known or unknown frame; returns that frame.
Widget dispDevInfo(int kind, int count, const char* spec, int known, const char* labels,
                   std::string& text);
Widget dispKnownDev(int kind, const char* spec);
Widget dispUnknownDev(int kind, const char* spec);
// One or two device frames below the required-media text, the first on top.
void attachFrames(Widget label1, Widget frame1, Widget label2, Widget frame2);

void inMedDCDUnkLocalCB(Widget, XtPointer, XtPointer);
void inMedDCDUnkRemoteCB(Widget, XtPointer, XtPointer);
void inMedDCDUnkHostCB(Widget, XtPointer, XtPointer);
void inMedDTapeUnkLocalCB(Widget, XtPointer, XtPointer);
void inMedDTapeUnkRemoteCB(Widget, XtPointer, XtPointer);
void inMedDTapeUnkHostCB(Widget, XtPointer, XtPointer);
void inMedDOkCB(Widget, XtPointer, XtPointer);

// ---- Form 5, Mount CD-ROM -------------------------------------------------------------
extern Widget mntCD, mntCDDialog, mntCDLogo, mntCDOrvanta, mntCDTitle;
extern Widget unmntCDmsg, unmntCDLabel, unmntCDmsg1, mntCDmsg, mntCDLabel;
extern Widget mntCDFrameLabel, mntCDUnknown, mntCDDevNameV, mntCDHostNameV;
extern Widget mntCDUnkLocal, mntCDUnkRemote;
extern Widget mntCDAction, mntCDActionRow, mntCDMount, mntCDSkip, mntCDMounted, mntCDMainMenu,
    mntCDHelp;
extern Widget mntCDHelpTextWin;
// The note shown when no terminal program can be found.
extern Widget mntCDMsg, mntCDAsker, mntCDMsgL, mntCDMsgAction, mntCDMsgOk, mntCDMsgCancel;

Widget create_mntCD();
Widget create_mntCDHelpTextWin(Widget parent);
Widget create_mntCDMsg(Widget parent);
void startMntCD(int argc, char** argv);

void mntCDUnkLocalCB(Widget, XtPointer, XtPointer);
void mntCDUnkRemoteCB(Widget, XtPointer, XtPointer);
void mntCDHostNameVCB(Widget, XtPointer, XtPointer);
void mntCDMountCB(Widget, XtPointer, XtPointer);
void mntCDMountedCB(Widget, XtPointer, XtPointer);
void mntCDMsgOkCB(Widget, XtPointer, XtPointer);
void mntCDMsgCancelCB(Widget, XtPointer, XtPointer);

// The Mount CD action of the Mount CD-ROM and Install Media forms: checks
// the CD-ROM fields and prints DeviceCD; then runs the root terminal and
// exits 0 when it ends, or shows the note when there is no terminal
// program.  `helpWindow` is the address of the form's help window handle.
void mountCdAction(Widget devField, Widget hostField, Widget* helpWindow);

// The terminal program's path, held whole.
extern std::string xterm;

// Hides the form (and its help window when up), runs the terminal `xterm`
// with the mount script and waits for it to end.  Exits 248 when it cannot
// fork.
void bringXterm(Widget* helpWindow);

// ---- Form 6, Mount Tape -----------------------------------------------------------------
extern Widget mntTape, mntTapeLogo, mntTapeOrvantaL, mntTapeTitle;
extern Widget mntTapeHead1, mntTapeNameV, mntTapeHead3;
extern Widget mntTapeFrameLabel, mntTapeUnknown, mntTapeDevV, mntTapeHostV;
extern Widget mntTapeUnkLocal, mntTapeUnkRemote;
extern Widget mntTapeAction, mntTapeOk, mntTapeSkip, mntTapeMainMenu, mntTapeHelp;
extern Widget mntTapeHelpTextWin;

Widget create_mntTape();
Widget create_mntTapeHelpTextWin(Widget parent);
void startMntTape(int argc, char** argv);

void mntTapeUnkLocalCB(Widget, XtPointer, XtPointer);
void mntTapeUnkRemoteCB(Widget, XtPointer, XtPointer);
void mntTapeHostVCB(Widget, XtPointer, XtPointer);
void mntTapeOkCB(Widget, XtPointer, XtPointer);

// ---- Form 14, Device Read Failed -------------------------------------------------------
extern Widget unreadInMed, unreadInMedLogo, unreadInMedOrvanta, unreadInMedTitle;
extern Widget unreadInMedHead1, unreadInMedTypeV, unreadInMedHead2;
extern Widget unreadInMedDevL, unreadInMedDevV, unreadInMedHostV;
extern Widget unreadInMedRadioB, unreadInMedLocalV, unreadInMedRemoteV;
extern Widget unreadInMedAction, unreadInMedOk, unreadInMedMainMenu, unreadInMedHelp;
extern Widget unreadInMedHelpTextWin;

Widget create_unreadInMed();
Widget create_unreadInMedHelpTextWin(Widget parent);
void startUnreadInMed(int argc, char** argv);

void unreadInMedLocalCB(Widget, XtPointer, XtPointer);
void unreadInMedRemoteCB(Widget, XtPointer, XtPointer);
void unreadInMedHostVCB(Widget, XtPointer, XtPointer);
void unreadInMedOkCB(Widget, XtPointer, XtPointer);

// ---- Form 15, Install Media (CD-ROM and tape variants) ---------------------------------
extern Widget instMediaCD, instMediaCDLogo, instMediaCDLabel, instMediaCDDevName;
extern Widget instMediaCDLocal, instMediaCDRemote, instMediaCDHostName;
extern Widget instMediaCDAction, instMediaCDOk, instMediaCDMainMenu, instMediaCDMount,
    instMediaCDHelp;
extern Widget instMediaTape, instMediaTapeLogo, instMediaTapeLabel, instMediaTapeDevName;
extern Widget instMediaTapeLocal, instMediaTapeRemote, instMediaTapeHostName;
extern Widget instMediaTapeAction, instMediaTapeOk, instMediaTapeMainMenu, instMediaTapeHelp;
extern Widget instMediaHelpTextWin;

Widget create_instMediaCD();
Widget create_instMediaTape();
Widget create_instMediaHelpTextWin(Widget parent);
void startInstMedia(int argc, char** argv);

void instMediaCDLocalCB(Widget, XtPointer, XtPointer);
void instMediaCDRemoteCB(Widget, XtPointer, XtPointer);
void instMediaCDHostNameCB(Widget, XtPointer, XtPointer);
void instMediaTapeLocalCB(Widget, XtPointer, XtPointer);
void instMediaTapeRemoteCB(Widget, XtPointer, XtPointer);
void instMediaTapeHostNameCB(Widget, XtPointer, XtPointer);
void instMediaCDOkCB(Widget, XtPointer, XtPointer);
void instMediaCDMountCB(Widget, XtPointer, XtPointer);
void instMediaTapeOkCB(Widget, XtPointer, XtPointer);

// ---- Form 20, Select Media ------------------------------------------------------------
extern Widget instMedia, instMediaOrvanta, instMediaCDV, instMediaTapeV, instMediaLogo;
extern Widget instMediaTitle, instMediaHead;
extern Widget instMediaAction, instMediaOk, instMediaMainMenu, instMediaTypeHelp;
extern Widget instMediaTypeHelpTextWin;

Widget create_instMedia();
Widget create_instMediaTypeHelpTextWin(Widget parent);
void startInstMediaType(int argc, char** argv);

void instMediaCDCB(Widget, XtPointer, XtPointer);
void instMediaTapeCB(Widget, XtPointer, XtPointer);
void instMediaOkCB(Widget, XtPointer, XtPointer);

// ---- Form 21, Media Required ------------------------------------------------------------
extern Widget listMedia, listMediaDialog, listMediaLogo, listMediaOrvanta, listMediaTitle;
extern Widget listMediaTopMsg, reqMediaList, listMediaBottomMsg;
extern Widget listMediaAction, listMediaActionRow, listMediaOk, listMediaOther, listMediaPrev,
    listMediaMainMenu, listMediaHelp;
extern Widget listMediaHelpTextWin;

Widget create_listMedia(bool otherMedia);
Widget create_listMediaHelpTextWin(Widget parent);
void startListMedia(int argc, char** argv);

// ---- Form 22, Workorder List --------------------------------------------------------------
extern Widget listWO, listWOOrvanta, listWOLogo, listWOTitle, listWOHead;
extern Widget listWOTop, listWOProdL, listWOProdLSW;
extern Widget listWOAction, listWOActionRow, listWOOk, listWOPrev, listWOMainMenu, listWOHelp;
extern Widget listWOHelpTextWin;

Widget create_listWO();
Widget create_listWOHelpTextWin(Widget parent);
void startListWO(int argc, char** argv);

void listWOOkCB(Widget, XtPointer, XtPointer);
