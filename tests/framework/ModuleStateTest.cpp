// A control belongs to the module that made it: its entry points and its window's messages run
// in that module's state, whoever calls, and the program's state is current again afterwards.
#include "AFX_MAINTAIN_STATE.h"
#include "COleControl.h"

#include <gtest/gtest.h>

namespace {

const UINT kRecordState = WM_APP + 1;

class CStateRecordingControl : public COleControl
{
public:
    AFX_MODULE_STATE* m_pDrawState = nullptr;
    AFX_MODULE_STATE* m_pMessageState = nullptr;

    void OnDraw(CDC*, const CRect&, const CRect&) override { m_pDrawState = AfxGetModuleState(); }
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

    IViewObject* pView = nullptr;
    ASSERT_EQ(S_OK, pControl->ExternalQueryInterface(IID_IViewObject, reinterpret_cast<void**>(&pView)));
    HDC hdc = ::CreateCompatibleDC(nullptr);
    const RECTL bounds = {0, 0, 50, 20};
    EXPECT_EQ(S_OK, pView->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, hdc, &bounds, nullptr, nullptr, 0));
    ::DeleteDC(hdc);
    pView->Release();
    EXPECT_EQ(&library, pControl->m_pDrawState);

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
