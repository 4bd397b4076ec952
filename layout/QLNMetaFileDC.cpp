#include "QLNMetaFileDC.h"

#include <commdlg.h>
#include <new>

namespace {

// The application name and the picture name that the metafile's header carries.
const wchar_t g_kszDescription[] = L"Halverin Graphic\0Test\0";

} // namespace

CQLNMetaFileDC::CQLNMetaFileDC() : m_hEnhMetaFile(nullptr), m_pWnd(nullptr), m_hPrinterDC(nullptr)
{
    CreateHiddenWindow();
    m_hPrinterDC = GetPrinterDC();
}

CQLNMetaFileDC::CQLNMetaFileDC(bool bUsePrinter) : m_hEnhMetaFile(nullptr), m_pWnd(nullptr), m_hPrinterDC(nullptr)
{
    CreateHiddenWindow();
    if (bUsePrinter)
        m_hPrinterDC = GetPrinterDC();
}

CQLNMetaFileDC::~CQLNMetaFileDC()
{
    if (m_hEnhMetaFile != nullptr)
        ::DeleteEnhMetaFile(m_hEnhMetaFile);
    if (m_hPrinterDC != nullptr)
        ::DeleteDC(m_hPrinterDC);
    // Destroying a frame through delete skips its self-deletion at WM_NCDESTROY.
    delete m_pWnd;
}

void CQLNMetaFileDC::CreateHiddenWindow()
{
    m_pWnd = new (std::nothrow) CFrameWnd;
    if (m_pWnd == nullptr)
        return;
    // CS_OWNDC: the window's DC stays valid for the window's life, so it can serve as the
    // reference DC without being released.
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_OWNDC, nullptr, nullptr, nullptr);
    if (lpszClass == nullptr ||
        !m_pWnd->Create(lpszClass, L"CVELMETAFILE WINDOW", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                        nullptr, nullptr, 0, nullptr)) {
        // A frame whose window failed is still ours, whether or not the window saw its last
        // message.
        delete m_pWnd;
        m_pWnd = nullptr;
    }
}

HDC CQLNMetaFileDC::GetPrinterDC()
{
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof(pd);
    pd.Flags = PD_RETURNDEFAULT;
    if (!::PrintDlgW(&pd))
        return nullptr;
    HDC hDC = nullptr;
    DEVMODEW* pDevMode = pd.hDevMode != nullptr ? static_cast<DEVMODEW*>(::GlobalLock(pd.hDevMode)) : nullptr;
    if (pDevMode != nullptr) {
        const DEVNAMES* pDevNames =
            pd.hDevNames != nullptr ? static_cast<const DEVNAMES*>(::GlobalLock(pd.hDevNames)) : nullptr;
        if (pDevNames != nullptr) {
            // The offsets count characters from the start of the record.
            const wchar_t* pNames = reinterpret_cast<const wchar_t*>(pDevNames);
            hDC = ::CreateDCW(pNames + pDevNames->wDriverOffset, pNames + pDevNames->wDeviceOffset, nullptr,
                              pDevMode);
            ::GlobalUnlock(pd.hDevNames);
        }
        ::GlobalUnlock(pd.hDevMode);
    }
    // Nobody else keeps the default printer's settings: they are ours to free.
    if (pd.hDevNames != nullptr)
        ::GlobalFree(pd.hDevNames);
    if (pd.hDevMode != nullptr)
        ::GlobalFree(pd.hDevMode);
    return hDC;
}

long CQLNMetaFileDC::CreateRecording(const RECT* pBounds)
{
    try {
        HDC hRefDC = m_hPrinterDC;
        if (hRefDC == nullptr && m_pWnd != nullptr && m_pWnd->m_hWnd != nullptr)
            hRefDC = ::GetDC(m_pWnd->m_hWnd);
        CDC* pRefDC = CDC::FromHandle(hRefDC);
        // Makes the recording DC against the reference and takes the reference's attribute DC
        // for every measurement.
        if (!CreateEnhanced(pRefDC, nullptr, pBounds, g_kszDescription))
            return m_klCreateFailed;
        return m_klSuccess;
    } catch (...) {
        return m_klCreateFailed;
    }
}

long CQLNMetaFileDC::m_fnCreate(const RECT& rcBounds)
{
    return CreateRecording(&rcBounds);
}

long CQLNMetaFileDC::m_fnCreate()
{
    return CreateRecording(nullptr);
}

CDC* CQLNMetaFileDC::m_fnGetAttribDC() const
{
    if (m_hPrinterDC != nullptr)
        return CDC::FromHandle(m_hPrinterDC);
    if (m_pWnd != nullptr && m_pWnd->m_hWnd != nullptr)
        return CDC::FromHandle(::GetDC(m_pWnd->m_hWnd));
    return nullptr;
}

CDC* CQLNMetaFileDC::m_fnGetWindowDC()
{
    if (m_pWnd == nullptr || m_pWnd->m_hWnd == nullptr)
        return nullptr;
    return CDC::FromHandle(::GetDC(m_pWnd->m_hWnd));
}

long CQLNMetaFileDC::m_fnFinishResolve()
{
    if (m_hEnhMetaFile != nullptr) {
        ::DeleteEnhMetaFile(m_hEnhMetaFile);
        m_hEnhMetaFile = nullptr;
    }
    m_hEnhMetaFile = CloseEnhanced();
    return m_hEnhMetaFile != nullptr ? m_klSuccess : m_klNoMetaFile;
}

BOOL CQLNMetaFileDC::EnsureMetaFile()
{
    if (m_hEnhMetaFile == nullptr)
        m_hEnhMetaFile = CloseEnhanced();
    return m_hEnhMetaFile != nullptr;
}

long CQLNMetaFileDC::m_fnSaveToFile(const CString& strPath)
{
    if (!EnsureMetaFile())
        return m_klNoMetaFile;
    const HENHMETAFILE hCopy = ::CopyEnhMetaFileW(m_hEnhMetaFile, strPath.GetString());
    if (hCopy == nullptr)
        return m_klCopyFailed;
    // The file stays; only the handle of the copy goes.
    ::DeleteEnhMetaFile(hCopy);
    return m_klSuccess;
}

long CQLNMetaFileDC::m_fnCopyToClipboard()
{
    if (!EnsureMetaFile())
        return m_klNoMetaFile;
    // The clipboard takes ownership of what it accepts; it gets a copy in memory, so that the
    // device keeps its own metafile for later saves and deletes only that one.
    const HENHMETAFILE hCopy = ::CopyEnhMetaFileW(m_hEnhMetaFile, nullptr);
    if (hCopy == nullptr)
        return m_klClipboardRefused;
    if (!::OpenClipboard(nullptr)) {
        ::DeleteEnhMetaFile(hCopy);
        return m_klClipboardOpenFailed;
    }
    if (::SetClipboardData(CF_ENHMETAFILE, hCopy) == nullptr) {
        ::DeleteEnhMetaFile(hCopy);
        ::CloseClipboard();
        return m_klClipboardRefused;
    }
    return ::CloseClipboard() ? m_klSuccess : m_klClipboardOpenFailed;
}

BOOL CQLNMetaFileDC::GrayString(CBrush* pBrush, BOOL(CALLBACK* lpfnOutput)(HDC, LPARAM, int), LPARAM lpData,
                                int nCount, int x, int y, int nWidth, int nHeight)
{
    // Grey text goes into the recording only; the reference device never draws.
    return CDC::GrayString(pBrush, lpfnOutput, lpData, nCount, x, y, nWidth, nHeight);
}
