// The annotation's text page: the note's lines, its alignment, its frame and its colour, each
// exchanged with the annotation by property name.
#pragma once
#include "QLNBase.h"

class CQLNSampleAnnotationTextPage : public CQLNOlePropertyPage
{
public:
    explicit CQLNSampleAnnotationTextPage(COleControl& ctrl);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnHelp();

    CQLNColorPickerCB m_cbColor;
    CString m_strText;
    int m_nAlignment;
    int m_bFrame;
    unsigned long m_clrText;

    DECLARE_MESSAGE_MAP()
};
