// A DC that records an enhanced metafile.
//
// The recording DC is the output DC. The attribute DC is the reference device given to
// CreateEnhanced, so text is measured for that device; without one it is the recording DC,
// which measures for the screen.
#pragma once
#include "CDC.h"

class AFX_CORE_API CMetaFileDC : public CDC
{
    DECLARE_DYNAMIC(CMetaFileDC)
public:
    CMetaFileDC() = default;
    // Disposes of a recording that was never closed.
    ~CMetaFileDC() override;

    // Starts recording (CreateEnhMetaFileW). lpszFileName null records into memory; lpBounds
    // is the picture frame in 0.01 mm, null to compute it from what is drawn; lpszDescription
    // is the application name and the picture name, each ending with a zero, then one more.
    BOOL CreateEnhanced(CDC* pDCRef, LPCTSTR lpszFileName, LPCRECT lpBounds, LPCTSTR lpszDescription);
    // Ends recording and hands the metafile to the caller; null when nothing was recorded.
    HENHMETAFILE CloseEnhanced();
};
