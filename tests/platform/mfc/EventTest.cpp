// The framework's event: set by one thread, seen by another, and found by
// name through the kernel.
#include <gtest/gtest.h>

#include <thread>

#include "platform/mfc/CEvent.h"

namespace {

TEST(EventTest, AManualResetEventStaysSetUntilReset)
{
    CEvent event(FALSE, TRUE);
    EXPECT_FALSE(event.Lock(0));
    EXPECT_TRUE(event.SetEvent());
    EXPECT_TRUE(event.Lock(0));
    EXPECT_TRUE(event.Lock(0)) << "a manual-reset event stays set";
    EXPECT_TRUE(event.ResetEvent());
    EXPECT_FALSE(event.Lock(0));
}

TEST(EventTest, AnAutoResetEventLetsOneWaiterThrough)
{
    CEvent event(TRUE);
    EXPECT_TRUE(event.Lock(0));
    EXPECT_FALSE(event.Lock(0));
}

TEST(EventTest, ANamedEventIsOpenedAndSetFromAnotherThread)
{
    CEvent event(FALSE, TRUE, "tw.test.event.named");
    std::thread setter([] {
        HANDLE opened = ::OpenEvent(EVENT_MODIFY_STATE, FALSE, "tw.test.event.named");
        ASSERT_NE(opened, nullptr);
        ::SetEvent(opened);
        ::CloseHandle(opened);
    });
    setter.join();
    EXPECT_TRUE(event.Lock(0));
    EXPECT_EQ(::WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_OBJECT_0));
}

TEST(EventTest, AnEventUnderTheNameOfAnotherKindCannotBeMade)
{
    HANDLE mutex = ::CreateMutex(nullptr, FALSE, "tw.test.event.taken");
    ASSERT_NE(mutex, nullptr);
    bool thrown = false;
    try {
        CEvent event(FALSE, TRUE, "tw.test.event.taken");
    } catch (CException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    ::CloseHandle(mutex);
}

}  // namespace
