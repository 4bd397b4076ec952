// The sample text object in a client nobody here wrote: VBScript in the system's script host,
// which finds the object by ProgID and calls it through late-bound automation only.
#include "E2eSupport.h"
#include "SampleRegistration.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

// The script host exits 0 even when a script fails, so the script ends with a code of its own,
// checked with the output.
void ExpectScriptOutput(const std::string& script, const std::string& expected)
{
    E2e::SampleRegistration registration;
    ASSERT_EQ(S_OK, registration.Result());
    E2e::ScratchFolder folder;
    ASSERT_TRUE(E2e::WriteBytes(folder.Path(L"client.vbs"), script + "WScript.Quit(7)\r\n"));
    const E2e::ProcessResult r = E2e::Run(L"cscript.exe //nologo \"" + folder.Path(L"client.vbs") + L"\"");
    EXPECT_EQ(7u, r.exitCode) << r.out << r.err;
    EXPECT_EQ(expected, r.out);
}

} // namespace

TEST(ScriptClient, PropertiesWrittenByNameReadBackAndLinesFollowTextFields)
{
    // A new object is started on its first call; then the trailing blank line is not counted,
    // and GetLine hands out the shown part and returns the length of the whole stored line.
    ExpectScriptOutput("Set o = CreateObject(\"QLNSample.TextCtrl\")\r\n"
                       "Dim s\r\n"
                       "o.GetLine 1, s\r\n"
                       "WScript.Echo o.GetLineCount() & \"|\" & s & \"|\" & o.Title & \"|\" & o.GetVisibleColumnCount()\r\n"
                       "o.NumColumns = 2\r\n"
                       "o.VerticalSpacing = \"1\"\r\n"
                       "o.IncludeDataLabel = False\r\n"
                       "o.Title = \"Run summary\"\r\n"
                       "o.PromptColor = 255\r\n"
                       "ff = Chr(12)\r\n"
                       "o.TextFields = \"Data file: {DataFile}\" & ff & \"-1\" & ff & \"File: {DataFile}\" & vbCrLf & _\r\n"
                       "               ff & \"-1\" & ff & vbCrLf & \"Plain text\" & vbCrLf & \"   \"\r\n"
                       "WScript.Echo o.NumColumns & \" \" & o.VerticalSpacing & \" \" & o.IncludeDataLabel & \" \" & _\r\n"
                       "             o.Title & \" \" & o.PromptColor & \" \" & o.GetLineCount()\r\n"
                       "For i = 0 To o.GetLineCount() - 1\r\n"
                       "  length = o.GetLine(i, s)\r\n"
                       "  WScript.Echo i & \":\" & length & \":\" & s\r\n"
                       "Next\r\n",
                       "32|Data file: {DataFile}|Sample Information|2\r\n"
                       "2 1 False Run summary 255 3\r\n"
                       "0:41:File: {DataFile}\r\n"
                       "1:4:\r\n"
                       "2:10:Plain text\r\n");
}

TEST(ScriptClient, ValuesAreTakenAsTheScriptWritesThemOrRefusedWithErrorThirteen)
{
    // VBScript writes &H80000008 as a negative long and 2147483656 as a double: both are the
    // same system colour, read back as the long a script compares with. A wrongly typed write
    // is a type mismatch and leaves the value as it was.
    ExpectScriptOutput("Set o = CreateObject(\"QLNSample.TextCtrl\")\r\n"
                       "o.PromptColor = &H80000008\r\n"
                       "o.ValueColor = 2147483656\r\n"
                       "WScript.Echo o.PromptColor & \" \" & o.ValueColor & \" \" & (o.PromptColor = &H80000008)\r\n"
                       "o.NumColumns = 1\r\n"
                       "On Error Resume Next\r\n"
                       "o.NumColumns = \"abc\"\r\n"
                       "WScript.Echo Err.Number & \" \" & o.NumColumns\r\n"
                       "Err.Clear\r\n"
                       "o.IncludeTitle = \"not a boolean\"\r\n"
                       "WScript.Echo Err.Number & \" \" & o.IncludeTitle\r\n",
                       "-2147483640 -2147483640 True\r\n13 1\r\n13 False\r\n");
}
