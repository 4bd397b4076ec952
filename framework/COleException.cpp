#include "COleException.h"

IMPLEMENT_DYNAMIC(COleException, CException)
