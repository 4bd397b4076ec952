// The second library's server. It links nothing into the resource chain (no QLV_BaseLibInit):
// the base library's own texts must be found all the same.
#include "QLNReportServer.h"
#include "SecondTextCtrl.h"

namespace {

COleObjectFactory g_factory(CLSID_SecondTextCtrl, &AfxCreateControl<CSecondTextCtrl>, L"QLNSecond.TextCtrl.1",
                            L"Second Text Object");

} // namespace

QLN_CLASS_SERVER()
