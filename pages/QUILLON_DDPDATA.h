// One pending write of a named-property page: which value goes to which property, and how.
// The page registers one while it reads its dialog back and runs them all once the dialog's
// own exchange has filled the members (see QLNOlePropertyPage.h).
#pragma once
#include "QLNBaseExport.h"

#include "CDataExchange.h"
#include "CObject.h"

// Writes the member at pMember to property pszPropName of the page that pDX exchanges, when
// pDX is saving; nIDC is the dialog control that shows the value.
typedef void (*QUILLON_DDPSAVEPROC)(CDataExchange* pDX, int nIDC, void* pMember, LPCTSTR pszPropName);

struct QLN_BASE_API QUILLON_DDPDATA : public CObject
{
    QUILLON_DDPDATA(QUILLON_DDPSAVEPROC pfnSave, int nCtrlID, BOOL bEditCtrl, void* pMember, UINT vtType,
                    LPCTSTR pszPropName);
    ~QUILLON_DDPDATA() override;

    QUILLON_DDPSAVEPROC m_pfnSave;
    int m_nCtrlID;
    // An edit-like control, whose text is selected when the write fails.
    BOOL m_bEditCtrl;
    // The page's member; not owned.
    void* m_pMember;
    // The VARTYPE of the member's kind: the write runs only for the numeric and string kinds.
    UINT m_vtType;
    // Not copied: the caller's string (a literal) must outlive the record.
    LPCTSTR m_pszPropName;
};
