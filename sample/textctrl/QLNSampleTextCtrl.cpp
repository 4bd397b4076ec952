#include "QLNSampleTextCtrl.h"

#include "QLNSampleRes.h"

#include <new>

const CLSID CLSID_QLNSampleTextCtrl = {0x6f1e3a52, 0x9c41, 0x4d8b, {0xa7, 0xe2, 0x5b, 0x3c, 0x9d, 0x0f, 0x1a, 0x24}};

namespace {

// The report-object kind a host sees: a text object.
const long kTextObjectKind = QLN_CATEGORY_TEXT_OBJECTS;

} // namespace

CQLNSampleTextCtrl::CQLNSampleTextCtrl() : m_pDefaultText(nullptr)
{
}

CQLNSampleTextCtrl::~CQLNSampleTextCtrl()
{
    delete m_pDefaultText;
}

UINT CQLNSampleTextCtrl::GetTitleID()
{
    return IDS_SAMPLE_TITLE;
}

long CQLNSampleTextCtrl::GetReportObjectKind()
{
    return kTextObjectKind;
}

CQLNDefaultText* CQLNSampleTextCtrl::GetDefaultText()
{
    // Built on first use, so that it sees the RT precision the host has set by then.
    if (m_pDefaultText == nullptr) {
        UINT ids[SAMPLE_ITEM_COUNT];
        for (int i = 0; i < SAMPLE_ITEM_COUNT; ++i)
            ids[i] = IDS_SAMPLE_ITEM_FIRST + static_cast<UINT>(i);
        m_pDefaultText = new (std::nothrow) CQLNDefaultText(ids, SAMPLE_ITEM_COUNT);
    }
    return m_pDefaultText;
}
