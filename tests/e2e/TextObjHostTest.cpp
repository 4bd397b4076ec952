// The demo host end to end: property sets through files, lines resolved with data, drawings,
// and what a user sees when a file, a property set or a property name is wrong.
#include "E2eSupport.h"
#include "SampleRegistration.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TextObjHostTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(S_OK, m_registration.Result()); }

    E2e::ProcessResult TextObj(const std::wstring& arguments)
    {
        return E2e::Run(L"\"" + E2e::BinDirectory() + L"textobj.exe\" " + arguments);
    }
    std::wstring Quoted(const std::wstring& name) const { return L"\"" + m_folder.Path(name) + L"\""; }

    // The bag a control of two columns without data labels saves, with the given lines put in
    // place of the control's own lines of the same names; the control's order is kept.
    std::string EditedBag(const std::vector<std::pair<std::string, std::string>>& replacements)
    {
        const E2e::ProcessResult saved =
            TextObj(L"--set NumColumns=1 --set IncludeDataLabel=false --save " + Quoted(L"fresh.bag"));
        EXPECT_EQ(0u, saved.exitCode) << saved.err;
        const std::string fresh = E2e::ReadBytes(m_folder.Path(L"fresh.bag"));
        std::string edited;
        size_t start = 0;
        while (start < fresh.size()) {
            size_t end = fresh.find("\r\n", start);
            end = end == std::string::npos ? fresh.size() : end + 2;
            std::string line = fresh.substr(start, end - start);
            for (const auto& r : replacements)
                if (line.compare(0, r.first.size() + 1, r.first + "=") == 0)
                    line = r.first + "=" + r.second + "\r\n";
            edited += line;
            start = end;
        }
        return edited;
    }

    E2e::SampleRegistration m_registration;
    E2e::ScratchFolder m_folder;
};

// Every property off its default, and text fields with every character the format must carry:
// line breaks, a lone CR and LF, extra form feeds, unbalanced braces and text beyond ASCII.
const std::vector<std::pair<std::string, std::string>> kEveryProperty = {
    {"NumColumns", "1"},
    {"AllignType", "0"},
    {"VerticalSpacing", "2"},
    {"TextFields", "Retention time: {RT}\\f3\\fR\xC3\xA9tention: {RT} \xC2\xB5s\\r\\n\\f-1\\f\\r\\n"
                   "Heading } with {open brace\\r\\nlone\\rCR and\\nLF\\r\\nmore\\fform\\ffeeds\\f\\f"
                   "\xE6\x97\xA5\xE6\x9C\xAC {DataFile}\\tend"},
    {"PromptColor", "255"},
    {"ValueColor", "65280"},
    {"TitleColor", "16711680"},
    {"IncludeDataLabel", "false"},
    {"HeadingColor", "2147483656"},   // a system colour index, kept as it is
    {"IncludeTitle", "true"},
    {"Title", "R\xC3\xA9sum\xC3\xA9 \\\\ {Title}"},
    {"ColWidthRatio0", "3"},
    {"ColWidthRatio1", "5"},
};

TEST_F(TextObjHostTest, ATextBagWithEveryPropertyRoundTripsExactly)
{
    const std::string bag = EditedBag(kEveryProperty);
    ASSERT_TRUE(E2e::WriteBytes(m_folder.Path(L"in.bag"), bag));
    const E2e::ProcessResult r = TextObj(L"--load " + Quoted(L"in.bag") + L" --save " + Quoted(L"out.bag"));
    ASSERT_EQ(0u, r.exitCode) << r.err;
    EXPECT_EQ(bag, E2e::ReadBytes(m_folder.Path(L"out.bag")));
}

TEST_F(TextObjHostTest, ABinaryStreamRoundTripsAndCarriesTheSameProperties)
{
    const std::string bag = EditedBag(kEveryProperty);
    ASSERT_TRUE(E2e::WriteBytes(m_folder.Path(L"in.bag"), bag));
    ASSERT_EQ(0u, TextObj(L"--load " + Quoted(L"in.bag") + L" --save " + Quoted(L"a.bin")).exitCode);
    ASSERT_EQ(0u, TextObj(L"--load " + Quoted(L"a.bin") + L" --save " + Quoted(L"b.bin")).exitCode);
    ASSERT_EQ(0u, TextObj(L"--load " + Quoted(L"b.bin") + L" --save " + Quoted(L"back.bag")).exitCode);
    const std::string stream = E2e::ReadBytes(m_folder.Path(L"a.bin"));
    EXPECT_FALSE(stream.empty());
    EXPECT_EQ(stream, E2e::ReadBytes(m_folder.Path(L"b.bin")));
    EXPECT_EQ(bag, E2e::ReadBytes(m_folder.Path(L"back.bag")));
}

TEST_F(TextObjHostTest, ResolvingPutsDataInPlaceOfKeysWithEachLinesDecimals)
{
    // Decimals 2 and 0 format numbers; -1 and a text value leave them as written; a key
    // without data stays in braces.
    const std::string bag = EditedBag({{"TextFields", "RT: {RT}\\f2\\fRT: {RT} min\\r\\n"
                                                      "Area\\f0\\fArea: {Area}\\r\\n"
                                                      "\\f-1\\fAs written: {Area}\\r\\n"
                                                      "\\f3\\fName: {CompName}, {Missing} {RT"}});
    ASSERT_TRUE(E2e::WriteBytes(m_folder.Path(L"in.bag"), bag));
    ASSERT_TRUE(E2e::WriteBytes(m_folder.Path(L"data.txt"), "RT=4.23456\r\nArea=152345.678\r\nCompName=Caff\xC3\xA9ine\r\n"));
    const E2e::ProcessResult r = TextObj(L"--load " + Quoted(L"in.bag") + L" --resolve " + Quoted(L"data.txt"));
    ASSERT_EQ(0u, r.exitCode) << r.err;
    EXPECT_EQ("RT: 4.23 min\r\n"
              "Area: 152346\r\n"
              "As written: 152345.678\r\n"
              "Name: Caff\xC3\xA9ine, {Missing} 4.235\r\n",
              r.out);
}

namespace {

// Records enumerated from a metafile arrive through a callback of the platform's convention.
int CALLBACK CountTextRecord(HDC, HANDLETABLE*, const ENHMETARECORD* rec, int, LPARAM count)
{
    if (rec->iType == EMR_EXTTEXTOUTW)
        ++*reinterpret_cast<int*>(count);
    return 1;
}

} // namespace

TEST_F(TextObjHostTest, SetLinesAndDrawingFollowTheProperties)
{
    const E2e::ProcessResult r =
        TextObj(L"--set \"TextFields=One: {RT}\" --set NumColumns=2 --lines --draw " + Quoted(L"t.emf") +
                L" --png " + Quoted(L"t.png") + L" --size 300x200 --zoom 1.5");
    ASSERT_EQ(0u, r.exitCode) << r.err;
    EXPECT_EQ("One: {RT}\r\n", r.out);
    const HENHMETAFILE hEmf = ::GetEnhMetaFileW(m_folder.Path(L"t.emf").c_str());
    ASSERT_NE(nullptr, hEmf);
    // The prompt and the value are drawn as text.
    int texts = 0;
    ::EnumEnhMetaFile(nullptr, hEmf, &CountTextRecord, &texts, nullptr);
    ::DeleteEnhMetaFile(hEmf);
    EXPECT_GE(texts, 2);
    const std::string png = E2e::ReadBytes(m_folder.Path(L"t.png"));
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(0, png.compare(1, 3, "PNG"));
    // Width and height, big-endian, in the image header.
    EXPECT_EQ(std::string("\0\0\x01\x2C\0\0\0\xC8", 8), png.substr(16, 8));
}

struct FailureCase
{
    const char* name;
    const wchar_t* arguments;   // {in} stands for the prepared input, {out} for the output file
    const char* input;          // written to the input file first, unless null
    const char* message;        // what stderr must say
};

const FailureCase kFailures[] = {
    // A file that is not there names the file and why.
    {"MissingBag", L"--load {missing}.bag --save {out}", nullptr, "File not found"},
    {"MissingStream", L"--load {missing}.bin --save {out}", nullptr, "File not found"},
    {"MissingData", L"--resolve {missing}.txt --save {out}", nullptr, "File not found"},
    // A bag line the format does not know, and a value the control's property cannot take.
    {"MalformedBag", L"--load {in}.bag --save {out}", "NumColumns=1\r\nno equals sign\r\n", "line 2"},
    {"CorruptBag", L"--load {in}.bag --save {out}", "NumColumns=abc\r\n",
     "refused the property set: NumColumns: \"abc\" is not a value of this property"},
    // A stream cut short is refused by the control.
    {"TruncatedStream", L"--load {in}.bin --save {out}", "\x01", "refused the property set"},
    {"UnknownProperty", L"--set Nope=1 --save {out}", nullptr, "no property or method named Nope"},
    {"RefusedValue", L"--set NumColumns=abc --save {out}", nullptr, "refused NumColumns=abc"},
};

void PrintTo(const FailureCase& c, std::ostream* os)
{
    *os << c.name;
}

class TextObjFailureTest : public TextObjHostTest, public ::testing::WithParamInterface<FailureCase>
{
};

TEST_P(TextObjFailureTest, FailsClearlyAndLeavesTheOutputUntouched)
{
    const FailureCase& c = GetParam();
    std::wstring arguments = c.arguments;
    const auto substitute = [&](const std::wstring& token, const std::wstring& path) {
        for (size_t at; (at = arguments.find(token)) != std::wstring::npos;)
            arguments.replace(at, token.size(), path);
    };
    substitute(L"{missing}", m_folder.Path(L"absent"));
    substitute(L"{in}", m_folder.Path(L"in"));
    substitute(L"{out}", m_folder.Path(L"out.bag"));
    if (c.input != nullptr) {
        const std::wstring ext = arguments.find(m_folder.Path(L"in") + L".bin") != std::wstring::npos ? L".bin" : L".bag";
        ASSERT_TRUE(E2e::WriteBytes(m_folder.Path(L"in" + ext), c.input));
    }
    ASSERT_TRUE(E2e::WriteBytes(m_folder.Path(L"out.bag"), "keep me\r\n"));

    const E2e::ProcessResult r = TextObj(arguments);
    EXPECT_EQ(1u, r.exitCode);
    EXPECT_NE(std::string::npos, r.err.find(c.message)) << r.err;
    EXPECT_EQ(0, r.err.compare(0, 9, "textobj: ")) << r.err;
    EXPECT_EQ("keep me\r\n", E2e::ReadBytes(m_folder.Path(L"out.bag")));
}

INSTANTIATE_TEST_SUITE_P(Cases, TextObjFailureTest, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(TextObjHostTest, ABadCommandLineGetsTheUsageAndExitCodeTwo)
{
    for (const wchar_t* arguments : {L"--size 10", L"--zoom -1", L"--set NoEquals", L"stray", L"--load"}) {
        const E2e::ProcessResult r = TextObj(arguments);
        EXPECT_EQ(2u, r.exitCode) << arguments;
        EXPECT_NE(std::string::npos, r.err.find("usage: textobj")) << arguments;
    }
}

TEST_F(TextObjHostTest, AColourIsTakenInEveryFormItIsWrittenIn)
{
    // What --save writes, a script's signed long and hexadecimal, on the command line; a bag
    // written by a host that keeps colours signed. All are the same system colour.
    const std::string bag = EditedBag({{"HeadingColor", "-2147483640"}, {"IncludeTitle", "True"}});
    ASSERT_TRUE(E2e::WriteBytes(m_folder.Path(L"signed.bag"), bag));
    const E2e::ProcessResult r =
        TextObj(L"--load " + Quoted(L"signed.bag") + L" --set PromptColor=2147483656 --set ValueColor=0x80000008" +
                L" --set TitleColor=-2147483640 --save " + Quoted(L"out.bag"));
    ASSERT_EQ(0u, r.exitCode) << r.err;
    const std::string saved = E2e::ReadBytes(m_folder.Path(L"out.bag"));
    for (const char* line : {"PromptColor=2147483656\r\n", "ValueColor=2147483656\r\n", "TitleColor=2147483656\r\n",
                             "HeadingColor=2147483656\r\n", "IncludeTitle=true\r\n"})
        EXPECT_NE(std::string::npos, saved.find(line)) << line << saved;
}

} // namespace
