// One registry value that a test changes, put back as it was when the test ends: the value's
// old type and data, or no value; and keys the test had to create are removed again.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class ScopedRegistryValue
{
public:
    // valueName null: the key's default value.
    ScopedRegistryValue(HKEY hRoot, const std::wstring& subKey, const wchar_t* valueName);
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;
    ~ScopedRegistryValue();

    void SetString(DWORD type, const std::wstring& text) { Set(type, text.c_str(), (text.size() + 1) * sizeof(wchar_t)); }
    void SetDword(DWORD value) { Set(REG_DWORD, &value, sizeof value); }
    void Delete() { ::RegDeleteKeyValueW(m_hRoot, m_subKey.c_str(), Name()); }

private:
    void Set(DWORD type, const void* data, size_t size)
    {
        ::RegSetKeyValueW(m_hRoot, m_subKey.c_str(), Name(), type, data, static_cast<DWORD>(size));
    }
    const wchar_t* Name() const { return m_bHasName ? m_valueName.c_str() : nullptr; }

    HKEY m_hRoot;
    std::wstring m_subKey;
    std::wstring m_valueName;
    bool m_bHasName;
    // The outermost key of subKey that did not exist: removed with everything below it.
    std::wstring m_createdKey;
    bool m_bHadValue = false;
    DWORD m_oldType = REG_NONE;
    std::vector<BYTE> m_oldData;
};
