// Prints a report page on the default printer: each object recorded into a metafile measured
// against the printer, then played at its place on the sheet. A PDF is the printer's PostScript
// written to a file and converted by Ghostscript's ps2pdf.
#pragma once
#include "CQLNReportPage.h"

#include <string>

class CQLNPagePrinter
{
public:
    // The default printer's name; empty when there is none.
    static std::wstring DefaultPrinter();
    // strOutput, when given, is a file that takes the printer's output instead of its port.
    static bool Print(const CQLNReportPage& page, const std::wstring& strOutput, std::wstring& error);
    static bool WritePdf(const CQLNReportPage& page, const std::wstring& pdfPath, std::wstring& error);

private:
    static HDC CreatePrinterDC(const std::wstring& printer, const CQLNReportPage& page, std::wstring& error);
    static bool ConvertToPdf(const std::wstring& psPath, const std::wstring& pdfPath, std::wstring& error);
};
