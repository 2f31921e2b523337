// Modeless sheets under the application's own loop, and a sheet living as a
// child window of a dialog: page keys, mnemonics and command routing into
// the pages, pages added and removed while the sheet is up, and the way out.
#include "tests/platform/mfc/sheets/SheetTestSupport.h"

#include <memory>

namespace tw::mfc::sheets_test {
namespace {

class ModelessSheet : public SheetTest {
protected:
    void SetUp() override
    {
        SheetTest::SetUp();
        colors.text = "red";
        for (LogPage* page : {&general, &limits, &colors})
            sheet.AddPage(page);
    }

    LogPage general{IDD_PAGE_GENERAL, "General"};
    LogPage limits{IDD_PAGE_LIMITS, "Limits", true};
    LogPage colors{IDD_PAGE_COLORS, "Colors"};
    CPropertySheet sheet{"Customize", &owner};
};

TEST_F(ModelessSheet, RunsBesideItsOwnerWithoutTheStandardButtons)
{
    ASSERT_TRUE(sheet.Create());
    PumpThroughApp();
    EXPECT_TRUE(sheet.IsWindowVisible());
    EXPECT_TRUE(owner.IsWindowEnabled()) << "a modeless sheet leaves its owner usable";
    EXPECT_EQ(::GetWindow(sheet.m_hWnd, GW_OWNER), parent);
    EXPECT_EQ(CWnd::FromHandlePermanent(sheet.m_hWnd), &sheet);
    CRect client;
    sheet.GetClientRect(&client);
    for (int nID : {IDOK, IDCANCEL, ID_APPLY_NOW}) {
        HWND button = ::GetDlgItem(sheet.m_hWnd, nID);
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(::IsWindowVisible(button));
        EXPECT_FALSE(::IsWindowEnabled(button));
        CRect rect;
        ::GetWindowRect(button, &rect);
        sheet.ScreenToClient(&rect);
        EXPECT_GE(rect.top, client.bottom) << "the row of buttons is cut off";
    }
    CRect tab;
    sheet.GetTabControl()->GetWindowRect(&tab);
    sheet.ScreenToClient(&tab);
    EXPECT_LE(tab.bottom, client.bottom);
    EXPECT_EQ(Log(), (Lines{"General INIT", "General SETACTIVE"}));
}

TEST_F(ModelessSheet, PageKeysMnemonicsAndCommandsReachTheirPages)
{
    ASSERT_TRUE(sheet.Create(&owner));
    PumpThroughApp();
    struct Step {
        const char* keys;
        bool shift;
        UINT vk;
        int expected;
    };
    for (const Step& step : {Step{"Ctrl+Tab", false, VK_TAB, 1}, Step{"Ctrl+Shift+Tab", true, VK_TAB, 0},
                             Step{"Ctrl+PgUp wraps", false, VK_PRIOR, 2}, Step{"Ctrl+PgDn wraps", false, VK_NEXT, 0}}) {
        SCOPED_TRACE(step.keys);
        CtrlKey(step.vk, step.shift);
        PumpThroughApp();
        EXPECT_EQ(sheet.GetActiveIndex(), step.expected);
        EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), step.expected);
    }
    // Tab walks from the tabs into the page.
    ::SetFocus(sheet.GetTabControl()->m_hWnd);
    input.KeyStroke(VK_TAB);
    PumpThroughApp();
    EXPECT_EQ(::GetFocus(), general.Edit());

    Log().clear();
    AltKey('D');  // "&Defaults" on the General page
    PumpThroughApp();
    EXPECT_EQ(Log(), (Lines{"General BUTTON"})) << "a page's button is handled by the page";
    const CRect before = [&] {
        CRect r;
        ::GetWindowRect(general.Button(), &r);
        return r;
    }();
    input.Click(tw::display::MouseButton::Left, before.CenterPoint().x, before.CenterPoint().y);
    PumpThroughApp();
    EXPECT_EQ(Log(), (Lines{"General BUTTON", "General BUTTON"}));
}

TEST_F(ModelessSheet, PagesComeAndGoWhileTheSheetIsUp)
{
    ASSERT_TRUE(sheet.Create(&owner));
    LogPage extra(IDD_PAGE_COLORS, "Extra");
    sheet.AddPage(&extra);
    EXPECT_EQ(sheet.GetPageCount(), 4);
    EXPECT_EQ(sheet.GetTabControl()->GetItemCount(), 4);
    EXPECT_EQ(sheet.GetPage(3), &extra);
    EXPECT_EQ(extra.m_hWnd, nullptr);
    ASSERT_TRUE(sheet.SetActivePage(&extra));
    EXPECT_NE(extra.m_hWnd, nullptr);

    // The last page goes: the one before takes over.
    sheet.RemovePage(&extra);
    EXPECT_EQ(extra.m_hWnd, nullptr);
    EXPECT_EQ(sheet.GetActivePage(), &colors);
    EXPECT_EQ(sheet.GetPageCount(), 3);
    EXPECT_EQ(sheet.GetTabControl()->GetItemCount(), 3);

    // A page in the middle goes even when it holds a value it would refuse: the next one takes over.
    ASSERT_TRUE(sheet.SetActivePage(1));
    ::SetWindowText(limits.Edit(), "99");
    sheet.RemovePage(1);
    EXPECT_EQ(sheet.GetActivePage(), &colors);
    EXPECT_TRUE(::IsWindowVisible(colors.m_hWnd));
    EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 1);
    EXPECT_EQ(sheet.GetPageIndex(&limits), -1);
    EXPECT_TRUE(TheApp().prompts.empty()) << "nobody asked the page that went";
}

TEST_F(ModelessSheet, PagesShowTheirMembersAgainAndAskTheirSiblings)
{
    ASSERT_TRUE(sheet.Create(&owner));
    EXPECT_EQ(general.GetParentSheet(), &sheet);
    EXPECT_EQ(colors.GetParentSheet(), nullptr) << "not made yet";
    ASSERT_TRUE(sheet.SetActivePage(&limits));
    general.text = "xyz";
    ASSERT_TRUE(sheet.SetActivePage(&general));
    EXPECT_EQ(Text(general.Edit()), "xyz") << "a later activation shows the members";

    limits.siblingAnswer = 5;
    Log().clear();
    EXPECT_EQ(general.QuerySiblings(7, 0), 5);
    EXPECT_EQ(Log(), (Lines{"General SIBLINGS 7", "Limits SIBLINGS 7"})) << "pages not made are not asked";

    EXPECT_FALSE(general.IsModified());
    general.SetModified();
    EXPECT_TRUE(general.IsModified());
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW)));
    limits.SetModified();
    general.SetModified(FALSE);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW))) << "Limits still holds a change";
    limits.SetModified(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW)));
}

// A sheet the program makes with new and that deletes itself when its window goes.
class OwnLifeSheet : public CPropertySheet {
public:
    OwnLifeSheet(CWnd* pOwner, bool& createdAttached, bool& deleted)
        : CPropertySheet("Customize", pOwner), createdAttached_(createdAttached), deleted_(deleted)
    {
    }
    ~OwnLifeSheet() override { deleted_ = true; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        createdAttached_ = CWnd::FromHandlePermanent(m_hWnd) == this;
        return CPropertySheet::OnCreate(lpCreateStruct);
    }
    void PostNcDestroy() override
    {
        CPropertySheet::PostNcDestroy();
        delete this;
    }
    DECLARE_MESSAGE_MAP()

private:
    bool& createdAttached_;
    bool& deleted_;
};

BEGIN_MESSAGE_MAP(OwnLifeSheet, CPropertySheet)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST_F(SheetTest, AModelessSheetMayLiveOnItsOwn)
{
    LogPage general(IDD_PAGE_GENERAL, "General");
    bool createdAttached = false;
    bool deleted = false;
    auto* sheet = new OwnLifeSheet(&owner, createdAttached, deleted);
    sheet->AddPage(&general);
    ASSERT_TRUE(sheet->Create());
    EXPECT_TRUE(createdAttached) << "the sheet's own WM_CREATE reaches its message map";
    sheet->PressButton(PSBTN_CANCEL);
    PumpThroughApp();
    EXPECT_TRUE(deleted);
    EXPECT_EQ(general.m_hWnd, nullptr);
}

TEST_F(ModelessSheet, OkAndCancelEndTheWindowAndEndDialogToo)
{
    struct Case {
        const char* what;
        std::function<void(CPropertySheet&)> end;
        Lines expected;
    };
    const Case cases[] = {
        {"Cancel", [](CPropertySheet& s) { s.PressButton(PSBTN_CANCEL); },
         {"General QUERYCANCEL", "General RESET"}},
        {"OK", [](CPropertySheet& s) { s.PressButton(PSBTN_OK); }, {"General KILLACTIVE", "General APPLY abc"}},
        {"EndDialog", [](CPropertySheet& s) { s.EndDialog(IDOK); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(sheet.Create(&owner));
        Log().clear();
        c.end(sheet);
        PumpThroughApp();
        EXPECT_EQ(sheet.m_hWnd, nullptr);
        EXPECT_EQ(general.m_hWnd, nullptr);
        EXPECT_EQ(Log(), c.expected);
    }
}

TEST_F(SheetTest, TabsStackInRowsUnlessTurnedOff)
{
    for (BOOL stacked : {TRUE, FALSE}) {
        SCOPED_TRACE(stacked ? "stacked" : "one row");
        std::vector<std::unique_ptr<LogPage>> pages;
        CPropertySheet sheet("Many", &owner);
        sheet.EnableStackedTabs(stacked);
        for (int i = 0; i < 9; ++i) {
            pages.push_back(std::make_unique<LogPage>(IDD_PAGE_COLORS, "Page"));
            sheet.AddPage(pages.back().get());
        }
        ASSERT_TRUE(sheet.Create(&owner));
        CTabCtrl* tab = sheet.GetTabControl();
        if (!stacked) {
            EXPECT_EQ(tab->GetRowCount(), 1);
            continue;
        }
        EXPECT_GT(tab->GetRowCount(), 1) << "nine tabs do not fit in one row of the page's width";
        // The page starts below every row of tabs.
        CRect page;
        ::GetWindowRect(pages.front()->m_hWnd, &page);
        tab->ScreenToClient(&page);
        for (int i = 0; i < tab->GetItemCount(); ++i) {
            CRect item;
            tab->GetItemRect(i, &item);
            EXPECT_LE(item.bottom, page.top) << "tab " << i;
        }
    }
}

// A dialog with a sheet in place of its placeholder, as a colour dialog holds its pages.
class HostDialog : public CDialog {
public:
    HostDialog() : CDialog(IDD_HOST)
    {
        sheet.AddPage(&general);
        sheet.AddPage(&limits);
    }

    LogPage general{IDD_PAGE_GENERAL, "General"};
    LogPage limits{IDD_PAGE_LIMITS, "Limits", true};
    CPropertySheet sheet{""};
    int oks = 0;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (!sheet.Create(this, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT))
            return TRUE;
        CRect place;
        ::GetWindowRect(::GetDlgItem(m_hWnd, IDC_HOST_PLACE), &place);
        ScreenToClient(&place);
        sheet.SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }

protected:
    void OnOK() override { ++oks; }
};

TEST_F(SheetTest, AChildSheetLeavesTheDialogKeysToItsDialog)
{
    HostDialog host;
    ASSERT_TRUE(host.Create(IDD_HOST, &owner));
    host.ShowWindow(SW_SHOW);
    PumpThroughApp();
    CPropertySheet& sheet = host.sheet;
    ASSERT_NE(sheet.m_hWnd, nullptr);
    EXPECT_EQ(::GetParent(sheet.m_hWnd), host.m_hWnd);
    EXPECT_TRUE(sheet.GetStyle() & WS_CHILD);
    EXPECT_FALSE(sheet.GetStyle() & WS_CAPTION);
    EXPECT_EQ(sheet.GetActivePage(), &host.general);

    // Page keys work inside the sheet ...
    ::SetFocus(host.general.Edit());
    CtrlKey(VK_TAB);
    PumpThroughApp();
    EXPECT_EQ(sheet.GetActivePage(), &host.limits);
    EXPECT_EQ(::GetFocus(), host.limits.Edit());
    // ... Enter is the dialog's default button, not the sheet's OK.
    Log().clear();
    input.KeyStroke(VK_RETURN);
    PumpThroughApp();
    EXPECT_EQ(host.oks, 1);
    EXPECT_TRUE(Log().empty()) << "no page was applied";
    // ... and Tab walks from the dialog's own controls into the sheet.
    ::SetFocus(::GetDlgItem(host.m_hWnd, IDC_HOST_EDIT));
    input.KeyStroke(VK_TAB);
    input.KeyStroke(VK_TAB);
    PumpThroughApp();
    EXPECT_TRUE(::IsChild(sheet.m_hWnd, ::GetFocus()));

    host.DestroyWindow();
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_EQ(host.limits.m_hWnd, nullptr);
}

}  // namespace
}  // namespace tw::mfc::sheets_test
