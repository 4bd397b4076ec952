// The metafile device against the prefix's PostScript printer: with a default printer the
// recording's reference device and every measurement are the printer's; with none the device
// measures on the screen.
#include "EmfScan.h"
#include "QLNBaseLibrary.h"
#include "QLNMetaFileDC.h"
#include "ScopedRegistryValue.h"
#include "TestTextControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const wchar_t g_kszWindowsKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

// The reference device a finished recording names in its header: its size in pixels.
SIZE RecordedDevice(CQLNMetaFileDC& dc)
{
    EXPECT_EQ(0, dc.m_fnCreate());
    dc.MoveTo(0, 0);
    dc.LineTo(10, 10);
    EXPECT_EQ(0, dc.m_fnFinishResolve());
    CString path;
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    path.Format(L"%sprinter-reference-%lu.emf", dir, ::GetCurrentProcessId());
    EXPECT_EQ(0, dc.m_fnSaveToFile(path));
    const HENHMETAFILE hEmf = ::GetEnhMetaFileW(path);
    ENHMETAHEADER header = {};
    ::GetEnhMetaFileHeader(hEmf, sizeof(header), &header);
    ::DeleteEnhMetaFile(hEmf);
    ::DeleteFileW(path);
    return header.szlDevice;
}

// The height and width of a 10-point text measured through the device while it records.
SIZE TenPointExtent(CQLNMetaFileDC& dc)
{
    EXPECT_EQ(0, dc.m_fnCreate());
    LOGFONTW lf = {};
    lf.lfHeight = -::MulDiv(10, ::GetDeviceCaps(dc.m_hAttribDC, LOGPIXELSY), 72);
    wcscpy(lf.lfFaceName, L"Times New Roman");
    CFont font;
    EXPECT_TRUE(font.CreateFontIndirect(&lf));
    CFont* pOld = dc.SelectObject(&font);
    const CSize extent = dc.GetTextExtent(CString(L"Retention time"));
    dc.SelectObject(pOld);
    EXPECT_EQ(0, dc.m_fnFinishResolve());
    return extent;
}

// The device's own recording, for reading back.
class CRecording : public CQLNMetaFileDC
{
public:
    explicit CRecording(bool bUsePrinter) : CQLNMetaFileDC(bUsePrinter) {}
    HENHMETAFILE MetaFile() const { return m_hEnhMetaFile; }
};

const wchar_t g_kszLongText[] =
    L"Second injection after a column flush, with the mobile phase renewed and the detector "
    L"lamp warmed up for an hour before the first standard of the sequence was injected";

// The texts a long line is drawn as, in an object nWidth screen pixels wide, recorded on the
// printer (at the zoom that keeps the size on paper) or on the screen. At one pixel size Wine
// measures alike on both; the screen's small hinted sizes are what break lines elsewhere.
std::vector<EmfText> Pieces(bool bOnPrinter, int nWidth)
{
    CRecording dc(bOnPrinter);
    const double dZoom =
        bOnPrinter ? ::GetDeviceCaps(dc.m_fnGetAttribDC()->GetSafeHdc(), LOGPIXELSY) / 96.0 : 1.0;
    TestTextControl control;
    EXPECT_TRUE(control.Place(nWidth, 600));
    control.m_engine.m_fnResetColumnWidths(1, 1, 0);
    control.m_engine.m_fnSetZoom(dZoom);
    control.SetLines(g_kszLongText);
    EXPECT_EQ(0, dc.m_fnCreate());
    control.Draw(&dc, CRect(0, 0, static_cast<int>(std::lround(nWidth * dZoom)), static_cast<int>(std::lround(600 * dZoom))));
    EXPECT_EQ(0, dc.m_fnFinishResolve());
    return EmfScan(dc.MetaFile()).texts;
}

std::vector<std::wstring> Texts(const std::vector<EmfText>& pieces)
{
    std::vector<std::wstring> texts;
    for (const EmfText& piece : pieces)
        texts.push_back(piece.text);
    return texts;
}

} // namespace

TEST(PrinterReference, DefaultPrinterIsTheReferenceOfTheRecordingAndOfEveryMeasurement)
{
    CQLNMetaFileDC dc;
    CDC* pReference = dc.m_fnGetAttribDC();
    ASSERT_NE(nullptr, pReference);
    const HDC hPrinter = pReference->GetSafeHdc();
    ASSERT_EQ(DT_RASPRINTER, ::GetDeviceCaps(hPrinter, TECHNOLOGY)) << "the prefix has no default printer";
    EXPECT_EQ(300, ::GetDeviceCaps(hPrinter, LOGPIXELSY));
    // The window is made all the same, for callers that want the screen.
    ASSERT_NE(nullptr, dc.m_fnGetWindowDC());
    EXPECT_NE(hPrinter, dc.m_fnGetWindowDC()->GetSafeHdc());

    const SIZE device = RecordedDevice(dc);
    EXPECT_EQ(::GetDeviceCaps(hPrinter, HORZRES), device.cx);
    EXPECT_EQ(::GetDeviceCaps(hPrinter, VERTRES), device.cy);

    // Ten points at 300 dpi: about 42 pixels of em, a line of some 50; the printer measures the
    // outline font unhinted, so the width is the design width scaled, not the screen's.
    const SIZE printed = TenPointExtent(dc);
    EXPECT_GE(printed.cy, 42);
    EXPECT_LE(printed.cy, 52);
    CQLNMetaFileDC screen(false);
    const SIZE shown = TenPointExtent(screen);
    const int nScreenDpi = ::GetDeviceCaps(screen.m_fnGetAttribDC()->GetSafeHdc(), LOGPIXELSY);
    EXPECT_LT(shown.cy, printed.cy);
    // Scaled to the same resolution the two differ only by hinting and rounding: a few percent.
    EXPECT_NEAR(static_cast<double>(printed.cx), static_cast<double>(shown.cx) * 300 / nScreenDpi, printed.cx * 0.06);
}

TEST(PrinterReference, WithoutDefaultPrinterTheDeviceMeasuresOnTheScreen)
{
    // The default printer is one registry value of the user's; without it there is none, while
    // the printer itself stays installed for the tests that follow.
    ScopedRegistryValue defaultPrinter(HKEY_CURRENT_USER, g_kszWindowsKey, L"Device");
    defaultPrinter.Delete();

    CQLNMetaFileDC dc;
    CDC* pReference = dc.m_fnGetAttribDC();
    ASSERT_NE(nullptr, pReference);
    ASSERT_NE(nullptr, dc.m_fnGetWindowDC());
    EXPECT_EQ(dc.m_fnGetWindowDC()->GetSafeHdc(), pReference->GetSafeHdc());
    EXPECT_EQ(DT_RASDISPLAY, ::GetDeviceCaps(pReference->GetSafeHdc(), TECHNOLOGY));
    const HDC hScreen = ::GetDC(nullptr);
    const SIZE device = RecordedDevice(dc);
    EXPECT_EQ(::GetDeviceCaps(hScreen, HORZRES), device.cx);
    EXPECT_EQ(::GetDeviceCaps(hScreen, VERTRES), device.cy);
    const SIZE shown = TenPointExtent(dc);
    EXPECT_LT(shown.cy, ::MulDiv(20, ::GetDeviceCaps(hScreen, LOGPIXELSY), 72));
    ::ReleaseDC(nullptr, hScreen);
}

TEST(PrinterReference, LongTextBreaksWhereThePrinterMeasuresItsLinesFull)
{
    // The engine's strings come from the library's resources.
    QLV_BaseLibInit();
    // A width at which the screen's hinted measures and the printer's break the text apart.
    int nWidth = 0;
    std::vector<EmfText> printed;
    for (int w = 160; w <= 400 && nWidth == 0; w += 4) {
        printed = Pieces(true, w);
        if (printed.size() > 2 && Texts(printed) != Texts(Pieces(false, w)))
            nWidth = w;
    }
    ASSERT_NE(0, nWidth) << "screen and printer break the text alike at every width tried";

    // Every printed line fits one limit that the next word would pass, measured on the printer
    // in the font that the recording used.
    CQLNMetaFileDC printer;
    const HDC hPrinter = printer.m_fnGetAttribDC()->GetSafeHdc();
    LOGFONTW lf = {};
    lf.lfHeight = printed[0].height;
    wcscpy(lf.lfFaceName, printed[0].face.c_str());
    const HFONT hFont = ::CreateFontIndirectW(&lf);
    const HGDIOBJ hOld = ::SelectObject(hPrinter, hFont);
    auto width = [hPrinter](const std::wstring& text) {
        SIZE size = {};
        ::GetTextExtentPoint32W(hPrinter, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    };
    LONG widest = 0, narrowestOverflow = LONG_MAX;
    for (size_t i = 0; i + 1 < printed.size(); ++i) {
        std::wstring line = printed[i].text;
        while (!line.empty() && line.back() == L' ')
            line.pop_back();
        const std::wstring& next = printed[i + 1].text;
        widest = std::max(widest, width(line));
        narrowestOverflow = std::min(narrowestOverflow, width(line + L" " + next.substr(0, next.find(L' '))));
    }
    ::SelectObject(hPrinter, hOld);
    ::DeleteObject(hFont);
    EXPECT_LT(widest, narrowestOverflow) << "at " << nWidth << " pixels the printed lines were not broken "
                                            "by the printer's measures";
}
