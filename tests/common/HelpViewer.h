// The system's HTML Help viewer as a user sees it: a window of another process, with the
// contents of the help file in a tree beside the topic it shows.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace qlntest {

class HelpViewer
{
public:
    // The viewer's window on screen, if one is (never one of this process).
    static HWND Find()
    {
        for (HWND h = ::FindWindowExW(nullptr, nullptr, L"HH Parent", nullptr); h != nullptr;
             h = ::FindWindowExW(nullptr, h, L"HH Parent", nullptr)) {
            DWORD processId = 0;
            ::GetWindowThreadProcessId(h, &processId);
            if (processId != ::GetCurrentProcessId() && ::IsWindowVisible(h))
                return h;
        }
        return nullptr;
    }

    // The title, as the contents name it, of the topic the viewer shows: its Sync command
    // selects the contents entry of the page it loaded, which is then read from its process.
    static std::wstring Topic(HWND hViewer)
    {
        DWORD_PTR result = 0;
        const UINT kSync = 206;   // IDTB_SYNC
        if (!::SendMessageTimeoutW(hViewer, WM_COMMAND, MAKEWPARAM(kSync, BN_CLICKED), 0, SMTO_ABORTIFHUNG, 3000, &result))
            return L"(the viewer does not answer)";
        const HWND hTree = FindTree(hViewer);
        if (hTree == nullptr)
            return L"(no contents)";
        const auto hItem = reinterpret_cast<HTREEITEM>(::SendMessageW(hTree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        if (hItem == nullptr)
            return L"(no topic selected)";
        DWORD processId = 0;
        ::GetWindowThreadProcessId(hTree, &processId);
        const HANDLE hProcess = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (hProcess == nullptr)
            return L"(the viewer's process cannot be read)";
        // The tree's item goes through memory of the viewer's process, where the tree writes.
        const size_t kTextChars = 256;
        auto* pRemote = static_cast<BYTE*>(::VirtualAllocEx(hProcess, nullptr, sizeof(TVITEMW) + kTextChars * sizeof(wchar_t),
                                                            MEM_COMMIT, PAGE_READWRITE));
        std::wstring text = L"(the viewer's process cannot be read)";
        if (pRemote != nullptr) {
            TVITEMW item = {};
            item.mask = TVIF_TEXT;
            item.hItem = hItem;
            item.pszText = reinterpret_cast<LPWSTR>(pRemote + sizeof(TVITEMW));
            item.cchTextMax = static_cast<int>(kTextChars);
            wchar_t sz[kTextChars + 1] = {};
            if (::WriteProcessMemory(hProcess, pRemote, &item, sizeof(item), nullptr) &&
                ::SendMessageW(hTree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pRemote)) &&
                ::ReadProcessMemory(hProcess, item.pszText, sz, kTextChars * sizeof(wchar_t), nullptr))
                text = sz;
            ::VirtualFreeEx(hProcess, pRemote, 0, MEM_RELEASE);
        }
        ::CloseHandle(hProcess);
        return text;
    }

private:
    static HWND FindTree(HWND hParent)
    {
        for (HWND h = ::GetWindow(hParent, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
            wchar_t szClass[32] = {};
            ::GetClassNameW(h, szClass, 32);
            if (::lstrcmpW(szClass, WC_TREEVIEWW) == 0)
                return h;
            if (const HWND hFound = FindTree(h))
                return hFound;
        }
        return nullptr;
    }
};

} // namespace qlntest
