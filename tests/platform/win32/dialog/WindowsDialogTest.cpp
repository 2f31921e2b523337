// The MDI frame's "Windows" dialog, compiled from the program's resources:
// its layout in dialog units, its tab order and its keys.
#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/resource.h"
#include "tests/platform/win32/dialog/DialogTestFixture.h"

namespace tw::dlg::test {
namespace {

class WindowsDialogTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        owner = MakeOwner();
        dialog = CreateDialog(tw::ProgramInstance(), MAKEINTRESOURCE(IDD_KTVP_WINDOWS), owner, Proc);
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
        Pump(dialog);
    }

    tw::res::DialogTemplate LoadedTemplate()
    {
        const BYTE* data = nullptr;
        DWORD size = 0;
        EXPECT_TRUE(tw::FindResourceBytes(tw::ProgramInstance(), MAKEINTRESOURCE(IDD_KTVP_WINDOWS), RT_DIALOG,
                                          &data, &size));
        auto parsed = tw::res::ParseDialogTemplate(data, size);
        EXPECT_TRUE(parsed.has_value());
        return parsed.value_or(tw::res::DialogTemplate{});
    }

    void Key(UINT vk, bool shift = false)
    {
        if (shift)
            input.KeyDown(VK_SHIFT);
        input.KeyStroke(vk);
        if (shift)
            input.KeyUp(VK_SHIFT);
        Pump(dialog);
    }

    int FocusId() const { return GetDlgCtrlID(GetFocus()); }

    HWND owner = nullptr;
    HWND dialog = nullptr;
};

TEST_F(WindowsDialogTest, EachControlSitsAtTheMappedRectangleOfItsTemplate)
{
    const tw::res::DialogTemplate t = LoadedTemplate();
    RECT client{0, 0, t.cx, t.cy};
    ASSERT_TRUE(MapDialogRect(dialog, &client));
    RECT actual;
    GetClientRect(dialog, &actual);
    EXPECT_EQ(actual.right, client.right);
    EXPECT_EQ(actual.bottom, client.bottom);

    HWND control = GetWindow(dialog, GW_CHILD);
    for (const tw::res::DialogItemTemplate& item : t.items) {
        ASSERT_NE(control, nullptr) << "a control is missing for id " << item.id;
        EXPECT_EQ(GetDlgCtrlID(control), static_cast<int>(static_cast<WORD>(item.id)));
        // The template gives a position and a size; each is mapped as it is.
        RECT expected{item.x, item.y, item.cx, item.cy};
        MapDialogRect(dialog, &expected);
        RECT placed;
        GetWindowRect(control, &placed);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
        EXPECT_EQ(placed.left, expected.left) << "id " << item.id;
        EXPECT_EQ(placed.top, expected.top) << "id " << item.id;
        EXPECT_EQ(placed.right - placed.left, expected.right) << "id " << item.id;
        EXPECT_EQ(placed.bottom - placed.top, expected.bottom) << "id " << item.id;
        EXPECT_EQ(SendMessage(control, WM_GETFONT, 0, 0), SendMessage(dialog, WM_GETFONT, 0, 0));
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr);
    EXPECT_EQ(TextOf(dialog), "Windows");
}

TEST_F(WindowsDialogTest, DialogUnitsComeFromTheDialogFontNotTheSystemFont)
{
    RECT hundred{0, 0, 400, 800};
    ASSERT_TRUE(MapDialogRect(dialog, &hundred));
    const LONG system = GetDialogBaseUnits();
    // The template's 8-point font is smaller than the system font.
    EXPECT_LT(hundred.right, LOWORD(system) * 100);
    EXPECT_LT(hundred.bottom, HIWORD(system) * 100);
    EXPECT_GT(hundred.right, 0);
}

TEST_F(WindowsDialogTest, TabAndShiftTabFollowTheTemplateOrderOverTabStops)
{
    const std::vector<int> order = {IDC_KTVP_WINDOWS_LIST,      IDC_KTVP_WINDOWS_ACTIVATE, IDOK,
                                    IDC_KTVP_WINDOWS_SAVE,      IDC_KTVP_WINDOWS_CLOSE,    IDC_KTVP_WINDOWS_CASCADE,
                                    IDC_KTVP_WINDOWS_TILE_HORZ, IDC_KTVP_WINDOWS_TILE_VERT, IDC_KTVP_WINDOWS_MINIMIZE,
                                    ID_HELP};
    ASSERT_EQ(FocusId(), order[0]) << "the first tab stop starts with the focus";
    for (size_t i = 1; i <= order.size(); ++i) {
        Key(VK_TAB);
        EXPECT_EQ(FocusId(), order[i % order.size()]) << "after " << i << " tabs";
    }
    for (size_t i = order.size(); i > 0; --i) {
        Key(VK_TAB, true);
        EXPECT_EQ(FocusId(), order[(i - 1) % order.size()]);
    }
    EXPECT_TRUE(commands.empty()) << "moving the focus presses nothing";
}

TEST_F(WindowsDialogTest, AltAPressesActivate)
{
    input.KeyDown(VK_MENU);
    input.KeyStroke('A');
    input.KeyUp(VK_MENU);
    Pump(dialog);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].id, IDC_KTVP_WINDOWS_ACTIVATE);
    EXPECT_EQ(commands[0].code, 0) << "BN_CLICKED";
    EXPECT_EQ(commands[0].control, GetDlgItem(dialog, IDC_KTVP_WINDOWS_ACTIVATE));
}

TEST_F(WindowsDialogTest, EnterPressesTheDefaultButtonAndEscCancels)
{
    EXPECT_EQ(SendMessage(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDC_KTVP_WINDOWS_ACTIVATE, DC_HASDEFID));
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].id, IDC_KTVP_WINDOWS_ACTIVATE);
    EXPECT_EQ(commands[0].control, GetDlgItem(dialog, IDC_KTVP_WINDOWS_ACTIVATE));
    EXPECT_EQ(commands[1].id, IDCANCEL);
    EXPECT_EQ(commands[1].control, nullptr) << "the dialog has no Cancel button";
}

TEST_F(WindowsDialogTest, EnterOnAFocusedPushButtonPressesThatButton)
{
    Key(VK_TAB);
    Key(VK_TAB);
    ASSERT_EQ(FocusId(), IDOK);
    HWND ok = GetDlgItem(dialog, IDOK);
    HWND activate = GetDlgItem(dialog, IDC_KTVP_WINDOWS_ACTIVATE);
    EXPECT_EQ(GetWindowLong(ok, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_DEFPUSHBUTTON))
        << "the focused push button looks default";
    EXPECT_EQ(GetWindowLong(activate, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_PUSHBUTTON));
    Key(VK_RETURN);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].id, IDOK);

    Key(VK_TAB, true);
    Key(VK_TAB, true);
    ASSERT_EQ(FocusId(), IDC_KTVP_WINDOWS_LIST);
    EXPECT_EQ(GetWindowLong(activate, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_DEFPUSHBUTTON))
        << "leaving the buttons gives the default look back to Activate";
    EXPECT_EQ(GetWindowLong(ok, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_PUSHBUTTON));
}

TEST_F(WindowsDialogTest, AsAModalDialogEveryButtonIsPaintedAndEscEndsIt)
{
    DestroyWindow(dialog);
    handler = [&](HWND box, UINT message, WPARAM wParam, LPARAM, INT_PTR*) {
        if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
            EndDialog(box, IDCANCEL);
        return false;
    };
    int painted = 0;
    ownerHandler = [&](HWND, UINT message, WPARAM, LPARAM lParam) {
        if (message != WM_ENTERIDLE || painted)
            return;
        HWND box = reinterpret_cast<HWND>(lParam);
        HDC dc = GetDC(box);
        for (HWND control = GetWindow(box, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
            if (!(SendMessage(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
                continue;
            RECT r;
            GetWindowRect(control, &r);
            MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_NE(GetPixel(dc, r.right - 1, r.bottom - 1), GetSysColor(COLOR_BTNFACE)) << GetDlgCtrlID(control);
            ++painted;
        }
        ReleaseDC(box, dc);
        input.KeyStroke(VK_ESCAPE);
    };
    EXPECT_EQ(DialogBox(tw::ProgramInstance(), MAKEINTRESOURCE(IDD_KTVP_WINDOWS), owner, Proc), IDCANCEL);
    EXPECT_EQ(painted, 9);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

}  // namespace
}  // namespace tw::dlg::test
