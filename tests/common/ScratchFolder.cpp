#include "ScratchFolder.h"

namespace E2e {

ScratchFolder::ScratchFolder()
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    static unsigned s_nSerial = 0;
    wchar_t name[64];
    swprintf(name, 64, L"qln-e2e-%lu-%u", static_cast<unsigned long>(::GetCurrentProcessId()), ++s_nSerial);
    m_path = std::wstring(temp) + name;
    ::CreateDirectoryW(m_path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder()
{
    WIN32_FIND_DATAW data;
    const HANDLE hFind = ::FindFirstFileW((m_path + L"\\*").c_str(), &data);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            ::DeleteFileW(Path(data.cFileName).c_str());
        } while (::FindNextFileW(hFind, &data));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryW(m_path.c_str());
}

} // namespace E2e
