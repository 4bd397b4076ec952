#include "CQLNReplacingFile.h"

#include "CQLNTextObjError.h"

#include <algorithm>

CQLNReplacingFile::CQLNReplacingFile(const std::wstring& path) : m_path(path), m_bCommitted(false)
{
    // The name is unique per process and call; the process id keeps two hosts apart.
    static unsigned s_nSerial = 0;
    wchar_t suffix[64];
    swprintf(suffix, 64, L".%lu-%u.tmp", static_cast<unsigned long>(::GetCurrentProcessId()), ++s_nSerial);
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    m_tempPath = (slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1)) + L"~" + name + suffix;
}

CQLNReplacingFile::~CQLNReplacingFile()
{
    if (!m_bCommitted)
        ::DeleteFileW(m_tempPath.c_str());
}

bool CQLNReplacingFile::Write(const std::string& bytes, std::wstring& error)
{
    const HANDLE hFile = ::CreateFileW(m_tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        error = L"cannot write " + m_path + L": " + CQLNTextObjError::Describe(HRESULT_FROM_WIN32(::GetLastError()));
        return false;
    }
    size_t done = 0;
    bool ok = true;
    DWORD lastError = ERROR_SUCCESS;
    while (ok && done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        ok = ::WriteFile(hFile, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
        if (!ok)
            lastError = ::GetLastError();
        done += written;
    }
    // A full disk may only show when the data is flushed.
    if (ok && !::FlushFileBuffers(hFile)) {
        ok = false;
        lastError = ::GetLastError();
    }
    if (!::CloseHandle(hFile) && ok) {
        ok = false;
        lastError = ::GetLastError();
    }
    if (!ok)
        error = L"cannot write " + m_path + L": " + CQLNTextObjError::Describe(HRESULT_FROM_WIN32(lastError));
    return ok;
}

bool CQLNReplacingFile::Commit(std::wstring& error)
{
    if (!::MoveFileExW(m_tempPath.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = L"cannot replace " + m_path + L": " + CQLNTextObjError::Describe(HRESULT_FROM_WIN32(::GetLastError()));
        return false;
    }
    m_bCommitted = true;
    return true;
}

bool CQLNReplacingFile::WriteAll(const std::wstring& path, const std::string& bytes, std::wstring& error)
{
    CQLNReplacingFile file(path);
    return file.Write(bytes, error) && file.Commit(error);
}
