// Exit statuses of mainpanel (its action codes).  The installer's scripts
// read them; the numbers never change.
#pragma once

namespace trev::exitcode {

constexpr int kOk = 0;                 // OK on forms without a numbered choice; display test passed
constexpr int kStartFailure = 1;       // usage, files, environment, memory
constexpr int kSkip = 5;               // Skip on the mount CD-ROM and mount tape forms

// Main menu choices (also stored in mainMenuAction).
constexpr int kConfigure = 11;
constexpr int kTest = 12;
constexpr int kLoadProducts = 20;
constexpr int kListProducts = 21;
constexpr int kRemoveProducts = 22;
constexpr int kUpdateProducts = 23;

constexpr int kIgnore = 30;            // disk space form
constexpr int kRecheck = 31;           // disk space form
constexpr int kConfigSystem = 40;      // configure form choices (configChoice)
constexpr int kConfigUser = 41;
constexpr int kMessageOk = 51;         // message form OK
constexpr int kMessageCancel = 52;     // message form Cancel
constexpr int kMediaCdrom = 55;        // media type choices (mediaTypeChoice)
constexpr int kMediaTape = 56;
constexpr int kOtherMedia = 57;        // media required form
constexpr int kCdAlreadyMounted = 221;
constexpr int kDefaultInstall = 231;   // installation type choices (installType)
constexpr int kCustomInstall = 232;
constexpr int kNoTerminal = 248;       // the terminal for mounting cannot be started
constexpr int kDisplayTestFailed = 249;
constexpr int kMainMenu = 250;         // Main Menu, Quit, or window closed by the window manager
constexpr int kPrevious = 255;         // Previous (and Reselect on the disk space form)

}  // namespace trev::exitcode
