#include <gtest/gtest.h>

#include "platform/win32/guiddef.h"
#include "platform/win32/winerror.h"

TEST(WinDef, SizesMatchThePlatform)
{
    // Stored records (archives, accelerator tables, registry values) depend on these.
    EXPECT_EQ(sizeof(LONG), 4u);
    EXPECT_EQ(sizeof(DWORD), 4u);
    EXPECT_EQ(sizeof(WORD), 2u);
    EXPECT_EQ(sizeof(WCHAR), 2u);
    EXPECT_EQ(sizeof(RECT), 16u);
    EXPECT_EQ(sizeof(POINT), 8u);
    EXPECT_EQ(sizeof(GUID), 16u);
    EXPECT_EQ(sizeof(WPARAM), sizeof(void*));
}

TEST(WinDef, WordMacrosSplitAndJoin)
{
    const LPARAM lp = MAKELPARAM(-5, 300);
    EXPECT_EQ(GET_X_LPARAM(lp), -5);
    EXPECT_EQ(GET_Y_LPARAM(lp), 300);
    EXPECT_EQ(LOWORD(0x12345678), 0x5678);
    EXPECT_EQ(HIWORD(0x12345678), 0x1234);
    EXPECT_EQ(MAKEWORD(0x34, 0x12), 0x1234);
    EXPECT_EQ(RGB(1, 2, 3), 0x030201u);
    EXPECT_EQ(GetGValue(RGB(1, 2, 3)), 2);
}

TEST(WinError, HresultsFromSystemCodes)
{
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), E_ACCESSDENIED);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_SUCCESS), S_OK);
    EXPECT_TRUE(FAILED(E_FAIL));
    EXPECT_TRUE(SUCCEEDED(S_FALSE));
    EXPECT_EQ(HRESULT_FACILITY(DISP_E_EXCEPTION), FACILITY_DISPATCH);
}
