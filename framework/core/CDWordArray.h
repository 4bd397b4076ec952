// Ordered list of 32-bit unsigned values.
#pragma once
#include "CArray.h"

class CDWordArray : public CArray<DWORD, DWORD>
{
};
