// A device context that records an enhanced metafile while it measures text on a real device:
// the default printer when there is one (and the caller wants it), else the screen through
// the private DC of a hidden window.
#pragma once
#include "QLNBaseExport.h"

#include "CFrameWnd.h"
#include "CMetaFileDC.h"

class QLN_BASE_API CQLNMetaFileDC : public CMetaFileDC
{
public:
    // Result codes of the operations that return a long.
    enum : long
    {
        m_klSuccess = 0,
        m_klCreateFailed = 39,          // the recording DC could not be made or attached
        m_klNoMetaFile = 40,            // closing the recording gave no metafile
        m_klCopyFailed = 41,            // the metafile could not be written to the file
        m_klClipboardOpenFailed = 52,   // the clipboard could not be opened, or closed again
        m_klClipboardRefused = 53       // the clipboard did not take the metafile
    };

    CQLNMetaFileDC();
    // bUsePrinter false measures on the screen even when a printer is installed.
    explicit CQLNMetaFileDC(bool bUsePrinter);
    ~CQLNMetaFileDC() override;

    // Starts recording into memory. rcBounds is the picture frame in 0.01 mm; without it the
    // frame is computed from what is drawn.
    long m_fnCreate(const RECT& rcBounds);
    long m_fnCreate();
    // The reference DC (printer, else hidden window) as a framework temporary wrapper, for
    // measuring before or without recording; null when there is neither.
    CDC* m_fnGetAttribDC() const;
    // The hidden window's DC as a framework temporary wrapper; null without the window.
    CDC* m_fnGetWindowDC();
    // Closes the recording into the device's metafile, replacing one held before.
    long m_fnFinishResolve();
    // Writes the metafile (closing the recording first if needed) to an .emf file. The device
    // keeps its metafile, so it can be saved again or copied to the clipboard.
    long m_fnSaveToFile(const CString& strPath);
    // Places the metafile (closing the recording first if needed) on the clipboard.
    long m_fnCopyToClipboard();

    BOOL GrayString(CBrush* pBrush, BOOL(CALLBACK* lpfnOutput)(HDC, LPARAM, int), LPARAM lpData, int nCount,
                    int x, int y, int nWidth, int nHeight) override;

protected:
    HENHMETAFILE m_hEnhMetaFile;
    CFrameWnd* m_pWnd;
    HDC m_hPrinterDC;

private:
    void CreateHiddenWindow();
    long CreateRecording(const RECT* pBounds);
    // Closes the recording if no metafile is held yet; zero when there is still none.
    BOOL EnsureMetaFile();
    HDC GetPrinterDC();
};
