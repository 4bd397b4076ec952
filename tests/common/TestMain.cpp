// Test programs run as a host would: OLE initialised on the one user-interface thread.
#include <gtest/gtest.h>

#include <ole2.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const HRESULT hr = ::OleInitialize(nullptr);
    const int result = RUN_ALL_TESTS();
    if (SUCCEEDED(hr))
        ::OleUninitialize();
    return result;
}
