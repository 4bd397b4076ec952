// The library's own strings reach a dependent library's code once it has called
// QLV_BaseLibInit, and leave the chain when it unloads.
#include "CDynLinkLibrary.h"
#include "QLNBaseRes.h"

#include <gtest/gtest.h>

namespace {

using LoadFn = int (*)(UINT, wchar_t*, int);

} // namespace

TEST(LibraryStrings, DependentLibraryFindsThemThroughTheChain)
{
    const HMODULE hBase = ::GetModuleHandleW(L"QLNBase.dll");
    ASSERT_NE(nullptr, hBase);
    ASSERT_EQ(nullptr, AfxFindStringResourceHandle(IDS_QLN_BLANK_LINE_DESCRIPTION));

    const HMODULE hDependent = ::LoadLibraryW(L"content_dependent.dll");
    ASSERT_NE(nullptr, hDependent);
    const auto load = reinterpret_cast<LoadFn>(::GetProcAddress(hDependent, "LoadStringFromDependent"));
    ASSERT_NE(nullptr, load);

    wchar_t text[64] = {};
    EXPECT_EQ(10, load(IDS_QLN_BLANK_LINE_DESCRIPTION, text, 64));
    EXPECT_STREQ(L"Blank line", text);
    EXPECT_EQ(8, load(IDS_QLN_HEADING_DESCRIPTION, text, 64));
    EXPECT_STREQ(L"Heading:", text);
    EXPECT_EQ(-1, load(2999, text, 64));
    EXPECT_EQ(hBase, AfxFindStringResourceHandle(IDS_QLN_BLANK_LINE_DESCRIPTION));

    ::FreeLibrary(hDependent);
    EXPECT_EQ(nullptr, AfxFindStringResourceHandle(IDS_QLN_BLANK_LINE_DESCRIPTION));
}
