#include "CQLNPagePrinter.h"

#include "CQLNPageFooter.h"
#include "CQLNPageScale.h"
#include "CQLNPdfPrinter.h"
#include "CQLNReplacingFile.h"
#include "CQLNTableContinuation.h"

#include <winspool.h>

#include <string>
#include <vector>

std::wstring CQLNPagePrinter::DefaultPrinter()
{
    DWORD nChars = 0;
    ::GetDefaultPrinterW(nullptr, &nChars);
    if (nChars == 0)
        return std::wstring();
    std::wstring name(nChars, L'\0');
    if (!::GetDefaultPrinterW(&name[0], &nChars))
        return std::wstring();
    name.resize(nChars > 0 ? nChars - 1 : 0);
    return name;
}

HDC CQLNPagePrinter::CreatePrinterDC(const std::wstring& printer, const CQLNReportPage& page, std::wstring& error)
{
    // The printer's own settings, with the page's paper and orientation.
    HANDLE hPrinter = nullptr;
    std::vector<BYTE> devMode;
    if (::OpenPrinterW(const_cast<LPWSTR>(printer.c_str()), &hPrinter, nullptr)) {
        const LONG nSize = ::DocumentPropertiesW(nullptr, hPrinter, const_cast<LPWSTR>(printer.c_str()), nullptr, nullptr, 0);
        if (nSize > 0) {
            devMode.resize(static_cast<size_t>(nSize));
            auto* pMode = reinterpret_cast<DEVMODEW*>(devMode.data());
            if (::DocumentPropertiesW(nullptr, hPrinter, const_cast<LPWSTR>(printer.c_str()), pMode, nullptr, DM_OUT_BUFFER) == IDOK) {
                pMode->dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
                pMode->dmPaperSize = page.GetPaper() == CQLNReportPage::Paper::A4 ? DMPAPER_A4 : DMPAPER_LETTER;
                pMode->dmOrientation = page.IsLandscape() ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
            } else {
                devMode.clear();
            }
        }
        ::ClosePrinter(hPrinter);
    }
    const HDC hdc = ::CreateDCW(L"WINSPOOL", printer.c_str(), nullptr,
                                devMode.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(devMode.data()));
    if (hdc == nullptr)
        error = L"cannot reach the printer " + printer;
    return hdc;
}

CQLNPagePrinter::Sequence CQLNPagePrinter::Single(const std::wstring& dataName)
{
    return Sequence{1, [dataName](size_t, std::wstring& name) {
                        name = dataName;
                        return true;
                    }};
}

bool CQLNPagePrinter::WritePdf(const CQLNReportPage& page, const std::wstring& pdfPath, std::wstring& error,
                               const std::wstring& dataName)
{
    return WritePdf(page, pdfPath, error, Single(dataName));
}

bool CQLNPagePrinter::WritePdf(const CQLNReportPage& page, const std::wstring& pdfPath, std::wstring& error,
                               const Sequence& sequence)
{
    const std::wstring printer = DefaultPrinter();
    if (printer.empty()) {
        error = L"no printer is installed";
        return false;
    }
    // Ghostscript writes beside the destination; the file moves there only when the job is done.
    CQLNReplacingFile pdf(pdfPath);
    CQLNPdfPrinter pdfPrinter;
    if (!pdf.HasFolder(error) || !pdfPrinter.Create(printer, pdf.TempPath(), error))
        return false;
    if (!PrintOn(pdfPrinter.Name(), page, error, sequence)) {
        error = L"cannot write " + pdfPath + L": " + error;
        return false;
    }
    return pdf.Commit(error);
}

bool CQLNPagePrinter::PrintOn(const std::wstring& printer, const CQLNReportPage& page, std::wstring& error,
                              const std::wstring& dataName)
{
    return PrintOn(printer, page, error, Single(dataName));
}

bool CQLNPagePrinter::PrintOn(const std::wstring& printer, const CQLNReportPage& page, std::wstring& error,
                              const Sequence& sequence)
{
    const HDC hdc = CreatePrinterDC(printer, page, error);
    if (hdc == nullptr)
        return false;
    DOCINFOW doc = {sizeof doc, L"Report page", nullptr, nullptr, 0};
    bool ok = ::StartDocW(hdc, &doc) > 0;
    if (!ok)
        error = L"the printer " + printer + L" refused the document";
    size_t nPrinted = 0;
    for (size_t n = 0; ok && n < sequence.nReports; ++n) {
        std::wstring dataName;
        if (!sequence.Prepare(n, dataName))
            continue;
        ok = PrintReport(hdc, printer, page, dataName, error);
        ++nPrinted;
    }
    if (ok && nPrinted == 0) {
        error = L"none of the " + std::to_wstring(sequence.nReports) + L" reports could be printed";
        ok = false;
    }
    if (ok && ::EndDoc(hdc) <= 0) {
        error = L"the printer " + printer + L" did not finish the document";
        ok = false;
    }
    if (!ok)
        ::AbortDoc(hdc);
    ::DeleteDC(hdc);
    return ok;
}

bool CQLNPagePrinter::PrintReport(HDC hdc, const std::wstring& printer, const CQLNReportPage& page,
                                  const std::wstring& dataName, std::wstring& error)
{
    // Places on the sheet are from the paper's corner; the device's origin is the printable
    // area's corner.
    const CQLNPageScale sheet = CQLNPageScale::Device(hdc);
    const POINT offset = {::GetDeviceCaps(hdc, PHYSICALOFFSETX), ::GetDeviceCaps(hdc, PHYSICALOFFSETY)};
    // A page that is not resolved is printed as designed, on one sheet.
    CQLNTableContinuation tables(page);
    std::vector<CQLNPageFlow::Sheet> sheets(1);
    std::vector<RECT> places;
    for (size_t i = 0; i < page.Objects().size(); ++i) {
        places.push_back(page.Objects()[i]->Place());
        sheets[0].push_back(CQLNPageFlow::Part{i, places.back(), 0, 0});
    }
    if (!dataName.empty())
        sheets = CQLNPageFlow::Plan(places, page.Size(), page.Margin(), tables);
    for (size_t s = 0; s < sheets.size(); ++s) {
        if (::StartPage(hdc) <= 0) {
            error = L"the printer " + printer + L" refused the page";
            return false;
        }
        for (const CQLNPageFlow::Part& part : sheets[s]) {
            RECT rcDest = sheet.ToDevice(part.rcPlace);
            ::OffsetRect(&rcDest, -offset.x, -offset.y);
            if (!tables.Show(part, hdc, rcDest, error))
                return false;
        }
        if (!dataName.empty()) {
            POINT old;
            ::SetViewportOrgEx(hdc, -offset.x, -offset.y, &old);
            CQLNPageFooter(dataName, s, sheets.size()).Draw(hdc, page, sheet);
            ::SetViewportOrgEx(hdc, old.x, old.y, nullptr);
        }
        if (::EndPage(hdc) <= 0) {
            error = L"the printer " + printer + L" did not finish the page";
            return false;
        }
    }
    return true;
}
