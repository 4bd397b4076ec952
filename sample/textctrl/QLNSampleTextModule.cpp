// The sample's in-process server: its entry, class factory and registration.
#include "QLNSampleTextCtrl.h"

#include "QLNReportServer.h"

namespace {

COleObjectFactory g_factory(CLSID_QLNSampleTextCtrl, &AfxCreateControl<CQLNSampleTextCtrl>, L"QLNSample.TextCtrl.1",
                            L"Sample Text Object");

} // namespace

QLN_REPORT_SERVER(QLN_CATEGORY_TEXT_OBJECTS, CLSID_QLNSampleTextCtrl)
