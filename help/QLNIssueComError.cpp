#include "QLNIssueComError.h"

#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

void QLNIssueComError(HRESULT hr, IUnknown* pObject, REFIID riid)
{
    // The thread's error information is only trusted when the failing object vouches for it on
    // this interface; otherwise it may be left over from some earlier, unrelated call.
    IErrorInfo* pErrorInfo = nullptr;
    ComPtr<ISupportErrorInfo> support;
    if (pObject != nullptr
        && SUCCEEDED(pObject->QueryInterface(IID_ISupportErrorInfo,
                                             reinterpret_cast<void**>(support.GetAddressOf())))
        && support->InterfaceSupportsErrorInfo(riid) == S_OK) {
        if (::GetErrorInfo(0, &pErrorInfo) != S_OK)
            pErrorInfo = nullptr;
    }
    // The exception takes over the reference that GetErrorInfo handed us.
    throw _com_error(hr, pErrorInfo);
}
