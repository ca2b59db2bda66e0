#include "formRegistry.h"

#include "inMedD/forms.h"
#include "selListRm/forms.h"
#include "topWidget/forms.h"

namespace {

using trev::SizeSlot;
using R = trev::WordRule;

// Usage texts that several forms share.
constexpr const char* kUsageProdPair = "USAGE: %s %d prodToSelect userSelectProd.\n";

// Help windows whose Close button is not their layout's default button.
constexpr bool kNoDefault = false;

constexpr ArgFile kSelectionArg{3, "w"};

const FormRow kForms[] = {
    {0, "Trevalon: Main Menu", 350, SizeSlot::MainMenu, {R::AtLeast, 8},
     "Usage: %s %d actDef 1/0 1/0 1/0 1/0 1/0\n", startMainpanel, {"mainpanel"}, false, {}},
    {1, "Trevalon: Installation Information", 350, SizeSlot::InstallInfo, {R::Exactly, 7},
     "Usage: %s %d prodInfoMedia workOrderNum tapeDev 1/0 1/0.\n", startInstInfo, {"instInfo"},
     false, {}, {4, 0}},
    {2, "Trevalon: Load Products", 450, SizeSlot::LoadProducts, {R::Exactly, 6},
     "Usage: %s %d prodToSelect userSelectProd diskAvail workOrder.\n", startSelProd,
     {"selProd"}, true, kSelectionArg},
    {3, "Trevalon: Disk Space Check Failed", 450, SizeSlot::DiskSpace, {R::Exactly, 4},
     "USAGE: %s %d avaSpace reqSpace.\n", startLackSpace, {"lackSpace"}, false, {}},
    {4, "Trevalon: Load Device Options", 400, SizeSlot::LoadDevices, {R::EitherOf, 7, 12},
     "Usage: %s %d CDROM # host:device 1/0 labels TAPE # host:device 1/0 labels\n", startInMedD,
     {"inMedD"}, false, {}, {4, 9}},
    {5, "Trevalon: Mount CD-ROM", 380, SizeSlot::MountCd, {R::Exactly, 6},
     "USAGE: %s %d unmntCDlabel mntCDLabel CDHost:CDDrive 1/0\n", startMntCD, {"mntCD"}, false,
     {}, {4, 0}},
    {6, "Trevalon: Mount Tape", 385, SizeSlot::MountTape, {R::Exactly, 5},
     "USAGE: %s %d tapeLabel tapeHost:tapeDrive 1/0\n", startMntTape, {"mntTape"}, false, {},
     {3, 0}},
    {8, "Trevalon: List Products", 415, SizeSlot::ListProducts, {R::Exactly, 3},
     "USAGE: %s %d prodFile.\n", startListInstall, {"listInstall"}, false, {}},
    {9, "Trevalon: Remove Products", 415, SizeSlot::RemoveProducts, {R::Exactly, 4},
     kUsageProdPair, startRmInstall, {"rmInstall"}, true, kSelectionArg},
    {10, "Trevalon: Configure Products", 355, SizeSlot::Configure, {R::ConfigChoice, 2, 3},
     "USAGE: %s %d [[noSys] [noUser]].\n", startConfig, {"config", kNoDefault}, false, {}},
    {11, "Trevalon: Configure System Env", 400, SizeSlot::ConfigureSystem, {R::Exactly, 4},
     kUsageProdPair, startPickProd, {"configSysEnv"}, false, kSelectionArg},
    {12, "Trevalon: Configure User Env", 400, SizeSlot::ConfigureUser, {R::Exactly, 4},
     kUsageProdPair, startPickProd, {"configUserEnv"}, false, kSelectionArg},
    {13, "Trevalon: Test Installed Products", 350, SizeSlot::Test, {R::Exactly, 4},
     "USAGE: %s %d prodToTest selectedProd.\n", startPickProd, {"testInst"}, false,
     kSelectionArg},
    {14, "Trevalon: Device Read Failed", 350, SizeSlot::ReadFailed, {R::Exactly, 4},
     "Usage: %s %d [CD tape] host:device.\n", startUnreadInMed,
     {"unreadInMed", true, "unreadInMedHelpTextDialog"}, false, {}, {3, 0}},
    {15, "Trevalon: Install Media", 350, SizeSlot::InstallMediaCd, {R::Exactly, 5},
     "Usage: %s %d mediaType mediaLabel deviceName.\n", startInstMedia, {"instMedia"}, false, {},
     {4, 0}, instMediaSlot},
    {17, "Trevalon: On Hold Products", 350, SizeSlot::OnHold, {R::Exactly, 3},
     "Usage: %s %d onHoldProduct\n", startListHoldProd, {}, false, {}},
    {18, "Trevalon: Load Documents", 450, SizeSlot::LoadProducts, {R::Exactly, 5},
     "Usage: %s %d prodToSelect userSelectProd diskAvail.\n", startSelProd, {"selProd"}, true,
     kSelectionArg},
    {19, "Trevalon: Select Platform", 350, SizeSlot::Platform, {R::AtLeast, 3},
     "Usage: %s %d <platforms file>\n", startTopPlat, {"topPlat", kNoDefault}, false, {}},
    {20, "Trevalon: Select Media", 355, SizeSlot::SelectMedia, {R::Any}, nullptr,
     startInstMediaType, {"instMediaType", kNoDefault}, false, {}},
    {21, "Trevalon: Media Required", 450, SizeSlot::MediaRequired, {R::AtLeast, 4},
     "Usage: %s %d 1/2 <filename with labels>.\n", startListMedia, {"listMedia", kNoDefault},
     false, {}},
    {22, "Trevalon: Workorder List", 550, SizeSlot::WorkOrders, {R::Exactly, 3},
     "USAGE: %s %d Workorderlist \n", startListWO, {"listWO", kNoDefault}, false, {2, "r"}},
    {23, "Trevalon: Select Installation", 350, SizeSlot::InstallType, {R::EitherOf, 2, 4},
     "Usage: %s %d [default inst prompt] [custome inst promp]>\n", startTopDC,
     {"topDC", kNoDefault}, false, {}},
    // The message form names neither the program nor the type.
    {24, "Trevalon: Message", 575, SizeSlot::Message, {R::Exactly, 4},
     "USAGE: mainpanel 24 <file Name> <string>\n", startTVMB, {}, false, {}},
};

}  // namespace

const FormRow* findForm(int type) {
    for (const FormRow& f : kForms)
        if (f.type == type) return &f;
    return nullptr;
}
