// The shell tree and shell list over a folder tree the test makes: the
// desktop root, expanding and collapsing, the context menu, and the tree and
// the list following each other.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/shell/ShellLauncher.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/RecordingSpawner.h"
#include "ui/controls/KtvPShellList.h"
#include "ui/controls/KtvPShellTree.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPShellManager.h"

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using tw::display::MouseButton;

class ShellTreeListTest : public tw::test::KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        KtvPrepareUiTest();
        shell = std::make_unique<CKtvPShellManager>();
        base = (fs::current_path() / ::testing::UnitTest::GetInstance()->current_test_info()->name()).string();
        fs::create_directories(base + "/docs/reports");
        fs::create_directories(base + "/empty");
        std::ofstream(base + "/notes.txt") << "some notes";
        std::ofstream(base + "/docs/plan.sql") << "select 1";
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                                CRect(0, 0, 200, 300), &host, 101));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(200, 0, 500, 300), &host, 102));
        Pump();
    }
    void TearDown() override
    {
        tw::shell::SetProcessSpawner(nullptr);
        tree.DestroyWindow();
        list.DestroyWindow();
        shell.reset();
        KtvControlTest::TearDown();
    }

    Names Children(HTREEITEM item)
    {
        Names names;
        for (HTREEITEM child = tree.GetChildItem(item); child; child = tree.GetNextSiblingItem(child))
            names.emplace_back(tree.GetItemText(child));
        return names;
    }
    Names ListNames()
    {
        Names names;
        for (int i = 0; i < list.GetItemCount(); ++i)
            names.emplace_back(list.GetItemText(i, 0));
        return names;
    }
    std::string TreeSelection()
    {
        CString path;
        tree.GetItemPath(path);
        return std::string(path);
    }
    HTREEITEM Selected() { return tree.GetSelectedItem(); }
    POINT ItemCentre(HTREEITEM item)
    {
        CRect rect;
        tree.GetItemRect(item, rect, TRUE);
        return ScreenPointOf(tree.GetSafeHwnd(), rect.CenterPoint().x, rect.CenterPoint().y);
    }
    // Opens the tree's context menu from the keyboard, with keys queued for it.
    void ContextMenuKeys(std::initializer_list<UINT> keys)
    {
        for (UINT vk : keys)
            input.KeyStroke(vk);
        tree.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree.GetSafeHwnd()), MAKELPARAM(-1, -1));
        Pump();
    }

    std::unique_ptr<CKtvPShellManager> shell;
    CKtvPShellTree tree;
    CKtvPShellList list;
    std::string base;
};

TEST_F(ShellTreeListTest, TheRootIsTheDesktopWithHomeAndTheFileSystem)
{
    HTREEITEM root = tree.GetRootItem();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(std::string(tree.GetItemText(root)), "Desktop");
    EXPECT_EQ(Children(root), (Names{"Home", "File System"}));
    EXPECT_EQ(tree.GetNextSiblingItem(root), nullptr);
    // The list starts on the desktop too.
    EXPECT_EQ(ListNames(), (Names{"Home", "File System"}));
}

TEST_F(ShellTreeListTest, CollapsingDropsChildrenAndExpandingReadsTheFolderAfresh)
{
    ASSERT_TRUE(tree.SelectPath(base.c_str()));
    HTREEITEM folder = Selected();
    ASSERT_NE(folder, nullptr);
    tree.Expand(folder, TVE_EXPAND);
    EXPECT_EQ(Children(folder), (Names{"docs", "empty"}));

    tree.SetFocus();
    Key(VK_LEFT);
    EXPECT_EQ(tree.GetChildItem(folder), nullptr) << "a collapse drops the children";
    fs::create_directories(base + "/Added");
    Key(VK_RIGHT);
    EXPECT_EQ(Children(folder), (Names{"Added", "docs", "empty"}));
}

TEST_F(ShellTreeListTest, AFolderWithoutSubfoldersLosesItsButtonWhenExpanded)
{
    ASSERT_TRUE(tree.SelectPath(base.c_str()));
    HTREEITEM folder = Selected();
    tree.Expand(folder, TVE_EXPAND);
    HTREEITEM docs = tree.GetChildItem(folder);
    HTREEITEM empty = tree.GetNextSiblingItem(docs);
    ASSERT_EQ(std::string(tree.GetItemText(empty)), "empty");
    EXPECT_TRUE(tree.ItemHasChildren(docs));
    EXPECT_FALSE(tree.ItemHasChildren(empty)) << "no subfolder found by the scan";

    // A folder whose subfolder went since the scan loses its button at expansion.
    fs::remove(base + "/docs/reports");
    tree.Expand(docs, TVE_EXPAND);
    EXPECT_EQ(tree.GetChildItem(docs), nullptr);
    EXPECT_FALSE(tree.ItemHasChildren(docs));
}

TEST_F(ShellTreeListTest, ARightClickSelectsTheItemBeforeTheMenuOpens)
{
    ASSERT_TRUE(tree.SelectPath(base.c_str()));
    HTREEITEM folder = Selected();
    tree.Expand(folder, TVE_EXPAND);
    HTREEITEM empty = tree.GetNextSiblingItem(tree.GetChildItem(folder));
    tree.EnsureVisible(empty);
    Pump();
    const POINT at = ItemCentre(empty);
    input.Click(MouseButton::Right, at.x, at.y);
    input.KeyStroke('P');  // the menu's Copy Path
    Pump();
    EXPECT_EQ(Selected(), empty);
    EXPECT_EQ(TreeSelection(), base + "/empty");
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE text = GetClipboardData(CF_TEXT);
    ASSERT_NE(text, nullptr) << "the right click opened the item's menu";
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(text))), base + "/empty");
    GlobalUnlock(text);
    CloseClipboard();
}

// The tree asks for its menu on the right click itself, so the system tree's
// own request after the click must not come too: one menu per click.
TEST_F(ShellTreeListTest, ARightClickOpensOneMenu)
{
    static int s_requests = 0;
    static WNDPROC s_treeProc = nullptr;
    s_requests = 0;
    s_treeProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtr(
        tree.GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            s_requests += message == WM_CONTEXTMENU ? 1 : 0;
            return ::CallWindowProc(s_treeProc, hwnd, message, wParam, lParam);
        })));
    ASSERT_TRUE(tree.SelectPath((base + "/docs").c_str()));
    Pump();
    const POINT at = ItemCentre(Selected());
    input.Click(MouseButton::Right, at.x, at.y);
    input.KeyStroke(VK_ESCAPE);
    Pump();
    ::SetWindowLongPtr(tree.GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_treeProc));
    EXPECT_EQ(s_requests, 1);
}

TEST_F(ShellTreeListTest, TheContextMenuOpensAndCopiesTheItemsPath)
{
    auto spawner = std::make_shared<tw::test::RecordingSpawner>();
    tw::shell::SetProcessSpawner(spawner);
    ASSERT_TRUE(tree.SelectPath((base + "/docs").c_str()));

    ContextMenuKeys({VK_DOWN, VK_RETURN});
    ASSERT_EQ(spawner->runs.size(), 1u);
    EXPECT_EQ(spawner->runs[0], (Names{"xdg-open", base + "/docs"}));

    ContextMenuKeys({'P'});
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE text = GetClipboardData(CF_TEXT);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(text))), base + "/docs");
    GlobalUnlock(text);
    CloseClipboard();
    EXPECT_EQ(spawner->runs.size(), 1u) << "copying starts nothing";
}

TEST_F(ShellTreeListTest, WithoutTheShellMenuTheDefaultHandlingRuns)
{
    tree.EnableShellContextMenu(FALSE);
    ASSERT_TRUE(tree.SelectPath((base + "/docs").c_str()));
    int requests = 0;
    answer = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
        requests += message == WM_CONTEXTMENU ? 1 : 0;
        return false;
    };
    ContextMenuKeys({'P'});
    EXPECT_EQ(requests, 1) << "the request goes on to the parent";
    EXPECT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr) << "no shell menu took a key";
    CloseClipboard();
}

TEST_F(ShellTreeListTest, TheListFollowsTheTreeAndTheTreeFollowsTheList)
{
    tree.SetRelatedList(&list);
    ASSERT_TRUE(tree.SelectPath(base.c_str()));
    // SelectPath does not drive the list; a user's selection does.
    HTREEITEM folder = Selected();
    tree.SelectItem(tree.GetParentItem(folder));
    tree.SelectItem(folder);
    EXPECT_EQ(ListNames(), (Names{"docs", "empty", "notes.txt"}));
    EXPECT_EQ(std::string(list.GetItemText(2, CKtvPShellList::kColumnSize)), "1 KB");
    EXPECT_EQ(std::string(list.GetItemText(0, CKtvPShellList::kColumnType)), "File Folder");

    KtvRegisterLibraryMessages();
    ClearReceived();
    list.DoDefault(0);
    Pump();
    EXPECT_EQ(ListNames(), (Names{"reports", "plan.sql"}));
    EXPECT_EQ(TreeSelection(), base + "/docs") << "the tree selects the folder the list shows";
    EXPECT_EQ(Received(KTVPM_CHANGE_CURRENT_FOLDER).size(), 1u);
    CString shown;
    ASSERT_TRUE(list.GetCurrentFolder(shown));
    EXPECT_EQ(std::string(shown), base + "/docs") << "and does not drive the list back";
}

TEST_F(ShellTreeListTest, OpeningAFileFromTheListStartsTheDesktopOpener)
{
    auto spawner = std::make_shared<tw::test::RecordingSpawner>();
    tw::shell::SetProcessSpawner(spawner);
    ASSERT_EQ(list.DisplayFolder(base.c_str()), S_OK);
    ASSERT_EQ(ListNames(), (Names{"docs", "empty", "notes.txt"}));
    list.DoDefault(2);
    ASSERT_EQ(spawner->runs.size(), 1u);
    EXPECT_EQ(spawner->runs[0], (Names{"xdg-open", base + "/notes.txt"}));
}

TEST_F(ShellTreeListTest, TheListsMenuOpensAFolderInPlaceAndFilesWithTheOpener)
{
    auto spawner = std::make_shared<tw::test::RecordingSpawner>();
    tw::shell::SetProcessSpawner(spawner);
    ASSERT_EQ(list.DisplayFolder(base.c_str()), S_OK);
    struct MenuCase {
        int item;
        Names shownAfter;
        size_t runs;
    };
    // notes.txt opens through the opener; docs opens in the list itself.
    const MenuCase cases[] = {{2, {"docs", "empty", "notes.txt"}, 1}, {0, {"reports", "plan.sql"}, 1}};
    for (const auto& c : cases) {
        list.SetItemState(-1, 0, LVIS_SELECTED);
        list.SetItemState(c.item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        input.KeyStroke(VK_DOWN);
        input.KeyStroke(VK_RETURN);
        list.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.GetSafeHwnd()), MAKELPARAM(-1, -1));
        Pump();
        EXPECT_EQ(ListNames(), c.shownAfter) << c.item;
        EXPECT_EQ(spawner->runs.size(), c.runs) << c.item;
    }
}

// A picture of the tree beside its list over the test folder, for a person
// to look at (shell-screenshot.png next to the test program).
TEST_F(ShellTreeListTest, AScreenshotOfTheTreeBesideItsList)
{
    tree.SetRelatedList(&list);
    ASSERT_TRUE(tree.SelectPath((base + "/docs").c_str()));
    HTREEITEM docs = Selected();
    tree.SelectItem(tree.GetParentItem(docs));
    tree.EnsureVisible(tree.GetParentItem(docs));
    host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    CRect rect(0, 0, 500, 300);
    host.ClientToScreen(rect);
    const std::string path =
        (std::filesystem::canonical("/proc/self/exe").parent_path() / "shell-screenshot.png").string();
    ASSERT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(path, &rect)) << path;
    EXPECT_EQ(ListNames(), (Names{"docs", "empty", "notes.txt"}));
}

}  // namespace
