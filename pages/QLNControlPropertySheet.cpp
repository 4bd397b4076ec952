#include "QLNControlPropertySheet.h"

#include <cstring>

namespace {

// The control's property set as its own persistence writes it; null when it cannot be saved.
IStream* SaveState(IPersistStreamInit& persist)
{
    IStream* pStream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &pStream)))
        return nullptr;
    if (FAILED(persist.Save(pStream, FALSE))) {
        pStream->Release();
        return nullptr;
    }
    return pStream;
}

// Whether two memory streams hold the same bytes.
bool SameBytes(IStream& a, IStream& b)
{
    STATSTG statA = {};
    STATSTG statB = {};
    HGLOBAL hA = nullptr;
    HGLOBAL hB = nullptr;
    if (FAILED(a.Stat(&statA, STATFLAG_NONAME)) || FAILED(b.Stat(&statB, STATFLAG_NONAME)) ||
        statA.cbSize.QuadPart != statB.cbSize.QuadPart || FAILED(::GetHGlobalFromStream(&a, &hA)) ||
        FAILED(::GetHGlobalFromStream(&b, &hB)))
        return false;
    const void* pA = ::GlobalLock(hA);
    const void* pB = ::GlobalLock(hB);
    const bool bSame = pA != nullptr && pB != nullptr &&
                       std::memcmp(pA, pB, static_cast<size_t>(statA.cbSize.QuadPart)) == 0;
    ::GlobalUnlock(hA);
    ::GlobalUnlock(hB);
    return bSame;
}

} // namespace

IMPLEMENT_DYNAMIC(CQLNControlPropertySheet, CPropertySheet)

CQLNControlPropertySheet::CQLNControlPropertySheet(COleControl& ctrl, UINT nIDCaption)
    : CPropertySheet(nIDCaption, nullptr, 0), m_ctrl(ctrl)
{
    m_psh.dwFlags |= PSH_HASHELP;
}

CQLNControlPropertySheet::~CQLNControlPropertySheet() = default;

INT_PTR CQLNControlPropertySheet::DoModal()
{
    IPersistStreamInit* pPersist = nullptr;
    if (FAILED(m_ctrl.ExternalQueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&pPersist))))
        pPersist = nullptr;
    const BOOL bModified = m_ctrl.IsModified();
    IStream* pOpened = pPersist != nullptr ? SaveState(*pPersist) : nullptr;

    const INT_PTR nResult = CPropertySheet::DoModal();

    if (nResult != IDOK && pOpened != nullptr) {
        // Loaded again only when something changed: a load gives the control new font objects.
        IStream* pNow = SaveState(*pPersist);
        if (pNow == nullptr || !SameBytes(*pOpened, *pNow)) {
            const LARGE_INTEGER start = {};
            pOpened->Seek(start, STREAM_SEEK_SET, nullptr);
            pPersist->Load(pOpened);
        }
        if (pNow != nullptr)
            pNow->Release();
        m_ctrl.SetModifiedFlag(bModified);
    }
    if (pOpened != nullptr)
        pOpened->Release();
    if (pPersist != nullptr)
        pPersist->Release();
    return nResult;
}
