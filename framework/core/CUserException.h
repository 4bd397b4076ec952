// An operation the user has already been told about (for instance by a message box) stops.
#pragma once
#include "CException.h"

class AFX_CORE_API CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)
};

[[noreturn]] AFX_CORE_API void AfxThrowUserException();
