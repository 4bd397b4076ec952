// The text control in a container that saves only the objects that say they were modified, and
// closes them with "save if dirty": every way a user changes the control must reach it. The
// script is the system's own VBScript engine, run in this process with the control as a named
// item, as a form designer runs it.
#include "CQLNTextPropertyBag.h"
#include "TestTextCtrl.h"

#include <activscp.h>
#include <gtest/gtest.h>

#include <string>

namespace {

// A container's record of one embedded object: its client site and its advise sink in one.
// When the object asks to be saved, the container saves it into its own stream.
class RecordingSite : public IOleClientSite, public IAdviseSink
{
public:
    explicit RecordingSite(IUnknown* pObject) : m_pObject(pObject)
    {
        ::CreateStreamOnHGlobal(nullptr, TRUE, &m_pSaved);
    }
    ~RecordingSite() { m_pSaved->Release(); }

    std::string events;
    HRESULT hrSave = S_OK;   // what SaveObject answers
    IStream* Saved()
    {
        const LARGE_INTEGER zero = {};
        m_pSaved->Seek(zero, STREAM_SEEK_SET, nullptr);
        return m_pSaved;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppv) override
    {
        if (iid == IID_IUnknown || iid == IID_IOleClientSite)
            *ppv = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IAdviseSink)
            *ppv = static_cast<IAdviseSink*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE SaveObject() override
    {
        events += "SaveObject ";
        if (FAILED(hrSave))
            return hrSave;
        IPersistStreamInit* pPersist = nullptr;
        HRESULT hr = m_pObject->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&pPersist));
        if (SUCCEEDED(hr)) {
            hr = pPersist->Save(m_pSaved, TRUE);
            pPersist->Release();
        }
        return hr;
    }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** ppmk) override
    {
        *ppmk = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) override
    {
        *ppContainer = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override {}
    void STDMETHODCALLTYPE OnViewChange(DWORD, LONG) override {}
    void STDMETHODCALLTYPE OnRename(IMoniker*) override {}
    void STDMETHODCALLTYPE OnSave() override { events += "OnSave "; }
    void STDMETHODCALLTYPE OnClose() override { events += "OnClose "; }

private:
    IUnknown* m_pObject;
    IStream* m_pSaved = nullptr;
};

// Runs VBScript with one named item, "c"; what the engine reports as an error is kept.
class ScriptHost : public IActiveScriptSite
{
public:
    explicit ScriptHost(IDispatch* pItem) : m_pItem(pItem) {}

    std::wstring error;
    HRESULT Run(const wchar_t* code)
    {
        CLSID clsid;
        HRESULT hr = ::CLSIDFromProgID(L"VBScript", &clsid);
        IActiveScript* pScript = nullptr;
        if (SUCCEEDED(hr))
            hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IActiveScript),
                                    reinterpret_cast<void**>(&pScript));
        if (FAILED(hr))
            return hr;
        IActiveScriptParse* pParse = nullptr;
        hr = pScript->QueryInterface(__uuidof(IActiveScriptParse), reinterpret_cast<void**>(&pParse));
        if (SUCCEEDED(hr))
            hr = pScript->SetScriptSite(this);
        if (SUCCEEDED(hr))
            hr = pParse->InitNew();
        if (SUCCEEDED(hr))
            hr = pScript->AddNamedItem(L"c", SCRIPTITEM_ISVISIBLE);
        if (SUCCEEDED(hr))
            hr = pParse->ParseScriptText(code, nullptr, nullptr, nullptr, 0, 0, 0, nullptr, nullptr);
        if (SUCCEEDED(hr))
            hr = pScript->SetScriptState(SCRIPTSTATE_CONNECTED);
        pScript->Close();
        if (pParse != nullptr)
            pParse->Release();
        pScript->Release();
        return hr;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppv) override
    {
        if (iid == IID_IUnknown || iid == __uuidof(IActiveScriptSite)) {
            *ppv = static_cast<IActiveScriptSite*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetLCID(LCID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetItemInfo(LPCOLESTR pstrName, DWORD dwReturnMask, IUnknown** ppunkItem,
                                          ITypeInfo** ppti) override
    {
        if (ppti != nullptr)
            *ppti = nullptr;
        if (ppunkItem != nullptr)
            *ppunkItem = nullptr;
        if (_wcsicmp(pstrName, L"c") != 0)
            return TYPE_E_ELEMENTNOTFOUND;
        if ((dwReturnMask & SCRIPTINFO_IUNKNOWN) != 0 && ppunkItem != nullptr) {
            m_pItem->AddRef();
            *ppunkItem = m_pItem;
        }
        return (dwReturnMask & SCRIPTINFO_ITYPEINFO) != 0 ? E_NOTIMPL : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDocVersionString(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnStateChange(SCRIPTSTATE) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnScriptError(IActiveScriptError* pError) override
    {
        EXCEPINFO info = {};
        pError->GetExceptionInfo(&info);
        error = info.bstrDescription != nullptr ? info.bstrDescription : L"script error";
        ::SysFreeString(info.bstrSource);
        ::SysFreeString(info.bstrDescription);
        ::SysFreeString(info.bstrHelpFile);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnEnterScript() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnLeaveScript() override { return S_OK; }

private:
    IDispatch* m_pItem;
};

template <class I>
I* Query(CCmdTarget& target, REFIID iid)
{
    I* p = nullptr;
    target.ExternalQueryInterface(iid, reinterpret_cast<void**>(&p));
    target.ExternalRelease();   // the control lives on the stack: borrowed, not counted
    return p;
}

HRESULT IsDirty(TestTextCtrl& ctrl)
{
    return Query<IPersistStreamInit>(ctrl, IID_IPersistStreamInit)->IsDirty();
}

// The saved size of the prompt font, as the readable bag writes it: the font object itself
// answers the size of the font it realised.
std::string SavedPromptFontSize(TestTextCtrl& ctrl)
{
    CQLNTextPropertyBag bag;
    if (FAILED(Query<IPersistPropertyBag>(ctrl, IID_IPersistPropertyBag)->Save(&bag, FALSE, TRUE)))
        return std::string();
    const std::string text = bag.SaveText();
    const size_t at = text.find("PromptFont.Size=");
    return at == std::string::npos ? std::string() : text.substr(at, text.find('\r', at) - at);
}

} // namespace

TEST(TextCtrlContainer, CloseSavesAModifiedControlThroughItsSite)
{
    const struct
    {
        bool modify;
        DWORD option;
        HRESULT hrSave;
        HRESULT hrClose;
        const char* events;
        HRESULT dirtyAfter;
        const char* why;
    } rows[] = {
        {false, OLECLOSE_SAVEIFDIRTY, S_OK, S_OK, "OnClose ", S_FALSE, "nothing changed, nothing to save"},
        {true, OLECLOSE_SAVEIFDIRTY, S_OK, S_OK, "SaveObject OnSave OnClose ", S_FALSE, "the change is saved"},
        {true, OLECLOSE_PROMPTSAVE, S_OK, S_OK, "SaveObject OnSave OnClose ", S_FALSE, "no one to ask: saved"},
        {true, OLECLOSE_NOSAVE, S_OK, S_OK, "OnClose ", S_OK, "the container drops the change"},
        {true, OLECLOSE_SAVEIFDIRTY, STG_E_MEDIUMFULL, STG_E_MEDIUMFULL, "SaveObject ", S_OK,
         "a save that failed keeps the control open and modified"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        TestTextCtrl ctrl;
        RecordingSite site(ctrl.GetIDispatch(FALSE));
        ASSERT_EQ(S_OK, ctrl.InitNew());
        IOleObject* pOle = Query<IOleObject>(ctrl, IID_IOleObject);
        ASSERT_EQ(S_OK, pOle->SetClientSite(&site));
        DWORD dwConnection = 0;
        ASSERT_EQ(S_OK, pOle->Advise(&site, &dwConnection));
        if (row.modify)
            ctrl.SetTitle(L"Changed before closing");
        site.hrSave = row.hrSave;
        EXPECT_EQ(row.hrClose, pOle->Close(row.option));
        EXPECT_EQ(row.events, site.events);
        EXPECT_EQ(row.dirtyAfter, IsDirty(ctrl));
        if (site.events.find("OnSave") != std::string::npos) {
            TestTextCtrl reloaded;
            ASSERT_EQ(S_OK, Query<IPersistStreamInit>(reloaded, IID_IPersistStreamInit)->Load(site.Saved()));
            BSTR title = reloaded.GetTitle();
            EXPECT_STREQ(L"Changed before closing", title);
            ::SysFreeString(title);
        }
        pOle->SetClientSite(nullptr);
    }
}

TEST(TextCtrlContainer, SizeMaxIsTheSizeSaved)
{
    TestTextCtrl ctrl;
    ASSERT_EQ(S_OK, ctrl.InitNew());
    ctrl.SetTextFields(CString(L'x', 5000));
    IPersistStreamInit* pPersist = Query<IPersistStreamInit>(ctrl, IID_IPersistStreamInit);
    ULARGE_INTEGER sizeMax = {};
    ASSERT_EQ(S_OK, pPersist->GetSizeMax(&sizeMax));
    EXPECT_EQ(S_OK, pPersist->IsDirty()) << "asking the size saves nothing";
    IStream* pStm = nullptr;
    ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, &pStm));
    ASSERT_EQ(S_OK, pPersist->Save(pStm, TRUE));
    ULARGE_INTEGER written = {};
    const LARGE_INTEGER zero = {};
    pStm->Seek(zero, STREAM_SEEK_CUR, &written);
    pStm->Release();
    EXPECT_GT(sizeMax.QuadPart, 10000u) << "5000 characters of text";
    EXPECT_EQ(written.QuadPart, sizeMax.QuadPart);
}

TEST(TextCtrlContainer, AScriptChangingAFontObjectIsSavedByAContainerOfModifiedObjects)
{
    TestTextCtrl ctrl;
    ASSERT_EQ(S_OK, ctrl.InitNew());
    IPersistStreamInit* pPersist = Query<IPersistStreamInit>(ctrl, IID_IPersistStreamInit);

    // Drawing, as the container does before anyone edits, changes nothing of the control.
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HBITMAP hbm = ::CreateCompatibleBitmap(::GetDC(nullptr), 300, 200);
    HGDIOBJ hOld = ::SelectObject(hdc, hbm);
    const RECTL bounds = {0, 0, 300, 200};
    EXPECT_EQ(S_OK, Query<IViewObject>(ctrl, IID_IViewObject)
                        ->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, hdc, &bounds, nullptr, nullptr, 0));
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hbm);
    ::DeleteDC(hdc);
    ASSERT_EQ(S_FALSE, pPersist->IsDirty());

    ScriptHost script(ctrl.GetIDispatch(FALSE));
    ASSERT_EQ(S_OK, script.Run(L"c.PromptFont.Size = 12\r\n")) << std::string(script.error.begin(), script.error.end());
    EXPECT_TRUE(script.error.empty());
    ASSERT_EQ(S_OK, pPersist->IsDirty()) << "the change went to the font object, not through the control";

    IStream* pStm = nullptr;
    ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, &pStm));
    ASSERT_EQ(S_OK, pPersist->Save(pStm, TRUE));
    const LARGE_INTEGER zero = {};
    pStm->Seek(zero, STREAM_SEEK_SET, nullptr);
    TestTextCtrl reloaded;
    ASSERT_EQ(S_OK, Query<IPersistStreamInit>(reloaded, IID_IPersistStreamInit)->Load(pStm));
    pStm->Release();
    EXPECT_EQ("PromptFont.Size=12.0000", SavedPromptFontSize(reloaded));
}
