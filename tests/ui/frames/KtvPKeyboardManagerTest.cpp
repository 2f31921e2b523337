// The keyboard manager: shortcut tables stored byte for byte and put back
// only where a table is in use, edits shared by every holder of the edited
// table, resets to the resources, and the answers menus and frames ask for
// (a command's key text, whether a key is bound, a key's upper-case char).
#include <memory>
#include <vector>

#include "platform/mfc/CDocManager.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CView.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/menu/AcceleratorStore.h"
#include "platform/win32/resource/AcceleratorResource.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTable.h"
#include "tests/support/ui/KtvStoredValue.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/frames/KtvPKeyHelper.h"
#include "ui/frames/KtvPKeyboardManager.h"
#include "ui/frames/KtvPMDIFrameWnd.h"

namespace {

constexpr char kBase[] = "SOFTWARE\\KeyboardTest\\";
constexpr UINT kChildRes = 130;  // every document kind's keys, as the program has them
constexpr UINT kMainRes = 131;

HINSTANCE KeysModule() { return reinterpret_cast<HINSTANCE>(0xCE1A); }

CString StoredKey(UINT uiResId)
{
    CString strKey;
    strKey.Format("%sKtvKeyboard-%u", kBase, uiResId);
    return strKey;
}

std::vector<ACCEL> Entries(HACCEL hAccel)
{
    std::vector<ACCEL> entries(static_cast<size_t>(::CopyAcceleratorTable(hAccel, nullptr, 0)));
    ::CopyAcceleratorTable(hAccel, entries.data(), static_cast<int>(entries.size()));
    return entries;
}

std::vector<WORD> Commands(HACCEL hAccel)
{
    std::vector<WORD> commands;
    for (const ACCEL& entry : Entries(hAccel))
        commands.push_back(entry.cmd);
    return commands;
}

class CKeysTestDoc : public CDocument {};

class CKeysTestView : public CView {
public:
    void OnDraw(CDC*) override {}
};

class CKeysTestTemplate : public CMultiDocTemplate {
public:
    explicit CKeysTestTemplate(UINT nIDResource)
        : CMultiDocTemplate(nIDResource, nullptr, RUNTIME_CLASS(CFrameWnd), nullptr)
    {
    }
};

class KtvPKeyboardManagerTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        childBytes = tw::res::WriteAcceleratorTable({
            {FVIRTKEY | FCONTROL, 'E', 201},
            {FVIRTKEY, VK_F5, 202},
        });
        mainBytes = tw::res::WriteAcceleratorTable({
            {FVIRTKEY | FCONTROL, 'N', 101},
            {FVIRTKEY | FCONTROL | FALT, 'F', 102},
        });
        resources[0] = {9, nullptr, kChildRes, nullptr, 0, childBytes.data(), static_cast<DWORD>(childBytes.size())};
        resources[1] = {9, nullptr, kMainRes, nullptr, 0, mainBytes.data(), static_cast<DWORD>(mainBytes.size())};
        table = tw::ResourceTable{resources, 2};
        ASSERT_TRUE(tw::RegisterResources(KeysModule(), table));
        AfxSetResourceHandle(KeysModule());

        ktvtest::ForgetKey(kBase);
        app = AfxGetApp();
        oldDocManager = app->m_pDocManager;
        app->m_pDocManager = new CDocManager;
        manager = std::make_unique<CKtvPKeyboardManager>();
    }
    void TearDown() override
    {
        tw::test::DestroyTopLevelWindows();
        for (CDocument* pDoc : docs)
            delete pDoc;
        delete app->m_pDocManager;
        app->m_pDocManager = oldDocManager;
        app->m_pMainWnd = nullptr;
        manager.reset();
        CKtvPKeyboardManager::CleanUp();
        CKtvPToolBar::m_NonPermittedCommands.RemoveAll();
        AfxSetResourceHandle(nullptr);
        tw::UnregisterResources(KeysModule());
        HeadlessWindowTest::TearDown();
    }

    CMultiDocTemplate* AddTemplate(UINT nIDResource)
    {
        auto* pTemplate = new CKeysTestTemplate(nIDResource);
        app->AddDocTemplate(pTemplate);
        return pTemplate;
    }
    // A visible frame holding the given table, as a frame that loaded it holds it.
    CFrameWnd* MakeFrame(HACCEL hAccel)
    {
        auto* pFrame = new CFrameWnd;
        EXPECT_TRUE(pFrame->Create(nullptr, "Keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 300, 200)));
        if (hAccel != nullptr)
            tw::menu::AcceleratorStore::Instance().Hold(hAccel);
        pFrame->m_hAccelTable = hAccel;
        return pFrame;
    }
    // A child frame of an open document of the template, its view inside.
    CFrameWnd* OpenChild(CMultiDocTemplate* pTemplate, HACCEL hAccel)
    {
        CFrameWnd* pFrame = MakeFrame(hAccel);
        auto* pDoc = new CKeysTestDoc;
        pDoc->m_bAutoDelete = FALSE;  // the test deletes it
        docs.push_back(pDoc);
        pTemplate->AddDocument(pDoc);
        auto* pView = new CKeysTestView;
        EXPECT_TRUE(pView->Create(nullptr, "View", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), pFrame, 0xE900));
        pDoc->AddView(pView);
        return pFrame;
    }
    CFrameWnd* MakeMainFrame()
    {
        CFrameWnd* pFrame = MakeFrame(::LoadAccelerators(KeysModule(), MAKEINTRESOURCE(kMainRes)));
        ::DestroyAcceleratorTable(pFrame->m_hAccelTable);  // the frame's own load is its one hold
        app->m_pMainWnd = pFrame;
        return pFrame;
    }

    std::vector<BYTE> childBytes;
    std::vector<BYTE> mainBytes;
    tw::ResourceEntry resources[2]{};
    tw::ResourceTable table{};
    CWinApp* app = nullptr;
    CDocManager* oldDocManager = nullptr;
    std::vector<CDocument*> docs;
    std::unique_ptr<CKtvPKeyboardManager> manager;
};

// --- key texts -------------------------------------------------------------------------------------

struct KeyTextCase {
    BYTE fVirt;
    WORD key;
    const char* text;
};

class KtvPKeyHelperFormat : public testing::TestWithParam<KeyTextCase> {};

TEST_P(KtvPKeyHelperFormat, NamesModifiersInFixedOrderThenTheKey)
{
    ACCEL entry{GetParam().fVirt, GetParam().key, 1};
    CString strText = "old";
    CKtvPKeyHelper(&entry).Format(strText);
    EXPECT_STREQ(strText, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KtvPKeyHelperFormat,
    testing::Values(KeyTextCase{FVIRTKEY | FALT | FSHIFT | FCONTROL, VK_F5, "Ctrl+Shift+Alt+F5"},
                    KeyTextCase{FVIRTKEY | FCONTROL, 'N', "Ctrl+N"},
                    // Page Up to Help are the separate keys, never their keypad twins.
                    KeyTextCase{FVIRTKEY, VK_NEXT, "Page down"}, KeyTextCase{FVIRTKEY | FSHIFT, VK_DELETE, "Shift+Delete"},
                    KeyTextCase{FVIRTKEY, VK_HOME, "Home"}, KeyTextCase{FVIRTKEY, VK_NUMPAD3, "Num 3"},
                    KeyTextCase{FVIRTKEY | FALT, VK_RETURN, "Alt+Enter"}, KeyTextCase{FVIRTKEY, VK_F12, "F12"},
                    KeyTextCase{0, 'a', "a"}, KeyTextCase{FSHIFT, '?', "Shift+?"},
                    // The Escape character is shown by its key's name, never as a dangling "+".
                    KeyTextCase{FCONTROL, 27, "Ctrl+Esc"}, KeyTextCase{0, 27, "Esc"}));

TEST(KtvPKeyHelper, NoEntryFormatsAsEmpty)
{
    CString strText = "old";
    CKtvPKeyHelper(nullptr).Format(strText);
    EXPECT_TRUE(strText.IsEmpty());
}

// --- the stored tables ---------------------------------------------------------------------------------

TEST_F(KtvPKeyboardManagerTest, SavesEntriesBackToBackAsSixByteRecords)
{
    ACCEL entries[] = {{FVIRTKEY | FCONTROL | FSHIFT, VK_F5, 0x1234}, {0, 'x', 0xE101}};
    HACCEL hAccel = ::CreateAcceleratorTable(entries, 2);
    ASSERT_TRUE(manager->SaveAcceleratorState(kBase, 7, hAccel));
    EXPECT_EQ(ktvtest::StoredHex(StoredKey(7), "Accelerators"), "0d 00 74 00 34 12 00 00 78 00 01 e1");
    ::DestroyAcceleratorTable(hAccel);
}

TEST_F(KtvPKeyboardManagerTest, LoadsTheCountFromTheValueSizeAndBlanksNonPermittedCommands)
{
    CKtvPToolBar::m_NonPermittedCommands.AddTail(0x0202);
    // 13 bytes: two records and one stray byte.
    ktvtest::StoreHex(StoredKey(5), "Accelerators", "09 00 41 00 01 01 01 00 74 00 02 02 ff");
    HACCEL hAccel = nullptr;
    ASSERT_TRUE(manager->LoadAcceleratorState(kBase, 5, hAccel));
    const std::vector<ACCEL> entries = Entries(hAccel);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].fVirt, FVIRTKEY | FCONTROL);
    EXPECT_EQ(entries[0].key, 'A');
    EXPECT_EQ(entries[0].cmd, 0x0101);
    EXPECT_EQ(entries[1].key, VK_F5);
    EXPECT_EQ(entries[1].cmd, 0) << "a command that may not have keys loads as no command";
    ::DestroyAcceleratorTable(hAccel);
}

TEST_F(KtvPKeyboardManagerTest, DamagedOrMissingStoredTablesKeepTheTableInUse)
{
    CFrameWnd* pMain = MakeMainFrame();
    const HACCEL hInUse = pMain->m_hAccelTable;
    for (const char* hex : {"", "09 00 41"}) {
        SCOPED_TRACE(hex);
        ktvtest::StoreHex(StoredKey(0), "Accelerators", hex);
        HACCEL hAccel = nullptr;
        EXPECT_FALSE(manager->LoadAcceleratorState(kBase, 0, hAccel));
        EXPECT_TRUE(manager->LoadState(kBase, pMain));
        EXPECT_EQ(pMain->m_hAccelTable, hInUse);
    }
    ktvtest::ForgetKey(StoredKey(0));
    EXPECT_TRUE(manager->LoadState(kBase, pMain));
    EXPECT_EQ(pMain->m_hAccelTable, hInUse);
}

TEST_F(KtvPKeyboardManagerTest, LoadInstallsStoredTablesOnlyWhereATableIsInUse)
{
    CMultiDocTemplate* pWithKeys = AddTemplate(kChildRes);
    CMultiDocTemplate* pWithout = AddTemplate(140);  // no key resource
    ASSERT_EQ(pWithout->m_hAccelTable, nullptr);
    CFrameWnd* pMain = MakeMainFrame();
    ktvtest::StoreHex(StoredKey(kChildRes), "Accelerators", "01 00 72 00 2c 01");
    ktvtest::StoreHex(StoredKey(140), "Accelerators", "01 00 73 00 2d 01");
    ktvtest::StoreHex(StoredKey(0), "Accelerators", "01 00 74 00 2e 01");

    EXPECT_TRUE(manager->LoadState(kBase, nullptr));
    EXPECT_EQ(Commands(pWithKeys->m_hAccelTable), std::vector<WORD>{300});
    EXPECT_EQ(pWithout->m_hAccelTable, nullptr);
    EXPECT_EQ(Commands(pMain->m_hAccelTable), std::vector<WORD>{302}) << "the main window is the default frame";
}

// All document kinds share one resource and so one stored table: an edit of
// any of them is what the next start loads into each.
TEST_F(KtvPKeyboardManagerTest, AnEditReachesEveryTemplateOfTheResourceAndTheChildFramesThatSharedIt)
{
    CMultiDocTemplate* pQuery = AddTemplate(kChildRes);
    CMultiDocTemplate* pTable = AddTemplate(kChildRes);
    const HACCEL hResource = pQuery->m_hAccelTable;
    ASSERT_EQ(pTable->m_hAccelTable, hResource);
    CFrameWnd* pSharing = OpenChild(pQuery, hResource);
    ACCEL own[] = {{FVIRTKEY, VK_F9, 250}};
    HACCEL hOwn = ::CreateAcceleratorTable(own, 1);
    CFrameWnd* pOwnKeys = OpenChild(pTable, hOwn);
    ::DestroyAcceleratorTable(hOwn);  // the frame's hold is the only one

    ACCEL edited[] = {{FVIRTKEY | FCONTROL, 'E', 201}, {FVIRTKEY, VK_F5, 202}, {FVIRTKEY, VK_F6, 203}};
    ASSERT_TRUE(manager->UpdateAcceleratorTable(pTable, edited, 3));
    const HACCEL hEdited = pTable->m_hAccelTable;
    EXPECT_EQ(Commands(hEdited), (std::vector<WORD>{201, 202, 203}));
    EXPECT_EQ(pQuery->m_hAccelTable, hEdited);
    EXPECT_EQ(pSharing->m_hAccelTable, hEdited);
    EXPECT_EQ(pOwnKeys->m_hAccelTable, hOwn) << "a frame with keys of its own keeps them";
    EXPECT_EQ(Commands(hOwn), std::vector<WORD>{250});
    // The old resource table had three holders; none is left.
    EXPECT_EQ(::CopyAcceleratorTable(hResource, nullptr, 0), 0);

    // Saved once, and the next start puts the edit into both templates.
    EXPECT_TRUE(manager->SaveState(kBase, nullptr));
    EXPECT_EQ(ktvtest::StoredHex(StoredKey(kChildRes), "Accelerators"),
              "09 00 45 00 c9 00 01 00 74 00 ca 00 01 00 75 00 cb 00");
    ACCEL reset[] = {{FVIRTKEY, VK_F2, 1}};
    ASSERT_TRUE(manager->UpdateAcceleratorTable(pQuery, reset, 1));
    EXPECT_TRUE(manager->LoadState(kBase, nullptr));
    EXPECT_EQ(Commands(pQuery->m_hAccelTable), (std::vector<WORD>{201, 202, 203}));
    EXPECT_EQ(pTable->m_hAccelTable, pQuery->m_hAccelTable);
}

TEST_F(KtvPKeyboardManagerTest, TheLastKeyOfATableCannotBeRemoved)
{
    CFrameWnd* pMain = MakeMainFrame();
    const HACCEL hInUse = pMain->m_hAccelTable;
    ACCEL none[1] = {};
    EXPECT_FALSE(manager->UpdateAcceleratorTable(nullptr, none, 0));
    EXPECT_EQ(pMain->m_hAccelTable, hInUse);
    EXPECT_EQ(Commands(hInUse), (std::vector<WORD>{101, 102}));
}

TEST_F(KtvPKeyboardManagerTest, AFrameWithoutATableTakesTheNewOneAndSucceeds)
{
    CFrameWnd* pFrame = MakeFrame(nullptr);
    ACCEL entries[] = {{FVIRTKEY, VK_F3, 77}};
    ASSERT_TRUE(manager->UpdateAcceleratorTable(nullptr, entries, 1, pFrame));
    EXPECT_EQ(Commands(pFrame->m_hAccelTable), std::vector<WORD>{77}) << "the installed table lives";
}

TEST_F(KtvPKeyboardManagerTest, ResetPutsEveryTableBackToItsResource)
{
    CMultiDocTemplate* pQuery = AddTemplate(kChildRes);
    // A library main frame knows the resource it was loaded from.
    auto* pMain = new CKtvPMDIFrameWnd;
    ASSERT_TRUE(pMain->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    pMain->GetFrameImpl()->m_nIDDefaultResource = kMainRes;
    pMain->m_hAccelTable = ::LoadAccelerators(KeysModule(), MAKEINTRESOURCE(kMainRes));
    app->m_pMainWnd = pMain;
    ACCEL edited[] = {{FVIRTKEY, VK_F7, 900}};
    ASSERT_TRUE(manager->UpdateAcceleratorTable(pQuery, edited, 1));
    ASSERT_TRUE(manager->UpdateAcceleratorTable(nullptr, edited, 1));
    ASSERT_EQ(Commands(pMain->m_hAccelTable), std::vector<WORD>{900});

    manager->ResetAll();
    EXPECT_EQ(Commands(pQuery->m_hAccelTable), (std::vector<WORD>{201, 202}));
    EXPECT_EQ(Commands(pMain->m_hAccelTable), (std::vector<WORD>{101, 102}));
    EXPECT_FALSE(ktvtest::StoredHex(StoredKey(kChildRes), "Accelerators").has_value()) << "reset writes nothing";

    // A plain frame names no resource: its table stays as edited.
    CFrameWnd* pPlain = MakeMainFrame();
    ASSERT_TRUE(manager->UpdateAcceleratorTable(nullptr, edited, 1));
    manager->ResetAll();
    EXPECT_EQ(Commands(pPlain->m_hAccelTable), std::vector<WORD>{900});
}

// --- questions about keys --------------------------------------------------------------------------------

TEST_F(KtvPKeyboardManagerTest, KeyIsHandledOnlyWithExactlyItsFlags)
{
    CFrameWnd* pMain = MakeMainFrame();
    EXPECT_TRUE(CKtvPKeyboardManager::IsKeyHandled('F', FVIRTKEY | FCONTROL | FALT, pMain, TRUE));
    EXPECT_FALSE(CKtvPKeyboardManager::IsKeyHandled('F', FVIRTKEY | FALT, pMain, TRUE));
    EXPECT_FALSE(CKtvPKeyboardManager::IsKeyHandled('N', FVIRTKEY | FCONTROL | FSHIFT, pMain, TRUE));
    EXPECT_TRUE(CKtvPKeyboardManager::IsKeyHandled('N', FVIRTKEY | FCONTROL, pMain, FALSE));
    EXPECT_FALSE(CKtvPKeyboardManager::IsKeyHandled('N', FVIRTKEY | FCONTROL, nullptr, TRUE));
    EXPECT_FALSE(CKtvPKeyboardManager::IsKeyHandled('N', FVIRTKEY | FCONTROL, MakeFrame(nullptr), TRUE));
}

TEST_F(KtvPKeyboardManagerTest, ACommandShowsTheFirstKeyBoundToItAndFollowsEdits)
{
    CFrameWnd* pMain = MakeMainFrame();
    ACCEL twoKeys[] = {{FVIRTKEY | FSHIFT, VK_INSERT, 500}, {FVIRTKEY | FCONTROL, 'V', 500}};
    ASSERT_TRUE(manager->UpdateAcceleratorTable(nullptr, twoKeys, 2));
    CString strText;
    ASSERT_TRUE(CKtvPKeyboardManager::FindDefaultAccelerator(500, strText, pMain, TRUE));
    EXPECT_STREQ(strText, "Shift+Insert");
    EXPECT_FALSE(CKtvPKeyboardManager::FindDefaultAccelerator(501, strText, pMain, TRUE));
    EXPECT_TRUE(strText.IsEmpty());

    // The look-up answers from the new table at once, not from the copy of the old.
    ACCEL moved[] = {{FVIRTKEY | FCONTROL, 'V', 500}};
    ASSERT_TRUE(manager->UpdateAcceleratorTable(nullptr, moved, 1));
    ASSERT_TRUE(CKtvPKeyboardManager::FindDefaultAccelerator(500, strText, pMain, TRUE));
    EXPECT_STREQ(strText, "Ctrl+V");
    EXPECT_FALSE(CKtvPKeyboardManager::IsKeyHandled(VK_INSERT, FVIRTKEY | FSHIFT, pMain, TRUE));
}

struct UpperCase {
    UINT key;
    bool alt;
    UINT expected;
};

class KtvPTranslateCharToUpper : public tw::test::HeadlessWindowTest,
                                 public testing::WithParamInterface<UpperCase> {};

TEST_P(KtvPTranslateCharToUpper, KeypadDigitsAreTheirCharactersUnlessAltIsHeld)
{
    if (GetParam().alt) {
        input.KeyDown(VK_MENU);
        Pump();
    }
    EXPECT_EQ(CKtvPKeyboardManager::TranslateCharToUpper(GetParam().key), GetParam().expected);
    if (GetParam().alt) {
        input.KeyUp(VK_MENU);
        Pump();
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, KtvPTranslateCharToUpper,
                         testing::Values(UpperCase{VK_NUMPAD0, false, '0'}, UpperCase{VK_NUMPAD7, false, '7'},
                                         UpperCase{VK_NUMPAD7, true, VK_NUMPAD7}, UpperCase{'Q', false, 'Q'},
                                         UpperCase{'5', false, '5'}, UpperCase{0xBA, false, 0xBA},
                                         UpperCase{'z', true, 'z'}));

}  // namespace
