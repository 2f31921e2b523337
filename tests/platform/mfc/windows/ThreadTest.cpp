// Framework threads: workers with a priority and a suspended start, and a
// user-interface thread that runs its own message loop, handles thread
// messages, and ends when its main window is destroyed.
#include <atomic>

#include "platform/win32/kernel/kernel.h"
#include "tests/platform/mfc/windows/WindowTestFixture.h"

namespace tw::mfc::test {
namespace {

constexpr UINT WM_TEST_PING = WM_APP + 1;

struct WorkerState {
    std::atomic<bool> ran{false};
    std::atomic<CWinThread*> seenThread{nullptr};
};

UINT WorkerProc(LPVOID param)
{
    auto* state = static_cast<WorkerState*>(param);
    state->seenThread = AfxGetThread();
    state->ran = true;
    return 31;
}

std::atomic<bool> g_uiReady{false};
std::atomic<bool> g_pinged{false};
std::atomic<long> g_pingParam{0};

class UiThread : public CWinThread {
    DECLARE_DYNCREATE(UiThread)
public:
    BOOL InitInstance() override
    {
        if (!m_wnd.CreateEx(0, nullptr, "UI thread", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100), nullptr, 0))
            return FALSE;
        m_pMainWnd = &m_wnd;
        g_uiReady = true;
        return TRUE;
    }
    int ExitInstance() override { return 17 + CWinThread::ExitInstance(); }

protected:
    void OnPing(WPARAM wParam, LPARAM lParam)
    {
        g_pingParam = static_cast<long>(wParam + lParam);
        g_pinged = true;
        m_wnd.PostMessage(WM_CLOSE);
    }
    DECLARE_MESSAGE_MAP()

private:
    CWnd m_wnd;
};

IMPLEMENT_DYNCREATE(UiThread, CWinThread)

BEGIN_MESSAGE_MAP(UiThread, CWinThread)
    ON_THREAD_MESSAGE(WM_TEST_PING, OnPing)
END_MESSAGE_MAP()

bool WaitFor(const std::atomic<bool>& flag)
{
    for (int i = 0; i < 5000 && !flag; ++i)
        Sleep(1);
    return flag;
}

TEST(FrameworkThreads, SuspendedWorkerRunsOnlyWhenResumed)
{
    WorkerState state;
    CWinThread* thread = AfxBeginThread(WorkerProc, &state, THREAD_PRIORITY_LOWEST, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    EXPECT_EQ(thread->GetThreadPriority(), THREAD_PRIORITY_LOWEST);
    Sleep(20);
    EXPECT_FALSE(state.ran);
    EXPECT_EQ(thread->SuspendThread(), static_cast<DWORD>(-1));

    EXPECT_EQ(thread->ResumeThread(), 1u);
    ASSERT_EQ(WaitForSingleObject(thread->m_hThread, 5000), WAIT_OBJECT_0);
    EXPECT_TRUE(state.ran);
    EXPECT_EQ(state.seenThread.load(), thread);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(code, 31u);
    delete thread;
}

TEST(FrameworkThreads, BeginThreadRefusesWhatIsNotAThreadClass)
{
    EXPECT_EQ(AfxBeginThread(RUNTIME_CLASS(CWnd)), nullptr);
    EXPECT_EQ(AfxBeginThread(static_cast<AFX_THREADPROC>(nullptr), nullptr), nullptr);
}

TEST(FrameworkThreads, UserInterfaceThreadRunsItsLoopAndQuitsWithItsWindow)
{
    g_uiReady = false;
    g_pinged = false;
    CWinThread* thread = AfxBeginThread(RUNTIME_CLASS(UiThread), THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    ASSERT_TRUE(WaitFor(g_uiReady));

    ASSERT_TRUE(thread->PostThreadMessage(WM_TEST_PING, 5, 6));
    ASSERT_EQ(WaitForSingleObject(thread->m_hThread, 5000), WAIT_OBJECT_0);
    EXPECT_TRUE(g_pinged);
    EXPECT_EQ(g_pingParam, 11);
    DWORD code = 0;
    GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(code, 17u);
    EXPECT_EQ(thread->m_pMainWnd, nullptr);
    delete thread;
}

TEST(FrameworkThreads, MainThreadBelongsToTheApplication)
{
    EXPECT_EQ(AfxGetThread(), &App());
    EXPECT_EQ(AfxGetApp(), &App());
    EXPECT_STREQ(AfxGetAppName(), "Tarnwick");
    EXPECT_NE(AfxGetInstanceHandle(), nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
}

TEST(FrameworkThreads, WaitCursorCountNeverGoesBelowZero)
{
    App().EndWaitCursor();
    EXPECT_EQ(App().m_nWaitCursorCount, 0);
    {
        CWaitCursor wait;
        EXPECT_EQ(App().m_nWaitCursorCount, 1);
        EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
    }
    EXPECT_EQ(App().m_nWaitCursorCount, 0);
    EXPECT_NE(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
}

TEST(FrameworkThreads, MessageBoxOfAMissingPromptShowsNothing)
{
    EXPECT_EQ(AfxMessageBox(0xFFF0u), 0);
}

}  // namespace
}  // namespace tw::mfc::test
