// A text object printed on one page: recorded into a metafile with its text measured on the
// default printer, then played onto the page of the chosen printer inside the page's printable
// area and spooled to the printer's port, to a PostScript file or, through Ghostscript, to PDF.
#pragma once
#include "CQLNTextReplacement.h"

#include <windows.h>

#include <string>
#include <vector>

class CQLNTextObjClient;

class CQLNPrintJob
{
public:
    enum class Paper { Printer, A4, Letter };
    enum class Output { Port, PostScript, Pdf };
    // A text as the object placed it: its reference point in points from the top left corner
    // of the paper.
    struct Placement
    {
        double dX;
        double dY;
        std::wstring strText;
    };
    // Seconds each step took.
    struct Times
    {
        double dRecord = 0;
        double dPlay = 0;
        double dSpool = 0;
    };

    // The printer by name, or the default printer for an empty name; a paper other than
    // Paper::Printer replaces the size in its settings. False with a message otherwise.
    bool Open(const std::wstring& strPrinter, Paper paper, std::wstring& error);
    // Prints the object at nWidth x nHeight screen pixels (within the printable area at most),
    // to the printer's port, or to strPath as PostScript or PDF. A failed job leaves no file.
    bool Print(CQLNTextObjClient& control, int nWidth, int nHeight, Output output, const std::wstring& strPath,
               std::wstring& error);

    // Texts to print in place of texts the object draws, as a resolved report shows values in
    // place of the tokens that name them.
    void SetReplacement(const CQLNTextReplacement& replacement) { m_replacement = replacement; }

    const std::vector<Placement>& Placements() const { return m_placements; }
    const Times& StepTimes() const { return m_times; }

private:
    bool Record(CQLNTextObjClient& control, int nWidth, int nHeight, HDC hPrinter, HENHMETAFILE& hEmf,
                std::wstring& error);
    bool Spool(HDC hPrinter, HENHMETAFILE hEmf, const wchar_t* pszOutput, const std::wstring& strWhere,
               std::wstring& error);
    void Place(HENHMETAFILE hEmf, HDC hPrinter);

    std::wstring m_strPrinter;
    std::wstring m_strPort;
    std::vector<BYTE> m_devMode;
    CQLNTextReplacement m_replacement;
    std::vector<Placement> m_placements;
    Times m_times;
    int m_nWidthOnPaper = 0;
    int m_nHeightOnPaper = 0;
};
