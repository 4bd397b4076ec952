#include "CQLNPdfPrinter.h"

#include "CQLNTextObjError.h"
#include "CQLNUnixProgram.h"

#include <winspool.h>

#include <vector>

namespace {

// A path as one word of a POSIX shell command: in single quotes, each quote closed, escaped and
// reopened.
std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// A path as Ghostscript's output file: it reads the name as a pattern in which "%d" and the like
// stand for the page number, and "%%" for a percent sign.
std::string GhostscriptOutputName(const std::string& path)
{
    std::string name;
    for (const char c : path)
        name += c == '%' ? std::string("%%") : std::string(1, c);
    return name;
}

std::wstring Widened(const std::string& utf8)
{
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], n);
    return wide;
}

std::wstring SpoolerError(const wchar_t* what)
{
    return what + std::wstring(L": ") + CQLNTextObjError::Describe(HRESULT_FROM_WIN32(::GetLastError()));
}

} // namespace

CQLNPdfPrinter::~CQLNPdfPrinter()
{
    if (!m_strName.empty())
        Remove(m_strName);
}

void CQLNPdfPrinter::Remove(const std::wstring& name)
{
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE hPrinter = nullptr;
    if (::OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &hPrinter, &defaults)) {
        ::DeletePrinter(hPrinter);
        ::ClosePrinter(hPrinter);
    }
}

bool CQLNPdfPrinter::Create(const std::wstring& like, const std::wstring& strPdfPath, std::wstring& error)
{
    const std::string unixPath = CQLNUnixProgram::UnixPath(strPdfPath);
    if (unixPath.empty()) {
        error = L"cannot name " + strPdfPath + L" for Ghostscript: PDF output needs Wine";
        return false;
    }
    HANDLE hLike = nullptr;
    if (!::OpenPrinterW(const_cast<wchar_t*>(like.c_str()), &hLike, nullptr)) {
        error = SpoolerError((L"cannot open the printer " + like).c_str());
        return false;
    }
    DWORD nNeeded = 0;
    ::GetPrinterW(hLike, 2, nullptr, 0, &nNeeded);
    std::vector<BYTE> info(nNeeded > 0 ? nNeeded : 1);
    const BOOL bInfo = ::GetPrinterW(hLike, 2, info.data(), static_cast<DWORD>(info.size()), &nNeeded);
    ::ClosePrinter(hLike);
    if (!bInfo) {
        error = SpoolerError((L"cannot read the settings of the printer " + like).c_str());
        return false;
    }
    const PRINTER_INFO_2W& likeInfo = *reinterpret_cast<const PRINTER_INFO_2W*>(info.data());

    // -dSAFER: the PostScript may read and write no other file.
    const std::wstring port = L"|ps2pdf -dSAFER - " + Widened(ShellQuoted(GhostscriptOutputName(unixPath)));
    const std::wstring name = L"PDF writer " + std::to_wstring(::GetCurrentProcessId());
    // A printer left by a host that died with the same process id goes first.
    Remove(name);
    PRINTER_INFO_2W pi = {};
    pi.pPrinterName = const_cast<wchar_t*>(name.c_str());
    pi.pPortName = const_cast<wchar_t*>(port.c_str());
    pi.pDriverName = likeInfo.pDriverName;
    // Wine's own print processor fails RAW jobs; the generic one passes them to the port.
    pi.pPrintProcessor = const_cast<wchar_t*>(L"winprint");
    pi.pDatatype = const_cast<wchar_t*>(L"RAW");
    pi.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    const HANDLE hPrinter = ::AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&pi));
    if (hPrinter == nullptr) {
        error = SpoolerError(L"cannot add a printer for PDF output");
        return false;
    }
    ::ClosePrinter(hPrinter);
    m_strName = name;
    return true;
}
