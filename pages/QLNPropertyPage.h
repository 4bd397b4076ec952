// A property page that keeps the sheet's Apply button in step with the user's changes: a change
// notification of one of its controls (see QLNChangeNotification.h) marks the page modified,
// unless the control's id was excluded with IgnoreApply; entering or leaving the page
// successfully clears the mark. Every page of the family has a Help button.
//
// The page also remembers which controls the user changed (excluded ones too), until it has
// read its controls back successfully or reloaded them, so that a page writes back only what
// the user changed. What the page does to its own controls is no change (CDialog::FillingControls),
// nor is a click (or Space, or a mnemonic) on a radio button that was checked already.
#pragma once
#include "QLNBaseExport.h"

#include "CDWordArray.h"
#include "CPropertyPage.h"

#include <set>

class QLN_BASE_API CQLNPropertyPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CQLNPropertyPage)
public:
    CQLNPropertyPage(UINT nIDTemplate, UINT nIDCaption);

    // Changes of control nID never mark the page modified; for controls that do not alter the
    // edited object. Usually called while the page initialises.
    void IgnoreApply(UINT nID);

    // Whether the user changed control nID since the page was last entered or left.
    BOOL IsControlChanged(UINT nID) const;

    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    CDWordArray m_arrIgnoreIDs;

private:
    // Whether a notification is a click on a radio button that was checked before it.
    BOOL IsClickOnCheckedRadio(HWND hWndSender, UINT nCode) const;
    // Notes which of the page's radio buttons are checked, as the user now sees them.
    void NoteRadioChecks();

    std::set<UINT> m_changedIDs;
    std::set<HWND> m_checkedRadios;
};
