#include "ExtTextOutRecorder.h"

#include <cstring>
#include <utility>

namespace {

using ExtTextOutFn = BOOL(WINAPI*)(HDC, int, int, UINT, const RECT*, LPCWSTR, UINT, const INT*);

ExtTextOutRecorder* g_pActive = nullptr;
ExtTextOutFn g_pSystem = nullptr;

bool Replace(void** pSlot, void* pWith)
{
    DWORD nOld = 0;
    if (!::VirtualProtect(pSlot, sizeof(void*), PAGE_READWRITE, &nOld))
        return false;
    *pSlot = pWith;
    ::VirtualProtect(pSlot, sizeof(void*), nOld, &nOld);
    return true;
}

} // namespace

ExtTextOutRecorder::ExtTextOutRecorder(std::initializer_list<const wchar_t*> modules)
{
    if (g_pActive != nullptr)
        return;
    g_pSystem = reinterpret_cast<ExtTextOutFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"gdi32.dll"), "ExtTextOutW")));
    if (g_pSystem == nullptr)
        return;
    g_pActive = this;
    for (const wchar_t* pszModule : modules)
        if (const HMODULE hModule = ::GetModuleHandleW(pszModule))
            Patch(hModule);
}

ExtTextOutRecorder::~ExtTextOutRecorder()
{
    for (void** pSlot : m_slots)
        Replace(pSlot, reinterpret_cast<void*>(g_pSystem));
    if (g_pActive == this)
        g_pActive = nullptr;
}

void ExtTextOutRecorder::Patch(HMODULE hModule)
{
    BYTE* const pBase = reinterpret_cast<BYTE*>(hModule);
    const auto* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase);
    const auto* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(pBase + pDos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return;
    for (auto* pDesc = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(pBase + imports.VirtualAddress); pDesc->Name != 0;
         ++pDesc) {
        if (_stricmp(reinterpret_cast<const char*>(pBase + pDesc->Name), "gdi32.dll") != 0)
            continue;
        for (auto* pThunk = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pDesc->FirstThunk); pThunk->u1.Function != 0;
             ++pThunk) {
            void** pSlot = reinterpret_cast<void**>(&pThunk->u1.Function);
            if (*pSlot == reinterpret_cast<void*>(g_pSystem) && Replace(pSlot, reinterpret_cast<void*>(&Record)))
                m_slots.push_back(pSlot);
        }
    }
}

BOOL WINAPI ExtTextOutRecorder::Record(HDC hDC, int x, int y, UINT nOptions, const RECT* pRect, LPCWSTR pch,
                                       UINT nCount, const INT* pDx)
{
    if (g_pActive != nullptr && pch != nullptr && nCount > 0) {
        Output output = {::WindowFromDC(hDC), std::wstring(), std::wstring(), std::wstring()};
        wchar_t szFace[LF_FACESIZE] = L"";
        ::GetTextFaceW(hDC, LF_FACESIZE, szFace);
        output.face = szFace;
        if (!(nOptions & ETO_GLYPH_INDEX)) {
            output.text.assign(pch, nCount);
            std::vector<WORD> glyphs(nCount);
            if (::GetGlyphIndicesW(hDC, pch, static_cast<int>(nCount), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) ==
                GDI_ERROR)
                output.lacking = L"(no glyphs)";
            for (UINT i = 0; i < nCount; ++i)
                if (glyphs[i] == 0xFFFF && pch[i] >= L' ' && !(pch[i] >= 0xD800 && pch[i] <= 0xDFFF))
                    output.lacking += pch[i];
        }
        g_pActive->m_outputs.push_back(std::move(output));
    }
    return g_pSystem(hDC, x, y, nOptions, pRect, pch, nCount, pDx);
}
