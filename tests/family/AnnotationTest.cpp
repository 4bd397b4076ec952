// The sample annotation inside the system's ActiveX host window: its properties verb shows its
// own sheet, a text page that exchanges by property name and the library's annotation font page
// with its embedded font dialog, which a user drives with mouse and keyboard.
#include "EmfScan.h"
#include "HtmlHelpRecorderProbe.h"
#include "SampleObject.h"
#include "ScopedRegistryValue.h"
#include "SiblingHost.h"

#include <algorithm>

using Microsoft::WRL::ComPtr;
using namespace qlntest;

namespace {

// Ids of the annotation's text page, as a report designer's test tool sees them.
const int kTextId = 1001, kRightId = 1004, kFrameId = 1005, kColorId = 1006;
// Ids inside the library's embedded font dialog.
const int kUnderlineId = 11001, kFaceId = 11008, kSizeId = 11010;

class AnnotationHost : public SiblingHost
{
protected:
    AnnotationHost() : SiblingHost(L"QLNSampleAnnotation.dll", L"QLNSample.Annotation", L"Annotation") {}
    // The font dialog that covers the font page.
    HWND FontDialog() const { return ::FindWindowExW(Page(), nullptr, L"#32770", nullptr); }
    // The edit field of its face box.
    HWND FaceEdit() const
    {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        ::GetComboBoxInfo(::GetDlgItem(FontDialog(), kFaceId), &info);
        return info.hwndItem;
    }
    // Typing over the face box's text, which has the focus as after a click.
    void TypeFace(const std::wstring& text) const
    {
        ::SetFocus(FaceEdit());
        PostTyping(FaceEdit(), text);
    }
};

// The annotation's properties in one line: text, alignment, frame, colour, the font's size,
// underline and face.
std::wstring State(CQLNTextObjClient& object)
{
    return SampleObject::Get(object, L"Text") + L"|" + SampleObject::Get(object, L"Alignment") + L"|" +
           SampleObject::Get(object, L"Frame") + L"|" + SampleObject::Get(object, L"TextColor") + L"|" +
           BagLine(object, "TextFont.Size") + L"|" + BagLine(object, "TextFont.Underline") + L"|" +
           BagLine(object, "TextFont.Name");
}

} // namespace

// A user types two lines into the text page (Enter in the box is a new line), picks right
// alignment, the frame and the next colour, asks Help and applies by the keyboard: the annotation
// has the edits at once, and the focus is back on the control it had, from which Shift+Tab goes
// on. Space on the checked alignment changes nothing; Ctrl+Tab switches pages, from the text box
// too. On the font page (its
// own Help), Enter on the underline box ticks it without closing the sheet and a click picks 16
// points; a face typed that does not exist keeps OK from closing the sheet, with a message, and a
// face typed in part is completed. OK keeps it all. The edits reach a saved and reloaded copy and
// its drawing: the lines right-aligned in the colour, the frame round the bounds.
TEST_F(AnnotationHost, AUserEditsBothPagesAndTheEditsReachThePropertiesTheSavedSetAndTheDrawing)
{
    ScopedRegistryValue helpControl(HKEY_CLASSES_ROOT, kHtmlHelpControlKey, nullptr);
    helpControl.SetString(REG_SZ, HtmlHelpRecorderProbe::RecorderPath());

    RunSheet({
        [&] { return PressHelp(); },
        {"help for the text page", [&] {
             if (!HelpAsked())
                 return false;
             Focus(kTextId);
             return PostTyping(Item(kTextId), L"Batch 12"), true;
         }},
        {"the first line typed", [&] { return TextOf(Item(kTextId)) == L"Batch 12" && (PressChord({VK_RETURN}), true); }},
        {"Enter: a new line", [&] { return TextOf(Item(kTextId)) == L"Batch 12\r\n" && (PressKeys(L"rerun"), true); }},
        {"the second line typed", [&] {
             if (TextOf(Item(kTextId)) != L"Batch 12\r\nrerun")
                 return false;
             PostClick(Item(kRightId));
             PostClick(Item(kFrameId));
             return PostKey(Item(kColorId), VK_DOWN), true;
         }},
        {"Apply enabled by the edits", [&] { return ApplyEnabled() && (PressChord({VK_MENU, 'A'}), true); }},
        {"Apply done", [&] {
             if (ApplyEnabled())
                 return false;
             m_seen.push_back(L"applied: " + State(m_object));
             return NotePlace() && (PressChord({VK_SHIFT, VK_TAB}), true);
         }},
        [&] { return NotePlace() && (PressChord({VK_SPACE}), true); },
        [&] { return NotePlace() && (PressChord({VK_CONTROL, VK_SHIFT, VK_TAB}), true); },
        {"the font page by Ctrl+Shift+Tab", [&] { return IsOnPage(1) && NotePlace() && (PressChord({VK_CONTROL, VK_TAB}), true); }},
        {"the text page by Ctrl+Tab", [&] { return IsOnPage(0) && NotePlace() && (PressChord({VK_CONTROL, VK_TAB}), true); }},
        {"the font page", [&] { return IsOnPage(1) && FontDialog() != nullptr && PressHelp(); }},
        {"help for the font page", [&] {
             if (!HelpAsked())
                 return false;
             const HWND hUnderline = ::GetDlgItem(FontDialog(), kUnderlineId);
             ::SetFocus(hUnderline);
             return PostKey(hUnderline, VK_RETURN), true;
         }},
        {"underline ticked by Enter", [&] {
             const HWND hUnderline = ::GetDlgItem(FontDialog(), kUnderlineId);
             if (::SendMessageW(hUnderline, BM_GETCHECK, 0, 0) != BST_CHECKED)
                 return false;
             m_seen.push_back(std::wstring(L"Enter on the box: sheet open ") + (::IsWindowVisible(m_hSheet) ? L"1" : L"0") +
                            L", apply " + (ApplyEnabled() ? L"1" : L"0"));
             COMBOBOXINFO sizes = {};
             sizes.cbSize = sizeof sizes;
             ::GetComboBoxInfo(::GetDlgItem(FontDialog(), kSizeId), &sizes);
             const LRESULT row = ::SendMessageW(sizes.hwndList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(L"16"));
             ::SendMessageW(sizes.hwndList, LB_SETTOPINDEX, row, 0);
             RECT rc = {};
             ::SendMessageW(sizes.hwndList, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
             PostClickAt(sizes.hwndList, POINT{rc.left + 4, (rc.top + rc.bottom) / 2});
             return row != LB_ERR;
         }},
        {"16 points chosen", [&] { return TextOf(::GetDlgItem(FontDialog(), kSizeId)) == L"16" && (TypeFace(L"zqx"), true); }},
        {"a face that does not exist", [&] { return TextOf(FaceEdit()) == L"zqx" && (PostClick(::GetDlgItem(m_hSheet, IDOK)), true); }},
        {"the message", [&] {
             const HWND hBox = FindOwnedDialog(m_hSheet);
             if (hBox == nullptr)
                 return false;
             m_seen.push_back(MessageBoxText(hBox));
             return PostClick(::GetDlgItem(hBox, IDOK)), true;
         }},
        {"the message closed", [&] { return !OwnsDialog(m_hSheet) && NotePlace() && (TypeFace(L"dej"), true); }},
        {"the face completed", [&] {
             if (TextOf(FaceEdit()) != L"DejaVu Sans")
                 return false;
             DWORD dwStart = 0, dwEnd = 0;
             ::SendMessageW(FaceEdit(), EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
             m_seen.push_back(L"completed, selected " + std::to_wstring(dwStart) + L" to " + std::to_wstring(dwEnd));
             return PostClick(::GetDlgItem(m_hSheet, IDOK)), true;
         }},
    });
    const std::wstring applied =
        L"Batch 12\r\nrerun|2|-1|128|TextFont.Size=12.0000|TextFont.Underline=false|TextFont.Name=Arial";
    const std::wstring edited =
        L"Batch 12\r\nrerun|2|-1|128|TextFont.Size=16.0000|TextFont.Underline=true|TextFont.Name=DejaVu Sans";
    const std::vector<std::wstring> expected = {
        L"help 3001", L"applied: " + applied,
        // after Apply by Alt+A, back on the frame box clicked last; Shift+Tab; Space on the
        // checked alignment
        L"p0 &Frame, apply 0", L"p0 &Right, apply 0", L"p0 &Right, apply 0",
        // Ctrl+Shift+Tab to the font page, Ctrl+Tab back to the text page's first control
        L"p1 ComboBox 11008, apply 0", L"p0 Edit 1001, apply 0",
        L"help 1064", L"Enter on the box: sheet open 1, apply 1",
        L"There is no font named \"zqx\" on this computer. Choose a font from the list.",
        // the sheet still open, the focus in the face box
        L"p1 ComboBox 11008, apply 1",
        L"completed, selected 3 to 11"};
    EXPECT_EQ(expected, m_seen);
    EXPECT_EQ(edited, State(m_object));

    std::string bytes;
    std::wstring error;
    ASSERT_TRUE(m_object.SaveStream(bytes, error, false)) << error;
    CQLNTextObjClient copy;
    ASSERT_TRUE(copy.Create(L"QLNSample.Annotation", error) && copy.LoadStream(bytes, error)) << error;
    EXPECT_EQ(edited, State(copy));
    const HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(copy.Draw(nullptr, hdc, RECT{0, 0, 600, 400}, error)) << error;
    const HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
    const EmfScan drawing(hemf);
    ::DeleteEnhMetaFile(hemf);
    const EmfText* pFirst = drawing.Find(L"Batch 12");
    const EmfText* pSecond = drawing.Find(L"rerun");
    ASSERT_TRUE(pFirst != nullptr && pSecond != nullptr) << drawing.TextList();
    EXPECT_LT(pFirst->ref.y, pSecond->ref.y);
    EXPECT_GT(pSecond->ref.x, pFirst->ref.x) << "right-aligned: the shorter line starts further right";
    EXPECT_EQ(0x80u, pSecond->colour);
    // 16 points at 96 pixels per inch, underlined.
    EXPECT_EQ(-21, pSecond->height);
    EXPECT_TRUE(std::any_of(drawing.fontsCreated.begin(), drawing.fontsCreated.end(),
                            [](const LOGFONTW& lf) { return lf.lfUnderline && lf.lfHeight == -21; }));
    // The record holds the frame's last pixels: the bounds, their right and bottom excluded.
    ASSERT_EQ(1u, drawing.rectangles.size());
    EXPECT_EQ(599, drawing.rectangles[0].right);
    EXPECT_EQ(399, drawing.rectangles[0].bottom);
}

// Cancel after edits on both pages (the text page written as it was left, both applied), by
// Escape in the text box, gives the annotation back byte for byte and unmodified; OK after only
// looking at both pages writes nothing.
TEST_F(AnnotationHost, OkAfterOnlyLookingChangesNothingAndCancelAfterEditingTakesTheEditsBack)
{
    std::wstring error;
    ASSERT_TRUE(m_object.PutProperty(L"Text", L"Keep me", error)) << error;
    std::string before;
    ASSERT_TRUE(m_object.SaveStream(before, error)) << error;
    const std::string bagBefore = SampleObject::SaveBagText(m_object);

    RunSheet({
        [&] {
            Focus(kTextId);
            PostTyping(Item(kTextId), L"Lost");
            return PostClick(Item(kFrameId)), true;
        },
        {"the edits", [&] { return TextOf(Item(kTextId)) == L"Lost" && (PressChord({VK_CONTROL, VK_TAB}), true); }},
        {"the font page, the text written", [&] {
             if (!IsOnPage(1) || FontDialog() == nullptr || SampleObject::Get(m_object, L"Text") != L"Lost")
                 return false;
             return PostClick(::GetDlgItem(FontDialog(), kUnderlineId)), true;
         }},
        {"Apply enabled", [&] { return ApplyEnabled() && (PressChord({VK_MENU, 'A'}), true); }},
        {"Apply done", [&] { return !ApplyEnabled() && NotePlace() && (PressChord({VK_CONTROL, VK_SHIFT, VK_TAB}), true); }},
        {"the text page", [&] { return IsOnPage(0) && NotePlace() && (PressChord({VK_ESCAPE}), true); }},
    });
    const std::vector<std::wstring> places = {L"p1 &Underline, apply 0", L"p0 Edit 1001, apply 0"};
    EXPECT_EQ(places, m_seen);
    EXPECT_EQ(bagBefore, SampleObject::SaveBagText(m_object));
    EXPECT_FALSE(m_object.IsDirty());

    RunSheet({
        [&] { return PostTabClick(m_hSheet, 1); },
        [&] { return IsOnPage(1) && PostTabClick(m_hSheet, 0); },
        [&] { return IsOnPage(0) && (PostClick(::GetDlgItem(m_hSheet, IDOK)), true); },
    });
    std::string after;
    ASSERT_TRUE(m_object.SaveStream(after, error, false)) << error;
    EXPECT_TRUE(before == after) << "OK after only looking";
    EXPECT_FALSE(m_object.IsDirty());
}
