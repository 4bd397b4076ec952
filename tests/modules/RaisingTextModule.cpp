// The raising object's server.
#include "QLNReportServer.h"
#include "RaisingTextCtrl.h"

namespace {

COleObjectFactory g_factory(CLSID_RaisingTextCtrl, &AfxCreateControl<CRaisingTextCtrl>, L"QLNRaising.TextCtrl.1",
                            L"Raising Text Object");

} // namespace

QLN_CLASS_SERVER()
