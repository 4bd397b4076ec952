#include "QLNControlPropertySheet.h"

#include <cstring>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

// The control's property set as its own persistence writes it; null when it cannot be saved.
ComPtr<IStream> SaveState(IPersistStreamInit& persist)
{
    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) || FAILED(persist.Save(stream.Get(), FALSE)))
        return nullptr;
    return stream;
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
    ComPtr<IPersistStreamInit> persist;
    if (FAILED(m_ctrl.ExternalQueryInterface(IID_PPV_ARGS(&persist))))
        persist = nullptr;
    const BOOL bModified = m_ctrl.IsModified();
    const ComPtr<IStream> opened = persist != nullptr ? SaveState(*persist.Get()) : nullptr;

    const INT_PTR nResult = CPropertySheet::DoModal();

    if (nResult != IDOK && opened != nullptr) {
        // Loaded again only when something changed: a load gives the control new font objects.
        const ComPtr<IStream> now = SaveState(*persist.Get());
        if (now == nullptr || !SameBytes(*opened.Get(), *now.Get())) {
            const LARGE_INTEGER start = {};
            opened->Seek(start, STREAM_SEEK_SET, nullptr);
            persist->Load(opened.Get());
        }
        m_ctrl.SetModifiedFlag(bModified);
    }
    return nResult;
}
