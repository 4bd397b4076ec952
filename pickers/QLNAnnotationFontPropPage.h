// A page with one font of an annotation, edited in a full font dialog that covers the page. The
// page exchanges nothing itself: whoever shows it sets the dialog's font and colour through the
// accessor before and reads them back afterwards. The page is not left, nor applied, while its
// face box names no face (CQLNFontDialog::CheckFace).
#pragma once
#include "QLNBaseExport.h"

#include "CPropertyPage.h"
#include "QLNFontDialog.h"

class QLN_BASE_API CQLNAnnotationFontPropPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CQLNAnnotationFontPropPage)
public:
    CQLNAnnotationFontPropPage();

    CQLNFontDialog& GetFontDialog() { return m_dlgFont; }

    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;

protected:
    void OnHelp();

    CQLNFontDialog m_dlgFont;

    DECLARE_MESSAGE_MAP()
};
