// Prints a report page through the default printer's driver: each object's recording measured
// against the printer, the one the window plays too, played at its place on the sheet. A PDF is
// the page printed on a printer of the same driver whose port pipes into Ghostscript
// (CQLNPdfPrinter).
#pragma once
#include "CQLNReportPage.h"

#include <functional>
#include <string>

class CQLNPagePrinter
{
public:
    // A sequence of reports of one page in one job: before report n (from 0) prints, Prepare
    // makes the page that report (resolves it with its result); when it cannot, it returns false,
    // the report is left out and the job goes on. Each report starts on a new sheet.
    struct Sequence
    {
        size_t nReports;
        std::function<bool(size_t n)> Prepare;
    };

    // The default printer's name; empty when there is none.
    static std::wstring DefaultPrinter();
    // A failed job leaves no file and whatever was at pdfPath before.
    static bool WritePdf(const CQLNReportPage& page, const std::wstring& pdfPath, std::wstring& error,
                         const Sequence* pSequence = nullptr);
    // One job of the page on the named printer, on the page's paper and orientation; of every
    // report of the sequence when there is one (a job in which none printed fails).
    static bool PrintOn(const std::wstring& printer, const CQLNReportPage& page, std::wstring& error,
                        const Sequence* pSequence = nullptr);

private:
    static HDC CreatePrinterDC(const std::wstring& printer, const CQLNReportPage& page, std::wstring& error);
};
