// Real text in many scripts through every way into and out of a text object, on a machine that
// also has Liberation 2.1, whose Cyrillic letters д е ж з make the system's text shaping read out
// of bounds: every path that shows text (the line holder, the control's own window in place, the
// pages' edits, the font dialog's face box) must survive it, and the text must come back as
// given. The fonts are this process's own, so no other test sees them. Each object and the data
// page's list draw every script in fonts that have its letters: the faces they ask for lack most
// of them, and the prefix links others to them.
#include "AtlHostWindow.h"
#include "E2eSupport.h"
#include "EmfScan.h"
#include "ExtTextOutRecorder.h"
#include "QLNBaseRes.h"
#include "QLNFontFallback.h"
#include "SampleObject.h"
#include "SampleRegistration.h"
#include "ScriptedUser.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;
using namespace qlntest;

namespace {

const struct
{
    const char* script;
    const wchar_t* text;
} kCorpus[] = {
    {"Cyrillic", L"Дата: дежз где жена звезда"},
    {"Cyrillic letter", L"з"},
    {"Cyrillic letters", L"д е ж з"},
    {"Greek", L"Χρόνος κατακράτησης"},
    {"Armenian", L"Նմուշի անուն"},
    {"Hebrew", L"זמן שהייה: דגימה"},
    {"Arabic", L"زمن الاحتفاظ للعينة"},
    {"Devanagari", L"नमूने का नाम"},
    {"Thai", L"ชื่อตัวอย่าง"},
    {"CJK", L"保持時間 样品名称 시료 이름"},
    {"combining marks", L"e\u0301te\u0301 n\u0303o a\u0308\u0304 Z\u0335"},
    {"outside the basic plane", L"\U0001D11E \U0001F9EA \U00020B9F \U0001F600"},
    {"mixed", L"Проба αβγ עב عر 日本 \U0001F9EA"},
};

// A line of each script the objects must show as letters. Right-to-left lines hold no
// punctuation, whose place among right-to-left words a reader of the page only guesses.
const struct
{
    const char* script;
    const wchar_t* text;
} kScripts[] = {
    {"Latin", L"Sample name: Caffeine"},
    {"Cyrillic", L"Дата: дежз где жена"},
    {"Greek", L"Χρόνος κατακράτησης"},
    {"Hebrew", L"זמן שהייה דגימה"},
    {"Arabic", L"زمن الاحتفاظ للعينة"},
    {"Devanagari", L"नमूने का नाम"},
    {"Thai", L"ชื่อตัวอย่าง"},
    {"CJK", L"保持時間 样品名称"},
    {"Hangul", L"시료 이름"},
};

// The characters of a text output that its font, made by the system from the recorded
// description as any device makes it, has no glyph for.
std::wstring Lacking(const EmfText& t)
{
    const HDC hdc = ::CreateCompatibleDC(nullptr);
    const HFONT hFont = ::CreateFontIndirectW(&t.font);
    const HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    std::vector<WORD> glyphs(t.text.size());
    std::wstring lacking;
    if (::GetGlyphIndicesW(hdc, t.text.c_str(), static_cast<int>(t.text.size()), glyphs.data(),
                           GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
        lacking = L"(no glyphs)";
    for (size_t i = 0; i < glyphs.size(); ++i)
        if (glyphs[i] == 0xFFFF && t.text[i] >= L' ')
            lacking += t.text[i];
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hFont);
    ::DeleteDC(hdc);
    return lacking.empty() ? lacking : std::wstring(t.font.lfFaceName) + L" lacks " + lacking + L"; ";
}

// What a metafile's texts come to on a device: played as the hosts play a drawing onto paper
// and into pictures, and recorded again.
EmfScan Played(HENHMETAFILE hemf, const RECT& bounds)
{
    const HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    CQLNFontFallback::Play(hdc, hemf, &bounds);
    const HENHMETAFILE hPlayed = ::CloseEnhMetaFile(hdc);
    EmfScan scan(hPlayed);
    ::DeleteEnhMetaFile(hPlayed);
    return scan;
}

// A fault in the text shaping must fail this program at once, naming it: the system's debugger
// would otherwise wait for a user that a test run does not have.
LONG WINAPI ReportFault(EXCEPTION_POINTERS* pInfo)
{
    std::fprintf(stderr, "fault 0x%08lX at %p\n", pInfo->ExceptionRecord->ExceptionCode,
                 pInfo->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

// Liberation 2.1, fetched by the set-up into the build tree beside the programs' folder, added
// before the program's first window: the system's fonts (the edit controls' among them) are
// made from the faces there are when first used.
int AddLiberation2()
{
    const std::wstring folder = E2e::BinDirectory() + L"..\\fonts-liberation2\\";
    WIN32_FIND_DATAW found;
    const HANDLE hFind = ::FindFirstFileW((folder + L"*.ttf").c_str(), &found);
    int nFonts = 0;
    for (BOOL more = hFind != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(hFind, &found))
        nFonts += ::AddFontResourceExW((folder + found.cFileName).c_str(), FR_PRIVATE, nullptr) > 0;
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);
    return nFonts;
}
const int g_nLiberation2Fonts = AddLiberation2();

class InternationalText : public testing::Test
{
protected:
    static void SetUpTestSuite() { ::SetUnhandledExceptionFilter(ReportFault); }
    void SetUp() override
    {
        ASSERT_GE(g_nLiberation2Fonts, 4) << "Liberation 2.1 is not in the build tree: cmake/setup.sh fetches it";
        ASSERT_TRUE(SampleObject::Create(object, error) && object.InitNew(error)) << error;
    }
    std::wstring Lines(CQLNTextObjClient& control)
    {
        std::vector<std::wstring> lines;
        std::wstring joined;
        EXPECT_TRUE(control.GetLines(lines, error)) << error;
        for (const auto& line : lines)
            joined += line + L"|";
        return joined;
    }

    CQLNTextObjClient object;
    std::wstring error;
};

} // namespace

// Set through automation, handed out as lines, drawn into a metafile, saved and loaded as a
// stream and as a bag, and set into a control activated in place in a real window.
TEST_F(InternationalText, EveryScriptComesBackAsGivenFromEachWayIn)
{
    AtlHostWindow host;
    ASSERT_TRUE(host.Open(E2e::kProgId, error)) << error;
    CQLNTextObjClient hosted, copy;
    ASSERT_TRUE(hosted.Attach(host.Control().Get(), error)) << error;
    const HWND hOwnWindow = ::FindWindowExW(host.Host(), nullptr, L"Edit", nullptr);
    ASSERT_NE(nullptr, hOwnWindow) << "the control made no window of its own";
    ASSERT_TRUE(SampleObject::Create(copy, error)) << error;

    for (const auto& c : kCorpus) {
        SCOPED_TRACE(c.script);
        const std::wstring text = c.text;
        ASSERT_TRUE(object.PutProperty(L"TextFields", text, error) && object.PutProperty(L"Title", text, error)) << error;
        EXPECT_EQ(text, SampleObject::Get(object, L"TextFields"));
        EXPECT_EQ(text, SampleObject::Get(object, L"Title"));
        EXPECT_EQ(text + L"|", Lines(object));

        const HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
        EXPECT_TRUE(object.Draw(nullptr, hdc, RECT{0, 0, 2000, 400}, error)) << error;
        const HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
        const EmfScan drawing(hemf);
        ::DeleteEnhMetaFile(hemf);
        EXPECT_NE(nullptr, drawing.Find(text)) << drawing.TextList();

        std::string stream;
        ASSERT_TRUE(object.SaveStream(stream, error) && copy.LoadStream(stream, error)) << error;
        EXPECT_EQ(text, SampleObject::Get(copy, L"TextFields"));
        EXPECT_EQ(text, SampleObject::Get(copy, L"Title"));
        EXPECT_EQ(text + L"|", Lines(copy));
        const std::string bag = SampleObject::SaveBagText(object);
        ASSERT_TRUE(SampleObject::LoadBagText(copy, bag));
        EXPECT_EQ(bag, SampleObject::SaveBagText(copy));
        EXPECT_EQ(text, SampleObject::Get(copy, L"TextFields"));

        ASSERT_TRUE(hosted.PutProperty(L"TextFields", text, error)) << error;
        ::RedrawWindow(hOwnWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(text, TextOf(hOwnWindow)) << "the control's own window holds its text";
        EXPECT_EQ(text + L"|", Lines(hosted));
    }

    // Painted in its own window, the control draws each script whole, in fonts that have its
    // letters: what its modules hand the system to draw there.
    for (const auto& s : kScripts) {
        SCOPED_TRACE(std::string("in place, ") + s.script);
        ASSERT_TRUE(hosted.PutProperty(L"TextFields", s.text, error)) << error;
        ExtTextOutRecorder recorder({L"QLNBase.dll", L"QLNAfx.dll"});
        ASSERT_GT(recorder.Patched(), 0u) << "neither module draws text through ExtTextOutW";
        ::RedrawWindow(hOwnWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        std::wstring shown, lacking;
        for (const ExtTextOutRecorder::Output& o : recorder.Outputs()) {
            if (o.window != hOwnWindow)
                continue;
            shown += o.text;
            if (!o.lacking.empty())
                lacking += o.face + L" lacks " + o.lacking + L"; ";
        }
        EXPECT_NE(std::wstring::npos, shown.find(s.text)) << shown;
        EXPECT_EQ(L"", lacking);
    }
}

// The control's sheet over a text of every script: the title and each line's label in the data
// page's edits, and a face name typed in Cyrillic into the font dialog's face box. OK keeps them.
TEST_F(InternationalText, TheSheetShowsEveryScriptInItsEditsAndKeepsIt)
{
    std::wstring textFields, title;
    for (const auto& c : kCorpus) {
        textFields += (textFields.empty() ? L"" : L"\r\n") + std::wstring(L"\f-1\f") + c.text;
        title += c.text;
    }
    const std::wstring face = L"Шрифт дежз";
    ASSERT_TRUE(object.PutProperty(L"TextFields", textFields, error) && object.PutProperty(L"Title", title, error)) << error;
    const std::wstring linesBefore = Lines(object);

    HWND hSheet = nullptr, hDialog = nullptr;
    auto page = [&] { return reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0)); };
    auto item = [&](int nID) { return ::GetDlgItem(page(), nID); };
    std::vector<std::wstring> seen;
    std::vector<ScriptedUser::Step> acts = {[&] { return seen.push_back(TextOf(item(IDC_QLN_DATA_TITLE))), true; }};
    for (int row = 0; row < static_cast<int>(std::size(kCorpus)); ++row) {
        acts.push_back([&, row] {
            const HWND hList = item(IDC_QLN_DATA_SELECTED);
            RECT rc = {};
            ::SendMessageW(hList, LB_SETTOPINDEX, row, 0);
            ::SendMessageW(hList, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
            return PostClickAt(hList, POINT{rc.left + 4, (rc.top + rc.bottom) / 2}), true;
        });
        acts.push_back([&] { return seen.push_back(TextOf(item(IDC_QLN_DATA_LABEL))), true; });
    }
    acts.push_back([&] { return PostTabClick(hSheet, 2); });
    acts.push_back([&] {
        const HWND hPromptFont = ChildDialogCentredOn(page(), IDC_QLN_PROMPT_FONT_BOX);
        return hPromptFont != nullptr && (PostClick(::GetDlgItem(hPromptFont, IDC_QLN_FONT_CTRL_BUTTON)), true);
    });
    acts.push_back([&] {
        hDialog = ::FindWindowW(L"#32770", L"Font");
        if (hDialog == nullptr || !::IsWindowVisible(hDialog))
            return false;
        return PostTyping(::FindWindowExW(::GetDlgItem(hDialog, IDC_QLN_FACE), nullptr, L"Edit", nullptr), face), true;
    });
    acts.push_back([&] {
        seen.push_back(TextOf(::GetDlgItem(hDialog, IDC_QLN_FACE)));
        return PostClick(::GetDlgItem(hDialog, IDCANCEL)), true;
    });
    acts.push_back([&] { return !::IsWindow(hDialog) && (PostClick(::GetDlgItem(hSheet, IDOK)), true); });
    ScriptedUser user(Settled([&] {
        hSheet = ::FindWindowW(L"#32770", L"Sample Information");
        return hSheet != nullptr && ::IsWindowVisible(hSheet) && page() != nullptr;
    }, std::move(acts)), [&] { ::PostMessageW(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });
    EXPECT_TRUE(object.ShowProperties(nullptr, error)) << error;
    EXPECT_TRUE(user.Finished()) << "stopped after step " << user.StepsDone();

    std::vector<std::wstring> expected = {title};
    for (const auto& c : kCorpus)
        expected.push_back(c.text);
    expected.push_back(face);
    EXPECT_EQ(expected, seen);
    EXPECT_EQ(linesBefore, Lines(object));
    EXPECT_EQ(title, SampleObject::Get(object, L"Title"));
}

// The annotation's text, a line of the text object and the peak table's title in each script,
// drawn and played onto a device: every text reaches it whole, each piece in a font that has
// its letters.
TEST_F(InternationalText, EveryObjectDrawsEveryScriptInFontsThatHaveItsLetters)
{
    E2e::SampleRegistration annotationServer(L"QLNSampleAnnotation.dll", L"QLNSample.Annotation");
    E2e::SampleRegistration tableServer(L"QLNSamplePeakTable.dll", L"QLNSample.PeakTable");
    ASSERT_HRESULT_SUCCEEDED(annotationServer.Result());
    ASSERT_HRESULT_SUCCEEDED(tableServer.Result());
    CQLNTextObjClient annotation, table;
    ASSERT_TRUE(annotation.Create(L"QLNSample.Annotation", error) && annotation.InitNew(error)) << error;
    ASSERT_TRUE(table.Create(L"QLNSample.PeakTable", error) && table.InitNew(error)) << error;
    const struct
    {
        const char* way;
        CQLNTextObjClient* object;
        const wchar_t* property;
    } ways[] = {{"annotation", &annotation, L"Text"}, {"text object", &object, L"TextFields"}, {"peak table", &table, L"Title"}};
    const RECT bounds = {0, 0, 2000, 400};
    for (const auto& w : ways) {
        for (const auto& s : kScripts) {
            SCOPED_TRACE(std::string(w.way) + ", " + s.script);
            ASSERT_TRUE(w.object->PutProperty(w.property, s.text, error)) << error;
            const HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
            EXPECT_TRUE(w.object->Draw(nullptr, hdc, bounds, error)) << error;
            const HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
            const EmfScan played = Played(hemf, bounds);
            ::DeleteEnhMetaFile(hemf);
            std::wstring joined, lacking;
            for (const EmfText& t : played.texts) {
                joined += t.text;
                lacking += Lacking(t);
            }
            EXPECT_NE(std::wstring::npos, joined.find(s.text)) << played.TextList();
            EXPECT_EQ(L"", lacking);
        }
    }
}

// User texts of every script in the data page's Selected list: each row, as the list paints it
// into a metafile, is drawn whole in fonts that have its letters, its pieces from the left in the
// order the system's bidi rules give the whole row, and shows an "&" as the system's own lists
// show it, as it stands, whether the list's font has the row's letters or not.
TEST_F(InternationalText, TheDataPageListsEveryScriptInFontsThatHaveItsLetters)
{
    struct Row
    {
        std::string name;
        std::wstring text;
        std::wstring shownFromLeft;
    };
    std::vector<Row> rows;
    for (const auto& s : kScripts)
        rows.push_back({s.script, s.text, s.text});
    rows.push_back({"ampersand", L"A & B", L"A & B"});
    rows.push_back({"ampersand in a linked font", L"זמן & דגימה", L"זמן & דגימה"});
    // The list's Tahoma has Arabic but no Hebrew: the row is one right-to-left sequence in two
    // fonts, read left to right as a whole, so its last word, the Arabic one, is drawn first.
    rows.push_back({"Hebrew and Arabic in two fonts", L"עברית عربي", L"عربيעברית "});
    std::wstring textFields;
    for (const auto& r : rows)
        textFields += (textFields.empty() ? L"" : L"\r\n") + std::wstring(L"\f-1\f") + r.text;
    ASSERT_TRUE(object.PutProperty(L"TextFields", textFields, error)) << error;

    HWND hSheet = nullptr;
    auto page = [&] { return reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0)); };
    std::vector<std::wstring> shown(rows.size()), lacking(rows.size());
    std::vector<ScriptedUser::Step> acts;
    for (size_t row = 0; row < rows.size(); ++row) {
        acts.push_back([&, row] {
            const HWND hList = ::GetDlgItem(page(), IDC_QLN_DATA_SELECTED);
            ::SendMessageW(hList, LB_SETTOPINDEX, row, 0);
            const HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
            ::SendMessageW(hList, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT);
            const HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
            EmfScan painted(hemf);
            ::DeleteEnhMetaFile(hemf);
            // Row by row, each from the left.
            std::stable_sort(painted.texts.begin(), painted.texts.end(), [](const EmfText& a, const EmfText& b) {
                return a.ref.y != b.ref.y ? a.ref.y < b.ref.y : a.ref.x < b.ref.x;
            });
            for (const EmfText& t : painted.texts) {
                shown[row] += t.text + L"|";
                lacking[row] += Lacking(t);
            }
            return true;
        });
    }
    acts.push_back([&] { return PostClick(::GetDlgItem(hSheet, IDOK)), true; });
    ScriptedUser user(Settled([&] {
        hSheet = ::FindWindowW(L"#32770", L"Sample Information");
        return hSheet != nullptr && ::IsWindowVisible(hSheet) && page() != nullptr;
    }, std::move(acts)), [&] { ::PostMessageW(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });
    EXPECT_TRUE(object.ShowProperties(nullptr, error)) << error;
    EXPECT_TRUE(user.Finished()) << "stopped after step " << user.StepsDone();
    for (size_t row = 0; row < rows.size(); ++row) {
        SCOPED_TRACE(rows[row].name);
        std::wstring joined = shown[row];
        joined.erase(std::remove(joined.begin(), joined.end(), L'|'), joined.end());
        EXPECT_NE(std::wstring::npos, joined.find(rows[row].shownFromLeft)) << shown[row];
        EXPECT_EQ(L"", lacking[row]);
    }
}
