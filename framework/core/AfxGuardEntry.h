// The one place where exceptions stop at the COM boundary.
//
// Every method that a client calls through an interface (a control's persistence, drawing and
// verbs, a class factory, a dispatch interface) runs its work through AfxGuardEntry, so that no
// exception of any kind, the framework's own or the standard library's (an allocation that
// failed deep in a container), reaches a caller that cannot catch it.
#pragma once
#include "Afx.h"

#include <oaidl.h>

// The status code for the exception being handled; call it only inside a catch block.
// COleException and COleDispatchException give their own code, running out of memory
// E_OUTOFMEMORY, any other framework exception E_FAIL, anything else E_UNEXPECTED.
AFX_CORE_API HRESULT AfxHResultFromCaught() noexcept;
// The same for a dispatch interface: DISP_E_EXCEPTION, with pExcepInfo (when not null) filled
// from a COleDispatchException's description, or holding the status code alone.
AFX_CORE_API HRESULT AfxDispatchResultFromCaught(EXCEPINFO* pExcepInfo) noexcept;

template <typename F>
HRESULT AfxGuardEntry(F&& f) noexcept
{
    try {
        return f();
    } catch (...) {
        return AfxHResultFromCaught();
    }
}
