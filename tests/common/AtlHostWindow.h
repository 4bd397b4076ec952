// The system's ActiveX host window in a frame of its own, holding an object it created by
// ProgID: a container nobody here wrote, for tests that check what a real container gets.
#pragma once
#include <windows.h>
#include <wrl/client.h>

#include <string>

class AtlHostWindow
{
public:
    AtlHostWindow() = default;
    ~AtlHostWindow() { Close(); }
    AtlHostWindow(const AtlHostWindow&) = delete;
    AtlHostWindow& operator=(const AtlHostWindow&) = delete;

    // Shows the frame with the host window filling most of it; false with the reason when the
    // host or the object could not be made.
    bool Open(const wchar_t* pszProgId, std::wstring& error);
    // Lets go of the object and destroys the windows.
    void Close();

    HWND Frame() const { return m_hFrame; }
    HWND Host() const { return m_hHost; }
    const Microsoft::WRL::ComPtr<IUnknown>& Control() const { return m_control; }

private:
    HWND m_hFrame = nullptr;
    HWND m_hHost = nullptr;
    Microsoft::WRL::ComPtr<IUnknown> m_control;
};
