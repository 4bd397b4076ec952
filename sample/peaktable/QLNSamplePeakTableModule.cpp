// The peak table's in-process server: its entry, class factory and registration.
#include "QLNSamplePeakTableCtrl.h"

#include "QLNReportServer.h"

namespace {

COleObjectFactory g_factory(CLSID_QLNSamplePeakTableCtrl, &AfxCreateControl<CQLNSamplePeakTableCtrl>,
                            L"QLNSample.PeakTable.1", L"Sample Peak Table");

} // namespace

QLN_REPORT_SERVER(QLN_CATEGORY_TABLE_OBJECTS, CLSID_QLNSamplePeakTableCtrl)
