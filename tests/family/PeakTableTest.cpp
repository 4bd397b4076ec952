// The sample peak table: a user at its sheet in the system's ActiveX host window, its columns
// read as a host reads a text object's lines, both property-set formats, a script, and the demo
// host resolving it with rows of data.
#include "E2eSupport.h"
#include "EmfScan.h"
#include "HtmlHelpRecorderProbe.h"
#include "QLNSamplePeakTableColumnFit.h"
#include "ScopedRegistryValue.h"
#include "ScratchFolder.h"
#include "SiblingHost.h"

using namespace qlntest;

namespace {

// Ids of the table's columns page.
const int kColumnsId = 1001, kTitleId = 1002, kShowHeadingsId = 1004, kGridAllId = 1007, kGridColorId = 1008;
// Ids of the library's table font page and its font controls.
const int kCellFontBoxId = 11007, kFontButtonId = 11004, kUnderlineId = 11001;

class PeakTableHost : public SiblingHost
{
protected:
    PeakTableHost() : SiblingHost(L"QLNSamplePeakTable.dll", L"QLNSample.PeakTable", L"Peak Table") {}
};

std::wstring State(CQLNTextObjClient& object)
{
    std::vector<std::wstring> columns;
    std::wstring error, text;
    EXPECT_TRUE(object.GetLines(columns, error, L"GetColumnCount", L"GetColumn")) << error;
    for (const auto& column : columns)
        text += column + L";";
    return text + L"|" + SampleObject::Get(object, L"Title") + L"|" + SampleObject::Get(object, L"ShowHeadings") + L"|" +
           SampleObject::Get(object, L"GridLines") + L"|" + SampleObject::Get(object, L"GridColor") + L"|" +
           BagLine(object, "CellFont.Underline");
}

// The texts drawn, in order, joined by "|".
std::wstring Texts(const EmfScan& scan)
{
    std::wstring text;
    for (const EmfText& t : scan.texts)
        text += (text.empty() ? L"" : L"|") + t.text;
    return text;
}

EmfScan DrawTable(CQLNTextObjClient& object, RECT bounds)
{
    std::wstring error;
    const HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(object.Draw(nullptr, hdc, bounds, error)) << error;
    const HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
    EmfScan scan(hemf);
    ::DeleteEnhMetaFile(hemf);
    return scan;
}

} // namespace

// A user writes two columns (the second from the catalogue, so it keeps its decimals), a title,
// hides the headings, picks a full grid and the next grid colour, asks Help and applies by the
// keyboard: the focus is back on the grid button it had, the mnemonic of that grid, chosen
// already, changes nothing, and Ctrl+Tab leaves the columns box for the font page. There (its own Help) the user
// underlines the cell font in the font dialog and presses OK. The table has the edits, keeps them
// through a save and load, and draws them: one row of token keys, the grid's vertical lines.
// Cancel by Alt+F4 after another edit, and one more applied, gives the table back as it was;
// Ctrl+PgDn and Ctrl+PgUp switch pages from the columns box.
TEST_F(PeakTableHost, AUserEditsBothPagesAndTheTableShowsTheEditsCancelPutsThemBack)
{
    ScopedRegistryValue helpControl(HKEY_CLASSES_ROOT, kHtmlHelpControlKey, nullptr);
    helpControl.SetString(REG_SZ, HtmlHelpRecorderProbe::RecorderPath());
    HWND hFontDialog = nullptr;
    RunSheet({
        [&] {
            m_seen.push_back(L"shown: " + TextOf(Item(kColumnsId)));
            return PressHelp();
        },
        {"help for the columns page", [&] {
             if (!HelpAsked())
                 return false;
             PostTyping(Item(kColumnsId), L"Peak\rArea: {Area}");
             PostTyping(Item(kTitleId), L"Caffeine run");
             PostClick(Item(kShowHeadingsId));
             PostClick(Item(kGridAllId));
             return PostKey(Item(kGridColorId), VK_DOWN), true;
         }},
        {"Apply enabled", [&] { return ApplyEnabled() && (PressChord({VK_MENU, 'A'}), true); }},
        {"Apply done", [&] {
             if (ApplyEnabled())
                 return false;
             m_seen.push_back(L"applied: " + State(m_object));
             return NotePlace() && (PressChord({VK_MENU, 'C'}), true);
         }},
        [&] { return NotePlace() && (PressChord({VK_MENU, 'O'}), true); },
        [&] { return NotePlace() && (PressChord({VK_CONTROL, VK_TAB}), true); },
        {"the font page", [&] { return IsOnPage(1) && NotePlace() && PressHelp(); }},
        {"help for the font page", [&] {
             if (!HelpAsked())
                 return false;
             const HWND hCell = ChildDialogCentredOn(Page(), kCellFontBoxId);
             return hCell != nullptr && (PostClick(::GetDlgItem(hCell, kFontButtonId)), true);
         }},
        {"the font dialog", [&] {
             hFontDialog = ::FindWindowW(L"#32770", L"Font");
             if (hFontDialog == nullptr || !::IsWindowVisible(hFontDialog))
                 return false;
             PostClick(::GetDlgItem(hFontDialog, kUnderlineId));
             return PostClick(::GetDlgItem(hFontDialog, IDOK)), true;
         }},
        {"the font dialog closed", [&] { return !::IsWindow(hFontDialog) && (PostClick(::GetDlgItem(m_hSheet, IDOK)), true); }},
    });
    const std::wstring applied = L"Peak;Area: {Area};|Caffeine run|0|2|12632256|CellFont.Underline=false";
    const std::wstring edited = L"Peak;Area: {Area};|Caffeine run|0|2|12632256|CellFont.Underline=true";
    const std::vector<std::wstring> expected = {
        L"shown: Compound: {CompName}\r\nRT: {RT}\r\nArea: {Area}\r\nHeight: {Height}\r\nAmount: {CalcAmt}", L"help 3002",
        L"applied: " + applied,
        // after Apply by Alt+A, back on the grid button clicked last; its mnemonic; the box
        L"p0 Rows and &columns, apply 0", L"p0 Rows and &columns, apply 0", L"p0 Edit 1001, apply 0",
        // Ctrl+Tab out of the columns box
        L"p1 &Title font..., apply 0", L"help 1065"};
    EXPECT_EQ(expected, m_seen);
    EXPECT_EQ(edited, State(m_object));
    // The catalogue's column keeps its decimals, the user's own has none.
    EXPECT_EQ(L"\f-1\fPeak\r\nArea: {Area}\f0\fArea: {Area}", SampleObject::Get(m_object, L"Columns"));

    std::string bytes;
    std::wstring error;
    ASSERT_TRUE(m_object.SaveStream(bytes, error, false)) << error;
    CQLNTextObjClient copy;
    ASSERT_TRUE(copy.Create(L"QLNSample.PeakTable", error) && copy.LoadStream(bytes, error)) << error;
    EXPECT_EQ(edited, State(copy));
    const EmfScan drawing = DrawTable(copy, RECT{0, 0, 500, 300});
    EXPECT_EQ(L"Caffeine run|Peak|{Area}", Texts(drawing)) << "no headings: the title and a row of keys";
    size_t nVertical = 0;
    for (const EmfLine& line : drawing.lines)
        nVertical += line.from.x == line.to.x;
    EXPECT_EQ(3u, nVertical) << "a full grid: the edges of two columns";

    // Cancel, by Alt+F4, after a change written as the page was left and another applied.
    const std::string bag = SampleObject::SaveBagText(m_object);
    m_seen.clear();
    RunSheet({
        [&] {
            PostTyping(Item(kTitleId), L"Lost");
            Focus(kColumnsId);
            return PressChord({VK_CONTROL, VK_NEXT}), true;
        },
        {"the title written", [&] {
             return IsOnPage(1) && SampleObject::Get(m_object, L"Title") == L"Lost" && NotePlace() &&
                    (PressChord({VK_CONTROL, VK_PRIOR}), true);
         }},
        {"the columns page", [&] { return IsOnPage(0) && NotePlace() && (PostTyping(Item(kTitleId), L"Lost again"), true); }},
        {"Apply enabled", [&] { return ApplyEnabled() && (PressChord({VK_MENU, 'A'}), true); }},
        {"Apply done", [&] {
             return !ApplyEnabled() && SampleObject::Get(m_object, L"Title") == L"Lost again" && NotePlace() &&
                    (PressChord({VK_MENU, VK_F4}), true);
         }},
    });
    const std::vector<std::wstring> places = {L"p1 &Title font..., apply 0", L"p0 Edit 1001, apply 0",
                                              L"p0 Edit 1001, apply 0"};
    EXPECT_EQ(places, m_seen);
    EXPECT_EQ(bag, SampleObject::SaveBagText(m_object));
}

// Rows from the host: each cell in its column, numbers against the column's right edge, text
// against its left; rows that do not fit end in the library's marker in place of the last that
// would. Columns widen to their content.
TEST(PeakTable, RowsFromTheHostAreDrawnAndThoseThatDoNotFitEndInTheMarker)
{
    E2e::SampleRegistration registration(L"QLNSamplePeakTable.dll", L"QLNSample.PeakTable");
    ASSERT_EQ(S_OK, registration.Result());
    CQLNTextObjClient table;
    std::wstring error;
    ASSERT_TRUE(table.Create(L"QLNSample.PeakTable", error) && table.InitNew(error)) << error;
    ASSERT_TRUE(table.PutProperty(L"ColumnList", L"Compound: {CompName}\r\nArea: {Area}", error)) << error;
    ASSERT_TRUE(table.PutProperty(L"ShowTitle", L"0", error)) << error;
    VARIANT rows;
    V_VT(&rows) = VT_BSTR;
    V_BSTR(&rows) = ::SysAllocString(L"Caffeine\t152345\r\nA much longer compound name\t7\r\nThird\t1\r\nFourth\t2");
    ASSERT_TRUE(table.CallMethod(L"SetRows", {rows}, nullptr, error)) << error;
    ::VariantClear(&rows);

    const EmfScan all = DrawTable(table, RECT{0, 0, 500, 300});
    EXPECT_EQ(L"Compound|Area|Caffeine|152345|A much longer compound name|7|Third|1|Fourth|2", Texts(all));
    const EmfText* pLong = all.Find(L"A much longer compound name");
    const EmfText* pArea = all.Find(L"Area");
    ASSERT_TRUE(pLong != nullptr && pArea != nullptr);
    EXPECT_GT(pArea->ref.x, pLong->ref.x + 100) << "the first column as wide as its longest cell";
    EXPECT_GT(all.Find(L"7")->ref.x, all.Find(L"152345")->ref.x) << "numbers end at the column's right edge";

    // Room for the headings and two rows: the second row's place holds the marker.
    const LONG rowHeight = all.Find(L"A much longer compound name")->ref.y - all.Find(L"Caffeine")->ref.y;
    const EmfScan cut = DrawTable(table, RECT{0, 0, 500, all.Find(L"Caffeine")->ref.y + 2 * rowHeight - 1});
    EXPECT_EQ(L"Compound|Area|Caffeine|152345|(More...)", Texts(cut));

    EXPECT_FALSE(table.PutProperty(L"GridLines", L"3", error));
    EXPECT_NE(std::wstring::npos, error.find(L"GridLines is 0 (none), 1 (rows) or 2 (rows and columns).")) << error;
}

// A table narrower than its columns draws the whole columns that fit, from the first, and the
// library's marker at the end of its heading row (of its first row without headings); never a
// column cut at the table's edge. A table wide enough draws them all, without the marker.
TEST(PeakTable, ColumnsThatDoNotFitAreLeftOutWholeAndTheHeadingRowSaysSo)
{
    E2e::SampleRegistration registration(L"QLNSamplePeakTable.dll", L"QLNSample.PeakTable");
    ASSERT_EQ(S_OK, registration.Result());
    CQLNTextObjClient table;
    std::wstring error;
    ASSERT_TRUE(table.Create(L"QLNSample.PeakTable", error) && table.InitNew(error)) << error;
    ASSERT_TRUE(table.PutProperty(L"ShowTitle", L"0", error)) << error;
    ASSERT_TRUE(table.PutProperty(L"ColumnList", L"Compound: {CompName}\r\nRT: {RT}\r\nCalculated amount in mg/L: {CalcAmt}",
                                  error)) << error;
    const EmfScan wide = DrawTable(table, RECT{0, 0, 900, 200});
    EXPECT_EQ(L"Compound|RT|Calculated amount in mg/L|{CompName}|{RT}|{CalcAmt}", Texts(wide));
    const EmfText* pAmount = wide.Find(L"Calculated amount in mg/L");
    ASSERT_NE(nullptr, pAmount);

    // Room for a part of the last column's heading: the column goes, the marker follows RT.
    const EmfScan narrow = DrawTable(table, RECT{0, 0, pAmount->ref.x + 90, 200});
    EXPECT_EQ(L"Compound|RT|(More...)|{CompName}|{RT}", Texts(narrow));
    const EmfText* pMore = narrow.Find(L"(More...)");
    ASSERT_NE(nullptr, pMore);
    EXPECT_EQ(narrow.Find(L"RT")->ref.y, pMore->ref.y) << "in the heading row";
    EXPECT_GT(pMore->ref.x, narrow.Find(L"{RT}")->ref.x) << "after the last column drawn";

    // Without headings, the first row says so; the columns are as wide as their cells.
    ASSERT_TRUE(table.PutProperty(L"ShowHeadings", L"0", error)) << error;
    VARIANT rows;
    V_VT(&rows) = VT_BSTR;
    V_BSTR(&rows) = ::SysAllocString(L"Caffeine\t3.1\tabout 12.5 mg/L, recalculated");
    ASSERT_TRUE(table.CallMethod(L"SetRows", {rows}, nullptr, error)) << error;
    ::VariantClear(&rows);
    const EmfScan bareWide = DrawTable(table, RECT{0, 0, 900, 200});
    EXPECT_EQ(L"Caffeine|3.1|about 12.5 mg/L, recalculated", Texts(bareWide));
    const EmfText* pLast = bareWide.Find(L"about 12.5 mg/L, recalculated");
    ASSERT_NE(nullptr, pLast);
    const EmfScan bare = DrawTable(table, RECT{0, 0, pLast->ref.x + 80, 200});
    EXPECT_EQ(L"(More...)|Caffeine|3.1", Texts(bare));
    ASSERT_TRUE(bare.Find(L"(More...)") != nullptr && bare.Find(L"Caffeine") != nullptr) << bare.TextList();
    EXPECT_EQ(bare.Find(L"Caffeine")->ref.y, bare.Find(L"(More...)")->ref.y) << "in the first row";
}

// A host that knows the table only by its dispatch names lays 200 rows out over parts of 5 cm:
// each part is as many rows as RowsThatFit says, drawn from FirstRow, RowCount of them, under
// the headings again and without the marker; the title heads the first part only. Every row
// comes once, in order. The same table drawn alone in a part's room ends in the marker; a row
// number below zero is refused and the table keeps its own.
TEST(PeakTable, AHostDrawsTheRowsInPartsThroughAutomation)
{
    E2e::SampleRegistration registration(L"QLNSamplePeakTable.dll", L"QLNSample.PeakTable");
    ASSERT_EQ(S_OK, registration.Result());
    CQLNTextObjClient table;
    std::wstring error;
    ASSERT_TRUE(table.Create(L"QLNSample.PeakTable", error) && table.InitNew(error)) << error;
    ASSERT_TRUE(table.PutProperty(L"ColumnList", L"Compound: {CompName}\r\nArea: {Area}", error)) << error;
    ASSERT_TRUE(table.PutProperty(L"Title", L"Run 7", error)) << error;
    std::wstring rows;
    for (int r = 1; r <= 200; ++r)
        rows += (r > 1 ? L"\r\n" : L"") + std::wstring(L"Peak ") + std::to_wstring(r) + L"\t" + std::to_wstring(1000 + r);
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = ::SysAllocString(rows.c_str());
    ASSERT_TRUE(table.CallMethod(L"SetRows", {v}, nullptr, error)) << error;
    ::VariantClear(&v);

    // 5 cm in pixels of the screen the metafile is measured on.
    const HDC hdcScreen = ::GetDC(nullptr);
    const int nDpi = ::GetDeviceCaps(hdcScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hdcScreen);
    const long kHeight = 5000;
    const RECT part = {0, 0, 400, static_cast<LONG>(kHeight * nDpi / 2540)};

    std::vector<std::wstring> drawn;
    int nParts = 0;
    for (long nFirst = 0; nFirst < 200 && nParts < 200; ++nParts) {
        SCOPED_TRACE(nFirst);
        ASSERT_TRUE(table.PutProperty(L"FirstRow", std::to_wstring(nFirst), error)) << error;
        V_VT(&v) = VT_I4;
        V_I4(&v) = kHeight;
        VARIANT fit;
        ::VariantInit(&fit);
        ASSERT_TRUE(table.CallMethod(L"RowsThatFit", {v}, &fit, error)) << error;
        ASSERT_EQ(VT_I4, V_VT(&fit));
        ASSERT_GT(V_I4(&fit), 0);
        ASSERT_TRUE(table.PutProperty(L"RowCount", std::to_wstring(V_I4(&fit)), error)) << error;
        const EmfScan scan = DrawTable(table, part);
        ASSERT_GE(scan.texts.size(), 2u);
        size_t t = 0;
        if (nFirst == 0) {
            EXPECT_EQ(L"Run 7", scan.texts[t++].text);
        }
        EXPECT_EQ(L"Compound", scan.texts[t++].text);
        EXPECT_EQ(L"Area", scan.texts[t++].text);
        for (; t < scan.texts.size(); ++t) {
            EXPECT_NE(L"(More...)", scan.texts[t].text);
            if (scan.texts[t].text.rfind(L"Peak ", 0) == 0)
                drawn.push_back(scan.texts[t].text);
        }
        EXPECT_EQ(static_cast<size_t>(nFirst + V_I4(&fit)), drawn.size()) << "every row of the part drawn";
        nFirst += V_I4(&fit);
    }
    ASSERT_EQ(200u, drawn.size());
    for (int r = 1; r <= 200; ++r)
        EXPECT_EQ(L"Peak " + std::to_wstring(r), drawn[static_cast<size_t>(r - 1)]);
    EXPECT_GT(nParts, 5) << "the rows take several parts";

    ASSERT_TRUE(table.PutProperty(L"FirstRow", L"0", error) && table.PutProperty(L"RowCount", L"0", error)) << error;
    const EmfScan alone = DrawTable(table, part);
    ASSERT_FALSE(alone.texts.empty());
    EXPECT_EQ(L"(More...)", alone.texts.back().text) << alone.TextList();

    EXPECT_FALSE(table.PutProperty(L"FirstRow", L"-1", error));
    EXPECT_NE(std::wstring::npos, error.find(L"FirstRow and RowCount are 0 or more.")) << error;
    EXPECT_EQ(L"0", SampleObject::Get(table, L"FirstRow"));
}

// The fitting rule, row by row: whole columns from the first while they and the marker fit.
TEST(PeakTableColumnFit, WholeColumnsFromTheFirstAndTheMarkerWhenSomeAreLeftOut)
{
    struct Row
    {
        const char* rule;
        std::vector<int> widths;
        int nWidth, nMarker;
        size_t nShown;
        bool bMarked;
    };
    const Row rows[] = {
        {"all fit: no marker", {100, 80}, 200, 30, 2, false},
        {"all fit to the pixel: no marker, though it would not fit", {100, 100}, 200, 30, 2, false},
        {"one pixel short: the marker takes the place of the last", {100, 100}, 199, 30, 1, true},
        {"the marker's room decides how many are left", {100, 100, 100}, 260, 60, 2, true},
        {"the marker's room, one pixel short", {100, 100, 100}, 259, 60, 1, true},
        {"the first too wide: none, only the marker", {500, 10}, 200, 30, 0, true},
        {"no room at all", {50}, 0, 30, 0, true},
        {"no columns: nothing to say", {}, 100, 30, 0, false},
        {"widths below zero take no room", {-20, 50}, 50, 10, 2, false},
        {"widths that add up past 32 bits", {2147483647, 2147483647}, 100, 10, 0, true},
    };
    for (const Row& row : rows) {
        const CQLNSamplePeakTableColumnFit fit = CQLNSamplePeakTableColumnFit::Fit(row.widths, row.nWidth, row.nMarker);
        EXPECT_EQ(row.nShown, fit.nShown) << row.rule;
        EXPECT_EQ(row.bMarked, fit.bMarked) << row.rule;
    }
}

// Both property-set formats hold every property: a table written as a bag and read into a new
// one saves the same stream as the first; a bag with a number no grid has draws rows.
TEST(PeakTable, TheBagAndTheStreamHoldTheSameTable)
{
    E2e::SampleRegistration registration(L"QLNSamplePeakTable.dll", L"QLNSample.PeakTable");
    ASSERT_EQ(S_OK, registration.Result());
    CQLNTextObjClient first, second;
    std::wstring error;
    ASSERT_TRUE(first.Create(L"QLNSample.PeakTable", error) && first.InitNew(error)) << error;
    const std::string edited = SampleObject::WithValues(SampleObject::SaveBagText(first), {
        {"Columns", "\\f-1\\fPeak\\r\\nRT: {RT}\\f3\\fRT: {RT}"}, {"Title", "Run 7"}, {"ShowTitle", "false"},
        {"GridLines", "2"}, {"GridColor", "255"}, {"HeadingFont.Size", "11.25"}, {"CellColor", "32768"}});
    ASSERT_TRUE(SampleObject::LoadBagText(first, edited)) << edited;
    std::string stream1, stream2;
    ASSERT_TRUE(first.SaveStream(stream1, error)) << error;
    ASSERT_TRUE(second.Create(L"QLNSample.PeakTable", error) && second.LoadStream(stream1, error)) << error;
    EXPECT_EQ(SampleObject::SaveBagText(first), SampleObject::SaveBagText(second));
    ASSERT_TRUE(second.SaveStream(stream2, error)) << error;
    EXPECT_TRUE(stream1 == stream2);
    EXPECT_EQ(L"Peak;RT: {RT};|Run 7|-1|2|255|CellFont.Underline=false", State(second));

    ASSERT_TRUE(SampleObject::LoadBagText(second, SampleObject::WithValues(edited, {{"GridLines", "40"}})));
    EXPECT_EQ(L"1", SampleObject::Get(second, L"GridLines"));
}

// The demo host resolves a table with the rows of a data file: the columns, then a row a line
// with each value in its column's decimals; its drawing shows the rows.
TEST(PeakTable, TheDemoHostResolvesATableWithRowsFromTheDataFile)
{
    E2e::SampleRegistration registration(L"QLNSamplePeakTable.dll", L"QLNSample.PeakTable");
    ASSERT_EQ(S_OK, registration.Result());
    E2e::ScratchFolder folder;
    ASSERT_TRUE(E2e::WriteBytes(folder.Path(L"data.txt"),
                                "CompName=Unknown\r\nRow1.CompName=Theobromine\r\nRow1.RT=3.10219\r\nRow1.Area=20480.4\r\n"
                                "Row2.RT=4.23456\r\nRow2.Area=152345.678\r\nRow4.RT=9\r\n"));
    const auto resolve = [&](const std::wstring& options) {
        return E2e::Run(L"\"" + E2e::BinDirectory() + L"textobj.exe\" --progid QLNSample.PeakTable " + options +
                        L"--set \"ColumnList=Compound: {CompName}\r\nRT: {RT}\r\nArea: {Area}\" --resolve \"" +
                        folder.Path(L"data.txt") + L"\" --draw \"" + folder.Path(L"t.emf") + L"\"");
    };
    // A table's new time columns take the decimals the host set for the process; others keep theirs.
    const E2e::ProcessResult precise = resolve(L"--rt-precision 2 ");
    ASSERT_EQ(0u, precise.exitCode) << precise.out << precise.err;
    EXPECT_NE(std::string::npos, precise.out.find("Theobromine\t3.10\t20480\r\nUnknown\t4.23\t152346\r\n")) << precise.out;
    const E2e::ProcessResult r = resolve(L"");
    ASSERT_EQ(0u, r.exitCode) << r.out << r.err;
    EXPECT_EQ("Compound: {CompName}\tRT: {RT}\tArea: {Area}\r\n"
              "Theobromine\t3\t20480\r\n"
              "Unknown\t4\t152346\r\n",
              r.out) << "row 3 is missing, so row 4 is not read; times have the RT precision the host set (none)";
    const HENHMETAFILE hemf = ::GetEnhMetaFileW(folder.Path(L"t.emf").c_str());
    const EmfScan scan(hemf);
    ::DeleteEnhMetaFile(hemf);
    EXPECT_NE(nullptr, scan.Find(L"Theobromine")) << scan.TextList();
    EXPECT_NE(nullptr, scan.Find(L"152346")) << scan.TextList();
}
