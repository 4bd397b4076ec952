#include "CQLNObjectPicture.h"

#include "CQLNObjectRecording.h"
#include "CQLNPageObject.h"
#include "CQLNPageScale.h"
#include "CQLNTextReplacement.h"

void CQLNObjectPicture::Forget()
{
    if (m_hEmf != nullptr)
        ::DeleteEnhMetaFile(m_hEmf);
    m_hEmf = nullptr;
}

bool CQLNObjectPicture::Record(const CQLNPageObject& object, std::wstring& error)
{
    Forget();
    const RECT& rc = object.Place();
    // The frame is the object's size in 0.01 mm: played into a place, it fills that place.
    const RECT frame = m_size.cx > 0 && m_size.cy > 0 ? RECT{0, 0, m_size.cx, m_size.cy}
                                                      : RECT{0, 0, rc.right - rc.left, rc.bottom - rc.top};
    CQLNObjectRecording recording;
    if (recording.m_fnCreate(frame) != CQLNMetaFileDC::m_klSuccess) {
        error = L"cannot record " + object.ClassName();
        return false;
    }
    m_bRecording = true;
    const bool ok = object.Draw(recording.m_hDC, recording.m_hAttribDC, frame,
                                CQLNPageScale::Device(recording.m_hAttribDC), error);
    m_bRecording = false;
    m_hEmf = ok ? recording.Take() : nullptr;
    if (ok && m_hEmf == nullptr)
        error = L"cannot record " + object.ClassName();
    return m_hEmf != nullptr;
}

bool CQLNObjectPicture::Show(const CQLNPageObject& object, HDC hdc, const RECT& rc,
                             const CQLNTextReplacement& replacement, std::wstring& error)
{
    if (m_hEmf == nullptr && !Record(object, error))
        return false;
    const int nSaved = ::SaveDC(hdc);
    ::IntersectClipRect(hdc, rc.left, rc.top, rc.right, rc.bottom);
    const bool ok = replacement.Play(hdc, m_hEmf, rc);
    ::RestoreDC(hdc, nSaved);
    if (!ok)
        error = object.ClassName() + L" could not be played onto the device";
    return ok;
}
