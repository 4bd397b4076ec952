// Report objects of two libraries in a host program whose own string table uses the same ids
// (the title 100, catalogue ids from 200, the base library's overflow marker 2518): each object
// shows its own title and catalogue, and the base library's marker. And what loading and
// unloading libraries leaves behind: the resource chain, the thread's apartment.
#include "CDynLinkLibrary.h"
#include "CQLNTextObjClient.h"
#include "CString.h"
#include "EmfScan.h"
#include "ServerModule.h"
#include "host_res.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

using modtest::ServerModule;

namespace {

// What a host sees of a new object: its title, its lines, and the texts of its drawing.
struct Shown
{
    std::wstring title;
    std::vector<std::wstring> lines;
    std::wstring drawn;     // each text as "|text@x,y"
};

Shown ShowNewObject(const ServerModule& server, const wchar_t* progId)
{
    Shown shown;
    EXPECT_EQ(S_OK, server.Register());
    CQLNTextObjClient client;
    std::wstring error;
    EXPECT_TRUE(client.Create(progId, error) && client.InitNew(error) &&
                client.GetStringProperty(L"Title", shown.title, error) && client.GetLines(shown.lines, error))
        << error;
    // A strip too low for every line: the drawing ends with the overflow marker.
    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdcMeta = ::CreateEnhMetaFileW(hdcScreen, nullptr, nullptr, nullptr);
    EXPECT_TRUE(client.Draw(hdcScreen, hdcMeta, RECT{0, 0, 400, 60}, error)) << error;
    const HENHMETAFILE hemf = ::CloseEnhMetaFile(hdcMeta);
    ::ReleaseDC(nullptr, hdcScreen);
    shown.drawn = L"|" + EmfScan(hemf).TextList();
    ::DeleteEnhMetaFile(hemf);
    server.Unregister();
    return shown;
}

} // namespace

TEST(ReportLibraries, EachObjectShowsItsOwnTextsBesideAHostAndALibraryWithTheSameIds)
{
    ServerModule sample(L"QLNSampleText.dll"), second(L"QLNSecondText.dll");
    ASSERT_TRUE(sample.Handle() != nullptr && second.Handle() != nullptr);
    const Shown ofSample = ShowNewObject(sample, L"QLNSample.TextCtrl.1");
    EXPECT_EQ(L"Sample Information", ofSample.title);
    ASSERT_EQ(32u, ofSample.lines.size());
    EXPECT_EQ(L"Data file: {DataFile}", ofSample.lines[1]);
    EXPECT_EQ(L"Barcode: {Barcode}", ofSample.lines[31]);
    EXPECT_NE(std::wstring::npos, ofSample.drawn.find(L"|Data file:@")) << ofSample.drawn;

    const Shown ofSecond = ShowNewObject(second, L"QLNSecond.TextCtrl.1");
    EXPECT_EQ(L"Second Object", ofSecond.title);
    ASSERT_EQ(6u, ofSecond.lines.size());
    EXPECT_EQ(L"Second heading", ofSecond.lines[0]);
    EXPECT_EQ(L"Second amount: {CalcAmt}", ofSecond.lines[5]);
    EXPECT_NE(std::wstring::npos, ofSecond.drawn.find(L"|Second retention:@")) << ofSecond.drawn;

    for (const Shown* shown : {&ofSample, &ofSecond}) {
        EXPECT_NE(std::wstring::npos, shown->drawn.find(L"|(More...)@")) << "the base library's marker";
        EXPECT_EQ(std::wstring::npos, shown->drawn.find(L"|Host")) << "nothing of the host's string table";
    }
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
    ASSERT_NE(nullptr, second.Handle());
    const HMODULE hBase = ::GetModuleHandleW(L"QLNBase.dll");
    for (CDynLinkLibrary *p = CDynLinkLibrary::GetHead(), *next = nullptr; p != nullptr; p = next) {
        next = p->m_pNextDLL;
        if (p->m_hModule == hBase)
            delete p;
    }
    const Shown ofSecond = ShowNewObject(second, L"QLNSecond.TextCtrl.1");
    EXPECT_NE(std::wstring::npos, ofSecond.drawn.find(L"|(More...)@")) << ofSecond.drawn;
}

TEST(ReportLibraries, LoadingAndUnloadingALibraryAgainAndAgainLeavesTheResourceChainAsItWas)
{
    // Another module keeps the base library loaded all along, as a host with several report
    // libraries does.
    const HMODULE hBase = ::LoadLibraryW(L"QLNBase.dll");
    ASSERT_NE(nullptr, hBase);
    ::CoFreeUnusedLibrariesEx(0, 0);
    ASSERT_EQ(nullptr, ::GetModuleHandleW(L"QLNSampleText.dll")) << "the library must really load and unload";
    const auto links = [] {
        int n = 0;
        for (CDynLinkLibrary* p = CDynLinkLibrary::GetHead(); p != nullptr; p = p->m_pNextDLL)
            ++n;
        return n;
    };
    const int nBefore = links();
    for (int cycle = 0; cycle < 5; ++cycle) {
        const HMODULE hSample = ::LoadLibraryW(L"QLNSampleText.dll");
        ASSERT_NE(nullptr, hSample);
        EXPECT_EQ(nBefore + 1, links()) << "its start-up links the base library in";
        ::FreeLibrary(hSample);
        ASSERT_EQ(nullptr, ::GetModuleHandleW(L"QLNSampleText.dll"));
        EXPECT_EQ(nBefore, links()) << "cycle " << cycle;
    }
    ::FreeLibrary(hBase);
}

TEST(ReportLibraries, StartUpUndoesOnlyTheComponentObjectInitialisationThatCounted)
{
    // A fresh copy of the base library, so that its start-up and unload run on a thread of the
    // test's choosing.
    wchar_t basePath[MAX_PATH] = {};
    ASSERT_NE(0u, ::GetModuleFileNameW(::LoadLibraryW(L"QLNBase.dll"), basePath, MAX_PATH));
    std::wstring copy(basePath);
    copy = copy.substr(0, copy.find_last_of(L"\\/") + 1) + L"QLNBaseStartUpCopy.dll";
    ASSERT_TRUE(::CopyFileW(basePath, copy.c_str(), FALSE));
    const struct { DWORD dwApartment; HRESULT hrAfter; const char* why; } rows[] = {
        {COINIT_MULTITHREADED, S_FALSE, "a multithreaded thread stays initialised: the library's own call was refused"},
        {COINIT_APARTMENTTHREADED, RPC_E_CHANGED_MODE, "the thread's own single-threaded apartment stays"},
        {~0u, S_OK, "the library's initialisation is undone"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        HRESULT hrAfter = E_FAIL;
        std::thread([&] {
            const bool bOwn = row.dwApartment != ~0u && SUCCEEDED(::CoInitializeEx(nullptr, row.dwApartment));
            const HMODULE hCopy = ::LoadLibraryW(copy.c_str());
            EXPECT_NE(nullptr, hCopy);
            ::FreeLibrary(hCopy);
            // Asking for a multithreaded apartment tells what the thread is left in.
            hrAfter = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
            if (SUCCEEDED(hrAfter))
                ::CoUninitialize();
            if (bOwn)
                ::CoUninitialize();
        }).join();
        EXPECT_EQ(row.hrAfter, hrAfter);
    }
    ::DeleteFileW(copy.c_str());
}
