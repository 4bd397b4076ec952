// A control belongs to the module that made it: its window's messages run in that module's state,
// whoever sends them, and the program's state is current again afterwards. Its COM entry points
// (drawing, object counts) are the server modules' and report libraries' tests.
#include "AFX_MAINTAIN_STATE.h"
#include "COleControl.h"

#include <gtest/gtest.h>

namespace {

const UINT kRecordState = WM_APP + 1;

class CStateRecordingControl : public COleControl
{
public:
    AFX_MODULE_STATE* m_pMessageState = nullptr;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kRecordState)
            m_pMessageState = AfxGetModuleState();
        return COleControl::WindowProc(message, wParam, lParam);
    }
};

} // namespace

TEST(ModuleState, AControlRunsInTheStateOfTheModuleThatMadeIt)
{
    // A library's state, as its class factory would make current while creating the control.
    AFX_MODULE_STATE library(::GetModuleHandleW(nullptr));
    CStateRecordingControl* pControl = nullptr;
    {
        AFX_MANAGE_STATE(&library);
        pControl = new CStateRecordingControl;
    }
    ASSERT_EQ(AfxGetAppModuleState(), AfxGetModuleState());
    EXPECT_EQ(1, library.m_nObjectCount) << "a live control keeps its module loaded";

    CWnd container;
    ASSERT_TRUE(container.CreateEx(0, AfxRegisterWndClass(0), L"container", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    ASSERT_TRUE(pControl->CreateControlWindow(container.m_hWnd, CRect(0, 0, 50, 20)));
    ::SendMessageW(pControl->m_hWnd, kRecordState, 0, 0);
    EXPECT_EQ(&library, pControl->m_pMessageState);
    EXPECT_EQ(AfxGetAppModuleState(), AfxGetModuleState());

    container.DestroyWindow();
    pControl->ExternalRelease();
    EXPECT_EQ(0, library.m_nObjectCount);
}
