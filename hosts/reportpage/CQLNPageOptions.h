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
    // Whether the page prints once per result into one PDF: more than one result, or a folder or
    // list of them (a folder is known for one only when the program runs).
    bool IsSequence() const;

    std::wstring m_strPage;
    long m_nRTPrecision = -1;              // -1: the data system's own, for a new page
    std::vector<std::wstring> m_inserts;   // ProgIDs or class identifiers
    bool m_bInsertAll = false;
    std::wstring m_strPaper;               // "a4", "letter" or empty for the page's own
    bool m_bLandscape = false;
    std::wstring m_strResolve;             // the first result or data file
    // Every --resolve and --resolve-list in the order given: with --pdf, one report per result.
    struct Results
    {
        std::wstring strPath;              // a data file, a result file or a folder of results
        bool bList;                        // a text file naming one result a line
    };
    std::vector<Results> m_results;
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
