// Property exchanges: a set of values saved and loaded through a stream, a property bag and a
// reset, with missing, truncated and damaged input.
#include "CFontHolder.h"
#include "CPropbagPropExchange.h"
#include "CQLNTextObjErrorLog.h"
#include "CQLNTextPropertyBag.h"
#include "CResetPropExchange.h"
#include "CStreamPropExchange.h"

#include <gtest/gtest.h>

namespace {

FONTDESC DefaultDesc()
{
    FONTDESC fd = {};
    fd.cbSizeofstruct = sizeof fd;
    fd.lpstrName = const_cast<LPOLESTR>(L"Times New Roman");
    fd.cySize.int64 = 100000;
    fd.sWeight = FW_NORMAL;
    return fd;
}

// One of everything a control exchanges.
struct Values
{
    short nColumns = 2;
    BOOL bLabels = FALSE;
    CString strText = L"a\fb\f{RT}\r\n\u00b5 {x";
    OLE_COLOR clr = 0x80000008;
    ULONG ulVersion = 2;
    double dRatio = 1.0 / 3.0;
    long lExtent = -5;
    CFontHolder font{nullptr};

    BOOL Exchange(CPropExchange* px)
    {
        DWORD version = 0;
        const FONTDESC fd = DefaultDesc();
        return px->ExchangeVersion(version, 0x10000, TRUE) && PX_Short(px, L"NumColumns", nColumns, 0) &&
               PX_Bool(px, L"IncludeDataLabel", bLabels, TRUE) && PX_String(px, L"TextFields", strText) &&
               PX_Color(px, L"PromptColor", clr, 0x000000FF) && PX_ULong(px, L"VelBaseTextVer", ulVersion, 2) &&
               PX_Double(px, L"ColWidthRatio0", dRatio, 0.0) && PX_Long(px, L"_ExtentX", lExtent) &&
               PX_Font(px, L"PromptFont", font, &fd);
    }
};

void MakeFont(CFontHolder& h, LONGLONG size, SHORT weight, BOOL italic)
{
    FONTDESC fd = DefaultDesc();
    fd.lpstrName = const_cast<LPOLESTR>(L"Liberation Sans");
    fd.cySize.int64 = size;
    fd.sWeight = weight;
    fd.fItalic = italic;
    h.InitializeFont(&fd);
}

void ExpectSameFont(CFontHolder& a, CFontHolder& b)
{
    ASSERT_NE(nullptr, a.m_pFont);
    ASSERT_NE(nullptr, b.m_pFont);
    BSTR na = nullptr, nb = nullptr;
    a.m_pFont->get_Name(&na);
    b.m_pFont->get_Name(&nb);
    EXPECT_STREQ(na, nb);
    ::SysFreeString(na);
    ::SysFreeString(nb);
    CY sa = {}, sb = {};
    a.m_pFont->get_Size(&sa);
    b.m_pFont->get_Size(&sb);
    EXPECT_EQ(sa.int64, sb.int64);
    SHORT wa = 0, wb = 0;
    a.m_pFont->get_Weight(&wa);
    b.m_pFont->get_Weight(&wb);
    EXPECT_EQ(wa, wb);
    BOOL ia = FALSE, ib = FALSE;
    a.m_pFont->get_Italic(&ia);
    b.m_pFont->get_Italic(&ib);
    EXPECT_EQ(!ia, !ib);
}

void ExpectSame(Values& a, Values& b)
{
    EXPECT_EQ(a.nColumns, b.nColumns);
    EXPECT_EQ(a.bLabels, b.bLabels);
    EXPECT_EQ(a.strText, b.strText);
    EXPECT_EQ(a.clr, b.clr);
    EXPECT_EQ(a.ulVersion, b.ulVersion);
    EXPECT_EQ(a.dRatio, b.dRatio);      // exactly: ratios must survive a round trip bit for bit
    EXPECT_EQ(a.lExtent, b.lExtent);
    ExpectSameFont(a.font, b.font);
}

IStream* NewStream()
{
    IStream* s = nullptr;
    EXPECT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, &s));
    return s;
}

void Rewind(IStream* s)
{
    LARGE_INTEGER zero = {};
    s->Seek(zero, STREAM_SEEK_SET, nullptr);
}

} // namespace

TEST(StreamPropExchange, RoundTripsEveryValue)
{
    Values saved;
    MakeFont(saved.font, 97500, FW_BOLD, TRUE);
    IStream* stream = NewStream();
    CStreamPropExchange out(stream, FALSE);
    ASSERT_TRUE(saved.Exchange(&out));
    Rewind(stream);
    Values loaded;
    loaded.nColumns = 0;
    loaded.strText.Empty();
    CStreamPropExchange in(stream, TRUE);
    ASSERT_TRUE(loaded.Exchange(&in));
    ExpectSame(saved, loaded);
    stream->Release();
}

TEST(StreamPropExchange, RefusesEveryTruncation)
{
    Values saved;
    MakeFont(saved.font, 120000, FW_NORMAL, FALSE);
    IStream* stream = NewStream();
    CStreamPropExchange out(stream, FALSE);
    ASSERT_TRUE(saved.Exchange(&out));
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    const ULONG full = static_cast<ULONG>(stat.cbSize.QuadPart);
    for (ULONG cut = 0; cut < full; ++cut) {
        ULARGE_INTEGER size;
        size.QuadPart = cut;
        IStream* shortStream = NewStream();
        Rewind(stream);
        stream->CopyTo(shortStream, size, nullptr, nullptr);
        Rewind(shortStream);
        Values loaded;
        CStreamPropExchange in(shortStream, TRUE);
        EXPECT_FALSE(loaded.Exchange(&in)) << "cut at " << cut << " of " << full;
        shortStream->Release();
    }
    stream->Release();
}

TEST(StreamPropExchange, RefusesAnImpossibleStringLength)
{
    IStream* stream = NewStream();
    const DWORD data[] = {0x10000, 0xFFFFFFF0u};
    stream->Write(data, sizeof data, nullptr);
    Rewind(stream);
    CStreamPropExchange in(stream, TRUE);
    DWORD version = 0;
    ASSERT_TRUE(in.ExchangeVersion(version, 1, TRUE));
    EXPECT_EQ(0x10000u, version);
    CString text(L"kept");
    EXPECT_FALSE(PX_String(&in, L"TextFields", text));
    EXPECT_EQ(CString(L"kept"), text);
    stream->Release();
}

TEST(PropbagPropExchange, RoundTripsThroughReadableText)
{
    Values saved;
    MakeFont(saved.font, 97500, FW_BOLD, TRUE);
    CQLNTextPropertyBag* bag = new CQLNTextPropertyBag;
    CPropbagPropExchange out(bag, nullptr, FALSE);
    ASSERT_TRUE(saved.Exchange(&out));
    const std::string text = bag->SaveText();
    EXPECT_NE(std::string::npos, text.find("TextFields=a\\fb\\f{RT}\\r\\n\xC2\xB5 {x\r\n"));
    EXPECT_NE(std::string::npos, text.find("PromptFont.Size=9.7500\r\n"));
    EXPECT_NE(std::string::npos, text.find("PromptColor=2147483656\r\n"));
    bag->Release();

    CQLNTextPropertyBag* again = new CQLNTextPropertyBag;
    std::wstring error;
    ASSERT_TRUE(again->LoadText(text, error));
    Values loaded;
    CPropbagPropExchange in(again, nullptr, TRUE);
    ASSERT_TRUE(loaded.Exchange(&in));
    ExpectSame(saved, loaded);
    again->Release();
}

TEST(PropbagPropExchange, MissingValuesTakeDefaultsOrStay)
{
    CQLNTextPropertyBag* bag = new CQLNTextPropertyBag;
    std::wstring error;
    ASSERT_TRUE(bag->LoadText("NumColumns=1\n", error));
    Values v;
    v.strText = L"current";
    CPropbagPropExchange in(bag, nullptr, TRUE);
    ASSERT_TRUE(v.Exchange(&in));
    EXPECT_EQ(1, v.nColumns);
    EXPECT_EQ(TRUE, v.bLabels);                  // default
    EXPECT_EQ(CString(L"current"), v.strText);   // no default: stays
    EXPECT_EQ(0x000000FFu, v.clr);
    EXPECT_EQ(-5, v.lExtent);
    ASSERT_NE(nullptr, v.font.m_pFont);          // the default description
    BSTR name = nullptr;
    v.font.m_pFont->get_Name(&name);
    EXPECT_STREQ(L"Times New Roman", name);
    ::SysFreeString(name);
    bag->Release();
}

TEST(PropbagPropExchange, DamagedValuesAreRefused)
{
    const char* damaged[] = {
        "NumColumns=two\n",
        "NumColumns=70000\n",
        "IncludeDataLabel=yes\n",
        "ColWidthRatio0=0.5x\n",
        "PromptColor=4294967296\n",   // beyond 32 bits
        "PromptFont.Name=Arial\nPromptFont.Size=0\n",
        "PromptFont.Name=Arial\nPromptFont.Weight=bold\n",
        "_Version=1.5\n",
    };
    for (const char* text : damaged) {
        CQLNTextPropertyBag* bag = new CQLNTextPropertyBag;
        std::wstring error;
        ASSERT_TRUE(bag->LoadText(text, error)) << text;
        Values v;
        CPropbagPropExchange in(bag, nullptr, TRUE);
        EXPECT_FALSE(v.Exchange(&in)) << text;
        bag->Release();
    }
}

TEST(TextPropertyBag, RefusesMalformedFiles)
{
    const char* malformed[] = {"NoEquals\n", "=value\n", "A=1\nA=2\n", "A=bad\\q\n", "A=\\u12\n", "A=\xff\n"};
    for (const char* text : malformed) {
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

TEST(ResetPropExchange, AppliesDefaultsOnly)
{
    Values v;
    v.strText = L"kept";
    MakeFont(v.font, 240000, FW_BOLD, TRUE);
    CResetPropExchange reset;
    EXPECT_TRUE(reset.IsLoading());
    ASSERT_TRUE(v.Exchange(&reset));
    EXPECT_EQ(0, v.nColumns);
    EXPECT_EQ(TRUE, v.bLabels);
    EXPECT_EQ(CString(L"kept"), v.strText);
    EXPECT_EQ(-5, v.lExtent);
    CY size = {};
    v.font.m_pFont->get_Size(&size);
    EXPECT_NE(240000, size.int64);
}

TEST(PropbagPropExchange, ColoursLoadSignedOrUnsignedAndBooleansInAnyCase)
{
    const struct
    {
        const char* text;
        OLE_COLOR colour;
        BOOL labels;
    } rows[] = {
        {"PromptColor=2147483656\nIncludeDataLabel=true\n", 0x80000008, TRUE},    // as this system saves
        {"PromptColor=-2147483640\nIncludeDataLabel=FALSE\n", 0x80000008, FALSE}, // a writer of signed longs
        {"PromptColor=0x80000008\nIncludeDataLabel=True\n", 0x80000008, TRUE},    // written by hand
        {"PromptColor=4294967295\nIncludeDataLabel=fAlSe\n", 0xFFFFFFFF, FALSE},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        CQLNTextPropertyBag* bag = new CQLNTextPropertyBag;
        std::wstring error;
        ASSERT_TRUE(bag->LoadText(row.text, error));
        Values v;
        CPropbagPropExchange in(bag, nullptr, TRUE);
        EXPECT_TRUE(v.Exchange(&in));
        EXPECT_EQ(row.colour, v.clr);
        EXPECT_EQ(row.labels, v.bLabels);
        bag->Release();
    }
}

TEST(PropbagPropExchange, ABadValueIsLoggedWithItsNameAndText)
{
    const struct
    {
        const char* text;
        const wchar_t* logged;
        HRESULT failure;
    } rows[] = {
        {"NumColumns=two\n", L"NumColumns: \"two\" is not a value of this property", DISP_E_TYPEMISMATCH},
        {"PromptColor=4294967296\n", L"PromptColor: \"4294967296\" is out of range", DISP_E_OVERFLOW},
        {"PromptFont.Name=Arial\nPromptFont.Size=0\n", L"PromptFont.Size: \"0\" is out of range", DISP_E_OVERFLOW},
        {"IncludeDataLabel=yes\n", L"IncludeDataLabel: \"yes\" is not a value of this property", DISP_E_TYPEMISMATCH},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        CQLNTextPropertyBag* bag = new CQLNTextPropertyBag;
        std::wstring error;
        ASSERT_TRUE(bag->LoadText(row.text, error));
        Values v;
        CQLNTextObjErrorLog log;
        CPropbagPropExchange in(bag, &log, TRUE);
        v.Exchange(&in);
        EXPECT_TRUE(in.HasFailed());
        EXPECT_EQ(row.failure, in.GetFailure(E_FAIL));
        ASSERT_EQ(1u, log.Errors().size());
        EXPECT_EQ(row.logged, log.Errors()[0]);
        bag->Release();
    }
}
