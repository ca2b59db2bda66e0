// One line per form type whose form is built: the type and the function that
// starts it.  A new form adds its line here and its own files.
#include "formStarts.h"

#include "inMedD/mediaForms.h"
#include "selListRm/lackSpace.h"
#include "selListRm/selProd.h"
#include "selListRm/config.h"
#include "selListRm/listHoldProd.h"
#include "selListRm/listInst.h"
#include "selListRm/pickProd.h"
#include "selListRm/rmInst.h"
#include "topWidget/TVMB.h"
#include "topWidget/mainpanel.h"
#include "topWidget/topDC.h"
#include "topWidget/topPlat.h"
#include "topWidget/instInfo.h"

namespace {

struct FormStartEntry {
    int type;
    FormStartFn start;
};

const FormStartEntry kFormStarts[] = {
    {0, startMainpanel},
    {1, startInstInfo},
    {4, startInMedD},
    {5, startMntCD},
    {6, startMntTape},
    {14, startUnreadInMed},
    {15, startInstMedia},
    {20, startInstMediaType},
    {21, startListMedia},
    {22, startListWO},
    {19, startTopPlat},
    {23, startTopDC},
    {24, startTVMB},
    {2, startSelProd},
    {3, startLackSpace},
    {18, startSelProd},
    {8, startListInstall},
    {9, startRmInstall},
    {10, startConfig},
    {11, startPickProd},
    {12, startPickProd},
    {13, startPickProd},
    {17, startListHoldProd},
};

}  // namespace

FormStartFn findFormStart(int type) {
    for (const FormStartEntry& e : kFormStarts)
        if (e.type == type) return e.start;
    return nullptr;
}
