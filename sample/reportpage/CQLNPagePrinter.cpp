#include "CQLNPagePrinter.h"

#include "CQLNObjectRecording.h"
#include "CQLNPdfPrinter.h"
#include "CQLNReplacingFile.h"
#include "CQLNTextObjClient.h"

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

bool CQLNPagePrinter::WritePdf(const CQLNReportPage& page, const std::wstring& pdfPath, std::wstring& error)
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
    if (!PrintOn(pdfPrinter.Name(), page, error)) {
        error = L"cannot write " + pdfPath + L": " + error;
        return false;
    }
    return pdf.Commit(error);
}

bool CQLNPagePrinter::PrintOn(const std::wstring& printer, const CQLNReportPage& page, std::wstring& error)
{
    const HDC hdc = CreatePrinterDC(printer, page, error);
    if (hdc == nullptr)
        return false;
    DOCINFOW doc = {sizeof doc, L"Report page", nullptr, nullptr, 0};
    bool ok = ::StartDocW(hdc, &doc) > 0;
    if (ok)
        ok = ::StartPage(hdc) > 0;
    if (!ok)
        error = L"the printer " + printer + L" refused the page";
    // Places on the sheet are from the paper's corner; the device's origin is the printable
    // area's corner.
    const int nDpiX = ::GetDeviceCaps(hdc, LOGPIXELSX);
    const int nDpiY = ::GetDeviceCaps(hdc, LOGPIXELSY);
    const int nOffsetX = ::GetDeviceCaps(hdc, PHYSICALOFFSETX);
    const int nOffsetY = ::GetDeviceCaps(hdc, PHYSICALOFFSETY);
    for (size_t i = 0; ok && i < page.Objects().size(); ++i) {
        const CQLNPageObject& object = *page.Objects()[i].Get();
        const RECT& rc = object.Place();
        CQLNObjectRecording recording;
        const RECT frame = {0, 0, rc.right - rc.left, rc.bottom - rc.top};
        if (recording.m_fnCreate(frame) != CQLNMetaFileDC::m_klSuccess) {
            error = L"cannot record " + object.ClassName() + L" for the printer";
            ok = false;
            break;
        }
        // Objects size their fonts in pixels of the screen, as the window shows them, and are
        // measured on the printer, where they will be printed. One that can be zoomed is zoomed
        // by the printer's resolution over the screen's and draws in the printer's pixels, as the
        // demo host prints it: the text objects' engine draws in device units whatever mapping
        // it is given. Any other gets its logical units (screen pixels) mapped onto the printer's.
        const HDC hRef = recording.m_hAttribDC;
        const int nScreenDpi = CQLNReportPage::ScreenDpi();
        const int nRefDpiX = ::GetDeviceCaps(hRef, LOGPIXELSX), nRefDpiY = ::GetDeviceCaps(hRef, LOGPIXELSY);
        CQLNTextObjClient client;
        std::wstring why;
        const bool bZoomed = object.Object() != nullptr && client.Attach(object.Object(), why) &&
                             client.HasMember(L"SetZoom") &&
                             client.SetZoom(static_cast<double>(nRefDpiY) / nScreenDpi, why);
        RECT bounds = {0, 0, CQLNReportPage::ToPixels(frame.right, 100), CQLNReportPage::ToPixels(frame.bottom, 100)};
        if (bZoomed) {
            bounds.right = ::MulDiv(frame.right, nRefDpiX, 2540);
            bounds.bottom = ::MulDiv(frame.bottom, nRefDpiY, 2540);
        } else {
            for (const HDC hdcMapped : {recording.m_hDC, hRef}) {
                ::SetMapMode(hdcMapped, MM_ANISOTROPIC);
                ::SetWindowExtEx(hdcMapped, nScreenDpi, nScreenDpi, nullptr);
                ::SetViewportExtEx(hdcMapped, nRefDpiX, nRefDpiY, nullptr);
            }
        }
        ok = object.Draw(recording.m_hDC, hRef, bounds, error);
        // The window shows the object at its own size again.
        if (bZoomed)
            client.SetZoom(1.0, why);
        const HENHMETAFILE hEmf = ok ? recording.Finish() : nullptr;
        if (ok && hEmf == nullptr) {
            error = L"cannot record " + object.ClassName() + L" for the printer";
            ok = false;
        }
        if (!ok)
            break;
        const RECT rcDest = {::MulDiv(rc.left, nDpiX, 2540) - nOffsetX, ::MulDiv(rc.top, nDpiY, 2540) - nOffsetY,
                             ::MulDiv(rc.right, nDpiX, 2540) - nOffsetX, ::MulDiv(rc.bottom, nDpiY, 2540) - nOffsetY};
        ::PlayEnhMetaFile(hdc, hEmf, &rcDest);
    }
    if (ok && ::EndPage(hdc) <= 0) {
        error = L"the printer " + printer + L" did not finish the page";
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
