// The sample chromatogram: created by ProgID, given a signal and peaks through its dispatch
// interface and drawn into a metafile read back record by record; a script that hands it an
// array; both property-set formats; the demo host resolving its title; a user at its sheet.
#include "CQLNSignalResolution.h"
#include "E2eSupport.h"
#include "EmfScan.h"
#include "HtmlHelpRecorderProbe.h"
#include "ScopedRegistryValue.h"
#include "ScratchFolder.h"
#include "SiblingHost.h"

#include <algorithm>
#include <cmath>

using namespace qlntest;

namespace {

const wchar_t kProgId[] = L"QLNSample.Chromatogram";
// Ids of the chromatogram's page.
const int kTitleId = 1001, kTimeFromId = 1004, kTimeToId = 1005;

class ChromatogramHost : public SiblingHost
{
protected:
    ChromatogramHost() : SiblingHost(L"QLNSampleChromatogram.dll", kProgId, L"Chromatogram") {}
};

// Collects every point of a polyline record (a callback of the system's calling convention,
// which a lambda cannot give on 32-bit).
int CALLBACK CollectPolylinePoints(HDC, HANDLETABLE*, const ENHMETARECORD* pRecord, int, LPARAM lParam)
{
    auto& out = *reinterpret_cast<std::vector<POINT>*>(lParam);
    if (pRecord->iType == EMR_POLYLINE16) {
        const auto* p = reinterpret_cast<const EMRPOLYLINE16*>(pRecord);
        for (DWORD i = 0; i < p->cpts; ++i)
            out.push_back(POINT{p->apts[i].x, p->apts[i].y});
    } else if (pRecord->iType == EMR_POLYLINE) {
        const auto* p = reinterpret_cast<const EMRPOLYLINE*>(pRecord);
        for (DWORD i = 0; i < p->cptl; ++i)
            out.push_back(POINT{p->aptl[i].x, p->aptl[i].y});
    }
    return 1;
}

// Every point of the polylines a metafile records: the trace (axes and baselines are lines).
std::vector<POINT> TracePoints(HENHMETAFILE hemf)
{
    std::vector<POINT> points;
    ::EnumEnhMetaFile(nullptr, hemf, CollectPolylinePoints, &points, nullptr);
    return points;
}

// The title's ink when a recording is played at its size: the box round the dark pixels of its
// first 24 rows.
RECT TitleInk(HENHMETAFILE hemf)
{
    ENHMETAHEADER header = {};
    ::GetEnhMetaFileHeader(hemf, sizeof header, &header);
    const RECT rc = {0, 0, header.rclBounds.right + 1, header.rclBounds.bottom + 1};
    const HDC hScreen = ::GetDC(nullptr);
    const HDC hdc = ::CreateCompatibleDC(hScreen);
    const HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, rc.right, rc.bottom);
    const HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    ::FillRect(hdc, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::PlayEnhMetaFile(hdc, hemf, &rc);
    const RECT ink = PixelGrab(hdc, rc.right, rc.bottom).InkBox(RECT{0, 0, rc.right, 24});
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hdc);
    ::ReleaseDC(nullptr, hScreen);
    return ink;
}

// How wide a text is in the font a recorded text output used.
int WidthIn(const EmfText& output, const std::wstring& text)
{
    const HDC hdc = ::GetDC(nullptr);
    const HFONT hFont = ::CreateFontIndirectW(&output.font);
    const HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    SIZE size = {};
    ::GetTextExtentPoint32W(hdc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hFont);
    ::ReleaseDC(nullptr, hdc);
    return size.cx;
}

struct Drawing
{
    EmfScan scan;
    std::vector<POINT> trace;
};

Drawing Draw(CQLNTextObjClient& object, RECT bounds)
{
    std::wstring error;
    const HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(object.Draw(nullptr, hdc, bounds, error)) << error;
    const HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
    Drawing drawing{EmfScan(hemf), TracePoints(hemf)};
    ::DeleteEnhMetaFile(hemf);
    return drawing;
}

// A variant holding a new array of doubles; the caller clears it.
VARIANT DoubleArray(const std::vector<double>& values)
{
    VARIANT v;
    V_VT(&v) = VT_ARRAY | VT_R8;
    V_ARRAY(&v) = ::SafeArrayCreateVector(VT_R8, 0, static_cast<ULONG>(values.size()));
    double* pData = nullptr;
    ::SafeArrayAccessData(V_ARRAY(&v), reinterpret_cast<void**>(&pData));
    std::copy(values.begin(), values.end(), pData);
    ::SafeArrayUnaccessData(V_ARRAY(&v));
    return v;
}

VARIANT Number(double d)
{
    VARIANT v;
    V_VT(&v) = VT_R8;
    V_R8(&v) = d;
    return v;
}

VARIANT Text(const wchar_t* psz)
{
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = ::SysAllocString(psz);
    return v;
}

bool SetSignal(CQLNTextObjClient& object, const std::vector<double>& values, double interval, double delay,
               const wchar_t* timeUnit, const wchar_t* unit, std::wstring& error)
{
    std::vector<VARIANT> args = {DoubleArray(values), Number(interval), Number(delay), Text(timeUnit), Text(unit)};
    const bool ok = object.CallMethod(L"SetSignal", args, nullptr, error);
    for (VARIANT& v : args)
        ::VariantClear(&v);
    return ok;
}

bool SetPeaks(CQLNTextObjClient& object, const wchar_t* rows, std::wstring& error)
{
    std::vector<VARIANT> args = {Text(rows)};
    const bool ok = object.CallMethod(L"SetPeaks", args, nullptr, error);
    ::VariantClear(&args[0]);
    return ok;
}

// Ten minutes at two samples a second on a small baseline: peaks at 2, 5 (the biggest) and 7.5
// minutes.
std::vector<double> ThreePeaks()
{
    std::vector<double> values(1201);
    for (size_t i = 0; i < values.size(); ++i) {
        const double t = i / 120.0;
        const auto peak = [t](double rt, double height, double sigma) {
            return height * std::exp(-(t - rt) * (t - rt) / (2 * sigma * sigma));
        };
        values[i] = 1.5 + peak(2.0, 30, 0.06) + peak(5.0, 120, 0.08) + peak(7.5, 60, 0.1);
    }
    return values;
}

const wchar_t kThreePeaks[] = L"2.0\t1.8\t2.2\tCaffeine\r\n5.0\t4.7\t5.3\tTheobromine\r\n7.5\t7.1\t7.9\tParaxanthine";

} // namespace

// A signal of three Gaussian peaks in seconds, given through the dispatch interface and drawn at
// 600 x 300: the trace's highest point lies at the biggest peak's retention time to a device
// column (placed by the time axis's own tick labels), its name sits above that point, and the
// axes' labels, the time axis's name and the detector's unit are in the recording.
TEST(Chromatogram, TheTracesHighestPointIsAtTheBiggestPeakAndItsNameAboveIt)
{
    E2e::SampleRegistration registration(L"QLNSampleChromatogram.dll", kProgId);
    ASSERT_EQ(S_OK, registration.Result());
    CQLNTextObjClient chromatogram;
    std::wstring error;
    ASSERT_TRUE(chromatogram.Create(kProgId, error) && chromatogram.InitNew(error)) << error;
    ASSERT_TRUE(SetSignal(chromatogram, ThreePeaks(), 0.5, 0.0, L"s", L"mAU", error)) << error;
    ASSERT_TRUE(SetPeaks(chromatogram, kThreePeaks, error)) << error;

    const Drawing drawing = Draw(chromatogram, RECT{0, 0, 600, 300});
    ASSERT_GT(drawing.trace.size(), 100u);
    EXPECT_LT(drawing.trace.size(), 4u * 600) << "at most four points a column";
    const POINT top = *std::min_element(drawing.trace.begin(), drawing.trace.end(),
                                        [](const POINT& a, const POINT& b) { return a.y < b.y; });
    const EmfText* p4 = drawing.scan.Find(L"4");
    const EmfText* p6 = drawing.scan.Find(L"6");
    ASSERT_TRUE(p4 != nullptr && p6 != nullptr) << drawing.scan.TextList();
    const double expected = (p4->ref.x + p6->ref.x) / 2.0;
    EXPECT_LE(std::fabs(top.x - expected), 1.0) << "the apex at 5 minutes, between the ticks of 4 and 6";

    for (const wchar_t* text : {L"Time (min)", L"mAU", L"0", L"2", L"8", L"10", L"Caffeine", L"Paraxanthine"})
        EXPECT_NE(nullptr, drawing.scan.Find(text)) << text << " in " << drawing.scan.TextList();
    const EmfText* pName = drawing.scan.Find(L"Theobromine");
    ASSERT_NE(nullptr, pName) << drawing.scan.TextList();
    EXPECT_LT(pName->ref.y, top.y) << "the name above the apex";
    EXPECT_LT(std::abs(pName->ref.x - top.x), 60) << "and over it";
    EXPECT_EQ(nullptr, drawing.scan.Find(L"No signal data"));

    // Retention times instead of names; the same at twice the size, where the trace keeps to a
    // handful of points a column.
    ASSERT_TRUE(chromatogram.PutProperty(L"PeakLabels", L"1", error)) << error;
    const Drawing times = Draw(chromatogram, RECT{0, 0, 1200, 600});
    EXPECT_NE(nullptr, times.scan.Find(L"5.00")) << times.scan.TextList();
    EXPECT_EQ(nullptr, times.scan.Find(L"Theobromine"));
    EXPECT_LT(times.trace.size(), 4u * 1200);
}

// Without a signal the chromatogram draws a made-up trace and says it has none; the data the host
// gives is never saved, and data it cannot draw is refused with a reason, the old data kept.
TEST(Chromatogram, WithoutDataItSaysSoAndItsDataIsNeverSavedNorReplacedByBadData)
{
    E2e::SampleRegistration registration(L"QLNSampleChromatogram.dll", kProgId);
    ASSERT_EQ(S_OK, registration.Result());
    CQLNTextObjClient chromatogram;
    std::wstring error;
    ASSERT_TRUE(chromatogram.Create(kProgId, error) && chromatogram.InitNew(error)) << error;
    const Drawing empty = Draw(chromatogram, RECT{0, 0, 400, 200});
    EXPECT_NE(nullptr, empty.scan.Find(L"No signal data")) << empty.scan.TextList();
    EXPECT_GT(empty.trace.size(), 10u) << "a placeholder trace";
    EXPECT_NE(nullptr, empty.scan.Find(L"{SampName}")) << "the new object's title";

    std::string before, after;
    ASSERT_TRUE(chromatogram.SaveStream(before, error, false)) << error;
    ASSERT_TRUE(SetSignal(chromatogram, ThreePeaks(), 0.5 / 60, 0.2, L"min", L"mV", error)) << error;
    ASSERT_TRUE(SetPeaks(chromatogram, kThreePeaks, error)) << error;
    ASSERT_TRUE(chromatogram.SaveStream(after, error, false)) << error;
    EXPECT_TRUE(before == after) << "the template keeps no data";

    EXPECT_FALSE(SetSignal(chromatogram, {1, 2}, 1.0, 0.0, L"h", L"mV", error));
    EXPECT_NE(std::wstring::npos, error.find(L"the time unit \"s\" or \"min\"")) << error;
    EXPECT_FALSE(SetSignal(chromatogram, {1, 2}, 0.0, 0.0, L"s", L"mV", error)) << "no interval";
    EXPECT_FALSE(SetPeaks(chromatogram, L"5.0\t4.7\t5.3\tGood\r\nfive\t4.7\t5.3\tBad", error));
    EXPECT_NE(std::wstring::npos, error.find(L"separated by tabs")) << error;
    const Drawing kept = Draw(chromatogram, RECT{0, 0, 600, 300});
    EXPECT_NE(nullptr, kept.scan.Find(L"mV")) << "the signal before the refusals";
    EXPECT_NE(nullptr, kept.scan.Find(L"Theobromine")) << kept.scan.TextList();
    EXPECT_EQ(nullptr, kept.scan.Find(L"Good"));

    // An empty signal takes the data away again.
    VARIANT nothing;
    ::VariantInit(&nothing);
    std::vector<VARIANT> args = {nothing, Number(1), Number(0), Text(L"s"), Text(L"")};
    ASSERT_TRUE(chromatogram.CallMethod(L"SetSignal", args, nullptr, error)) << error;
    for (VARIANT& v : args)
        ::VariantClear(&v);
    EXPECT_NE(nullptr, Draw(chromatogram, RECT{0, 0, 400, 200}).scan.Find(L"No signal data"));
}

// A script makes the chromatogram by ProgID and hands it an array of its own (of variants), its
// peaks as rows, and reads its title as the lines it offers.
TEST(Chromatogram, AScriptGivesItAnArrayAndReadsItsTitleAsLines)
{
    E2e::SampleRegistration registration(L"QLNSampleChromatogram.dll", kProgId);
    ASSERT_EQ(S_OK, registration.Result());
    E2e::ScratchFolder folder;
    ASSERT_TRUE(E2e::WriteBytes(folder.Path(L"chrom.vbs"),
        "Set c = CreateObject(\"QLNSample.Chromatogram\")\r\n"
        "c.SetSignal Array(1, 2.5, 9, 2.5, 1), 0.5, 0, \"s\", \"mAU\"\r\n"
        "c.SetPeaks \"0.033\" & vbTab & \"0.01\" & vbTab & \"0.06\" & vbTab & \"X\"\r\n"
        "c.Title = \"Run {SampName} of {DataFile}\"\r\n"
        "Dim s\r\n"
        "n = c.GetLine(0, s)\r\n"
        "WScript.Echo c.GetLineCount() & \"|\" & s & \"|\" & n & \"|\" & Replace(c.TextFields, Chr(12), \"~\")\r\n"
        "On Error Resume Next\r\n"
        "c.LineWidth = 0\r\n"
        "WScript.Echo Err.Description\r\n"
        "Err.Clear\r\n"
        "c.SetSignal \"1 2 3\", 1, 0, \"s\", \"\"\r\n"
        "WScript.Echo Err.Description\r\n"
        "On Error GoTo 0\r\n"
        "WScript.Echo c.LineWidth & \"|\" & c.PeakLabels & \"|\" & c.Baselines\r\n"
        "WScript.Quit(7)\r\n"));
    const E2e::ProcessResult r = E2e::Run(L"cscript.exe //nologo \"" + folder.Path(L"chrom.vbs") + L"\"");
    EXPECT_EQ(7u, r.exitCode) << r.out << r.err;
    EXPECT_EQ("1|Run {SampName} of {DataFile}|28|~-1~Run {SampName} of {DataFile}\r\n"
              "LineWidth is from 1 to 20.\r\n"
              "SetSignal takes an array of numbers, an interval above zero, a delay and the time unit \"s\" or \"min\".\r\n"
              "1|0|True\r\n",
              r.out);
}

// Both property-set formats hold every property: a chromatogram written as a bag and read into a
// new one saves the same stream; a bag with values it cannot draw gives their defaults.
TEST(Chromatogram, TheBagAndTheStreamHoldTheSameChromatogram)
{
    E2e::SampleRegistration registration(L"QLNSampleChromatogram.dll", kProgId);
    ASSERT_EQ(S_OK, registration.Result());
    CQLNTextObjClient first, second;
    std::wstring error;
    ASSERT_TRUE(first.Create(kProgId, error) && first.InitNew(error)) << error;
    const std::string edited = SampleObject::WithValues(SampleObject::SaveBagText(first), {
        {"Title", "Лабораторія {SampName} 試料"}, {"TimeRange", "1"}, {"TimeFrom", "1.25"}, {"TimeTo", "8.5"},
        {"SignalRange", "1"}, {"SignalFrom", "-5"}, {"SignalTo", "150"}, {"PeakLabels", "1"},
        {"Baselines", "false"}, {"LineWidth", "3"}, {"TraceColor", "255"}, {"AxisFont.Size", "11.25"}});
    ASSERT_TRUE(SampleObject::LoadBagText(first, edited)) << edited;
    std::string stream1, stream2;
    ASSERT_TRUE(first.SaveStream(stream1, error)) << error;
    ASSERT_TRUE(second.Create(kProgId, error) && second.LoadStream(stream1, error)) << error;
    EXPECT_EQ(SampleObject::SaveBagText(first), SampleObject::SaveBagText(second));
    ASSERT_TRUE(second.SaveStream(stream2, error)) << error;
    EXPECT_TRUE(stream1 == stream2);
    EXPECT_EQ(L"Лабораторія {SampName} 試料", SampleObject::Get(second, L"Title"));
    EXPECT_EQ(L"8.5", SampleObject::Get(second, L"TimeTo"));
    EXPECT_EQ(L"AxisFont.Size=11.2500", BagLine(second, "AxisFont.Size"));

    ASSERT_TRUE(SampleObject::LoadBagText(second, SampleObject::WithValues(edited, {
        {"TimeRange", "7"}, {"PeakLabels", "-1"}, {"LineWidth", "500"}, {"SignalMargin", "1000"}})));
    EXPECT_EQ(L"0|0|1|5", SampleObject::Get(second, L"TimeRange") + L"|" + SampleObject::Get(second, L"PeakLabels") +
                              L"|" + SampleObject::Get(second, L"LineWidth") + L"|" +
                              SampleObject::Get(second, L"SignalMargin"));
}

// The demo host resolves the chromatogram as it resolves a text object's lines: the title's tokens
// take their values in the lines it prints and in the drawing, each value pushing the title's
// rest along; and it gives the chromatogram the
// data's signal, in seconds, and its peaks from the data's rows.
TEST(Chromatogram, TheDemoHostResolvesItsTitleAndGivesItTheSignalAndPeaks)
{
    E2e::SampleRegistration registration(L"QLNSampleChromatogram.dll", kProgId);
    ASSERT_EQ(S_OK, registration.Result());
    E2e::ScratchFolder folder;
    ASSERT_TRUE(E2e::WriteBytes(folder.Path(L"data.txt"),
                                "SampName=Caffeine standard, 5 ug/mL\r\nDataFile=run042.d\r\n"
                                "Signal.Values=1 1 1 5 40 5 1 1 1 1 1\r\nSignal.Interval=6\r\nSignal.Unit=mAU\r\n"
                                "Row1.RT=0.4\r\nRow1.PeakStart=0.3\r\nRow1.PeakEnd=0.5\r\nRow1.CompName=Caffeine\r\n"
                                "Row2.RT=0.9\r\nRow2.CompName=Unresolved\r\n"));
    const E2e::ProcessResult r = E2e::Run(L"\"" + E2e::BinDirectory() +
                                          L"textobj.exe\" --progid QLNSample.Chromatogram --set \"Title=Run "
                                          L"{SampName} ({DataFile})\" --resolve \"" + folder.Path(L"data.txt") +
                                          L"\" --draw \"" + folder.Path(L"c.emf") + L"\"");
    ASSERT_EQ(0u, r.exitCode) << r.out << r.err;
    EXPECT_EQ("Run Caffeine standard, 5 ug/mL (run042.d)\r\n", r.out);
    const HENHMETAFILE hemf = ::GetEnhMetaFileW(folder.Path(L"c.emf").c_str());
    const EmfScan scan(hemf);
    const std::vector<POINT> trace = TracePoints(hemf);
    const RECT title = TitleInk(hemf);
    ::DeleteEnhMetaFile(hemf);
    EXPECT_NE(nullptr, scan.Find(L"Caffeine standard, 5 ug/mL")) << scan.TextList();
    EXPECT_NE(nullptr, scan.Find(L"run042.d")) << scan.TextList();
    EXPECT_EQ(nullptr, scan.Find(L"{SampName}")) << scan.TextList();
    const EmfText* pRun = scan.Find(L"Run ");
    ASSERT_NE(nullptr, pRun) << scan.TextList();
    // Played at about its size: a few per cent either way. Were the pieces left where the tokens
    // were, the value would run over them and the title be a fifth narrower.
    const int width = WidthIn(*pRun, L"Run Caffeine standard, 5 ug/mL (run042.d)");
    EXPECT_GE(title.right - title.left, width * 95 / 100)
        << "the longer value pushes the rest of the title along instead of running into it";
    EXPECT_EQ(nullptr, scan.Find(L"No signal data")) << scan.TextList();
    EXPECT_NE(nullptr, scan.Find(L"mAU")) << scan.TextList();
    const EmfText* pName = scan.Find(L"Caffeine");
    ASSERT_NE(nullptr, pName) << scan.TextList();
    EXPECT_NE(nullptr, scan.Find(L"Unresolved")) << "a peak without start and end is labelled at its time";
    ASSERT_EQ(11u, trace.size()) << "fewer samples than columns: every one";
    EXPECT_LT(std::abs(pName->ref.x - trace[4].x), 60) << "the name over the sample at 0.4 minutes";
}

// The data's samples as a host reads them: numbers between blanks, nothing else.
TEST(Chromatogram, TheDataSignalIsNumbersBetweenBlanks)
{
    struct Row
    {
        const char* rule;
        const wchar_t* text;
        bool ok;
        std::vector<double> values;
    };
    const Row rows[] = {
        {"blanks, tabs and line breaks between", L" 1\t2.5\r\n-3e2 ", true, {1, 2.5, -300}},
        {"nothing: no samples", L"  ", true, {}},
        {"a word that is no number", L"1 2 x 4", false, {}},
        {"a number with more after it", L"1 2,5", false, {}},
        {"not finite", L"1 inf", false, {}},
    };
    for (const Row& row : rows) {
        std::vector<double> values = {42};
        EXPECT_EQ(row.ok, CQLNSignalResolution::ParseValues(row.text, values)) << row.rule;
        EXPECT_EQ(row.ok ? row.values : std::vector<double>{42}, values) << row.rule << ": kept when refused";
    }
}

// A user at the sheet, by the keyboard alone: types a title in three scripts, picks part of the run
// by its mnemonic and tabs into its times, labels by retention time, turns the baselines off and
// asks Help; Ctrl+Tab shows the font page, its buttons named for the plot, and Ctrl+Shift+Tab
// leads back, where Enter is OK. The chromatogram has every edit and draws it.
TEST_F(ChromatogramHost, AUserSetsThePageByTheKeyboardAndEnterKeepsTheEdits)
{
    ScopedRegistryValue helpControl(HKEY_CLASSES_ROOT, kHtmlHelpControlKey, nullptr);
    helpControl.SetString(REG_SZ, HtmlHelpRecorderProbe::RecorderPath());
    const std::wstring title = L"Пробa {SampName} 試料 δ";
    RunSheet({
        [&] { return NotePlace() && PressHelp(); },
        {"help for the page", [&] {
             if (!HelpAsked())
                 return false;
             PostTyping(Item(kTitleId), title);
             return PressChord({VK_MENU, 'F'}), true;
         }},
        {"the part of the run chosen", [&] {
             return ::SendMessageW(Item(1003), BM_GETCHECK, 0, 0) == BST_CHECKED && NotePlace() &&
                    (PressChord({VK_TAB}), true);
         }},
        {"in the first time", [&] {
             if (::GetFocus() != Item(kTimeFromId))
                 return false;
             NotePlace();
             PostTyping(::GetFocus(), L"1.5");
             return PressChord({VK_TAB}), true;
         }},
        {"in the second time", [&] {
             if (::GetFocus() != Item(kTimeToId))
                 return false;
             PostTyping(::GetFocus(), L"8");
             return PressChord({VK_MENU, 'R'}), true;
         }},
        {"labels by retention time", [&] {
             return ::SendMessageW(Item(1012), BM_GETCHECK, 0, 0) == BST_CHECKED && NotePlace() &&
                    (PressChord({VK_MENU, 'B'}), true);
         }},
        {"the baselines off", [&] {
             return ::SendMessageW(Item(1014), BM_GETCHECK, 0, 0) == BST_UNCHECKED && NotePlace() &&
                    (PressChord({VK_CONTROL, VK_TAB}), true);
         }},
        {"the font page", [&] { return IsOnPage(1) && NotePlace() && (PressChord({VK_TAB}), true); }},
        [&] { return NotePlace() && (PressChord({VK_TAB}), true); },
        [&] { return NotePlace() && (PressChord({VK_CONTROL, VK_SHIFT, VK_TAB}), true); },
        {"back on the page", [&] { return IsOnPage(0) && NotePlace() && (PressChord({VK_RETURN}), true); }},
    });
    const std::vector<std::wstring> expected = {
        L"p0 Edit 1001, apply 0", L"help 3003", L"p0 &From:, apply 1", L"p0 Edit 1004, apply 1",
        L"p0 &Retention time, apply 1", L"p0 &Baselines, apply 1", L"p1 &Title font..., apply 0",
        L"p1 &Axis font..., apply 0", L"p1 &Label font..., apply 0", L"p0 Edit 1001, apply 0"};
    EXPECT_EQ(expected, m_seen);
    EXPECT_EQ(title + L"|1|1.5|8|1|0", SampleObject::Get(m_object, L"Title") + L"|" +
                                               SampleObject::Get(m_object, L"TimeRange") + L"|" +
                                               SampleObject::Get(m_object, L"TimeFrom") + L"|" +
                                               SampleObject::Get(m_object, L"TimeTo") + L"|" +
                                               SampleObject::Get(m_object, L"PeakLabels") + L"|" +
                                               SampleObject::Get(m_object, L"Baselines"));
    std::wstring error;
    ASSERT_TRUE(SetSignal(m_object, ThreePeaks(), 0.5, 0.0, L"s", L"mAU", error)) << error;
    ASSERT_TRUE(SetPeaks(m_object, kThreePeaks, error)) << error;
    const Drawing drawing = Draw(m_object, RECT{0, 0, 600, 300});
    EXPECT_NE(nullptr, drawing.scan.Find(L" 試料 δ")) << "the title's text after its token";
    EXPECT_NE(nullptr, drawing.scan.Find(L"5.00")) << drawing.scan.TextList();
    const EmfText* pStart = drawing.scan.Find(L"1.5");
    ASSERT_NE(nullptr, pStart) << "the time axis starts at 1.5 minutes";
    EXPECT_EQ(nullptr, drawing.scan.Find(L"1.0"));
    EXPECT_EQ(0u, drawing.scan.lines.size() - std::count_if(drawing.scan.lines.begin(), drawing.scan.lines.end(),
                                                            [](const EmfLine& l) {
                                                                return l.from.x == l.to.x || l.from.y == l.to.y;
                                                            }))
        << "no baselines: every line is an axis or a tick";
}

// A user who only looks, tabbing through every control of both pages and switching pages by the
// keyboard, then presses OK: the chromatogram saves the same bytes as before. Then edits on both
// pages, the first written as the page is left, and Esc: the chromatogram is as it was.
TEST_F(ChromatogramHost, OkAfterOnlyLookingChangesNothingAndEscGivesEverythingBack)
{
    std::wstring error;
    std::string before, after;
    ASSERT_TRUE(m_object.PutProperty(L"SignalMargin", L"7.5", error)) << error;
    ASSERT_TRUE(m_object.PutProperty(L"TimeTo", L"12.3456789", error)) << error;
    ASSERT_TRUE(m_object.SaveStream(before, error, false)) << error;
    std::vector<ScriptedUser::Step> steps;
    for (int i = 0; i < 14; ++i)
        steps.push_back([&] { return PressChord({VK_TAB}), true; });
    steps.push_back([&] { return PressChord({VK_CONTROL, VK_TAB}), true; });
    steps.push_back({"the font page", [&] { return IsOnPage(1) && (PressChord({VK_TAB}), true); }});
    steps.push_back([&] { return PressChord({VK_CONTROL, VK_TAB}), true; });
    steps.push_back({"the page again", [&] { return IsOnPage(0) && NotePlace() && (PostClick(::GetDlgItem(m_hSheet, IDOK)), true); }});
    RunSheet(steps);
    EXPECT_EQ(std::vector<std::wstring>{L"p0 Edit 1001, apply 0"}, m_seen);
    ASSERT_TRUE(m_object.SaveStream(after, error, false)) << error;
    EXPECT_TRUE(before == after) << "OK after only looking";

    const std::string bag = SampleObject::SaveBagText(m_object);
    RunSheet({
        [&] {
            PostTyping(Item(kTitleId), L"Lost");
            return PressChord({VK_MENU, 'X'}), true;
        },
        {"fixed signal", [&] {
             return ::SendMessageW(Item(1007), BM_GETCHECK, 0, 0) == BST_CHECKED &&
                    (PressChord({VK_CONTROL, VK_TAB}), true);
         }},
        {"the title written as the page was left", [&] {
             return IsOnPage(1) && SampleObject::Get(m_object, L"Title") == L"Lost" &&
                    SampleObject::Get(m_object, L"SignalRange") == L"1" && (PressChord({VK_ESCAPE}), true);
         }},
    });
    EXPECT_EQ(bag, SampleObject::SaveBagText(m_object));
}
