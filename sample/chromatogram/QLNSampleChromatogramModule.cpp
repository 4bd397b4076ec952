// The chromatogram's in-process server: its entry, class factory and registration.
#include "QLNSampleChromatogramCtrl.h"

#include "QLNReportServer.h"

namespace {

COleObjectFactory g_factory(CLSID_QLNSampleChromatogramCtrl, &AfxCreateControl<CQLNSampleChromatogramCtrl>,
                            L"QLNSample.Chromatogram.1", L"Sample Chromatogram");

} // namespace

QLN_REPORT_SERVER(QLN_CATEGORY_GRAPHICAL_OBJECTS, CLSID_QLNSampleChromatogramCtrl)
