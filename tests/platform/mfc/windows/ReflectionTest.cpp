// Notifications a control sends its parent are first offered back to the
// control's own object (reflection); the parent sees them only when the
// control declines. Also the pre-translation walk and sends to descendants.
#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "tests/platform/mfc/windows/WindowTestFixture.h"

namespace tw::mfc::test {
namespace {

constexpr int ID_CHILD = 301;
constexpr int ID_OTHER = 302;
const HBRUSH kChildBrush = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(0x6600));
const HBRUSH kParentBrush = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(0x6601));

std::vector<std::string> g_seen;

class ReflectingChild : public CWnd {
public:
    BOOL passClickOn = FALSE;

protected:
    BOOL OnClicked()
    {
        g_seen.push_back("child:clicked");
        return !passClickOn;
    }
    void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult)
    {
        g_seen.push_back("child:dblclk " + std::to_string(static_cast<int>(pNMHDR->code)));
        *pResult = 42;
    }
    HBRUSH CtlColor(CDC*, UINT nCtlColor)
    {
        g_seen.push_back("child:ctlcolor " + std::to_string(nCtlColor));
        return kChildBrush;
    }
    void HScroll(UINT nSBCode, UINT nPos) { g_seen.push_back("child:hscroll " + std::to_string(nSBCode) + " " + std::to_string(nPos)); }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F5) {
            g_seen.push_back("child:pretranslate");
            return TRUE;
        }
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingChild, CWnd)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClk)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_HSCROLL_REFLECT()
END_MESSAGE_MAP()

class NotifiedParent : public CWnd {
protected:
    void OnChildClicked() { g_seen.push_back("parent:clicked"); }
    void OnOtherClicked() { g_seen.push_back("parent:other clicked"); }
    void OnAnyDblClk(UINT nID, NMHDR*, LRESULT* pResult)
    {
        g_seen.push_back("parent:dblclk " + std::to_string(nID));
        *pResult = 7;
    }
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        HBRUSH fromChild = CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
        return fromChild == kChildBrush ? fromChild : kParentBrush;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN) {
            g_seen.push_back("parent:pretranslate " + std::to_string(pMsg->wParam));
            return pMsg->wParam == VK_F6;
        }
        return FALSE;
    }
    LRESULT OnPing(WPARAM, LPARAM)
    {
        g_seen.push_back("parent:ping");
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NotifiedParent, CWnd)
    ON_BN_CLICKED(ID_CHILD, OnChildClicked)
    ON_BN_CLICKED(ID_OTHER, OnOtherClicked)
    ON_NOTIFY_RANGE(NM_DBLCLK, ID_CHILD, ID_OTHER, OnAnyDblClk)
    ON_WM_CTLCOLOR()
    ON_MESSAGE(WM_USER + 9, OnPing)
END_MESSAGE_MAP()

class PingChild : public ReflectingChild {
protected:
    LRESULT OnPing(WPARAM, LPARAM)
    {
        g_seen.push_back("child" + std::to_string(GetDlgCtrlID()) + ":ping");
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PingChild, ReflectingChild)
    ON_MESSAGE(WM_USER + 9, OnPing)
END_MESSAGE_MAP()

class Reflection : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        g_seen.clear();
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "Parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
        ASSERT_TRUE(child.Create("Button", "Child", WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 30), &parent,
                                 ID_CHILD));
        other = CreateWindowEx(0, "Button", "Other", WS_CHILD | WS_VISIBLE, 10, 40, 80, 20, parent.m_hWnd,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ID_OTHER)), nullptr, nullptr);
    }
    LRESULT Click(HWND control)
    {
        return parent.SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                                  reinterpret_cast<LPARAM>(control));
    }
    LRESULT Notify(HWND control, UINT code)
    {
        NMHDR header{control, static_cast<UINT_PTR>(GetDlgCtrlID(control)), code};
        return parent.SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    }
    NotifiedParent parent;
    ReflectingChild child;
    HWND other = nullptr;
};

TEST_F(Reflection, ControlThatHandlesItsClickKeepsItFromTheParent)
{
    EXPECT_EQ(Click(child.m_hWnd), 1);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"child:clicked"}));
}

TEST_F(Reflection, ControlThatDeclinesPassesTheClickOn)
{
    child.passClickOn = TRUE;
    Click(child.m_hWnd);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"child:clicked", "parent:clicked"}));
}

TEST_F(Reflection, ControlWithoutObjectNotifiesTheParentDirectly)
{
    Click(other);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"parent:other clicked"}));
}

TEST_F(Reflection, NotifyIsReflectedWithItsResult)
{
    EXPECT_EQ(Notify(child.m_hWnd, NM_DBLCLK), 42);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"child:dblclk " + std::to_string(static_cast<int>(NM_DBLCLK))}));

    g_seen.clear();
    EXPECT_EQ(Notify(other, NM_DBLCLK), 7);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"parent:dblclk " + std::to_string(ID_OTHER)}));
}

TEST_F(Reflection, ColourQuestionReachesTheControlThroughTheParentDefault)
{
    const LRESULT brush = parent.SendMessage(WM_CTLCOLORBTN, 0x10, reinterpret_cast<LPARAM>(child.m_hWnd));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), kChildBrush);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"child:ctlcolor " + std::to_string(CTLCOLOR_BTN)}));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(parent.SendMessage(WM_CTLCOLORBTN, 0x10, reinterpret_cast<LPARAM>(other))),
              kParentBrush);
}

TEST_F(Reflection, ScrollOfAControlIsReflected)
{
    parent.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), reinterpret_cast<LPARAM>(child.m_hWnd));
    EXPECT_EQ(g_seen, (std::vector<std::string>{"child:hscroll 1 0"}));
}

TEST_F(Reflection, PreTranslateWalksFromTheTargetUpToTheMainWindow)
{
    App().m_pMainWnd = &parent;
    MSG msg{child.m_hWnd, WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
    EXPECT_TRUE(App().PreTranslateMessage(&msg));
    EXPECT_EQ(g_seen, (std::vector<std::string>{"child:pretranslate"}));

    g_seen.clear();
    msg.wParam = VK_F6;
    EXPECT_TRUE(App().PreTranslateMessage(&msg));
    EXPECT_EQ(g_seen, (std::vector<std::string>{"parent:pretranslate " + std::to_string(VK_F6)}));

    g_seen.clear();
    msg.wParam = VK_F7;
    EXPECT_FALSE(App().PreTranslateMessage(&msg));
}

TEST_F(Reflection, SendToDescendantsReachesGrandchildrenWhenDeep)
{
    PingChild first;
    PingChild nested;
    ASSERT_TRUE(first.Create(nullptr, "First", WS_VISIBLE, CRect(0, 0, 50, 50), &parent, 1));
    ASSERT_TRUE(nested.Create(nullptr, "Nested", WS_VISIBLE, CRect(0, 0, 20, 20), &first, 2));

    parent.SendMessageToDescendants(WM_USER + 9, 0, 0, FALSE, TRUE);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"child1:ping"}));

    g_seen.clear();
    parent.SendMessageToDescendants(WM_USER + 9, 0, 0, TRUE, TRUE);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"child1:ping", "child2:ping"}));
}

}  // namespace
}  // namespace tw::mfc::test
