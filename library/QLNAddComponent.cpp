#include "QLNAddComponent.h"

#include "CString.h"

#include <comcat.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

// The identifiers and descriptions are registry data that report designers search for: they
// must never change. 0x0800 is LOCALE_SYSTEM_DEFAULT, the locale the descriptions are filed under.
const CATEGORYINFO g_categories[] = {
    {{0x26CBEB70, 0x59FC, 0x11D1, {0x84, 0xD1, 0x00, 0x00, 0xC0, 0x7A, 0x4C, 0xF5}}, 0x0800,
     L"Halverin Report Objects"},
    {{0x26CBEB71, 0x59FC, 0x11D1, {0x84, 0xD1, 0x00, 0x00, 0xC0, 0x7A, 0x4C, 0xF5}}, 0x0800,
     L"Halverin Report Text Objects"},
    {{0x26CBEB72, 0x59FC, 0x11D1, {0x84, 0xD1, 0x00, 0x00, 0xC0, 0x7A, 0x4C, 0xF5}}, 0x0800,
     L"Halverin Report Repeating Section"},
    {{0x26CBEB73, 0x59FC, 0x11D1, {0x84, 0xD1, 0x00, 0x00, 0xC0, 0x7A, 0x4C, 0xF5}}, 0x0800,
     L"Halverin Report Table Objects"},
    {{0x473F69A1, 0x022F, 0x11D3, {0xBB, 0xA5, 0x00, 0x10, 0x5A, 0x39, 0x69, 0xB4}}, 0x0800,
     L"Halverin Graphical Report Table Objects"},
    {{0x5B7559C0, 0x91EB, 0x11D1, {0xB7, 0x3B, 0x00, 0xA0, 0x24, 0x4A, 0xCB, 0xE8}}, 0x0800,
     L"Halverin Report Graphical Objects"},
};
const int g_categoryCount = static_cast<int>(sizeof(g_categories) / sizeof(g_categories[0]));

// In-process server, in-process handler, local server and remote server: the manager may live
// wherever the system keeps it.
const DWORD g_managerContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER
                               | CLSCTX_REMOTE_SERVER;

// Writes the stage and the system's text for the code to the debug trace; shows nothing.
int ReportFailure(const wchar_t* stage, HRESULT hr)
{
    wchar_t* systemText = nullptr;
    ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                         | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, static_cast<DWORD>(hr), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                     reinterpret_cast<LPWSTR>(&systemText), 0, nullptr);
    CString line;
    line.Format(L"%s (0x%08lX) %s\n", stage, static_cast<unsigned long>(hr),
                systemText != nullptr ? systemText : L"");
    ::OutputDebugStringW(line.GetString());
    if (systemText != nullptr)
        ::LocalFree(systemText);
    return 0;
}

} // namespace

int fnAddComponent(int categoryIndex, REFCLSID classId)
{
    ComPtr<ICatInformation> information;
    HRESULT hr = ::CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, g_managerContext,
                                    IID_ICatInformation, reinterpret_cast<void**>(information.GetAddressOf()));
    if (FAILED(hr))
        return ReportFailure(L"main: Could not create component category manager.", hr);

    // Declared after the manager so that it is released first, on every path.
    ComPtr<ICatRegister> registrar;
    hr = information->QueryInterface(IID_ICatRegister, reinterpret_cast<void**>(registrar.GetAddressOf()));
    if (FAILED(hr))
        return ReportFailure(L"Attempt to query for ICatRegister failed.", hr);

    hr = registrar->RegisterCategories(g_categoryCount, const_cast<CATEGORYINFO*>(g_categories));
    if (FAILED(hr))
        return ReportFailure(L"RegisterCategory: Registering the component category failed.", hr);

    if (categoryIndex >= 0 && categoryIndex < g_categoryCount) {
        CATID category = g_categories[categoryIndex].catid;
        hr = registrar->RegisterClassImplCategories(classId, 1, &category);
        if (FAILED(hr))
            return ReportFailure(L"AddComponent: Adding component to category failed.", hr);
    }
    return 1;
}
