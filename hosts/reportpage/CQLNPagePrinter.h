// Prints a report page through the default printer's driver: each object's recording measured
// against the printer, the one the window plays too, played at its place on the sheet. A PDF is
// the page printed on a printer of the same driver whose port pipes into Ghostscript
// (CQLNPdfPrinter). A page resolved with a data file prints on as many sheets as its tables'
// rows need (CQLNPageFlow), each with a footer (CQLNPageFooter).
#pragma once
#include "CQLNReportPage.h"

#include <string>

class CQLNPagePrinter
{
public:
    // The default printer's name; empty when there is none.
    static std::wstring DefaultPrinter();
    // A failed job leaves no file and whatever was at pdfPath before. dataName is the name of
    // the data file the page is resolved with; empty for a page that is not.
    static bool WritePdf(const CQLNReportPage& page, const std::wstring& pdfPath, std::wstring& error,
                         const std::wstring& dataName = std::wstring());
    // One job of the page on the named printer, on the page's paper and orientation.
    static bool PrintOn(const std::wstring& printer, const CQLNReportPage& page, std::wstring& error,
                        const std::wstring& dataName = std::wstring());

private:
    static HDC CreatePrinterDC(const std::wstring& printer, const CQLNReportPage& page, std::wstring& error);
};
