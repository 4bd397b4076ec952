// qlnprinter: makes and removes printers driven by Wine's PostScript driver in a Wine prefix,
// through the spooler's documented calls alone, so that no print server has to run.
//   qlnprinter add NAME PORT [--default]   the port: a file path, or "|command" to pipe each job
//   qlnprinter remove NAME
// Exit codes: 0 done, 1 the spooler refused (the message says which step), 2 a bad command line.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const wchar_t g_kszDriver[] = L"QLN PostScript";

int Fail(const wchar_t* step, DWORD error)
{
    fwprintf(stderr, L"qlnprinter: %ls failed (error %lu)\n", step, static_cast<unsigned long>(error));
    return 1;
}

const wchar_t* Environment()
{
#ifdef _WIN64
    return L"Windows x64";
#else
    return L"Windows NT x86";
#endif
}

// The generic description of a PostScript printer that Wine's spooler carries as a resource;
// the driver reads page sizes, resolution and margins from it.
bool WriteGenericPpd(const std::wstring& path)
{
    const HMODULE hSpool = ::GetModuleHandleW(L"winspool.drv");
    const HRSRC hRes = hSpool != nullptr ? ::FindResourceW(hSpool, MAKEINTRESOURCEW(1), L"PPDFILE") : nullptr;
    const HGLOBAL hData = hRes != nullptr ? ::LoadResource(hSpool, hRes) : nullptr;
    const char* pData = hData != nullptr ? static_cast<const char*>(::LockResource(hData)) : nullptr;
    if (pData == nullptr)
        return false;
    // The resource is padded with NULs past the text.
    DWORD nSize = ::SizeofResource(hSpool, hRes);
    for (DWORD i = 0; i < nSize; ++i) {
        if (pData[i] == '\0') {
            nSize = i;
            break;
        }
    }
    const HANDLE hFile = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD nWritten = 0;
    const BOOL bOk = ::WriteFile(hFile, pData, nSize, &nWritten, nullptr) && nWritten == nSize;
    return ::CloseHandle(hFile) && bOk;
}

int AddDriver()
{
    wchar_t szDir[MAX_PATH];
    DWORD nNeeded = 0;
    if (!::GetPrinterDriverDirectoryW(nullptr, const_cast<wchar_t*>(Environment()), 1,
                                      reinterpret_cast<BYTE*>(szDir), sizeof(szDir), &nNeeded))
        return Fail(L"finding the driver folder", ::GetLastError());
    ::CreateDirectoryW(szDir, nullptr);
    const std::wstring strPpd = std::wstring(szDir) + L"\\qln-generic.ppd";
    if (!WriteGenericPpd(strPpd))
        return Fail(L"writing the printer description", ::GetLastError());
    DRIVER_INFO_3W di = {};
    di.cVersion = 3;
    di.pName = const_cast<wchar_t*>(g_kszDriver);
    di.pEnvironment = const_cast<wchar_t*>(Environment());
    di.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
    di.pDataFile = const_cast<wchar_t*>(strPpd.c_str());
    di.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
    di.pDefaultDataType = const_cast<wchar_t*>(L"RAW");
    if (!::AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&di), APD_COPY_NEW_FILES))
        return Fail(L"adding the driver", ::GetLastError());
    return 0;
}

int Remove(const std::wstring& name)
{
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE hPrinter = nullptr;
    if (!::OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &hPrinter, &defaults))
        return Fail(L"opening the printer", ::GetLastError());
    const BOOL bOk = ::DeletePrinter(hPrinter);
    const DWORD error = ::GetLastError();
    ::ClosePrinter(hPrinter);
    return bOk ? 0 : Fail(L"removing the printer", error);
}

int Add(const std::wstring& name, const std::wstring& port, bool bDefault)
{
    if (const int result = AddDriver())
        return result;
    // A printer of that name is replaced, so that running the set-up again changes its port.
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE hOld = nullptr;
    if (::OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &hOld, &defaults)) {
        ::DeletePrinter(hOld);
        ::ClosePrinter(hOld);
    }
    PRINTER_INFO_2W pi = {};
    pi.pPrinterName = const_cast<wchar_t*>(name.c_str());
    pi.pPortName = const_cast<wchar_t*>(port.c_str());
    pi.pDriverName = const_cast<wchar_t*>(g_kszDriver);
    // Wine's own "wineps" processor fails RAW jobs at EndDoc; the generic one passes them on.
    pi.pPrintProcessor = const_cast<wchar_t*>(L"winprint");
    pi.pDatatype = const_cast<wchar_t*>(L"RAW");
    pi.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    const HANDLE hPrinter = ::AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&pi));
    if (hPrinter == nullptr)
        return Fail(L"adding the printer", ::GetLastError());
    ::ClosePrinter(hPrinter);
    if (bDefault && !::SetDefaultPrinterW(name.c_str()))
        return Fail(L"making the printer the default", ::GetLastError());
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == L"remove")
        return Remove(args[1]);
    if ((args.size() == 3 || (args.size() == 4 && args[3] == L"--default")) && args[0] == L"add")
        return Add(args[1], args[2], args.size() == 4);
    fwprintf(stderr, L"usage: qlnprinter add NAME PORT [--default] | qlnprinter remove NAME\n");
    return 2;
}
