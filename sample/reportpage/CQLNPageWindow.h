// The window in which a person designs a report page: the paper at a zoom with its margins,
// the objects on it, a frame with grab handles around the selected one. The mouse selects,
// moves and resizes (the cursor shows what a drag will do), the arrow keys nudge by a
// millimetre, Delete removes, Insert adds from the list of report objects, a double click or
// Alt+Enter opens the object's own sheet, Enter activates it in place (a click elsewhere ends
// that), Ctrl+Z undoes the last move, resize, insertion or removal, Ctrl+S saves. The title
// shows the file and, while there are unsaved changes, a star; closing then asks to save. A page
// previewed with data says so in its title until File > Back to Design.
#pragma once
#include "CQLNPageContainer.h"
#include "CQLNPagePreview.h"
#include "CQLNReportPage.h"

#include <string>

class CQLNPageFrame;

class CQLNPageWindow : public CQLNPageContainer
{
public:
    CQLNPageWindow();
    ~CQLNPageWindow();
    CQLNPageWindow(const CQLNPageWindow&) = delete;
    CQLNPageWindow& operator=(const CQLNPageWindow&) = delete;

    // Shows the page of the file (a new one when there is no such file yet); false with a
    // message when the file exists and is no readable page.
    bool Create(const std::wstring& path, int nZoom, std::wstring& error);
    // Ends the thread's message loop when the window goes.
    void QuitOnDestroy() { m_bQuitOnDestroy = true; }
    HWND Handle() const { return m_hWnd; }
    CQLNReportPage& Page() { return m_page; }
    CQLNPageObject* Selected() const { return m_selected.Get(); }
    const std::wstring& Path() const { return m_strPath; }
    // Replaces the page by the file's; a file that cannot be read is refused with a message and
    // the page stays as it was.
    bool Open(const std::wstring& path);
    // Selects the object and activates it in place, as Enter does; false with the reason when
    // the object refuses or does not become active in place.
    bool ActivateInPlace(CQLNPageObject& object, std::wstring& error);
    // Shows the page with the data of the file at dataPath (read into resolver), as a report
    // resolved with it prints; the page stays as it is.
    bool Preview(const CQLNReportResolver& resolver, const std::wstring& dataPath, std::wstring& error);
    // A message meant for the object active in place (its keyboard interface) goes to it first.
    bool PreTranslate(MSG& msg);

    // CQLNPageContainer
    HWND PageWindow() const override { return m_hWnd; }
    IOleInPlaceFrame* InPlaceFrame() override;
    RECT ClientRectOf(const CQLNPageObject& object) const override;
    int Zoom() const override { return m_nZoom; }
    void ObjectChanged(CQLNPageObject& object) override;
    void ObjectDeactivated(CQLNPageObject& object) override;

private:
    enum class Drag { None, Move, Resize };

    static LRESULT CALLBACK WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnLButtonDown(POINT pt);
    void OnMouseMove(POINT pt);
    void OnLButtonUp();
    void OnLButtonDblClk(POINT pt);
    bool OnSetCursor();
    void OnKeyDown(UINT vk);
    void OnCommand(UINT nID);
    void OnScroll(int nBar, UINT nCode);
    bool OnClose();

    POINT Origin() const;
    // The handle (0 to 7, clockwise from the top left corner) of the selected object at pt, or -1.
    int HandleAt(POINT pt) const;
    RECT HandleRect(int nHandle) const;
    CQLNPageObject* ObjectAt(POINT pt) const;
    void Select(CQLNPageObject* pObject);
    void Nudge(long dx, long dy);
    void InsertObject();
    void ShowProperties();
    void EditInPlace();
    void DeactivateInPlace();
    void Undo();
    void Delete();
    void EndPreview();
    bool Save(bool bAskName);
    // Asks to save, then for a file to open.
    void OpenFile();
    // The system's dialog for a page file to save or to open, starting at path; false when
    // the user cancels.
    bool AskFileName(bool bSave, std::wstring& path) const;
    // Asks to save unsaved changes; false when the user cancels or the save fails.
    bool AskToSave();
    void Changed();
    void UpdateTitle();
    void UpdateScrollBars();
    void SetZoom(int nZoom);
    void Report(const std::wstring& message) const;

    HWND m_hWnd = nullptr;
    CQLNPageFrame* m_pFrame = nullptr;
    CQLNReportPage m_page;
    CQLNPagePreview m_preview;
    std::wstring m_strPath;
    int m_nZoom = 75;
    POINT m_scroll = {0, 0};
    Microsoft::WRL::ComPtr<CQLNPageObject> m_selected;
    Drag m_drag = Drag::None;
    int m_nDragHandle = -1;
    POINT m_ptDragStart = {0, 0};
    RECT m_rcDragStart = {0, 0, 0, 0};
    bool m_bQuitOnDestroy = false;
};
