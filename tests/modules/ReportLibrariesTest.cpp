// Report objects of two libraries in a host program whose own string table uses the same ids
// (the title 100, the catalogue 200-231, the base library's overflow marker 2518): each object
// shows its own title and catalogue, and the base library's marker.
#include "CDynLinkLibrary.h"
#include "CQLNTextObjClient.h"
#include "CString.h"
#include "ServerModule.h"
#include "host_res.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using modtest::ServerModule;

namespace {

// What a host sees of a new object: its title, its lines, and every text its drawing holds.
struct Shown
{
    std::wstring title;
    std::vector<std::wstring> lines;
    std::vector<std::wstring> drawn;
};

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* pRecord, int, LPARAM lParam)
{
    if (pRecord->iType == EMR_EXTTEXTOUTW) {
        const auto* pText = reinterpret_cast<const EMREXTTEXTOUTW*>(pRecord);
        const auto* pch = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(pRecord) + pText->emrtext.offString);
        reinterpret_cast<std::vector<std::wstring>*>(lParam)->emplace_back(pch, pText->emrtext.nChars);
    }
    return 1;
}

Shown ShowNewObject(const wchar_t* progId)
{
    Shown shown;
    CQLNTextObjClient client;
    std::wstring error;
    EXPECT_TRUE(client.Create(progId, error) && client.InitNew(error) &&
                client.GetStringProperty(L"Title", shown.title, error) && client.GetLines(shown.lines, error))
        << error;
    // A strip too low for every line: the drawing ends with the overflow marker.
    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdcMeta = ::CreateEnhMetaFileW(hdcScreen, nullptr, nullptr, nullptr);
    EXPECT_TRUE(client.Draw(hdcScreen, hdcMeta, RECT{0, 0, 400, 60}, error)) << error;
    HENHMETAFILE hemf = ::CloseEnhMetaFile(hdcMeta);
    ::ReleaseDC(nullptr, hdcScreen);
    ::EnumEnhMetaFile(nullptr, hemf, &CollectText, &shown.drawn, nullptr);
    ::DeleteEnhMetaFile(hemf);
    return shown;
}

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text)
{
    for (const std::wstring& t : texts)
        if (t == text)
            return true;
    return false;
}

bool AnyStartsWith(const std::vector<std::wstring>& texts, const std::wstring& prefix)
{
    for (const std::wstring& t : texts)
        if (t.compare(0, prefix.size(), prefix) == 0)
            return true;
    return false;
}

// Registers a server for the length of a test, so that the host creates its objects by name.
class Registered
{
public:
    explicit Registered(const ServerModule& server) : m_server(server), m_hr(server.Register()) {}
    ~Registered() { m_server.Unregister(); }
    HRESULT Result() const { return m_hr; }

private:
    const ServerModule& m_server;
    HRESULT m_hr;
};

} // namespace

TEST(ReportLibraries, EachObjectShowsItsOwnTextsBesideAHostAndALibraryWithTheSameIds)
{
    ServerModule sample(L"QLNSampleText.dll");
    ServerModule second(L"QLNSecondText.dll");
    Registered sampleRegistered(sample);
    Registered secondRegistered(second);
    ASSERT_EQ(S_OK, sampleRegistered.Result());
    ASSERT_EQ(S_OK, secondRegistered.Result());

    const Shown ofSample = ShowNewObject(modtest::kSampleProgId);
    EXPECT_EQ(L"Sample Information", ofSample.title);
    ASSERT_EQ(32u, ofSample.lines.size());
    EXPECT_EQ(L"Data file: {DataFile}", ofSample.lines[1]);
    EXPECT_EQ(L"Barcode: {Barcode}", ofSample.lines[31]);

    const Shown ofSecond = ShowNewObject(modtest::kSecondProgId);
    EXPECT_EQ(L"Second Object", ofSecond.title);
    ASSERT_EQ(6u, ofSecond.lines.size());
    EXPECT_EQ(L"Second heading", ofSecond.lines[0]);
    EXPECT_EQ(L"Second amount: {CalcAmt}", ofSecond.lines[5]);

    for (const Shown* shown : {&ofSample, &ofSecond}) {
        EXPECT_TRUE(Contains(shown->drawn, L"(More...)")) << "the base library's marker";
        EXPECT_FALSE(AnyStartsWith(shown->drawn, L"Host")) << "nothing of the host's string table";
    }
    EXPECT_TRUE(Contains(ofSample.drawn, L"Data file:"));
    EXPECT_TRUE(Contains(ofSecond.drawn, L"Second retention:"));

    // The host's own code still finds its own strings.
    CString hostTitle;
    EXPECT_TRUE(hostTitle.LoadString(IDS_HOST_TITLE));
    EXPECT_EQ(CString(L"Host title"), hostTitle);
}

TEST(ReportLibraries, ALibraryThatLinkedNothingStillDrawsTheBaseLibrarysMarker)
{
    // The second library never calls QLV_BaseLibInit; whatever else linked the base library into
    // the chain in this process goes, as if no library had.
    ServerModule second(L"QLNSecondText.dll");
    const HMODULE hBase = ::GetModuleHandleW(L"QLNBase.dll");
    ASSERT_NE(nullptr, hBase);
    for (CDynLinkLibrary* p = CDynLinkLibrary::GetHead(); p != nullptr;) {
        CDynLinkLibrary* next = p->m_pNextDLL;
        if (p->m_hModule == hBase)
            delete p;
        p = next;
    }
    Registered secondRegistered(second);
    ASSERT_EQ(S_OK, secondRegistered.Result());

    const Shown ofSecond = ShowNewObject(modtest::kSecondProgId);
    EXPECT_TRUE(Contains(ofSecond.drawn, L"(More...)"));
    EXPECT_FALSE(Contains(ofSecond.drawn, L"Host marker"));
}
