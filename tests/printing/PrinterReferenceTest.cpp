// The metafile device against the prefix's PostScript printer: with a default printer the
// recording's reference device and every measurement are the printer's; with none the device
// measures on the screen.
#include "QLNMetaFileDC.h"
#include "ScopedRegistryValue.h"

#include <gtest/gtest.h>

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
