// Prints a report page through the default printer's driver: each object's recording measured
// against the printer, the one the window plays too, played at its place on the sheet. A PDF is
// the page printed on a printer of the same driver whose port pipes into Ghostscript
// (CQLNPdfPrinter). A page resolved with a data file prints on as many sheets as its tables'
// rows need (CQLNPageFlow), each with a footer (CQLNPageFooter); a sequence prints one such
// report per result in one job.
#pragma once
#include "CQLNReportPage.h"

#include <functional>
#include <string>

class CQLNPagePrinter
{
public:
    // The reports of one job: before report n (from 0) prints, Prepare makes the page that
    // report (resolves it with its result) and names the data file for its footers (empty for a
    // page that is not resolved); when it returns false, the report is left out and the job goes
    // on. Each report starts on a new sheet and numbers its own sheets.
    struct Sequence
    {
        size_t nReports;
        std::function<bool(size_t n, std::wstring& dataName)> Prepare;
    };

    // The default printer's name; empty when there is none.
    static std::wstring DefaultPrinter();
    // A failed job leaves no file and whatever was at pdfPath before. dataName is the name of
    // the data file the page is resolved with; empty for a page that is not.
    static bool WritePdf(const CQLNReportPage& page, const std::wstring& pdfPath, std::wstring& error,
                         const std::wstring& dataName = std::wstring());
    static bool WritePdf(const CQLNReportPage& page, const std::wstring& pdfPath, std::wstring& error,
                         const Sequence& sequence);
    // One job of the page on the named printer, on the page's paper and orientation.
    static bool PrintOn(const std::wstring& printer, const CQLNReportPage& page, std::wstring& error,
                        const std::wstring& dataName = std::wstring());
    // One job of every report of the sequence; a job in which none printed fails.
    static bool PrintOn(const std::wstring& printer, const CQLNReportPage& page, std::wstring& error,
                        const Sequence& sequence);

private:
    static HDC CreatePrinterDC(const std::wstring& printer, const CQLNReportPage& page, std::wstring& error);
    static Sequence Single(const std::wstring& dataName);
    // The sheets of one report; false with error set when the printer fails.
    static bool PrintReport(HDC hdc, const std::wstring& printer, const CQLNReportPage& page,
                            const std::wstring& dataName, std::wstring& error);
};
