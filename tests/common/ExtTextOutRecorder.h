// What the named modules draw as text on real devices: while it lives, every ExtTextOutW they
// call (their import of it is pointed here) is kept with the window it drew into and the
// characters the font then selected has no glyph for, then drawn as asked.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

class ExtTextOutRecorder
{
public:
    struct Output
    {
        HWND window;          // the window the DC draws into, null for another device
        std::wstring text;    // the characters, empty for glyph indices
        std::wstring face;    // the face selected
        std::wstring lacking; // the characters of the text that face has no glyph for
    };

    // One recorder at a time; a module that is not loaded or does not import ExtTextOutW is left
    // as it is.
    explicit ExtTextOutRecorder(std::initializer_list<const wchar_t*> modules);
    ~ExtTextOutRecorder();
    ExtTextOutRecorder(const ExtTextOutRecorder&) = delete;
    ExtTextOutRecorder& operator=(const ExtTextOutRecorder&) = delete;

    // How many imports were pointed here.
    size_t Patched() const { return m_slots.size(); }
    const std::vector<Output>& Outputs() const { return m_outputs; }

private:
    static BOOL WINAPI Record(HDC hDC, int x, int y, UINT nOptions, const RECT* pRect, LPCWSTR pch, UINT nCount,
                              const INT* pDx);
    void Patch(HMODULE hModule);

    std::vector<void**> m_slots;
    std::vector<Output> m_outputs;
};
