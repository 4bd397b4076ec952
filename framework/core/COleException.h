// A failed OLE or COM call, carrying its status code.
#pragma once
#include "CException.h"

class AFX_CORE_API COleException : public CException
{
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = 0) : m_sc(sc) {}
    SCODE m_sc;
};

[[noreturn]] AFX_CORE_API void AfxThrowOleException(SCODE sc);
