// The demo host end to end: property sets through files, lines resolved with data, drawings,
// and what a user sees when a file, a property set or a property name is wrong.
#include "CQLNReplacingFile.h"
#include "E2eSupport.h"
#include "EmfScan.h"
#include "QLNBaseRes.h"
#include "SampleObject.h"
#include "SampleRegistration.h"
#include "ScratchFolder.h"
#include "ScriptedUser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

namespace {

class TextObjHost : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(S_OK, m_registration.Result()); }

    // Runs the demo host; @name in the arguments stands for that file in the scratch folder.
    E2e::ProcessResult TextObj(std::wstring arguments)
    {
        for (size_t at; (at = arguments.find(L'@')) != std::wstring::npos;) {
            const size_t end = std::min(arguments.find(L' ', at), arguments.size());
            arguments.replace(at, end - at, L"\"" + m_folder.Path(arguments.substr(at + 1, end - at - 1)) + L"\"");
        }
        return E2e::Run(L"\"" + E2e::BinDirectory() + L"textobj.exe\" " + arguments);
    }
    std::string Read(const wchar_t* name) { return E2e::ReadBytes(m_folder.Path(name)); }
    bool Write(const wchar_t* name, const std::string& bytes) { return E2e::WriteBytes(m_folder.Path(name), bytes); }

    // The bag a control of two columns without data labels saves, with the values of the named
    // properties replaced; the control's order is kept.
    std::string EditedBag(const std::vector<std::pair<std::string, std::string>>& values)
    {
        EXPECT_EQ(0u, TextObj(L"--set NumColumns=1 --set IncludeDataLabel=false --save @fresh.bag").exitCode);
        return SampleObject::WithValues(Read(L"fresh.bag"), values);
    }

    E2e::SampleRegistration m_registration;
    E2e::ScratchFolder m_folder;
};

} // namespace

// Every property off its default, and text fields with every character the format must carry:
// line breaks, a lone CR and LF, extra form feeds, unbalanced braces and text beyond ASCII.
TEST_F(TextObjHost, EveryPropertyRoundTripsExactlyThroughTheBagAndTheStream)
{
    const std::string bag = EditedBag({
        {"AllignType", "0"}, {"VerticalSpacing", "2"},
        {"TextFields", "Retention time: {RT}\\f3\\fR\xC3\xA9tention: {RT} \xC2\xB5s\\r\\n\\f-1\\f\\r\\n"
                       "Heading } with {open brace\\r\\nlone\\rCR and\\nLF\\r\\nmore\\fform\\ffeeds\\f\\f"
                       "\xE6\x97\xA5\xE6\x9C\xAC {DataFile}\\tend"},
        {"PromptFont.Name", "Liberation Mono"}, {"PromptFont.Size", "9.5000"}, {"PromptFont.Weight", "700"},
        {"ValueFont.Italic", "true"}, {"TitleFont.Size", "18.0000"}, {"HeadingFont.Underline", "true"},
        {"PromptColor", "255"}, {"ValueColor", "65280"}, {"TitleColor", "16711680"},
        {"HeadingColor", "2147483656"},   // a system colour index, kept as it is
        {"IncludeTitle", "true"}, {"Title", "R\xC3\xA9sum\xC3\xA9 \\\\ {Title}"},
        {"ColWidthRatio0", "3"}, {"ColWidthRatio1", "1.5"},
    });
    ASSERT_TRUE(Write(L"in.bag", bag));
    ASSERT_EQ(0u, TextObj(L"--load @in.bag --save @out.bag").exitCode);
    EXPECT_EQ(bag, Read(L"out.bag"));
    ASSERT_EQ(0u, TextObj(L"--load @in.bag --save @a.bin").exitCode);
    ASSERT_EQ(0u, TextObj(L"--load @a.bin --save @b.bin").exitCode);
    ASSERT_EQ(0u, TextObj(L"--load @b.bin --save @back.bag").exitCode);
    EXPECT_FALSE(Read(L"a.bin").empty());
    EXPECT_EQ(Read(L"a.bin"), Read(L"b.bin"));
    EXPECT_EQ(bag, Read(L"back.bag"));
}

TEST_F(TextObjHost, ResolvingPutsDataInPlaceOfKeysWithEachLinesDecimals)
{
    // Decimals 2 and 0 format numbers; -1 and a text value leave them as written; a key
    // without data stays in braces.
    ASSERT_TRUE(Write(L"in.bag", EditedBag({{"TextFields", "RT: {RT}\\f2\\fRT: {RT} min\\r\\nArea\\f0\\fArea: {Area}\\r\\n"
                                                           "\\f-1\\fAs written: {Area}\\r\\n"
                                                           "\\f3\\fName: {CompName}, {Missing} {RT"}})));
    ASSERT_TRUE(Write(L"data.txt", "RT=4.23456\r\nArea=152345.678\r\nCompName=Caff\xC3\xA9ine\r\n"));
    const E2e::ProcessResult r = TextObj(L"--load @in.bag --resolve @data.txt");
    ASSERT_EQ(0u, r.exitCode) << r.err;
    EXPECT_EQ("RT: 4.23 min\r\nArea: 152346\r\nAs written: 152345.678\r\nName: Caff\xC3\xA9ine, {Missing} 4.235\r\n", r.out);

    // A new control's time items take the decimals the host set for the process before it was
    // created; other numbers keep their own. Without a setting the library's is none.
    for (const auto& c : {std::pair<const wchar_t*, const char*>{L"", "Retention time: 4\r\n"},
                          {L"--rt-precision 3 ", "Retention time: 4.235\r\n"},
                          {L"--rt-precision 0 ", "Retention time: 4\r\n"}}) {
        const E2e::ProcessResult fresh = TextObj(std::wstring(c.first) + L"--resolve @data.txt");
        ASSERT_EQ(0u, fresh.exitCode) << fresh.err;
        EXPECT_NE(std::string::npos, fresh.out.find(c.second)) << fresh.out;
        EXPECT_NE(std::string::npos, fresh.out.find("Injection volume: {InjVol}")) << fresh.out;
    }
}

// A resolved drawing (--draw, --png) shows the data's values where the object draws their
// tokens, as its printed page does, while the object itself keeps its tokens: the unresolved
// drawing of the same object shows them, and what it saves is the same either way.
TEST_F(TextObjHost, AResolvedDrawingShowsTheValuesInPlaceOfTheirTokens)
{
    ASSERT_TRUE(Write(L"data.txt", "DataFile=run042.d\r\nRT=4.23456\r\n"));
    const E2e::ProcessResult plain = TextObj(L"--draw @t.emf --png @t.png --save @t.bag");
    ASSERT_EQ(0u, plain.exitCode) << plain.err;
    const E2e::ProcessResult resolved = TextObj(L"--resolve @data.txt --draw @r.emf --png @r.png --save @r.bag");
    ASSERT_EQ(0u, resolved.exitCode) << resolved.err;
    EXPECT_NE(std::string::npos, resolved.out.find("Data file: run042.d\r\n")) << resolved.out;
    EXPECT_EQ(Read(L"t.bag"), Read(L"r.bag"));
    for (const auto& drawing : {std::make_pair(L"t.emf", false), std::make_pair(L"r.emf", true)}) {
        SCOPED_TRACE(testing::Message() << drawing.first);
        const HENHMETAFILE hEmf = ::GetEnhMetaFileW(m_folder.Path(drawing.first).c_str());
        ASSERT_NE(nullptr, hEmf);
        const EmfScan scan(hEmf);
        ::DeleteEnhMetaFile(hEmf);
        EXPECT_EQ(drawing.second, scan.Find(L"run042.d") != nullptr);
        EXPECT_EQ(!drawing.second, scan.Find(L"{DataFile}") != nullptr);
        EXPECT_NE(nullptr, scan.Find(L"{SampName}")) << "a key without data stays as it is";
    }
    EXPECT_FALSE(Read(L"r.png").empty());
    EXPECT_NE(Read(L"t.png"), Read(L"r.png"));
}

TEST_F(TextObjHost, SetLinesAndDrawingFollowTheProperties)
{
    const E2e::ProcessResult r = TextObj(L"--set \"TextFields=One: {RT}\" --set NumColumns=2 --lines --draw @t.emf "
                                         L"--png @t.png --size 300x200 --zoom 1.5");
    ASSERT_EQ(0u, r.exitCode) << r.err;
    EXPECT_EQ("One: {RT}\r\n", r.out);
    const HENHMETAFILE hEmf = ::GetEnhMetaFileW(m_folder.Path(L"t.emf").c_str());
    ASSERT_NE(nullptr, hEmf);
    const EmfScan scan(hEmf);
    ::DeleteEnhMetaFile(hEmf);
    EXPECT_GE(scan.texts.size(), 2u) << "the prompt and the value drawn as text";
    // The image header holds the width and height, big-endian.
    const std::string png = Read(L"t.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(0, png.compare(1, 3, "PNG"));
    EXPECT_EQ(std::string("\0\0\x01\x2C\0\0\0\xC8", 8), png.substr(16, 8));

    // For print: three times the screen's pixels, the same drawing, the resolution in the file
    // (288 dpi is 11339 pixels a metre).
    const auto printed = TextObj(L"--set \"TextFields=One: {RT}\" --png @p.png --size 300x200 --dpi 288");
    ASSERT_EQ(0u, printed.exitCode) << printed.err;
    const std::string print = Read(L"p.png");
    ASSERT_GT(print.size(), 24u);
    EXPECT_EQ(std::string("\0\0\x03\x84\0\0\x02\x58", 8), print.substr(16, 8));
    EXPECT_NE(std::string::npos, print.find(std::string("pHYs\0\0\x2C\x4B\0\0\x2C\x4B\x01", 13)));
}

TEST_F(TextObjHost, FailuresAreClearAndLeaveTheOutputUntouched)
{
    const struct
    {
        const wchar_t* arguments;   // @in.bag and @in.bin hold the input, if any
        std::string input;
        const char* message;        // what stderr must say
    } cases[] = {
        {L"--load @absent.bag --save @out.bag", "", "the file does not exist (0x80070002)"},
        {L"--load @absent.bin --save @out.bag", "", "the file does not exist (0x80070002)"},
        {L"--resolve @absent.txt --save @out.bag", "", "the file does not exist (0x80070002)"},
        // A bag line the format does not know, and a value the control's property cannot take.
        {L"--load @in.bag --save @out.bag", "NumColumns=1\r\nno equals sign\r\n", "line 2"},
        {L"--load @in.bag --save @out.bag", "[Properties]\r\nNumColumns=1\r\n", "in.bag: the file is cut short"},
        {L"--load @in.bag --save @out.bag", "NumColumns=abc\r\n",
         "refused the property set: NumColumns: \"abc\" is not a value of this property"},
        {L"--load @in.bin --save @out.bag", "\x01", "refused the property set: _Version: cannot be read ("},
        // Version, extent, three numbers, then a string of five characters of which one is there.
        {L"--load @in.bin --save @out.bag", std::string("\x01\0\0\0\0\0\0\0\0\0\0\0\x01\0\x01\0\0\0\x05\0\0\0A\0", 24),
         "refused the property set: TextFields: cannot be read ("},
        // A refused value of a megabyte is named by its start.
        {L"--load @in.bag --save @out.bag", "NumColumns=" + std::string(1 << 20, 'x') + "\r\n",
         "NumColumns: \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" is not a value of this property"},
        {L"--set Nope=1 --save @out.bag", "", "no property or method named Nope"},
        {L"--set NumColumns=abc --save @out.bag", "", "refused NumColumns=abc"},
        {L"--png @out.png --size 8000x100 --dpi 960 --save @out.bag", "", "80000x1000 pixels"},
        {L"--shot @in.bag --save @out.bag", "a file, not a folder", "cannot make the folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.arguments);
        ASSERT_TRUE(c.input.empty() || (Write(L"in.bag", c.input) && Write(L"in.bin", c.input)));
        ASSERT_TRUE(Write(L"out.bag", "keep me\r\n"));
        const E2e::ProcessResult r = TextObj(c.arguments);
        EXPECT_EQ(1u, r.exitCode);
        EXPECT_EQ(0, r.err.compare(0, 9, "textobj: ")) << r.err;
        EXPECT_NE(std::string::npos, r.err.find(c.message)) << r.err;
        EXPECT_EQ("keep me\r\n", Read(L"out.bag"));
        EXPECT_LT(r.err.size(), 1000u) << "a short message";
    }
    // A read-only file is not replaced, as the platform refuses it.
    const std::wstring readOnly = m_folder.Path(L"out.bag");
    ASSERT_TRUE(::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    const E2e::ProcessResult refused = TextObj(L"--save @out.bag");
    EXPECT_EQ(1u, refused.exitCode);
    EXPECT_NE(std::string::npos, refused.err.find("cannot replace")) << refused.err;
    EXPECT_NE(std::string::npos, refused.err.find("read-only (0x80070005)")) << refused.err;
    EXPECT_EQ("keep me\r\n", Read(L"out.bag"));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY), ::GetFileAttributesW(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY);
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const wchar_t* arguments : {L"--size 10", L"--zoom -1", L"--set NoEquals", L"stray", L"--load",
                                     L"--save \"\"", L"--load \"\" --lines", L"--draw \"\"",
                                     L"--png x.png --dpi 12", L"--dpi 300", L"--rt-precision 16",
                                     L"--rt-precision -1", L"--rt-precision 2x"}) {
        const E2e::ProcessResult r = TextObj(arguments);
        EXPECT_EQ(2u, r.exitCode) << arguments;
        EXPECT_NE(std::string::npos, r.err.find("usage: textobj")) << arguments;
    }
    const E2e::ProcessResult empty = TextObj(L"--save \"\"");
    EXPECT_NE(std::string::npos, empty.err.find("--save needs a value")) << empty.exitCode << ": " << empty.err;
}

TEST(TextObjHostFile, AFullDiskIsReportedAsFull)
{
    // The always-full device refuses every write; a pipe nobody reads takes nothing and says it
    // succeeded, as a disk that fills up in the middle of a write does.
    HANDLE hRead = nullptr, hPipe = nullptr;
    DWORD mode = PIPE_NOWAIT;
    ASSERT_TRUE(::CreatePipe(&hRead, &hPipe, nullptr, 4096) && ::SetNamedPipeHandleState(hPipe, &mode, nullptr, nullptr));
    for (HANDLE h : {::CreateFileW(L"Z:\\dev\\full", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr), hPipe}) {
        EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), CQLNReplacingFile::WriteTo(h, std::string(100000, 'x')));
        ::CloseHandle(h);
    }
    ::CloseHandle(hRead);
}

// The sheet the demo host opens, as its user sees it: pictures of each page, and a user in front of
// the sheet (this process, clicking into the host's windows) whose choices the lines and the save see.
TEST_F(TextObjHost, PropertiesOpensTheSheetForTheUserAndShotsPictureEachPage)
{
    const E2e::ProcessResult shots = TextObj(L"--set \"TextFields=One: {RT}\" --shot @pictures --lines");
    ASSERT_EQ(0u, shots.exitCode) << shots.err;
    EXPECT_EQ("One: {RT}\r\n", shots.out);
    std::vector<std::string> pictures;
    for (const wchar_t* name : {L"pictures\\page-1.png", L"pictures\\page-2.png", L"pictures\\page-3.png"})
        pictures.push_back(Read(name));
    for (const std::string& png : pictures) {
        ASSERT_GT(png.size(), 24u);
        EXPECT_EQ(0, png.compare(1, 3, "PNG"));
        EXPECT_EQ(pictures[0].substr(16, 8), png.substr(16, 8)) << "every page pictured with the whole sheet";
    }
    EXPECT_TRUE(pictures[0] != pictures[1] && pictures[1] != pictures[2]);

    E2e::ProcessResult edited;
    std::thread host([&] { edited = TextObj(L"--set \"TextFields=One: {RT}\" --properties --lines --save @edited.bag"); });
    HWND hSheet = nullptr;
    auto page = [&] { return reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0)); };
    auto waitFor = [](auto&& condition) {
        for (int i = 0; i < 200 && !condition(); ++i)
            ::Sleep(50);
        return condition();
    };
    EXPECT_TRUE(waitFor([&] {
        hSheet = ::FindWindowW(L"#32770", L"Sample Information");
        return hSheet != nullptr && page() != nullptr;
    }));
    // The tab control's geometry does not cross processes; the sheet's own message does.
    ::PostMessageW(hSheet, PSM_SETCURSEL, 1, 0);
    EXPECT_TRUE(waitFor([&] { return ::GetDlgItem(page(), IDC_QLN_COLUMNS_3) != nullptr; }));
    qlntest::PostClick(::GetDlgItem(page(), IDC_QLN_COLUMNS_3));
    qlntest::PostClick(::GetDlgItem(hSheet, IDOK));
    if (!waitFor([&] { return !::IsWindow(hSheet); }))
        ::PostMessageW(hSheet, WM_CLOSE, 0, 0);
    host.join();
    ASSERT_EQ(0u, edited.exitCode) << edited.err;
    EXPECT_EQ("One: {RT}\r\n", edited.out);
    EXPECT_NE(std::string::npos, Read(L"edited.bag").find("NumColumns=2\r\n"));
}
