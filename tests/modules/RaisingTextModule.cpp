// The raising object's server.
#include "ClassServerEntries.h"
#include "RaisingTextCtrl.h"

namespace {

COleObjectFactory g_factory(CLSID_RaisingTextCtrl, &AfxCreateControl<CRaisingTextCtrl>, L"QLNRaising.TextCtrl.1",
                            L"Raising Text Object");

} // namespace

QLN_TEST_CLASS_SERVER()
