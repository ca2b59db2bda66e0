// Starting the installation-type form: the default installation is always
// preselected; two prompt words replace the choices' labels.
#include "globals.h"
#include "mainpanelExit.h"
#include "topWidget/mainpanel.h"
#include "topWidget/topDC.h"
#include "xraii.h"

void startTopDC(int argc, char** argv) {
    create_topDC();
    parentWidget = mainpanel;
    helpWidget = topDCHelpTextWin;
    actionWidget = topDCActionRow;
    logoWidget = topDCLogo;
    formStatusRec.installType = trev::exitcode::kDefaultInstall;
    if (argc == 4) {
        const XmStr def(argv[2]), cus(argv[3]);
        XtVaSetValues(topDCDef, XmNlabelString, static_cast<XmString>(def), nullptr);
        XtVaSetValues(topDCCus, XmNlabelString, static_cast<XmString>(cus), nullptr);
    }
}
