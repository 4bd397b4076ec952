#include "CQLNUnixProgram.h"

#include <windows.h>

namespace {

using SpawnFn = LONG(CDECL*)(char* const argv[], int wait);
using UnixNameFn = char*(CDECL*)(LPCWSTR);

SpawnFn Spawn()
{
    return reinterpret_cast<SpawnFn>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "__wine_unix_spawnvp"));
}

UnixNameFn UnixName()
{
    return reinterpret_cast<UnixNameFn>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
}

} // namespace

bool CQLNUnixProgram::Available()
{
    return Spawn() != nullptr && UnixName() != nullptr;
}

std::string CQLNUnixProgram::UnixPath(const std::wstring& path)
{
    // Relative names are taken from the current folder, as Windows takes them.
    const UnixNameFn unixName = UnixName();
    wchar_t szFull[MAX_PATH];
    const DWORD nFull = ::GetFullPathNameW(path.c_str(), MAX_PATH, szFull, nullptr);
    char* psz = unixName != nullptr && nFull > 0 && nFull < MAX_PATH ? unixName(szFull) : nullptr;
    std::string result = psz != nullptr ? psz : "";
    // The name is allocated on the process heap.
    ::HeapFree(::GetProcessHeap(), 0, psz);
    return result;
}

bool CQLNUnixProgram::Run(const std::vector<std::string>& argv)
{
    const SpawnFn spawn = Spawn();
    if (spawn == nullptr || argv.empty())
        return false;
    std::vector<std::string> copies(argv);
    std::vector<char*> args;
    for (std::string& arg : copies)
        args.push_back(&arg[0]);
    args.push_back(nullptr);
    // The status is that of the program, or non-zero when it could not be started.
    return spawn(args.data(), 1) == 0;
}
