// Drawing through IViewObject::Draw into an enhanced metafile, as a host prints or exports a
// report: what text is drawn where, in which colour, and that the host's DC comes back as it
// was given.
#include "EmfScan.h"
#include "SampleObject.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TextCtrlDraw : public testing::Test
{
protected:
    void SetUp() override
    {
        std::wstring error;
        ASSERT_TRUE(SampleObject::Create(ctrl, error) && ctrl.InitNew(error)) << error;
        for (const auto& [name, value] : {std::pair(L"TextFields", L"Sample name: {SampName}\r\nVial: {Vial}\r\nInstrument"),
                                          {L"PromptColor", L"200"}, {L"ValueColor", L"2147483661"},    // COLOR_HIGHLIGHT
                                          {L"HeadingColor", L"13107200"}})                            // RGB(0, 0, 200)
            ASSERT_TRUE(ctrl.PutProperty(name, value, error)) << error;
        ASSERT_EQ(S_OK, ctrl.Control()->QueryInterface(IID_PPV_ARGS(&view)));
    }
    // Records one draw; the host's DC has a text colour and a font of its own, to get back.
    HRESULT Record(const RECTL* pBounds, DWORD aspect = DVASPECT_CONTENT)
    {
        const HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
        ::SetTextColor(hdc, RGB(1, 2, 3));
        const HGDIOBJ hFontBefore = ::GetCurrentObject(hdc, OBJ_FONT);
        const HRESULT hr = view->Draw(aspect, -1, nullptr, nullptr, nullptr, hdc, pBounds, nullptr, nullptr, 0);
        dcRestored = ::GetTextColor(hdc) == RGB(1, 2, 3) && ::GetCurrentObject(hdc, OBJ_FONT) == hFontBefore;
        const HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
        scan = std::make_unique<EmfScan>(hemf);
        ::DeleteEnhMetaFile(hemf);
        return hr;
    }
    std::string Texts() const { const std::wstring s = scan->TextList(); return std::string(s.begin(), s.end()); }

    CQLNTextObjClient ctrl;
    Microsoft::WRL::ComPtr<IViewObject> view;
    std::unique_ptr<EmfScan> scan;
    bool dcRestored = false;
};

} // namespace

TEST_F(TextCtrlDraw, PromptsValuesAndHeadingsAreDrawnAsText)
{
    const RECTL bounds = {10, 20, 410, 420};
    ASSERT_EQ(S_OK, Record(&bounds));
    EXPECT_TRUE(dcRestored);
    const EmfText* pPrompt = scan->Find(L"Sample name:");
    const EmfText* pValue = scan->Find(L"{SampName}");
    const EmfText* pHeading = scan->Find(L"Instrument");
    ASSERT_TRUE(pPrompt != nullptr && pValue != nullptr && pHeading != nullptr) << Texts();
    EXPECT_NE(nullptr, scan->Find(L"{Vial}")) << Texts();
    // Three pixels in from the left edge of the bounds; the first line at the top; aligned
    // labels: values start in the second of two equal columns.
    EXPECT_EQ(13, pPrompt->ref.x);
    EXPECT_EQ(20, pPrompt->ref.y);
    EXPECT_EQ(13 + 197, pValue->ref.x);
    EXPECT_EQ(L"Times New Roman", pPrompt->face);
    EXPECT_EQ(RGB(200, 0, 0), pPrompt->colour);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), pValue->colour) << "a system colour is resolved when drawing";
    EXPECT_EQ(RGB(0, 0, 200), pHeading->colour);
}

TEST_F(TextCtrlDraw, OddBoundsDrawTheirNormalisedRectangleAndBadRequestsAreRefused)
{
    const RECTL bounds = {10, 20, 410, 420}, reversed = {410, 420, 10, 20}, narrow = {10, 20, 16, 420};
    ASSERT_EQ(S_OK, Record(&bounds));
    const std::string normal = Texts();
    ASSERT_EQ(S_OK, Record(&reversed));
    EXPECT_EQ(normal, Texts());
    EXPECT_TRUE(dcRestored);
    ASSERT_EQ(S_OK, Record(&narrow)) << "narrowed by three pixels on each side to nothing";
    EXPECT_TRUE(dcRestored);

    EXPECT_EQ(DV_E_DVASPECT, Record(&bounds, DVASPECT_ICON));
    EXPECT_TRUE(scan->texts.empty());
    EXPECT_EQ(E_INVALIDARG, Record(nullptr));
    EXPECT_EQ(E_INVALIDARG, view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, nullptr, &bounds, nullptr, nullptr, 0));
}
