// Registering the standard classes: once, from any thread, found by name in
// any letter case.
#include "tests/platform/win32/controls/ControlTestFixture.h"

#include <thread>

namespace tw::controls::test {
namespace {

class StandardControlsTest : public ControlTest {};

TEST_F(StandardControlsTest, RegistrationIsIdempotentAndSafeFromManyThreads)
{
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([] { tw::RegisterStandardControlClasses(); });
    for (std::thread& t : threads)
        t.join();
    tw::RegisterStandardControlClasses();
    for (const char* name : {"Button", "Static", "Edit", "ListBox", "ComboBox", "ComboLBox", "ScrollBar"}) {
        WNDCLASS wc{};
        EXPECT_TRUE(GetClassInfo(nullptr, name, &wc)) << name;
        EXPECT_NE(wc.lpfnWndProc, nullptr) << name;
    }
}

TEST_F(StandardControlsTest, ClassNamesCompareWithoutCase)
{
    struct Case {
        const char* asked;
        const char* registered;
    };
    for (const Case& c : {Case{"BUTTON", "Button"}, Case{"edit", "Edit"}, Case{"LISTBOX", "ListBox"},
                          Case{"combobox", "ComboBox"}, Case{"SCROLLBAR", "ScrollBar"}, Case{"static", "Static"}}) {
        HWND control = Make(c.asked, "", 0, RECT{10, 10, 100, 40});
        ASSERT_NE(control, nullptr) << c.asked;
        char name[32] = {};
        GetClassName(control, name, sizeof name);
        EXPECT_STREQ(name, c.registered);
        DestroyWindow(control);
    }
}

TEST_F(StandardControlsTest, EveryControlKeepsTheFontItIsGiven)
{
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const char* name : {"Button", "Static", "Edit", "ListBox", "ComboBox"}) {
        HWND control = Make(name, "", 0, RECT{10, 10, 100, 60});
        SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        EXPECT_EQ(SendMessage(control, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font)) << name;
        DestroyWindow(control);
    }
}

}  // namespace
}  // namespace tw::controls::test
