// The metafile device: its reference DC, what it records, and every result code of finishing,
// saving and copying to the clipboard.
#include "CFrameWnd.h"
#include "CHandleMap.h"
#include "EmfScan.h"
#include "QLNEnhMetaFilePng.h"
#include "QLNMetaFileDC.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

CString TempPath(const wchar_t* name)
{
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    return CString(dir) + name;
}

std::string ReadFile(const wchar_t* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

HWND HiddenWindow() { return ::FindWindowW(nullptr, L"CVELMETAFILE WINDOW"); }

// Selects a serif font of the given height into dc; the returned font must outlive its use.
void SelectSerif(CDC& dc, CFont& font, int height)
{
    LOGFONTW lf = {};
    lf.lfHeight = height;
    wcscpy(lf.lfFaceName, L"Times New Roman");
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    dc.SelectObject(&font);
}

// A device of the screen that has recorded text in a font, as a report object draws it, in a
// frame of 100 mm × 30 mm.
struct Recorded : CQLNMetaFileDC
{
    Recorded() : CQLNMetaFileDC(false)
    {
        EXPECT_EQ(0, m_fnCreate(RECT{0, 0, 10000, 3000}));
        CFont font;
        SelectSerif(*this, font, -24);
        CRect rc(10, 10, 390, 110);
        DrawText(CString(L"Data file: {Data File}"), rc, DT_LEFT | DT_TOP);
        SelectStockObject(SYSTEM_FONT);
    }
};

} // namespace

TEST(QLNMetaFileDCReference, ScreenDeviceMeasuresOnItsHiddenWindow)
{
    CQLNMetaFileDC dc(false);
    const HWND hWnd = HiddenWindow();
    ASSERT_NE(nullptr, hWnd);
    EXPECT_FALSE(::IsWindowVisible(hWnd));
    EXPECT_TRUE(::GetClassLongW(hWnd, GCL_STYLE) & CS_OWNDC);
    // The window's own DC: the same handle every time, never released.
    const HDC hWindowDC = ::GetDC(hWnd);
    ASSERT_TRUE(dc.m_fnGetAttribDC() && dc.m_fnGetWindowDC());
    EXPECT_EQ(hWindowDC, dc.m_fnGetAttribDC()->m_hDC);
    EXPECT_EQ(hWindowDC, dc.m_fnGetWindowDC()->m_hDC);

    // Drawing is recorded; measuring is done on the window's DC.
    ASSERT_EQ(0, dc.m_fnCreate());
    EXPECT_EQ(OBJ_ENHMETADC, static_cast<int>(::GetObjectType(dc.m_hDC)));
    EXPECT_EQ(hWindowDC, dc.m_hAttribDC);
    CFont font;
    SelectSerif(dc, font, -30);
    SIZE expected = {};
    ::GetTextExtentPoint32W(hWindowDC, L"Retention", 9, &expected);
    EXPECT_EQ(CSize(expected), dc.GetTextExtent(CString(L"Retention")));
    dc.SelectStockObject(SYSTEM_FONT);
    EXPECT_EQ(0, dc.m_fnFinishResolve());
}

TEST(QLNMetaFileDCReference, DeviceWithoutPrinterFallsBackToTheScreenAndTakesItsWindowAlong)
{
    {
        // The default device takes the window along whether it measures on the printer or not.
        CQLNMetaFileDC dc;
        ASSERT_NE(nullptr, HiddenWindow());
        ASSERT_NE(nullptr, dc.m_fnGetAttribDC());
        // Left recording on purpose: the device disposes of an unfinished recording.
        EXPECT_EQ(0, dc.m_fnCreate());
    }
    EXPECT_EQ(nullptr, HiddenWindow());
    AfxDeleteTempMap();
}

TEST(QLNMetaFileDCRecording, SavedFileHoldsThePictureFrameAndDescription)
{
    Recorded dc;
    ASSERT_EQ(0, dc.m_fnFinishResolve());
    const CString path = TempPath(L"qln-recorded.emf");
    ASSERT_EQ(0, dc.m_fnSaveToFile(path));
    const HENHMETAFILE hEmf = ::GetEnhMetaFileW(path);
    ASSERT_NE(nullptr, hEmf);
    EXPECT_EQ(L"Data file: {Data File}", EmfScan(hEmf).texts.at(0).text);
    ENHMETAHEADER h = {};
    ASSERT_NE(0u, ::GetEnhMetaFileHeader(hEmf, sizeof(h), &h));
    EXPECT_EQ(CSize(10000, 3000), CSize(h.rclFrame.right - h.rclFrame.left, h.rclFrame.bottom - h.rclFrame.top));
    wchar_t description[64] = {};
    ASSERT_EQ(sizeof(L"Halverin Graphic\0Test\0") / sizeof(wchar_t), ::GetEnhMetaFileDescriptionW(hEmf, 64, description));
    EXPECT_EQ(std::wstring(L"Halverin Graphic\0Test", 21), std::wstring(description, 21));

    // A picture for people to look at: a PNG as large as the frame, its size in the header.
    const CString png = TempPath(L"qln-recorded.png");
    ASSERT_EQ(S_OK, QLNSaveEnhMetaFileAsPng(hEmf, 0, 0, png));
    const SIZE size = QLNEnhMetaFilePixelSize(hEmf);
    std::string pngSize;
    for (const LONG v : {size.cx, size.cy})
        for (int shift = 24; shift >= 0; shift -= 8)
            pngSize += static_cast<char>(v >> shift);
    EXPECT_EQ(pngSize, ReadFile(png).substr(16, 8));
    // Bad arguments are refused.
    const CString bad = TempPath(L"qln-bad.png");
    EXPECT_EQ(E_INVALIDARG, QLNSaveEnhMetaFileAsPng(nullptr, 10, 10, bad));
    EXPECT_EQ(E_INVALIDARG, QLNSaveEnhMetaFileAsPng(hEmf, 10, 10, nullptr));
    EXPECT_EQ(E_INVALIDARG, QLNSaveEnhMetaFileAsPng(hEmf, -1, 10, bad));
    EXPECT_EQ(E_INVALIDARG, QLNSaveEnhMetaFileAsPng(hEmf, 100000, 100000, bad));
    EXPECT_TRUE(FAILED(QLNSaveEnhMetaFileAsPng(hEmf, 10, 10, L"Z:\\no\\such\\folder\\x.png")));
    ::DeleteEnhMetaFile(hEmf);
}

TEST(QLNMetaFileDCResults, EachStepGivesItsCode)
{
    CQLNMetaFileDC never(false);
    EXPECT_EQ(40, never.m_fnFinishResolve());
    EXPECT_EQ(40, never.m_fnSaveToFile(TempPath(L"qln-never.emf")));
    EXPECT_EQ(40, never.m_fnCopyToClipboard());

    Recorded dc;
    EXPECT_EQ(39, dc.m_fnCreate()) << "a device records one picture at a time";
    // A path that cannot be written keeps the picture for another save, and the same again.
    EXPECT_EQ(41, dc.m_fnSaveToFile(CString(L"Z:\\no\\such\\folder\\picture.emf")));
    EXPECT_EQ(41, dc.m_fnSaveToFile(CString()));
    const CString first = TempPath(L"qln-first.emf"), second = TempPath(L"qln-second.emf");
    ASSERT_EQ(0, dc.m_fnSaveToFile(first));
    EXPECT_EQ(nullptr, dc.m_hDC) << "the recording was closed by the save";
    ASSERT_EQ(0, dc.m_fnSaveToFile(second));
    EXPECT_FALSE(ReadFile(first).empty());
    EXPECT_EQ(ReadFile(first), ReadFile(second));
    // Finishing a closed recording discards the held picture and none replaces it.
    EXPECT_EQ(40, dc.m_fnFinishResolve());
    EXPECT_EQ(40, dc.m_fnSaveToFile(TempPath(L"qln-gone.emf")));
}

TEST(QLNMetaFileDCClipboard, CopyPutsTheMetafileOnTheClipboardAndKeepsItsOwn)
{
    CFrameWnd* pHolder = new CFrameWnd;   // deletes itself with its window
    ASSERT_TRUE(pHolder->Create(AfxRegisterWndClass(0), L"clipboard holder"));
    ASSERT_TRUE(::OpenClipboard(pHolder->m_hWnd));
    Recorded dc;
    EXPECT_EQ(52, dc.m_fnCopyToClipboard()) << "held open by another window";
    ::CloseClipboard();
    pHolder->DestroyWindow();

    ASSERT_EQ(0, dc.m_fnCopyToClipboard()) << "the picture was kept for another try";
    ASSERT_TRUE(::OpenClipboard(nullptr));
    const HENHMETAFILE hOnClipboard = static_cast<HENHMETAFILE>(::GetClipboardData(CF_ENHMETAFILE));
    ASSERT_NE(nullptr, hOnClipboard);
    EXPECT_EQ(L"Data file: {Data File}", EmfScan(hOnClipboard).texts.at(0).text);
    ::CloseClipboard();
    // The device still has a picture of its own to save, and copies it again.
    EXPECT_EQ(0, dc.m_fnSaveToFile(TempPath(L"qln-after-clipboard.emf")));
    EXPECT_EQ(0, dc.m_fnCopyToClipboard());
}

namespace {

// Makes the hidden frame's window fail at WM_CREATE, after the framework has taken it over: the
// system then destroys the window, down to WM_NCDESTROY, before creation returns.
WNDPROC g_pfnFrameProc = nullptr;

LRESULT CALLBACK RefuseCreate(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return message == WM_CREATE ? -1 : ::CallWindowProcW(g_pfnFrameProc, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK RefuseHiddenFrame(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CREATESTRUCTW* pcs = nCode == HCBT_CREATEWND ? reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs : nullptr;
    if (pcs && pcs->lpszName && !IS_INTRESOURCE(pcs->lpszName) && wcscmp(pcs->lpszName, L"CVELMETAFILE WINDOW") == 0)
        g_pfnFrameProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(reinterpret_cast<HWND>(wParam), GWLP_WNDPROC,
                                                                       reinterpret_cast<LONG_PTR>(&RefuseCreate)));
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

} // namespace

TEST(QLNMetaFileDCReference, HiddenWindowRefusedAtCreationLeavesADeviceWithoutWindow)
{
    const HHOOK hHook = ::SetWindowsHookExW(WH_CBT, &RefuseHiddenFrame, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hHook);
    {
        CQLNMetaFileDC dc(false);
        ::UnhookWindowsHookEx(hHook);
        ASSERT_NE(nullptr, g_pfnFrameProc) << "the hook saw the hidden window";
        EXPECT_EQ(nullptr, HiddenWindow());
        EXPECT_EQ(nullptr, dc.m_fnGetWindowDC());
        EXPECT_EQ(nullptr, dc.m_fnGetAttribDC());
    }   // the frame is deleted here, and only here
    CQLNMetaFileDC dc(false);
    EXPECT_NE(nullptr, dc.m_fnGetWindowDC());
    EXPECT_EQ(0, dc.m_fnCreate(RECT{0, 0, 10000, 3000}));
}
