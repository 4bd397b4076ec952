// A metafile device that hands out what it recorded, so that a host can play one object's
// drawing wherever it shows or prints it.
#pragma once
#include "QLNMetaFileDC.h"

class CQLNObjectRecording : public CQLNMetaFileDC
{
public:
    // bUsePrinter false measures on the screen even when a printer is installed.
    explicit CQLNObjectRecording(bool bUsePrinter = true) : CQLNMetaFileDC(bUsePrinter) {}
    // The recording, closed and handed over: the caller deletes it. Null when nothing could be
    // recorded.
    HENHMETAFILE Take()
    {
        if (m_fnFinishResolve() != m_klSuccess)
            return nullptr;
        const HENHMETAFILE hEmf = m_hEnhMetaFile;
        m_hEnhMetaFile = nullptr;
        return hEmf;
    }
};
