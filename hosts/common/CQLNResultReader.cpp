#include "CQLNResultReader.h"

#include "CQLNTextPropertyBag.h"
#include "CQLNUnixProgram.h"

#include <windows.h>

#include <cwctype>

namespace {

std::wstring Widened(const std::string& utf8)
{
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], n);
    return wide;
}

// The reader beside this program, as the system underneath names it; the bare name, found on its
// search path, when there is none.
std::string ReaderProgram()
{
    wchar_t szModule[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, szModule, MAX_PATH);
    std::wstring beside = n > 0 && n < MAX_PATH ? std::wstring(szModule, n) : std::wstring();
    const size_t slash = beside.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
        beside = beside.substr(0, slash + 1) + L"qlnresult";
        if (::GetFileAttributesW(beside.c_str()) != INVALID_FILE_ATTRIBUTES) {
            const std::string unixPath = CQLNUnixProgram::UnixPath(beside);
            if (!unixPath.empty())
                return unixPath;
        }
    }
    return "qlnresult";
}

// A file of the temporary folder that is removed with the object.
class TempFile
{
public:
    TempFile()
    {
        wchar_t szFolder[MAX_PATH];
        wchar_t szFile[MAX_PATH];
        const DWORD n = ::GetTempPathW(MAX_PATH, szFolder);
        if (n > 0 && n < MAX_PATH && ::GetTempFileNameW(szFolder, L"qlr", 0, szFile) != 0)
            m_path = szFile;
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile()
    {
        if (!m_path.empty())
            ::DeleteFileW(m_path.c_str());
    }
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
};

} // namespace

bool CQLNResultReader::IsResultFile(const std::wstring& path)
{
    if (path.size() < 4)
        return false;
    std::wstring ext = path.substr(path.size() - 4);
    for (wchar_t& c : ext)
        c = static_cast<wchar_t>(std::towlower(c));
    return ext == L".cdf";
}

bool CQLNResultReader::Read(const std::wstring& path, std::string& dataText, std::wstring& error)
{
    if (!CQLNUnixProgram::Available()) {
        error = L"cannot read " + path + L": result files are read by a program of the system underneath, which needs Wine";
        return false;
    }
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        error = L"cannot read " + path + L": the file does not exist";
        return false;
    }
    TempFile out;
    const std::string unixIn = CQLNUnixProgram::UnixPath(path);
    const std::string unixOut = out.Path().empty() ? std::string() : CQLNUnixProgram::UnixPath(out.Path());
    if (unixIn.empty() || unixOut.empty()) {
        error = L"cannot read " + path + L": no name for it or for a temporary file on the system underneath";
        return false;
    }
    const bool bRead = CQLNUnixProgram::Run({ReaderProgram(), unixIn, unixOut});
    std::wstring readError;
    if (!CQLNTextPropertyBag::ReadBytes(out.Path(), dataText, readError))
        dataText.clear();
    if (bRead)
        return true;
    // On refusal the reader's output is its message, one line.
    std::string message = dataText.substr(0, dataText.find('\n'));
    // The reader names the file as the system underneath does; the person named it otherwise.
    const size_t at = message.find(unixIn);
    const std::wstring named = at == std::string::npos ? Widened(message)
                                                       : Widened(message.substr(0, at)) + path + Widened(message.substr(at + unixIn.size()));
    error = named.empty() ? L"cannot read " + path + L": the result reader (qlnresult) did not run or failed" : named;
    dataText.clear();
    return false;
}
