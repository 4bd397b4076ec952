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
    DWORD lastError = hFile == INVALID_HANDLE_VALUE ? ::GetLastError() : WriteTo(hFile, bytes);
    if (hFile != INVALID_HANDLE_VALUE && !::CloseHandle(hFile) && lastError == ERROR_SUCCESS)
        lastError = ::GetLastError();
    if (lastError != ERROR_SUCCESS)
        error = L"cannot write " + m_path + L": " + CQLNTextObjError::Describe(HRESULT_FROM_WIN32(lastError));
    return lastError == ERROR_SUCCESS;
}

DWORD CQLNReplacingFile::WriteTo(HANDLE hFile, const std::string& bytes)
{
    for (size_t done = 0; done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(hFile, bytes.data() + done, chunk, &written, nullptr))
            return ::GetLastError();
        // A disk that fills up during a write takes part of it and reports success; the next
        // write then fails with the reason, or takes nothing at all.
        if (written == 0)
            return ERROR_DISK_FULL;
        done += written;
    }
    // A full disk may only show when the data is flushed.
    return ::FlushFileBuffers(hFile) ? ERROR_SUCCESS : ::GetLastError();
}

bool CQLNReplacingFile::Commit(std::wstring& error)
{
    // The platform refuses to move a file over a read-only one; Wine's MoveFileEx replaces it and
    // the mark is lost with it. The user's mark holds here as it does there.
    const DWORD dwAttributes = ::GetFileAttributesW(m_path.c_str());
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        error = L"cannot replace " + m_path + L": " + CQLNTextObjError::Describe(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
        return false;
    }
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

bool CQLNReplacingFile::HasFolder(std::wstring& error) const
{
    const size_t slash = m_tempPath.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : m_tempPath.substr(0, slash + 1);
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    error = L"cannot write " + m_path + L": its folder does not exist";
    return false;
}
