// Exceptions that pass from one module to another: the framework (QLNAfx.dll) throws each of its
// types, a report object's own library (QLNRaisingText.dll) catches it by its type, the base
// library (QLNBase.dll) catches it while it draws the object, and the framework's dispatch hands
// one that escapes a member back to the client, in this program or in a script. Every module
// must share one unwinder for this: a statically linked 32-bit module carries its own, and the
// process then ends at the first throw.
#include "CQLNTextObjClient.h"
#include "E2eSupport.h"
#include "RaisedKinds.h"
#include "ScratchFolder.h"
#include "ServerModule.h"

#include <gtest/gtest.h>

#include <string>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;
using modtest::kRaisedKinds;
using modtest::RaisedKind;
using modtest::ServerModule;

namespace {

// The raising object registered and started for the length of a test.
class RaisingObject
{
public:
    RaisingObject() : m_server(L"QLNRaisingText.dll")
    {
        std::wstring error;
        m_bReady = m_server.Handle() != nullptr && m_server.Register() == S_OK &&
                   m_client.Create(L"QLNRaising.TextCtrl.1", error) && m_client.InitNew(error) &&
                   SUCCEEDED(m_client.Control()->QueryInterface(IID_PPV_ARGS(&m_dispatch)));
        m_strError = error;
    }
    ~RaisingObject()
    {
        m_dispatch.Reset();
        if (m_server.Handle() != nullptr)
            m_server.Unregister();
    }
    bool Ready() const { return m_bReady; }
    const std::wstring& Error() const { return m_strError; }

    // Calls a member with one short argument; the result and the exception as the client gets them.
    HRESULT Call(const wchar_t* pszName, short nArg, VARIANT& result, EXCEPINFO& info)
    {
        DISPID id = 0;
        LPOLESTR name = const_cast<LPOLESTR>(pszName);
        HRESULT hr = m_dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(hr))
            return hr;
        VARIANT arg;
        ::VariantInit(&arg);
        arg.vt = VT_I2;
        arg.iVal = nArg;
        DISPPARAMS params = {&arg, nullptr, 1, 0};
        UINT uArgErr = 0;
        return m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, &info, &uArgErr);
    }

private:
    ServerModule m_server;
    CQLNTextObjClient m_client;
    ComPtr<IDispatch> m_dispatch;
    bool m_bReady = false;
    std::wstring m_strError;
};

std::wstring Wide(const char* psz)
{
    return std::wstring(psz, psz + strlen(psz));
}

// What CatchHere answers: the clause of the type itself caught it, the object whole.
std::wstring CaughtHere(const RaisedKind& kind)
{
    std::wstring text = Wide(kind.pszClass) + L" " + Wide(kind.pszClass);
    if (kind.nKind == 3)
        text += L" 80030005";
    if (kind.nKind == 4)
        text += L" 1001 " + std::wstring(modtest::kRaisedDispatchText);
    return text;
}

class CrossModuleExceptions : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_object.Ready()) << m_object.Error(); }
    RaisingObject m_object;
};

} // namespace

TEST_F(CrossModuleExceptions, EachTypeTheFrameworkThrowsIsCaughtByItsTypeInTheObjectsLibrary)
{
    for (const RaisedKind& kind : kRaisedKinds) {
        VARIANT result;
        ::VariantInit(&result);
        EXCEPINFO info = {};
        ASSERT_EQ(S_OK, m_object.Call(L"CatchHere", kind.nKind, result, info)) << kind.pszClass;
        ASSERT_EQ(VT_BSTR, result.vt);
        EXPECT_EQ(CaughtHere(kind), std::wstring(result.bstrVal)) << kind.pszClass;
        ::VariantClear(&result);
    }
}

TEST_F(CrossModuleExceptions, EachTypeRaisedWhileTheBaseLibraryDrawsIsCaughtThere)
{
    for (const RaisedKind& kind : kRaisedKinds) {
        VARIANT result;
        ::VariantInit(&result);
        EXCEPINFO info = {};
        // An exception the base library let through would reach this call as DISP_E_EXCEPTION.
        ASSERT_EQ(S_OK, m_object.Call(L"DrawRefused", kind.nKind, result, info)) << kind.pszClass;
        ASSERT_EQ(VT_BOOL, result.vt);
        EXPECT_EQ(VARIANT_TRUE, result.boolVal) << kind.pszClass;
    }
}

TEST_F(CrossModuleExceptions, EachTypeEscapingAMemberReachesTheClientAsItsDispatchError)
{
    for (const RaisedKind& kind : kRaisedKinds) {
        VARIANT result;
        ::VariantInit(&result);
        EXCEPINFO info = {};
        ASSERT_EQ(DISP_E_EXCEPTION, m_object.Call(L"Raise", kind.nKind, result, info)) << kind.pszClass;
        EXPECT_EQ(kind.scode, info.scode) << kind.pszClass;
        EXPECT_EQ(kind.nKind == 4 ? modtest::kRaisedDispatchCode : 0, info.wCode) << kind.pszClass;
        EXPECT_EQ(std::wstring(kind.pszDescription), info.bstrDescription ? info.bstrDescription : L"")
            << kind.pszClass;
        ::SysFreeString(info.bstrDescription);
        ::SysFreeString(info.bstrSource);
        ::SysFreeString(info.bstrHelpFile);
    }
    // The object is still whole after them: a member that raises nothing answers.
    VARIANT result;
    ::VariantInit(&result);
    EXCEPINFO info = {};
    EXPECT_EQ(S_OK, m_object.Call(L"Raise", 99, result, info));
}

TEST_F(CrossModuleExceptions, AScriptSeesEachErrorAndTheObjectCatchingEachType)
{
    E2e::ScratchFolder folder;
    // The host exits 0 even when a script fails: the script ends with a code of its own.
    ASSERT_TRUE(E2e::WriteBytes(folder.Path(L"raise.vbs"),
        "Set o = CreateObject(\"QLNRaising.TextCtrl\")\r\n"
        "On Error Resume Next\r\n"
        "For k = 0 To 4\r\n"
        "  Err.Clear\r\n"
        "  o.Raise k\r\n"
        "  WScript.Echo k & \"|\" & Hex(Err.Number) & \"|\" & Err.Description & \"|\" & o.CatchHere(k) & \"|\" & o.DrawRefused(k)\r\n"
        "Next\r\n"
        "WScript.Quit(5)\r\n"));
    const E2e::ProcessResult r = E2e::Run(L"cscript.exe //nologo \"" + folder.Path(L"raise.vbs") + L"\"");
    EXPECT_EQ(5u, r.exitCode) << r.out << r.err;
    // The script engine turns the statuses it knows into its own error numbers and texts (out of
    // memory 7, access denied 46). Wine's reads the number from scode alone, so the automation
    // error, told by wCode, has the number 0 there; its description arrives.
    EXPECT_EQ("0|8000FFFF||CInvalidArgException CInvalidArgException|True\r\n"
              "1|7|Out of memory|CMemoryException CMemoryException|True\r\n"
              "2|8000FFFF||CUserException CUserException|True\r\n"
              "3|46|Permission denied|COleException COleException 80030005|True\r\n"
              "4|0|The object refused the value.|COleDispatchException COleDispatchException 1001 The object "
              "refused the value.|True\r\n",
              r.out);
}
