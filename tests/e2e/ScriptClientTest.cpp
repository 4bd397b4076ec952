// The sample text object in a client nobody here wrote: VBScript in the system's script host,
// which finds the object by ProgID and calls it through late-bound automation only.
#include "E2eSupport.h"
#include "SampleRegistration.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

TEST(ScriptClient, PropertiesWrittenByNameReadBackAndLinesFollowTextFields)
{
    E2e::SampleRegistration registration;
    ASSERT_EQ(S_OK, registration.Result());
    E2e::ScratchFolder folder;
    // A new object is started on its first call. The host exits 0 even when a script fails, so
    // the script ends with a code of its own.
    ASSERT_TRUE(E2e::WriteBytes(folder.Path(L"client.vbs"),
        "Set o = CreateObject(\"QLNSample.TextCtrl\")\r\n"
        "Dim s\r\n"
        "o.GetLine 1, s\r\n"
        "WScript.Echo o.GetLineCount() & \"|\" & s & \"|\" & o.Title & \"|\" & o.GetVisibleColumnCount()\r\n"
        "o.NumColumns = 2\r\n"
        "o.VerticalSpacing = \"1\"\r\n"
        "o.IncludeDataLabel = False\r\n"
        "o.Title = \"Run summary\"\r\n"
        "o.PromptColor = &H80000008\r\n"
        "ff = Chr(12)\r\n"
        "o.TextFields = \"Data file: {DataFile}\" & ff & \"-1\" & ff & \"File: {DataFile}\" & vbCrLf & _\r\n"
        "               ff & \"-1\" & ff & vbCrLf & \"Plain text\" & vbCrLf & \"   \"\r\n"
        "WScript.Echo o.NumColumns & \" \" & o.VerticalSpacing & \" \" & o.IncludeDataLabel & \" \" & _\r\n"
        "             o.Title & \" \" & (o.PromptColor = &H80000008) & \" \" & o.GetLineCount()\r\n"
        "For i = 0 To o.GetLineCount() - 1\r\n"
        "  length = o.GetLine(i, s)\r\n"
        "  WScript.Echo i & \":\" & length & \":\" & s\r\n"
        "Next\r\n"
        "WScript.Quit(7)\r\n"));
    const E2e::ProcessResult r = E2e::Run(L"cscript.exe //nologo \"" + folder.Path(L"client.vbs") + L"\"");
    EXPECT_EQ(7u, r.exitCode) << r.out << r.err;
    // The trailing blank line is not counted; GetLine hands out the shown part and returns the
    // length of the whole stored line.
    EXPECT_EQ("32|Data file: {DataFile}|Sample Information|2\r\n"
              "2 1 False Run summary True 3\r\n"
              "0:41:File: {DataFile}\r\n"
              "1:4:\r\n"
              "2:10:Plain text\r\n",
              r.out);
}
