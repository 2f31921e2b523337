// MessageBeep makes no sound here; it leaves a record a test can read.
#include <gtest/gtest.h>

#include "platform/win32/user/BeepTrace.h"
#include "platform/win32/user/winuser.h"

namespace {

TEST(BeepTraceTest, EveryBeepIsRecordedInOrderUntilReset)
{
    tw::user::ResetBeepTrace();
    EXPECT_TRUE(MessageBeep((UINT)-1));
    EXPECT_TRUE(MessageBeep(MB_ICONHAND));
    EXPECT_EQ(tw::user::BeepTrace(), (std::vector<UINT>{(UINT)-1, MB_ICONHAND}));
    tw::user::ResetBeepTrace();
    EXPECT_TRUE(tw::user::BeepTrace().empty());
}

}  // namespace
