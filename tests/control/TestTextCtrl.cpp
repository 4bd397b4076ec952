#include "TestTextCtrl.h"

#include "control_tests_res.h"

namespace {

const UINT kItemIds[] = {IDS_TEST_HEADING, IDS_TEST_SAMPLE_NAME, IDS_TEST_AMOUNT};

} // namespace

TestTextCtrl::TestTextCtrl() : m_catalogue(kItemIds, 3)
{
}

UINT TestTextCtrl::GetTitleID() { return IDS_TEST_TITLE; }
long TestTextCtrl::GetReportObjectKind() { return 0; }
CQLNDefaultText* TestTextCtrl::GetDefaultText() { return &m_catalogue; }

HRESULT TestTextCtrl::InitNew()
{
    IPersistStreamInit* pPersist = nullptr;
    HRESULT hr = ExternalQueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&pPersist));
    if (SUCCEEDED(hr)) {
        hr = pPersist->InitNew();
        pPersist->Release();
    }
    return hr;
}
