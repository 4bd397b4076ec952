// A metafile device that hands out what it recorded, so that a host can play one object's
// drawing at its place on a printed page.
#pragma once
#include "QLNMetaFileDC.h"

class CQLNObjectRecording : public CQLNMetaFileDC
{
public:
    // bUsePrinter false measures on the screen even when a printer is installed.
    explicit CQLNObjectRecording(bool bUsePrinter = true) : CQLNMetaFileDC(bUsePrinter) {}
    // The recording, closed; owned by the device and valid while it lives. Null when nothing
    // could be recorded.
    HENHMETAFILE Finish() { return m_fnFinishResolve() == m_klSuccess ? m_hEnhMetaFile : nullptr; }
};
