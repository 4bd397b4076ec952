#include "ScopedRegistryValue.h"

namespace {

bool KeyExists(HKEY hRoot, const std::wstring& subKey)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(hRoot, subKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

} // namespace

ScopedRegistryValue::ScopedRegistryValue(HKEY hRoot, const std::wstring& subKey, const wchar_t* valueName)
    : m_hRoot(hRoot), m_subKey(subKey), m_valueName(valueName != nullptr ? valueName : L""),
      m_bHasName(valueName != nullptr)
{
    for (size_t end = 0; end != std::wstring::npos;) {
        end = subKey.find(L'\\', end + 1);
        const std::wstring prefix = subKey.substr(0, end);
        if (!KeyExists(hRoot, prefix)) {
            m_createdKey = prefix;
            return;
        }
    }
    HKEY hKey = nullptr;
    ::RegOpenKeyExW(hRoot, subKey.c_str(), 0, KEY_READ, &hKey);
    DWORD size = 0;
    const wchar_t* name = m_bHasName ? m_valueName.c_str() : nullptr;
    if (::RegQueryValueExW(hKey, name, nullptr, &m_oldType, nullptr, &size) == ERROR_SUCCESS) {
        m_oldData.resize(size);
        m_bHadValue = ::RegQueryValueExW(hKey, name, nullptr, &m_oldType, m_oldData.data(), &size)
                      == ERROR_SUCCESS;
    }
    ::RegCloseKey(hKey);
}

ScopedRegistryValue::~ScopedRegistryValue()
{
    if (!m_createdKey.empty()) {
        ::RegDeleteTreeW(m_hRoot, m_createdKey.c_str());
        return;
    }
    if (m_bHadValue)
        Set(m_oldType, m_oldData.data(), static_cast<DWORD>(m_oldData.size()));
    else
        Delete();
}

void ScopedRegistryValue::SetString(DWORD type, const std::wstring& text)
{
    Set(type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void ScopedRegistryValue::SetDword(DWORD value)
{
    Set(REG_DWORD, &value, sizeof value);
}

void ScopedRegistryValue::Delete()
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(m_hRoot, m_subKey.c_str(), 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS)
        return;
    ::RegDeleteValueW(hKey, m_bHasName ? m_valueName.c_str() : nullptr);
    ::RegCloseKey(hKey);
}

void ScopedRegistryValue::Set(DWORD type, const void* data, DWORD size)
{
    HKEY hKey = nullptr;
    if (::RegCreateKeyExW(m_hRoot, m_subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey,
                          nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(hKey, m_bHasName ? m_valueName.c_str() : nullptr, 0, type,
                     static_cast<const BYTE*>(data), size);
    ::RegCloseKey(hKey);
}
