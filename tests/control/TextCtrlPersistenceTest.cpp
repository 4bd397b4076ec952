// Loading the property sets a host keeps a text object in, a stream and a property bag (here the
// readable text bag): sets saved by an earlier build, what a set that lacks a property leaves,
// and that a damaged set is refused as a whole and leaves the control as it was. Every property
// round trips end to end.
#include "SampleObject.h"
#include "control_tests_res.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

using Microsoft::WRL::ComPtr;
using namespace SampleObject;

namespace {

const char kText[] = "Vial: {Vial}\\f-1\\fVial: {Vial}\\r\\n\\r\\nPlain \\\\ line\\t\xC3\xA9";
const char kTitle[] = "Caf\xC3\xA9 report";

class TextCtrlPersistence : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Create(source, error) && Create(target, error)) << error;
        ASSERT_TRUE(source.InitNew(error) && target.InitNew(error)) << error;
        // Every kind of property away from its default, and widths a user dragged in two text
        // columns with aligned labels: a property set is the only way in for those.
        ASSERT_TRUE(source.PutProperty(L"NumColumns", L"1", error)) << error;
        saved = WithValues(SaveBagText(source),
                       {{"VerticalSpacing", "2"}, {"TextFields", kText}, {"PromptFont.Name", "Liberation Mono"},
                        {"PromptFont.Size", "9.0000"}, {"PromptFont.Weight", "700"}, {"ValueFont.Italic", "true"}, {"PromptColor", "200"},
                        {"ValueColor", "2147483661"}, {"IncludeTitle", "true"}, {"Title", kTitle},
                        {"ColWidthRatio0", "8"}, {"ColWidthRatio1", "2.6666666666666665"},
                        {"ColWidthRatio3", "2.6666666666666665"}});
        ASSERT_TRUE(LoadBagText(source, saved));
        ASSERT_EQ(saved, SaveBagText(source));
    }

    CQLNTextObjClient source;
    CQLNTextObjClient target;
    std::string saved;
    std::wstring error;
};

// A property set kept in the test program, saved once by an earlier build.
std::string Fixture(int nID)
{
    const HRSRC hResource = ::FindResourceW(nullptr, MAKEINTRESOURCEW(nID), MAKEINTRESOURCEW(10));   // RT_RCDATA
    const HGLOBAL hData = hResource != nullptr ? ::LoadResource(nullptr, hResource) : nullptr;
    const char* p = hData != nullptr ? static_cast<const char*>(::LockResource(hData)) : nullptr;
    return p != nullptr ? std::string(p, ::SizeofResource(nullptr, hResource)) : std::string();
}

// A font property as text: face, weight and effects. (Its size and character set come back as the
// system realised them; the saved set keeps them as given.)
std::wstring FontText(CQLNTextObjClient& object, const wchar_t* name)
{
    VARIANT v;
    std::wstring error;
    Microsoft::WRL::ComPtr<IFont> font;
    if (!object.GetProperty(name, v, error) || V_VT(&v) != VT_DISPATCH || V_DISPATCH(&v) == nullptr ||
        FAILED(V_DISPATCH(&v)->QueryInterface(IID_PPV_ARGS(&font)))) {
        ::VariantClear(&v);
        return L"<no font: " + error + L">";
    }
    ::VariantClear(&v);
    BSTR face = nullptr;
    SHORT weight = 0;
    BOOL italic = FALSE, underline = FALSE, strikethrough = FALSE;
    font->get_Name(&face), font->get_Weight(&weight);
    font->get_Italic(&italic), font->get_Underline(&underline), font->get_Strikethrough(&strikethrough);
    const std::wstring text = std::wstring(face != nullptr ? face : L"") + L" " + std::to_wstring(weight) +
                              (italic ? L" italic" : L"") + (underline ? L" underline" : L"") +
                              (strikethrough ? L" strikethrough" : L"");
    ::SysFreeString(face);
    return text;
}

// Every property of the object as text, and the ratios of its visible columns.
std::vector<std::wstring> Values(CQLNTextObjClient& object)
{
    std::vector<std::wstring> values;
    for (const wchar_t* name : {L"NumColumns", L"AllignType", L"VerticalSpacing", L"TextFields", L"PromptColor", L"ValueColor",
                                L"TitleColor", L"IncludeDataLabel", L"HeadingColor", L"IncludeTitle", L"Title"})
        values.push_back(std::wstring(name) + L"=" + Get(object, name));
    for (const wchar_t* name : {L"PromptFont", L"ValueFont", L"TitleFont", L"HeadingFont"})
        values.push_back(std::wstring(name) + L"=" + FontText(object, name));
    for (double ratio : ColumnWidthRatios(object))
        values.push_back(L"ratio " + std::to_wstring(ratio));
    return values;
}

} // namespace

// The stream and the bag an earlier build saved, every property off its default and the three
// columns' borders moved, load to the values they were saved with, and the same state saves to
// the same bytes: a change in the order or form of the properties shows here.
TEST_F(TextCtrlPersistence, SetsSavedByAnEarlierBuildLoadAsSavedAndSaveAgainByteForByte)
{
    const std::vector<std::wstring> expected = {
        L"NumColumns=3", L"AllignType=0", L"VerticalSpacing=1",
        L"TextFields=Results\f-1\fResults\r\nSample name: {SampName}\f-1\fSample: {SampName}\r\n"
        L"Amount: {CalcAmt}\f3\fAmount: {CalcAmt}\r\nChecked by hand",
        L"PromptColor=255", L"ValueColor=32768", L"TitleColor=8388608", L"IncludeDataLabel=0", L"HeadingColor=8421376",
        L"IncludeTitle=-1", L"Title=Assay summary", L"PromptFont=Liberation Mono 700 italic",
        L"ValueFont=Liberation Serif 400 underline", L"TitleFont=Times New Roman 700 strikethrough",
        L"HeadingFont=Liberation Sans 600", L"ratio 4.000000", L"ratio 2.000000", L"ratio 4.000000", L"ratio 0.000000"};
    const std::string stream = Fixture(IDR_SAVED_STREAM), bag = Fixture(IDR_SAVED_BAG);
    ASSERT_FALSE(stream.empty() || bag.empty());
    std::string bytes;
    ASSERT_TRUE(target.LoadStream(stream, error)) << error;
    EXPECT_EQ(expected, Values(target));
    ASSERT_TRUE(target.SaveStream(bytes, error)) << error;
    EXPECT_TRUE(stream == bytes) << "the stream saved again differs";
    ASSERT_TRUE(LoadBagText(target, bag));
    EXPECT_EQ(expected, Values(target));
    EXPECT_EQ(bag, SaveBagText(target));
}

TEST_F(TextCtrlPersistence, MissingKeysKeepTheTextsAndSpacingAndDefaultTheRest)
{
    // A font that gives only its face takes the rest from the default font description.
    ASSERT_TRUE(LoadBagText(source, "NumColumns=2\nPromptFont.Name=Liberation Mono\n"));
    EXPECT_FALSE(source.IsDirty()) << "loading is not a change";
    const std::string now = SaveBagText(source);
    const std::string colour = std::to_string(::GetSysColor(COLOR_WINDOWTEXT));
    for (const std::string& line : std::vector<std::string>{"NumColumns=2", "VerticalSpacing=2", std::string("TextFields=") + kText,
                                   std::string("Title=") + kTitle, "PromptFont.Name=Liberation Mono",
                                   "PromptFont.Size=10.0000", "PromptFont.Weight=400", "PromptFont.Charset=0",
                                   "PromptFont.Italic=false", "ValueFont.Name=Times New Roman", "ValueFont.Italic=false", "ValueColor=" + colour,
                                   "IncludeDataLabel=true", "IncludeTitle=false"})
        EXPECT_NE(std::string::npos, now.find("\n" + line + "\r\n")) << line << " in\n" << now;
    // Three text columns laid out afresh; widths the set does not hold load as 0.0, an equal share.
    EXPECT_EQ((std::vector<double>{0, 0, 0, 0, 0, 0}), ColumnWidthRatios(source));
}

TEST_F(TextCtrlPersistence, CutOrMutatedSetsAreRefusedOrLoadSanelyAndTheControlStaysUsable)
{
    std::string stream;
    ASSERT_TRUE(source.SaveStream(stream, error)) << error;
    ASSERT_TRUE(target.PutProperty(L"Title", L"Unsaved work", error));
    std::string before = SaveBagText(target);
    bool bDirty = true;
    const HDC hdc = ::CreateCompatibleDC(nullptr);
    std::mt19937 random(13);
    for (const bool bStream : {true, false}) {
        const std::string& whole = bStream ? stream : saved;
        // Every cut, then whole sets with one to three bytes set at random.
        for (size_t n = 0; n < whole.size() + 300; ++n) {
            std::string bytes = whole.substr(0, n);
            for (unsigned k = n < whole.size() ? 0 : 1 + random() % 3; k > 0; --k)
                bytes[random() % bytes.size()] = static_cast<char>(random());
            SCOPED_TRACE(testing::Message() << (bStream ? "stream" : "bag") << (n < whole.size() ? " cut at " : " mutated ") << n);
            const bool bLoaded = bStream ? target.LoadStream(bytes, error) : LoadBagText(target, bytes);
            ASSERT_FALSE(bLoaded && n < whole.size());
            if (!bLoaded) {
                ASSERT_EQ(bDirty, target.IsDirty()) << "the modified flag is kept";
                ASSERT_EQ(before, SaveBagText(target)) << "a refused set changes nothing";
                continue;
            }
            // What loads draws, and saves a set that loads to the same control.
            long count = 0;
            ASSERT_TRUE(target.GetLineCount(count, error) && target.Draw(hdc, hdc, RECT{0, 0, 300, 200}, error) &&
                        target.SaveStream(bytes, error)) << error;
            before = SaveBagText(target);
            bDirty = false;
            ASSERT_TRUE(target.LoadStream(bytes, error) && LoadBagText(target, before)) << error;
            ASSERT_EQ(before, SaveBagText(target));
        }
    }
    ::DeleteDC(hdc);
}

TEST_F(TextCtrlPersistence, CorruptBagIsRefusedAndChangesNothing)
{
    const std::pair<std::string, std::string> damages[] = {
        {"NumColumns", "abc"}, {"NumColumns", "99999"},   // beyond a 16-bit integer
        {"AllignType", ""}, {"VerticalSpacing", "1.5"}, {"IncludeDataLabel", "maybe"}, {"PromptColor", "red"},
        {"HeadingColor", "-"}, {"ColWidthRatio0", "x"}, {"ColWidthRatio3", "1e"},
    };
    // A client holds the font objects: they stay the control's whatever is loaded.
    const auto fontObject = [&](const wchar_t* name) {
        VARIANT v;
        ComPtr<IFont> font;
        EXPECT_TRUE(target.GetProperty(name, v, error) && V_VT(&v) == VT_DISPATCH && V_DISPATCH(&v) != nullptr) << error;
        if (V_VT(&v) == VT_DISPATCH && V_DISPATCH(&v) != nullptr)
            V_DISPATCH(&v)->QueryInterface(IID_PPV_ARGS(&font));
        ::VariantClear(&v);
        return font;
    };
    const ComPtr<IFont> prompt = fontObject(L"PromptFont"), heading = fontObject(L"HeadingFont");
    const std::string before = SaveBagText(target);
    for (const auto& d : damages) {
        SCOPED_TRACE(d.first + "=" + d.second);
        EXPECT_FALSE(LoadBagText(target, WithValues(saved, {d})));
        EXPECT_EQ(before, SaveBagText(target));
        EXPECT_FALSE(target.IsDirty());
    }
    std::string stream;
    ASSERT_TRUE(source.SaveStream(stream, error)) << error;
    EXPECT_FALSE(target.LoadStream(stream.substr(0, stream.size() - 3), error));
    EXPECT_EQ(before, SaveBagText(target));
    EXPECT_EQ(prompt, fontObject(L"PromptFont"));
    EXPECT_EQ(heading, fontObject(L"HeadingFont"));

    ASSERT_TRUE(LoadBagText(target, saved));
    EXPECT_EQ(saved, SaveBagText(target));
    EXPECT_EQ(prompt, fontObject(L"PromptFont")) << "a load gives the font object its values";
    CY size = {};
    size.int64 = 140000;
    ASSERT_EQ(S_OK, prompt->put_Size(size));
    EXPECT_NE(std::string::npos, SaveBagText(target).find("\nPromptFont.Size=14.0000\r\n")) << "still the control's";
}

TEST_F(TextCtrlPersistence, FontFaceAndCharacterSetSurviveBothFormatsAsGiven)
{
    // The system substitutes a face for each of these and realises none of these character sets
    // with them; a logical font holds 31 characters of a face.
    for (const auto& [face, charset] : std::vector<std::pair<std::string, std::string>>{
             {"Arial", "1"}, {"Arial", "2"}, {"No Such Face Installed", "128"},
             {"\xE6\x98\x8E\xE6\x9C\x9D Caf\xC3\xA9 \xCE\xA9", "255"}, {"A Face Name Far Longer Than A Logical Font Holds", "0"}}) {
        const std::string given = WithValues(saved, {{"PromptFont.Name", face}, {"PromptFont.Charset", charset}});
        std::string bytes;
        ASSERT_TRUE(LoadBagText(target, given) && target.SaveStream(bytes, error) && source.LoadStream(bytes, error)) << face;
        EXPECT_EQ(given, SaveBagText(target)) << face;
        EXPECT_EQ(given, SaveBagText(source)) << face;
    }
    // Given through automation: a font object of the host's, and a face put on a font object the
    // control handed out.
    ASSERT_TRUE(target.PutProperty(L"PromptFont", Font(MakeFont(L"\u03A9mega", 112500, true, false).Get()), error)) << error;
    VARIANT font;
    Microsoft::WRL::ComPtr<IFont> pFont;
    ASSERT_TRUE(target.GetProperty(L"ValueFont", font, error)) << error;
    ASSERT_EQ(S_OK, V_DISPATCH(&font)->QueryInterface(IID_PPV_ARGS(&pFont)));
    ::VariantClear(&font);
    const BSTR cjk = ::SysAllocString(L"\u660E\u671D \u03A9");
    ASSERT_EQ(S_OK, pFont->put_Name(cjk));
    ::SysFreeString(cjk);
    const std::string given = SaveBagText(target);
    for (const std::string line : {"PromptFont.Name=\xCE\xA9mega", "PromptFont.Size=11.2500", "ValueFont.Name=\xE6\x98\x8E\xE6\x9C\x9D \xCE\xA9"})
        EXPECT_NE(std::string::npos, given.find("\n" + line + "\r\n")) << line << " in\n" << given;
    std::string bytes;
    ASSERT_TRUE(target.SaveStream(bytes, error) && source.LoadStream(bytes, error)) << error;
    EXPECT_EQ(given, SaveBagText(source));
    ASSERT_TRUE(LoadBagText(source, given));
    EXPECT_EQ(given, SaveBagText(source));
}

namespace {

// A stream over bytes in memory that notes the largest read asked of it and the most bytes a
// read asked for beyond its end, and may be one that cannot tell its size, as some containers'
// streams cannot.
class WatchedStream : public IStream
{
public:
    WatchedStream(const std::string& bytes, bool bCanStat) : m_bCanStat(bCanStat)
    {
        ::CreateStreamOnHGlobal(nullptr, TRUE, &m_pInner);
        m_pInner->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
        const LARGE_INTEGER zero = {};
        m_pInner->Seek(zero, STREAM_SEEK_SET, nullptr);
    }
    ~WatchedStream() { m_pInner->Release(); }
    ULONG m_cbLargestRead = 0;
    ULONGLONG m_cbAskedBeyondEnd = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppv) override
    {
        *ppv = iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream ? this : nullptr;
        return *ppv != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }   // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override
    {
        m_cbLargestRead = std::max(m_cbLargestRead, cb);
        STATSTG stat = {};
        ULARGE_INTEGER position = {};
        const LARGE_INTEGER zero = {};
        if (SUCCEEDED(m_pInner->Stat(&stat, STATFLAG_NONAME)) && SUCCEEDED(m_pInner->Seek(zero, STREAM_SEEK_CUR, &position)) &&
            position.QuadPart + cb > stat.cbSize.QuadPart)
            m_cbAskedBeyondEnd = std::max(m_cbAskedBeyondEnd, position.QuadPart + cb - stat.cbSize.QuadPart);
        return m_pInner->Read(pv, cb, pcbRead);
    }
    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcb) override { return m_pInner->Write(pv, cb, pcb); }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* pos) override
    {
        return m_pInner->Seek(move, origin, pos);
    }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* pStat, DWORD flags) override
    {
        return m_bCanStat ? m_pInner->Stat(pStat, flags) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

private:
    IStream* m_pInner = nullptr;
    bool m_bCanStat;
};

} // namespace

TEST_F(TextCtrlPersistence, AStringLongerThanTheStreamIsRefusedBeforeMemoryIsTakenForIt)
{
    // Each string's length in the stream claims 0x04000000 characters (128 MB) that never follow.
    ASSERT_TRUE(LoadBagText(source, WithValues(saved, {{"TextFields", "Mark of the text"}, {"Title", "Mark of the title"},
                                                       {"PromptFont.Name", "Mark of a face"}})));
    std::string whole;
    ASSERT_TRUE(source.SaveStream(whole, error)) << error;
    ComPtr<IPersistStreamInit> pPersist;
    ASSERT_EQ(S_OK, target.Control()->QueryInterface(IID_PPV_ARGS(&pPersist)));
    const std::string before = SaveBagText(target);
    for (const std::wstring mark : {L"Mark of the text", L"Mark of the title", L"Mark of a face"}) {
        const std::string utf16(reinterpret_cast<const char*>(mark.data()), mark.size() * sizeof(wchar_t));
        const size_t at = whole.find(utf16);
        ASSERT_TRUE(at != std::string::npos && at >= 4);
        const ULONG length = static_cast<ULONG>(mark.size()), claimed = 0x04000000;
        ASSERT_EQ(0, memcmp(whole.data() + at - 4, &length, 4));
        const std::string damaged = whole.substr(0, at - 4) + std::string(reinterpret_cast<const char*>(&claimed), 4) +
                                    whole.substr(at);
        for (const bool bCanStat : {true, false}) {
            SCOPED_TRACE(testing::Message() << std::string(mark.begin(), mark.end()) << (bCanStat ? "" : ", no size"));
            WatchedStream stream(damaged, bCanStat);
            EXPECT_TRUE(FAILED(pPersist->Load(&stream)));
            EXPECT_LE(stream.m_cbLargestRead, 0x10000u) << "read in pieces, never the whole claim at once";
            // A stream that tells its size is believed: the claim is refused before any read
            // runs past the end, not found out by reading to the end.
            if (bCanStat) {
                EXPECT_EQ(0u, stream.m_cbAskedBeyondEnd) << "bytes asked for beyond the end";
            }
            EXPECT_EQ(before, SaveBagText(target));
        }
    }
}
