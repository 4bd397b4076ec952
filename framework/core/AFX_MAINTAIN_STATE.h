// Makes a module's state current for the length of a scope, and gives the previous one back on
// every way out of it. AFX_MANAGE_STATE(p) at the top of an entry point is the usual form.
#pragma once
#include "AFX_MODULE_STATE.h"

class AFX_MAINTAIN_STATE
{
public:
    explicit AFX_MAINTAIN_STATE(AFX_MODULE_STATE* pNewState) : m_pPrevState(AfxSetModuleState(pNewState)) {}
    ~AFX_MAINTAIN_STATE() { AfxSetModuleState(m_pPrevState); }

    AFX_MAINTAIN_STATE(const AFX_MAINTAIN_STATE&) = delete;
    AFX_MAINTAIN_STATE& operator=(const AFX_MAINTAIN_STATE&) = delete;

private:
    AFX_MODULE_STATE* m_pPrevState;
};

#define AFX_MANAGE_STATE(pState) AFX_MAINTAIN_STATE _afxModuleStateScope(pState)
