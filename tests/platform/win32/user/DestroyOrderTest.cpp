// Windows destroyed from the handlers of a window that is itself going away:
// each still gets its own WM_DESTROY and WM_NCDESTROY, exactly once, and the
// handle is dead when DestroyWindow returns.
#include "tests/platform/win32/user/UserTestFixture.h"

#include <sstream>

namespace tw::user::test {
namespace {

using DestroyOrderTest = UserTest;

// The WM_DESTROY and WM_NCDESTROY lines of a trace, without their nesting.
std::vector<std::string> DestroyLinesOf(const std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        std::istringstream words(line);
        std::string name;
        std::string message;
        words >> name >> message;
        if (message == "WM_DESTROY" || message == "WM_NCDESTROY")
            out.push_back(name + " " + message);
    }
    return out;
}

struct NestedDestroyCase {
    const char* label;
    const char* handler;  // whose WM_DESTROY handler calls DestroyWindow
    const char* victim;   // the window it destroys
    std::vector<std::string> expected;
};

class NestedDestroy : public DestroyOrderTest, public ::testing::WithParamInterface<NestedDestroyCase> {};

TEST_P(NestedDestroy, EveryWindowGetsItsOwnMessagesOnce)
{
    const NestedDestroyCase& c = GetParam();
    std::map<std::string, HWND> windows;
    windows["main"] = MakeFrame("main", RECT{100, 100, 400, 300});
    windows["child"] = trace.Create("child", WS_CHILD | WS_VISIBLE, 0, RECT{0, 0, 50, 50}, windows["main"], 1);
    windows["grandchild"] =
        trace.Create("grandchild", WS_CHILD | WS_VISIBLE, 0, RECT{0, 0, 20, 20}, windows["child"], 2);
    windows["sibling"] = trace.Create("sibling", WS_CHILD | WS_VISIBLE, 0, RECT{60, 0, 110, 50}, windows["main"], 3);
    Pump();

    HWND victim = windows[c.victim];
    BOOL nestedResult = FALSE;
    BOOL aliveAfterNested = TRUE;
    trace.OnMessage(windows[c.handler], WM_DESTROY, [&](HWND, UINT, WPARAM, LPARAM, LRESULT*) {
        nestedResult = DestroyWindow(victim);
        aliveAfterNested = IsWindow(victim);
        return false;
    });
    trace.Start();
    EXPECT_TRUE(DestroyWindow(windows["main"]));
    trace.Stop();

    EXPECT_TRUE(nestedResult);
    // A window destroying itself again is already on its way; any other is gone at once.
    EXPECT_EQ(aliveAfterNested, victim == windows[c.handler]);
    EXPECT_EQ(DestroyLinesOf(trace.Lines()), c.expected);
    for (const auto& [name, hwnd] : windows)
        EXPECT_FALSE(IsWindow(hwnd)) << name;
}

INSTANTIATE_TEST_SUITE_P(
    DestroyOrderTest, NestedDestroy,
    ::testing::Values(
        NestedDestroyCase{"ParentDestroysAChild",
                          "main",
                          "child",
                          {"main WM_DESTROY", "child WM_DESTROY", "grandchild WM_DESTROY", "grandchild WM_NCDESTROY",
                           "child WM_NCDESTROY", "sibling WM_DESTROY", "sibling WM_NCDESTROY", "main WM_NCDESTROY"}},
        NestedDestroyCase{"ChildDestroysItsOwnChild",
                          "child",
                          "grandchild",
                          {"main WM_DESTROY", "child WM_DESTROY", "grandchild WM_DESTROY", "grandchild WM_NCDESTROY",
                           "sibling WM_DESTROY", "child WM_NCDESTROY", "sibling WM_NCDESTROY", "main WM_NCDESTROY"}},
        NestedDestroyCase{"ChildDestroysALaterSibling",
                          "child",
                          "sibling",
                          {"main WM_DESTROY", "child WM_DESTROY", "sibling WM_DESTROY", "sibling WM_NCDESTROY",
                           "grandchild WM_DESTROY", "grandchild WM_NCDESTROY", "child WM_NCDESTROY",
                           "main WM_NCDESTROY"}},
        NestedDestroyCase{"ChildDestroysItselfAgain",
                          "child",
                          "child",
                          {"main WM_DESTROY", "child WM_DESTROY", "grandchild WM_DESTROY", "sibling WM_DESTROY",
                           "grandchild WM_NCDESTROY", "child WM_NCDESTROY", "sibling WM_NCDESTROY",
                           "main WM_NCDESTROY"}}),
    [](const ::testing::TestParamInfo<NestedDestroyCase>& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace tw::user::test
