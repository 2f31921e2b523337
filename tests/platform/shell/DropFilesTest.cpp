// Files dropped on the screen reach the window that accepts them as
// WM_DROPFILES, and the handle answers DragQueryFile and DragQueryPoint.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/display/InputInjector.h"
#include "platform/shell/shellapi.h"

namespace {

struct DropSeen {
    HWND hwnd;
    HDROP drop;
};
std::vector<DropSeen> g_dropsSeen;

LRESULT CALLBACK DropTestProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DROPFILES) {
        g_dropsSeen.push_back(DropSeen{hwnd, HDROP(wParam)});
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

class DropFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tw::display::Display::Instance().Input().Clear();
        WNDCLASS wc{};
        wc.lpfnWndProc = DropTestProc;
        wc.lpszClassName = "TwDropTarget";
        RegisterClass(&wc);
        frame = CreateWindowEx(0, "TwDropTarget", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                               nullptr, nullptr, nullptr, nullptr);
        child = CreateWindowEx(0, "TwDropTarget", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 50, frame, nullptr,
                               nullptr, nullptr);
        other = CreateWindowEx(0, "TwDropTarget", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 100, 200, 200,
                               nullptr, nullptr, nullptr, nullptr);
        Pump();
        g_dropsSeen.clear();
    }
    void TearDown() override
    {
        for (const auto& seen : g_dropsSeen)
            DragFinish(seen.drop);
        g_dropsSeen.clear();
        DestroyWindow(frame);
        DestroyWindow(other);
        Pump();
    }
    static void Pump()
    {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessage(&msg);
    }
    void DropAt(HWND hwnd, POINT client, std::vector<std::string> files)
    {
        ClientToScreen(hwnd, &client);
        input.DropFiles(client.x, client.y, std::move(files));
        Pump();
    }

    HWND frame = nullptr;
    HWND child = nullptr;
    HWND other = nullptr;
    tw::display::InputInjector input;
};

TEST_F(DropFilesTest, ADropOnAChildGoesToTheAcceptingFrameWithItsPoint)
{
    DragAcceptFiles(frame, TRUE);
    EXPECT_TRUE(GetWindowLong(frame, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    DropAt(child, POINT{5, 6}, {"/tmp/a.sql", "/tmp/b c.txt"});
    ASSERT_EQ(g_dropsSeen.size(), 1u);
    EXPECT_EQ(g_dropsSeen[0].hwnd, frame);
    HDROP drop = g_dropsSeen[0].drop;

    EXPECT_EQ(DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0), 2u);
    char name[MAX_PATH];
    EXPECT_EQ(DragQueryFile(drop, 1, nullptr, 0), 12u);
    EXPECT_EQ(DragQueryFile(drop, 1, name, MAX_PATH), 12u);
    EXPECT_STREQ(name, "/tmp/b c.txt");
    EXPECT_EQ(DragQueryFile(drop, 2, name, MAX_PATH), 0u);

    POINT pt{};
    EXPECT_TRUE(DragQueryPoint(drop, &pt));
    EXPECT_EQ(pt.x, 15);
    EXPECT_EQ(pt.y, 16);
}

TEST_F(DropFilesTest, WindowsThatDoNotAcceptFilesGetNothing)
{
    DragAcceptFiles(frame, TRUE);
    DragAcceptFiles(frame, FALSE);
    DropAt(child, POINT{5, 5}, {"/tmp/a.sql"});
    DropAt(other, POINT{5, 5}, {"/tmp/a.sql"});
    EXPECT_TRUE(g_dropsSeen.empty());
}

TEST_F(DropFilesTest, ADropOnTheCaptionIsReportedOutsideTheClientArea)
{
    DragAcceptFiles(other, TRUE);
    RECT window{};
    GetWindowRect(other, &window);
    input.DropFiles(window.left + 50, window.top + 5, {"/tmp/x"});
    Pump();
    ASSERT_EQ(g_dropsSeen.size(), 1u);
    POINT pt{};
    EXPECT_FALSE(DragQueryPoint(g_dropsSeen[0].drop, &pt));
    EXPECT_LT(pt.y, 0);
}

TEST_F(DropFilesTest, ShortBuffersGetWholeCharactersOnly)
{
    DragAcceptFiles(other, TRUE);
    DropAt(other, POINT{5, 5}, {"/tmp/\xC3\xA9t\xC3\xA9.sql"});  // "/tmp/été.sql"
    ASSERT_EQ(g_dropsSeen.size(), 1u);
    char name[7] = {};
    // Six bytes would end inside the first "é": five are copied.
    EXPECT_EQ(DragQueryFile(g_dropsSeen[0].drop, 0, name, sizeof name), 5u);
    EXPECT_STREQ(name, "/tmp/");
    char wider[8] = {};
    EXPECT_EQ(DragQueryFile(g_dropsSeen[0].drop, 0, wider, sizeof wider), 7u);
    EXPECT_STREQ(wider, "/tmp/\xC3\xA9");
    EXPECT_EQ(DragQueryFile(g_dropsSeen[0].drop, 0, name, 0), 0u);
}

}  // namespace
