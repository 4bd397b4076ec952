// A user at the keyboard while a modal loop runs: steps run one after the other from a timer
// on the test's own thread. A step posts its input (so that no step waits inside a nested
// modal loop) and returns true, or returns false until what it waits for is on screen.
//
// The user gives up within seconds rather than leaving the test to its runner's timeout: when
// the steps do not finish within about ten seconds of timer ticks the test fails, naming the step
// and what it waited for, and the modal loops are asked to end; should they not end, or should
// the thread stop answering its timer (code under test looping), the process is ended with the
// same message.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

namespace qlntest {

class ScriptedUser
{
public:
    // One step; what it waits for, when told, names it in a failure.
    struct Step
    {
        template <typename F, typename = std::enable_if_t<std::is_invocable_r_v<bool, F&>>>
        Step(F f) : act(std::move(f))
        {
        }
        Step(std::string whatFor, std::function<bool()> f) : act(std::move(f)), what(std::move(whatFor)) {}
        std::function<bool()> act;
        std::string what;
    };

    // onStall ends the modal loops when the steps do not finish in time: about ten seconds, or
    // nStallTicks timer ticks of 30 ms for a long session.
    ScriptedUser(std::vector<Step> steps, std::function<void()> onStall, int nStallTicks = kStallTicks)
        : m_steps(std::move(steps)), m_onStall(std::move(onStall)), m_nStallTicks(nStallTicks),
          m_timer(::SetTimer(nullptr, 0, 30, &Tick)),
          m_watchdog([this] { Watch(); })
    {
        s_pCurrent = this;
    }
    ~ScriptedUser()
    {
        ::KillTimer(nullptr, m_timer);
        s_pCurrent = nullptr;
        m_bDone = true;
        m_watchdog.join();
    }
    bool Finished() const { return m_next == m_steps.size(); }
    size_t StepsDone() const { return m_next; }

    ScriptedUser(const ScriptedUser&) = delete;
    ScriptedUser& operator=(const ScriptedUser&) = delete;

private:
    // Ticks without finishing before the user gives up, about ten seconds; then again every
    // second while the loops still run.
    static const int kStallTicks = 350;
    static const int kRetryTicks = 35;
    // Seconds the watchdog allows a thread that no longer ticks, or loops that do not end after
    // the user gave up.
    static const int kHungSeconds = 20;

    std::string Waiting() const
    {
        const size_t n = m_next;
        std::string text = "step " + std::to_string(n + 1) + " of " + std::to_string(m_steps.size());
        if (n < m_steps.size() && !m_steps[n].what.empty())
            text += ", waiting for " + m_steps[n].what;
        return text;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        ScriptedUser* p = s_pCurrent;
        if (p == nullptr)
            return;
        // Counted also while a step is busy in a nested loop: that step is what hangs.
        const int nTicks = ++p->m_ticks;
        if (nTicks >= p->m_nStallTicks && !p->Finished() && (nTicks - p->m_nStallTicks) % kRetryTicks == 0) {
            if (nTicks == p->m_nStallTicks) {
                p->m_stalledAt = ::GetTickCount64();
                ADD_FAILURE() << "the scripted user gave up at " << p->Waiting();
            }
            if (p->m_onStall)
                p->m_onStall();
            // A box or dialog the script never expected stays in the way of onStall's cancel.
            if (nTicks > p->m_nStallTicks)
                ::PostMessageW(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
            return;
        }
        if (p->m_busy)
            return;
        p->m_busy = true;
        if (p->m_next < p->m_steps.size() && p->m_steps[p->m_next].act())
            ++p->m_next;
        p->m_busy = false;
    }

    // On a thread of its own: ends the process, saying why, when the test's thread has stopped
    // ticking or its loops did not end after the user gave up.
    void Watch()
    {
        int nLastTicks = -1;
        ULONGLONG lastTickSeen = ::GetTickCount64();
        while (!m_bDone) {
            ::Sleep(200);
            const ULONGLONG now = ::GetTickCount64();
            if (m_ticks != nLastTicks) {
                nLastTicks = m_ticks;
                lastTickSeen = now;
            }
            const char* why = nullptr;
            if (now - lastTickSeen > kHungSeconds * 1000ull)
                why = "the test's thread stopped answering";
            else if (m_stalledAt != 0 && now - m_stalledAt > kHungSeconds * 1000ull)
                why = "the modal loops did not end after it gave up";
            if (why != nullptr && !m_bDone) {
                std::fprintf(stderr, "\nScriptedUser: %s, at %s; ending the test program.\n", why, Waiting().c_str());
                std::fflush(stderr);
                ::TerminateProcess(::GetCurrentProcess(), 3);
            }
        }
    }

    static inline ScriptedUser* s_pCurrent = nullptr;
    std::vector<Step> m_steps;
    std::function<void()> m_onStall;
    const int m_nStallTicks;
    UINT_PTR m_timer;
    std::atomic<size_t> m_next{0};
    std::atomic<int> m_ticks{0};
    std::atomic<ULONGLONG> m_stalledAt{0};
    std::atomic<bool> m_bDone{false};
    bool m_busy = false;
    std::thread m_watchdog;
};

// A step that waits for what it names: a failure says what did not come.
template <typename F>
ScriptedUser::Step Waiting(std::string what, F f)
{
    return ScriptedUser::Step(std::move(what), std::function<bool()>(std::move(f)));
}

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

// Keys pressed one after the other into the window with the focus, each down and up: letters
// (typed in lower case), digits, space and '\b' (Backspace), whose virtual-key codes are their
// characters in upper case.
inline void PressKeys(const std::wstring& keys)
{
    std::vector<INPUT> inputs(2 * keys.size());
    for (size_t i = 0; i < inputs.size(); ++i) {
        const wchar_t ch = keys[i / 2];
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = static_cast<WORD>(ch >= L'a' && ch <= L'z' ? ch - L'a' + L'A' : ch);
        inputs[i].ki.dwFlags = i % 2 ? KEYEVENTF_KEYUP : 0;
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Where the keyboard is in a property sheet: the focused button's text, or any other control's
// class and id (a combo box for its edit field), with the page ("p0", "p1", ...) or the dialog
// it is in; marked when no key could reach the user there (hidden, disabled).
inline std::wstring KeyboardPlace(HWND hSheet)
{
    HWND h = ::GetFocus();
    if (h == nullptr)
        return L"nowhere";
    wchar_t szClass[32] = {};
    ::GetClassNameW(::GetParent(h), szClass, 32);
    if (::lstrcmpiW(szClass, L"ComboBox") == 0)
        h = ::GetParent(h);
    ::GetClassNameW(h, szClass, 32);
    std::wstring text = TextOf(h);
    if (::lstrcmpiW(szClass, L"Button") != 0 || text.empty())
        text = std::wstring(szClass) + L" " + std::to_wstring(::GetDlgCtrlID(h));
    const HWND hPage = reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    std::wstring where;
    if (::IsChild(hPage, h))
        where = L"p" + std::to_wstring(::SendMessageW(hSheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(hPage), 0));
    else if (::IsChild(hSheet, h))
        where = L"sheet";
    else
        where = TextOf(::GetAncestor(h, GA_ROOT));
    where += ::IsWindowVisible(h) ? L" " : L" (hidden) ";
    where += ::IsWindowEnabled(h) ? L"" : L"(disabled) ";
    return where + text;
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

} // namespace qlntest
