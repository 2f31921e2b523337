// The customise sheet's Tools page over the user-tools manager: tools made,
// renamed, moved and deleted through the edit-list box, the selected tool's
// fields stored at each keystroke, the limit of the command range, Browse.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/mfc/CListCtrl.h"
#include "platform/mfc/afxole.h"
#include "platform/win32/kernel/Threads.h"
#include "resources/CustomizeIds.h"
#include "tests/ui/commandbars/CustomizeTestSupport.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "ui/commandbars/KtvPToolsPage.h"
#include "ui/commandbars/KtvPUserTool.h"

namespace {

using tw::test::ToolBarTest;
namespace custtest = tw::test::custtest;

constexpr UINT kToolsEntry = 32805;
constexpr UINT kFirstTool = 32806;

class ToolsPageTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        ToolBarTest::SetUp();
        ASSERT_TRUE(AfxOleInit());
    }
    void TearDown() override
    {
        tw::test::DestroyTopLevelWindows();
        Pump();
        delete manager;
        ToolBarTest::TearDown();
    }

    void MakeManager(UINT uiLast = 32815, std::initializer_list<const char*> titles = {})
    {
        manager = new CKtvPUserToolsManager(kToolsEntry, kFirstTool, uiLast, RUNTIME_CLASS(CKtvPUserTool));
        for (const char* title : titles)
            manager->CreateNewTool()->m_strLabel = title;
    }
    CKtvPToolbarCustomize* OpenSheet()
    {
        auto* pSheet = new CKtvPToolbarCustomize(frame, FALSE, 0);
        EXPECT_TRUE(pSheet->Create());
        Pump();
        page = pSheet->m_pToolsPage;
        custtest::ShowPage(pSheet, page);
        EXPECT_TRUE(::IsWindow(page->GetSafeHwnd()));
        page->m_wndToolsList.m_pWndList->SetFocus();
        custtest::PumpTranslated();
        return pSheet;
    }

    std::vector<std::string> ToolTitles() const
    {
        std::vector<std::string> titles;
        const CObList& tools = manager->GetUserTools();
        for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;)
            titles.push_back(static_cast<LPCTSTR>(static_cast<CKtvPUserTool*>(tools.GetNext(pos))->m_strLabel));
        return titles;
    }
    std::vector<UINT> ToolIds() const
    {
        std::vector<UINT> ids;
        const CObList& tools = manager->GetUserTools();
        for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;)
            ids.push_back(static_cast<CKtvPUserTool*>(tools.GetNext(pos))->m_uiCmdId);
        return ids;
    }
    std::vector<std::string> Items()
    {
        std::vector<std::string> items;
        for (int i = 0; i < page->m_wndToolsList.GetCount(); i++)
            items.push_back(static_cast<LPCTSTR>(page->m_wndToolsList.GetItemText(i)));
        return items;
    }
    void Press(std::initializer_list<UINT> modifiers, UINT vk)
    {
        page->m_wndToolsList.m_pWndList->SetFocus();
        for (UINT m : modifiers)
            input.KeyDown(m);
        input.KeyStroke(vk);
        for (UINT m : modifiers)
            input.KeyUp(m);
        custtest::PumpTranslated();
    }
    void TypeLabel(const std::string& text)
    {
        ASSERT_NE(page->m_wndToolsList.m_pWndList->GetEditControl(), nullptr);
        TypeKeys(text);
        input.KeyStroke(VK_RETURN);
        custtest::PumpTranslated();
    }
    void NewTool(const std::string& title)
    {
        Press({}, VK_INSERT);
        TypeLabel(title);
    }
    void TypeInto(CEdit& edit, const std::string& text)
    {
        custtest::ClickCentre(input, edit.GetSafeHwnd());
        TypeKeys(text);
        custtest::PumpTranslated();
    }
    bool FieldsEnabled()
    {
        return page->m_wndCommandEdit.IsWindowEnabled() && page->m_wndArgumentsEdit.IsWindowEnabled() &&
               page->m_wndInitialDirEdit.IsWindowEnabled() && page->m_wndBrowseBtn.IsWindowEnabled();
    }
    bool FieldsDisabled()
    {
        return !page->m_wndCommandEdit.IsWindowEnabled() && !page->m_wndArgumentsEdit.IsWindowEnabled() &&
               !page->m_wndInitialDirEdit.IsWindowEnabled() && !page->m_wndBrowseBtn.IsWindowEnabled();
    }
    static std::string Text(CWnd& wnd)
    {
        CString strText;
        wnd.GetWindowText(strText);
        return static_cast<LPCTSTR>(strText);
    }

    CKtvPUserToolsManager* manager = nullptr;
    CKtvPToolsPage* page = nullptr;
};

TEST_F(ToolsPageTest, NewToolTakesTheTypedTitleAndItsFieldsAreStoredAtEachKeystroke)
{
    MakeManager();
    OpenSheet();
    EXPECT_TRUE(Items().empty());
    EXPECT_TRUE(FieldsDisabled());
    EXPECT_EQ(Text(page->m_wndCommandEdit), "");

    NewTool("Notes");
    EXPECT_EQ(ToolTitles(), std::vector<std::string>{"Notes"});
    EXPECT_EQ(ToolIds(), std::vector<UINT>{kFirstTool});
    EXPECT_TRUE(FieldsEnabled());
    auto* pTool = static_cast<CKtvPUserTool*>(manager->GetUserTools().GetHead());
    EXPECT_EQ(page->m_pSelTool, pTool);

    TypeInto(page->m_wndCommandEdit, "ed");
    EXPECT_STREQ(pTool->GetCommand(), "ed");
    TypeInto(page->m_wndCommandEdit, "it");
    EXPECT_STREQ(pTool->GetCommand(), "edit");
    TypeInto(page->m_wndArgumentsEdit, "-n");
    TypeInto(page->m_wndInitialDirEdit, "/tmp");
    EXPECT_STREQ(pTool->m_strArguments, "-n");
    EXPECT_STREQ(pTool->m_strInitialDirectory, "/tmp");

    // A second tool shows its own empty fields; the first keeps its values.
    NewTool("Calc");
    EXPECT_EQ(Text(page->m_wndCommandEdit), "");
    EXPECT_EQ(Text(page->m_wndArgumentsEdit), "");
    EXPECT_STREQ(pTool->GetCommand(), "edit");
    EXPECT_STREQ(pTool->m_strArguments, "-n");
    page->m_wndToolsList.SelectItem(0);
    custtest::PumpTranslated();
    EXPECT_EQ(Text(page->m_wndCommandEdit), "edit");
    EXPECT_EQ(Text(page->m_wndInitialDirEdit), "/tmp");

    // Renaming renames the tool; moving moves it in the manager.
    Press({}, VK_F2);
    TypeLabel("Editor");
    Press({VK_MENU}, VK_DOWN);
    EXPECT_EQ(ToolTitles(), (std::vector<std::string>{"Calc", "Editor"}));
    EXPECT_EQ(Items(), (std::vector<std::string>{"Calc", "Editor"}));
    Press({VK_MENU}, VK_UP);
    EXPECT_EQ(ToolTitles(), (std::vector<std::string>{"Editor", "Calc"}));
}

TEST_F(ToolsPageTest, DeletedToolsFreeTheirIdsAndTheirButtonsOnEveryBar)
{
    MakeManager(32815, {"One", "Two", "Three"});
    CKtvPToolBar* pFirstBar = MakeBar({kFirstTool + 1, 100});
    CKtvPToolBar* pSecondBar = MakeBar({101, kFirstTool + 1, kFirstTool + 2}, TRUE, 0xE821);
    OpenSheet();
    EXPECT_EQ(Items(), (std::vector<std::string>{"One", "Two", "Three"}));
    EXPECT_TRUE(FieldsEnabled());

    page->m_wndToolsList.SelectItem(1);
    Press({}, VK_DELETE);
    EXPECT_EQ(ToolTitles(), (std::vector<std::string>{"One", "Three"}));
    EXPECT_EQ(Items(), (std::vector<std::string>{"One", "Three"}));
    EXPECT_EQ(Layout(pFirstBar), "100");
    EXPECT_EQ(Layout(pSecondBar), std::to_string(101) + " " + std::to_string(kFirstTool + 2));

    // The next new tool takes the lowest free id.
    NewTool("Four");
    EXPECT_EQ(ToolIds(), (std::vector<UINT>{kFirstTool, kFirstTool + 2, kFirstTool + 1}));

    // Without a selection the fields are empty and greyed.
    while (page->m_wndToolsList.GetCount() > 0) {
        page->m_wndToolsList.SelectItem(0);
        Press({}, VK_DELETE);
    }
    EXPECT_TRUE(manager->GetUserTools().IsEmpty());
    EXPECT_TRUE(FieldsDisabled());
    EXPECT_EQ(Text(page->m_wndCommandEdit), "");
    EXPECT_EQ(page->m_pSelTool, nullptr);
}

TEST_F(ToolsPageTest, ToolBeyondTheCommandRangeIsRefusedAndItsItemGoes)
{
    MakeManager(kFirstTool + 1, {"One", "Two"});
    OpenSheet();
    custtest::MessageBoxAnswerer answerer(IDOK);
    NewTool("Three");
    ASSERT_EQ(answerer.boxes, 1);
    ASSERT_FALSE(answerer.texts.empty());
    EXPECT_EQ(answerer.texts[0], "You may define up to 2 tools.");
    EXPECT_EQ(Items(), (std::vector<std::string>{"One", "Two"}));
    EXPECT_EQ(ToolTitles(), (std::vector<std::string>{"One", "Two"}));
}

TEST_F(ToolsPageTest, BrowseFillsTheCommand)
{
    std::string path = TW_COMMANDBARS_TEST_BINARY_DIR;
    path += "/tools-page-tool.sh";
    std::ofstream(path) << "#!/bin/sh\n";
    MakeManager(32815, {"Script"});
    OpenSheet();
    auto* pTool = static_cast<CKtvPUserTool*>(manager->GetUserTools().GetHead());

    // The file dialog gets the path typed and Enter queued as it is made.
    static tw::display::InputInjector* s_input = nullptr;
    static std::string s_path;
    s_input = &input;
    s_path = path;
    HHOOK hook = ::SetWindowsHookEx(
        WH_CBT,
        [](int nCode, WPARAM wParam, LPARAM lParam) -> LRESULT {
            const bool bTopLevel = nCode == HCBT_CREATEWND &&
                                   (reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs->style & WS_CHILD) == 0;
            if (bTopLevel && s_input != nullptr) {
                for (char c : s_path) {
                    const SHORT scan = ::VkKeyScan(c);
                    if ((scan >> 8) & 1)
                        s_input->KeyDown(VK_SHIFT);
                    s_input->KeyStroke(static_cast<UINT>(scan & 0xFF));
                    if ((scan >> 8) & 1)
                        s_input->KeyUp(VK_SHIFT);
                }
                s_input->KeyStroke(VK_RETURN);
                s_input = nullptr;
            }
            return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
        },
        nullptr, ::GetCurrentThreadId());
    custtest::ClickCentre(input, page->m_wndBrowseBtn.GetSafeHwnd());
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(Text(page->m_wndCommandEdit), path);
    EXPECT_STREQ(pTool->GetCommand(), path.c_str());
}

TEST_F(ToolsPageTest, PageComesWithTheManagerUnlessTheSheetLeavesItOut)
{
    {
        CKtvPToolbarCustomize sheet(frame, FALSE, 0);
        EXPECT_EQ(sheet.GetPageIndex(reinterpret_cast<CPropertyPage*>(sheet.m_pToolsPage)), -1);
    }
    MakeManager();
    {
        CKtvPToolbarCustomize sheet(frame, FALSE, 0);
        EXPECT_EQ(sheet.GetPageIndex(reinterpret_cast<CPropertyPage*>(sheet.m_pToolsPage)), 2);
    }
    CKtvPToolbarCustomize sheet(frame, FALSE, KTVCUSTOMIZE_NO_TOOLS);
    EXPECT_EQ(sheet.m_pToolsPage, nullptr);
}

TEST_F(ToolsPageTest, Screenshot)
{
    MakeManager(32815, {"Notes", "Calculator"});
    static_cast<CKtvPUserTool*>(manager->GetUserTools().GetHead())->SetCommand("/usr/bin/editor");
    CKtvPToolbarCustomize* pSheet = OpenSheet();
    pSheet->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    EXPECT_TRUE(custtest::SaveWindowShot(pSheet, "customize-tools.png"));
}

}  // namespace
