#include "CUserException.h"

IMPLEMENT_DYNAMIC(CUserException, CException)
