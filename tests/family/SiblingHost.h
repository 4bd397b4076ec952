// A sibling report object inside the system's ActiveX host window, a container nobody here
// wrote, whose properties verb shows the object's own sheet to a scripted user.
#pragma once
#include "AtlHostWindow.h"
#include "CQLNTextObjClient.h"
#include "HtmlHelpRecorderProbe.h"
#include "SampleObject.h"
#include "SampleRegistration.h"
#include "ScriptedUser.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qlntest {

// The sheet's Apply button.
const int kApplyId = 0x3021;

class SiblingHost : public ::testing::Test
{
protected:
    // The server's file, the object's ProgID and its sheet's caption.
    SiblingHost(const wchar_t* pszDll, const wchar_t* pszProgId, const wchar_t* pszCaption)
        : m_registration(pszDll, pszProgId), m_pszProgId(pszProgId), m_pszCaption(pszCaption)
    {
    }
    void SetUp() override
    {
        ASSERT_EQ(S_OK, m_registration.Result());
        std::wstring error;
        ASSERT_TRUE(m_host.Open(m_pszProgId, error)) << error;
        m_hFrame = m_host.Frame();
        m_hHost = m_host.Host();
        m_control = m_host.Control();
        ASSERT_TRUE(m_object.Attach(m_control.Get(), error)) << error;
        ASSERT_EQ(S_OK, m_control.As(&m_ole));
    }
    void TearDown() override
    {
        m_ole.Reset();
        m_control.Reset();
        m_host.Close();
    }

    HWND Page() const { return reinterpret_cast<HWND>(::SendMessageW(m_hSheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
    bool IsOnPage(int nPage) const
    {
        return ::SendMessageW(m_hSheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(Page()), 0) == nPage;
    }
    HWND Item(int nID) const { return ::GetDlgItem(Page(), nID); }

    // The properties verb, with the user's steps after the sheet has come up.
    void RunSheet(std::vector<ScriptedUser::Step> steps)
    {
        steps.insert(steps.begin(), ScriptedUser::Step("the object's sheet", [&] {
            m_hSheet = ::FindWindowW(L"#32770", m_pszCaption);
            return m_hSheet != nullptr && ::IsWindowVisible(m_hSheet) && Page() != nullptr;
        }));
        ScriptedUser user(std::move(steps), [&] { ::PostMessageW(m_hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });
        EXPECT_EQ(S_OK, m_ole->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, m_hFrame, nullptr));
        EXPECT_TRUE(user.Finished()) << "stopped after step " << user.StepsDone();
        EXPECT_FALSE(::IsWindow(m_hSheet)) << "the sheet is gone when the verb returns";
    }

    // Help pressed on the sheet, and whether the recording help control has been asked once more
    // since; each answer is noted in m_seen with its context.
    bool PressHelp()
    {
        m_nHelpCalls = HtmlHelpRecorderProbe::Calls();
        return PostClick(::GetDlgItem(m_hSheet, IDHELP)), true;
    }
    bool HelpAsked()
    {
        RecordedHelpCall call = {};
        if (HtmlHelpRecorderProbe::Calls(&call) != m_nHelpCalls + 1)
            return false;
        m_seen.push_back(L"help " + std::to_wstring(call.dwData));
        return true;
    }
    bool ApplyEnabled() const { return ::IsWindowEnabled(::GetDlgItem(m_hSheet, kApplyId)) != FALSE; }
    // Notes in m_seen where the keyboard is and whether Apply is enabled; true, to end a step.
    bool NotePlace()
    {
        m_seen.push_back(KeyboardPlace(m_hSheet) + (ApplyEnabled() ? L", apply 1" : L", apply 0"));
        return true;
    }
    // Puts the focus on control nID of the page on show, as a click or Tab would.
    void Focus(int nID) const
    {
        ::SendMessageW(Page(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(nID)), TRUE);
    }

    E2e::SampleRegistration m_registration;
    AtlHostWindow m_host;
    const wchar_t* m_pszProgId;
    const wchar_t* m_pszCaption;
    HWND m_hFrame = nullptr;
    HWND m_hHost = nullptr;
    HWND m_hSheet = nullptr;
    Microsoft::WRL::ComPtr<IUnknown> m_control;
    Microsoft::WRL::ComPtr<IOleObject> m_ole;
    CQLNTextObjClient m_object;
    // What the scripted user saw, step by step.
    std::vector<std::wstring> m_seen;
    int m_nHelpCalls = 0;
};

// The saved property set's line for a property ("Name=value"), or "" without one; fonts are read
// so, as the object saves them (the system's font object reports the font it realised).
inline std::wstring BagLine(CQLNTextObjClient& object, const char* pszName)
{
    const std::string bag = SampleObject::SaveBagText(object);
    const std::string name = std::string("\n") + pszName + "=";
    const size_t at = bag.find(name);
    if (at == std::string::npos)
        return std::wstring();
    const size_t end = bag.find_first_of("\r\n", at + 1);
    return std::wstring(bag.begin() + static_cast<long>(at + 1), bag.begin() + static_cast<long>(end));
}

} // namespace qlntest
