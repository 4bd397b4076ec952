#include "E2eSupport.h"

#include "CQLNUnixProgram.h"

#include <filesystem>
#include <fstream>
#include <iterator>
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
    // A read of nothing is a writer's empty write, not the end: that is the broken pipe.
    while (::ReadFile(hRead, buf, sizeof buf, &n, nullptr))
        data.append(buf, n);
    return data;
}

} // namespace

ProcessResult Run(const std::wstring& commandLine)
{
    return RunWithin(commandLine, INFINITE);
}

ProcessResult RunWithin(const std::wstring& commandLine, DWORD dwMilliseconds)
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
    // A start refused by a busy machine is tried again; one that still fails says why in err.
    BOOL started = FALSE;
    DWORD dwStartError = 0;
    for (int attempt = 0; !started && attempt < 3; ++attempt) {
        if (attempt > 0)
            ::Sleep(200);
        std::wstring cmd = commandLine;
        started = ::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
        dwStartError = started ? 0 : ::GetLastError();
    }
    ::CloseHandle(outWrite);
    ::CloseHandle(errWrite);
    if (!started)
        result.err = "cannot start the program (error " + std::to_string(dwStartError) + ")";
    if (started) {
        // Both pipes are read at once, so that a child filling one never waits on the other; a
        // child ended for taking too long closes them.
        std::thread errReader([&] { result.err = Drain(errRead); });
        std::thread outReader([&] { result.out = Drain(outRead); });
        if (::WaitForSingleObject(pi.hProcess, dwMilliseconds) == WAIT_TIMEOUT) {
            result.timedOut = true;
            ::TerminateProcess(pi.hProcess, 0xFFFFFFFF);
        }
        outReader.join();
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
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
}

std::string ReadBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool MakeResultFromCdl(const std::wstring& path, const std::string& cdl)
{
    const std::wstring cdlPath = path + L".cdl";
    return WriteBytes(cdlPath, cdl) &&
           CQLNUnixProgram::Run({"ncgen", "-k", "nc3", "-o", CQLNUnixProgram::UnixPath(path), CQLNUnixProgram::UnixPath(cdlPath)});
}

bool MakeResult(const std::wstring& path, const std::string& sample, int nPeaks)
{
    std::string names, times, areas;
    for (int i = 1; i <= nPeaks; ++i) {
        const std::string sep = i < nPeaks ? ", " : "";
        names += "\"" + sample + " " + std::to_string(i) + "\"" + sep;
        times += std::to_string(i * 10) + sep;
        areas += std::to_string(i * 100) + ".5" + sep;
    }
    return MakeResultFromCdl(path, "netcdf r {\ndimensions:\n  _32_byte_string = 32 ; peak_number = " + std::to_string(nPeaks) +
                                       " ; point_number = 4 ;\nvariables:\n  char peak_name(peak_number, _32_byte_string) ;\n"
                                       "  float peak_retention_time(peak_number), peak_area(peak_number) ;\n"
                                       "  float ordinate_values(point_number), actual_run_time_length ;\n"
                                       "  :sample_name = \"" + sample + "\" ; :retention_unit = \"Seconds\" ;\ndata:\n"
                                       "  peak_name = " + names + " ;\n  peak_retention_time = " + times + " ;\n"
                                       "  peak_area = " + areas + " ;\n  ordinate_values = 1, 2, 4, 1 ; actual_run_time_length = 750 ;\n}\n");
}

} // namespace E2e
