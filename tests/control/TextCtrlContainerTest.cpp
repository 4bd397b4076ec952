// The text control in a container that saves only the objects that say they were modified, and
// closes them with "save if dirty".
#include "TestTextCtrl.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A container's record of one embedded object, its client site and advise sink in one: when the
// object asks to be saved, the container saves it into a stream of its own.
class RecordingSite : public IOleClientSite, public IAdviseSink
{
public:
    explicit RecordingSite(IPersistStreamInit* pObject) : m_pObject(pObject) { ::CreateStreamOnHGlobal(nullptr, TRUE, &m_pSaved); }
    ~RecordingSite() { m_pSaved->Release(); }

    std::string events;
    HRESULT hrSave = S_OK;   // what SaveObject answers

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppv) override
    {
        *ppv = iid == IID_IAdviseSink ? static_cast<void*>(static_cast<IAdviseSink*>(this))
             : iid == IID_IUnknown || iid == IID_IOleClientSite ? static_cast<IOleClientSite*>(this) : nullptr;
        return *ppv != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }   // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SaveObject() override
    {
        events += "SaveObject ";
        return FAILED(hrSave) ? hrSave : m_pObject->Save(m_pSaved, TRUE);
    }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** ppmk) override { *ppmk = nullptr; return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** pp) override { *pp = nullptr; return E_NOINTERFACE; }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override {}
    void STDMETHODCALLTYPE OnViewChange(DWORD, LONG) override {}
    void STDMETHODCALLTYPE OnRename(IMoniker*) override {}
    void STDMETHODCALLTYPE OnSave() override { events += "OnSave "; }
    void STDMETHODCALLTYPE OnClose() override { events += "OnClose "; }

private:
    IPersistStreamInit* m_pObject;
    IStream* m_pSaved = nullptr;
};

// An interface of a control on the stack: borrowed, not counted.
template <class I>
I* Query(CCmdTarget& target)
{
    I* p = nullptr;
    target.ExternalQueryInterface(__uuidof(I), reinterpret_cast<void**>(&p));
    target.ExternalRelease();
    return p;
}

} // namespace

TEST(TextCtrlContainer, CloseSavesAModifiedControlThroughItsSite)
{
    const struct
    {
        bool modify;
        DWORD option;
        HRESULT hrSave;
        const char* events;
        HRESULT dirtyAfter;
        const char* why;
    } rows[] = {
        {false, OLECLOSE_SAVEIFDIRTY, S_OK, "OnClose ", S_FALSE, "nothing changed, nothing to save"},
        {true, OLECLOSE_SAVEIFDIRTY, S_OK, "SaveObject OnSave OnClose ", S_FALSE, "the change is saved"},
        {true, OLECLOSE_PROMPTSAVE, S_OK, "SaveObject OnSave OnClose ", S_FALSE, "no one to ask: saved"},
        {true, OLECLOSE_NOSAVE, S_OK, "OnClose ", S_OK, "the container drops the change"},
        {true, OLECLOSE_SAVEIFDIRTY, STG_E_MEDIUMFULL, "SaveObject ", S_OK, "a failed save: still open, modified"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        TestTextCtrl ctrl;
        ASSERT_EQ(S_OK, ctrl.InitNew());
        IPersistStreamInit* pPersist = Query<IPersistStreamInit>(ctrl);
        IOleObject* pOle = Query<IOleObject>(ctrl);
        RecordingSite site(pPersist);
        DWORD dwConnection = 0;
        ASSERT_EQ(S_OK, pOle->SetClientSite(&site));
        ASSERT_EQ(S_OK, pOle->Advise(&site, &dwConnection));
        if (row.modify)
            ctrl.SetTitle(L"Changed before closing");
        site.hrSave = row.hrSave;
        EXPECT_EQ(row.hrSave, pOle->Close(row.option));
        EXPECT_EQ(row.events, site.events);
        EXPECT_EQ(row.dirtyAfter, pPersist->IsDirty());
        pOle->SetClientSite(nullptr);
    }
}

TEST(TextCtrlContainer, SizeMaxIsTheSizeSaved)
{
    TestTextCtrl ctrl;
    ASSERT_EQ(S_OK, ctrl.InitNew());
    ctrl.SetTextFields(CString(L'x', 5000));
    IPersistStreamInit* pPersist = Query<IPersistStreamInit>(ctrl);
    ULARGE_INTEGER sizeMax = {}, written = {};
    ASSERT_EQ(S_OK, pPersist->GetSizeMax(&sizeMax));
    EXPECT_EQ(S_OK, pPersist->IsDirty()) << "asking the size saves nothing";
    IStream* pStm = nullptr;
    ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, &pStm));
    ASSERT_EQ(S_OK, pPersist->Save(pStm, TRUE));
    const LARGE_INTEGER zero = {};
    pStm->Seek(zero, STREAM_SEEK_CUR, &written);
    pStm->Release();
    EXPECT_GT(sizeMax.QuadPart, 10000u) << "5000 characters of text";
    EXPECT_EQ(written.QuadPart, sizeMax.QuadPart);
}
