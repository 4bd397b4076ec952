// The peak table's columns page: the columns as the user writes them, the title and whether it
// and the headings show, the grid lines and their colour, each exchanged with the table by
// property name.
#pragma once
#include "QLNBase.h"

class CQLNSamplePeakTableColumnsPage : public CQLNOlePropertyPage
{
public:
    explicit CQLNSamplePeakTableColumnsPage(COleControl& ctrl);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnHelp();

    CQLNColorPickerCB m_cbGridColor;
    CString m_strColumns;
    CString m_strTitle;
    int m_bShowTitle;
    int m_bShowHeadings;
    int m_nGridLines;
    unsigned long m_clrGrid;

    DECLARE_MESSAGE_MAP()
};
