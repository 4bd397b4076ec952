// A user at the keyboard while a modal loop runs: steps run one after the other from a timer
// on the test's own thread. A step posts its input (so that no step waits inside a nested
// modal loop) and returns true, or returns false until what it waits for is on screen.
//
// A watchdog on a thread of its own ends the whole test program, saying at which step, when
// X: a hang fails at once instead
// of stalling the run until its time-out.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace qlntest {

class ScriptedUser
{
public:
    using Step = std::function<bool()>;

    // onStall ends the modal loops when the steps do not finish within about ten seconds (or
    // nStallTicks timer ticks of 30 ms, for a long session).
    ScriptedUser(std::vector<Step> steps, std::function<void()> onStall, int nStallTicks = 350)
        : m_steps(std::move(steps)), m_onStall(std::move(onStall)), m_nStallTicks(nStallTicks),
          m_timer(::SetTimer(nullptr, 0, 30, &Tick)),
          m_hStop(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          m_hWatchdog(::CreateThread(nullptr, 0, &Watch, this, 0, nullptr))
    {
        s_pCurrent = this;
    }
    ~ScriptedUser()
    {
        ::SetEvent(m_hStop);
        ::WaitForSingleObject(m_hWatchdog, INFINITE);
        ::CloseHandle(m_hWatchdog);
        ::CloseHandle(m_hStop);
        ::KillTimer(nullptr, m_timer);
        s_pCurrent = nullptr;
    }
    bool Finished() const { return m_next == m_steps.size(); }
    size_t StepsDone() const { return m_next; }

    ScriptedUser(const ScriptedUser&) = delete;
    ScriptedUser& operator=(const ScriptedUser&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        ScriptedUser* p = s_pCurrent;
        if (p != nullptr)
            ++p->m_alive;
        if (p == nullptr || p->m_busy)
            return;
        p->m_busy = true;
        if (p->m_next < p->m_steps.size() && p->m_steps[p->m_next]())
            ++p->m_next;
        if (++p->m_ticks == p->m_nStallTicks && !p->Finished() && p->m_onStall)
            p->m_onStall();
        p->m_busy = false;
    }

    static DWORD WINAPI Watch(LPVOID pParam)
    {
        ScriptedUser* p = static_cast<ScriptedUser*>(pParam);
        int nSeen = -1, nStill = 0;
        while (::WaitForSingleObject(p->m_hStop, 250) == WAIT_TIMEOUT) {
            const int nTicks = p->m_alive.load();
            nStill = nTicks == nSeen ? nStill + 1 : 0;
            nSeen = nTicks;
            if (nStill == 40) {
                std::fprintf(stderr, "FAILED: the user interface stopped answering at step %u (of %u)\n",
                             static_cast<unsigned>(p->m_next.load()), static_cast<unsigned>(p->m_steps.size()));
                std::fflush(stderr);
                ::TerminateProcess(::GetCurrentProcess(), 3);
            }
        }
        return 0;
    }

    static inline ScriptedUser* s_pCurrent = nullptr;
    std::vector<Step> m_steps;
    std::function<void()> m_onStall;
    int m_nStallTicks;
    UINT_PTR m_timer;
    HANDLE m_hStop;
    HANDLE m_hWatchdog;
    std::atomic<size_t> m_next{0};
    int m_ticks = 0;
    // Timer ticks, also those that arrive while a step runs a nested loop.
    std::atomic<int> m_alive{0};
    bool m_busy = false;
};

// Once ready, the acts in turn, each a few timer ticks after the one before so that what that
// posted has been handled; an act that returns false (what it waits for is not there yet) is
// tried again at the next tick.
inline std::vector<ScriptedUser::Step> Settled(ScriptedUser::Step ready, std::vector<ScriptedUser::Step> acts)
{
    std::vector<ScriptedUser::Step> steps = {std::move(ready)};
    for (auto& act : acts)
        steps.insert(steps.end(), {[n = 0]() mutable { return ++n == 4; }, act});
    return steps;
}

inline std::wstring TextOf(HWND hWnd)
{
    wchar_t sz[512] = {};
    ::GetWindowTextW(hWnd, sz, 512);
    return sz;
}

// Typing over the whole text of an edit control.
inline void PostTyping(HWND hEdit, const std::wstring& text)
{
    ::PostMessageW(hEdit, EM_SETSEL, 0, -1);
    for (wchar_t ch : text)
        ::PostMessageW(hEdit, WM_CHAR, ch, 1);
}

inline void PostClick(HWND hButton)
{
    ::PostMessageW(hButton, BM_CLICK, 0, 0);
}

// A left click at a point of the window's client area.
inline void PostClickAt(HWND hWnd, POINT pt)
{
    ::PostMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ::PostMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

// A click on tab nPage of a property sheet; true, to end a step.
inline bool PostTabClick(HWND hSheet, int nPage)
{
    const HWND hTab = reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETTABCONTROL, 0, 0));
    RECT rc = {};
    ::SendMessageW(hTab, TCM_GETITEMRECT, nPage, reinterpret_cast<LPARAM>(&rc));
    PostClickAt(hTab, POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    return true;
}

// A click of the left button at a point of the screen, as the mouse makes it: the system routes
// it to the window under the cursor or with the capture (a dropped-down list).
inline void ClickScreen(POINT pt)
{
    ::SetCursorPos(pt.x, pt.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

// Keys pressed together on the keyboard, as the user presses them: down in the order given, up in
// the reverse order; they go to the window with the focus.
inline void PressChord(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs;
    for (WORD vk : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        inputs.push_back(input);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Whether a window (a message box) is centred on another, to a pixel or two.
inline bool CentredOn(HWND hWnd, HWND hOn)
{
    RECT rc = {}, rcOn = {};
    ::GetWindowRect(hWnd, &rc);
    ::GetWindowRect(hOn, &rcOn);
    return std::abs((rc.left + rc.right) - (rcOn.left + rcOn.right)) <= 3 &&
           std::abs((rc.top + rc.bottom) - (rcOn.top + rcOn.bottom)) <= 3;
}

inline void PostKey(HWND hWnd, UINT vk)
{
    ::PostMessageW(hWnd, WM_KEYDOWN, vk, 1);
    ::PostMessageW(hWnd, WM_KEYUP, vk, 0xC0000001);
}

// The message box (or other dialog) that hOwner owns, if one is on screen.
inline HWND FindOwnedDialog(HWND hOwner)
{
    for (HWND h = ::FindWindowExW(nullptr, nullptr, L"#32770", nullptr); h != nullptr;
         h = ::FindWindowExW(nullptr, h, L"#32770", nullptr))
        if (h != hOwner && ::IsWindowVisible(h) && ::GetWindow(h, GW_OWNER) == hOwner)
            return h;
    return nullptr;
}

// Whether a dialog that hOwner owns still exists, shown or not: a message box is hidden before its
// modal loop ends, and that loop may still run a step; what follows its return (the focus going
// back to a failed edit) has happened only once the box is gone.
inline bool OwnsDialog(HWND hOwner)
{
    for (HWND h = ::FindWindowExW(nullptr, nullptr, L"#32770", nullptr); h != nullptr;
         h = ::FindWindowExW(nullptr, h, L"#32770", nullptr))
        if (h != hOwner && ::GetWindow(h, GW_OWNER) == hOwner)
            return true;
    return false;
}

// The message of a message box: the text of its static controls.
inline std::wstring MessageBoxText(HWND hBox)
{
    std::wstring text;
    for (HWND h = ::GetWindow(hBox, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
        wchar_t szClass[16] = {};
        ::GetClassNameW(h, szClass, 16);
        if (::lstrcmpiW(szClass, L"Static") == 0)
            text += TextOf(h);
    }
    return text;
}

} // namespace qlntest
