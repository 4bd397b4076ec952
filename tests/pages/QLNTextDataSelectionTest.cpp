// The data selection page's rules without its windows: the rows a text loads as, what the page
// shows of each, the user's commands on them and the text they build back.
#include "QLNBaseRes.h"
#include "QLNDefaultText.h"
#include "QLNTextDataSelection.h"
#include "pages_tests_res.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>

namespace {

using Selection = CQLNTextDataSelection;

const CQLNDefaultText& Catalogue()
{
    static const UINT ids[] = {IDS_SEL_FILE, IDS_SEL_HEADING, IDS_SEL_VIAL, IDS_SEL_RT, IDS_SEL_INJVOL};
    static const CQLNDefaultText catalogue(ids, 5);
    return catalogue;
}

std::wstring Text(const CString& s)
{
    return std::wstring(s.GetString(), static_cast<size_t>(s.GetLength()));
}

// Rows as text|kind.
std::wstring Rows(const std::vector<Selection::Row>& rows)
{
    std::wstring s;
    for (const auto& row : rows)
        s += (s.empty() ? L"" : L"; ") + Text(row.text) + L"|" + std::to_wstring(row.kind);
    return s;
}

// The label edit ("-" when hidden), the decimal edit, the decimal bounds, the description.
std::wstring Shown(const Selection::RowView& v)
{
    std::wstring s = L"-";
    if (v.labelShown)
        s = (v.labelCaptionID == IDS_QLN_USER_TEXT_CAPTION ? L"user text[" : L"label[") + Text(v.label) + L"]";
    s += v.decimalShown ? L" decimal[" + Text(v.decimal) + L"]" : L" -";
    return s + L" " + std::to_wstring(v.decimalMin) + L".." + std::to_wstring(v.decimalMax) + L" " + Text(v.description);
}

} // namespace

// The rule that keeps a text from being lost: loading it and looking at every row builds it
// back unchanged, whatever the rows cannot carry.
TEST(TextDataSelection, OkAfterOnlyLookingChangesNothingInAnyTextLoadedAndLookedAt)
{
    const struct { const char* name; std::wstring text; } rows[] = {
        {"empty", L""},
        {"catalogue lines as a control first writes them",
         L"Data file: {DataFile}\f-1\fData file: {DataFile}\r\nRetention time: {RT}\f2\fRetention time: {RT}"},
        {"catalogue lines without their fields, whose decimals looking records", L"Vial: {Vial}\r\nInjection volume: {InjVol}"},
        {"a user text that holds a value", L"Old: {X}\f-1\fO: {X}"},
        {"blank lines and a break at the end", L"\r\n\r\nVial: {Vial}\r\n"},
        {"lone carriage returns, line feeds and form feeds", L"a\rb\nc\f\r\r\n\f\f\f"},
        {"a decimal field that is no number", L"Retention time: {RT}\fx\fRT: {RT}"},
        {"a catalogue item in other case", L"vial: {VIAL}\f-1\fvial: {VIAL}"},
        {"a zero character", std::wstring(L"Vial: {Vial}\0tail", 17)},
        {"an unknown token and an unclosed brace", L"Batch: {Nope}\r\nOdd: {Vial"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Selection selection(&Catalogue());
        selection.Load(CString(row.text.c_str(), static_cast<int>(row.text.size())));
        for (int i = -1; i <= static_cast<int>(selection.GetSelected().size()); ++i)
            selection.ShowSelected(i);
        EXPECT_FALSE(selection.IsChanged());
        EXPECT_EQ(row.text, Text(selection.BuildTextFields()));
    }
}

// Each line is a row of its kind, and the page shows its label (without the separator) and
// decimal setting: its own, else the catalogue's, with the catalogue's bounds.
TEST(TextDataSelection, LinesLoadAsRowsThatShowTheirLabelAndDecimal)
{
    Selection selection(&Catalogue());
    selection.Load(L"Data file: {DataFile}\f-1\fFile: {DataFile}\r\n\f-1\f\r\nRetention time: {RT}\f3\fRT: {RT}\r\n"
                   L"\f-1\fFree words\r\nVial: {Vial}\r\nOld: {X}\f-1\fO: {X}\r\n"
                   L"Injection volume: {InjVol}\f-1\fInjection volume: {InjVol}");
    const std::wstring none = L" -2147483648..2147483647 ";
    const struct { const char* name; std::wstring shown; } rows[] = {
        {"an item with a label of its own", L"label[File:] -" + none + L"Name of the data file"},
        {"a blank line", L"- -" + none + L"Blank line"},
        {"an item with a decimal setting", L"label[RT:] decimal[3] 0..3 Retention time"},
        {"a user text", L"user text[Free words] -" + none + L"User text to be supplied by the user"},
        {"a bare catalogue line: the catalogue's label", L"label[Vial:] -" + none + L"Vial position"},
        {"a user text that holds a value", L"user text[O:] -" + none + L"User text to be supplied by the user"},
        {"an item without a decimal setting: the catalogue's", L"label[Injection volume:] decimal[1] 0..3 Volume injected"},
        {"no row", L"- -" + none},
    };
    EXPECT_EQ(L"Data file: {DataFile}|2; |0; Retention time: {RT}|2; Free words|1; Vial: {Vial}|2; Old: {X}|1; "
              L"Injection volume: {InjVol}|2",
              Rows(selection.GetSelected()));
    EXPECT_EQ(L"|0; |1; Sample Information|2", Rows(selection.GetAvailable()));
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(rows[i].shown, Shown(selection.ShowSelected(i)));
    }
    EXPECT_EQ(L"Heading:About the sample", Text(selection.DescribeAvailable(2)));

    Selection without(nullptr);
    without.Load(L"Vial: {Vial}");
    EXPECT_EQ(L"Vial: {Vial}|1 / |0; |1", Rows(without.GetSelected()) + L" / " + Rows(without.GetAvailable()));
    EXPECT_EQ(L"- -" + none, Shown(without.ShowSelected(0)));
}

// Each command leaves the rows, the current rows and the text built from them.
TEST(TextDataSelection, CommandsChangeTheRowsAndTheTextBuilt)
{
    const wchar_t* const two = L"Data file: {DataFile}\f-1\fFile: {DataFile}\r\n\f-1\fFree words";
    const std::wstring file = L"Data file: {DataFile}\f-1\fFile: {DataFile}";
    const std::wstring catalogue = L"Sample Information|2; Vial: {Vial}|2; Retention time: {RT}|2; Injection volume: {InjVol}|2";
    // The rows current after the commands; for a label or decimal typed, what that answered instead.
    using Commands = std::function<Selection::Current(Selection&)>;
    const struct { const char* name; const wchar_t* text; Commands commands; std::wstring rows; std::wstring built; } rows[] = {
        {"a catalogue item goes after the current row", two, [](Selection& s) { return s.Add({0, 3}); },
         L"Data file: {DataFile}|2; Vial: {Vial}|2; Free words|1 @1,3 / |0; |1; Sample Information|2; Retention time: {RT}|2; Injection volume: {InjVol}|2",
         file + L"\r\nVial: {Vial}\f-1\fVial: {Vial}\r\n\f-1\fFree words"},
        {"a blank line is copied", two, [](Selection& s) { return s.Add({1, 0}); },
         L"Data file: {DataFile}|2; Free words|1; |0 @2,0 / |0; |1; " + catalogue, file + L"\r\n\f-1\fFree words\r\n\f-1\f"},
        {"a removed item goes back before the next catalogue item available", two, [](Selection& s) { return s.Remove({0, 4}); },
         L"Free words|1 @0,2 / |0; |1; Data file: {DataFile}|2; " + catalogue, L"\f-1\fFree words"},
        {"... at the end when none is", L"Injection volume: {InjVol}", [](Selection& s) { return s.Remove({0, 0}); },
         L" @-1,6 / |0; |1; Data file: {DataFile}|2; Sample Information|2; Vial: {Vial}|2; Retention time: {RT}|2; Injection volume: {InjVol}|2",
         L""},
        {"a removed user text is gone", two, [](Selection& s) { return s.Remove({1, 4}); },
         L"Data file: {DataFile}|2 @0,4 / |0; |1; " + catalogue, file},
        {"add all puts every available row, the special ones too, after the current row", two,
         [](Selection& s) { return s.AddAll({0, 3}); },
         L"Data file: {DataFile}|2; |0; |1; " + catalogue + L"; Free words|1 @6,0 / |0; |1",
         file + L"\r\n\f-1\f\r\n\f-1\f\r\nSample Information\f-1\fSample Information\r\nVial: {Vial}\f-1\fVial: {Vial}\r\n"
                L"Retention time: {RT}\f-1\fRetention time: {RT}\r\nInjection volume: {InjVol}\f-1\fInjection volume: {InjVol}\r\n\f-1\fFree words"},
        {"remove all gives the catalogue back", two, [](Selection& s) { return s.RemoveAll(); },
         L" @-1,0 / |0; |1; Data file: {DataFile}|2; " + catalogue, L""},
        {"remove all of nothing changes nothing", L"", [](Selection& s) { return s.RemoveAll(); },
         L" @-1,0 / |0; |1; Data file: {DataFile}|2; " + catalogue, L""},
        {"a command on no row changes nothing", two, [](Selection& s) { return s.Remove({-1, 0}); },
         L"Data file: {DataFile}|2; Free words|1 @-1,0 / |0; |1; " + catalogue, two},
        {"moved down, and not past the end", two, [](Selection& s) { return Selection::Current{s.Move(s.Move(0, 1), 1), -1}; },
         L"Free words|1; Data file: {DataFile}|2 @1,-1 / |0; |1; " + catalogue, L"\f-1\fFree words\r\n" + file},
        {"not moved past the top", two, [](Selection& s) { return Selection::Current{s.Move(0, -1), -1}; },
         L"Data file: {DataFile}|2; Free words|1 @0,-1 / |0; |1; " + catalogue, two},
        {"a retyped label gets its separator back", two, [](Selection& s) { return Selection::Current{s.TypeLabel(0, L"Source:"), 0}; },
         L"Data file: {DataFile}|2; Free words|1 @1,0 / |0; |1; " + catalogue, L"Data file: {DataFile}\f-1\fSource: {DataFile}\r\n\f-1\fFree words"},
        {"a label typed with a separator keeps the user's", two, [](Selection& s) { return Selection::Current{s.TypeLabel(0, L"Src:\t"), 0}; },
         L"Data file: {DataFile}|2; Free words|1 @1,0 / |0; |1; " + catalogue, L"Data file: {DataFile}\f-1\fSrc:\t{DataFile}\r\n\f-1\fFree words"},
        {"an emptied label keeps the last", two, [](Selection& s) { return Selection::Current{s.TypeLabel(0, L""), 0}; },
         L"Data file: {DataFile}|2; Free words|1 @0,0 / |0; |1; " + catalogue, two},
        {"a typed user text is the row", two, [](Selection& s) { return Selection::Current{s.TypeLabel(1, L"Other"), 0}; },
         L"Data file: {DataFile}|2; Other|1 @1,0 / |0; |1; " + catalogue, file + L"\r\n\f-1\fOther"},
        {"a blank line takes no text", L"\f-1\f", [](Selection& s) { return Selection::Current{s.TypeLabel(0, L"Other"), 0}; },
         L"|0 @0,0 / |0; |1; Data file: {DataFile}|2; " + catalogue, L"\f-1\f"},
        {"a decimal setting changes, and only on a row that has one", L"Retention time: {RT}\f3\fRT: {RT}\r\nVial: {Vial}",
         [](Selection& s) { return Selection::Current{s.StoreDecimal(0, L"1") + s.StoreDecimal(0, L"1") + s.StoreDecimal(1, L"2"), 0}; },
         L"Retention time: {RT}|2; Vial: {Vial}|2 @1,0 / |0; |1; Data file: {DataFile}|2; Sample Information|2; Injection volume: {InjVol}|2",
         L"Retention time: {RT}\f1\fRT: {RT}\r\nVial: {Vial}\f-1\fVial: {Vial}"},
        {"the catalogue's decimal, once looked at, is written with a change",
         L"Injection volume: {InjVol}\f-1\fInjection volume: {InjVol}\r\nVial: {Vial}",
         [](Selection& s) { return s.ShowSelected(0), Selection::Current{s.Move(1, -1), 0}; },
         L"Vial: {Vial}|2; Injection volume: {InjVol}|2 @0,0 / |0; |1; Data file: {DataFile}|2; Sample Information|2; Retention time: {RT}|2",
         L"Vial: {Vial}\f-1\fVial: {Vial}\r\nInjection volume: {InjVol}\f1\fInjection volume: {InjVol}"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Selection selection(&Catalogue());
        selection.Load(row.text);
        const Selection::Current cur = row.commands(selection);
        EXPECT_EQ(row.rows, Rows(selection.GetSelected()) + L" @" + std::to_wstring(cur.selected) + L"," +
                                std::to_wstring(cur.available) + L" / " + Rows(selection.GetAvailable()));
        EXPECT_EQ(row.built, Text(selection.BuildTextFields()));
        EXPECT_EQ(row.built != row.text, selection.IsChanged() != FALSE);
        // What was written is what is built until the next change.
        selection.Written(L"written");
        EXPECT_EQ(L"written", Text(selection.BuildTextFields()));
    }
}
