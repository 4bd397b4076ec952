#include "CQLNPrintJob.h"

#include "CQLNObjectRecording.h"
#include "CQLNPdfPrinter.h"
#include "CQLNReplacingFile.h"
#include "CQLNTextObjClient.h"
#include "CQLNTextObjError.h"

#include <winspool.h>

#include <algorithm>
#include <memory>

namespace {

double Seconds()
{
    LARGE_INTEGER count, frequency;
    ::QueryPerformanceCounter(&count);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::wstring SpoolerError(const std::wstring& what)
{
    return what + L": " + CQLNTextObjError::Describe(HRESULT_FROM_WIN32(::GetLastError()));
}

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* pRecord, int, LPARAM lParam)
{
    if (pRecord->iType == EMR_EXTTEXTOUTW) {
        const EMREXTTEXTOUTW* pText = reinterpret_cast<const EMREXTTEXTOUTW*>(pRecord);
        const wchar_t* pChars =
            reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(pText) + pText->emrtext.offString);
        reinterpret_cast<std::vector<CQLNPrintJob::Placement>*>(lParam)->push_back(
            {static_cast<double>(pText->emrtext.ptlReference.x), static_cast<double>(pText->emrtext.ptlReference.y),
             std::wstring(pChars, pText->emrtext.nChars)});
    }
    return 1;
}

} // namespace

bool CQLNPrintJob::Open(const std::wstring& strPrinter, Paper paper, std::wstring& error)
{
    std::wstring name = strPrinter;
    if (name.empty()) {
        DWORD nChars = 0;
        ::GetDefaultPrinterW(nullptr, &nChars);
        name.assign(nChars, L'\0');
        if (nChars == 0 || !::GetDefaultPrinterW(&name[0], &nChars)) {
            error = L"there is no default printer to print on";
            return false;
        }
        name.resize(nChars - 1);
    }
    HANDLE hPrinter = nullptr;
    if (!::OpenPrinterW(&name[0], &hPrinter, nullptr)) {
        error = SpoolerError(L"cannot open the printer " + name);
        return false;
    }
    // The printer's own settings, with the paper replaced; the driver checks the change.
    const LONG nSize = ::DocumentPropertiesW(nullptr, hPrinter, &name[0], nullptr, nullptr, 0);
    std::vector<BYTE> settings(nSize > 0 ? static_cast<size_t>(nSize) : 0);
    bool bOk = nSize > 0 && ::DocumentPropertiesW(nullptr, hPrinter, &name[0],
                                                  reinterpret_cast<DEVMODEW*>(settings.data()), nullptr,
                                                  DM_OUT_BUFFER) == IDOK;
    if (bOk && paper != Paper::Printer) {
        std::vector<BYTE> changed = settings;
        DEVMODEW* pChanged = reinterpret_cast<DEVMODEW*>(changed.data());
        pChanged->dmPaperSize = paper == Paper::A4 ? DMPAPER_A4 : DMPAPER_LETTER;
        pChanged->dmFields |= DM_PAPERSIZE;
        bOk = ::DocumentPropertiesW(nullptr, hPrinter, &name[0], reinterpret_cast<DEVMODEW*>(settings.data()),
                                    pChanged, DM_IN_BUFFER | DM_OUT_BUFFER) == IDOK;
    }
    if (!bOk)
        error = SpoolerError(L"cannot read the settings of the printer " + name);
    // The port, to name it when a job cannot be delivered there.
    DWORD nNeeded = 0;
    ::GetPrinterW(hPrinter, 2, nullptr, 0, &nNeeded);
    std::vector<BYTE> info(nNeeded > 0 ? nNeeded : 1);
    m_strPort.clear();
    if (bOk && ::GetPrinterW(hPrinter, 2, info.data(), static_cast<DWORD>(info.size()), &nNeeded)) {
        const wchar_t* pszPort = reinterpret_cast<const PRINTER_INFO_2W*>(info.data())->pPortName;
        m_strPort = pszPort != nullptr ? pszPort : L"";
    }
    ::ClosePrinter(hPrinter);
    if (!bOk)
        return false;
    m_strPrinter = name;
    m_devMode = settings;
    return true;
}

bool CQLNPrintJob::Print(CQLNTextObjClient& control, int nWidth, int nHeight, Output output,
                         const std::wstring& strPath, std::wstring& error)
{
    if (m_strPrinter.empty()) {
        error = L"no printer was chosen";
        return false;
    }
    // The output is written beside its destination and moved there only when the job is done.
    std::unique_ptr<CQLNReplacingFile> file;
    if (output != Output::Port) {
        file.reset(new CQLNReplacingFile(strPath));
        if (!file->HasFolder(error))
            return false;
    }
    CQLNPdfPrinter pdfPrinter;
    if (output == Output::Pdf && !pdfPrinter.Create(m_strPrinter, file->TempPath(), error))
        return false;
    const std::wstring target = output == Output::Pdf ? pdfPrinter.Name() : m_strPrinter;
    const HDC hPrinter = ::CreateDCW(L"WINSPOOL", target.c_str(), nullptr,
                                     reinterpret_cast<const DEVMODEW*>(m_devMode.data()));
    if (hPrinter == nullptr) {
        error = SpoolerError(L"cannot open a device context on the printer " + target);
        return false;
    }
    HENHMETAFILE hEmf = nullptr;
    bool bOk = Record(control, nWidth, nHeight, hPrinter, hEmf, error);
    if (bOk) {
        Place(hEmf, hPrinter);
        std::wstring where;
        if (output == Output::Port) {
            where = L"the printer " + m_strPrinter + L" could not deliver the job to its port " + m_strPort;
        } else if (output == Output::PostScript) {
            // The spooler writes over a file without truncating it: it must not be there.
            ::DeleteFileW(file->TempPath().c_str());
            where = L"cannot write " + strPath;
        } else {
            where = L"Ghostscript could not write " + strPath;
        }
        bOk = Spool(hPrinter, hEmf, output == Output::PostScript ? file->TempPath().c_str() : nullptr, where, error);
        ::DeleteEnhMetaFile(hEmf);
    }
    ::DeleteDC(hPrinter);
    return bOk && (file == nullptr || file->Commit(error));
}

bool CQLNPrintJob::Record(CQLNTextObjClient& control, int nWidth, int nHeight, HDC hPrinter, HENHMETAFILE& hEmf,
                          std::wstring& error)
{
    const double dStart = Seconds();
    CQLNObjectRecording dc;
    CDC* pReference = dc.m_fnGetAttribDC();
    const HDC hRef = pReference != nullptr ? pReference->GetSafeHdc() : nullptr;
    if (hRef == nullptr || ::GetDeviceCaps(hRef, TECHNOLOGY) != DT_RASPRINTER) {
        error = L"text is measured on the default printer, and there is none";
        return false;
    }
    // The object's size in pixels of the screen it was laid out on, in pixels of the printer
    // that measures it, and within the printable area of the paper.
    const HDC hScreen = ::GetDC(nullptr);
    const int nScreenDpi = hScreen != nullptr ? ::GetDeviceCaps(hScreen, LOGPIXELSX) : 96;
    if (hScreen != nullptr)
        ::ReleaseDC(nullptr, hScreen);
    const int nRefDpiX = ::GetDeviceCaps(hRef, LOGPIXELSX);
    const int nRefDpiY = ::GetDeviceCaps(hRef, LOGPIXELSY);
    const int nPageDpiX = ::GetDeviceCaps(hPrinter, LOGPIXELSX);
    const int nPageDpiY = ::GetDeviceCaps(hPrinter, LOGPIXELSY);
    int nRefWidth = ::MulDiv(nWidth, nRefDpiX, nScreenDpi);
    int nRefHeight = ::MulDiv(nHeight, nRefDpiY, nScreenDpi);
    nRefWidth = std::min(nRefWidth, ::MulDiv(::GetDeviceCaps(hPrinter, HORZRES), nRefDpiX, nPageDpiX));
    nRefHeight = std::min(nRefHeight, ::MulDiv(::GetDeviceCaps(hPrinter, VERTRES), nRefDpiY, nPageDpiY));
    m_nWidthOnPaper = ::MulDiv(nRefWidth, nPageDpiX, nRefDpiX);
    m_nHeightOnPaper = ::MulDiv(nRefHeight, nPageDpiY, nRefDpiY);

    // The frame in 0.01 mm by the reference's own ratio of pixels to millimetres, the ratio by
    // which the metafile is played back: the playing then maps one pixel to one pixel.
    const RECT frame = {0, 0, ::MulDiv(nRefWidth, ::GetDeviceCaps(hRef, HORZSIZE) * 100, ::GetDeviceCaps(hRef, HORZRES)),
                        ::MulDiv(nRefHeight, ::GetDeviceCaps(hRef, VERTSIZE) * 100, ::GetDeviceCaps(hRef, VERTRES))};
    if (dc.m_fnCreate(frame) != CQLNMetaFileDC::m_klSuccess) {
        error = L"cannot start recording a metafile";
        return false;
    }
    // The object sizes its fonts in pixels of the screen: zoomed by the printer's resolution
    // over the screen's, it keeps its size on paper and lays its text out in printer pixels.
    const RECT bounds = {0, 0, nRefWidth, nRefHeight};
    if (!control.SetZoom(static_cast<double>(nRefDpiY) / nScreenDpi, error) ||
        !control.Draw(dc.m_hAttribDC, dc.m_hDC, bounds, error))
        return false;
    hEmf = dc.Take();
    if (hEmf == nullptr) {
        error = L"the recording gave no metafile";
        return false;
    }
    m_times.dRecord = Seconds() - dStart;
    return true;
}

void CQLNPrintJob::Place(HENHMETAFILE hEmf, HDC hPrinter)
{
    m_placements.clear();
    ::EnumEnhMetaFile(nullptr, hEmf, CollectText, &m_placements, nullptr);
    ENHMETAHEADER header = {};
    ::GetEnhMetaFileHeader(hEmf, sizeof(header), &header);
    // Recorded pixels to printed pixels, then from the printable area's corner to the paper's,
    // in points.
    if (header.szlDevice.cx <= 0 || header.szlDevice.cy <= 0 || header.rclFrame.right <= header.rclFrame.left ||
        header.rclFrame.bottom <= header.rclFrame.top)
        return;
    const double dScaleX = static_cast<double>(m_nWidthOnPaper) * header.szlMillimeters.cx * 100 /
                           (static_cast<double>(header.szlDevice.cx) * (header.rclFrame.right - header.rclFrame.left));
    const double dScaleY = static_cast<double>(m_nHeightOnPaper) * header.szlMillimeters.cy * 100 /
                           (static_cast<double>(header.szlDevice.cy) * (header.rclFrame.bottom - header.rclFrame.top));
    const double dDpiX = ::GetDeviceCaps(hPrinter, LOGPIXELSX);
    const double dDpiY = ::GetDeviceCaps(hPrinter, LOGPIXELSY);
    const double dOffsetX = ::GetDeviceCaps(hPrinter, PHYSICALOFFSETX);
    const double dOffsetY = ::GetDeviceCaps(hPrinter, PHYSICALOFFSETY);
    for (Placement& placement : m_placements) {
        placement.dX = (dOffsetX + placement.dX * dScaleX) * 72.0 / dDpiX;
        placement.dY = (dOffsetY + placement.dY * dScaleY) * 72.0 / dDpiY;
    }
}

bool CQLNPrintJob::Spool(HDC hPrinter, HENHMETAFILE hEmf, const wchar_t* pszOutput, const std::wstring& strWhere,
                         std::wstring& error)
{
    const double dStart = Seconds();
    DOCINFOW doc = {};
    doc.cbSize = sizeof(doc);
    doc.lpszDocName = L"Text object";
    doc.lpszOutput = pszOutput;
    if (::StartDocW(hPrinter, &doc) <= 0) {
        error = SpoolerError(L"the printer " + m_strPrinter + L" did not start the job");
        return false;
    }
    const RECT page = {0, 0, m_nWidthOnPaper, m_nHeightOnPaper};
    if (::StartPage(hPrinter) <= 0 || !m_replacement.Play(hPrinter, hEmf, page) ||
        ::EndPage(hPrinter) <= 0) {
        error = SpoolerError(L"the printer " + m_strPrinter + L" did not take the page");
        ::AbortDoc(hPrinter);
        return false;
    }
    const double dPlayed = Seconds();
    m_times.dPlay = dPlayed - dStart;
    if (::EndDoc(hPrinter) <= 0) {
        error = strWhere;
        return false;
    }
    m_times.dSpool = Seconds() - dPlayed;
    return true;
}
