// The report page host's files as they come to it from outside: damaged copies of a page, which
// it refuses or opens but never hangs on or falls over; pages naming classes that are no report
// objects, which it keeps without starting them; the page's time decimals, kept through a save
// and given to the objects it makes; the lines --list shows of each kind of object; and what its
// messages say when a file cannot be read or written.
#include "CQLNReportPage.h"
#include "CQLNReportPageTools.h"
#include "CQLNTextObjError.h"
#include "CompoundFileBytes.h"
#include "ReportPageHost.h"
#include "ScopedRegistryValue.h"

#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

using qlntest::PageBytes;
using Microsoft::WRL::ComPtr;

namespace {

class ReportPageFiles : public ReportPageHost
{
protected:
    std::wstring SampleData() const { return E2e::BinDirectory() + L"..\\..\\hosts\\textobj\\sample-data.txt"; }
};

// A page opened and listed as the host does it, on a thread of its own with its own apartment.
struct Opening
{
    std::wstring path;
    bool bOpened = false;
    std::wstring error;
    std::wstring listing;

    static DWORD WINAPI Run(void* pOpening)
    {
        auto* pThis = static_cast<Opening*>(pOpening);
        if (FAILED(::OleInitialize(nullptr)))
            return 1;
        {
            CQLNReportPage page(nullptr);
            pThis->bOpened = page.Load(pThis->path, pThis->error);
            if (pThis->bOpened)
                pThis->listing = CQLNReportPageTools::List(page);
        }
        ::OleUninitialize();
        return 0;
    }
};

size_t Count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size())
        ++n;
    return n;
}

} // namespace

// Copies of a page of the three kinds of object, damaged as disks and transfers damage files (cut
// at any length, bytes changed anywhere, both) and as the system's structured storage cannot bear
// (directory entries made to point at themselves, at the tree they hang in, past the directory's
// end; the directory's chain of sectors turned back on itself), each opened and listed with a
// time limit: each is refused with a message that names the file or opened, none hangs and none
// ends the program.
TEST_F(ReportPageFiles, DamagedCopiesAreRefusedOrOpenedAndNeverHangOrEndTheHost)
{
    ASSERT_EQ(0u, Host(L"--insert QLNSample.TextCtrl --insert QLNSample.PeakTable --insert QLNSample.Annotation "
                       L"--save @p.qrp")
                      .exitCode);
    const std::string page = E2e::ReadBytes(m_folder.Path(L"p.qrp"));
    ASSERT_GT(page.size(), 2048u);

    struct Copy
    {
        std::string what;
        std::string bytes;
        bool bCrafted;
    };
    std::vector<Copy> copies;
    const PageBytes seed(page);
    const uint32_t nTree = seed.U32(seed.EntryAt(0) + PageBytes::kChild);
    for (const char* name : {"Page", "Object1", "Object2", "Object3", "Contents"}) {
        ASSERT_LT(seed.Find(name), seed.EntryCount()) << name;
        for (const auto& link : {std::make_pair("left", PageBytes::kLeft), std::make_pair("right", PageBytes::kRight)}) {
            PageBytes self(page);
            self.Link(name, link.second, self.Find(name));
            copies.push_back({std::string(name) + "'s " + link.first + " link to itself", self.Bytes(), true});
            PageBytes tree(page);
            tree.Link(name, link.second, nTree);
            if (tree.Find(name) != nTree)
                copies.push_back({std::string(name) + "'s " + link.first + " link to the tree it hangs in", tree.Bytes(), true});
            PageBytes past(page);
            past.Link(name, link.second, 0x7FFFFFF0);
            copies.push_back({std::string(name) + "'s " + link.first + " link past the directory", past.Bytes(), true});
        }
    }
    for (const char* storage : {"Object1", "Object2", "Object3"}) {
        PageBytes up(page);
        up.Link(storage, PageBytes::kChild, nTree);
        copies.push_back({std::string(storage) + " holding the root's tree", up.Bytes(), true});
    }
    PageBytes chain(page);
    chain.Put32(chain.LinkAt(chain.U32(0x30)), chain.U32(0x30));
    copies.push_back({"the directory's sectors in a circle", chain.Bytes(), true});

    std::mt19937 random(61206);
    for (int i = 0; i < 200; ++i) {
        std::string bytes = page;
        std::string what;
        if (i % 3 != 1) {
            bytes.resize(std::uniform_int_distribution<size_t>(0, page.size() - 1)(random));
            what = "cut at " + std::to_string(bytes.size());
        }
        if (i % 3 != 0) {
            const int nChanged = std::uniform_int_distribution<int>(1, 8)(random);
            for (int k = 0; k < nChanged && !bytes.empty(); ++k)
                bytes[std::uniform_int_distribution<size_t>(0, bytes.size() - 1)(random)] =
                    static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
            what += (what.empty() ? "" : ", ") + std::to_string(nChanged) + " bytes changed";
        }
        copies.push_back({"copy " + std::to_string(i) + ": " + what, bytes, false});
    }

    // Each copy is opened and listed as the host does it, on a thread of its own that is given
    // up on after 20 seconds: a host process per copy would cost seconds apiece under Wine. A
    // copy that ends the host ends this test program too.
    int nRefused = 0, nOpened = 0, nHung = 0;
    for (const Copy& copy : copies) {
        SCOPED_TRACE(copy.what);
        Opening opening;
        opening.path = m_folder.Path(L"c.qrp");
        ASSERT_TRUE(E2e::WriteBytes(opening.path, copy.bytes));
        const HANDLE hThread = ::CreateThread(nullptr, 0, &Opening::Run, &opening, 0, nullptr);
        ASSERT_NE(nullptr, hThread);
        if (::WaitForSingleObject(hThread, 20000) == WAIT_TIMEOUT) {
            // The thread cannot be ended cleanly; the run stops here.
            ++nHung;
            ADD_FAILURE() << "the host hung";
            break;
        }
        ::CloseHandle(hThread);
        const std::string error(opening.error.begin(), opening.error.end());
        if (opening.bOpened) {
            ++nOpened;
            EXPECT_FALSE(copy.bCrafted) << opening.listing.size();
        } else {
            ++nRefused;
            EXPECT_NE(std::string::npos, error.find("c.qrp")) << "the message names the file: " << error;
            if (copy.bCrafted) {
                EXPECT_NE(std::string::npos, error.find("c.qrp is damaged: ")) << error;
            }
        }
    }
    std::printf("%u damaged copies: %d refused, %d opened, %d hung, none crashed\n", static_cast<unsigned>(copies.size()),
                nRefused, nOpened, nHung);
    EXPECT_EQ(0, nHung);
}

// A page naming a class of the system's own (the standard font object, in-process) and a class
// served by a program of its own (a command that leaves a mark when it is started): neither is
// created nor started, not even to list the page; both are listed as no report objects and saved
// back byte for byte, and the system's class cannot be inserted either.
TEST_F(ReportPageFiles, ClassesThatAreNoReportObjectsAreKeptUnstartedAsPlaceholders)
{
    const CLSID font = {0x0BE35203, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
    const CLSID server = {0x5EB0A1D2, 0x3C44, 0x4F6A, {0x9B, 0x21, 0x7D, 0x80, 0x4E, 0x6C, 0x11, 0x35}};
    const std::wstring serverKey = L"CLSID\\{5EB0A1D2-3C44-4F6A-9B21-7D804E6C1135}";
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\{0BE35203-8F91-11CE-9DE3-00AA004BB851}\\InprocServer32",
                                             0, KEY_READ, &hKey))
        << "the standard font object is registered in-process";
    ::RegCloseKey(hKey);
    const std::wstring mark = m_folder.Path(L"started.txt");
    ScopedRegistryValue program(HKEY_CLASSES_ROOT, serverKey + L"\\LocalServer32", nullptr);
    program.SetString(REG_SZ, L"cmd.exe /c echo started> \"" + mark + L"\"");

    ASSERT_EQ(0u, Host(L"--insert QLNSample.TextCtrl --insert QLNSample.Annotation --insert QLNSample.TextCtrl "
                       L"--save @p.qrp")
                      .exitCode);
    const std::wstring path = m_folder.Path(L"p.qrp");
    {
        ComPtr<IStorage> root;
        ASSERT_EQ(S_OK, ::StgOpenStorage(path.c_str(), nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, nullptr, 0, &root));
        for (const auto& named : {std::make_pair(L"Object1", font), std::make_pair(L"Object2", server)}) {
            ComPtr<IStorage> storage;
            ASSERT_EQ(S_OK, root->OpenStorage(named.first, nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, nullptr, 0, &storage));
            ASSERT_EQ(S_OK, ::WriteClassStg(storage.Get(), named.second));
            storage->Commit(STGC_DEFAULT);
        }
        root->Commit(STGC_DEFAULT);
    }
    const std::string first = ObjectData(path, L"Object1"), second = ObjectData(path, L"Object2");
    ASSERT_FALSE(first.empty());
    const auto listed = Host(L"@p.qrp --list --save @q.qrp", 60000);
    ASSERT_FALSE(listed.timedOut);
    ASSERT_EQ(0u, listed.exitCode) << listed.err;
    EXPECT_NE(std::string::npos, listed.out.find("{0BE35203-8F91-11CE-9DE3-00AA004BB851} at 20.0, 20.0 mm, 80.0 x 50.0 mm "
                                                 "(not a report object; kept as it is)\r\n"))
        << listed.out;
    EXPECT_NE(std::string::npos, listed.out.find("2. {5EB0A1D2-3C44-4F6A-9B21-7D804E6C1135} {5EB0A1D2-3C44-4F6A-9B21-7D804E6C1135} at "
                                                 "100.0, 20.0 mm, 80.0 x 50.0 mm (not a report object; kept as it is)\r\n"))
        << listed.out;
    EXPECT_NE(std::string::npos, listed.out.find("3. Sample Text Object")) << listed.out;
    ::Sleep(500);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(mark.c_str())) << "the server's program was started";
    CLSID kept = CLSID_NULL;
    EXPECT_EQ(first, ObjectData(m_folder.Path(L"q.qrp"), L"Object1", &kept));
    EXPECT_TRUE(kept == font);
    EXPECT_EQ(second, ObjectData(m_folder.Path(L"q.qrp"), L"Object2", &kept));
    EXPECT_TRUE(kept == server);

    for (const wchar_t* name : {L"{0BE35203-8F91-11CE-9DE3-00AA004BB851}", L"{5EB0A1D2-3C44-4F6A-9B21-7D804E6C1135}"}) {
        const auto inserted = Host(L"--insert " + std::wstring(name) + L" --save @r.qrp", 60000);
        EXPECT_EQ(1u, inserted.exitCode);
        EXPECT_NE(std::string::npos, inserted.err.find("is not a report object")) << inserted.err;
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(m_folder.Path(L"r.qrp").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(mark.c_str())) << "the server's program was started";
}

// A page's time decimals: the data system's two on a page made without saying, the number given
// for a new page, the page's own when it is opened again (whatever the command line says), two on
// a page of the first version; the objects the page makes take them, those it loads and those
// inserted into it alike. A page of the first version is saved in the new one.
TEST_F(ReportPageFiles, APageKeepsItsTimeDecimalsAndGivesThemToTheObjectsItMakes)
{
    const std::wstring data = L" --resolve \"" + SampleData() + L"\" --list";
    ASSERT_EQ(0u, Host(L"--insert QLNSample.TextCtrl --save @two.qrp").exitCode);
    auto listed = Host(L"@two.qrp" + data);
    EXPECT_NE(std::string::npos, listed.out.find("margins 20.0 mm, times in 2 decimals, 1 object\r\n")) << listed.out;
    EXPECT_NE(std::string::npos, listed.out.find("    Retention time: 4.23\r\n")) << listed.out;

    ASSERT_EQ(0u, Host(L"--rt-precision 3 --insert QLNSample.TextCtrl --save @three.qrp").exitCode);
    // Opened with another number, and an object inserted: the page keeps its three.
    ASSERT_EQ(0u, Host(L"@three.qrp --rt-precision 0 --insert QLNSample.TextCtrl --save @more.qrp").exitCode);
    listed = Host(L"@more.qrp" + data);
    EXPECT_NE(std::string::npos, listed.out.find("times in 3 decimals, 2 objects\r\n")) << listed.out;
    EXPECT_EQ(2u, Count(listed.out, "    Retention time: 4.235\r\n")) << listed.out;

    // The first version's description: no decimals in it.
    const std::string version1 = "QRPG" + Le32(1) + Le32(0) + Le32(0) + Le32(2000) + Le32(1) + Le32(2000) + Le32(2000) +
                                 Le32(10000) + Le32(7000);
    RewritePage(m_folder.Path(L"three.qrp"), version1);
    listed = Host(L"@three.qrp --list --save @again.qrp");
    ASSERT_EQ(0u, listed.exitCode) << listed.err;
    EXPECT_NE(std::string::npos, listed.out.find("times in 2 decimals, 1 object\r\n")) << listed.out;
    const std::string version2 = "QRPG" + Le32(2) + Le32(0) + Le32(0) + Le32(2000) + Le32(2) + Le32(1);
    EXPECT_NE(std::string::npos, E2e::ReadBytes(m_folder.Path(L"again.qrp")).find(version2));
}

// --list shows what each kind of object offers a host through its automation: a text object's
// lines, a table's columns, an annotation's text, line by line.
TEST_F(ReportPageFiles, ListShowsTheLinesEachKindOfObjectOffers)
{
    ASSERT_EQ(0u, Host(L"--insert QLNSample.TextCtrl --insert QLNSample.PeakTable --insert QLNSample.Annotation "
                       L"--save @p.qrp")
                      .exitCode);
    const auto listed = Host(L"@p.qrp --list");
    ASSERT_EQ(0u, listed.exitCode) << listed.err;
    const size_t table = listed.out.find("2. Sample Peak Table");
    const size_t note = listed.out.find("3. Sample Annotation");
    ASSERT_NE(std::string::npos, table) << listed.out;
    ASSERT_NE(std::string::npos, note) << listed.out;
    EXPECT_NE(std::string::npos, listed.out.find("    Data file: {DataFile}\r\n")) << listed.out;
    const std::string tableLines = listed.out.substr(table, note - table);
    EXPECT_NE(std::string::npos, tableLines.find("\r\n    Compound: {CompName}\r\n")) << tableLines;
    EXPECT_NE(std::string::npos, tableLines.find("\r\n    RT: {RT}\r\n")) << tableLines;
    EXPECT_NE(std::string::npos, listed.out.substr(note).find("\r\n    Note\r\n")) << listed.out.substr(note);
}

// What the host says when a page cannot be read or written: what went wrong in words, the file
// named, the system's code after the words where the system gave one.
TEST_F(ReportPageFiles, ErrorsSayWhatWentWrongInWords)
{
    ASSERT_EQ(0u, Host(L"--insert QLNSample.TextCtrl --save @p.qrp").exitCode);
    const std::string page = E2e::ReadBytes(m_folder.Path(L"p.qrp"));
    PageBytes circle(page);
    circle.Link("Object1", PageBytes::kChild, circle.Find("Object1"));
    ASSERT_TRUE(E2e::WriteBytes(m_folder.Path(L"circle.qrp"), circle.Bytes()));
    ASSERT_TRUE(E2e::WriteBytes(m_folder.Path(L"text.qrp"), "Report page 1\r\n"));
    ASSERT_TRUE(E2e::WriteBytes(m_folder.Path(L"ro.qrp"), page));
    ASSERT_TRUE(::SetFileAttributesW(m_folder.Path(L"ro.qrp").c_str(), FILE_ATTRIBUTE_READONLY));
    {
        ComPtr<IStorage> empty;
        ASSERT_EQ(S_OK, ::StgCreateDocfile(m_folder.Path(L"empty.qrp").c_str(),
                                           STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &empty));
    }
    // Held open for writing by another program, which lets nobody else in.
    const HANDLE hLocked = ::CreateFileW(m_folder.Path(L"locked.qrp").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLocked);
    const struct { const char* why; const wchar_t* arguments; const char* said; } rows[] = {
        {"a page that is not there", L"@none.qrp --list", "none.qrp: the file does not exist (0x80070002)"},
        {"a folder that is not there", L"@none\\p.qrp --list", "p.qrp: the folder does not exist (0x80070003)"},
        {"a text file", L"@text.qrp --list", "text.qrp is not a report page: it is not a compound file"},
        {"a compound file without a page", L"@empty.qrp --list", "empty.qrp: the page's description is missing"},
        {"a damaged directory", L"@circle.qrp --list", "circle.qrp is damaged: its directory's entries point at each other"},
        {"a page in use", L"@locked.qrp --list", "locked.qrp: the file is in use by another program (0x80070020)"},
        {"a read-only page written", L"@p.qrp --save @ro.qrp", "ro.qrp: access is denied: the file or its folder may be read-only (0x80070005)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        const auto r = Host(row.arguments, 60000);
        EXPECT_EQ(1u, r.exitCode);
        EXPECT_NE(std::string::npos, r.err.find(row.said)) << r.err;
        EXPECT_EQ(1u, Count(r.err, "\n")) << "one line: " << r.err;
    }
    ::CloseHandle(hLocked);
    ::SetFileAttributesW(m_folder.Path(L"ro.qrp").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(page, E2e::ReadBytes(m_folder.Path(L"ro.qrp")));
}

// The words for the codes a host meets, the code after them; the system's own message where this
// host has none; words even where the system has none.
TEST(CQLNTextObjError, CodesAreDescribedInWordsWithTheCodeAfterThem)
{
    const struct { const char* why; HRESULT hr; const wchar_t* said; } rows[] = {
        {"opening a file that is no compound file", STG_E_FILEALREADYEXISTS, L"the file is not a compound file (0x80030050)"},
        {"the storage's missing file", STG_E_FILENOTFOUND, L"the file does not exist (0x80030002)"},
        {"the system's missing file", HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), L"the file does not exist (0x80070002)"},
        {"a file another program holds", HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION),
         L"the file is in use by another program (0x80070020)"},
        {"a storage's lock", STG_E_LOCKVIOLATION, L"the file is in use by another program (0x80030021)"},
        {"a full disk, as the system says it", HRESULT_FROM_WIN32(ERROR_DISK_FULL), L"the disk is full (0x80070070)"},
        {"a full disk, as storage says it", STG_E_MEDIUMFULL, L"the disk is full (0x80030070)"},
        {"a damaged compound file", STG_E_DOCFILECORRUPT, L"the file is damaged (0x80030109)"},
        {"a class not on this computer", REGDB_E_CLASSNOTREG, L"the class is not registered on this computer (0x80040154)"},
        {"automation's own", DISP_E_TYPEMISMATCH, L"the value is not of the property's type (0x80020005)"},
        {"a code no one describes", static_cast<HRESULT>(0xA0BC1234), L"a failure the system does not describe (0xA0BC1234)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(row.said, CQLNTextObjError::Describe(row.hr));
    }
    // A system error this host has no words for: the system's, without its full stop.
    const std::wstring system = CQLNTextObjError::Describe(HRESULT_FROM_WIN32(ERROR_INVALID_FUNCTION));
    EXPECT_EQ(std::wstring::npos, system.find(L"does not describe")) << std::string(system.begin(), system.end());
    EXPECT_EQ(system.size() - 13, system.find(L" (0x80070001)")) << std::string(system.begin(), system.end());
    EXPECT_EQ(std::wstring::npos, system.find(L". (")) << std::string(system.begin(), system.end());
}
