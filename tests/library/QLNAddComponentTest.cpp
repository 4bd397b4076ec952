// Registration of the report-object categories through the system's component-categories
// manager, read back through the same manager and the registry.
#include "QLNAddComponent.h"

#include <gtest/gtest.h>

#include <comcat.h>
#include <wrl/client.h>

#include <climits>
#include <string>
#include <thread>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// Written out again here, not taken from the library: these are the identifiers and texts
// already in the field.
const struct { GUID id; const wchar_t* description; } kCategories[] = {
    {{0x26CBEB70, 0x59FC, 0x11D1, {0x84, 0xD1, 0x00, 0x00, 0xC0, 0x7A, 0x4C, 0xF5}}, L"Halverin Report Objects"},
    {{0x26CBEB71, 0x59FC, 0x11D1, {0x84, 0xD1, 0x00, 0x00, 0xC0, 0x7A, 0x4C, 0xF5}}, L"Halverin Report Text Objects"},
    {{0x26CBEB72, 0x59FC, 0x11D1, {0x84, 0xD1, 0x00, 0x00, 0xC0, 0x7A, 0x4C, 0xF5}}, L"Halverin Report Repeating Section"},
    {{0x26CBEB73, 0x59FC, 0x11D1, {0x84, 0xD1, 0x00, 0x00, 0xC0, 0x7A, 0x4C, 0xF5}}, L"Halverin Report Table Objects"},
    {{0x473F69A1, 0x022F, 0x11D3, {0xBB, 0xA5, 0x00, 0x10, 0x5A, 0x39, 0x69, 0xB4}}, L"Halverin Graphical Report Table Objects"},
    {{0x5B7559C0, 0x91EB, 0x11D1, {0xB7, 0x3B, 0x00, 0xA0, 0x24, 0x4A, 0xCB, 0xE8}}, L"Halverin Report Graphical Objects"},
};

std::wstring Key(const wchar_t* parent, REFGUID guid)
{
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return std::wstring(parent) + L"\\" + text;
}

bool KeyExists(const std::wstring& subKey)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

ComPtr<ICatInformation> CategoryInformation()
{
    ComPtr<ICatInformation> information;
    ::CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, IID_ICatInformation,
                       reinterpret_cast<void**>(information.GetAddressOf()));
    return information;
}

// The manager's listing in the system locale is how a report designer finds the categories.
void ExpectAllSixCategoriesListed()
{
    ComPtr<IEnumCATEGORYINFO> enumerator;
    ASSERT_EQ(S_OK, CategoryInformation()->EnumCategories(0x0800, enumerator.GetAddressOf()));
    std::vector<std::wstring> listed(6);
    CATEGORYINFO info;
    ULONG fetched = 0;
    while (enumerator->Next(1, &info, &fetched) == S_OK && fetched == 1)
        for (size_t i = 0; i < 6; ++i)
            if (info.catid == kCategories[i].id)
                listed[i] = info.szDescription;
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(kCategories[i].description, listed[i]) << "category " << i;
}

// Each test enters a class of its own, made up for it, and removes it again; categories the
// test registered for the first time are removed too, and ones that were there stay.
class AddComponentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, ::CoCreateGuid(&m_classId));
        for (const auto& category : kCategories)
            m_hadCategory.push_back(KeyExists(Key(L"Component Categories", category.id)));
    }
    void TearDown() override
    {
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, ClassKey().c_str());
        for (size_t i = 0; i < m_hadCategory.size(); ++i)
            if (!m_hadCategory[i])
                ::RegDeleteTreeW(HKEY_CLASSES_ROOT, Key(L"Component Categories", kCategories[i].id).c_str());
    }

    std::wstring ClassKey() const { return Key(L"CLSID", m_classId); }
    std::vector<std::wstring> ImplementedCategories() const
    {
        std::vector<std::wstring> categories;
        ComPtr<IEnumCATID> enumerator;
        if (FAILED(CategoryInformation()->EnumImplCategoriesOfClass(m_classId, enumerator.GetAddressOf())))
            return categories;
        CATID id;
        ULONG fetched = 0;
        while (enumerator->Next(1, &id, &fetched) == S_OK && fetched == 1)
            categories.push_back(Key(L"", id));
        return categories;
    }

    CLSID m_classId = {};
    std::vector<bool> m_hadCategory;
};

} // namespace

TEST_F(AddComponentTest, EachIndexEntersTheClassIntoExactlyThatCategoryAndEveryCallRegistersAllSix)
{
    // An index outside the table registers the categories and enters nothing: not a failure.
    for (int index : {6, -1, INT_MAX, INT_MIN}) {
        EXPECT_EQ(1, fnAddComponent(index, m_classId)) << index;
        EXPECT_FALSE(KeyExists(ClassKey())) << index;
    }
    ExpectAllSixCategoriesListed();

    // Index 4 in particular is the one identifier outside the 26CBEB7x series.
    for (int index = 0; index < 6; ++index) {
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, ClassKey().c_str());
        ASSERT_EQ(1, fnAddComponent(index, m_classId));
        EXPECT_EQ(std::vector<std::wstring>{Key(L"", kCategories[index].id)}, ImplementedCategories()) << index;
    }
    // A second call for the same class succeeds and changes nothing.
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, ClassKey().c_str());
    ASSERT_EQ(1, fnAddComponent(QLN_CATEGORY_TABLE_OBJECTS, m_classId));
    ASSERT_EQ(1, fnAddComponent(QLN_CATEGORY_TABLE_OBJECTS, m_classId));
    EXPECT_EQ(std::vector<std::wstring>{Key(L"", kCategories[3].id)}, ImplementedCategories());
    ExpectAllSixCategoriesListed();
}

// A thread that never initialised COM cannot create the manager: the first stage fails, the
// call reports 0 and leaves nothing behind.
TEST_F(AddComponentTest, FailsWithoutComOnTheCallingThread)
{
    int result = -1;
    const CLSID classId = m_classId;
    std::thread([&result, classId] { result = fnAddComponent(QLN_CATEGORY_REPORT_OBJECTS, classId); }).join();
    EXPECT_EQ(0, result);
    EXPECT_FALSE(KeyExists(ClassKey()));
}
