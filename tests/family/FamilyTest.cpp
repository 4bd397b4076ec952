// The report objects side by side: each server registers itself into its own category, keeps its
// own strings while the others run in the same process, answers a script by ProgID, and draws
// with the others into one metafile.
#include "CQLNTextObjClient.h"
#include "E2eSupport.h"
#include "EmfScan.h"
#include "SampleObject.h"
#include "SampleRegistration.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

// The category a class is entered in, as the registry files it.
bool IsInCategory(const wchar_t* progId, const wchar_t* catid)
{
    CLSID clsid = {};
    wchar_t szClsid[40] = {};
    if (FAILED(::CLSIDFromProgID(progId, &clsid)) || ::StringFromGUID2(clsid, szClsid, 40) == 0)
        return false;
    const std::wstring key = std::wstring(L"CLSID\\") + szClsid + L"\\Implemented Categories\\" + catid;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

const wchar_t kGraphicalObjects[] = L"{5B7559C0-91EB-11D1-B73B-00A0244ACBE8}";
const wchar_t kTableObjects[] = L"{26CBEB73-59FC-11D1-84D1-0000C07A4CF5}";
const wchar_t kTextObjects[] = L"{26CBEB71-59FC-11D1-84D1-0000C07A4CF5}";

class Family : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, m_text.Result());
        ASSERT_EQ(S_OK, m_annotation.Result());
        ASSERT_EQ(S_OK, m_table.Result());
        ASSERT_EQ(S_OK, m_chromatogram.Result());
    }
    E2e::SampleRegistration m_text;
    E2e::SampleRegistration m_annotation{L"QLNSampleAnnotation.dll", L"QLNSample.Annotation"};
    E2e::SampleRegistration m_table{L"QLNSamplePeakTable.dll", L"QLNSample.PeakTable"};
    E2e::SampleRegistration m_chromatogram{L"QLNSampleChromatogram.dll", L"QLNSample.Chromatogram"};
};

// An annotation drawn into a metafile at 400 x 200: its texts in order.
EmfScan DrawAnnotation(CQLNTextObjClient& object)
{
    std::wstring error;
    const HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(object.Draw(nullptr, hdc, RECT{0, 0, 400, 200}, error)) << error;
    const HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
    EmfScan scan(hemf);
    ::DeleteEnhMetaFile(hemf);
    return scan;
}

} // namespace

TEST_F(Family, EachServerEntersItsOwnCategory)
{
    EXPECT_TRUE(IsInCategory(L"QLNSample.Annotation", kGraphicalObjects));
    EXPECT_FALSE(IsInCategory(L"QLNSample.Annotation", kTextObjects));
    EXPECT_FALSE(IsInCategory(L"QLNSample.Annotation", kTableObjects));
    EXPECT_TRUE(IsInCategory(L"QLNSample.TextCtrl", kTextObjects));
    EXPECT_TRUE(IsInCategory(L"QLNSample.PeakTable", kTableObjects));
    EXPECT_FALSE(IsInCategory(L"QLNSample.PeakTable", kGraphicalObjects));
    EXPECT_TRUE(IsInCategory(L"QLNSample.Chromatogram", kGraphicalObjects));
    EXPECT_FALSE(IsInCategory(L"QLNSample.Chromatogram", kTableObjects));
}

// The annotation's alignments: a block of lines centred vertically inside a 10-pixel margin;
// left and right put the lines and the block against their margin, centre centres each line and
// the block itself across the box. A note taller than the area starts at the top margin. An
// alignment the annotation cannot draw is refused, and one read from a property set is drawn
// centred.
TEST_F(Family, TheAnnotationDrawsItsAlignmentsInItsBoxAndRefusesOneItCannotDraw)
{
    CQLNTextObjClient note;
    std::wstring error;
    ASSERT_TRUE(note.Create(L"QLNSample.Annotation", error) && note.InitNew(error)) << error;
    EXPECT_EQ(L"Note", SampleObject::Get(note, L"Text")) << "its own default, from its own strings";
    ASSERT_TRUE(note.PutProperty(L"Text", L"A much longer first line\r\nshort", error)) << error;

    std::vector<LONG> longAt, shortAt;
    for (const wchar_t* alignment : {L"0", L"1", L"2"}) {
        ASSERT_TRUE(note.PutProperty(L"Alignment", alignment, error)) << error;
        const EmfScan scan = DrawAnnotation(note);
        const EmfText* pLong = scan.Find(L"A much longer first line");
        const EmfText* pShort = scan.Find(L"short");
        ASSERT_TRUE(pLong != nullptr && pShort != nullptr) << scan.TextList();
        EXPECT_TRUE(scan.rectangles.empty()) << "no frame unless asked";
        const LONG lineHeight = pShort->ref.y - pLong->ref.y;
        // Centred vertically: as much space above the first line as below the last.
        EXPECT_NEAR(pLong->ref.y - 10, 200 - 10 - (pShort->ref.y + lineHeight), 1) << alignment;
        longAt.push_back(pLong->ref.x);
        shortAt.push_back(pShort->ref.x);
    }
    EXPECT_EQ(10, longAt[0]) << "left: against the left margin";
    EXPECT_EQ(10, shortAt[0]);
    // Right-aligned, each line ends at the right margin (x 390): that gives their widths.
    const LONG longWidth = 390 - longAt[2], shortWidth = 390 - shortAt[2];
    ASSERT_GT(longWidth, shortWidth);
    EXPECT_NEAR(longAt[1] - 10, 390 - (longAt[1] + longWidth), 1) << "centre: the block centred across the box";
    EXPECT_NEAR(shortAt[1] - longAt[1], longAt[1] + longWidth - (shortAt[1] + shortWidth), 1)
        << "centre: the short line centred on the long one";

    // Taller than the area: from the top margin.
    std::wstring many;
    for (int i = 0; i < 30; ++i)
        many += L"line " + std::to_wstring(i) + L"\r\n";
    ASSERT_TRUE(note.PutProperty(L"Text", many, error)) << error;
    const EmfScan tall = DrawAnnotation(note);
    ASSERT_TRUE(tall.Find(L"line 0") != nullptr) << tall.TextList();
    EXPECT_EQ(10, tall.Find(L"line 0")->ref.y);

    EXPECT_FALSE(note.PutProperty(L"Alignment", L"3", error));
    EXPECT_NE(std::wstring::npos, error.find(L"Alignment is 0 (left), 1 (centre) or 2 (right).")) << error;
    EXPECT_EQ(L"2", SampleObject::Get(note, L"Alignment"));
    const std::string bag = SampleObject::SaveBagText(note);
    ASSERT_TRUE(SampleObject::LoadBagText(note, SampleObject::WithValues(bag, {{"Alignment", "9"}})));
    EXPECT_EQ(L"1", SampleObject::Get(note, L"Alignment"));
}

// VBScript in the system's script host finds each object by ProgID and drives it late-bound:
// what it writes reads back, a table's columns are read as a text object's lines are, and a
// refused value reaches the script as an error with the object's own description.
TEST_F(Family, AScriptDrivesEachObjectByProgId)
{
    E2e::ScratchFolder folder;
    ASSERT_TRUE(E2e::WriteBytes(folder.Path(L"note.vbs"),
        "Set o = CreateObject(\"QLNSample.Annotation\")\r\n"
        "WScript.Echo o.Text & \"|\" & o.Alignment & \"|\" & o.Frame\r\n"
        "o.Text = \"Checked\" & vbCrLf & \"by QA\"\r\n"
        "o.Alignment = 0\r\n"
        "o.Frame = True\r\n"
        "o.TextColor = &HFF\r\n"
        "o.TextFont.Bold = True\r\n"
        "On Error Resume Next\r\n"
        "o.Alignment = 5\r\n"
        "WScript.Echo Err.Description\r\n"
        "On Error GoTo 0\r\n"
        "WScript.Echo Replace(o.Text, vbCrLf, \"/\") & \"|\" & o.Alignment & \"|\" & o.Frame & \"|\" & o.TextColor & \"|\" & o.TextFont.Bold\r\n"
        "WScript.Quit(7)\r\n"));
    const E2e::ProcessResult r = E2e::Run(L"cscript.exe //nologo \"" + folder.Path(L"note.vbs") + L"\"");
    EXPECT_EQ(7u, r.exitCode) << r.out << r.err;
    EXPECT_EQ("Note|1|False\r\n"
              "Alignment is 0 (left), 1 (centre) or 2 (right).\r\n"
              "Checked/by QA|0|True|255|True\r\n",
              r.out);

    ASSERT_TRUE(E2e::WriteBytes(folder.Path(L"table.vbs"),
        "Set t = CreateObject(\"QLNSample.PeakTable\")\r\n"
        "Dim s\r\n"
        "n = t.GetColumn(1, s)\r\n"
        "WScript.Echo t.GetColumnCount() & \"|\" & s & \"|\" & n & \"|\" & t.Title & \"|\" & t.GridLines\r\n"
        "t.ColumnList = \"Peak\" & vbCrLf & \"Height: {Height}\"\r\n"
        "t.SetRows \"1\" & vbTab & \"40321.9\"\r\n"
        "t.CellFont.Bold = True\r\n"
        "On Error Resume Next\r\n"
        "t.GridLines = -1\r\n"
        "WScript.Echo Err.Description\r\n"
        "On Error GoTo 0\r\n"
        "WScript.Echo t.GetColumnCount() & \"|\" & Replace(t.Columns, Chr(12), \"~\") & \"|\" & t.CellFont.Bold\r\n"
        "WScript.Quit(7)\r\n"));
    const E2e::ProcessResult t = E2e::Run(L"cscript.exe //nologo \"" + folder.Path(L"table.vbs") + L"\"");
    EXPECT_EQ(7u, t.exitCode) << t.out << t.err;
    EXPECT_EQ("5|RT: {RT}|19|Peak Table|1\r\n"
              "GridLines is 0 (none), 1 (rows) or 2 (rows and columns).\r\n"
              "2|~-1~Peak\r\nHeight: {Height}~0~Height: {Height}|True\r\n",
              t.out);
}

// A text object, a peak table and an annotation in one process, each server with its own strings
// under the same resource numbers, drawn one below the other into one metafile.
TEST_F(Family, AllTheObjectsLiveInOneProcessAndDrawIntoOneMetafile)
{
    CQLNTextObjClient text, table, note;
    std::wstring error;
    ASSERT_TRUE(SampleObject::Create(text, error)) << error;
    ASSERT_TRUE(table.Create(L"QLNSample.PeakTable", error) && table.InitNew(error)) << error;
    ASSERT_TRUE(note.Create(L"QLNSample.Annotation", error) && note.InitNew(error)) << error;
    ASSERT_TRUE(text.PutProperty(L"TextFields", L"Vial: {Vial}", error)) << error;
    ASSERT_TRUE(note.PutProperty(L"Text", L"Reviewed", error)) << error;
    // String 100 is the title of each.
    EXPECT_EQ(L"Sample Information", SampleObject::Get(text, L"Title"));
    EXPECT_EQ(L"Peak Table", SampleObject::Get(table, L"Title"));

    const HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(text.Draw(nullptr, hdc, RECT{0, 0, 600, 100}, error)) << error;
    EXPECT_TRUE(table.Draw(nullptr, hdc, RECT{0, 100, 600, 250}, error)) << error;
    EXPECT_TRUE(note.Draw(nullptr, hdc, RECT{0, 250, 600, 350}, error)) << error;
    const HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
    const EmfScan scan(hemf);
    ::DeleteEnhMetaFile(hemf);
    const EmfText* pVial = scan.Find(L"{Vial}");
    const EmfText* pTitle = scan.Find(L"Peak Table");
    const EmfText* pArea = scan.Find(L"{Area}");
    const EmfText* pNote = scan.Find(L"Reviewed");
    ASSERT_TRUE(pVial != nullptr && pTitle != nullptr && pArea != nullptr && pNote != nullptr) << scan.TextList();
    EXPECT_LT(pVial->ref.y, 100);
    EXPECT_GT(pTitle->ref.y, 100);
    EXPECT_LT(pArea->ref.y, 250);
    EXPECT_GT(pNote->ref.y, 250);
    EXPECT_EQ(L"Arial", pNote->face);
}
