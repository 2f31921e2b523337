// A modal sheet driven by a user's keys: pages made when first shown, a value
// refused on leaving a page, Apply and OK applying the made pages in order,
// Cancel applying none, a refusing page shown with its control focused, and
// sheets whose pages cannot be made failing without leaving a window behind.
#include "tests/platform/mfc/sheets/SheetTestSupport.h"

namespace tw::mfc::sheets_test {
namespace {

class ModalSheet : public SheetTest {
protected:
    LogPage general{IDD_PAGE_GENERAL, "General"};
    LogPage limits{IDD_PAGE_LIMITS, "Limits", true};
    LogPage colors{IDD_PAGE_COLORS, "Colors"};

    void AddThree(CPropertySheet& sheet)
    {
        colors.text = "red";
        sheet.AddPage(&general);
        sheet.AddPage(&limits);
        sheet.AddPage(&colors);
    }
};

TEST_F(ModalSheet, ThreePagesByKeysRefusedValueApplyAndOK)
{
    ScriptedSheet sheet(IDS_SHEET_CAPTION, &owner);
    AddThree(sheet);
    sheet.steps.push_back([&](ScriptedSheet& s) {
        EXPECT_EQ(Text(s.m_hWnd), "Server Settings");
        EXPECT_FALSE(owner.IsWindowEnabled()) << "a modal sheet disables its owner";
        EXPECT_EQ(Log(), (Lines{"General INIT", "General SETACTIVE"}));
        EXPECT_EQ(limits.m_hWnd, nullptr) << "pages are made when first shown";
        EXPECT_EQ(s.GetTabControl()->GetItemCount(), 3);
        EXPECT_EQ(TabText(s, 1), "Limits");
        EXPECT_FALSE(::IsWindowEnabled(s.Item(ID_APPLY_NOW)));
        CtrlKey(VK_TAB);
    });
    sheet.steps.push_back([&](ScriptedSheet& s) {
        EXPECT_EQ(s.GetActiveIndex(), 1);
        EXPECT_EQ(s.GetActivePage(), &limits);
        EXPECT_EQ(s.GetTabControl()->GetCurSel(), 1);
        EXPECT_EQ(colors.m_hWnd, nullptr);
        // Tab leads from the tabs into the page; the typed value is out of range.
        input.KeyStroke(VK_TAB);
        TypeKeys("42");
        CtrlKey(VK_NEXT);
    });
    sheet.steps.push_back([&](ScriptedSheet& s) {
        EXPECT_EQ(TheApp().prompts, (Lines{"Please enter an integer between 1 and 10."}));
        EXPECT_EQ(s.GetActiveIndex(), 1) << "the refused value keeps the page";
        EXPECT_EQ(::GetFocus(), limits.Edit());
        EXPECT_TRUE(::IsWindowEnabled(s.Item(ID_APPLY_NOW))) << "typing marked the page changed";
        TypeKeys("7");
        AltKey('A');
    });
    sheet.steps.push_back([&](ScriptedSheet& s) {
        EXPECT_FALSE(::IsWindowEnabled(s.Item(ID_APPLY_NOW))) << "everything is applied";
        EXPECT_EQ(limits.number, 7);
        CtrlKey(VK_TAB);
    });
    sheet.steps.push_back([&](ScriptedSheet& s) {
        EXPECT_EQ(s.GetActivePage(), &colors);
        EXPECT_EQ(::GetFocus(), colors.Edit()) << "the focus follows into the page shown";
        input.KeyStroke(VK_RETURN);
    });

    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(Log(), (Lines{"General INIT", "General SETACTIVE", "General KILLACTIVE", "Limits INIT",
                            "Limits SETACTIVE", "Limits KILLACTIVE refused", "Limits KILLACTIVE", "General APPLY abc",
                            "Limits APPLY 7", "Limits KILLACTIVE", "Colors INIT", "Colors SETACTIVE",
                            "Colors KILLACTIVE", "General APPLY abc", "Limits APPLY 7", "Colors APPLY red"}));
    EXPECT_GT(sheet.keysSeen, 0) << "keys pass through the sheet's PreTranslateMessage";
    EXPECT_EQ(general.oks, 2) << "OnApply's default runs OnOK, for Apply and for OK";
    EXPECT_EQ(colors.oks, 1);
    EXPECT_EQ(general.cancels, 0);
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_EQ(limits.m_hWnd, nullptr);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(ModalSheet, CancelAppliesNothingAndMayBeRefused)
{
    ScriptedSheet sheet("Options", &owner);
    AddThree(sheet);
    limits.allowCancel = false;
    sheet.steps.push_back([&](ScriptedSheet&) {
        CtrlKey(VK_TAB);
        input.KeyStroke(VK_TAB);
        TypeKeys("9");
        input.KeyStroke(VK_ESCAPE);
    });
    sheet.steps.push_back([&](ScriptedSheet& s) {
        EXPECT_EQ(s.GetActivePage(), &limits) << "the page refused to be cancelled";
        limits.allowCancel = true;
        input.KeyStroke(VK_ESCAPE);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(Log(), (Lines{"General INIT", "General SETACTIVE", "General KILLACTIVE", "Limits INIT",
                            "Limits SETACTIVE", "Limits QUERYCANCEL", "Limits QUERYCANCEL", "General RESET",
                            "Limits RESET"}));
    EXPECT_EQ(limits.number, 3) << "the typed value never reached the member";
    EXPECT_EQ(general.cancels, 1) << "OnReset's default runs OnCancel";
    EXPECT_EQ(limits.cancels, 1);
    EXPECT_EQ(general.oks + limits.oks, 0);
}

TEST_F(ModalSheet, ARefusingPageIsShownWithItsControlFocusedAndStopsTheApply)
{
    ScriptedSheet sheet("Options", &owner);
    AddThree(sheet);
    limits.validateOnApply = true;
    sheet.steps.push_back([&](ScriptedSheet& s) {
        EXPECT_TRUE(s.SetActivePage(&limits));
        EXPECT_TRUE(s.SetActivePage(2));
        // A program change the page never checked.
        ::SetWindowText(limits.Edit(), "99");
        Log().clear();
        s.PressButton(PSBTN_OK);
    });
    sheet.steps.push_back([&](ScriptedSheet& s) {
        EXPECT_EQ(Log(), (Lines{"Colors KILLACTIVE", "General APPLY abc", "Limits APPLY refused",
                                "Limits SETACTIVE"}));
        EXPECT_EQ(TheApp().prompts, (Lines{"Please enter an integer between 1 and 10."}));
        EXPECT_EQ(s.GetActivePage(), &limits);
        EXPECT_EQ(::GetFocus(), limits.Edit());
        EXPECT_TRUE(::IsWindowVisible(limits.m_hWnd));
        EXPECT_EQ(Text(limits.Edit()), "99") << "the refused value stays for the user to mend";
        EXPECT_FALSE(::IsWindowVisible(colors.m_hWnd));
        TypeKeys("4");
        Log().clear();
        input.KeyStroke(VK_RETURN);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(Log(), (Lines{"Limits KILLACTIVE", "General APPLY abc", "Limits APPLY 4", "Colors APPLY red"}));
}

TEST_F(ModalSheet, ApplyRefusedByTheFirstPageAppliesNoOtherPage)
{
    ScriptedSheet sheet("Options", &owner);
    AddThree(sheet);
    general.refuseApply = true;
    sheet.steps.push_back([&](ScriptedSheet& s) {
        s.SetActivePage(1);
        Log().clear();
        s.PressButton(PSBTN_APPLYNOW);
    });
    sheet.steps.push_back([&](ScriptedSheet& s) {
        EXPECT_EQ(Log(), (Lines{"Limits KILLACTIVE", "General APPLY refused", "General SETACTIVE"}));
        EXPECT_EQ(s.GetActivePage(), &general);
        EXPECT_TRUE(::IsChild(general.m_hWnd, ::GetFocus()));
        s.EndDialog(77);
    });
    EXPECT_EQ(sheet.DoModal(), 77) << "EndDialog ends the sheet with its own result";
}

TEST_F(ModalSheet, CaptionsTitlesAndButtonsFollowTheHeader)
{
    LogPage renamed(IDD_PAGE_COLORS, "Colors", false, IDS_PAGE_TITLE);
    ScriptedSheet sheet("Options", &owner, 1);
    sheet.AddPage(&general);
    sheet.AddPage(&renamed);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.m_psh.dwFlags &= ~PSH_HASHELP;
    sheet.steps.push_back([&](ScriptedSheet& s) {
        EXPECT_EQ(s.GetActivePage(), &renamed) << "the page chosen at construction comes first";
        EXPECT_EQ(general.m_hWnd, nullptr);
        EXPECT_EQ(TabText(s, 1), "Renamed") << "a caption id names the tab";
        EXPECT_EQ(s.Item(ID_APPLY_NOW), nullptr);
        EXPECT_EQ(s.Item(IDHELP), nullptr);
        EXPECT_TRUE(::IsWindowVisible(s.Item(IDOK)));
        s.SetTitle("Server", PSH_PROPTITLE);
        EXPECT_EQ(Text(s.m_hWnd), "Properties for Server");
        renamed.CancelToClose();
        EXPECT_EQ(Text(s.Item(IDCANCEL)), "Close");
        EXPECT_FALSE(::IsWindowEnabled(s.Item(IDOK)));
        s.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(ModalSheet, APageThatCannotBeMadeFailsTheSheetAndLeavesNoWindow)
{
    const size_t windowsBefore = TopLevelCount();
    struct Case {
        const char* what;
        UINT firstTemplate;
    };
    for (const Case& c : {Case{"missing template", 32001}, Case{"control that cannot be made", IDD_PAGE_BROKEN}}) {
        SCOPED_TRACE(c.what);
        LogPage first(c.firstTemplate, "First");
        ScriptedSheet sheet("Options", &owner);
        sheet.AddPage(&first);
        sheet.AddPage(&general);
        EXPECT_EQ(sheet.DoModal(), -1);
        EXPECT_EQ(sheet.m_hWnd, nullptr);
        EXPECT_TRUE(owner.IsWindowEnabled());
        EXPECT_EQ(TopLevelCount(), windowsBefore);
        EXPECT_FALSE(sheet.Create(&owner));
        EXPECT_EQ(TopLevelCount(), windowsBefore);
    }
    ScriptedSheet empty("Options", &owner);
    EXPECT_EQ(empty.DoModal(), -1) << "a sheet needs a page";
}

TEST_F(ModalSheet, APageThatCannotBeMadeLaterKeepsTheSheetOnItsPage)
{
    LogPage broken(IDD_PAGE_BROKEN, "Broken");
    ScriptedSheet sheet("Options", &owner);
    sheet.AddPage(&general);
    sheet.AddPage(&broken);
    sheet.steps.push_back([&](ScriptedSheet&) { CtrlKey(VK_TAB); });
    sheet.steps.push_back([&](ScriptedSheet& s) {
        EXPECT_FALSE(s.SetActivePage(&broken));
        EXPECT_EQ(s.GetActivePage(), &general);
        EXPECT_EQ(s.GetTabControl()->GetCurSel(), 0);
        EXPECT_TRUE(::IsWindowVisible(general.m_hWnd));
        input.KeyStroke(VK_RETURN);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
}

TEST_F(ModalSheet, HelpIsOfferedWhenTheApplicationHasHelp)
{
    TheApp().helpEnabled = true;
    LogPage helped(IDD_PAGE_COLORS, "Helped");
    helped.handlesHelp = true;
    ScriptedSheet sheet("Options", &owner);
    TheApp().helpEnabled = false;
    EXPECT_TRUE(sheet.m_psh.dwFlags & PSH_HASHELP);
    EXPECT_TRUE(helped.m_psp.dwFlags & PSP_HASHELP);
    EXPECT_FALSE(general.m_psp.dwFlags & PSP_HASHELP) << "built while the application had no help";
    sheet.AddPage(&general);
    sheet.AddPage(&helped);
    sheet.steps.push_back([&](ScriptedSheet& s) {
        EXPECT_TRUE(::IsWindowVisible(s.Item(IDHELP)));
        s.PressButton(PSBTN_HELP);
    });
    sheet.steps.push_back([&](ScriptedSheet& s) {
        EXPECT_EQ(TheApp().prompts.size(), 1u) << "a page without help says there is none";
        s.SetActivePage(&helped);
        Log().clear();
        s.PressButton(PSBTN_HELP);
    });
    sheet.steps.push_back([&](ScriptedSheet& s) {
        EXPECT_EQ(Log(), (Lines{"Helped HELP"}));
        EXPECT_EQ(TheApp().prompts.size(), 1u);
        s.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

}  // namespace
}  // namespace tw::mfc::sheets_test
