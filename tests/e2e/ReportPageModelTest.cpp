// The report page's rules without a window: its history of steps taken back and done again,
// objects kept on the paper through moves, paper changes, undo and opening, the margins, where a
// new object goes, and when the page counts as changed since its file was written. The objects
// are the sample report objects, made as the host makes them.
#include "CQLNPageHistory.h"
#include "CQLNReportPage.h"
#include "CQLNTextObjClient.h"
#include "E2eSupport.h"
#include "SampleRegistration.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// --- The history alone ---------------------------------------------------------------------

class HistoryUnderTest
{
public:
    void Record(const std::wstring& name)
    {
        CQLNPageHistory::Step step;
        step.strName = name;
        m_nLetGo += m_history.Record(std::move(step)).size();
    }
    // Steps named "1", "2", ... up to n.
    void RecordMany(int n)
    {
        for (int i = 1; i <= n; ++i)
            Record(std::to_wstring(i));
    }
    bool Undo() { return m_history.Undo() != nullptr; }
    bool Redo() { return m_history.Redo() != nullptr; }
    void Save() { m_history.MarkSaved(); }

    // What a person sees of it: what undo and redo would take, how many steps back it reaches,
    // whether the page would count as saved, and how many steps were let go.
    std::string Describe() const
    {
        CQLNPageHistory copy = m_history;
        size_t nDepth = 0;
        while (copy.Undo() != nullptr)
            ++nDepth;
        return "undo " + Narrow(m_history.UndoName()) + ", redo " + Narrow(m_history.RedoName()) + ", " +
               std::to_string(nDepth) + " back, " + (m_history.IsAtSaved() ? "saved" : "changed") + ", " +
               std::to_string(m_nLetGo) + " let go";
    }

    CQLNPageHistory m_history;
    size_t m_nLetGo = 0;
};

TEST(PageHistory, StepsAreUndoneAndRedoneInOrderWithinTheLimitAndTheSavedStepIsKnown)
{
    const struct { const char* rule; std::function<void(HistoryUnderTest&)> steps; const char* seen; } rows[] = {
        {"a new history has nothing to take back and counts as saved", [](HistoryUnderTest&) {},
         "undo , redo , 0 back, saved, 0 let go"},
        {"the last step recorded is the first undone", [](HistoryUnderTest& h) { h.Record(L"Insert"); h.Record(L"Move"); },
         "undo Move, redo , 2 back, changed, 0 let go"},
        {"an undone step is the next to redo, the one before it the next to undo",
         [](HistoryUnderTest& h) { h.Record(L"Insert"); h.Record(L"Move"); h.Undo(); },
         "undo Insert, redo Move, 1 back, changed, 0 let go"},
        {"redo does again in the order undo took back",
         [](HistoryUnderTest& h) { h.RecordMany(3); h.Undo(); h.Undo(); h.Redo(); }, "undo 2, redo 3, 2 back, changed, 0 let go"},
        {"a step recorded after undo lets the steps undone go",
         [](HistoryUnderTest& h) { h.RecordMany(3); h.Undo(); h.Undo(); h.Record(L"Paper"); },
         "undo Paper, redo , 2 back, changed, 2 let go"},
        {"undo with nothing to undo and redo with nothing to redo change nothing",
         [](HistoryUnderTest& h) { EXPECT_FALSE(h.Undo()); h.Record(L"Insert"); EXPECT_FALSE(h.Redo()); },
         "undo Insert, redo , 1 back, changed, 0 let go"},
        {"undo back to the step saved counts as saved",
         [](HistoryUnderTest& h) { h.Record(L"Insert"); h.Save(); h.Record(L"Move"); h.Undo(); },
         "undo Insert, redo Move, 1 back, saved, 0 let go"},
        {"redo forward to the step saved counts as saved",
         [](HistoryUnderTest& h) { h.RecordMany(2); h.Save(); h.Undo(); h.Undo(); h.Redo(); h.Redo(); },
         "undo 2, redo , 2 back, saved, 0 let go"},
        {"a step recorded after undoing past the save makes the saved state unreachable",
         [](HistoryUnderTest& h) { h.Record(L"Insert"); h.Save(); h.Undo(); h.Record(L"Margins"); h.Undo(); },
         "undo , redo Margins, 0 back, changed, 1 let go"},
        {"a step recorded where the save was keeps the save reachable",
         [](HistoryUnderTest& h) { h.Record(L"Insert"); h.Save(); h.Record(L"Move"); h.Undo(); h.Record(L"Delete"); h.Undo(); },
         "undo Insert, redo Delete, 1 back, saved, 1 let go"},
        {"the most steps kept is 100: the oldest goes",
         [](HistoryUnderTest& h) { h.RecordMany(101); }, "undo 101, redo , 100 back, changed, 1 let go"},
        {"a save of a step let go with the oldest cannot be reached again",
         [](HistoryUnderTest& h) { h.Save(); h.RecordMany(101); while (h.Undo()) {} },
         "undo , redo 2, 0 back, changed, 1 let go"},
        {"a save among the steps kept moves with them as the oldest goes",
         [](HistoryUnderTest& h) { h.RecordMany(50); h.Save(); h.RecordMany(60); for (int i = 0; i < 60; ++i) h.Undo(); },
         "undo 50, redo 1, 40 back, saved, 10 let go"},
        {"marked unsaved, no undo or redo reaches a saved state",
         [](HistoryUnderTest& h) { h.Record(L"Insert"); h.m_history.MarkUnsaved(); h.Undo(); },
         "undo , redo Insert, 0 back, changed, 0 let go"},
        {"cleared, every step is let go and the page counts as saved",
         [](HistoryUnderTest& h) { h.RecordMany(3); h.Undo(); h.m_nLetGo += h.m_history.Clear().size(); },
         "undo , redo , 0 back, saved, 3 let go"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        HistoryUnderTest history;
        row.steps(history);
        EXPECT_EQ(row.seen, history.Describe());
    }
}

// --- The page and its objects ----------------------------------------------------------------

// A page as the command line keeps one (no window), with sample objects known by a letter.
class PageUnderTest
{
public:
    // The object goes where the page puts a new one, or at rcPlace when given.
    void Insert(char name, const wchar_t* pszProgId = L"QLNSample.TextCtrl", const RECT* pPlace = nullptr)
    {
        CLSID clsid = CLSID_NULL;
        ASSERT_EQ(S_OK, ::CLSIDFromProgID(pszProgId, &clsid));
        std::wstring error;
        ComPtr<CQLNPageObject> object = CQLNPageObject::Create(clsid, nullptr, m_page.RTPrecision(), error);
        ASSERT_TRUE(object) << Narrow(error);
        object->SetPlace(pPlace != nullptr ? *pPlace : m_page.NextPlace(SIZE{8000, 5000}));
        m_page.Insert(object);
        m_objects[name] = object;
    }
    void MoveTo(char name, long x, long y)
    {
        CQLNPageObject* pObject = m_objects.at(name).Get();
        const RECT rc = pObject->Place();
        m_page.Place(pObject, RECT{x, y, x + rc.right - rc.left, y + rc.bottom - rc.top}, rc);
    }
    void Resize(char name, long cx, long cy)
    {
        CQLNPageObject* pObject = m_objects.at(name).Get();
        const RECT rc = pObject->Place();
        m_page.Place(pObject, RECT{rc.left, rc.top, rc.left + cx, rc.top + cy}, rc);
    }
    void Delete(char name) { m_page.Remove(m_objects.at(name).Get()); }
    // An edit of the object's title through its dispatch interface, as its sheet makes it.
    void Retitle(char name, const std::wstring& title)
    {
        CQLNPageObject* pObject = m_objects.at(name).Get();
        m_page.BeginEdit(pObject, L"Properties");
        CQLNTextObjClient client;
        std::wstring error;
        EXPECT_TRUE(client.Attach(pObject->Object(), error) && client.PutProperty(L"Title", title, error)) << Narrow(error);
        m_page.EndEdit(pObject);
    }
    std::wstring Title(char name) const
    {
        CQLNTextObjClient client;
        std::wstring title, error;
        EXPECT_TRUE(client.Attach(m_objects.at(name)->Object(), error) && client.GetStringProperty(L"Title", title, error))
            << Narrow(error);
        return title;
    }
    void SetLandscape() { m_page.SetPaper(m_page.GetPaper(), true); }
    void SetLetter() { m_page.SetPaper(CQLNReportPage::Paper::Letter, m_page.IsLandscape()); }
    // The page's file opened again in its place, its objects known by the same letters in order.
    void Reopen()
    {
        std::vector<char> letters;
        for (const auto& object : m_page.Objects())
            letters.push_back(Letter(object.Get()));
        m_objects.clear();
        ASSERT_TRUE(m_page.Load(m_strPath, m_error)) << Narrow(m_error);
        EXPECT_EQ(L"", m_page.TakeLoadNote());
        ASSERT_EQ(letters.size(), m_page.Objects().size());
        for (size_t i = 0; i < letters.size(); ++i)
            m_objects[letters[i]] = m_page.Objects()[i];
    }
    // Returns the letter of the object the step was about, or '-'.
    char Undo() { return Letter(m_page.Undo(m_error)); }
    char Redo() { return Letter(m_page.Redo(m_error)); }
    bool Save(const std::wstring& path)
    {
        m_error.clear();
        return m_page.Save(path, m_error);
    }

    // The page as a person would check it: paper, orientation and margins in 0.01 mm; each object
    // in drawing order with its corner and size in 0.01 mm; what undo and redo would take; and
    // whether it counts as changed since its file.
    std::string Describe() const
    {
        std::string seen = m_page.GetPaper() == CQLNReportPage::Paper::A4 ? "A4" : "Letter";
        seen += m_page.IsLandscape() ? " landscape" : " portrait";
        seen += " margins " + std::to_string(m_page.Margin()) + ";";
        for (const auto& object : m_page.Objects()) {
            const RECT& rc = object->Place();
            seen += std::string(" ") + Letter(object.Get()) + " " + std::to_string(rc.left) + "," + std::to_string(rc.top) +
                    " " + std::to_string(rc.right - rc.left) + "x" + std::to_string(rc.bottom - rc.top) + ";";
        }
        const CQLNPageHistory& history = m_page.History();
        seen += " undo " + (history.CanUndo() ? Narrow(history.UndoName()) : "-");
        seen += ", redo " + (history.CanRedo() ? Narrow(history.RedoName()) : "-");
        return seen + (m_page.IsModified() ? ", modified" : ", unmodified");
    }
    char Letter(const CQLNPageObject* pObject) const
    {
        for (const auto& named : m_objects)
            if (named.second.Get() == pObject)
                return named.first;
        return '-';
    }

    CQLNReportPage m_page{nullptr};
    std::map<char, ComPtr<CQLNPageObject>> m_objects;
    std::wstring m_strPath;
    std::wstring m_error;
};

// A row of steps on a new page and the page they leave, as Describe gives it.
struct PageRow
{
    const char* rule;
    std::function<void(PageUnderTest&)> steps;
    const char* seen;
};

template <size_t N>
void ExpectRows(const PageRow (&rows)[N])
{
    for (const PageRow& row : rows) {
        SCOPED_TRACE(row.rule);
        PageUnderTest page;
        row.steps(page);
        EXPECT_EQ(L"", page.m_error);
        EXPECT_EQ(row.seen, page.Describe());
    }
}

class ReportPageModel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, m_text.Result());
        ASSERT_EQ(S_OK, m_peakTable.Result());
    }

    E2e::SampleRegistration m_text;
    E2e::SampleRegistration m_peakTable{L"QLNSamplePeakTable.dll", L"QLNSample.PeakTable"};
    E2e::ScratchFolder m_folder;
};

} // namespace

// Each row takes steps on a new page and says what the page is then. A new page is A4 portrait
// with margins of 20 mm; the first object goes at 20, 20 mm, 80 x 50 mm, the second beside it.
TEST_F(ReportPageModel, StepsAreUndoneAndRedoneAndObjectsStayOnThePaper)
{
    const PageRow rows[] = {
        {"a new object goes at the margins' corner, the next beside it where there is room",
         [](PageUnderTest& p) { p.Insert('A'); p.Insert('B', L"QLNSample.PeakTable"); },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; B 10000,2000 8000x5000; undo Insert, redo -, modified"},
        {"a new object that fits nowhere free goes at the margins' corner",
         [](PageUnderTest& p) { const RECT all = {2000, 2000, 19000, 27700}; p.Insert('A', L"QLNSample.TextCtrl", &all); p.Insert('B'); },
         "A4 portrait margins 2000; A 2000,2000 17000x25700; B 2000,2000 8000x5000; undo Insert, redo -, modified"},
        {"undo after two insertions takes back the second only",
         [](PageUnderTest& p) { p.Insert('A'); p.Insert('B', L"QLNSample.PeakTable"); EXPECT_EQ('-', p.Undo()); },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; undo Insert, redo Insert, modified"},
        {"redo puts the object taken back where it was, and selects it",
         [](PageUnderTest& p) { p.Insert('A'); p.Insert('B'); p.Undo(); EXPECT_EQ('B', p.Redo()); },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; B 10000,2000 8000x5000; undo Insert, redo -, modified"},
        {"undo all the way back leaves the new page as it was, unmodified",
         [](PageUnderTest& p) { p.Insert('A'); p.MoveTo('A', 3000, 3000); p.Undo(); p.Undo(); }, "A4 portrait margins 2000; undo -, redo Insert, unmodified"},
        {"a delete undone brings the object back at its place and in its order",
         [](PageUnderTest& p) { p.Insert('A'); p.Insert('B'); p.Delete('A'); EXPECT_EQ('A', p.Undo()); },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; B 10000,2000 8000x5000; undo Insert, redo Delete, modified"},
        {"a move undone gives the place before; a move is called Move",
         [](PageUnderTest& p) { p.Insert('A'); p.MoveTo('A', 5000, 6000); p.MoveTo('A', 7000, 8000); EXPECT_EQ('A', p.Undo()); },
         "A4 portrait margins 2000; A 5000,6000 8000x5000; undo Move, redo Move, modified"},
        {"a change of size is called Resize",
         [](PageUnderTest& p) { p.Insert('A'); p.Resize('A', 9000, 6000); },
         "A4 portrait margins 2000; A 2000,2000 9000x6000; undo Resize, redo -, modified"},
        {"a move off the paper stops at its edge",
         [](PageUnderTest& p) { p.Insert('A'); p.MoveTo('A', 18000, -300); },
         "A4 portrait margins 2000; A 13000,0 8000x5000; undo Move, redo -, modified"},
        {"a move to where the object is is no step",
         [](PageUnderTest& p) { p.Insert('A'); p.MoveTo('A', 2000, 2000); },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; undo Insert, redo -, modified"},
        {"landscape keeps an object low on the page on the paper, and undo gives its place back",
         [](PageUnderTest& p) { p.Insert('A'); p.MoveTo('A', 2000, 24000); p.SetLandscape(); },
         "A4 landscape margins 2000; A 2000,16000 8000x5000; undo Orientation, redo -, modified"},
        {"... undone: portrait again, the object where it was",
         [](PageUnderTest& p) { p.Insert('A'); p.MoveTo('A', 2000, 24000); p.SetLandscape(); EXPECT_EQ('-', p.Undo()); },
         "A4 portrait margins 2000; A 2000,24000 8000x5000; undo Move, redo Orientation, modified"},
        {"moved low, moved back, landscape, undo: the move back stays, on a portrait page",
         [](PageUnderTest& p) { p.Insert('A'); p.MoveTo('A', 2000, 24000); p.MoveTo('A', 2000, 2000); p.SetLandscape(); p.Undo(); },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; undo Move, redo Orientation, modified"},
        {"a delete undone after an orientation change and its undo comes back where it was",
         [](PageUnderTest& p) { p.Insert('A'); p.MoveTo('A', 2000, 24000); p.Delete('A'); p.SetLandscape(); p.Undo(); p.Undo(); },
         "A4 portrait margins 2000; A 2000,24000 8000x5000; undo Move, redo Delete, modified"},
        {"Letter is a paper change; objects past its width move in and undo gives them back",
         [](PageUnderTest& p) { p.Insert('A'); p.MoveTo('A', 13000, 24000); p.SetLetter(); },
         "Letter portrait margins 2000; A 13000,22940 8000x5000; undo Paper, redo -, modified"},
        {"margins are a step of their own",
         [](PageUnderTest& p) { p.m_page.SetMargin(1000); p.m_page.SetMargin(2500); p.Undo(); },
         "A4 portrait margins 1000; undo Margins, redo Margins, modified"},
        {"margins are at most a quarter of the paper's shorter side, and never below nothing",
         [](PageUnderTest& p) { p.m_page.SetMargin(9000); EXPECT_EQ(5250, p.m_page.Margin()); p.m_page.SetMargin(-5); },
         "A4 portrait margins 0; undo Margins, redo -, modified"},
        {"the same margins again are no step",
         [](PageUnderTest& p) { p.m_page.SetMargin(2000); }, "A4 portrait margins 2000; undo -, redo -, unmodified"},
        {"a new step after undo lets the step undone go",
         [](PageUnderTest& p) { p.Insert('A'); p.MoveTo('A', 3000, 3000); p.Undo(); p.m_page.SetMargin(1000); },
         "A4 portrait margins 1000; A 2000,2000 8000x5000; undo Margins, redo -, modified"},
        {"an edit of an object's data is undone by giving it its data before, and redone with its data after",
         [](PageUnderTest& p) {
             p.Insert('A');
             p.Retitle('A', L"Assay \u03b2");
             EXPECT_EQ('A', p.Undo());
             EXPECT_EQ(L"Sample Information", p.Title('A'));
             EXPECT_EQ('A', p.Redo());
             EXPECT_EQ(L"Assay \u03b2", p.Title('A'));
         },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; undo Properties, redo -, modified"},
        {"an edit that changes nothing is no step",
         [](PageUnderTest& p) { p.Insert('A'); p.Retitle('A', L"Sample Information"); },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; undo Insert, redo -, modified"},
        {"101 moves: the insertion before them can no longer be undone",
         [](PageUnderTest& p) {
             p.Insert('A');
             for (long i = 1; i <= 101; ++i)
                 p.MoveTo('A', 2000 + 10 * i, 2000);
             int nUndone = 0;
             while (p.m_page.History().CanUndo() && nUndone < 200) {
                 p.Undo();
                 ++nUndone;
             }
             EXPECT_EQ(100, nUndone);
         },
         "A4 portrait margins 2000; A 2010,2000 8000x5000; undo -, redo Move, modified"},
    };
    ExpectRows(rows);
}

// Where new objects go: each row inserts objects of 80 x 50 mm on a new A4 portrait page with
// margins of 20 mm, so that two fit side by side between the margins and a third does not.
TEST_F(ReportPageModel, ANewObjectGoesToTheFirstFreePlaceInsideTheMargins)
{
    const PageRow rows[] = {
        {"a full row sends the next object to the row below, at the margin",
         [](PageUnderTest& p) { p.Insert('A'); p.Insert('B'); p.Insert('C'); },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; B 10000,2000 8000x5000; C 2000,7000 8000x5000; undo Insert, redo -, modified"},
        {"the place of a deleted object is free again",
         [](PageUnderTest& p) { p.Insert('A'); p.Insert('B'); p.Delete('A'); p.Insert('C'); },
         "A4 portrait margins 2000; B 10000,2000 8000x5000; C 2000,2000 8000x5000; undo Insert, redo -, modified"},
        {"places are tried in steps of 5 mm: an object moved by 3 mm pushes the next to the step past it",
         [](PageUnderTest& p) { p.Insert('A'); p.MoveTo('A', 2300, 2000); p.Insert('B'); },
         "A4 portrait margins 2000; A 2300,2000 8000x5000; B 10500,2000 8000x5000; undo Insert, redo -, modified"},
        {"the margins as they are now: narrower margins give an earlier corner",
         [](PageUnderTest& p) { p.m_page.SetMargin(1000); p.Insert('A'); },
         "A4 portrait margins 1000; A 1000,1000 8000x5000; undo Insert, redo -, modified"},
        {"landscape rows are wide enough for three",
         [](PageUnderTest& p) { p.SetLandscape(); p.Insert('A'); p.Insert('B'); p.Insert('C'); },
         "A4 landscape margins 2000; A 2000,2000 8000x5000; B 10000,2000 8000x5000; C 18000,2000 8000x5000; undo Insert, redo -, modified"},
        {"an object touching another's edge does not cover it",
         [](PageUnderTest& p) { const RECT rc = {10000, 2000, 18000, 7000}; p.Insert('A', L"QLNSample.TextCtrl", &rc); p.Insert('B'); },
         "A4 portrait margins 2000; A 10000,2000 8000x5000; B 2000,2000 8000x5000; undo Insert, redo -, modified"},
        {"an object wider than the paper is given the paper's width, against its edge",
         [](PageUnderTest& p) {
             const RECT rc = p.m_page.NextPlace(SIZE{30000, 5000});
             EXPECT_EQ(0, rc.left);
             EXPECT_EQ(2000, rc.top);
             EXPECT_EQ(21000, rc.right);
         },
         "A4 portrait margins 2000; undo -, redo -, unmodified"},
    };
    ExpectRows(rows);
}

// Paper and margins: each row changes them on a new A4 portrait page with margins of 20 mm.
// Letter is 215.9 x 279.4 mm, so its margins may be up to 53.97 mm and A4's up to 52.5 mm.
TEST_F(ReportPageModel, PaperAndMarginChangesKeepTheMarginsAndObjectsOnThePaper)
{
    const PageRow rows[] = {
        {"the paper and orientation the page has already are no step",
         [](PageUnderTest& p) { p.m_page.SetPaper(CQLNReportPage::Paper::A4, false); },
         "A4 portrait margins 2000; undo -, redo -, unmodified"},
        {"margins that Letter allows are cut to A4's most when the paper becomes A4",
         [](PageUnderTest& p) { p.SetLetter(); p.m_page.SetMargin(9000); p.m_page.SetPaper(CQLNReportPage::Paper::A4, false); },
         "A4 portrait margins 5250; undo Paper, redo -, modified"},
        {"... undone: Letter with its margins as they were",
         [](PageUnderTest& p) {
             p.SetLetter();
             p.m_page.SetMargin(9000);
             p.m_page.SetPaper(CQLNReportPage::Paper::A4, false);
             p.Undo();
         },
         "Letter portrait margins 5397; undo Margins, redo Paper, modified"},
        {"paper and orientation at once are one step, named after the paper",
         [](PageUnderTest& p) { p.Insert('A'); p.MoveTo('A', 2000, 24000); p.m_page.SetPaper(CQLNReportPage::Paper::Letter, true); },
         "Letter landscape margins 2000; A 2000,16590 8000x5000; undo Paper, redo -, modified"},
        {"an object wider than the new paper is narrowed to it and put against its edge",
         [](PageUnderTest& p) {
             p.SetLandscape();
             const RECT rc = {2000, 2000, 27000, 7000};
             p.Insert('A', L"QLNSample.TextCtrl", &rc);
             p.m_page.SetPaper(CQLNReportPage::Paper::A4, false);
         },
         "A4 portrait margins 2000; A 0,2000 21000x5000; undo Orientation, redo -, modified"},
        {"wider margins leave objects where they are, in the margins or not",
         [](PageUnderTest& p) { p.Insert('A'); p.m_page.SetMargin(4000); },
         "A4 portrait margins 4000; A 2000,2000 8000x5000; undo Margins, redo -, modified"},
        {"margins of nothing are allowed",
         [](PageUnderTest& p) { p.m_page.SetMargin(0); p.Insert('A'); },
         "A4 portrait margins 0; A 0,0 8000x5000; undo Insert, redo -, modified"},
    };
    ExpectRows(rows);
}

// Saved, the page counts as unchanged; undo and redo lead back to the step saved and away from
// it; a save that fails leaves the page and its objects changed; and every page the history can
// reach is one a file can hold and the program open again.
TEST_F(ReportPageModel, ThePageIsMarkedModifiedRelativeToItsFileAndEveryStateItReachesSavesAndOpens)
{
    const std::wstring path = m_folder.Path(L"p.qrp");
    const PageRow rows[] = {
        {"saved, a page is unmodified", [](PageUnderTest&) {}, "A4 portrait margins 2000; A 2000,2000 8000x5000; B 10000,2000 8000x5000; undo Insert, redo -, unmodified"},
        {"a move after the save is a change, its undo none",
         [](PageUnderTest& p) { p.MoveTo('A', 2000, 9000); p.Undo(); },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; B 10000,2000 8000x5000; undo Insert, redo Move, unmodified"},
        {"undo past the save is a change, redo back to it none",
         [](PageUnderTest& p) { p.Undo(); EXPECT_TRUE(p.m_page.IsModified()); p.Redo(); },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; B 10000,2000 8000x5000; undo Insert, redo -, unmodified"},
        {"an edit of an object's data after the save, undone, is none",
         [](PageUnderTest& p) { p.Retitle('B', L"Peaks"); EXPECT_TRUE(p.m_page.IsModified()); p.Undo(); },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; B 10000,2000 8000x5000; undo Insert, redo Properties, unmodified"},
        {"... redone, is a change again, though loading the data cleared the object's own mark",
         [](PageUnderTest& p) { p.Retitle('B', L"Peaks"); p.Undo(); p.Redo(); },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; B 10000,2000 8000x5000; undo Properties, redo -, modified"},
        {"an edit saved, undone and redone is what the file holds",
         [](PageUnderTest& p) { p.Retitle('B', L"Peaks"); EXPECT_TRUE(p.Save(p.m_strPath)); p.Undo(); p.Redo(); },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; B 10000,2000 8000x5000; undo Properties, redo -, unmodified"},
        {"an edit undone after a save of it is a change",
         [](PageUnderTest& p) { p.Retitle('B', L"Peaks"); EXPECT_TRUE(p.Save(p.m_strPath)); p.Undo(); },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; B 10000,2000 8000x5000; undo Insert, redo Properties, modified"},
        {"an object changed outside any step stays a change through an undo of a later edit",
         [](PageUnderTest& p) {
             CQLNTextObjClient client;
             std::wstring error;
             ASSERT_TRUE(client.Attach(p.m_objects.at('A')->Object(), error) && client.PutProperty(L"Title", L"Aside", error));
             p.Retitle('A', L"Later");
             p.Undo();
             EXPECT_EQ(L"Aside", p.Title('A'));
         },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; B 10000,2000 8000x5000; undo Insert, redo Properties, modified"},
        {"a save into a read-only file fails and leaves the page and the edited object modified",
         [](PageUnderTest& p) {
             p.Retitle('A', L"Unsaved");
             ASSERT_TRUE(::SetFileAttributesW(p.m_strPath.c_str(), FILE_ATTRIBUTE_READONLY));
             EXPECT_FALSE(p.Save(p.m_strPath));
             EXPECT_NE(std::wstring::npos, p.m_error.find(L"p.qrp")) << Narrow(p.m_error);
             p.m_error.clear();
             ::SetFileAttributesW(p.m_strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
             EXPECT_TRUE(p.m_objects.at('A')->IsDirty());
         },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; B 10000,2000 8000x5000; undo Properties, redo -, modified"},
        {"landscape after moves, undone, saves a page that opens as it was",
         [](PageUnderTest& p) {
             p.MoveTo('A', 2000, 24000);
             p.MoveTo('A', 2000, 2000);
             p.SetLandscape();
             p.Undo();
             ASSERT_TRUE(p.Save(p.m_strPath)) << Narrow(p.m_error);
             p.Reopen();
         },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; B 10000,2000 8000x5000; undo -, redo -, unmodified"},
        {"a delete of an object low on the page undone after landscape saves a page that opens",
         [](PageUnderTest& p) {
             p.MoveTo('B', 10000, 24000);
             p.Delete('B');
             p.SetLandscape();
             p.Undo();
             p.Undo();
             ASSERT_TRUE(p.Save(p.m_strPath)) << Narrow(p.m_error);
             p.Reopen();
         },
         "A4 portrait margins 2000; A 2000,2000 8000x5000; B 10000,24000 8000x5000; undo -, redo -, unmodified"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        PageUnderTest page;
        page.m_strPath = path;
        page.Insert('A');
        page.Insert('B', L"QLNSample.PeakTable");
        ASSERT_TRUE(page.Save(path)) << Narrow(page.m_error);
        row.steps(page);
        EXPECT_EQ(L"", page.m_error);
        EXPECT_EQ(row.seen, page.Describe());
    }
}
