// Members that take a window which may be NULL (no parent, no owner, no main
// window, the whole screen) work without one and never call through it.
#include "tests/platform/mfc/windows/WindowTestFixture.h"

namespace tw::mfc::test {
namespace {

class NullWindowArgumentTest : public WindowTest {};

TEST_F(NullWindowArgumentTest, WindowsWithoutParentAreTopLevel)
{
    CWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, AfxRegisterWndClass(0), "Plain", WS_OVERLAPPEDWINDOW, CRect(10, 10, 210, 110), nullptr, 0));
    EXPECT_EQ(nullptr, ::GetParent(plain.m_hWnd));

    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, nullptr));
    EXPECT_EQ(nullptr, ::GetParent(frame->m_hWnd));
    EXPECT_EQ(nullptr, ::GetWindow(frame->m_hWnd, GW_OWNER));
    CRect placed;
    frame->GetWindowRect(&placed);
    EXPECT_GT(placed.Width(), 0) << "the default rectangle asks for the default size";
    EXPECT_GT(placed.Height(), 0);

    frame->DestroyWindow();
    plain.DestroyWindow();
}

TEST_F(NullWindowArgumentTest, DeviceContextsOfNoWindowDrawOnTheScreen)
{
    CClientDC client(nullptr);
    CWindowDC window(nullptr);
    EXPECT_NE(nullptr, client.m_hDC);
    EXPECT_NE(nullptr, window.m_hDC);
}

TEST_F(NullWindowArgumentTest, NoOtherWindowMeansTheScreenOrNothing)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "Plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 20, 210, 120), nullptr, 0));
    ASSERT_EQ(nullptr, AfxGetMainWnd());

    CPoint pt(5, 5);
    wnd.ClientToScreen(&pt);
    CPoint mapped(5, 5);
    wnd.MapWindowPoints(nullptr, &mapped, 1);
    EXPECT_EQ(pt, mapped);

    EXPECT_FALSE(wnd.IsChild(nullptr));
    wnd.CenterWindow(nullptr);  // on the work area, as there is no main window
    CRect rect;
    wnd.GetWindowRect(&rect);
    EXPECT_EQ(200, rect.Width());
    wnd.SetOwner(nullptr);
    EXPECT_EQ(nullptr, ::GetWindow(wnd.m_hWnd, GW_OWNER));
    wnd.DestroyWindow();
}

}  // namespace
}  // namespace tw::mfc::test
