#pragma once
#include <windows.h>

#include <filesystem>
#include <string>

namespace E2e {

// A fresh folder under the temporary folder, removed with its files afterwards.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        static unsigned s_nSerial = 0;
        m_path = std::filesystem::temp_directory_path() /
                 (L"qln-e2e-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++s_nSerial));
        std::filesystem::create_directories(m_path);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::wstring Path(const std::wstring& name) const { return (m_path / name).wstring(); }

private:
    std::filesystem::path m_path;
};

} // namespace E2e
