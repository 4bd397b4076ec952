// The automation client against the sample text control, created by its ProgID: properties
// read and written by dispatch id with the requested automation types, a method with
// arguments, and a refused conversion that leaves the property as it was.
#include "COleDispatchDriver.h"
#include "COleException.h"
#include "SampleRegistration.h"

#include <gtest/gtest.h>

TEST(DispatchDriverTest, PropertiesByNameThroughTheSampleControl)
{
    E2e::SampleRegistration registration;
    ASSERT_EQ(S_OK, registration.Result());
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch(L"QLNSample.TextCtrl"));
    auto id = [&driver](const wchar_t* pszName) {
        LPOLESTR name = const_cast<LPOLESTR>(pszName);
        DISPID dispid = DISPID_UNKNOWN;
        EXPECT_EQ(S_OK, driver.m_lpDispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &dispid)) << pszName;
        return dispid;
    };
    const DISPID title = id(L"Title"), columns = id(L"NumColumns"), spacing = id(L"VerticalSpacing");

    driver.SetProperty(title, VT_BSTR, L"Run summary");
    CString strTitle;
    driver.GetProperty(title, VT_BSTR, &strTitle);
    EXPECT_STREQ(L"Run summary", strTitle);
    // An int-sized argument sent as a 16-bit property, read back as 32 bits; a string read as 16 bits.
    driver.SetProperty(columns, VT_I2, 2);
    long nColumns = 0;
    driver.GetProperty(columns, VT_I4, &nColumns);
    EXPECT_EQ(2, nColumns);
    driver.SetProperty(spacing, VT_BSTR, L"1");
    short nSpacing = 0;
    driver.GetProperty(spacing, VT_I2, &nSpacing);
    EXPECT_EQ(1, nSpacing);
    driver.SetProperty(id(L"IncludeDataLabel"), VT_BOOL, FALSE);
    BOOL bLabels = TRUE;
    driver.GetProperty(id(L"IncludeDataLabel"), VT_BOOL, &bLabels);
    EXPECT_FALSE(bLabels);
    driver.SetProperty(id(L"TextFields"), VT_BSTR, L"One\r\nTwo\r\nThree");
    long nLines = 0;
    driver.InvokeHelper(id(L"GetLineCount"), DISPATCH_METHOD, VT_I4, &nLines, nullptr);
    EXPECT_EQ(3, nLines);

    // A text that is no number is refused by the control's conversion; the value stays.
    try {
        driver.SetProperty(columns, VT_BSTR, L"many");
        ADD_FAILURE() << "the write was accepted";
    } catch (const COleException& e) {
        EXPECT_EQ(DISP_E_TYPEMISMATCH, e.m_sc);
    }
    driver.GetProperty(columns, VT_I4, &nColumns);
    EXPECT_EQ(2, nColumns);

    // A driver attached without ownership leaves the caller's reference alone.
    IDispatch* pDispatch = driver.DetachDispatch();
    const ULONG nBefore = pDispatch->AddRef();
    pDispatch->Release();
    {
        COleDispatchDriver borrowed;
        borrowed.AttachDispatch(pDispatch, FALSE);
        borrowed.GetProperty(title, VT_BSTR, &strTitle);
    }
    EXPECT_EQ(nBefore, pDispatch->AddRef());
    pDispatch->Release();
    pDispatch->Release();
}
