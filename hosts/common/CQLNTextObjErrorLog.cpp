#include "CQLNTextObjErrorLog.h"

std::wstring CQLNTextObjErrorLog::Text() const
{
    std::wstring text;
    for (const std::wstring& e : m_errors)
        text += (text.empty() ? L"" : L"; ") + e;
    return text;
}

HRESULT CQLNTextObjErrorLog::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IErrorLog) {
        *ppv = static_cast<IErrorLog*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT CQLNTextObjErrorLog::AddError(LPCOLESTR pszPropName, EXCEPINFO* pExcepInfo)
{
    if (pExcepInfo != nullptr && pExcepInfo->bstrDescription != nullptr &&
        ::SysStringLen(pExcepInfo->bstrDescription) != 0)
        m_errors.emplace_back(pExcepInfo->bstrDescription);
    else
        m_errors.push_back(std::wstring(pszPropName != nullptr ? pszPropName : L"a property") + L": bad value");
    return S_OK;
}
