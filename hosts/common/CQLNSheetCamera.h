// Pictures of a property sheet as its user sees it. While the sheet's modal loop runs on this
// thread, a timer finds the sheet, shows its pages one after the other through the sheet's own
// messages and writes each, frame and all, as a PNG file (page-1.png, page-2.png, ...) into a
// folder; then it closes the sheet with Cancel or, for a user who goes on, shows the first page
// again. One camera at a time per thread.
#pragma once
#include <windows.h>

#include <string>

class CQLNSheetCamera
{
public:
    enum class After { Close, KeepOpen };

    // Starts watching for a sheet of this thread; the folder must exist.
    CQLNSheetCamera(std::wstring folder, After after);
    ~CQLNSheetCamera();
    CQLNSheetCamera(const CQLNSheetCamera&) = delete;
    CQLNSheetCamera& operator=(const CQLNSheetCamera&) = delete;

    // After the sheet has closed: false with the reason when no sheet was seen or a picture
    // could not be written (the sheet is then closed at once).
    bool Result(std::wstring& error) const;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Step();
    // A visible property sheet among this thread's windows; null when there is none.
    static HWND FindSheet();
    // Writes the sheet as it is on screen into page-N.png; false with the reason in m_strError.
    bool Shoot(HWND hSheet, int nPage);
    void Stop(HWND hSheet, bool bClose);

    static inline CQLNSheetCamera* s_pCurrent = nullptr;
    std::wstring m_strFolder;
    After m_after;
    UINT_PTR m_timer;
    // The page shown and not yet photographed; -1 before the sheet appeared.
    int m_nPage = -1;
    int m_nPictures = 0;
    bool m_bDone = false;
    std::wstring m_strError;
};
