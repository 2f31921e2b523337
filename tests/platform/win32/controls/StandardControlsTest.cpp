// Registering the standard classes: once, from any thread, found by name in
// any letter case.
#include "tests/platform/win32/controls/ControlTestFixture.h"

#include <thread>

#include "platform/win32/kernel/ProcessClock.h"

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

namespace tw::controls::test {
namespace {

// Owners often close a window in answer to a notification: a control must
// not touch its state after telling its parent.
class DestroyedByOwnerTest : public ControlTest {
protected:
    void DestroyOn(UINT message, int code)
    {
        OnParentMessage([this, message, code](UINT got, WPARAM wParam, LPARAM lParam, LRESULT*) {
            const bool matches = got == message && (message != WM_COMMAND || HIWORD(wParam) == code);
            if (matches && victim_ && IsWindow(victim_)) {
                HWND doomed = victim_;
                victim_ = nullptr;
                (void)lParam;
                DestroyWindow(doomed);
            }
            return false;
        });
    }
    HWND victim_ = nullptr;
};

TEST_F(DestroyedByOwnerTest, ButtonClickedAway)
{
    victim_ = Make("Button", "Close", BS_PUSHBUTTON, RECT{10, 10, 90, 35});
    HWND button = victim_;
    DestroyOn(WM_COMMAND, BN_CLICKED);
    Click(button, 10, 10);
    EXPECT_FALSE(IsWindow(button));
    OnParentMessage(nullptr);
}

TEST_F(DestroyedByOwnerTest, EditChangedAwayWhileOverItsLimit)
{
    victim_ = Make("Edit", "", ES_AUTOHSCROLL, RECT{10, 10, 200, 34});
    HWND edit = victim_;
    SendMessage(edit, EM_LIMITTEXT, 2, 0);
    DestroyOn(WM_COMMAND, EN_CHANGE);
    SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("abcdef"));
    EXPECT_FALSE(IsWindow(edit));
    OnParentMessage(nullptr);
}

TEST_F(DestroyedByOwnerTest, ListSelectionChangedAwayOnADoubleClick)
{
    victim_ = Make("ListBox", "", LBS_NOTIFY, RECT{10, 10, 150, 150});
    HWND list = victim_;
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    DestroyOn(WM_COMMAND, LBN_SELCHANGE);
    DoubleClick(list, 10, 5);
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(GetCapture(), nullptr);
    OnParentMessage(nullptr);
}

TEST_F(DestroyedByOwnerTest, ComboChosenAwayFromItsDroppedList)
{
    victim_ = Make("ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL, RECT{10, 10, 150, 150});
    HWND combo = victim_;
    SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("two"));
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    DestroyOn(WM_COMMAND, CBN_SELENDOK);
    SetFocus(combo);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_FALSE(IsWindow(combo));
    OnParentMessage(nullptr);
}

TEST_F(DestroyedByOwnerTest, ScrollBarScrolledAway)
{
    victim_ = Make("ScrollBar", "", SBS_VERT, RECT{10, 10, 27, 150});
    HWND bar = victim_;
    DestroyOn(WM_VSCROLL, 0);
    Click(bar, 8, 135);
    tw::ProcessClock::Advance(1000);
    Pump();
    EXPECT_FALSE(IsWindow(bar));
    OnParentMessage(nullptr);
}

}  // namespace
}  // namespace tw::controls::test
