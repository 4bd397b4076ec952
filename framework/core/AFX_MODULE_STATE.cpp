#include "AFX_MODULE_STATE.h"

namespace {

// Null stands for the program's state, so a thread that never switched needs no set-up.
thread_local AFX_MODULE_STATE* t_pCurrentState = nullptr;

} // namespace

AFX_MODULE_STATE* AfxGetAppModuleState()
{
    static AFX_MODULE_STATE state(::GetModuleHandleW(nullptr));
    return &state;
}

AFX_MODULE_STATE* AfxGetModuleState()
{
    return t_pCurrentState != nullptr ? t_pCurrentState : AfxGetAppModuleState();
}

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pState)
{
    AFX_MODULE_STATE* const pPrevious = t_pCurrentState;
    t_pCurrentState = pState;
    return pPrevious;
}
