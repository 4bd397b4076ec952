// The sample text object in a client nobody here wrote: VBScript in the system's script host,
// which finds the object by ProgID and calls it through late-bound automation only.
#include "E2eSupport.h"
#include "SampleRegistration.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

// The script host exits 0 even when a script fails, so every script ends with its own code
// and the test checks that and the output together.
E2e::ProcessResult RunScript(const std::string& script)
{
    E2e::ScratchFolder folder;
    const std::wstring path = folder.Path(L"client.vbs");
    EXPECT_TRUE(E2e::WriteBytes(path, script));
    return E2e::Run(L"cscript.exe //nologo \"" + path + L"\"");
}

class ScriptClientTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(S_OK, m_registration.Result()); }
    E2e::SampleRegistration m_registration;
};

TEST_F(ScriptClientTest, PropertiesWrittenByNameReadBackAndLinesFollowTextFields)
{
    const E2e::ProcessResult r = RunScript(
        "Set o = CreateObject(\"QLNSample.TextCtrl\")\r\n"
        "o.NumColumns = 2\r\n"
        "o.VerticalSpacing = \"1\"\r\n"
        "o.IncludeDataLabel = False\r\n"
        "o.Title = \"Run summary\"\r\n"
        "o.PromptColor = 255\r\n"
        "ff = Chr(12)\r\n"
        "o.TextFields = \"Data file: {DataFile}\" & ff & \"-1\" & ff & \"File: {DataFile}\" & vbCrLf & _\r\n"
        "               \"\" & ff & \"-1\" & ff & \"\" & vbCrLf & \"Plain text\" & vbCrLf & \"   \"\r\n"
        "WScript.Echo \"columns=\" & o.NumColumns & \" spacing=\" & o.VerticalSpacing & _\r\n"
        "             \" labels=\" & o.IncludeDataLabel & \" title=\" & o.Title & \" colour=\" & o.PromptColor\r\n"
        "n = o.GetLineCount()\r\n"
        "WScript.Echo \"count=\" & n\r\n"
        "For i = 0 To n - 1\r\n"
        "  Dim s\r\n"
        "  length = o.GetLine(i, s)\r\n"
        "  WScript.Echo i & \":\" & length & \":\" & s\r\n"
        "Next\r\n"
        "WScript.Quit(7)\r\n");
    EXPECT_EQ(7u, r.exitCode) << r.out << r.err;
    // The trailing blank line is not counted; GetLine hands out the shown part and returns
    // the length of the whole stored line.
    EXPECT_EQ("columns=2 spacing=1 labels=False title=Run summary colour=255\r\n"
              "count=3\r\n"
              "0:41:File: {DataFile}\r\n"
              "1:4:\r\n"
              "2:10:Plain text\r\n",
              r.out);
}

TEST_F(ScriptClientTest, AWronglyTypedWriteIsErrorThirteenAndTheValueStays)
{
    const E2e::ProcessResult r = RunScript(
        "Set o = CreateObject(\"QLNSample.TextCtrl\")\r\n"
        "o.NumColumns = 1\r\n"
        "On Error Resume Next\r\n"
        "o.NumColumns = \"abc\"\r\n"
        "e = Err.Number\r\n"
        "Err.Clear\r\n"
        "o.IncludeTitle = \"not a boolean\"\r\n"
        "e2 = Err.Number\r\n"
        "On Error GoTo 0\r\n"
        "WScript.Echo \"error=\" & e & \" columns=\" & o.NumColumns & \" error2=\" & e2 & \" title=\" & o.IncludeTitle\r\n"
        "WScript.Quit(3)\r\n");
    EXPECT_EQ(3u, r.exitCode) << r.out << r.err;
    EXPECT_EQ("error=13 columns=1 error2=13 title=False\r\n", r.out);
}

TEST_F(ScriptClientTest, ANewObjectOffersTheSampleCatalogueAsLines)
{
    const E2e::ProcessResult r = RunScript(
        "Set o = CreateObject(\"QLNSample.TextCtrl\")\r\n"
        "Dim s\r\n"
        "o.GetLine 1, s\r\n"
        "WScript.Echo o.GetLineCount() & \"|\" & s & \"|\" & o.Title & \"|\" & o.GetVisibleColumnCount()\r\n"
        "WScript.Quit(5)\r\n");
    EXPECT_EQ(5u, r.exitCode) << r.out << r.err;
    EXPECT_EQ("32|Data file: {DataFile}|Sample Information|2\r\n", r.out);
}

TEST_F(ScriptClientTest, AColourIsTakenAsTheScriptWritesIt)
{
    // VBScript writes &H80000008 as a negative long and 2147483656 as a double; both are the
    // same system colour, read back as the long a script compares with.
    const E2e::ProcessResult r = RunScript(
        "Set o = CreateObject(\"QLNSample.TextCtrl\")\r\n"
        "o.PromptColor = &H80000008\r\n"
        "o.ValueColor = 2147483656\r\n"
        "WScript.Echo o.PromptColor & \" \" & o.ValueColor & \" \" & (o.PromptColor = &H80000008)\r\n"
        "WScript.Quit(4)\r\n");
    EXPECT_EQ(4u, r.exitCode) << r.out << r.err;
    EXPECT_EQ("-2147483640 -2147483640 True\r\n", r.out);
}

} // namespace

