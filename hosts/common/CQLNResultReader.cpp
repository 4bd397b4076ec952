#include "CQLNResultReader.h"

#include "CQLNTextPropertyBag.h"
#include "CQLNUnixProgram.h"

#include <windows.h>

#include <cwctype>
#include <memory>

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

namespace {

// The reader's one-line message for a result it refused, naming the file as the person did.
std::wstring Refusal(const std::wstring& path, const std::string& unixPath, const std::string& output)
{
    const std::string message = output.substr(0, output.find('\n'));
    const size_t at = message.find(unixPath);
    const std::wstring named = at == std::string::npos
                                   ? Widened(message)
                                   : Widened(message.substr(0, at)) + path + Widened(message.substr(at + unixPath.size()));
    return named.empty() ? L"cannot read " + path + L": the result reader (qlnresult) did not run or failed" : named;
}

} // namespace

bool CQLNResultReader::Read(const std::wstring& path, std::string& dataText, std::wstring& error)
{
    Outcome outcome = std::move(ReadEach({path}).front());
    dataText = std::move(outcome.dataText);
    error = std::move(outcome.error);
    return outcome.bRead;
}

std::vector<CQLNResultReader::Outcome> CQLNResultReader::ReadEach(const std::vector<std::wstring>& paths)
{
    std::vector<Outcome> outcomes(paths.size());
    if (!CQLNUnixProgram::Available()) {
        for (size_t i = 0; i < paths.size(); ++i)
            outcomes[i].error = L"cannot read " + paths[i] +
                                L": result files are read by a program of the system underneath, which needs Wine";
        return outcomes;
    }
    // The results asked of the reader, by index into paths, with their files' names as the system
    // underneath sees them and a temporary file for what the reader writes of each.
    struct Asked
    {
        size_t nPath;
        std::string unixIn;
        std::unique_ptr<TempFile> out;
        std::string unixOut;
    };
    std::vector<Asked> asked;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (::GetFileAttributesW(paths[i].c_str()) == INVALID_FILE_ATTRIBUTES) {
            outcomes[i].error = L"cannot read " + paths[i] + L": the file does not exist";
            continue;
        }
        Asked one{i, CQLNUnixProgram::UnixPath(paths[i]), std::make_unique<TempFile>(), std::string()};
        one.unixOut = one.out->Path().empty() ? std::string() : CQLNUnixProgram::UnixPath(one.out->Path());
        if (one.unixIn.empty() || one.unixOut.empty()) {
            outcomes[i].error =
                L"cannot read " + paths[i] + L": no name for it or for a temporary file on the system underneath";
            continue;
        }
        asked.push_back(std::move(one));
    }
    if (asked.empty())
        return outcomes;
    TempFile status;
    const std::string unixStatus = status.Path().empty() ? std::string() : CQLNUnixProgram::UnixPath(status.Path());
    std::vector<std::string> statuses;
    if (!unixStatus.empty()) {
        std::vector<std::string> argv = {ReaderProgram(), "--each", unixStatus};
        for (const Asked& one : asked) {
            argv.push_back(one.unixIn);
            argv.push_back(one.unixOut);
        }
        CQLNUnixProgram::Run(argv);
        std::string text;
        std::wstring wideError;
        if (CQLNTextPropertyBag::ReadBytes(status.Path(), text, wideError)) {
            for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
                statuses.push_back(text.substr(start, end - start));
        }
    }
    // A result without a status was not reported on (the run ended early): it is read alone.
    for (size_t k = 0; k < asked.size(); ++k) {
        const Asked& one = asked[k];
        Outcome& outcome = outcomes[one.nPath];
        const bool bRead = k < statuses.size() ? statuses[k] == "read"
                                               : CQLNUnixProgram::Run({ReaderProgram(), one.unixIn, one.unixOut});
        std::wstring readError;
        if (!CQLNTextPropertyBag::ReadBytes(one.out->Path(), outcome.dataText, readError))
            outcome.dataText.clear();
        outcome.bRead = bRead;
        if (!bRead) {
            // On refusal the reader's output is its message, one line.
            outcome.error = Refusal(paths[one.nPath], one.unixIn, outcome.dataText);
            outcome.dataText.clear();
        }
    }
    return outcomes;
}
