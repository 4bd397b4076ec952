#include "COleException.h"

IMPLEMENT_DYNAMIC(COleException, CException)

void AfxThrowOleException(SCODE sc)
{
    throw COleException(sc);
}
