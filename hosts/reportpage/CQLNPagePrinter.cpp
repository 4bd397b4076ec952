#include "CQLNPagePrinter.h"

#include "CQLNPageScale.h"
#include "CQLNPdfPrinter.h"
#include "CQLNReplacingFile.h"

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

bool CQLNPagePrinter::WritePdf(const CQLNReportPage& page, const std::wstring& pdfPath, std::wstring& error,
                               const Sequence* pSequence)
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
    if (!PrintOn(pdfPrinter.Name(), page, error, pSequence)) {
        error = L"cannot write " + pdfPath + L": " + error;
        return false;
    }
    return pdf.Commit(error);
}

bool CQLNPagePrinter::PrintOn(const std::wstring& printer, const CQLNReportPage& page, std::wstring& error,
                              const Sequence* pSequence)
{
    const HDC hdc = CreatePrinterDC(printer, page, error);
    if (hdc == nullptr)
        return false;
    DOCINFOW doc = {sizeof doc, L"Report page", nullptr, nullptr, 0};
    bool ok = ::StartDocW(hdc, &doc) > 0;
    if (!ok)
        error = L"the printer " + printer + L" refused the document";
    const size_t nReports = pSequence != nullptr ? pSequence->nReports : 1;
    size_t nPrinted = 0;
    for (size_t n = 0; ok && n < nReports; ++n) {
        if (pSequence != nullptr && !pSequence->Prepare(n))
            continue;
        ok = ::StartPage(hdc) > 0;
        if (!ok)
            error = L"the printer " + printer + L" refused the page";
        // Places on the sheet are from the paper's corner; the device's origin is the printable
        // area's corner.
        const CQLNPageScale sheet = CQLNPageScale::Device(hdc);
        const int nOffsetX = ::GetDeviceCaps(hdc, PHYSICALOFFSETX);
        const int nOffsetY = ::GetDeviceCaps(hdc, PHYSICALOFFSETY);
        for (size_t i = 0; ok && i < page.Objects().size(); ++i) {
            const CQLNPageObject& object = *page.Objects()[i].Get();
            RECT rcDest = sheet.ToDevice(object.Place());
            ::OffsetRect(&rcDest, -nOffsetX, -nOffsetY);
            ok = object.Show(hdc, rcDest, error);
        }
        if (ok && ::EndPage(hdc) <= 0) {
            error = L"the printer " + printer + L" did not finish the page";
            ok = false;
        }
        ++nPrinted;
    }
    if (ok && nPrinted == 0) {
        error = L"none of the " + std::to_wstring(nReports) + L" reports could be printed";
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
