// The Tools/Customize sheet over a frame: its pages, its Close and Help
// buttons, customise mode for the frame's windows, and the Commands,
// Toolbars and Options pages driven as a user drives them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mfc/CListBox.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/afxole.h"
#include "platform/win32/user/BeepTrace.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/KtvPContextMenuManager.h"
#include "ui/commandbars/KtvPCustomizePage.h"
#include "ui/commandbars/KtvPMenuPage.h"
#include "ui/commandbars/KtvPOptionsPage.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "ui/commandbars/KtvPToolbarsPage.h"
#include "ui/frames/KtvPCodes.h"

namespace {

using tw::test::ToolBarTest;

// Answers every message box of the thread with the chosen button and keeps their texts.
class SheetMessageBoxAnswerer {
public:
    explicit SheetMessageBoxAnswerer(int nAnswer) : m_nAnswer(nAnswer)
    {
        s_self = this;
        m_hook = ::SetWindowsHookEx(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~SheetMessageBoxAnswerer()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_self = nullptr;
    }
    std::vector<std::string> texts;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND && s_self != nullptr) {
            const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
            const HWND hwnd = reinterpret_cast<HWND>(wParam);
            if (create->hwndParent == nullptr || (create->style & WS_CHILD) == 0)
                ::PostMessage(hwnd, WM_COMMAND, s_self->m_nAnswer, 0);
            else if (create->lpszName != nullptr && create->lpszName[0] != 0)
                s_self->texts.push_back(create->lpszName);
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static SheetMessageBoxAnswerer* s_self;
    int m_nAnswer;
    HHOOK m_hook = nullptr;
};
SheetMessageBoxAnswerer* SheetMessageBoxAnswerer::s_self = nullptr;

class CustomizeSheetTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        ToolBarTest::SetUp();
        ASSERT_TRUE(AfxOleInit());
        frame->m_onMessage = [this](UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == KTVM_CUSTOMIZETOOLBAR)
                customizeMessages.push_back(static_cast<int>(wParam));
            if (message == KTVM_CUSTOMIZEHELP)
                helpMessages.push_back({static_cast<int>(wParam), lParam});
            if (message == WM_SETFOCUS)
                focusMessages++;
        };
    }
    void TearDown() override
    {
        if (frame != nullptr)
            frame->m_onMessage = nullptr;
        ToolBarTest::TearDown();
    }

    // An open sheet over the frame, in customise mode.
    CKtvPToolbarCustomize* OpenSheet(UINT uiFlags = KTVCUSTOMIZE_MENU_SHADOWS | KTVCUSTOMIZE_TEXT_LABELS |
                                                   KTVCUSTOMIZE_MENU_ANIMATIONS)
    {
        auto* pSheet = new CKtvPToolbarCustomize(frame, FALSE, uiFlags);
        EXPECT_TRUE(pSheet->Create());
        Pump();
        return pSheet;
    }

    void ClickButtonOf(CWnd* pParent, int nID)
    {
        HWND hButton = ::GetDlgItem(pParent->GetSafeHwnd(), nID);
        ASSERT_NE(hButton, nullptr);
        CRect rect;
        ::GetClientRect(hButton, &rect);
        Click(hButton, rect.CenterPoint().x, rect.CenterPoint().y);
        Pump();
    }

    // Clicks on the text of a list item, which selects it.
    void ClickItem(CListBox& list, int iItem)
    {
        CRect rect;
        list.GetItemRect(iItem, &rect);
        Click(list.GetSafeHwnd(), rect.right - 4, rect.CenterPoint().y);
        Pump();
    }

    static std::vector<std::string> ListTexts(CListBox& list)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < list.GetCount(); i++) {
            CString strText;
            list.GetText(i, strText);
            texts.push_back(static_cast<LPCTSTR>(strText));
        }
        return texts;
    }

    std::vector<int> customizeMessages;
    std::vector<std::pair<int, LPARAM>> helpMessages;
    int focusMessages = 0;
};

// --- the page set ------------------------------------------------------------------------------------

TEST_F(CustomizeSheetTest, PagesDependOnTheManagersAndTheCallersPages)
{
    struct Case {
        const char* name;
        bool contextMenus;
        bool customPage;
        UINT uiFlags;
        const char* pages;
    } const cases[] = {
        {"no managers", false, false, 0, "Commands Toolbars Options"},
        {"the program's flag word", false, false, 0x40, "Commands Toolbars Options"},
        {"context menus", true, false, 0, "Commands Toolbars Menu Options"},
        {"a caller's page", false, true, 0, "Commands Toolbars custom Options"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKtvPContextMenuManager* pContextMenus = c.contextMenus ? new CKtvPContextMenuManager : nullptr;
        CList<CRuntimeClass*, CRuntimeClass*> custom;
        custom.AddTail(RUNTIME_CLASS(CKtvPCustomizePage));
        {
            CKtvPToolbarCustomize sheet(frame, FALSE, c.uiFlags, c.customPage ? &custom : nullptr);
            std::string pages;
            for (int i = 0; i < sheet.GetPageCount(); i++) {
                CPropertyPage* pPage = sheet.GetPage(i);
                const char* name = pPage == reinterpret_cast<CPropertyPage*>(sheet.m_pCustomizePage) ? "Commands"
                                   : pPage == reinterpret_cast<CPropertyPage*>(sheet.m_pToolbarsPage) ? "Toolbars"
                                   : pPage == sheet.m_pMenuPage                                       ? "Menu"
                                   : pPage == reinterpret_cast<CPropertyPage*>(sheet.m_pOptionsPage)  ? "Options"
                                                                                                      : "custom";
                pages += (pages.empty() ? "" : " ") + std::string(name);
            }
            EXPECT_EQ(pages, c.pages);
            EXPECT_EQ(sheet.m_uiFlags & 0x40u, 0u);
        }
        delete pContextMenus;
    }
}

// --- customise mode ----------------------------------------------------------------------------------

TEST_F(CustomizeSheetTest, CustomiseModeDisablesTheFramesWindowsButTheBarsAndRestoresOnlyThose)
{
    CKtvPToolBar* pBar = MakeBar({100, 101});
    CStatic status;
    ASSERT_TRUE(status.Create("Ready", WS_CHILD | WS_VISIBLE, CRect(0, 380, 600, 400), frame, 0xE801));
    CStatic client;
    ASSERT_TRUE(client.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 40, 600, 380), frame, 0xE900));
    CStatic disabledBefore;
    ASSERT_TRUE(disabledBefore.Create("", WS_CHILD | WS_VISIBLE | WS_DISABLED, CRect(0, 0, 10, 10), frame, 1234));

    CKtvPToolbarCustomize* pSheet = OpenSheet();
    EXPECT_EQ(CKtvPToolbarCustomize::m_pCustomizeSheet, pSheet);
    EXPECT_TRUE(CKtvPToolBar::m_bCustomizeMode);
    EXPECT_EQ(customizeMessages, std::vector<int>{1});
    EXPECT_TRUE(pBar->IsWindowEnabled());
    EXPECT_FALSE(status.IsWindowEnabled());
    EXPECT_FALSE(client.IsWindowEnabled());

    focusMessages = 0;
    ClickButtonOf(pSheet, IDCANCEL);
    Pump();
    EXPECT_EQ(CKtvPToolbarCustomize::m_pCustomizeSheet, nullptr);
    EXPECT_FALSE(CKtvPToolBar::m_bCustomizeMode);
    EXPECT_EQ(customizeMessages, (std::vector<int>{1, 0}));
    EXPECT_TRUE(status.IsWindowEnabled());
    EXPECT_TRUE(client.IsWindowEnabled());
    EXPECT_FALSE(disabledBefore.IsWindowEnabled());
    // The frame (its own active frame here) gets the focus back.
    EXPECT_GE(focusMessages, 1);
}

TEST_F(CustomizeSheetTest, ClosingTheFrameEndsCustomiseMode)
{
    OpenSheet();
    ASSERT_TRUE(CKtvPToolBar::m_bCustomizeMode);
    frame->DestroyWindow();
    frame = nullptr;
    Pump();
    EXPECT_FALSE(CKtvPToolBar::m_bCustomizeMode);
    EXPECT_EQ(CKtvPToolbarCustomize::m_pCustomizeSheet, nullptr);
}

// --- Close and Help ----------------------------------------------------------------------------------

TEST_F(CustomizeSheetTest, CloseSitsBottomRightAndHelpBottomLeftUnlessHidden)
{
    for (const UINT uiFlags : {0u, static_cast<UINT>(KTVCUSTOMIZE_NOHELP)}) {
        SCOPED_TRACE(uiFlags);
        helpMessages.clear();
        CKtvPToolbarCustomize* pSheet = OpenSheet(uiFlags);
        CRect rectClient;
        pSheet->GetClientRect(&rectClient);
        CWnd* pClose = pSheet->GetDlgItem(IDCANCEL);
        CWnd* pHelp = pSheet->GetDlgItem(IDHELP);
        ASSERT_NE(pClose, nullptr);
        ASSERT_NE(pHelp, nullptr);
        CString strClose;
        pClose->GetWindowText(strClose);
        EXPECT_STREQ(strClose, "Close");
        EXPECT_TRUE(pClose->IsWindowVisible());
        CRect rectClose;
        pClose->GetWindowRect(&rectClose);
        pSheet->ScreenToClient(&rectClose);
        EXPECT_EQ(rectClose.right, rectClient.right - 8);
        EXPECT_LE(rectClose.bottom, rectClient.bottom);

        const bool bHelpShown = (uiFlags & KTVCUSTOMIZE_NOHELP) == 0;
        EXPECT_EQ(pHelp->IsWindowVisible() != FALSE, bHelpShown);
        if (bHelpShown) {
            CRect rectHelp;
            pHelp->GetWindowRect(&rectHelp);
            pSheet->ScreenToClient(&rectHelp);
            EXPECT_EQ(rectHelp.left, rectClient.left + 8);
            // Help tells the frame which page is showing.
            pSheet->SetActivePage(1);
            Pump();
            ClickButtonOf(pSheet, IDHELP);
            ASSERT_EQ(helpMessages.size(), 1u);
            EXPECT_EQ(helpMessages[0].first, 1);
            EXPECT_EQ(helpMessages[0].second, reinterpret_cast<LPARAM>(pSheet));
        } else {
            // F1 still reaches the frame without the button.
            pSheet->SendMessage(WM_HELP, 0, 0);
            ASSERT_EQ(helpMessages.size(), 1u);
            EXPECT_EQ(helpMessages[0].first, 0);
        }
        pSheet->DestroyWindow();
        Pump();
    }
}

// With context help a control's help request becomes a help pop-up, which the stand-in
// cannot show: it says so in a message box, and the frame is not asked.
TEST_F(CustomizeSheetTest, ContextHelpOnAControlGoesToTheHelpPopupNotTheFrame)
{
    CKtvPToolbarCustomize* pSheet = OpenSheet(KTVCUSTOMIZE_CONTEXT_HELP);
    EXPECT_TRUE(pSheet->GetExStyle() & WS_EX_CONTEXTHELP);
    HELPINFO info{};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = 16601;
    {
        SheetMessageBoxAnswerer answerer(IDOK);
        pSheet->SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        Pump();
    }
    EXPECT_TRUE(helpMessages.empty());
    pSheet->DestroyWindow();
    Pump();
}

// --- Commands page -----------------------------------------------------------------------------------

// The first sheet of a program that has made no other common control yet:
// its tab control, and so its pages, must still get their places.
TEST_F(CustomizeSheetTest, CommandsPageSortsAllCommandsAndShowsPathsForRepeatedNames)
{
    auto* pSheet = new CKtvPToolbarCustomize(frame, FALSE, 0);
    CKtvPToolbarButton first(200, -1, "Zoom");
    first.m_strSecondText = "ViewZoom";
    CKtvPToolbarButton second(201, -1, "Zoom");
    second.m_strSecondText = "QueryZoom";
    pSheet->AddButton("View", CKtvPToolbarButton(tw::test::tbres::kOpenCommand, -1, "Open"));
    pSheet->AddButton("View", first);
    pSheet->AddButton("View", second);
    pSheet->AddButton("View", CKtvPToolbarButton(202, -1, "Alpha"));
    ASSERT_TRUE(pSheet->Create());
    Pump();
    CKtvPCustomizePage* pPage = pSheet->m_pCustomizePage;
    ASSERT_TRUE(::IsWindow(pPage->GetSafeHwnd()));
    EXPECT_EQ(ListTexts(pPage->m_wndCategory), (std::vector<std::string>{"New Menu", "View", "All Commands"}));
    ClickItem(pPage->m_wndCategory, 1);
    EXPECT_EQ(ListTexts(pPage->m_wndTools), (std::vector<std::string>{"Open", "ViewZoom", "QueryZoom", "Alpha"}));
    ClickItem(pPage->m_wndCategory, 2);
    EXPECT_EQ(ListTexts(pPage->m_wndTools),
              (std::vector<std::string>{"Alpha", "New Menu", "Open", "QueryZoom", "ViewZoom"}));

    // The description is the frame's prompt for the command; the id-0 entry describes itself.
    ClickItem(pPage->m_wndTools, 2);
    EXPECT_STREQ(pPage->m_strButtonDescription, "Open a file");
    ClickItem(pPage->m_wndTools, 1);
    EXPECT_STREQ(pPage->m_strButtonDescription, "New Menu");
}

TEST_F(CustomizeSheetTest, CommandDraggedFromTheListIsInsertedOnTheToolbar)
{
    CKtvPToolBar* pBar = MakeBar({100, 101});
    auto* pSheet = new CKtvPToolbarCustomize(frame, FALSE, 0);
    pSheet->AddButton("Tools", CKtvPToolbarButton(150, -1, "Run"));
    ASSERT_TRUE(pSheet->Create());
    // Clear of the toolbar, so the drop lands on it.
    pSheet->SetWindowPos(nullptr, 40, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Pump();
    CKtvPCustomizePage* pPage = pSheet->m_pCustomizePage;
    ClickItem(pPage->m_wndCategory, 1);
    ASSERT_EQ(ListTexts(pPage->m_wndTools), std::vector<std::string>{"Run"});

    // A press below the last item starts nothing.
    CRect rectList;
    pPage->m_wndTools.GetClientRect(&rectList);
    Click(pPage->m_wndTools.GetSafeHwnd(), 10, rectList.bottom - 3);
    Pump(4);
    EXPECT_EQ(Layout(pBar), "100 101");

    CRect rectItem;
    pPage->m_wndTools.GetItemRect(0, &rectItem);
    const POINT from = ScreenPointOf(pPage->m_wndTools.GetSafeHwnd(), rectItem.left + 10, rectItem.CenterPoint().y);
    const CRect& rectTarget = pBar->GetButton(1)->m_rect;
    const POINT to = ScreenPointOf(pBar->GetSafeHwnd(), rectTarget.left + 3, rectTarget.CenterPoint().y);
    input.MouseMove(from.x, from.y);
    input.ButtonDown(tw::display::MouseButton::Left, from.x, from.y);
    for (int step = 1; step <= 4; step++)
        input.MouseMove(from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4);
    input.ButtonUp(tw::display::MouseButton::Left, to.x, to.y);
    Pump(6);
    EXPECT_EQ(Layout(pBar), "100 150 101");
}

// --- Toolbars page -----------------------------------------------------------------------------------

// A bar the user may not close.
class FixedBar : public CKtvPToolBar {
public:
    BOOL CanBeClosed() const override { return FALSE; }
};

TEST_F(CustomizeSheetTest, ToolbarsPageChecksShowAndHideBarsAndFixedBarsStayChecked)
{
    CKtvPToolBar* pStandard = MakeBar({100, 101}, TRUE, 0xE840);
    pStandard->SetWindowText("Standard");
    FixedBar* pLocked = new FixedBar;
    bars.emplace_back(pLocked);
    ASSERT_TRUE(pLocked->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 0xE841));
    pLocked->InsertButton(new CKtvPToolbarButton(200, 0, nullptr, FALSE, TRUE));
    pLocked->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(pLocked, AFX_IDW_DOCKBAR_TOP);
    Pump();
    CKtvPToolbarCustomize* pSheet = OpenSheet();
    pSheet->SetActivePage(1);
    Pump();
    CKtvPToolbarsPage* pPage = pSheet->m_pToolbarsPage;
    ASSERT_TRUE(::IsWindow(pPage->GetSafeHwnd()));
    // Sorted; a bar without a name shows as "<Untitled>".
    EXPECT_EQ(ListTexts(pPage->m_wndToolbarList), (std::vector<std::string>{"<Untitled>", "Standard"}));

    ClickItem(pPage->m_wndToolbarList, 1);
    Key(VK_SPACE);
    Pump();
    EXPECT_FALSE(pStandard->IsWindowVisible());
    EXPECT_EQ(pPage->m_wndToolbarList.GetCheck(1), 0);
    Key(VK_SPACE);
    Pump();
    EXPECT_TRUE(pStandard->IsWindowVisible());

    tw::user::ResetBeepTrace();
    ClickItem(pPage->m_wndToolbarList, 0);
    Key(VK_SPACE);
    Pump();
    EXPECT_TRUE(pLocked->IsWindowVisible());
    EXPECT_EQ(pPage->m_wndToolbarList.GetCheck(0), 1);
    EXPECT_FALSE(tw::user::BeepTrace().empty());

    // Shown or hidden elsewhere while the sheet is open: the list follows.
    pSheet->ShowToolBar(pStandard, FALSE);
    EXPECT_EQ(pPage->m_wndToolbarList.GetCheck(1), 0);
}

TEST_F(CustomizeSheetTest, ToolbarResetAsksByTheListedName)
{
    CKtvPToolBar* pBar = MakeBar({100, 101}, TRUE, 0xE840);
    pBar->SetWindowText("");
    CKtvPToolbarCustomize* pSheet = OpenSheet();
    pSheet->SetActivePage(1);
    Pump();
    CKtvPToolbarsPage* pPage = pSheet->m_pToolbarsPage;
    ClickItem(pPage->m_wndToolbarList, 0);
    ASSERT_EQ(pPage->m_pSelectedToolbar, pBar);
    SheetMessageBoxAnswerer answerer(IDNO);
    pPage->OnReset();
    Pump();
    std::string texts;
    for (const std::string& text : answerer.texts)
        texts += text + "\n";
    EXPECT_NE(texts.find("reset the toolbar '<Untitled>'?"), std::string::npos) << texts;
}

// --- Options page ------------------------------------------------------------------------------------

TEST_F(CustomizeSheetTest, OptionsTakeEffectAtOnce)
{
    CKtvPToolBar* pBar = MakeBar({100, 101});
    const int cxBefore = pBar->GetButton(0)->m_rect.Width();
    CKtvPToolbarCustomize* pSheet = OpenSheet();
    pSheet->SetActivePage(pSheet->GetPageCount() - 1);
    Pump();
    CKtvPOptionsPage* pPage = pSheet->m_pOptionsPage;
    ASSERT_TRUE(::IsWindow(pPage->GetSafeHwnd()));

    // Tooltips off greys the shortcut box and keeps its value.
    ClickButtonOf(pPage, 16651);
    EXPECT_FALSE(CKtvPToolBar::m_bShowTooltips);
    CWnd* pShortcuts = pPage->GetDlgItem(16652);
    EXPECT_FALSE(pShortcuts->IsWindowEnabled());
    EXPECT_EQ(pPage->IsDlgButtonChecked(16652), BST_CHECKED);
    ClickButtonOf(pPage, 16651);
    EXPECT_TRUE(CKtvPToolBar::m_bShowTooltips);
    EXPECT_TRUE(pShortcuts->IsWindowEnabled());

    ClickButtonOf(pPage, 16653);
    EXPECT_TRUE(CKtvPToolBar::m_bLargeIcons);
    EXPECT_EQ(pBar->GetButton(0)->m_rect.Width(), cxBefore * 2);
    ClickButtonOf(pPage, 16653);
    EXPECT_EQ(pBar->GetButton(0)->m_rect.Width(), cxBefore);

    // Without basic commands or a library menu bar the personalised-menu group is not there.
    EXPECT_FALSE(pPage->GetDlgItem(16657)->IsWindowVisible());
    EXPECT_FALSE(pPage->GetDlgItem(17001)->IsWindowVisible());
}

TEST_F(CustomizeSheetTest, UsageDataIsEmptiedOnlyAfterYes)
{
    CKtvPToolbarCustomize* pSheet = OpenSheet();
    pSheet->SetActivePage(pSheet->GetPageCount() - 1);
    Pump();
    CKtvPOptionsPage* pPage = pSheet->m_pOptionsPage;
    for (const int nAnswer : {IDNO, IDYES}) {
        SCOPED_TRACE(nAnswer);
        CKtvPToolBar::m_UsageCount.AddCmd(100);
        const UINT nBefore = CKtvPToolBar::m_UsageCount.m_nTotalUsage;
        SheetMessageBoxAnswerer answerer(nAnswer);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(16657, BN_CLICKED),
                           reinterpret_cast<LPARAM>(pPage->GetDlgItem(16657)->GetSafeHwnd()));
        Pump();
        EXPECT_EQ(CKtvPToolBar::m_UsageCount.m_nTotalUsage, nAnswer == IDYES ? 0u : nBefore);
        if (nAnswer == IDYES)
            EXPECT_EQ(CKtvPToolBar::m_UsageCount.GetCount(100), 0u);
    }
}

TEST_F(CustomizeSheetTest, ResetAllPutsTheStandardImagesBackBeforeTheBars)
{
    MakeBar({100, 101}, TRUE, 0xE840);
    CKtvPToolBar::m_DefaultImages.SetAt(100, 0);
    GetCmdMgr()->SetCmdImage(100, 7, FALSE);
    CKtvPToolbarCustomize* pSheet = OpenSheet();
    pSheet->SetActivePage(1);
    Pump();
    CKtvPToolbarsPage* pPage = pSheet->m_pToolbarsPage;
    {
        SheetMessageBoxAnswerer answerer(IDNO);
        ClickButtonOf(pPage, 16614);
    }
    EXPECT_EQ(GetCmdMgr()->GetCmdImage(100, FALSE), 7);
    {
        SheetMessageBoxAnswerer answerer(IDYES);
        ClickButtonOf(pPage, 16614);
    }
    EXPECT_EQ(GetCmdMgr()->GetCmdImage(100, FALSE), 0);
    CKtvPToolBar::m_DefaultImages.RemoveKey(100);
}

}  // namespace
