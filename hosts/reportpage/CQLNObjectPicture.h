// One object's drawing as the printer prints it: recorded into the library's metafile device,
// its text measured on the default printer (on the screen when there is none) at the printer's
// resolution, and played at whatever size a device shows the object: the window at its zoom, a
// picture of the page, the printed sheet. All of them break the object's lines on the same words
// and end it on the same row. The recording is kept until the object changes, so a page whose
// objects are only moved is redrawn by playing recordings.
#pragma once
#include <windows.h>

#include <string>

class CQLNPageObject;
class CQLNTextReplacement;

class CQLNObjectPicture
{
public:
    CQLNObjectPicture() = default;
    // A picture of the object drawn at another size than its place's, in 0.01 mm: a part of it
    // placed elsewhere.
    explicit CQLNObjectPicture(SIZE size) : m_size(size) {}
    ~CQLNObjectPicture() { Forget(); }
    CQLNObjectPicture(const CQLNObjectPicture&) = delete;
    CQLNObjectPicture& operator=(const CQLNObjectPicture&) = delete;

    // The object's view, properties or size changed: the next showing records it anew.
    void Forget();
    // While the object draws into a new recording, what it says about its view is that drawing.
    bool IsRecording() const { return m_bRecording; }
    // Plays the recording into rc (logical units of hdc), clipped to it, recorded first when
    // there is none; the replacement's texts are drawn in place of those they replace.
    bool Show(const CQLNPageObject& object, HDC hdc, const RECT& rc, const CQLNTextReplacement& replacement,
              std::wstring& error);

    // Records the object's drawing now, in place of any recording kept.
    bool Record(const CQLNPageObject& object, std::wstring& error);

private:

    HENHMETAFILE m_hEmf = nullptr;
    SIZE m_size = {0, 0};
    bool m_bRecording = false;
};
