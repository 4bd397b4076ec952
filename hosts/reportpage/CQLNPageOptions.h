// The report page host's command line. Without an output option the page opens in a window;
// with one, the program does what it is asked and ends.
#pragma once
#include "CQLNOptionTable.h"
#include "CQLNReportPage.h"

#include <string>
#include <vector>

class CQLNPageOptions
{
public:
    // False with a message for a bad command line; false with no message for --help.
    bool Parse(int argc, wchar_t** argv, std::wstring& error);
    static std::wstring Usage();
    bool IsBatch() const;

    std::wstring m_strPage;
    long m_nRTPrecision = -1;              // -1: the data system's own, for a new page
    std::vector<std::wstring> m_inserts;   // ProgIDs or class identifiers
    bool m_bInsertAll = false;
    std::wstring m_strPaper;               // "a4", "letter" or empty for the page's own
    bool m_bLandscape = false;
    std::wstring m_strResolve;
    std::wstring m_strSave;
    std::wstring m_strPng;
    std::wstring m_strPdf;
    // The object, counted from 1 as --list counts them, activated in place in the window; 0 for none.
    int m_nActivate = 0;
    // A picture of the window as it is shown, after which the program ends.
    std::wstring m_strShot;
    bool m_bList = false;
    // 0 when not given: the window's own default, full size for a picture of the page.
    int m_nZoom = 0;

private:
    // The options, each setting its member.
    CQLNOptionTable Table();
};
