// The command line of the demo host. What it does, always in this order: create the control,
// tell it the decimals of time values, start it afresh or load a property set, write the properties given, show its property sheet
// (to the user, to the camera or both), then print its lines, print them resolved with data,
// draw it, print it, and save it.
#pragma once
#include "CQLNOptionTable.h"

#include <string>
#include <utility>
#include <vector>

class CQLNTextObjOptions
{
public:
    static constexpr int kMaxRTPrecision = 15;
    std::wstring m_strProgId = L"QLNSample.TextCtrl";
    int m_nRTPrecision = -1;                                       // -1: the library's own (0)
    std::wstring m_strLoad;                                        // empty: a new control
    std::vector<std::pair<std::wstring, std::wstring>> m_setProperties;
    bool m_bProperties = false;                                    // the sheet, for the user
    std::wstring m_strShots;                                       // the folder for its pictures
    bool m_bPrintLines = false;
    std::wstring m_strResolve;
    std::wstring m_strEmf;
    std::wstring m_strPng;
    int m_nWidth = 600;
    int m_nHeight = 800;
    double m_dZoom = 1.0;
    int m_nDpi = 0;                                                // the picture's; 0: the screen's
    std::wstring m_strSave;
    bool m_bPrint = false;                                         // on the printer's port
    std::wstring m_strPdf;
    std::wstring m_strPostScript;
    std::wstring m_strPrinter;                                     // empty: the default printer
    std::wstring m_strPaper;                                       // empty: the printer's own
    bool m_bPlacements = false;                                    // where the printed text went

    // False with a message for anything it does not understand. Without anything to do the
    // host prints the lines.
    bool Parse(int argc, wchar_t** argv, std::wstring& error);

    bool WantsSheet() const { return m_bProperties || !m_strShots.empty(); }
    bool WantsDrawing() const { return !m_strEmf.empty() || !m_strPng.empty(); }
    bool WantsPrint() const { return m_bPrint || !m_strPdf.empty() || !m_strPostScript.empty(); }
    // Bag files are told from stream files by their name.
    static bool IsTextBagName(const std::wstring& path);
    static std::wstring Usage();

private:
    // The options, each setting its member; bAnyAction is set by those that ask for an action.
    CQLNOptionTable Table(bool& bAnyAction);
};
