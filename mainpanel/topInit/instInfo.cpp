// Starting the Installation Information form: read the command line, build
// the form and fill it so that it shows the initial source.
#include <Xm/Text.h>

#include <cstdio>
#include <cstdlib>

#include "core/infoSource.h"
#include "globals.h"
#include "inMedD/deviceLayer.h"
#include "mainpanelExit.h"
#include "topWidget/instInfo.h"

// displayProdInfo: mainpanel 1 prodInfoMedia workOrderNum tapeDev 1/0 1/0.
void startInstInfo(int, char** argv) {
    const trev::info::StartPlan plan = trev::info::planStart(argv[2], argv[3], argv[5], argv[6]);
    if (!plan.valid) {
        std::fprintf(stderr, "Unknown product infomation: %d\n", plan.source);
        std::exit(trev::exitcode::kStartFailure);
    }
    instInfoTapeSpec = argv[4];
    create_instInfo();
    if (plan.orderAvailable) XtSetSensitive(prodInfoOrder, True);
    if (plan.orvantaDisabled) XtSetSensitive(prodInfoOrvantaCatalog, False);
    if (plan.docDisabled) XtSetSensitive(prodInfoDocCatalog, False);
    // The plan starts from no source: whatever an earlier run left in
    // infoSource, the chosen source is shown whole.
    for (const trev::info::Action& a : plan.actions) runInfoAction(a);
    formStatusRec.infoSource = plan.source;
    // The e-mail file of an earlier run, shown greyed or not.
    if (formStatusRec.emailFile[0]) XmTextSetString(prodInfoEmailText, formStatusRec.emailFile);

    parentWidget = instInfo;
    helpWidget = instInfoHelpTextWin;
    actionWidget = instInfoAction;
    logoWidget = instInfoLogo;
}
