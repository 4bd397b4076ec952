#include "AfxGuardEntry.h"

#include "CMemoryException.h"
#include "COleDispatchException.h"
#include "COleException.h"

#include <new>
#include <stdexcept>

namespace {

// Rethrows what is being handled and sorts it; pExcepInfo, when given, receives the
// description of an automation error.
HRESULT Classify(EXCEPINFO* pExcepInfo) noexcept
{
    try {
        throw;
    } catch (const COleDispatchException& e) {
        const SCODE sc = e.m_wCode != 0 ? 0 : (e.m_scError != 0 ? e.m_scError : E_UNEXPECTED);
        if (pExcepInfo != nullptr) {
            try {
                pExcepInfo->wCode = e.m_wCode;
                pExcepInfo->scode = sc;
                pExcepInfo->bstrDescription = e.m_strDescription.AllocSysString();
                pExcepInfo->bstrSource = e.m_strSource.IsEmpty() ? nullptr : e.m_strSource.AllocSysString();
                pExcepInfo->bstrHelpFile = e.m_strHelpFile.IsEmpty() ? nullptr : e.m_strHelpFile.AllocSysString();
                pExcepInfo->dwHelpContext = e.m_dwHelpContext;
            } catch (...) {
                // The description could not be copied: the code alone still says what failed.
            }
        }
        return FAILED(sc) ? sc : E_FAIL;
    } catch (const COleException& e) {
        return FAILED(e.m_sc) ? e.m_sc : E_FAIL;
    } catch (const CMemoryException&) {
        return E_OUTOFMEMORY;
    } catch (const CException&) {
        return E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::length_error&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

} // namespace

HRESULT AfxHResultFromCaught() noexcept
{
    return Classify(nullptr);
}

HRESULT AfxDispatchResultFromCaught(EXCEPINFO* pExcepInfo) noexcept
{
    if (pExcepInfo != nullptr)
        *pExcepInfo = EXCEPINFO();
    const HRESULT hr = Classify(pExcepInfo);
    if (pExcepInfo != nullptr && pExcepInfo->wCode == 0 && pExcepInfo->scode == 0)
        pExcepInfo->scode = hr == E_FAIL ? E_UNEXPECTED : hr;
    return DISP_E_EXCEPTION;
}
