#include "E2eSupport.h"

#include <thread>

namespace E2e {

const wchar_t kProgId[] = L"QLNSample.TextCtrl";

std::wstring BinDirectory()
{
    wchar_t path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    return dir.substr(0, dir.find_last_of(L"\\/") + 1);
}

namespace {

std::string Drain(HANDLE hRead)
{
    std::string data;
    char buf[4096];
    DWORD n = 0;
    while (::ReadFile(hRead, buf, sizeof buf, &n, nullptr) && n != 0)
        data.append(buf, n);
    return data;
}

} // namespace

ProcessResult Run(const std::wstring& commandLine)
{
    ProcessResult result;
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
    if (!::CreatePipe(&outRead, &outWrite, &sa, 0) || !::CreatePipe(&errRead, &errWrite, &sa, 0))
        return result;
    ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = outWrite;
    si.hStdError = errWrite;
    PROCESS_INFORMATION pi = {};
    std::wstring cmd = commandLine;
    const BOOL started = ::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    ::CloseHandle(outWrite);
    ::CloseHandle(errWrite);
    if (started) {
        // Both pipes are read at once, so that a child filling one never waits on the other.
        std::thread errReader([&] { result.err = Drain(errRead); });
        result.out = Drain(outRead);
        errReader.join();
        ::WaitForSingleObject(pi.hProcess, INFINITE);
        ::GetExitCodeProcess(pi.hProcess, &result.exitCode);
        ::CloseHandle(pi.hProcess);
        ::CloseHandle(pi.hThread);
    }
    ::CloseHandle(outRead);
    ::CloseHandle(errRead);
    return result;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD n = 0;
    const BOOL ok = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    ::CloseHandle(h);
    return ok && n == bytes.size();
}

std::string ReadBytes(const std::wstring& path)
{
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    std::string data;
    char buf[4096];
    DWORD n = 0;
    while (::ReadFile(h, buf, sizeof buf, &n, nullptr) && n != 0)
        data.append(buf, n);
    ::CloseHandle(h);
    return data;
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace E2e
