// Handle maps, creation, subclassing and the end of a window: permanent and
// temporary objects, self-deleting windows, creation that fails, and objects
// that outlive their windows.
#include "tests/platform/mfc/windows/WindowTestFixture.h"

namespace tw::mfc::test {
namespace {

// Deletes itself when its window is gone and reports it.
class SelfDeletingWnd : public CWnd {
public:
    explicit SelfDeletingWnd(bool* deleted) : m_deleted(deleted) {}
    ~SelfDeletingWnd() override { *m_deleted = true; }

protected:
    void PostNcDestroy() override { delete this; }

private:
    bool* m_deleted;
};

class RefusingWnd : public CWnd {
public:
    int postNcDestroyCalls = 0;
    bool refuseInPreCreate = false;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override { return refuseInPreCreate ? FALSE : CWnd::PreCreateWindow(cs); }
    int OnCreate(LPCREATESTRUCT) { return -1; }
    void PostNcDestroy() override { ++postNcDestroyCalls; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RefusingWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

// Keeps BM_SETCHECK from the button, and counts the clicks it sees first.
class CheckGuard : public CWnd {
public:
    int blocked = 0;
    int presubclassed = 0;

protected:
    void PreSubclassWindow() override { ++presubclassed; }
    LRESULT OnSetCheck(WPARAM, LPARAM)
    {
        ++blocked;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CheckGuard, CWnd)
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
END_MESSAGE_MAP()

HWND MakeCheckBox(HWND parent, int id)
{
    return CreateWindowEx(0, "Button", "Check", WS_CHILD | WS_VISIBLE | BS_CHECKBOX, 10, 10, 80, 20, parent,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
}

TEST_F(WindowTest, TemporaryObjectStandsForAForeignHandleUntilIdle)
{
    HWND foreign = MakePlainWindow();
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    CWnd* temp = CWnd::FromHandle(foreign);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, foreign);
    EXPECT_EQ(CWnd::FromHandle(foreign), temp);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);

    // Idle deletes the object, never the window.
    EXPECT_FALSE(App().OnIdle(1));
    EXPECT_TRUE(IsWindow(foreign));
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
}

TEST_F(WindowTest, LockedTemporaryObjectsSurviveIdle)
{
    HWND foreign = MakePlainWindow();
    AfxLockTempMaps();
    CWnd* temp = CWnd::FromHandle(foreign);
    App().OnIdle(1);
    EXPECT_EQ(temp->m_hWnd, foreign);  // still alive: the map was locked
    EXPECT_TRUE(AfxUnlockTempMaps());
}

TEST_F(WindowTest, AttachRefusesAHandleAnotherObjectOwns)
{
    HWND hwnd = MakePlainWindow();
    CWnd first;
    CWnd second;
    ASSERT_TRUE(first.Attach(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), &first);
    EXPECT_FALSE(second.Attach(hwnd));
    EXPECT_FALSE(first.Attach(MakePlainWindow()));
    EXPECT_EQ(first.Detach(), hwnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(WindowTest, SelfDeletingWindowGoesWithItsHandle)
{
    bool deleted = false;
    auto* wnd = new SelfDeletingWnd(&deleted);
    ASSERT_TRUE(wnd->CreateEx(0, nullptr, "Self", WS_POPUP, CRect(0, 0, 40, 40), nullptr, 0));
    HWND hwnd = wnd->m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), wnd);
    EXPECT_TRUE(wnd->DestroyWindow());
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST_F(WindowTest, ChildObjectIsDetachedWhenItsParentIsDestroyed)
{
    CWnd parent;
    CWnd child;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Parent", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, "Child", WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 7));
    EXPECT_EQ(child.GetDlgCtrlID(), 7);
    EXPECT_EQ(child.GetParent(), &parent);
    parent.DestroyWindow();
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(parent.m_hWnd, nullptr);
}

TEST_F(WindowTest, ObjectDestroyedFirstTakesItsWindowWithIt)
{
    HWND hwnd;
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Scoped", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
        hwnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST_F(WindowTest, RefusedCreationFailsCleanly)
{
    RefusingWnd byOnCreate;
    EXPECT_FALSE(byOnCreate.CreateEx(0, nullptr, "No", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(byOnCreate.m_hWnd, nullptr);
    EXPECT_EQ(byOnCreate.postNcDestroyCalls, 1);

    RefusingWnd byPreCreate;
    byPreCreate.refuseInPreCreate = true;
    EXPECT_FALSE(byPreCreate.CreateEx(0, nullptr, "No", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(byPreCreate.m_hWnd, nullptr);
    EXPECT_EQ(byPreCreate.postNcDestroyCalls, 1);
}

TEST_F(WindowTest, SubclassedControlMessagesPassThroughTheObjectFirst)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Parent", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    HWND check = MakeCheckBox(parent.m_hWnd, 11);
    const LONG_PTR originalProc = GetWindowLongPtr(check, GWLP_WNDPROC);

    CheckGuard guard;
    ASSERT_TRUE(guard.SubclassDlgItem(11, &parent));
    EXPECT_EQ(guard.presubclassed, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(check), &guard);
    SendMessage(check, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(guard.blocked, 1);
    // Messages the object does not handle still reach the button.
    EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    EXPECT_EQ(guard.UnsubclassWindow(), check);
    EXPECT_EQ(GetWindowLongPtr(check, GWLP_WNDPROC), originalProc);
    SendMessage(check, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(guard.blocked, 1);
    EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(guard.SubclassDlgItem(999, &parent));
}

TEST_F(WindowTest, CreateOfAControlClassAttachesAndSubclasses)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Parent", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    CheckGuard button;
    ASSERT_TRUE(button.Create("Button", "Check", WS_VISIBLE | BS_CHECKBOX, CRect(0, 0, 50, 20), &parent, 12));
    EXPECT_EQ(parent.GetDlgItem(12), &button);
    button.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(button.blocked, 1);
    EXPECT_EQ(button.SendMessage(BM_GETCHECK), BST_UNCHECKED);
    button.DestroyWindow();
    EXPECT_EQ(button.m_hWnd, nullptr);
}

TEST_F(WindowTest, DestroyingTheMainWindowQuitsTheThread)
{
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, "Main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100), nullptr, 0));
    App().m_pMainWnd = &main;
    EXPECT_EQ(AfxGetMainWnd(), &main);
    main.DestroyWindow();
    EXPECT_EQ(App().m_pMainWnd, nullptr);
    MSG msg;
    EXPECT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(WindowTest, ModifyStyleReportsWhetherAnythingChanged)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Styles", WS_POPUP | WS_BORDER, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_FALSE(wnd.ModifyStyle(0, WS_BORDER));
    EXPECT_TRUE(wnd.ModifyStyle(WS_BORDER, WS_CLIPCHILDREN, SWP_FRAMECHANGED));
    EXPECT_EQ(wnd.GetStyle() & (WS_BORDER | WS_CLIPCHILDREN), static_cast<DWORD>(WS_CLIPCHILDREN));
    EXPECT_TRUE(wnd.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_TOOLWINDOW);
}

TEST_F(WindowTest, FrameQueriesAnswerNoFrameForPlainWindows)
{
    CWnd parent;
    CWnd child;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Parent", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, "Child", WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 1));
    EXPECT_FALSE(child.IsFrameWnd());
    EXPECT_EQ(child.GetParentFrame(), nullptr);
    EXPECT_EQ(child.GetTopLevelFrame(), nullptr);
    EXPECT_EQ(child.GetTopLevelParent(), &parent);
}

struct CenterCase {
    const char* name;
    bool child;
    CRect ownerRect;  // the owner's window rectangle, or the parent's client area for a child
    CRect expected;   // where a 200x100 window lands
};

const CenterCase kCenterCases[] = {
    {"PopupOnItsOwner", false, CRect(100, 100, 500, 400), CRect(200, 200, 400, 300)},
    {"PopupKeptInsideTheWorkArea", false, CRect(-300, -200, 0, 0), CRect(0, 0, 200, 100)},
    {"ChildInItsParent", true, CRect(0, 0, 400, 300), CRect(100, 100, 300, 200)},
};

class CenterWindowCases : public WindowTest, public ::testing::WithParamInterface<CenterCase> {};

TEST_P(CenterWindowCases, LandsWhereExpected)
{
    const CenterCase& c = GetParam();
    CWnd owner;
    CWnd wnd;
    if (c.child) {
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "Parent", WS_POPUP | WS_VISIBLE, CRect(50, 50, 450, 350), nullptr, 0));
        ASSERT_TRUE(wnd.Create(nullptr, "Child", WS_VISIBLE, CRect(0, 0, 200, 100), &owner, 1));
    } else {
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_POPUP | WS_VISIBLE, c.ownerRect, nullptr, 0));
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Popup", WS_POPUP, CRect(0, 0, 200, 100), &owner, 0));
    }
    wnd.CenterWindow();
    CRect rect;
    wnd.GetWindowRect(&rect);
    if (c.child)
        owner.ScreenToClient(&rect);
    EXPECT_EQ(rect, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Placement, CenterWindowCases, ::testing::ValuesIn(kCenterCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tw::mfc::test

namespace tw::mfc::test {
namespace {

TEST_F(WindowTest, ControlMadeUnderAForeignParentNeverTakesThatParent)
{
    // The parent's WM_PARENTNOTIFY arrives while the control is being made.
    HWND parent = CreateWindowEx(0, AfxRegisterWndClass(0), "Parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr,
                                 nullptr, nullptr, nullptr);
    CButton button;
    ASSERT_TRUE(button.Create("Go", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20), CWnd::FromHandle(parent), 5));
    EXPECT_NE(button.m_hWnd, parent);
    EXPECT_EQ(::GetDlgItem(parent, 5), button.m_hWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(parent), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(button.m_hWnd), &button);
}

}  // namespace
}  // namespace tw::mfc::test

namespace tw::mfc::test {
namespace {

TEST(NullWindowObject, SafeAccessorsAnswerNull)
{
    // Framework code asks for the handles of parents, DCs, menus and GDI
    // objects that may be absent, without calling through a null object.
    CWnd* none = CWnd::FromHandle(nullptr);
    CDC* noDc = CDC::FromHandle(nullptr);
    CGdiObject* noObject = CGdiObject::FromHandle(nullptr);
    CMenu* noMenu = CMenu::FromHandle(nullptr);
    EXPECT_EQ(CWnd::GetSafeHwndOf(none), nullptr);
    EXPECT_EQ(CDC::GetSafeHdcOf(noDc), nullptr);
    EXPECT_EQ(CGdiObject::GetSafeHandleOf(noObject), nullptr);
    EXPECT_EQ(CMenu::GetSafeHmenuOf(noMenu), nullptr);
}

}  // namespace
}  // namespace tw::mfc::test
