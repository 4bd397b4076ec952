// The annotation's in-process server: its entry, class factory and registration.
#include "QLNSampleAnnotationCtrl.h"

#include "QLNReportServer.h"

namespace {

COleObjectFactory g_factory(CLSID_QLNSampleAnnotationCtrl, &AfxCreateControl<CQLNSampleAnnotationCtrl>,
                            L"QLNSample.Annotation.1", L"Sample Annotation");

} // namespace

QLN_REPORT_SERVER(QLN_CATEGORY_GRAPHICAL_OBJECTS, CLSID_QLNSampleAnnotationCtrl)
