// Drawing through IViewObject::Draw into an enhanced metafile, as a host prints or exports a
// report: what text is drawn where, in which colour, and that the host's DC comes back as it
// was given.
#include "EmfScan.h"
#include "SampleObject.h"

#include <gtest/gtest.h>

#include <list>

namespace {

class TextCtrlDraw : public testing::Test
{
protected:
    void SetUp() override
    {
        std::wstring error;
        ASSERT_TRUE(SampleObject::Create(ctrl, error)) << error;
        ASSERT_TRUE(ctrl.InitNew(error));
        ASSERT_TRUE(ctrl.PutProperty(L"TextFields", L"Sample name: {SampName}\r\nVial: {Vial}\r\nInstrument", error));
        ASSERT_TRUE(ctrl.PutProperty(L"PromptColor", SampleObject::Colour(RGB(200, 0, 0)), error));
        ASSERT_TRUE(ctrl.PutProperty(L"ValueColor", SampleObject::Colour(0x80000000 | COLOR_HIGHLIGHT), error));
        ASSERT_TRUE(ctrl.PutProperty(L"HeadingColor", SampleObject::Colour(RGB(0, 0, 200)), error));
        ASSERT_EQ(S_OK, ctrl.Control()->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(view.GetAddressOf())));
    }
    // Records one draw into bounds (logical units of a screen-referenced metafile).
    HRESULT Record(const RECTL& bounds, EmfScan*& pScan, DWORD aspect = DVASPECT_CONTENT)
    {
        HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
        if (hdc == nullptr)
            return E_FAIL;
        ::SetTextColor(hdc, RGB(1, 2, 3));
        const HGDIOBJ hFontBefore = ::GetCurrentObject(hdc, OBJ_FONT);
        const HRESULT hr = view->Draw(aspect, -1, nullptr, nullptr, nullptr, hdc, &bounds, nullptr, nullptr, 0);
        colourAfter = ::GetTextColor(hdc);
        fontRestored = ::GetCurrentObject(hdc, OBJ_FONT) == hFontBefore;
        HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
        scans.emplace_back(hemf);
        ::DeleteEnhMetaFile(hemf);
        pScan = &scans.back();
        return hr;
    }

    CQLNTextObjClient ctrl;
    Microsoft::WRL::ComPtr<IViewObject> view;
    std::list<EmfScan> scans;
    COLORREF colourAfter = 0;
    bool fontRestored = false;
};

} // namespace

TEST_F(TextCtrlDraw, PromptsValuesAndHeadingsAreDrawnAsText)
{
    EmfScan* pScan = nullptr;
    ASSERT_EQ(S_OK, Record(RECTL{10, 20, 410, 420}, pScan));
    for (const wchar_t* text : {L"Sample name:", L"{SampName}", L"Vial:", L"{Vial}", L"Instrument"})
        EXPECT_NE(nullptr, pScan->Find(text)) << std::string(text, text + wcslen(text)) << " in "
                                             << std::string(pScan->TextList().begin(), pScan->TextList().end());
    const EmfText* pPrompt = pScan->Find(L"Sample name:");
    const EmfText* pValue = pScan->Find(L"{SampName}");
    const EmfText* pHeading = pScan->Find(L"Instrument");
    ASSERT_TRUE(pPrompt != nullptr && pValue != nullptr && pHeading != nullptr);
    // Three pixels in from the left edge of the bounds; the first line at the top.
    EXPECT_EQ(13, pPrompt->ref.x);
    EXPECT_EQ(20, pPrompt->ref.y);
    EXPECT_EQ(RGB(200, 0, 0), pPrompt->colour);
    // A system colour is resolved when drawing.
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), pValue->colour);
    EXPECT_EQ(RGB(0, 0, 200), pHeading->colour);
    // Aligned labels: values start in the second of two equal columns.
    EXPECT_EQ(13 + 197, pValue->ref.x);
    EXPECT_EQ(L"Times New Roman", pPrompt->face);
    // The host's DC as it was.
    EXPECT_EQ(RGB(1, 2, 3), colourAfter);
    EXPECT_TRUE(fontRestored);
}

TEST_F(TextCtrlDraw, ReversedBoundsDrawAsTheirNormalisedRectangle)
{
    EmfScan* pNormal = nullptr;
    EmfScan* pReversed = nullptr;
    ASSERT_EQ(S_OK, Record(RECTL{10, 20, 410, 420}, pNormal));
    ASSERT_EQ(S_OK, Record(RECTL{410, 420, 10, 20}, pReversed));
    ASSERT_EQ(pNormal->texts.size(), pReversed->texts.size()) << std::string(pReversed->TextList().begin(),
                                                                            pReversed->TextList().end());
    ASSERT_FALSE(pNormal->texts.empty());
    for (size_t i = 0; i < pNormal->texts.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pNormal->texts[i].text, pReversed->texts[i].text);
        EXPECT_EQ(pNormal->texts[i].ref.x, pReversed->texts[i].ref.x);
        EXPECT_EQ(pNormal->texts[i].ref.y, pReversed->texts[i].ref.y);
    }
}

TEST_F(TextCtrlDraw, TooNarrowBoundsDrawNothingAndRestoreTheDC)
{
    EmfScan* pScan = nullptr;
    // Six pixels wide: narrowed by three on each side to nothing.
    ASSERT_EQ(S_OK, Record(RECTL{10, 20, 16, 420}, pScan));
    EXPECT_EQ(RGB(1, 2, 3), colourAfter);
    EXPECT_TRUE(fontRestored);
}

TEST_F(TextCtrlDraw, BadDrawRequestsAreRefused)
{
    EmfScan* pScan = nullptr;
    EXPECT_EQ(DV_E_DVASPECT, Record(RECTL{0, 0, 100, 100}, pScan, DVASPECT_ICON));
    EXPECT_TRUE(pScan->texts.empty());
    HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(E_INVALIDARG, view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, hdc, nullptr, nullptr, nullptr, 0));
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(hdc));
    const RECTL bounds = {0, 0, 100, 100};
    EXPECT_EQ(E_INVALIDARG, view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, nullptr, &bounds, nullptr, nullptr, 0));
}
