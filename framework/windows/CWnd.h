// A window object over a platform window.
//
// Each window handle has at most one permanent object (Attach, or creation through Create and
// CreateEx); FromHandle answers that object, else a temporary wrapper owned by the framework
// (see CHandleMap.h). A window created through this class, or subclassed with SubclassWindow,
// sends its messages to AfxWndProc and from there to WindowProc, the one dispatch point: it
// finds the message in the class's message map, or in the maps of its bases, and calls the
// entry, which unpacks the parameters and calls the handler named after the message. What no
// entry handles goes to DefWindowProc: the subclassed window's own procedure, or the system's
// default procedure. A handler that extends its base calls the base's handler, which does the
// default processing.
//
// After the last message (WM_NCDESTROY) the object is detached and PostNcDestroy runs; an
// object that lives on the heap for its window's sake deletes itself there.
#pragma once
#include "CCmdTarget.h"
#include "CDC.h"

class CWnd;

// One entry of a message map: the message and a function that unpacks its parameters for
// the handler and packs the handler's result. Commands and notifications (WM_COMMAND,
// WM_NOTIFY, and those reflected back to the control that sent them) also name the
// notification code and the control id they are for; other messages leave both 0.
struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;
    UINT nCode;
    UINT nID;
    LRESULT (*pfnHandler)(CWnd* pWnd, WPARAM wParam, LPARAM lParam);
};

// A message a parent reflects to the child control it concerns is looked up in the child's
// map as WM_REFLECT_BASE + the message.
#define WM_REFLECT_BASE 0xBC00

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;   // ends with an entry whose handler is null
};

class AFX_CORE_API CWnd : public CCmdTarget
{
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    // Destroys a window that still exists; PostNcDestroy is then no longer that of a derived
    // class, so an object that deletes itself must be destroyed through DestroyWindow.
    ~CWnd() override;

    HWND m_hWnd;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Enters the object as the window's permanent object without changing the window's
    // procedure; zero when the handle is null, the object has a window or the window has an
    // object already.
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Attaches the object and routes the window's messages through it; messages it does not
    // handle reach the window's previous procedure.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Gives the window its previous procedure back and detaches the object.
    HWND UnsubclassWindow();

    // Creation. The object receives every message from the first (WM_NCCREATE) on. A failed
    // creation returns zero and leaves the object without a window.
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    // A child window (WS_CHILD is added) with the control identifier nID.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID);
    virtual BOOL DestroyWindow();

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Window text.
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;

    // Geometry.
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);

    // State.
    BOOL IsWindow() const;
    DWORD GetStyle() const;
    // Removes, then adds style bits; zero when the style was already so. nFlags other than 0
    // are passed to SetWindowPos, as a frame change needs.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();

    // Parent and children.
    CWnd* GetParent() const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    // GW_CHILD, GW_HWNDNEXT and the other relations of GetWindow.
    CWnd* GetWindow(UINT nCmd) const;

    // Painting.
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void UpdateWindow();
    // The window's DC as a temporary wrapper; give it back with ReleaseDC, which also frees
    // the wrapper.
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    // The font the window answers to WM_GETFONT, as a temporary wrapper; null for the system font.
    CFont* GetFont() const;

    // Dispatch. WM_COMMAND goes to OnCommand, WM_NOTIFY to OnNotify; owner-draw messages are
    // first offered to the control they concern (OnChildNotify), then to the map.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled.
    LRESULT Default();
    // Runs after the window's last message, when the object has been detached.
    virtual void PostNcDestroy();
    // Runs in SubclassWindow once the object is attached, before its messages come through it:
    // a control attached to a dialog item (DDX_Control) sets itself up here.
    virtual void PreSubclassWindow();

    // A command from a menu, an accelerator or a control (lParam): offered first to the
    // control's own object, then to the command entries of the map. Zero: not handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // The same for WM_NOTIFY; the handler's result goes to *pResult.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A message that the parent reflects to this control: looked up as WM_REFLECT_BASE + message.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Modal loops. A message is first offered to PreTranslateMessage of the window it is for
    // and of each parent up to the modal window; what none of them takes is translated and
    // dispatched. The loop runs until EndModalLoop, the window's destruction or WM_QUIT (which
    // is posted again for the outer loop), and returns the result given to EndModalLoop (-1
    // without one). The caller sets m_bContinueModal before creating the modal window.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    int RunModalLoop();
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

protected:
    // Handlers: each does the default processing of its message.
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnNcDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnContextMenu(CWnd* pWnd, CPoint pos);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);

    // The map entry for the message (and, for commands and notifications, the code and id).
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT nCode, UINT nID) const;
    // Offers the message being handled to the permanent object of hWndChild, if it has one.
    static BOOL ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // The procedure that was the window's before SubclassWindow, or null for the system default.
    WNDPROC m_pfnSuper;
    BOOL m_bContinueModal;
    int m_nModalResult;

private:
    friend AFX_CORE_API LRESULT AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
    friend class CWndCreationHook;
};

// The window procedure of every window that a CWnd created or subclassed.
AFX_CORE_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// Hands one message to the object's WindowProc. No exception leaves it: one that escapes a
// handler ends the message with a result of 0. After WM_NCDESTROY the object is detached and
// its PostNcDestroy runs.
AFX_CORE_API LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// Registers (once) a window class of the framework with the given style, cursor, background and
// icon, whose windows are created through CWnd; returns its name, valid for the process's life,
// or null when the class could not be registered.
AFX_CORE_API LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                                         HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);

// Message maps. In the class: DECLARE_MESSAGE_MAP(). In the source file, beside the handlers:
//   BEGIN_MESSAGE_MAP(CMyWnd, CWnd)
//       ON_WM_PAINT()
//   END_MESSAGE_MAP()
#define DECLARE_MESSAGE_MAP()                                \
public:                                                      \
    static const AFX_MSGMAP* GetThisMessageMap();            \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                           \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }   \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                       \
    {                                                                                      \
        typedef theClass ThisClass;                                                        \
        typedef baseClass TheBaseClass;                                                    \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                  \
        {0, 0, 0, nullptr}};                                                                     \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap;                                                                \
    }

#define AFX_MSG_ENTRY(message, body) AFX_CMD_ENTRY(message, 0, 0, body)
#define AFX_CMD_ENTRY(message, code, id, body) \
    {message, static_cast<UINT>(code), static_cast<UINT>(id), [](CWnd* pWnd, WPARAM wParam, LPARAM lParam) -> LRESULT { \
        ThisClass* pThis = static_cast<ThisClass*>(pWnd); (void)pThis; (void)wParam; (void)lParam; body }},

// Commands: void OnXxx(). ON_COMMAND is for menus, accelerators and BN_CLICKED (code 0).
#define ON_CONTROL(code, id, memberFxn) AFX_CMD_ENTRY(WM_COMMAND, code, id, pThis->memberFxn(); return 0;)
#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
// A control's own notification, reflected back to it by its parent: void OnXxx().
#define ON_CONTROL_REFLECT(code, memberFxn) \
    AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, pThis->memberFxn(); return 0;)

// LRESULT OnMessage(WPARAM, LPARAM), for messages without a cracker of their own.
#define ON_MESSAGE(message, memberFxn) AFX_MSG_ENTRY(message, return pThis->memberFxn(wParam, lParam);)
#define ON_WM_CREATE() \
    AFX_MSG_ENTRY(WM_CREATE, return pThis->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, pThis->OnDestroy(); return 0;)
#define ON_WM_NCDESTROY() AFX_MSG_ENTRY(WM_NCDESTROY, pThis->OnNcDestroy(); return 0;)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, pThis->OnPaint(); return 0;)
#define ON_WM_ERASEBKGND() \
    AFX_MSG_ENTRY(WM_ERASEBKGND, return pThis->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));)
#define ON_WM_SIZE() \
    AFX_MSG_ENTRY(WM_SIZE, pThis->OnSize(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), \
                                         static_cast<short>(HIWORD(lParam))); return 0;)
#define ON_WM_SETFOCUS() \
    AFX_MSG_ENTRY(WM_SETFOCUS, pThis->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); return 0;)
#define ON_WM_KILLFOCUS() \
    AFX_MSG_ENTRY(WM_KILLFOCUS, pThis->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); return 0;)
#define ON_WM_SETCURSOR() \
    AFX_MSG_ENTRY(WM_SETCURSOR, return pThis->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), \
                                                          LOWORD(lParam), HIWORD(lParam));)
#define ON_WM_MOUSEMOVE() \
    AFX_MSG_ENTRY(WM_MOUSEMOVE, pThis->OnMouseMove(static_cast<UINT>(wParam), CPoint(lParam)); return 0;)
#define ON_WM_LBUTTONDOWN() \
    AFX_MSG_ENTRY(WM_LBUTTONDOWN, pThis->OnLButtonDown(static_cast<UINT>(wParam), CPoint(lParam)); return 0;)
#define ON_WM_LBUTTONUP() \
    AFX_MSG_ENTRY(WM_LBUTTONUP, pThis->OnLButtonUp(static_cast<UINT>(wParam), CPoint(lParam)); return 0;)
#define ON_WM_CONTEXTMENU() \
    AFX_MSG_ENTRY(WM_CONTEXTMENU, pThis->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), \
                                                       CPoint(lParam)); return 0;)
// HBRUSH OnCtlColor(CDC*, CWnd*, UINT nCtlColor), for every kind of child (CTLCOLOR_EDIT, ...).
#define AFX_CTLCOLOR_ENTRY(message, kind) \
    AFX_MSG_ENTRY(message, return reinterpret_cast<LRESULT>(pThis->OnCtlColor( \
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), kind));)
#define ON_WM_CTLCOLOR() \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLORMSGBOX, CTLCOLOR_MSGBOX) AFX_CTLCOLOR_ENTRY(WM_CTLCOLOREDIT, CTLCOLOR_EDIT) \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLORLISTBOX, CTLCOLOR_LISTBOX) AFX_CTLCOLOR_ENTRY(WM_CTLCOLORBTN, CTLCOLOR_BTN) \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLORDLG, CTLCOLOR_DLG) AFX_CTLCOLOR_ENTRY(WM_CTLCOLORSCROLLBAR, CTLCOLOR_SCROLLBAR) \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLORSTATIC, CTLCOLOR_STATIC)
#define ON_WM_VSCROLL() \
    AFX_MSG_ENTRY(WM_VSCROLL, pThis->OnVScroll(LOWORD(wParam), HIWORD(wParam), \
                                               CWnd::FromHandle(reinterpret_cast<HWND>(lParam))); return 0;)
#define ON_WM_LBUTTONDBLCLK() \
    AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, pThis->OnLButtonDblClk(static_cast<UINT>(wParam), CPoint(lParam)); return 0;)
