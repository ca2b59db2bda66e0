// Which help window belongs to which value of helpWinDestroyCB: the form type
// for the forms, 16 for the e-mail browser.  A form with a help window adds
// its line here.
#include "globals.h"
#include "inMedD/mediaForms.h"
#include "selListRm/lackSpace.h"
#include "selListRm/selProd.h"
#include "selListRm/config.h"
#include "selListRm/listInst.h"
#include "selListRm/pickProd.h"
#include "selListRm/rmInst.h"
#include "topWidget/mainpanel.h"
#include "topWidget/topDC.h"
#include "topWidget/topPlat.h"
#include "topWidget/topWidget.h"
#include "topWidget/instInfo.h"
#include "topWidget/emailBrowser.h"

namespace {

struct HelpWindowEntry {
    int value;
    Widget (*build)(Widget parent);   // builds it and stores it in its handle
    Widget* parentShell;              // its parent; nullptr: the form's shell
};

const HelpWindowEntry kHelpWindows[] = {
    {0, create_mainpanelHelpTextWin, nullptr},
    {1, create_instInfoHelpTextWin, nullptr},
    {4, create_inMedDHelpTextWin, nullptr},
    {5, create_mntCDHelpTextWin, nullptr},
    {6, create_mntTapeHelpTextWin, nullptr},
    {14, create_unreadInMedHelpTextWin, nullptr},
    {15, create_instMediaHelpTextWin, nullptr},
    {16, create_emailBrowserHelpTextWin, &emailBrowser},
    {20, create_instMediaTypeHelpTextWin, nullptr},
    {21, create_listMediaHelpTextWin, nullptr},
    {22, create_listWOHelpTextWin, nullptr},
    {19, create_topPlatHelpTextWin, nullptr},
    {23, create_topDCHelpTextWin, nullptr},
    {2, create_selProdHelpTextWin, nullptr},
    {3, create_lackSpaceHelpTextWin, nullptr},
    {18, create_selProdHelpTextWin, nullptr},
    {8, create_listInstallHelpTextWin, nullptr},
    {9, create_rmInstallHelpTextWin, nullptr},
    {10, create_configHelpTextWin, nullptr},
    {11, create_configSysEnvHelpTextWin, nullptr},
    {12, create_configUserEnvHelpTextWin, nullptr},
    {13, create_testInstHelpTextWin, nullptr},
};

}  // namespace

Widget rebuildHelpWindow(int value) {
    for (const HelpWindowEntry& e : kHelpWindows)
        if (e.value == value) return e.build(e.parentShell ? *e.parentShell : parentWidget);
    return nullptr;
}
