// The dialog manager's defaults and keyboard interface on modeless dialogs:
// first focus, default buttons, Tab into edits and control parents, arrows in
// groups, mnemonics, Esc and the close box, activation, colours and answers.
#include <cstdio>

#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/menu/winmenu.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "tests/platform/win32/dialog/DialogTestFixture.h"
#include "tests/platform/win32/dialog/fixtures/DialogFixtures.h"

namespace tw::dlg::test {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;

class DialogManagerTest : public DialogTest {
protected:
    HWND Create(TemplateBuilder& builder, HWND parent = nullptr)
    {
        HWND dialog = CreateDialogIndirectParam(nullptr, builder.Bytes(), parent ? parent : owner, Proc, 0);
        EXPECT_NE(dialog, nullptr);
        Pump(dialog);
        return dialog;
    }
    void Key(HWND dialog, UINT vk, bool shift = false)
    {
        if (shift)
            input.KeyDown(VK_SHIFT);
        input.KeyStroke(vk);
        if (shift)
            input.KeyUp(VK_SHIFT);
        Pump(dialog);
    }
    void SetUp() override
    {
        DialogTest::SetUp();
        owner = MakeOwner();
    }
    static LONG ButtonType(HWND button) { return GetWindowLong(button, GWL_STYLE) & BS_TYPEMASK; }

    HWND owner = nullptr;
};

TEST_F(DialogManagerTest, InitDialogFalseLeavesTheFocusTheProcedureChose)
{
    TemplateBuilder builder(kDialogStyle, 120, 60);
    builder.Item("Edit", "", 100, WS_TABSTOP, 5, 5, 80, 12).Item("Edit", "", 101, WS_TABSTOP, 5, 20, 80, 12);
    HWND suggested = nullptr;
    handler = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM, INT_PTR* answer) {
        if (message != WM_INITDIALOG)
            return false;
        suggested = reinterpret_cast<HWND>(wParam);
        SetFocus(GetDlgItem(dialog, 101));
        *answer = FALSE;
        return true;
    };
    HWND dialog = Create(builder);
    EXPECT_EQ(suggested, GetDlgItem(dialog, 100)) << "WM_INITDIALOG names the first tab stop";
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 101));
}

TEST_F(DialogManagerTest, InitDialogTrueFocusesTheFirstTabStopAndSelectsItsText)
{
    TemplateBuilder builder(kDialogStyle, 120, 60);
    builder.Item("Static", "&Name:", -1, 0, 5, 5, 40, 8)
        .Item("Edit", "text", 100, WS_TABSTOP, 50, 5, 60, 12)
        .Item("Button", "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 30, 50, 14);
    HWND dialog = Create(builder);
    HWND edit = GetDlgItem(dialog, 100);
    EXPECT_EQ(GetFocus(), edit);
    DWORD start = 99;
    DWORD end = 99;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u) << "the whole text is selected";

    SendMessage(edit, EM_SETSEL, 1, 1);
    Key(dialog, VK_TAB);
    ASSERT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    Key(dialog, VK_TAB, true);
    ASSERT_EQ(GetFocus(), edit);
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u) << "tabbing into the edit selects its text again";
}

TEST_F(DialogManagerTest, SetDefIdMovesTheDefaultLookAndGetDefIdAnswersIt)
{
    TemplateBuilder builder(kDialogStyle, 160, 60);
    builder.Item("Edit", "", 100, WS_TABSTOP, 5, 5, 80, 12)
        .Item("Button", "One", 1, WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 30, 40, 14)
        .Item("Button", "Two", 2, WS_TABSTOP, 50, 30, 40, 14);
    HWND dialog = Create(builder);
    HWND one = GetDlgItem(dialog, 1);
    HWND two = GetDlgItem(dialog, 2);
    EXPECT_EQ(SendMessage(dialog, DM_GETDEFID, 0, 0), MAKELONG(1, DC_HASDEFID));
    SendMessage(dialog, DM_SETDEFID, 2, 0);
    EXPECT_EQ(SendMessage(dialog, DM_GETDEFID, 0, 0), MAKELONG(2, DC_HASDEFID));
    EXPECT_EQ(ButtonType(two), static_cast<LONG>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(ButtonType(one), static_cast<LONG>(BS_PUSHBUTTON)) << "one default look at a time";
    Key(dialog, VK_RETURN);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].id, 2);
}

TEST_F(DialogManagerTest, EnterWithoutADefaultButtonSendsOkAndADisabledDefaultBeeps)
{
    TemplateBuilder builder(kDialogStyle, 120, 60);
    builder.Item("Edit", "", 100, WS_TABSTOP, 5, 5, 80, 12);
    HWND dialog = Create(builder);
    EXPECT_EQ(SendMessage(dialog, DM_GETDEFID, 0, 0), 0);
    Key(dialog, VK_RETURN);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].id, IDOK);
    EXPECT_EQ(commands[0].control, nullptr);

    TemplateBuilder withButton(kDialogStyle, 120, 60);
    withButton.Item("Edit", "", 100, WS_TABSTOP, 5, 5, 80, 12)
        .Item("Button", "OK", IDOK, WS_TABSTOP | WS_DISABLED | BS_DEFPUSHBUTTON, 5, 30, 50, 14);
    HWND second = Create(withButton);
    commands.clear();
    Key(second, VK_RETURN);
    EXPECT_TRUE(commands.empty()) << "a disabled default button is not pressed";
}

TEST_F(DialogManagerTest, CloseBoxAndEscAreCancelUnlessCancelIsDisabled)
{
    TemplateBuilder builder(kDialogStyle, 120, 60);
    builder.Item("Button", "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 30, 50, 14)
        .Item("Button", "Cancel", IDCANCEL, WS_TABSTOP, 60, 30, 50, 14);
    HWND dialog = Create(builder);
    SendMessage(dialog, WM_CLOSE, 0, 0);
    Pump(dialog);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].id, IDCANCEL);
    EXPECT_EQ(commands[0].control, GetDlgItem(dialog, IDCANCEL));
    EXPECT_TRUE(IsWindow(dialog)) << "closing is the procedure's to decide";

    EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
    commands.clear();
    SendMessage(dialog, WM_CLOSE, 0, 0);
    Key(dialog, VK_ESCAPE);
    EXPECT_TRUE(commands.empty());
}

TEST_F(DialogManagerTest, ArrowsMoveInsideAGroupAndCheckTheRadioButtonsTheyReach)
{
    TemplateBuilder builder(kDialogStyle, 160, 90);
    builder.Item("Button", "&Red", 11, WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 5, 5, 60, 10)
        .Item("Button", "&Green", 12, BS_AUTORADIOBUTTON, 5, 17, 60, 10)
        .Item("Button", "&Blue", 13, BS_AUTORADIOBUTTON, 5, 29, 60, 10)
        .Item("Button", "OK", IDOK, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 5, 60, 50, 14);
    HWND dialog = Create(builder);
    ASSERT_EQ(GetFocus(), GetDlgItem(dialog, 11));
    Key(dialog, VK_DOWN);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 12));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 12), BST_CHECKED);
    Key(dialog, VK_DOWN);
    Key(dialog, VK_DOWN);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 11)) << "the arrows wrap inside the group, never onto OK";
    EXPECT_EQ(IsDlgButtonChecked(dialog, 11), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 13), 0u);
    Key(dialog, VK_UP);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 13));
    EnableWindow(GetDlgItem(dialog, 12), FALSE);
    Key(dialog, VK_UP);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 11)) << "a disabled button is stepped over";
}

TEST_F(DialogManagerTest, GroupAndTabItemsAnswerAsTheKeyboardMoves)
{
    TemplateBuilder builder(kDialogStyle, 160, 90);
    builder.Item("Button", "A", 11, WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 5, 5, 60, 10)
        .Item("Button", "B", 12, BS_AUTORADIOBUTTON, 5, 17, 60, 10)
        .Item("Edit", "", 20, WS_TABSTOP | WS_GROUP, 5, 30, 60, 12)
        .Item("Edit", "", 21, WS_TABSTOP | WS_DISABLED, 5, 45, 60, 12)
        .Item("Edit", "", 22, WS_TABSTOP, 5, 60, 60, 12);
    HWND dialog = Create(builder);
    const auto item = [&](int id) { return GetDlgItem(dialog, id); };
    EXPECT_EQ(GetNextDlgGroupItem(dialog, item(12), FALSE), item(11));
    EXPECT_EQ(GetNextDlgGroupItem(dialog, item(11), TRUE), item(12));
    EXPECT_EQ(GetNextDlgTabItem(dialog, item(11), FALSE), item(20));
    EXPECT_EQ(GetNextDlgTabItem(dialog, item(20), FALSE), item(22)) << "a disabled control is no stop";
    EXPECT_EQ(GetNextDlgTabItem(dialog, item(22), FALSE), item(11));
    EXPECT_EQ(GetNextDlgTabItem(dialog, item(11), TRUE), item(22));
    EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, FALSE), item(11));
}

TEST_F(DialogManagerTest, TabWalksIntoAControlParentAsIfItsControlsWereTheDialogs)
{
    TemplateBuilder outer(kDialogStyle, 200, 120);
    outer.Item("Edit", "", 100, WS_TABSTOP, 5, 5, 80, 12)
        .Item("Button", "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 100, 50, 14);
    HWND dialog = Create(outer);
    TemplateBuilder inner(WS_CHILD | WS_VISIBLE | DS_CONTROL, 150, 60, "");
    inner.Item("Edit", "", 200, WS_TABSTOP, 5, 5, 80, 12).Item("Edit", "", 201, WS_TABSTOP, 5, 20, 80, 12);
    HWND page = CreateDialogIndirectParam(nullptr, inner.Bytes(), dialog, Proc, 0);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(GetWindowLong(page, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_FALSE(GetWindowLong(page, GWL_STYLE) & WS_CAPTION);
    // The page was made last, so it comes after OK in the order.
    SetFocus(GetDlgItem(dialog, 100));
    Key(dialog, VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    Key(dialog, VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(page, 200));
    Key(dialog, VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(page, 201));
    Key(dialog, VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 100));
    Key(dialog, VK_TAB, true);
    EXPECT_EQ(GetFocus(), GetDlgItem(page, 201));
}

TEST_F(DialogManagerTest, MnemonicsWithoutAltWorkWhereTheFocusTakesNoCharacters)
{
    TemplateBuilder builder(kDialogStyle, 160, 90);
    builder.Item("Static", "&Name:", -1, 0, 5, 5, 40, 8)
        .Item("Edit", "", 100, WS_TABSTOP, 50, 5, 60, 12)
        .Item("Button", "&Save", 30, WS_TABSTOP, 5, 40, 50, 14)
        .Item("Button", "&Keep", 31, WS_TABSTOP | BS_AUTOCHECKBOX, 5, 60, 50, 14);
    HWND dialog = Create(builder);
    HWND edit = GetDlgItem(dialog, 100);
    ASSERT_EQ(GetFocus(), edit);
    Key(dialog, 'S');
    EXPECT_TRUE(commands.empty()) << "the edit takes the character";
    EXPECT_EQ(TextOf(edit), "s");

    SetFocus(GetDlgItem(dialog, 30));
    Key(dialog, 'K');
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 31)) << "a check box takes the focus with its click";
    EXPECT_EQ(IsDlgButtonChecked(dialog, 31), BST_CHECKED);
    Key(dialog, 'S');
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].id, 30);
    Key(dialog, 'N');
    EXPECT_EQ(GetFocus(), edit) << "a label hands its mnemonic to the control after it";
}

TEST_F(DialogManagerTest, StaticsWithNoPrefixHaveNoMnemonic)
{
    TemplateBuilder builder(kDialogStyle, 160, 90);
    builder.Item("Static", "&Name:", -1, 0x80 /* SS_NOPREFIX */, 5, 5, 40, 8)
        .Item("Edit", "", 100, WS_TABSTOP, 50, 5, 60, 12)
        .Item("Button", "OK", IDOK, WS_TABSTOP, 5, 40, 50, 14);
    HWND dialog = Create(builder);
    SetFocus(GetDlgItem(dialog, IDOK));
    Key(dialog, 'N');
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
}

TEST_F(DialogManagerTest, NextDlgCtlMovesToAGivenControlOrTheNextTabStop)
{
    TemplateBuilder builder(kDialogStyle, 160, 90);
    builder.Item("Edit", "", 100, WS_TABSTOP, 5, 5, 60, 12)
        .Item("Edit", "", 101, WS_TABSTOP, 5, 20, 60, 12)
        .Item("Button", "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 40, 50, 14);
    HWND dialog = Create(builder);
    SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)), TRUE);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    SendMessage(dialog, WM_NEXTDLGCTL, 0, FALSE);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 100));
    SendMessage(dialog, WM_NEXTDLGCTL, 1, FALSE);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
}

TEST_F(DialogManagerTest, TheFocusComesBackWhenTheDialogIsActivatedAgain)
{
    TemplateBuilder builder(kDialogStyle, 160, 90);
    builder.Item("Edit", "", 100, WS_TABSTOP, 5, 5, 60, 12).Item("Edit", "", 101, WS_TABSTOP, 5, 20, 60, 12);
    HWND dialog = Create(builder);
    Key(dialog, VK_TAB);
    ASSERT_EQ(GetFocus(), GetDlgItem(dialog, 101));
    HWND other = MakeOwner(RECT{600, 400, 800, 600});
    SetActiveWindow(other);
    Pump(dialog);
    ASSERT_NE(GetFocus(), GetDlgItem(dialog, 101));
    SetActiveWindow(dialog);
    Pump(dialog);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 101));
    SetFocus(dialog);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 101)) << "the dialog hands its own focus to the control";
}

TEST_F(DialogManagerTest, ColourMessagesAnswerTheProceduresBrushOrTheDefault)
{
    TemplateBuilder builder(kDialogStyle, 100, 50);
    HWND dialog = Create(builder);
    HDC dc = GetDC(dialog);
    EXPECT_EQ(SendMessage(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dialog)),
              reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)));
    HBRUSH own = GetSysColorBrush(COLOR_WINDOW);
    handler = [&](HWND, UINT message, WPARAM, LPARAM, INT_PTR* answer) {
        if (message != WM_CTLCOLORSTATIC)
            return false;
        *answer = reinterpret_cast<INT_PTR>(own);
        return true;
    };
    EXPECT_EQ(SendMessage(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0), reinterpret_cast<LRESULT>(own))
        << "a colour brush is answered directly, not through DWLP_MSGRESULT";
    ReleaseDC(dialog, dc);
}

TEST_F(DialogManagerTest, AHandledMessageAnswersWithMsgResult)
{
    TemplateBuilder builder(kDialogStyle, 100, 50);
    HWND dialog = Create(builder);
    handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, INT_PTR* answer) {
        if (message != WM_APP)
            return false;
        SetWindowLongPtr(hwnd, DWLP_MSGRESULT, 1234);
        *answer = TRUE;
        return true;
    };
    EXPECT_EQ(SendMessage(dialog, WM_APP, 0, 0), 1234);
    SetWindowLongPtr(dialog, DWLP_USER, 99);
    EXPECT_EQ(GetWindowLongPtr(dialog, DWLP_USER), 99);
    EXPECT_EQ(GetWindowLongPtr(dialog, DWLP_DLGPROC), reinterpret_cast<LONG_PTR>(&Proc));
}

TEST_F(DialogManagerTest, ATopLevelDialogIsPlacedFromTheOwnersClientAreaOrCentred)
{
    TemplateBuilder placed(kDialogStyle, 100, 50);
    placed.Template().x = 20;
    placed.Template().y = 16;
    HWND dialog = Create(placed);
    RECT window;
    GetWindowRect(dialog, &window);
    POINT client{0, 0};
    ClientToScreen(dialog, &client);
    RECT offset{20, 16, 0, 0};
    MapDialogRect(dialog, &offset);
    POINT ownerOrigin{0, 0};
    ClientToScreen(owner, &ownerOrigin);
    EXPECT_EQ(client.x, ownerOrigin.x + offset.left) << "the template places the client area";
    EXPECT_EQ(client.y, ownerOrigin.y + offset.top);

    TemplateBuilder centred(kDialogStyle | DS_CENTER, 100, 50);
    HWND second = Create(centred);
    RECT ownerRect;
    GetWindowRect(owner, &ownerRect);
    GetWindowRect(second, &window);
    EXPECT_NEAR((window.left + window.right) / 2, (ownerRect.left + ownerRect.right) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, (ownerRect.top + ownerRect.bottom) / 2, 1);

    TemplateBuilder offScreen(kDialogStyle, 100, 50);
    offScreen.Template().x = 3000;
    offScreen.Template().y = 3000;
    HWND third = Create(offScreen);
    GetWindowRect(third, &window);
    EXPECT_LE(window.right, GetSystemMetrics(SM_CXSCREEN)) << "a dialog is kept on the screen";
    EXPECT_LE(window.bottom, GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(DialogManagerTest, ATemplateWithoutFontUsesTheSystemDialogUnits)
{
    TemplateBuilder builder(kDialogStyle, 100, 50);
    HWND dialog = Create(builder);
    RECT unit{0, 0, 4, 8};
    ASSERT_TRUE(MapDialogRect(dialog, &unit));
    const LONG units = GetDialogBaseUnits();
    EXPECT_EQ(unit.right, LOWORD(units));
    EXPECT_EQ(unit.bottom, HIWORD(units));
    EXPECT_GT(LOWORD(units), 4);
    EXPECT_GT(HIWORD(units), 8);
}

TEST_F(DialogManagerTest, AbsAlignPlacesTheClientAreaInScreenCoordinates)
{
    TemplateBuilder builder(kDialogStyle | DS_ABSALIGN, 100, 50);
    builder.Template().x = 40;
    builder.Template().y = 40;
    HWND dialog = Create(builder);
    RECT offset{40, 40, 0, 0};
    MapDialogRect(dialog, &offset);
    POINT client{0, 0};
    ClientToScreen(dialog, &client);
    EXPECT_EQ(client.x, offset.left);
    EXPECT_EQ(client.y, offset.top);
}

TEST_F(DialogManagerTest, EndDialogOnAModelessDialogLeavesItAndRefusesOtherWindows)
{
    TemplateBuilder builder(kDialogStyle, 100, 50);
    HWND dialog = Create(builder);
    EXPECT_TRUE(EndDialog(dialog, 1));
    EXPECT_TRUE(IsWindow(dialog));
    SetLastError(0);
    EXPECT_FALSE(EndDialog(owner, 1));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_WINDOW_NOT_DIALOG));
    RECT r{0, 0, 4, 8};
    EXPECT_FALSE(MapDialogRect(owner, &r));
}

// A control that keeps the keys its "DlgCode" property names and logs the
// keys and characters that reach it.
class KeyKeeper {
public:
    static void Register()
    {
        WNDCLASS existing{};
        if (GetClassInfo(nullptr, "KeyKeeper", &existing))
            return;
        WNDCLASS wc{};
        wc.lpfnWndProc = Proc;
        wc.lpszClassName = "KeyKeeper";
        RegisterClass(&wc);
    }
    static std::vector<std::string>& Log()
    {
        static std::vector<std::string> log;
        return log;
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_GETDLGCODE)
            return reinterpret_cast<LRESULT>(GetProp(hwnd, "DlgCode"));
        if (message == WM_KEYDOWN || message == WM_CHAR) {
            char line[32];
            std::snprintf(line, sizeof line, "%s %u", message == WM_KEYDOWN ? "key" : "char",
                          static_cast<unsigned>(wParam));
            Log().push_back(line);
            return 0;
        }
        if (message == WM_NCDESTROY)
            RemoveProp(hwnd, "DlgCode");
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
};

struct KeptKeyCase {
    const char* name;
    UINT dlgCode;
    UINT vk;
    bool focusMoves;  // the dialog manager took the key
    const char* seen;  // what reached the control, "" for nothing
};

class KeptKeys : public DialogManagerTest, public ::testing::WithParamInterface<KeptKeyCase> {};

TEST_P(KeptKeys, AControlKeepsOnlyTheKeysItsDialogCodeAsksFor)
{
    KeyKeeper::Register();
    KeyKeeper::Log().clear();
    TemplateBuilder builder(kDialogStyle, 160, 90);
    builder.Item("KeyKeeper", "", 40, WS_TABSTOP | WS_GROUP, 5, 5, 60, 12)
        .Item("Edit", "", 41, WS_TABSTOP, 5, 20, 60, 12)
        .Item("Button", "OK", IDOK, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 5, 40, 50, 14)
        .Item("Button", "Cancel", IDCANCEL, WS_TABSTOP, 60, 40, 50, 14);
    HWND dialog = Create(builder);
    HWND keeper = GetDlgItem(dialog, 40);
    SetProp(keeper, "DlgCode", reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(GetParam().dlgCode)));
    SetFocus(keeper);
    Key(dialog, GetParam().vk);
    EXPECT_EQ(GetFocus() != keeper || !commands.empty(), GetParam().focusMoves);
    const std::string seen = KeyKeeper::Log().empty() ? "" : KeyKeeper::Log().front();
    EXPECT_EQ(seen, GetParam().seen);
}

INSTANTIATE_TEST_SUITE_P(
    DialogCodes, KeptKeys,
    ::testing::Values(KeptKeyCase{"TabMoves", 0, VK_TAB, true, ""},
                      KeptKeyCase{"WantTabKeepsTab", DLGC_WANTTAB, VK_TAB, false, "key 9"},
                      KeptKeyCase{"ArrowsMoveInTheGroup", 0, VK_DOWN, true, ""},
                      KeptKeyCase{"WantArrowsKeepsArrows", DLGC_WANTARROWS, VK_DOWN, false, "key 40"},
                      KeptKeyCase{"EnterPressesDefault", DLGC_WANTARROWS, VK_RETURN, true, ""},
                      KeptKeyCase{"WantAllKeysKeepsEnter", DLGC_WANTALLKEYS, VK_RETURN, false, "key 13"},
                      KeptKeyCase{"WantAllKeysKeepsEsc", DLGC_WANTALLKEYS, VK_ESCAPE, false, "key 27"},
                      KeptKeyCase{"EscCancels", DLGC_WANTCHARS, VK_ESCAPE, true, ""},
                      KeptKeyCase{"WantCharsKeepsLetters", DLGC_WANTCHARS, 'O', false, "key 79"},
                      KeptKeyCase{"OtherKeysStillArrive", 0, VK_F2, false, "key 113"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogManagerTest, SetFontChangesWhatGetFontAnswersAndTheTemplateFontLives)
{
    TemplateBuilder builder(kDialogStyle, 120, 60);
    builder.Font(8, "MS Shell Dlg").Item("Button", "OK", IDOK, WS_TABSTOP, 5, 5, 50, 14);
    HWND dialog = Create(builder);
    auto own = reinterpret_cast<HFONT>(SendMessage(dialog, WM_GETFONT, 0, 0));
    ASSERT_NE(own, nullptr);
    HGDIOBJ other = GetStockObject(DEFAULT_GUI_FONT);
    SendMessage(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(other), FALSE);
    EXPECT_EQ(SendMessage(dialog, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(other));
    LOGFONT lf{};
    EXPECT_TRUE(GetObject(own, sizeof lf, &lf)) << "the button still draws with the template's font";
    DestroyWindow(dialog);
    EXPECT_FALSE(GetObject(own, sizeof lf, &lf)) << "the dialog's font goes with it";
}

TEST_F(DialogManagerTest, AltMnemonicsWorkFromAControlThatKeepsEveryKey)
{
    KeyKeeper::Register();
    KeyKeeper::Log().clear();
    TemplateBuilder builder(kDialogStyle, 160, 90);
    builder.Item("KeyKeeper", "", 40, WS_TABSTOP, 5, 5, 60, 12)
        .Item("Button", "&Save", 30, WS_TABSTOP, 5, 40, 50, 14);
    HWND dialog = Create(builder);
    HWND keeper = GetDlgItem(dialog, 40);
    SetProp(keeper, "DlgCode", reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(DLGC_WANTALLKEYS)));
    SetFocus(keeper);
    Key(dialog, 'S');
    EXPECT_TRUE(commands.empty()) << "a plain letter is the control's";
    input.KeyDown(VK_MENU);
    input.KeyStroke('S');
    input.KeyUp(VK_MENU);
    Pump(dialog);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].id, 30);
}

TEST_F(DialogManagerTest, AnExtendedTemplateGivesItsFontWeightAndLongIds)
{
    TemplateBuilder builder(kDialogStyle, 120, 60);
    builder.Font(9, "MS Shell Dlg").Item("Button", "Far", 70000, WS_TABSTOP, 5, 5, 50, 14);
    builder.Template().extended = true;
    builder.Template().weight = FW_BOLD;
    builder.Template().italic = 1;
    HWND dialog = Create(builder);
    LOGFONT lf{};
    ASSERT_TRUE(GetObject(reinterpret_cast<HGDIOBJ>(SendMessage(dialog, WM_GETFONT, 0, 0)), sizeof lf, &lf));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfHeight, -12) << "9 points at 96 dots per inch";
    EXPECT_STREQ(lf.lfFaceName, "MS Shell Dlg");
    HWND far = GetDlgItem(dialog, 70000);
    ASSERT_NE(far, nullptr);
    EXPECT_EQ(GetDlgCtrlID(far), 70000);
    EXPECT_TRUE(GetWindowLong(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) << "DS_MODALFRAME";
}

TEST_F(DialogManagerTest, ATemplatesMenuBecomesTheMenuBarAndGoesWithTheDialog)
{
    const auto module = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x7D10));
    ASSERT_TRUE(tw::RegisterResources(module, DialogFixtureResources()));
    HWND dialog = CreateDialogParam(module, MAKEINTRESOURCE(701), owner, Proc, 0);
    ASSERT_NE(dialog, nullptr);
    HMENU menu = GetMenu(dialog);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 1);
    // The bar takes its row from the frame, not from the template's client area.
    RECT expected{0, 0, 120, 60};
    MapDialogRect(dialog, &expected);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
    DestroyWindow(dialog);
    EXPECT_FALSE(IsMenu(menu));

    SetLastError(0);
    EXPECT_EQ(CreateDialogParam(module, MAKEINTRESOURCE(702), owner, Proc, 0), nullptr);
    EXPECT_NE(GetLastError(), 0u) << "a missing menu fails the dialog as the loader reports it";
    EXPECT_EQ(FindWindow(WC_DIALOG, nullptr), nullptr);
    tw::UnregisterResources(module);
}

}  // namespace
}  // namespace tw::dlg::test
