#include "ScopedRegistryValue.h"

ScopedRegistryValue::ScopedRegistryValue(HKEY hRoot, const std::wstring& subKey, const wchar_t* valueName)
    : m_hRoot(hRoot), m_subKey(subKey), m_valueName(valueName != nullptr ? valueName : L""),
      m_bHasName(valueName != nullptr)
{
    for (size_t end = 0; end != std::wstring::npos;) {
        end = subKey.find(L'\\', end + 1);
        HKEY hKey = nullptr;
        if (::RegOpenKeyExW(hRoot, subKey.substr(0, end).c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS) {
            m_createdKey = subKey.substr(0, end);
            return;
        }
        ::RegCloseKey(hKey);
    }
    DWORD size = 0;
    const DWORD flags = RRF_RT_ANY | RRF_NOEXPAND;
    if (::RegGetValueW(hRoot, subKey.c_str(), Name(), flags, &m_oldType, nullptr, &size) == ERROR_SUCCESS) {
        m_oldData.resize(size);
        m_bHadValue = ::RegGetValueW(hRoot, subKey.c_str(), Name(), flags, &m_oldType, m_oldData.data(), &size)
                      == ERROR_SUCCESS;
        m_oldData.resize(size);
    }
}

ScopedRegistryValue::~ScopedRegistryValue()
{
    if (!m_createdKey.empty())
        ::RegDeleteTreeW(m_hRoot, m_createdKey.c_str());
    else if (m_bHadValue)
        Set(m_oldType, m_oldData.data(), m_oldData.size());
    else
        Delete();
}
