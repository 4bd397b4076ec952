// The annotation's font page: the library's annotation font page, its embedded font dialog
// loaded with the annotation's font and colour as the page is entered and written back into the
// annotation as it is left or applied, each only when the user changed it.
#pragma once
#include "QLNBase.h"

class CQLNSampleAnnotationCtrl;

class CQLNSampleAnnotationFontPage : public CQLNAnnotationFontPropPage
{
public:
    explicit CQLNSampleAnnotationFontPage(CQLNSampleAnnotationCtrl& ctrl);

    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnApply() override;

private:
    // The annotation's font and colour into the dialog; the dialog's controls show them when
    // bShow is set.
    void Load(BOOL bShow);
    void Save();

    CQLNSampleAnnotationCtrl& m_ctrl;
    // What the dialog was last given, to tell the user's changes from it.
    LOGFONTW m_lfLoaded;
    CY m_cySizeLoaded;
    COLORREF m_crLoaded;
};
