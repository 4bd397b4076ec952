// Property exchanges: a set of values saved and loaded through a stream and a property bag, with
// truncated and damaged input.
#include "CFontHolder.h"
#include "CPropbagPropExchange.h"
#include "CQLNTextObjErrorLog.h"
#include "CQLNTextPropertyBag.h"
#include "CStreamPropExchange.h"

#include <gtest/gtest.h>

namespace {

const FONTDESC kDefaultFont = {sizeof(FONTDESC), const_cast<LPOLESTR>(L"Times New Roman"), {{100000, 0}}, FW_NORMAL, 0, FALSE, FALSE, FALSE};
const FONTDESC kBoldFont = {sizeof(FONTDESC), const_cast<LPOLESTR>(L"Liberation Sans"), {{97500, 0}}, FW_BOLD, 0, TRUE, FALSE, FALSE};

// One of everything a control exchanges.
struct Values
{
    short nColumns = 2;
    BOOL bLabels = FALSE;
    CString strText = L"current";
    OLE_COLOR clr = 0;
    ULONG ulVersion = 2;
    double dRatio = 1.0;
    long lExtent = 0;
    CFontHolder font{nullptr};

    // Every value away from its default and from the above: a value not saved or not loaded shows.
    void Fill()
    {
        nColumns = 3;
        bLabels = TRUE;
        strText = L"a\fb\f{RT}\r\n\u00b5 {x";
        clr = 0x80000008;
        ulVersion = 7;
        dRatio = 1.0 / 3.0;
        lExtent = -5;
        font.InitializeFont(&kBoldFont);
    }

    BOOL Exchange(CPropExchange* px)
    {
        DWORD version = 0;
        return px->ExchangeVersion(version, 0x10000, TRUE) && PX_Short(px, L"NumColumns", nColumns, 0) &&
               PX_Bool(px, L"IncludeDataLabel", bLabels, TRUE) && PX_String(px, L"TextFields", strText) &&
               PX_Color(px, L"PromptColor", clr, 0x000000FF) && PX_ULong(px, L"VelBaseTextVer", ulVersion, 2) &&
               PX_Double(px, L"ColWidthRatio0", dRatio, 0.0) && PX_Long(px, L"_ExtentX", lExtent) &&
               PX_Font(px, L"PromptFont", font, &kDefaultFont);
    }
};

// The bag text of a set of values: every value written out, so equal texts mean equal values.
std::string BagText(Values& v)
{
    const auto bag = CQLNTextPropertyBag::Make();
    CPropbagPropExchange out(bag.Get(), nullptr, FALSE);
    EXPECT_TRUE(v.Exchange(&out));
    return bag->SaveText();
}

IStream* StreamOf(const void* data, ULONG size)
{
    IStream* s = nullptr;
    EXPECT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, &s));
    s->Write(data, size, nullptr);
    s->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    return s;
}

} // namespace

TEST(StreamPropExchange, RoundTripsEveryValueAndRefusesEveryTruncation)
{
    Values saved;
    saved.Fill();
    IStream* stream = StreamOf(nullptr, 0);
    CStreamPropExchange out(stream, FALSE);
    ASSERT_TRUE(saved.Exchange(&out));
    HGLOBAL hMem = nullptr;
    ::GetHGlobalFromStream(stream, &hMem);
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    const std::string bytes(static_cast<const char*>(::GlobalLock(hMem)), static_cast<size_t>(stat.cbSize.QuadPart));
    ::GlobalUnlock(hMem);
    stream->Release();

    for (size_t cut = 0; cut <= bytes.size(); ++cut) {
        IStream* in = StreamOf(bytes.data(), static_cast<ULONG>(cut));
        Values loaded;
        CStreamPropExchange exchange(in, TRUE);
        EXPECT_EQ(cut == bytes.size(), !!loaded.Exchange(&exchange)) << "cut at " << cut << " of " << bytes.size();
        if (cut == bytes.size()) {
            EXPECT_EQ(BagText(saved), BagText(loaded));   // the ratio bit for bit, the font size as given
        }
        in->Release();
    }

    // A string length no stream could hold is refused before anything is allocated or read.
    const DWORD data[] = {0x10000, 0xFFFFFFF0u};
    IStream* in = StreamOf(data, sizeof data);
    CStreamPropExchange exchange(in, TRUE);
    DWORD version = 0;
    ASSERT_TRUE(exchange.ExchangeVersion(version, 1, TRUE));
    CString text(L"kept");
    EXPECT_FALSE(PX_String(&exchange, L"TextFields", text));
    EXPECT_EQ(CString(L"kept"), text);
    in->Release();
}

TEST(PropbagPropExchange, RefusesABadValueAndLogsItsNameAndText)
{
    const struct { const char* text; HRESULT failure; const wchar_t* logged; } rows[] = {
        {"ColWidthRatio0=0.5x\n", DISP_E_TYPEMISMATCH, L"ColWidthRatio0: \"0.5x\" is not a value of this property"},
        {"PromptColor=4294967296\n", DISP_E_OVERFLOW, L"PromptColor: \"4294967296\" is out of range"},
        {"PromptFont.Name=Arial\nPromptFont.Size=0\n", DISP_E_OVERFLOW, L"PromptFont.Size: \"0\" is out of range"},
        {"PromptFont.Name=Arial\nPromptFont.Weight=bold\n", DISP_E_TYPEMISMATCH, L"PromptFont.Weight: \"bold\" is not a value of this property"},
        {"_Version=1.5\n", DISP_E_TYPEMISMATCH, L"_Version: \"1.5\" is not a value of this property"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const auto bag = CQLNTextPropertyBag::Make();
        std::wstring error;
        ASSERT_TRUE(bag->LoadText(row.text, error));
        Values v;
        CQLNTextObjErrorLog log;
        CPropbagPropExchange in(bag.Get(), &log, TRUE);
        EXPECT_FALSE(v.Exchange(&in));
        EXPECT_EQ(row.failure, in.GetFailure(E_FAIL));
        ASSERT_EQ(1u, log.Errors().size());
        EXPECT_EQ(row.logged, log.Errors()[0]);
    }
}

TEST(TextPropertyBag, RefusesMalformedFilesAndUnescapesValues)
{
    // A set that opens with its heading is whole only up to and with its closing line's break.
    for (const char* text : {"NoEquals\n", "=value\n", "A=1\nA=2\n", "A=bad\\q\n", "A=\\u12\n", "A=\xff\n", "",
                             "[Properties]\r\nA=1\r\n", "[Properties]\r\nA=1\r\n[End: 2 properties]\r\n",
                             "[Properties]\r\nA=1\r\n[End: 1 property]", "[Properties]\r\n[End: 0 properties]\r\nA=1\r\n"}) {
        CQLNTextPropertyBag bag;
        std::wstring error;
        EXPECT_FALSE(bag.LoadText(text, error)) << text;
        EXPECT_FALSE(error.empty());
    }
    CQLNTextPropertyBag bag;
    std::wstring error;
    EXPECT_TRUE(bag.LoadText("\xEF\xBB\xBF# comment\r\n\r\nTitle=\\u0001\\\\x\r\n", error));
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    ASSERT_EQ(S_OK, bag.Read(L"Title", &v, nullptr));
    EXPECT_STREQ(L"\u0001\\x", V_BSTR(&v));
    ::VariantClear(&v);
    EXPECT_EQ(E_INVALIDARG, bag.Read(L"Other", &v, nullptr));
}
