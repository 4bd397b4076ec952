// The window in which a person designs a report page: the paper at a zoom with its margins,
// the objects on it, a frame with grab handles around the selected one. The mouse selects,
// moves and resizes (the cursor shows what a drag will do); Tab and Shift+Tab select the next
// and the previous object in the page's order, Esc ends editing in place and then clears the
// selection, the arrow keys nudge by a millimetre, Delete removes, Insert adds from the list of
// report objects, a double click or Alt+Enter opens the object's own sheet, Enter activates it
// in place (an object with nothing to edit in place opens its sheet instead; a click elsewhere
// ends that), a right click opens the object's or the page's menu there, Ctrl+Z undoes the
// page's last step and Ctrl+Y (or Ctrl+Shift+Z) redoes it, the Edit menu naming them; Ctrl+N,
// Ctrl+O, Ctrl+S and Ctrl+P start a new page, open, save and print. The title shows the file and,
// while there are unsaved changes, a star; closing then asks to save. A page previewed with data
// says so in its title until File > Back to Design; Page Down and Page Up then turn the sheets
// it prints on, the title and each sheet's foot saying "Page i of n". File > Preview with Results
// shows the page with result files chosen in the open dialog: with several, Page Down goes on
// from one report's last sheet to the next report's first, the title naming the result.
#pragma once
#include "CQLNPageContainer.h"
#include "CQLNPagePrinter.h"
#include "CQLNPagePreview.h"
#include "CQLNPreviewSheets.h"
#include "CQLNReportPage.h"

#include <functional>
#include <string>
#include <vector>

class CQLNPageFrame;

class CQLNPageWindow : public CQLNPageContainer
{
public:
    CQLNPageWindow();
    ~CQLNPageWindow();
    CQLNPageWindow(const CQLNPageWindow&) = delete;
    CQLNPageWindow& operator=(const CQLNPageWindow&) = delete;

    // What Create does with a file that exists and is no readable page.
    enum class BadFile {
        Refuse,   // false, with the message
        StartNew, // a message box says what is wrong, then a new untitled page is shown
    };
    // Shows the page of the file (a new one when there is no such file yet).
    bool Create(const std::wstring& path, int nZoom, std::wstring& error, BadFile badFile = BadFile::Refuse);
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
    // False for a point outside the client area, which the system's menus are for.
    bool OnContextMenu(POINT ptScreen);
    void OnInitMenuPopup(HMENU hMenu);
    void OnSize();
    void OnScroll(int nBar, UINT nCode);
    bool OnClose();

    POINT Origin() const;
    // The handle (0 to 7, clockwise from the top left corner) of the selected object at pt, or -1.
    int HandleAt(POINT pt) const;
    RECT HandleRect(int nHandle) const;
    CQLNPageObject* ObjectAt(POINT pt) const;
    void Select(CQLNPageObject* pObject);
    // The next object in the page's order after the selected one (nStep 1) or before it (-1),
    // round from the end to the start.
    void SelectNext(int nStep);
    void Nudge(long dx, long dy);
    void InsertObject();
    void ShowProperties();
    void EditInPlace();
    void DeactivateInPlace();
    // Undo and redo wait for a drag to end: the step they would take is not the one the mouse
    // is making.
    void UndoOrRedo(bool bRedo);
    void Delete();
    // Asks for result files, then previews the page with those that can be read, a message
    // naming the others.
    void PreviewResults();
    void EndPreview();
    // The sheet after the one shown (nStep 1) or before it (-1), from one report's sheets into
    // the next report's or the one before.
    void TurnSheet(int nStep);
    // The sheets of the preview planned anew; none without one.
    void PlanSheets();
    bool Save(bool bAskName);
    // Asks to save, then for a file to open.
    void OpenFile();
    // Asks to save, then shows an empty untitled page.
    void NewPage();
    // The system's print dialog, then the page printed on the printer chosen there.
    void Print();
    // Asks for a file name, then prints the page into a PDF there.
    void ExportPdf();
    // Runs a print job (a printer's, or the PDF's) of what is shown: the page, or while several
    // results are previewed the report of each in turn, as a sequence prints them; the preview
    // then shows the report it showed before. Says what failed or was left out.
    void PrintShown(const std::function<bool(const CQLNPagePrinter::Sequence&, std::wstring&)>& job);
    enum class FileDialog { OpenPage, SavePage, ExportPdf };
    // The system's dialog for a file to open or to save, starting at path; false when the user
    // cancels.
    bool AskFileName(FileDialog kind, std::wstring& path) const;
    // The system's open dialog for one or more result files; false when the user cancels.
    bool AskResultFiles(std::vector<std::wstring>& paths) const;
    // Asks to save unsaved changes; false when the user cancels or the save fails.
    bool AskToSave();
    void Changed();
    // The menu bar's marks follow the page's setup and zoom.
    void UpdateMenu();
    void UpdateTitle();
    void UpdateEditMenu();
    void UpdateScrollBars();
    void SetZoom(int nZoom);
    void Report(const std::wstring& message) const;

    HWND m_hWnd = nullptr;
    CQLNPageFrame* m_pFrame = nullptr;
    CQLNReportPage m_page;
    CQLNPagePreview m_preview;
    CQLNPreviewSheets m_sheets;
    // While the sheets are planned or a job prints, the tables drawn in parts say their view
    // changed: the sheets are not planned again for that.
    bool m_bAskingParts = false;
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
