// The customise sheet's Keyboard page over a frame with shortcut keys: the
// capture edit turning typed keys into a combination, and assigning,
// removing and resetting keys, each in force at once.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "platform/mfc/CDocManager.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxole.h"
#include "platform/win32/menu/AcceleratorStore.h"
#include "platform/win32/resource/AcceleratorResource.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTable.h"
#include "platform/win32/user/BeepTrace.h"
#include "tests/ui/commandbars/CustomizeTestSupport.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/KtvPKeyboardPage.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "resources/CustomizeIds.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPKeyboardManager.h"
#include "ui/frames/KtvRegPath.h"

namespace {

using tw::test::ToolBarTest;
using tw::test::custtest::MessageBoxAnswerer;

constexpr UINT kDocKeysRes = 7130;  // a document kind's shortcut keys: Ctrl+E runs 201

void RegisterKeyboardPageResources()
{
    static const std::vector<BYTE> docKeys = tw::res::WriteAcceleratorTable({{FVIRTKEY | FCONTROL, 'E', 201}});
    static const tw::ResourceEntry entries[] = {
        {9, nullptr, kDocKeysRes, nullptr, 0, docKeys.data(), static_cast<DWORD>(docKeys.size())},
    };
    static const bool registered =
        tw::RegisterResources(tw::ProgramInstance(), tw::ResourceTable{entries, std::size(entries)});
    (void)registered;
}

class CKeyPageTemplate : public CMultiDocTemplate {
public:
    CKeyPageTemplate(UINT nIDResource, LPCTSTR lpszName) : CMultiDocTemplate(nIDResource, nullptr, nullptr, nullptr)
    {
        m_strDocStrings = CString("\n\n") + lpszName;
    }
};

std::vector<ACCEL> TableEntries(HACCEL hAccel)
{
    std::vector<ACCEL> entries(static_cast<size_t>(::CopyAcceleratorTable(hAccel, nullptr, 0)));
    ::CopyAcceleratorTable(hAccel, entries.data(), static_cast<int>(entries.size()));
    return entries;
}

class KeyboardPageTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        ToolBarTest::SetUp();
        ASSERT_TRUE(AfxOleInit());
        RegisterKeyboardPageResources();
        app = AfxGetApp();
        oldMainWnd = app->m_pMainWnd;
        app->m_pMainWnd = frame;
        oldDocManager = app->m_pDocManager;
        app->m_pDocManager = new CDocManager;
        manager = new CKtvPKeyboardManager;
        // Ctrl+N runs New; Ctrl+O (kept without inverting the menu) runs Open.
        ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'N', 101}, {FVIRTKEY | FCONTROL | FNOINVERT, 'O', 102}};
        frame->m_hAccelTable = ::CreateAcceleratorTable(entries, 2);
        tw::menu::AcceleratorStore::Instance().Hold(frame->m_hAccelTable);
        frame->m_onMessage = [this](UINT message, WPARAM, LPARAM) {
            if (message == KTVM_RESETKEYBOARD)
                resetMessages++;
        };
    }
    void TearDown() override
    {
        if (frame != nullptr)
            frame->m_onMessage = nullptr;
        tw::test::DestroyTopLevelWindows();
        Pump();
        delete app->m_pDocManager;
        app->m_pDocManager = oldDocManager;
        app->m_pMainWnd = oldMainWnd;
        delete manager;
        CKtvPKeyboardManager::CleanUp();
        ToolBarTest::TearDown();
    }

    static void PumpTranslated() { tw::test::custtest::PumpTranslated(); }

    CKtvPToolbarCustomize* OpenSheet(BOOL bDocumentTables = FALSE)
    {
        auto* pSheet = new CKtvPToolbarCustomize(frame, bDocumentTables, 0);
        pSheet->AddButton("File", CKtvPToolbarButton(101, -1, "&New"));
        pSheet->AddButton("File", CKtvPToolbarButton(102, -1, "&Open"));
        pSheet->AddButton("Edit", CKtvPToolbarButton(103, -1, "&Find"));
        pSheet->AddButton("Edit", CKtvPToolbarButton(201, -1, "&Replace"));
        EXPECT_TRUE(pSheet->Create());
        Pump();
        page = pSheet->m_pKeyboardPage;
        tw::test::custtest::ShowPage(pSheet, page);
        EXPECT_TRUE(::IsWindow(page->GetSafeHwnd()));
        return pSheet;
    }

    void SelectCombo(CComboBox& combo, LPCTSTR lpszText)
    {
        int i = combo.GetCount() - 1;
        for (CString strItem; i >= 0; i--) {
            combo.GetLBText(i, strItem);
            if (strItem == lpszText)
                break;
        }
        ASSERT_GE(i, 0) << lpszText;
        combo.SetCurSel(i);
        page->SendMessage(WM_COMMAND, MAKEWPARAM(combo.GetDlgCtrlID(), CBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(combo.GetSafeHwnd()));
        Pump();
    }
    void ClickListItem(CListBox& list, LPCTSTR lpszText)
    {
        const int i = list.FindStringExact(-1, lpszText);
        ASSERT_GE(i, 0) << lpszText;
        CRect rect;
        list.GetItemRect(i, &rect);
        tw::test::custtest::ClickTranslated(input, list.GetSafeHwnd(), rect.left + 4, rect.CenterPoint().y);
    }
    void ClickWindow(CWnd& wnd)
    {
        tw::test::custtest::ClickCentre(input, wnd.GetSafeHwnd());
    }
    // Arms the capture edit with a click, then presses the modifiers, the key, and lets go.
    void TypeCombination(std::initializer_list<UINT> modifiers, UINT vk)
    {
        ClickWindow(page->m_wndNewKey);
        for (UINT m : modifiers)
            input.KeyDown(m);
        input.KeyStroke(vk);
        for (UINT m : modifiers)
            input.KeyUp(m);
        PumpTranslated();
    }
    static std::vector<std::string> Items(CListBox& list)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < list.GetCount(); i++) {
            CString strText;
            list.GetText(i, strText);
            texts.push_back(static_cast<LPCTSTR>(strText));
        }
        return texts;
    }
    static std::string Text(CWnd& wnd)
    {
        CString strText;
        wnd.GetWindowText(strText);
        return static_cast<LPCTSTR>(strText);
    }
    // The keys typed on the frame reach it as commands through its table.
    std::vector<UINT> CommandsOfKeysOnFrame(std::initializer_list<UINT> modifiers, UINT vk)
    {
        frame->commands.clear();
        ::SetActiveWindow(frame->GetSafeHwnd());
        frame->SetFocus();
        PumpTranslated();
        for (UINT m : modifiers)
            input.KeyDown(m);
        input.KeyStroke(vk);
        for (UINT m : modifiers)
            input.KeyUp(m);
        PumpTranslated();
        return frame->commands;
    }

    CWinApp* app = nullptr;
    CWnd* oldMainWnd = nullptr;
    CDocManager* oldDocManager = nullptr;
    CKtvPKeyboardManager* manager = nullptr;
    CKtvPKeyboardPage* page = nullptr;
    int resetMessages = 0;
};

// --- the capture edit ----------------------------------------------------------------------------

TEST_F(KeyboardPageTest, CaptureEditTurnsKeySequencesIntoOneCombination)
{
    enum Step { Down, Up, Repeat };
    struct Event {
        Step step;
        UINT vk;
    };
    struct Case {
        const char* name;
        bool armByClick;
        std::vector<Event> events;
        const char* text;
        BOOL defined;
        BYTE fVirt;
        WORD key;
    } const cases[] = {
        {"modifiers held show alone", true, {{Down, VK_CONTROL}, {Down, VK_SHIFT}}, "Ctrl+Shift+", FALSE,
         FCONTROL | FSHIFT, 0},
        {"Ctrl held, K, Ctrl released", true,
         {{Down, VK_CONTROL}, {Down, 'K'}, {Up, 'K'}, {Up, VK_CONTROL}}, "Ctrl+K", TRUE, FVIRTKEY | FCONTROL, 'K'},
        {"a modifier let go before the key", true,
         {{Down, VK_CONTROL}, {Up, VK_CONTROL}, {Down, 'K'}, {Up, 'K'}}, "K", TRUE, FVIRTKEY, 'K'},
        {"a second key starts again", true,
         {{Down, VK_CONTROL}, {Down, 'K'}, {Up, 'K'}, {Up, VK_CONTROL}, {Down, 'L'}, {Up, 'L'}}, "L", TRUE,
         FVIRTKEY, 'L'},
        {"auto-repeat keeps the combination", true,
         {{Down, VK_SHIFT}, {Down, VK_F5}, {Repeat, VK_F5}, {Repeat, VK_F5}, {Up, VK_F5}, {Up, VK_SHIFT}},
         "Shift+F5", TRUE, FVIRTKEY | FSHIFT, VK_F5},
        {"Alt is captured too", true, {{Down, VK_MENU}, {Down, VK_F7}, {Up, VK_F7}, {Up, VK_MENU}}, "Alt+F7", TRUE,
         FVIRTKEY | FALT, VK_F7},
        {"Esc clears", true, {{Down, 'K'}, {Up, 'K'}, {Down, VK_ESCAPE}, {Up, VK_ESCAPE}}, "", FALSE, 0, 0},
        {"Shift+Tab is a combination", true, {{Down, VK_SHIFT}, {Down, VK_TAB}, {Up, VK_TAB}, {Up, VK_SHIFT}},
         "Shift+Tab", TRUE, FVIRTKEY | FSHIFT, VK_TAB},
        {"focus by keyboard swallows the first key", false, {{Down, 'K'}, {Up, 'K'}}, "", FALSE, 0, 0},
        {"then the next key counts", false, {{Down, 'K'}, {Up, 'K'}, {Down, 'J'}, {Up, 'J'}}, "J", TRUE, FVIRTKEY,
         'J'},
    };
    OpenSheet();
    CKtvPKeyAssignEdit& edit = page->m_wndNewKey;
    ASSERT_TRUE(edit.IsWindowEnabled());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        page->m_wndCommandsList.SetFocus();
        PumpTranslated();
        edit.ResetKey();
        if (c.armByClick)
            ClickWindow(edit);
        else
            edit.SetFocus();
        PumpTranslated();
        for (const Event& e : c.events) {
            if (e.step == Up)
                input.KeyUp(e.vk);
            else
                input.KeyDown(e.vk, e.step == Repeat);
            PumpTranslated();
        }
        EXPECT_EQ(Text(edit), c.text);
        EXPECT_EQ(edit.IsKeyDefined(), c.defined);
        EXPECT_EQ(edit.GetAccel()->fVirt, c.fVirt);
        EXPECT_EQ(edit.GetAccel()->key, c.key);
    }

    // Tab alone clears the edit and still moves the focus on.
    page->m_wndCommandsList.SetFocus();
    ClickWindow(edit);
    input.KeyStroke('K');
    PumpTranslated();
    ASSERT_EQ(Text(edit), "K");
    input.KeyStroke(VK_TAB);
    PumpTranslated();
    EXPECT_EQ(Text(edit), "");
    EXPECT_FALSE(edit.IsKeyDefined());
    EXPECT_NE(::GetFocus(), edit.GetSafeHwnd());
}

// --- assigning and removing -----------------------------------------------------------------------

TEST_F(KeyboardPageTest, AssignedKeyWorksAtOnceAndShowsUnderCurrentKeys)
{
    OpenSheet();
    EXPECT_EQ(Text(page->m_wndViewTypeList), "Default");
    SelectCombo(page->m_wndCategoryList, "File");
    ClickListItem(page->m_wndCommandsList, "New");
    EXPECT_EQ(Items(page->m_wndCurrentKeysList), std::vector<std::string>{"Ctrl+N"});

    TypeCombination({VK_CONTROL, VK_SHIFT}, 'M');
    EXPECT_EQ(Text(page->m_wndNewKey), "Ctrl+Shift+M");
    EXPECT_STREQ(page->m_strAssignedTo, "[Unassigned]");
    EXPECT_TRUE(page->m_wndAssignedToTitle.IsWindowVisible());
    ASSERT_TRUE(page->m_wndAssignButton.IsWindowEnabled());

    ClickWindow(page->m_wndAssignButton);
    EXPECT_EQ(Items(page->m_wndCurrentKeysList), (std::vector<std::string>{"Ctrl+N", "Ctrl+Shift+M"}));
    EXPECT_EQ(Text(page->m_wndNewKey), "");
    EXPECT_FALSE(page->m_wndAssignButton.IsWindowEnabled());
    EXPECT_EQ(::GetFocus(), page->m_wndCommandsList.GetSafeHwnd());

    // The frame runs the command for the new key, and the old key still works.
    EXPECT_EQ(CommandsOfKeysOnFrame({VK_CONTROL, VK_SHIFT}, 'M'), std::vector<UINT>{101});
    EXPECT_EQ(CommandsOfKeysOnFrame({VK_CONTROL}, 'N'), std::vector<UINT>{101});

    // A workspace save stores the table with the new entry.
    const std::vector<ACCEL> inForce = TableEntries(frame->m_hAccelTable);
    ASSERT_EQ(inForce.size(), 3u);
    EXPECT_EQ(inForce[2].fVirt, FVIRTKEY | FCONTROL | FSHIFT);
    EXPECT_EQ(inForce[2].key, 'M');
    EXPECT_EQ(inForce[2].cmd, 101);
    ASSERT_TRUE(manager->SaveState("KeyboardPageTest", frame));
    HACCEL hStored = nullptr;
    ASSERT_TRUE(manager->LoadAcceleratorState(KtvGetRegPath("KtvPKeyboardManager", "KeyboardPageTest"), 0, hStored));
    const std::vector<ACCEL> stored = TableEntries(hStored);
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[2].key, 'M');
    EXPECT_EQ(stored[2].cmd, 101);
    ::DestroyAcceleratorTable(hStored);
}

TEST_F(KeyboardPageTest, KeyBoundInTheTableNamesItsCommandAndCannotBeAssigned)
{
    OpenSheet();
    SelectCombo(page->m_wndCategoryList, "Edit");
    ClickListItem(page->m_wndCommandsList, "Find");
    struct Case {
        UINT vk;
        const char* owner;
    } const cases[] = {
        {'N', "New"},
        // Bound with FNOINVERT: still the same key.
        {'O', "Open"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.owner);
        TypeCombination({VK_CONTROL}, c.vk);
        EXPECT_STREQ(page->m_strAssignedTo, c.owner);
        EXPECT_TRUE(page->m_wndAssignedToTitle.IsWindowVisible());
        EXPECT_FALSE(page->m_wndAssignButton.IsWindowEnabled());
    }
}

TEST_F(KeyboardPageTest, RemovedKeyStopsWorkingAndTheOtherKeysStay)
{
    OpenSheet();
    SelectCombo(page->m_wndCategoryList, "File");
    ClickListItem(page->m_wndCommandsList, "New");
    EXPECT_FALSE(page->m_wndRemoveButton.IsWindowEnabled());
    ClickListItem(page->m_wndCurrentKeysList, "Ctrl+N");
    ASSERT_TRUE(page->m_wndRemoveButton.IsWindowEnabled());
    ClickWindow(page->m_wndRemoveButton);

    EXPECT_TRUE(Items(page->m_wndCurrentKeysList).empty());
    EXPECT_FALSE(page->m_wndRemoveButton.IsWindowEnabled());
    EXPECT_TRUE(CommandsOfKeysOnFrame({VK_CONTROL}, 'N').empty());
    EXPECT_EQ(CommandsOfKeysOnFrame({VK_CONTROL}, 'O'), std::vector<UINT>{102});
    ClickListItem(page->m_wndCommandsList, "Open");
    EXPECT_EQ(Items(page->m_wndCurrentKeysList), std::vector<std::string>{"Ctrl+O"});
}

// A table cannot lose its last key: the page says so and keeps showing the key in force.
TEST_F(KeyboardPageTest, RemovingTheLastKeyOfATableIsRefusedVisibly)
{
    OpenSheet();
    SelectCombo(page->m_wndCategoryList, "File");
    ClickListItem(page->m_wndCommandsList, "New");
    ClickListItem(page->m_wndCurrentKeysList, "Ctrl+N");
    ClickWindow(page->m_wndRemoveButton);
    ClickListItem(page->m_wndCommandsList, "Open");
    ClickListItem(page->m_wndCurrentKeysList, "Ctrl+O");

    tw::user::ResetBeepTrace();
    MessageBoxAnswerer answerer(IDOK);
    ClickWindow(page->m_wndRemoveButton);
    ASSERT_EQ(answerer.boxes, 1);
    EXPECT_NE(answerer.texts.size(), 0u);
    EXPECT_FALSE(tw::user::BeepTrace().empty());
    EXPECT_EQ(Items(page->m_wndCurrentKeysList), std::vector<std::string>{"Ctrl+O"});
    EXPECT_EQ(page->m_nAccelSize, 1);
    EXPECT_EQ(CommandsOfKeysOnFrame({VK_CONTROL}, 'O'), std::vector<UINT>{102});
}

// --- owners and Reset All ---------------------------------------------------------------------------

TEST_F(KeyboardPageTest, DocumentTablesAreListedOncePerResourceAndResetAllRestoresThem)
{
    auto* pFirst = new CKeyPageTemplate(kDocKeysRes, "Query");
    auto* pSecond = new CKeyPageTemplate(kDocKeysRes, "Query again");
    pFirst->m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(kDocKeysRes));
    pSecond->m_hAccelTable = pFirst->m_hAccelTable;
    tw::menu::AcceleratorStore::Instance().Hold(pFirst->m_hAccelTable);
    app->AddDocTemplate(pFirst);
    app->AddDocTemplate(pSecond);

    OpenSheet(TRUE);
    std::vector<std::string> owners;
    for (int i = 0; i < page->m_wndViewTypeList.GetCount(); i++) {
        CString strText;
        page->m_wndViewTypeList.GetLBText(i, strText);
        owners.push_back(static_cast<LPCTSTR>(strText));
    }
    EXPECT_EQ(owners, (std::vector<std::string>{"Query", "Default"}));
    EXPECT_EQ(Text(page->m_wndViewTypeList), "Default");

    SelectCombo(page->m_wndViewTypeList, "Query");
    SelectCombo(page->m_wndCategoryList, "Edit");
    ClickListItem(page->m_wndCommandsList, "Replace");
    EXPECT_EQ(Items(page->m_wndCurrentKeysList), std::vector<std::string>{"Ctrl+E"});
    TypeCombination({VK_CONTROL}, 'R');
    ClickWindow(page->m_wndAssignButton);
    EXPECT_EQ(TableEntries(pSecond->m_hAccelTable).size(), 2u);

    {
        // No keeps everything.
        MessageBoxAnswerer answerer(IDNO);
        ClickWindow(*page->GetDlgItem(IDC_KTVP_KEY_RESET_ALL));
        EXPECT_EQ(answerer.boxes, 1);
    }
    EXPECT_EQ(resetMessages, 0);
    EXPECT_EQ(Items(page->m_wndCurrentKeysList), (std::vector<std::string>{"Ctrl+E", "Ctrl+R"}));
    {
        MessageBoxAnswerer answerer(IDYES);
        ClickWindow(*page->GetDlgItem(IDC_KTVP_KEY_RESET_ALL));
        ASSERT_EQ(answerer.texts.size(), 1u);
        EXPECT_EQ(answerer.texts[0],
                  "All your changes will be lost! Do you really want to reset the keyboard assignments?");
    }
    EXPECT_EQ(resetMessages, 1);
    EXPECT_EQ(TableEntries(pFirst->m_hAccelTable).size(), 1u);
    EXPECT_EQ(Items(page->m_wndCurrentKeysList), std::vector<std::string>{"Ctrl+E"});
    tw::test::DestroyTopLevelWindows();
    frame = nullptr; // the frame deleted itself with its window
    Pump();
}

TEST_F(KeyboardPageTest, WithoutDocumentTablesOnlyTheFramesTableIsOffered)
{
    auto* pTemplate = new CKeyPageTemplate(kDocKeysRes, "Query");
    pTemplate->m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(kDocKeysRes));
    app->AddDocTemplate(pTemplate);
    OpenSheet(FALSE);
    EXPECT_EQ(page->m_wndViewTypeList.GetCount(), 1);
    EXPECT_EQ(Text(page->m_wndViewTypeList), "Default");
}

TEST_F(KeyboardPageTest, PageIsShownOnlyWithAKeyboardManagerAndAFrameTable)
{
    {
        CKtvPToolbarCustomize sheet(frame, FALSE, 0);
        EXPECT_EQ(sheet.GetPageIndex(sheet.m_pKeyboardPage), 2);
    }
    const HACCEL hAccel = frame->m_hAccelTable;
    frame->m_hAccelTable = nullptr;
    {
        CKtvPToolbarCustomize sheet(frame, FALSE, 0);
        EXPECT_EQ(sheet.GetPageIndex(sheet.m_pKeyboardPage), -1);
    }
    frame->m_hAccelTable = hAccel;
}

TEST_F(KeyboardPageTest, Screenshot)
{
    CKtvPToolbarCustomize* pSheet = OpenSheet();
    SelectCombo(page->m_wndCategoryList, "File");
    ClickListItem(page->m_wndCommandsList, "New");
    TypeCombination({VK_CONTROL}, 'O');
    pSheet->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    EXPECT_TRUE(tw::test::custtest::SaveWindowShot(pSheet, "customize-keyboard.png"));
}

}  // namespace
