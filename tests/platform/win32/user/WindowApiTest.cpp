// Window classes, creation, the window's longs, properties and text, and
// finding windows in the tree.
#include "tests/platform/win32/user/UserTestFixture.h"

#include <cstring>

#include "platform/win32/kernel/KernelObjects.h"

namespace tw::user::test {
namespace {

using WindowApiTest = UserTest;

TEST_F(WindowApiTest, ClassesAreFoundWithoutCaseAndKeepTheirExtraBytes)
{
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "ExtraBytes";
    wc.cbClsExtra = 16;
    wc.cbWndExtra = 2 * sizeof(LONG_PTR);
    wc.style = CS_DBLCLKS;
    const ATOM atom = RegisterClassEx(&wc);
    ASSERT_NE(atom, 0);
    EXPECT_EQ(RegisterClassEx(&wc), 0) << "a name is registered once";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    wc.lpszClassName = "EXTRABYTES";
    EXPECT_EQ(RegisterClassEx(&wc), 0) << "names compare without case";
    WNDCLASS info{};
    ASSERT_TRUE(GetClassInfo(nullptr, "extrabytes", &info));
    EXPECT_EQ(info.cbWndExtra, static_cast<int>(2 * sizeof(LONG_PTR)));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS));

    HWND hwnd = CreateWindowEx(0, MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(SetWindowLongPtr(hwnd, sizeof(LONG_PTR), 1234), 0);
    EXPECT_EQ(GetWindowLongPtr(hwnd, sizeof(LONG_PTR)), 1234);
    EXPECT_EQ(GetWindowLongPtr(hwnd, 2 * sizeof(LONG_PTR)), 0) << "past the extra bytes";
    SetClassLongPtr(hwnd, 8, 99);
    EXPECT_EQ(GetClassLongPtr(hwnd, 8), 99u);
    EXPECT_EQ(GetClassLongPtr(hwnd, GCW_ATOM), atom);
    EXPECT_FALSE(UnregisterClass("ExtraBytes", nullptr)) << "a class with windows stays";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
    DestroyWindow(hwnd);
    EXPECT_TRUE(UnregisterClass("ExtraBytes", nullptr));
}

WNDPROC g_original = nullptr;
int g_subclassCalls = 0;
LRESULT CALLBACK Subclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        ++g_subclassCalls;
        return 5 + CallWindowProc(g_original, hwnd, message, wParam, lParam);
    }
    return CallWindowProc(g_original, hwnd, message, wParam, lParam);
}

TEST_F(WindowApiTest, ReplacingTheWindowProcedureSubclassesTheWindow)
{
    HWND hwnd = trace.Create("w", WS_POPUP, 0, RECT{0, 0, 10, 10});
    g_original = reinterpret_cast<WNDPROC>(SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Subclass)));
    EXPECT_EQ(g_original, &MessageTrace::Proc);
    trace.Start();
    EXPECT_EQ(SendMessage(hwnd, WM_APP, 0, 0), 5);
    EXPECT_EQ(g_subclassCalls, 1);
    EXPECT_EQ(trace.Messages(hwnd), std::vector<std::string>{"0x8000"}) << "the original still runs";
    EXPECT_EQ(GetWindowLong(hwnd, GWL_WNDPROC), 0) << "a pointer does not fit the 32-bit form";
    SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_original));
}

TEST_F(WindowApiTest, StyleChangesAreAnnouncedAndLongsRoundTrip)
{
    HWND hwnd = trace.Create("w", WS_POPUP, 0, RECT{0, 0, 10, 10});
    trace.Start();
    SetWindowLongPtr(hwnd, GWL_STYLE, WS_POPUP | WS_BORDER);
    EXPECT_EQ(trace.Messages(hwnd), (std::vector<std::string>{"WM_STYLECHANGING", "WM_STYLECHANGED"}));
    SetWindowLongPtr(hwnd, GWLP_USERDATA, 0x1234);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_USERDATA), 0x1234);
    SetWindowLongPtr(hwnd, GWLP_ID, 77);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_ID), 77);
}

TEST_F(WindowApiTest, PropertiesAreKeptByNameWithoutCase)
{
    HWND hwnd = trace.Create("w", WS_POPUP, 0, RECT{0, 0, 10, 10});
    int value = 0;
    EXPECT_TRUE(SetProp(hwnd, "Owner", &value));
    EXPECT_EQ(GetProp(hwnd, "OWNER"), &value);
    EXPECT_TRUE(SetProp(hwnd, MAKEINTATOM(42), &value));
    EXPECT_EQ(GetProp(hwnd, MAKEINTATOM(42)), &value);
    EXPECT_EQ(RemoveProp(hwnd, "owner"), &value);
    EXPECT_EQ(GetProp(hwnd, "Owner"), nullptr);
}

TEST_F(WindowApiTest, WindowTextIsUtf8AndNeverCutInsideACharacter)
{
    HWND hwnd = trace.Create("w", WS_POPUP, 0, RECT{0, 0, 10, 10});
    EXPECT_TRUE(SetWindowText(hwnd, "h\xC3\xA9llo"));  // "héllo"
    EXPECT_EQ(GetWindowTextLength(hwnd), 6);
    char buffer[16];
    EXPECT_EQ(GetWindowText(hwnd, buffer, sizeof buffer), 6);
    EXPECT_STREQ(buffer, "h\xC3\xA9llo");
    EXPECT_EQ(GetWindowText(hwnd, buffer, 3), 1) << "two bytes of room: the é does not fit";
    EXPECT_STREQ(buffer, "h");
}

TEST_F(WindowApiTest, CreationFailsCleanlyWhenWmCreateRefuses)
{
    trace.Start();
    WNDCLASS wc{};
    wc.lpszClassName = "Refuses";
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_CREATE)
            return -1;
        return MessageTrace::Proc(h, m, w, l);
    };
    RegisterClass(&wc);
    EXPECT_EQ(CreateWindowEx(0, "Refuses", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    const auto& lines = trace.Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "? WM_NCDESTROY");
    EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_FALSE(DestroyWindow(reinterpret_cast<HWND>(0x4444)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(CreateWindowEx(0, MessageTrace::kClassName, "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr)
        << "a child needs a parent";
}

TEST_F(WindowApiTest, TreeNavigationFollowsCreationOrderAndOwnership)
{
    HWND main = MakeFrame("main", RECT{0, 0, 300, 300});
    HWND first = trace.Create("first", WS_CHILD | WS_VISIBLE, 0, RECT{0, 0, 10, 10}, main, 10);
    HWND second = trace.Create("second", WS_CHILD | WS_VISIBLE, 0, RECT{20, 0, 30, 10}, main, 20);
    HWND inner = trace.Create("inner", WS_CHILD | WS_VISIBLE, 0, RECT{0, 0, 5, 5}, second, 30);
    HWND popup = trace.Create("popup", WS_POPUP, 0, RECT{0, 0, 10, 10}, inner);
    EXPECT_EQ(GetWindow(main, GW_CHILD), first) << "children keep their creation order, as dialogs need";
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_EQ(GetParent(inner), second);
    EXPECT_EQ(GetParent(popup), main) << "a popup's parent is its top-level owner";
    EXPECT_EQ(GetWindow(popup, GW_OWNER), main);
    EXPECT_EQ(GetAncestor(inner, GA_ROOT), main);
    EXPECT_EQ(GetAncestor(main, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetAncestor(popup, GA_ROOTOWNER), main);
    EXPECT_TRUE(IsChild(main, inner));
    EXPECT_FALSE(IsChild(main, popup));
    EXPECT_EQ(GetDlgItem(main, 20), second);
    EXPECT_EQ(GetDlgCtrlID(inner), 30);
    EXPECT_EQ(FindWindowEx(main, nullptr, MessageTrace::kClassName, "second"), second);
    EXPECT_EQ(FindWindow(nullptr, "MAIN"), main);
    std::vector<HWND> all;
    EnumChildWindows(
        main,
        [](HWND h, LPARAM l) {
            reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    EXPECT_EQ(all, (std::vector<HWND>{first, second, inner}));
}

TEST_F(WindowApiTest, SetParentMovesWindowsBetweenChildAndPopup)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 400});
    HWND pane = trace.Create("pane", WS_CHILD | WS_VISIBLE, 0, RECT{10, 10, 60, 60}, main, 1);
    // A floating pane: a popup of its own, then docked again.
    SetWindowLongPtr(pane, GWL_STYLE, WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(SetParent(pane, nullptr), main);
    EXPECT_EQ(GetAncestor(pane, GA_PARENT), GetDesktopWindow());
    EXPECT_FALSE(IsChild(main, pane));
    RECT r;
    GetWindowRect(pane, &r);
    EXPECT_EQ(r.left, 10) << "coordinates are kept, now on the screen";
    EXPECT_TRUE(IsWindowVisible(pane));
    SetWindowLongPtr(pane, GWL_STYLE, WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(SetParent(pane, main), GetDesktopWindow());
    EXPECT_TRUE(IsChild(main, pane));
    EXPECT_EQ(SetParent(main, pane), nullptr) << "a window cannot go inside its own child";
}

TEST_F(WindowApiTest, DisabledChildPassesTheMouseToItsParent)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 400});
    HWND button = trace.Create("button", WS_CHILD | WS_VISIBLE, 0, RECT{10, 10, 60, 60}, main, 1);
    const POINT over = ScreenPointOf(button, 5, 5);
    EXPECT_EQ(WindowFromPoint(over), button);
    trace.Start();
    EXPECT_FALSE(EnableWindow(button, FALSE)) << "it was enabled";
    EXPECT_EQ(trace.Messages(button), (std::vector<std::string>{"WM_CANCELMODE", "WM_ENABLE"}));
    EXPECT_FALSE(IsWindowEnabled(button));
    EXPECT_EQ(WindowFromPoint(over), main);
    EXPECT_TRUE(EnableWindow(button, TRUE)) << "it was disabled";
}

TEST_F(WindowApiTest, IconsComeFromTheWindowThenTheClass)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 400});
    HICON small = reinterpret_cast<HICON>(0x1234);
    HICON big = reinterpret_cast<HICON>(0x5678);
    EXPECT_EQ(SendMessage(main, WM_GETICON, ICON_SMALL2, 0), 0);
    SetClassLongPtr(main, GCLP_HICONSM, reinterpret_cast<LONG_PTR>(small));
    EXPECT_EQ(GetClassLongPtr(main, GCL_HICONSM), reinterpret_cast<ULONG_PTR>(small));
    EXPECT_EQ(SendMessage(main, WM_GETICON, ICON_SMALL2, 0), reinterpret_cast<LRESULT>(small));
    EXPECT_EQ(SendMessage(main, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big)), 0);
    EXPECT_EQ(SendMessage(main, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(big));
    EXPECT_EQ(SendMessage(main, WM_GETICON, ICON_SMALL, 0), 0) << "the window's own small icon is not set";
    SetClassLongPtr(main, GCLP_HICONSM, 0);
}

TEST_F(WindowApiTest, RegisteredMessagesShareNumbersByNameWithoutCase)
{
    const UINT first = RegisterWindowMessage("KTVM_ON_CHANGING_ACTIVE_TAB");
    EXPECT_GE(first, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage("ktvm_on_changing_active_tab"), first);
    EXPECT_NE(RegisterWindowMessage("KTVM_ONCHANGE_ACTIVE_TAB"), first);
    EXPECT_EQ(RegisterClipboardFormat("KTVM_ON_CHANGING_ACTIVE_TAB"), first) << "one table for both, as on the platform";
    EXPECT_EQ(RegisterWindowMessage(""), 0u);
}

TEST_F(WindowApiTest, SettingChangesReachEveryTopLevelWindow)
{
    HWND a = MakeFrame("a", RECT{0, 0, 100, 100});
    HWND b = trace.Create("b", WS_POPUP, 0, RECT{0, 0, 100, 100});
    trace.Create("child", WS_CHILD, 0, RECT{0, 0, 10, 10}, a, 1);
    trace.Start();
    SendMessage(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
    SendMessage(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(trace.Messages(a), (std::vector<std::string>{"WM_SYSCOLORCHANGE", "WM_SETTINGCHANGE"}));
    EXPECT_EQ(trace.Messages(b), (std::vector<std::string>{"WM_SYSCOLORCHANGE", "WM_SETTINGCHANGE"}));
    EXPECT_EQ(trace.Lines().size(), 4u) << "children are told by their parents, not by the broadcast";
}

}  // namespace
}  // namespace tw::user::test
