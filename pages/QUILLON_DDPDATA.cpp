#include "QUILLON_DDPDATA.h"

QUILLON_DDPDATA::QUILLON_DDPDATA(QUILLON_DDPSAVEPROC pfnSave, int nCtrlID, BOOL bEditCtrl, void* pMember,
                                 UINT vtType, LPCTSTR pszPropName)
    : m_pfnSave(pfnSave), m_nCtrlID(nCtrlID), m_bEditCtrl(bEditCtrl), m_pMember(pMember), m_vtType(vtType),
      m_pszPropName(pszPropName)
{
}

QUILLON_DDPDATA::~QUILLON_DDPDATA() = default;
