// A framework object over a control class takes its window before the window's
// first message, so the control's own creation messages reach the object's map
// and the control keeps working underneath.
#include "tests/platform/mfc/windows/WindowTestFixture.h"

#include <mutex>
#include <string>

#include "platform/comctl/commctrl.h"
#include "platform/mfc/AfxThreadState.h"

namespace tw::mfc::test {
namespace {

class CreationSpy : public CWnd {
public:
    std::string seen;  // "N" for WM_NCCREATE, "C" for WM_CREATE, in order
    HWND handleAtNcCreate = nullptr;
    std::string classAtCreate;
    bool refuseCreate = false;
    int postNcDestroyCalls = 0;

protected:
    BOOL OnNcCreate(LPCREATESTRUCT cs)
    {
        seen += 'N';
        handleAtNcCreate = m_hWnd;
        return CWnd::OnNcCreate(cs);
    }
    int OnCreate(LPCREATESTRUCT cs)
    {
        seen += 'C';
        classAtCreate = cs->lpszClass;
        if (refuseCreate)
            return -1;
        return CWnd::OnCreate(cs);
    }
    void PostNcDestroy() override { ++postNcDestroyCalls; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CreationSpy, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
END_MESSAGE_MAP()

// The control's own procedure answers after the object took the window.
struct ControlCase {
    const char* className;
    DWORD style;
    UINT probe;
    WPARAM probeWParam;
    LPARAM probeLParam;
    LRESULT expected;
};

LRESULT SetAndCountText(HWND hWnd)
{
    ::SetWindowText(hWnd, "abc");
    return ::GetWindowTextLength(hWnd);
}

class ControlCreation : public WindowTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(ControlCreation, ObjectSeesTheControlsCreationMessages)
{
    static std::once_flag once;
    std::call_once(once, [] { InitCommonControls(); });
    const ControlCase& c = GetParam();
    HWND parent = MakePlainWindow();
    CreationSpy spy;
    ASSERT_TRUE(spy.Create(c.className, "", WS_CHILD | WS_VISIBLE | c.style, CRect(0, 0, 200, 100),
                           CWnd::FromHandle(parent), 7));
    EXPECT_EQ(spy.seen, "NC");
    EXPECT_EQ(spy.handleAtNcCreate, spy.m_hWnd);
    EXPECT_EQ(spy.classAtCreate, c.className);
    EXPECT_EQ(CWnd::FromHandlePermanent(spy.m_hWnd), &spy);
    // The control made its own state in those messages: it still answers.
    if (c.probe == WM_SETTEXT)
        EXPECT_EQ(SetAndCountText(spy.m_hWnd), c.expected);
    else
        EXPECT_EQ(spy.SendMessage(c.probe, c.probeWParam, c.probeLParam), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ControlCreation,
    ::testing::Values(ControlCase{"Edit", ES_AUTOHSCROLL, WM_SETTEXT, 0, 0, 3},
                      ControlCase{"ListBox", 0, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"), 0},
                      ControlCase{"Button", BS_AUTOCHECKBOX, BM_GETCHECK, 0, 0, BST_UNCHECKED},
                      ControlCase{WC_LISTVIEW, LVS_REPORT, LVM_GETITEMCOUNT, 0, 0, 0}),
    [](const auto& info) {
        std::string name = info.param.className;
        return name == WC_LISTVIEW ? std::string("ListView") : name;
    });

// Notes whether PreSubclassWindow ran for a window being created or subclassed.
class InitSpy : public CWnd {
public:
    std::string seen;

protected:
    void PreSubclassWindow() override
    {
        seen += tw::mfc::CurrentThreadState().pWndInit == this ? "created " : "subclassed ";
    }
};

TEST_F(WindowTest, PreSubclassWindowTellsCreationFromSubclassing)
{
    HWND parent = MakePlainWindow();
    InitSpy created;
    ASSERT_TRUE(created.Create("Edit", "", WS_CHILD, CRect(0, 0, 50, 20), CWnd::FromHandle(parent), 4));
    EXPECT_EQ(created.seen, "created ");

    HWND plain = CreateWindowEx(0, "Edit", "", WS_CHILD, 0, 30, 50, 20, parent, reinterpret_cast<HMENU>(5),
                                nullptr, nullptr);
    InitSpy subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(plain));
    EXPECT_EQ(subclassed.seen, "subclassed ");
    subclassed.UnsubclassWindow();
}

TEST_F(WindowTest, ControlRefusingInOnCreateLeavesNoWindowAndEndsTheObjectOnce)
{
    HWND parent = MakePlainWindow();
    CreationSpy spy;
    spy.refuseCreate = true;
    EXPECT_FALSE(spy.Create("Edit", "", WS_CHILD, CRect(0, 0, 50, 20), CWnd::FromHandle(parent), 8));
    EXPECT_EQ(spy.m_hWnd, nullptr);
    EXPECT_EQ(::GetDlgItem(parent, 8), nullptr);
    EXPECT_EQ(spy.postNcDestroyCalls, 1);
}

TEST_F(WindowTest, UnknownClassFailsAndEndsTheObjectOnce)
{
    CreationSpy spy;
    EXPECT_FALSE(spy.CreateEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(spy.seen, "");
    EXPECT_EQ(spy.postNcDestroyCalls, 1);
    // The next window made on this thread is nobody's: the pending object was dropped.
    HWND plain = MakePlainWindow();
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
}

// A window made inside another's OnCreate is taken by its own object.
class NestingParent : public CWnd {
public:
    CreationSpy child;

protected:
    int OnCreate(LPCREATESTRUCT cs)
    {
        if (CWnd::OnCreate(cs) == -1)
            return -1;
        return child.Create("ListBox", "", WS_CHILD, CRect(0, 0, 50, 50), this, 3) ? 0 : -1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NestingParent, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST_F(WindowTest, WindowMadeDuringAnotherCreationIsTakenByItsOwnObject)
{
    NestingParent parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "outer", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    EXPECT_EQ(parent.child.seen, "NC");
    EXPECT_EQ(CWnd::FromHandlePermanent(parent.child.m_hWnd), &parent.child);
    EXPECT_EQ(CWnd::FromHandlePermanent(parent.m_hWnd), &parent);
    EXPECT_EQ(::GetParent(parent.child.m_hWnd), parent.m_hWnd);
}

// Other creation hooks of the thread keep their place in the chain.
HHOOK g_creationHookTestHook = nullptr;
int g_creationHookTestCalls = 0;
bool g_creationHookTestRefuse = false;

LRESULT CALLBACK CountingCbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        ++g_creationHookTestCalls;
        if (g_creationHookTestRefuse)
            return 1;
    }
    return CallNextHookEx(g_creationHookTestHook, code, wParam, lParam);
}

TEST_F(WindowTest, CreationHooksOfTheThreadRunAndMayRefuseAWindow)
{
    g_creationHookTestCalls = 0;
    g_creationHookTestRefuse = false;
    g_creationHookTestHook = SetWindowsHookEx(WH_CBT, &CountingCbtHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_creationHookTestHook, nullptr);

    CreationSpy spy;
    EXPECT_TRUE(spy.CreateEx(0, "Edit", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr));
    EXPECT_EQ(g_creationHookTestCalls, 1);
    EXPECT_EQ(spy.seen, "NC");

    g_creationHookTestRefuse = true;
    EXPECT_EQ(CreateWindowEx(0, "Edit", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(g_creationHookTestCalls, 2);
    EXPECT_TRUE(UnhookWindowsHookEx(g_creationHookTestHook));
    EXPECT_NE(CreateWindowEx(0, "Edit", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(g_creationHookTestCalls, 2);
}

}  // namespace
}  // namespace tw::mfc::test
