// The wait dialog on its own thread: it shows the owner's text, follows
// changes on the clock, ends when the owner sets the named event, and lets
// the user cancel only when that is allowed. Every wait is bounded.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "app/WaitDlg.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/app/dialogs/ProgramControlFixture.h"

namespace tw::test {
namespace {

// This thread's messages, as an owner on a user-interface thread handles
// them while it waits: the dialog's thread sends it activation changes.
void PumpWhileWaiting()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

// Real-time polling for what another thread does, never longer than a few seconds.
bool WaitUntil(const std::function<bool()>& done)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        PumpWhileWaiting();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

class WaitDlgTest : public ProgramControlTest {
protected:
    void TearDown() override
    {
        if (thread != nullptr) {
            // A failed test still lets the dialog and its thread end.
            if (HANDLE event = ::OpenEvent(EVENT_MODIFY_STATE, FALSE, eventName.c_str())) {
                ::SetEvent(event);
                ::CloseHandle(event);
            }
            Ended();
            delete thread;
        }
        ProgramControlTest::TearDown();
    }

    // Starts the thread as an owner does: everything set before it runs.
    HWND Start(const char* text, BOOL allowCancel)
    {
        eventName = "tw.test.wait." + std::to_string(++s_count);
        thread = static_cast<CWaitDlgThread*>(
            AfxBeginThread(RUNTIME_CLASS(CWaitDlgThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
        if (thread == nullptr)
            return nullptr;
        thread->m_bAutoDelete = FALSE;
        thread->m_strEventName = eventName.c_str();
        thread->m_bAllowCancel = allowCancel;
        thread->SetText(text);
        thread->ResumeThread();
        HWND dialog = nullptr;
        WaitUntil([&] {
            dialog = FindDialog();
            return dialog != nullptr;
        });
        return dialog;
    }

    HWND FindDialog() const
    {
        HWND found = nullptr;
        ::EnumThreadWindows(
            thread->m_nThreadID,
            [](HWND hwnd, LPARAM result) {
                if (::IsWindowVisible(hwnd) && ::GetDlgItem(hwnd, IDC_TW_WAIT_TEXT) != nullptr) {
                    *reinterpret_cast<HWND*>(result) = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    static std::string Shown(HWND dialog)
    {
        char text[256] = {};
        ::GetDlgItemText(dialog, IDC_TW_WAIT_TEXT, text, sizeof text);
        return text;
    }

    // The dialog looks at the event on its clock ticks: the clock moves a
    // tick at a time until the thread ends, for a few seconds at most.
    bool Ended() const
    {
        for (int i = 0; i < 3; ++i) {
            tw::ProcessClock::Advance(CWaitDlg::kPollMs);
            if (WaitUntil([&] { return ::WaitForSingleObject(thread->m_hThread, 0) == WAIT_OBJECT_0; }))
                return true;
        }
        return false;
    }

    bool EventSet() const
    {
        HANDLE event = ::OpenEvent(SYNCHRONIZE, FALSE, eventName.c_str());
        if (event == nullptr)
            return false;
        const bool set = ::WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
        ::CloseHandle(event);
        return set;
    }

    CWaitDlgThread* thread = nullptr;
    std::string eventName;
    static inline int s_count = 0;
};

TEST_F(WaitDlgTest, ShowsTheTextFollowsItsChangesAndEndsWhenTheOwnerSetsTheEvent)
{
    const HWND dialog = Start("Copying the scripts...", FALSE);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Shown(dialog), "Copying the scripts...");
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, IDOK))) << "no cancelling: no OK button";

    // A change shows at the next tick of the clock, not before.
    thread->SetText("Copying 2 of 3...");
    EXPECT_EQ(Shown(dialog), "Copying the scripts...");
    tw::ProcessClock::Advance(CWaitDlg::kPollMs);
    EXPECT_TRUE(WaitUntil([&] { return Shown(dialog) == "Copying 2 of 3..."; })) << Shown(dialog);

    // The owner is done: it opens the event by name and sets it.
    HANDLE event = ::OpenEvent(EVENT_MODIFY_STATE, FALSE, eventName.c_str());
    ASSERT_NE(event, nullptr);
    ASSERT_TRUE(::SetEvent(event));
    ::CloseHandle(event);
    EXPECT_TRUE(Ended());
    EXPECT_FALSE(::IsWindow(dialog));
}

TEST_F(WaitDlgTest, OkOrEscCancelsTheWaitAndTheOwnerFindsTheEventSet)
{
    for (const bool useOk : {true, false}) {
        SCOPED_TRACE(useOk ? "OK clicked" : "Esc");
        const HWND dialog = Start("Running the batch...", TRUE);
        ASSERT_NE(dialog, nullptr);
        const HWND ok = ::GetDlgItem(dialog, IDOK);
        EXPECT_TRUE(::IsWindowVisible(ok));
        // The owner holds the event, as one that waits for it does.
        HANDLE event = ::OpenEvent(SYNCHRONIZE, FALSE, eventName.c_str());
        ASSERT_NE(event, nullptr);
        EXPECT_NE(::WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_OBJECT_0));
        if (useOk)
            ::SendMessage(ok, BM_CLICK, 0, 0);
        else
            ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(Ended());
        EXPECT_EQ(::WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_OBJECT_0));
        ::CloseHandle(event);
        delete thread;
        thread = nullptr;
    }
}

TEST_F(WaitDlgTest, WithoutCancellingNeitherEnterNorEscEndsTheWait)
{
    const HWND dialog = Start("Please wait.", FALSE);
    ASSERT_NE(dialog, nullptr);
    ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
    ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_FALSE(EventSet()) << "the owner is not told of a cancel that did not happen";
    HANDLE event = ::OpenEvent(EVENT_MODIFY_STATE, FALSE, eventName.c_str());
    ASSERT_NE(event, nullptr);
    ::SetEvent(event);
    ::CloseHandle(event);
    EXPECT_TRUE(Ended());
}

}  // namespace
}  // namespace tw::test
