#include "CQLNResultSequence.h"

#include "CQLNTextPropertyBag.h"

#include <windows.h>

#include <algorithm>

namespace {

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring Widened(const std::string& utf8)
{
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], n);
    return wide;
}

bool IsRelative(const std::wstring& path)
{
    return !(path.size() >= 2 && path[1] == L':') && !(!path.empty() && (path[0] == L'\\' || path[0] == L'/'));
}

} // namespace

bool CQLNResultSequence::Expand(const std::vector<CQLNPageOptions::Results>& sources, std::vector<std::wstring>& files,
                                std::wstring& error)
{
    for (const CQLNPageOptions::Results& source : sources) {
        if (source.bList) {
            if (!ListFiles(source.strPath, files, error))
                return false;
        } else if (IsFolder(source.strPath)) {
            if (!FolderFiles(source.strPath, files, error))
                return false;
        } else {
            files.push_back(source.strPath);
        }
    }
    return true;
}

bool CQLNResultSequence::FolderFiles(const std::wstring& folder, std::vector<std::wstring>& files, std::wstring& error)
{
    const std::wstring prefix = folder + (folder.back() == L'\\' || folder.back() == L'/' ? L"" : L"\\");
    std::vector<std::wstring> found;
    WIN32_FIND_DATAW data;
    const HANDLE hFind = ::FindFirstFileW((prefix + L"*.cdf").c_str(), &data);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                found.push_back(data.cFileName);
        } while (::FindNextFileW(hFind, &data));
        ::FindClose(hFind);
    }
    if (found.empty()) {
        error = L"the folder " + folder + L" holds no result file (.cdf)";
        return false;
    }
    // By name, as a person reads the folder: case apart, and run10 after run9.
    std::sort(found.begin(), found.end(), [](const std::wstring& a, const std::wstring& b) {
        return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE | SORT_DIGITSASNUMBERS, a.c_str(), -1, b.c_str(), -1) ==
               CSTR_LESS_THAN;
    });
    for (const std::wstring& name : found)
        files.push_back(prefix + name);
    return true;
}

bool CQLNResultSequence::ListFiles(const std::wstring& list, std::vector<std::wstring>& files, std::wstring& error)
{
    std::string bytes;
    if (!CQLNTextPropertyBag::ReadBytes(list, bytes, error))
        return false;
    const size_t slash = list.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : list.substr(0, slash + 1);
    std::wstring text = Widened(bytes);
    // A byte-order mark some editors write is no part of the first name.
    if (!text.empty() && text[0] == 0xFEFF)
        text.erase(0, 1);
    size_t start = 0;
    const size_t nBefore = files.size();
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && (line.back() == L'\r' || line.back() == L' ' || line.back() == L'\t'))
            line.pop_back();
        line.erase(0, std::min(line.size(), line.find_first_not_of(L" \t")));
        if (line.empty() || line[0] == L'#')
            continue;
        files.push_back(IsRelative(line) ? folder + line : line);
    }
    if (files.size() == nBefore) {
        error = L"the list " + list + L" names no result";
        return false;
    }
    return true;
}
