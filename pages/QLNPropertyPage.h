// A property page that keeps the sheet's Apply button in step with the user's changes: a change
// notification of one of its controls (see QLNChangeNotification.h) marks the page modified,
// unless the control's id was excluded with IgnoreApply; entering or leaving the page
// successfully clears the mark. Every page of the family has a Help button.
#pragma once
#include "QLNBaseExport.h"

#include "CDWordArray.h"
#include "CPropertyPage.h"

class QLN_BASE_API CQLNPropertyPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CQLNPropertyPage)
public:
    CQLNPropertyPage(UINT nIDTemplate, UINT nIDCaption);

    // Changes of control nID never mark the page modified; for controls that do not alter the
    // edited object. Usually called while the page initialises.
    void IgnoreApply(UINT nID);

    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    // Opens help topic dwContext over the page; a help-file locator that fails is reported to
    // the user in a message box.
    void OpenHelp(DWORD dwContext);

    CDWordArray m_arrIgnoreIDs;
};
