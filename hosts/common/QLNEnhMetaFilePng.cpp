#include "QLNEnhMetaFilePng.h"

#include "QLNFontFallback.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// Larger pictures would ask for gigabytes from numbers that come from a file.
const int g_knMaxSide = 16384;

// A white 32-bit top-down picture with the metafile played onto it; the DIB section's bits
// stay valid while the object lives.
class CPlayedPicture
{
public:
    CPlayedPicture(HENHMETAFILE hEmf, int nWidth, int nHeight) : m_hDC(::CreateCompatibleDC(nullptr))
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = nWidth;
        bmi.bmiHeader.biHeight = -nHeight;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        if (m_hDC == nullptr)
            return;
        m_hBitmap = ::CreateDIBSection(m_hDC, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pBits), nullptr, 0);
        if (m_hBitmap == nullptr)
            return;
        m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
        const RECT rc = {0, 0, nWidth, nHeight};
        ::FillRect(m_hDC, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        // Letters the recorded fonts lack are drawn in the fonts linked to them, as on paper.
        m_bPlayed = CQLNFontFallback::Play(m_hDC, hEmf, &rc);
        ::GdiFlush();
    }
    ~CPlayedPicture()
    {
        if (m_hOldBitmap != nullptr)
            ::SelectObject(m_hDC, m_hOldBitmap);
        if (m_hBitmap != nullptr)
            ::DeleteObject(m_hBitmap);
        if (m_hDC != nullptr)
            ::DeleteDC(m_hDC);
    }
    BOOL IsPlayed() const { return m_bPlayed; }
    DWORD* Bits() const { return m_pBits; }

    CPlayedPicture(const CPlayedPicture&) = delete;
    CPlayedPicture& operator=(const CPlayedPicture&) = delete;

private:
    HDC m_hDC;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    DWORD* m_pBits = nullptr;
    BOOL m_bPlayed = FALSE;
};

int ClampSide(long long nPixels)
{
    return nPixels < 1 ? 1 : (nPixels > g_knMaxSide ? g_knMaxSide : static_cast<int>(nPixels));
}

// Writes 32-bit top-down BGR pixels as an opaque PNG; the fourth byte of each pixel, which GDI
// leaves undefined, is overwritten.
HRESULT WritePng(DWORD* pBits, int nWidth, int nHeight, LPCWSTR lpszPath, double dDpi)
{
    for (size_t i = 0, n = static_cast<size_t>(nWidth) * static_cast<size_t>(nHeight); i < n; ++i)
        pBits[i] |= 0xFF000000u;

    ComPtr<IWICImagingFactory> factory;
    HRESULT hr = ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_PPV_ARGS(factory.GetAddressOf()));
    ComPtr<IWICBitmap> bitmap;
    const UINT nStride = static_cast<UINT>(nWidth) * 4;
    if (SUCCEEDED(hr))
        hr = factory->CreateBitmapFromMemory(static_cast<UINT>(nWidth), static_cast<UINT>(nHeight),
                                             GUID_WICPixelFormat32bppBGRA, nStride, nStride * static_cast<UINT>(nHeight),
                                             reinterpret_cast<BYTE*>(pBits), bitmap.GetAddressOf());
    ComPtr<IWICStream> stream;
    if (SUCCEEDED(hr))
        hr = factory->CreateStream(stream.GetAddressOf());
    if (SUCCEEDED(hr))
        hr = stream->InitializeFromFilename(lpszPath, GENERIC_WRITE);
    ComPtr<IWICBitmapEncoder> encoder;
    if (SUCCEEDED(hr))
        hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.GetAddressOf());
    if (SUCCEEDED(hr))
        hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    ComPtr<IWICBitmapFrameEncode> frame;
    if (SUCCEEDED(hr))
        hr = encoder->CreateNewFrame(frame.GetAddressOf(), nullptr);
    if (SUCCEEDED(hr))
        hr = frame->Initialize(nullptr);
    if (SUCCEEDED(hr))
        hr = frame->SetSize(static_cast<UINT>(nWidth), static_cast<UINT>(nHeight));
    if (SUCCEEDED(hr) && dDpi > 0)
        hr = frame->SetResolution(dDpi, dDpi);
    // WriteSource converts to whatever pixel format the encoder prefers.
    if (SUCCEEDED(hr))
        hr = frame->WriteSource(bitmap.Get(), nullptr);
    if (SUCCEEDED(hr))
        hr = frame->Commit();
    if (SUCCEEDED(hr))
        hr = encoder->Commit();
    return hr;
}

} // namespace

SIZE QLNEnhMetaFilePixelSize(HENHMETAFILE hEmf)
{
    SIZE size = {0, 0};
    ENHMETAHEADER header = {};
    if (hEmf == nullptr || ::GetEnhMetaFileHeader(hEmf, sizeof(header), &header) == 0)
        return size;
    if (header.szlMillimeters.cx <= 0 || header.szlMillimeters.cy <= 0)
        return size;
    // The frame is in 0.01 mm, inclusive of both edges; the reference device gives pixels per mm.
    const long long frameWidth = static_cast<long long>(header.rclFrame.right) - header.rclFrame.left;
    const long long frameHeight = static_cast<long long>(header.rclFrame.bottom) - header.rclFrame.top;
    size.cx = ClampSide(frameWidth * header.szlDevice.cx / (header.szlMillimeters.cx * 100LL) + 1);
    size.cy = ClampSide(frameHeight * header.szlDevice.cy / (header.szlMillimeters.cy * 100LL) + 1);
    return size;
}

HRESULT QLNSaveEnhMetaFileAsPng(HENHMETAFILE hEmf, int nWidth, int nHeight, LPCWSTR lpszPath, double dDpi)
{
    if (hEmf == nullptr || lpszPath == nullptr)
        return E_INVALIDARG;
    if (nWidth == 0 && nHeight == 0) {
        const SIZE size = QLNEnhMetaFilePixelSize(hEmf);
        nWidth = size.cx;
        nHeight = size.cy;
    }
    if (nWidth < 1 || nHeight < 1 || nWidth > g_knMaxSide || nHeight > g_knMaxSide)
        return E_INVALIDARG;

    const CPlayedPicture picture(hEmf, nWidth, nHeight);
    if (!picture.IsPlayed())
        return E_FAIL;
    return WritePng(picture.Bits(), nWidth, nHeight, lpszPath, dDpi);
}

HRESULT QLNSaveBitmapAsPng(HBITMAP hBitmap, LPCWSTR lpszPath, double dDpi)
{
    BITMAP bm = {};
    if (hBitmap == nullptr || lpszPath == nullptr || ::GetObjectW(hBitmap, sizeof(bm), &bm) == 0)
        return E_INVALIDARG;
    const int nWidth = bm.bmWidth;
    const int nHeight = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    if (nWidth < 1 || nHeight < 1 || nWidth > g_knMaxSide || nHeight > g_knMaxSide)
        return E_INVALIDARG;

    // The pixels as 32-bit top-down rows, whatever the bitmap's own format.
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), nWidth, -nHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> bits(static_cast<size_t>(nWidth) * static_cast<size_t>(nHeight));
    const HDC hScreen = ::GetDC(nullptr);
    const int nRows = ::GetDIBits(hScreen, hBitmap, 0, static_cast<UINT>(nHeight), bits.data(), &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hScreen);
    if (nRows != nHeight)
        return E_FAIL;
    return WritePng(bits.data(), nWidth, nHeight, lpszPath, dDpi);
}

HRESULT QLNSaveWindowAsPng(HWND hWnd, LPCWSTR lpszPath)
{
    RECT rc = {};
    if (!::IsWindow(hWnd) || !::GetWindowRect(hWnd, &rc))
        return E_INVALIDARG;
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // The window's DC covers its frame; it reads what the window and its children show.
    const HDC hWindow = ::GetWindowDC(hWnd);
    const HDC hMem = ::CreateCompatibleDC(hWindow);
    const HBITMAP hBitmap = ::CreateCompatibleBitmap(hWindow, rc.right - rc.left, rc.bottom - rc.top);
    const HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    const BOOL bCopied = ::BitBlt(hMem, 0, 0, rc.right - rc.left, rc.bottom - rc.top, hWindow, 0, 0, SRCCOPY);
    ::SelectObject(hMem, hOld);
    const HRESULT hr = bCopied ? QLNSaveBitmapAsPng(hBitmap, lpszPath) : E_FAIL;
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(hWnd, hWindow);
    return hr;
}
