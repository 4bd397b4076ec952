// Prints a report page through the default printer's driver: each object's recording measured
// against the printer, the one the window plays too, played at its place on the sheet. A PDF is
// the page printed on a printer of the same driver whose port pipes into Ghostscript
// (CQLNPdfPrinter).
#pragma once
#include "CQLNReportPage.h"

#include <string>

class CQLNPagePrinter
{
public:
    // The default printer's name; empty when there is none.
    static std::wstring DefaultPrinter();
    // A failed job leaves no file and whatever was at pdfPath before.
    static bool WritePdf(const CQLNReportPage& page, const std::wstring& pdfPath, std::wstring& error);
    // One job of the page on the named printer, on the page's paper and orientation.
    static bool PrintOn(const std::wstring& printer, const CQLNReportPage& page, std::wstring& error);

private:
    static HDC CreatePrinterDC(const std::wstring& printer, const CQLNReportPage& page, std::wstring& error);
};
