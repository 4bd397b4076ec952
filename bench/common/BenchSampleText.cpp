#include "BenchSampleText.h"

#include "E2eSupport.h"

#include <cstdio>

BenchSampleText::BenchSampleText(const wchar_t* pszProgram)
{
    std::wstring error;
    if (FAILED(m_ole.hr))
        error = L"(OLE did not start)";
    else if (m_registration.Result() != S_OK)
        error = L"(it could not be registered)";
    else
        m_bStarted = m_control.Create(E2e::kProgId, error) && m_control.InitNew(error);
    if (!m_bStarted)
        std::fwprintf(stderr, L"%ls: cannot start the sample text object %ls\n", pszProgram, error.c_str());
}
