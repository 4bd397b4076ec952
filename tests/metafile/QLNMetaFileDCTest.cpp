// The metafile device: its reference DC, what it records, and every result code of finishing,
// saving and copying to the clipboard.
#include "CFrameWnd.h"
#include "CHandleMap.h"
#include "QLNEnhMetaFilePng.h"
#include "QLNMetaFileDC.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::wstring TempPath(const wchar_t* name)
{
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

std::vector<char> ReadFile(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

HWND HiddenWindow()
{
    return ::FindWindowW(nullptr, L"CVELMETAFILE WINDOW");
}

// What a metafile holds, as far as the tests look: its text runs and the faces of its fonts.
struct RecordedText
{
    std::vector<std::wstring> texts;
    std::vector<std::wstring> faces;
};

int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* pRecord, int, LPARAM lParam)
{
    RecordedText* pRecorded = reinterpret_cast<RecordedText*>(lParam);
    if (pRecord->iType == EMR_EXTTEXTOUTW) {
        const EMREXTTEXTOUTW* pText = reinterpret_cast<const EMREXTTEXTOUTW*>(pRecord);
        const wchar_t* pChars =
            reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(pRecord) + pText->emrtext.offString);
        pRecorded->texts.emplace_back(pChars, pText->emrtext.nChars);
    } else if (pRecord->iType == EMR_EXTCREATEFONTINDIRECTW) {
        const EMREXTCREATEFONTINDIRECTW* pFont = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(pRecord);
        pRecorded->faces.emplace_back(pFont->elfw.elfLogFont.lfFaceName);
    }
    return 1;
}

RecordedText ReadBack(HENHMETAFILE hEmf)
{
    RecordedText recorded;
    ::EnumEnhMetaFile(nullptr, hEmf, &CollectRecord, &recorded, nullptr);
    return recorded;
}

LOGFONTW SerifFont(int height)
{
    LOGFONTW lf = {};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    wcscpy(lf.lfFaceName, L"Times New Roman");
    return lf;
}

// Draws a small picture the way a report object does: a font, a colour, text in a rectangle.
void DrawSample(CDC& dc)
{
    CFont font;
    const LOGFONTW lf = SerifFont(-24);
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    CFont* pOld = dc.SelectObject(&font);
    dc.SetTextColor(RGB(0, 0, 128));
    CRect rc(10, 10, 390, 110);
    dc.DrawText(CString(L"Data file: {Data File}"), rc, DT_LEFT | DT_TOP);
    CBrush brush(RGB(146, 213, 208));
    dc.FillRect(CRect(10, 60, 390, 70), &brush);
    dc.SelectObject(pOld);
}

// A frame of 100 mm × 30 mm, in 0.01 mm.
const RECT g_krcFrame = {0, 0, 10000, 3000};

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
    CDC* pAttrib = dc.m_fnGetAttribDC();
    ASSERT_NE(nullptr, pAttrib);
    EXPECT_EQ(hWindowDC, pAttrib->m_hDC);
    ASSERT_NE(nullptr, dc.m_fnGetWindowDC());
    EXPECT_EQ(hWindowDC, dc.m_fnGetWindowDC()->m_hDC);

    ASSERT_EQ(0, dc.m_fnCreate(g_krcFrame));
    // Drawing is recorded; measuring is done on the window's DC.
    EXPECT_EQ(OBJ_ENHMETADC, static_cast<int>(::GetObjectType(dc.m_hDC)));
    EXPECT_EQ(hWindowDC, dc.m_hAttribDC);
    CFont font;
    const LOGFONTW lf = SerifFont(-30);
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    CFont* pOld = dc.SelectObject(&font);
    SIZE expected = {};
    ::GetTextExtentPoint32W(hWindowDC, L"Retention", 9, &expected);
    EXPECT_EQ(CSize(expected), dc.GetTextExtent(CString(L"Retention")));
    dc.SelectObject(pOld);
    EXPECT_EQ(0, dc.m_fnFinishResolve());
}

TEST(QLNMetaFileDCReference, DeviceWithoutPrinterFallsBackToTheScreen)
{
    // There is no printer in the test prefix: the default device measures on the screen too.
    CQLNMetaFileDC dc;
    ASSERT_NE(nullptr, dc.m_fnGetAttribDC());
    EXPECT_EQ(0, dc.m_fnCreate());
    DrawSample(dc);
    EXPECT_EQ(0, dc.m_fnFinishResolve());
}

TEST(QLNMetaFileDCReference, HiddenWindowGoesWithTheDevice)
{
    {
        CQLNMetaFileDC dc(false);
        ASSERT_NE(nullptr, HiddenWindow());
        // Left recording on purpose: the device disposes of an unfinished recording.
        EXPECT_EQ(0, dc.m_fnCreate());
    }
    EXPECT_EQ(nullptr, HiddenWindow());
    AfxDeleteTempMap();
}

TEST(QLNMetaFileDCRecording, RecordedTextAndFontsReadBackFromTheMetafile)
{
    CQLNMetaFileDC dc(false);
    ASSERT_EQ(0, dc.m_fnCreate(g_krcFrame));
    DrawSample(dc);
    ASSERT_EQ(0, dc.m_fnFinishResolve());
    const std::wstring path = TempPath(L"qln-recorded.emf");
    ASSERT_EQ(0, dc.m_fnSaveToFile(CString(path.c_str())));

    const HENHMETAFILE hEmf = ::GetEnhMetaFileW(path.c_str());
    ASSERT_NE(nullptr, hEmf);
    const RecordedText recorded = ReadBack(hEmf);
    ASSERT_EQ(1u, recorded.texts.size());
    EXPECT_EQ(L"Data file: {Data File}", recorded.texts[0]);
    ASSERT_FALSE(recorded.faces.empty());
    EXPECT_EQ(L"Times New Roman", recorded.faces[0]);

    ENHMETAHEADER header = {};
    ASSERT_NE(0u, ::GetEnhMetaFileHeader(hEmf, sizeof(header), &header));
    EXPECT_EQ(10000, header.rclFrame.right - header.rclFrame.left);
    EXPECT_EQ(3000, header.rclFrame.bottom - header.rclFrame.top);
    wchar_t description[64] = {};
    const UINT nDescription = ::GetEnhMetaFileDescriptionW(hEmf, 64, description);
    ASSERT_EQ(sizeof(L"Halverin Graphic\0Test\0") / sizeof(wchar_t), nDescription);
    EXPECT_STREQ(L"Halverin Graphic", description);
    EXPECT_STREQ(L"Test", description + 17);

    // The picture, for people to look at: dark blue text over a pale green bar.
    const std::wstring png = TempPath(L"qln-recorded.png");
    ASSERT_EQ(S_OK, QLNSaveEnhMetaFileAsPng(hEmf, 0, 0, png.c_str()));
    const std::vector<char> bytes = ReadFile(png);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n", 8), std::string(bytes.data(), 8));
    const SIZE size = QLNEnhMetaFilePixelSize(hEmf);
    const auto bigEndian = [&](size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
               (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
    };
    EXPECT_EQ(static_cast<unsigned>(size.cx), static_cast<unsigned>(bigEndian(16)));
    EXPECT_EQ(static_cast<unsigned>(size.cy), static_cast<unsigned>(bigEndian(20)));
    ::DeleteEnhMetaFile(hEmf);
}

TEST(QLNMetaFileDCRecording, PngOfBadArgumentsIsRefused)
{
    EXPECT_EQ(E_INVALIDARG, QLNSaveEnhMetaFileAsPng(nullptr, 10, 10, L"x.png"));
    CQLNMetaFileDC dc(false);
    ASSERT_EQ(0, dc.m_fnCreate(g_krcFrame));
    DrawSample(dc);
    const HENHMETAFILE hEmf = dc.CloseEnhanced();
    EXPECT_EQ(E_INVALIDARG, QLNSaveEnhMetaFileAsPng(hEmf, 10, 10, nullptr));
    EXPECT_EQ(E_INVALIDARG, QLNSaveEnhMetaFileAsPng(hEmf, -1, 10, TempPath(L"qln-bad.png").c_str()));
    EXPECT_EQ(E_INVALIDARG, QLNSaveEnhMetaFileAsPng(hEmf, 100000, 100000, TempPath(L"qln-bad.png").c_str()));
    EXPECT_TRUE(FAILED(QLNSaveEnhMetaFileAsPng(hEmf, 10, 10, L"Z:\\no\\such\\folder\\x.png")));
    ::DeleteEnhMetaFile(hEmf);
}

TEST(QLNMetaFileDCResults, FinishingTwiceOrWithoutRecordingGivesNoMetafile)
{
    CQLNMetaFileDC never(false);
    EXPECT_EQ(40, never.m_fnFinishResolve());
    EXPECT_EQ(40, never.m_fnSaveToFile(CString(TempPath(L"qln-never.emf").c_str())));
    EXPECT_EQ(40, never.m_fnCopyToClipboard());

    CQLNMetaFileDC dc(false);
    ASSERT_EQ(0, dc.m_fnCreate());
    EXPECT_EQ(39, dc.m_fnCreate()) << "a device records one picture at a time";
    DrawSample(dc);
    EXPECT_EQ(0, dc.m_fnFinishResolve());
    // The recording is closed: the held picture is discarded and none replaces it.
    EXPECT_EQ(40, dc.m_fnFinishResolve());
    EXPECT_EQ(40, dc.m_fnSaveToFile(CString(TempPath(L"qln-gone.emf").c_str())));
}

TEST(QLNMetaFileDCResults, SavingClosesTheRecordingAndCanBeRepeated)
{
    CQLNMetaFileDC dc(false);
    ASSERT_EQ(0, dc.m_fnCreate(g_krcFrame));
    DrawSample(dc);
    const std::wstring first = TempPath(L"qln-first.emf");
    const std::wstring second = TempPath(L"qln-second.emf");
    ASSERT_EQ(0, dc.m_fnSaveToFile(CString(first.c_str())));
    EXPECT_EQ(nullptr, dc.m_hDC) << "the recording was closed by the save";
    ASSERT_EQ(0, dc.m_fnSaveToFile(CString(second.c_str())));
    const std::vector<char> a = ReadFile(first);
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, ReadFile(second));
}

TEST(QLNMetaFileDCResults, UnwritablePathKeepsThePictureForAnotherTry)
{
    CQLNMetaFileDC dc(false);
    ASSERT_EQ(0, dc.m_fnCreate(g_krcFrame));
    DrawSample(dc);
    EXPECT_EQ(41, dc.m_fnSaveToFile(CString(L"Z:\\no\\such\\folder\\picture.emf")));
    EXPECT_EQ(41, dc.m_fnSaveToFile(CString()));
    const std::wstring path = TempPath(L"qln-retry.emf");
    EXPECT_EQ(0, dc.m_fnSaveToFile(CString(path.c_str())));
    const HENHMETAFILE hEmf = ::GetEnhMetaFileW(path.c_str());
    ASSERT_NE(nullptr, hEmf);
    EXPECT_EQ(1u, ReadBack(hEmf).texts.size());
    ::DeleteEnhMetaFile(hEmf);
}

TEST(QLNMetaFileDCClipboard, CopyPutsTheMetafileOnTheClipboardAndKeepsItsOwn)
{
    CQLNMetaFileDC dc(false);
    ASSERT_EQ(0, dc.m_fnCreate(g_krcFrame));
    DrawSample(dc);
    ASSERT_EQ(0, dc.m_fnCopyToClipboard());

    ASSERT_TRUE(::OpenClipboard(nullptr));
    const HENHMETAFILE hOnClipboard = static_cast<HENHMETAFILE>(::GetClipboardData(CF_ENHMETAFILE));
    ASSERT_NE(nullptr, hOnClipboard);
    EXPECT_EQ(L"Data file: {Data File}", ReadBack(hOnClipboard).texts.at(0));
    ::CloseClipboard();

    // The device still has a picture of its own to save, and copies it again.
    EXPECT_EQ(0, dc.m_fnSaveToFile(CString(TempPath(L"qln-after-clipboard.emf").c_str())));
    EXPECT_EQ(0, dc.m_fnCopyToClipboard());
}

TEST(QLNMetaFileDCClipboard, ClipboardHeldOpenByAnotherWindowGives52)
{
    CFrameWnd* pHolder = new CFrameWnd;
    ASSERT_TRUE(pHolder->Create(AfxRegisterWndClass(0), L"clipboard holder"));
    ASSERT_TRUE(::OpenClipboard(pHolder->m_hWnd));

    CQLNMetaFileDC dc(false);
    ASSERT_EQ(0, dc.m_fnCreate(g_krcFrame));
    DrawSample(dc);
    EXPECT_EQ(52, dc.m_fnCopyToClipboard());

    ::CloseClipboard();
    EXPECT_EQ(0, dc.m_fnCopyToClipboard()) << "the picture was kept for another try";
    // A frame deletes itself with its window.
    pHolder->DestroyWindow();
}

namespace {

// Makes the hidden frame's window fail at WM_CREATE, after the framework has taken it over: the
// system then destroys the window, down to WM_NCDESTROY, before creation returns.
WNDPROC g_pfnFrameProc = nullptr;

LRESULT CALLBACK RefuseCreate(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return -1;
    return ::CallWindowProcW(g_pfnFrameProc, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK RefuseHiddenFrame(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND) {
        const CREATESTRUCTW* pcs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (pcs->lpszName != nullptr && !IS_INTRESOURCE(pcs->lpszName) &&
            wcscmp(pcs->lpszName, L"CVELMETAFILE WINDOW") == 0)
            g_pfnFrameProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
                reinterpret_cast<HWND>(wParam), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RefuseCreate)));
    }
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
    EXPECT_EQ(0, dc.m_fnCreate(g_krcFrame));
}
