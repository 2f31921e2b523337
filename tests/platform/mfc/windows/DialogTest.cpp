// Dialogs from a template: the modal loop and its ways out, data exchange in
// both directions, the validation messages word for word with the focus put
// back on the failing control, modeless dialogs, and the dialog's focus moves.
#include <functional>
#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "platform/mfc/AfxThreadState.h"
#include "platform/win32/resource/DialogTemplate.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTable.h"
#include "tests/platform/mfc/windows/WindowTestFixture.h"

namespace tw::mfc::test {
namespace {

constexpr UINT IDD_TEST = 9001;
constexpr int IDC_NAME = 100;
constexpr int IDC_COUNT = 101;
constexpr int IDC_CHECK = 102;
constexpr int IDC_RADIO_A = 103;
constexpr int IDC_RADIO_B = 104;

std::vector<BYTE> MakeTemplate()
{
    tw::res::DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    dialog.cx = 200;
    dialog.cy = 120;
    dialog.title = "Options";
    auto item = [&](const char* cls, const char* text, int id, DWORD style, short y) {
        tw::res::DialogItemTemplate it;
        it.style = style | WS_CHILD | WS_VISIBLE;
        it.x = 10;
        it.y = y;
        it.cx = 100;
        it.cy = 12;
        it.id = static_cast<DWORD>(id);
        it.windowClass = tw::res::NameOrOrdinal::FromOrdinal(tw::res::AtomOfClassName(cls));
        it.title = tw::res::NameOrOrdinal::FromText(text);
        dialog.items.push_back(it);
    };
    item("Edit", "", IDC_NAME, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 5);
    item("Edit", "", IDC_COUNT, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 20);
    item("Button", "Check", IDC_CHECK, WS_TABSTOP | BS_AUTOCHECKBOX, 35);
    item("Button", "A", IDC_RADIO_A, WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 50);
    item("Button", "B", IDC_RADIO_B, BS_AUTORADIOBUTTON, 65);
    item("Button", "OK", IDOK, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 80);
    item("Button", "Cancel", IDCANCEL, WS_TABSTOP | BS_PUSHBUTTON, 95);
    return tw::res::WriteDialogTemplate(dialog);
}

const std::vector<BYTE>& TemplateBytes()
{
    static const std::vector<BYTE> bytes = MakeTemplate();
    return bytes;
}

void RegisterTestDialog()
{
    static const tw::ResourceEntry entries[] = {
        {5, nullptr, IDD_TEST, nullptr, 0x0409, TemplateBytes().data(), static_cast<DWORD>(TemplateBytes().size())}};
    static const tw::ResourceTable table{entries, 1};
    static const bool registered = tw::RegisterResources(tw::ProgramInstance(), table);
    (void)registered;
}

// Runs one scripted step each time the modal loop goes idle, and answers
// every message box with OK, keeping its text.
class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(IDD_TEST) {}

    CString m_name = "abc";
    int m_count = 3;
    int m_check = 1;
    int m_radio = 1;
    bool endInInit = false;
    std::vector<std::function<void(TestDialog&)>> steps;
    std::vector<std::string> boxes;

    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void SetText(int id, const char* text) { ::SetWindowText(Item(id), text); }
    void PressOK() { PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDOK))); }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 5);
        DDX_Text(pDX, IDC_COUNT, m_count);
        DDV_MinMaxInt(pDX, m_count, 1, 10);
        DDX_Check(pDX, IDC_CHECK, m_check);
        DDX_Radio(pDX, IDC_RADIO_A, m_radio);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (endInInit)
            EndDialog(55);
        return TRUE;
    }
    LRESULT OnKickIdle(WPARAM, LPARAM lCount)
    {
        if (lCount == 0 && next < steps.size())
            steps[next++](*this);
        return 0;
    }
    LRESULT OnEnterIdle(WPARAM, LPARAM lParam)
    {
        HWND box = reinterpret_cast<HWND>(lParam);
        if (box == m_hWnd || boxSeen == box)
            return 0;
        boxSeen = box;
        char text[256] = {};
        ::GetWindowText(::GetDlgItem(box, 0xFFFF), text, sizeof text);
        boxes.push_back(text);
        ::PostMessage(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    size_t next = 0;
    HWND boxSeen = nullptr;
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_MESSAGE(WM_ENTERIDLE, OnEnterIdle)
END_MESSAGE_MAP()

class WatchingDialog : public TestDialog {
public:
    int changes = 0;

protected:
    void OnNameChanged() { ++changes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(WatchingDialog, TestDialog)
    ON_EN_CHANGE(IDC_NAME, OnNameChanged)
END_MESSAGE_MAP()

class Dialogs : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        RegisterTestDialog();
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 650, 450),
                                   nullptr, 0));
        App().m_pMainWnd = &owner;
    }
    static std::string Text(HWND hwnd)
    {
        char text[64] = {};
        ::GetWindowText(hwnd, text, sizeof text);
        return text;
    }
    CWnd owner;
};

TEST_F(Dialogs, ModalFromResourceShowsValuesAndSavesThemOnOK)
{
    TestDialog dlg;
    bool ownerDisabled = false;
    dlg.steps.push_back([&](TestDialog& d) {
        EXPECT_EQ(Text(d.Item(IDC_NAME)), "abc");
        EXPECT_EQ(Text(d.Item(IDC_COUNT)), "3");
        EXPECT_EQ(::SendMessage(d.Item(IDC_CHECK), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(::SendMessage(d.Item(IDC_RADIO_A), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(::SendMessage(d.Item(IDC_RADIO_B), BM_GETCHECK, 0, 0), BST_CHECKED);
        ownerDisabled = !::IsWindowEnabled(owner.m_hWnd);
        d.SetText(IDC_NAME, "xyz");
        d.SetText(IDC_COUNT, " 9 ");
        ::SendMessage(d.Item(IDC_CHECK), BM_SETCHECK, BST_UNCHECKED, 0);
        ::SendMessage(d.Item(IDC_RADIO_B), BM_SETCHECK, BST_UNCHECKED, 0);
        ::SendMessage(d.Item(IDC_RADIO_A), BM_SETCHECK, BST_CHECKED, 0);
        d.PressOK();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_STREQ(dlg.m_name, "xyz");
    EXPECT_EQ(dlg.m_count, 9);
    EXPECT_EQ(dlg.m_check, 0);
    EXPECT_EQ(dlg.m_radio, 0);
    EXPECT_TRUE(dlg.boxes.empty());
}

TEST_F(Dialogs, ValidationTellsTheUserAndPutsTheFocusBack)
{
    TestDialog dlg;
    auto expectFocusOn = [](TestDialog& d, int id) {
        EXPECT_EQ(::GetFocus(), d.Item(id));
        DWORD start = 1;
        DWORD end = 0;
        ::SendMessage(d.Item(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, static_cast<DWORD>(::GetWindowTextLength(d.Item(id))));
    };
    dlg.steps.push_back([](TestDialog& d) {
        d.SetText(IDC_COUNT, "12x");
        d.PressOK();
    });
    dlg.steps.push_back([&](TestDialog& d) {
        expectFocusOn(d, IDC_COUNT);
        d.SetText(IDC_COUNT, "42");
        d.PressOK();
    });
    dlg.steps.push_back([&](TestDialog& d) {
        expectFocusOn(d, IDC_COUNT);
        d.SetText(IDC_COUNT, "7");
        d.SetText(IDC_NAME, "toolong");
        d.PressOK();
    });
    dlg.steps.push_back([&](TestDialog& d) {
        expectFocusOn(d, IDC_NAME);
        d.SetText(IDC_NAME, "ok");
        d.PressOK();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.boxes, (std::vector<std::string>{"Please enter an integer.",
                                                   "Please enter an integer between 1 and 10.",
                                                   "Please enter no more than 5 characters."}));
    EXPECT_STREQ(dlg.m_name, "ok");
    EXPECT_EQ(dlg.m_count, 7);
}

TEST_F(Dialogs, CancelLeavesTheMembersAlone)
{
    TestDialog dlg;
    dlg.steps.push_back([](TestDialog& d) {
        d.SetText(IDC_NAME, "other");
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_STREQ(dlg.m_name, "abc");
}

TEST_F(Dialogs, EndedDuringInitialisationNeverRunsTheLoop)
{
    TestDialog dlg;
    dlg.endInInit = true;
    dlg.steps.push_back([](TestDialog&) { ADD_FAILURE() << "the loop ran"; });
    EXPECT_EQ(dlg.DoModal(), 55);
}

TEST_F(Dialogs, MissingTemplateFails)
{
    CDialog dlg(IDD_TEST + 1);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_FALSE(dlg.Create(IDD_TEST + 1));
}

TEST_F(Dialogs, OutOfRangeNumberIsRefusedRatherThanWrapped)
{
    TestDialog dlg;
    dlg.steps.push_back([](TestDialog& d) {
        d.SetText(IDC_COUNT, "4294967297");  // 2^32 + 1 would wrap to 1
        d.PressOK();
    });
    dlg.steps.push_back([](TestDialog& d) { d.PostMessage(WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.boxes, (std::vector<std::string>{"Please enter an integer."}));
}

TEST_F(Dialogs, ModelessDialogMovesFocusByTheDialogManager)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST, &owner));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
    EXPECT_EQ(Text(dlg.Item(IDC_NAME)), "abc");  // OnInitDialog filled the controls
    dlg.ShowWindow(SW_SHOW);
    dlg.GotoDlgCtrl(CWnd::FromHandle(dlg.Item(IDC_COUNT)));
    EXPECT_EQ(::GetFocus(), dlg.Item(IDC_COUNT));
    dlg.NextDlgCtrl();
    EXPECT_EQ(::GetFocus(), dlg.Item(IDC_CHECK));
    dlg.PrevDlgCtrl();
    EXPECT_EQ(::GetFocus(), dlg.Item(IDC_COUNT));
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(Dialogs, PreSubclassWindowSeesTheDialogBeingCreated)
{
    class SpyDialog : public TestDialog {
    public:
        bool pending = false;

    protected:
        void PreSubclassWindow() override { pending = tw::mfc::CurrentThreadState().pWndInit == this; }
    } dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST, &owner));
    EXPECT_TRUE(dlg.pending);
    EXPECT_EQ(tw::mfc::CurrentThreadState().pWndInit, nullptr) << "no longer pending once created";
    dlg.DestroyWindow();
}

TEST_F(Dialogs, TheMouseOverAControlOfADialogWithTipsFindsItsTool)
{
    InitCommonControls();  // the tooltip's class
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST, &owner));
    dlg.ShowWindow(SW_SHOW);
    dlg.EnableToolTips();
    CRect control;
    ::GetWindowRect(dlg.Item(IDC_NAME), &control);
    MSG msg{};
    msg.hwnd = dlg.Item(IDC_NAME);
    msg.message = WM_MOUSEMOVE;
    msg.pt = control.CenterPoint();
    CWnd::WalkPreTranslateTree(dlg.m_hWnd, &msg);

    tw::mfc::ThreadState& state = tw::mfc::CurrentThreadState();
    EXPECT_EQ(state.pToolTipLastHit, &dlg);
    EXPECT_EQ(state.nToolTipLastHit, IDC_NAME);
    dlg.EnableToolTips(FALSE);
    dlg.DestroyWindow();
    if (::IsWindow(state.hToolTip))
        ::DestroyWindow(state.hToolTip);
}

TEST_F(Dialogs, NotificationsWhileShowingValuesAreNotTheUsers)
{
    // An EN_CHANGE caused by UpdateData(FALSE) must not reach the dialog's handlers.
    WatchingDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST, &owner));
    dlg.m_name = "changed";
    const int before = dlg.changes;
    dlg.UpdateData(FALSE);
    EXPECT_EQ(dlg.changes, before);
    dlg.SetText(IDC_NAME, "typed");
    EXPECT_EQ(dlg.changes, before + 1);
    dlg.DestroyWindow();
}


}  // namespace
}  // namespace tw::mfc::test
