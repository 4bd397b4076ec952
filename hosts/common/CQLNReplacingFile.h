// A file written beside its destination and moved over it only once it is complete, so that a
// failed or interrupted write leaves whatever was there before untouched.
#pragma once
#include <windows.h>

#include <string>

class CQLNReplacingFile
{
public:
    explicit CQLNReplacingFile(const std::wstring& path);
    CQLNReplacingFile(const CQLNReplacingFile&) = delete;
    CQLNReplacingFile& operator=(const CQLNReplacingFile&) = delete;
    // Removes the temporary file unless Commit moved it into place.
    ~CQLNReplacingFile();

    // Where to write: a fresh name in the destination's folder, so that the final move stays on
    // one volume and replaces the destination in one step.
    const std::wstring& TempPath() const { return m_tempPath; }
    // Whether the destination's folder is there to write into; false with a message otherwise,
    // for writers (a printer's port) that would only report that they failed.
    bool HasFolder(std::wstring& error) const;
    // Writes all of the bytes to the temporary file; false with a message otherwise.
    bool Write(const std::string& bytes, std::wstring& error);
    // Moves the temporary file over the destination.
    bool Commit(std::wstring& error);

    // Writes all of the bytes to an open file and flushes it: ERROR_SUCCESS, or the system's
    // code for why not.
    static DWORD WriteTo(HANDLE hFile, const std::string& bytes);
    // Writes bytes to path through a temporary file.
    static bool WriteAll(const std::wstring& path, const std::string& bytes, std::wstring& error);

private:
    std::wstring m_path;
    std::wstring m_tempPath;
    bool m_bCommitted;
};
